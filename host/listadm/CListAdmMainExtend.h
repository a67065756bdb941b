#pragma once
// The host's list administration: the file types modules announce (list types), single tag values of
// tagged files, and the file catalogues and delete names of the database.
//
// Modules ask for a tag through getTag with the file name in the message's auxiliary data of kind 9
// and the tag name in kind 10. Catalogue parameters (file operation 7) hold the names of the files of
// their list type's folder, listed again each time one is read; writing a name to a delete parameter
// (file operation 2) deletes that file inside the folder and refreshes the catalogues. The file-list
// type of those parameters is the list type number.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbMsg;
class CDbDataTypeString;
class CDbEngine;
struct SListTypeEntry;

class VGX_EXPORT CListAdmMainExtend {
public:
    // Auxiliary data kinds of a tag query.
    enum { AuxFileName = 9, AuxTagName = 10 };

    // A registered list type; the texts are copies, the module's entry may go with its library.
    struct SListType {
        int type = 0;
        QString name;
        QString dataKind;
        QString dirKind;
        int flags[6] = {0, 0, 0, 0, 0, 0};
        QString typeTag;
    };

    CListAdmMainExtend();
    virtual ~CListAdmMainExtend();
    CListAdmMainExtend(const CListAdmMainExtend&) = delete;
    CListAdmMainExtend& operator=(const CListAdmMainExtend&) = delete;

    // List types. A type registered again replaces the earlier entry.
    void registerListTypes(const SListTypeEntry* entries, int count);
    void registerListType(const SListTypeEntry& entry);
    bool hasListType(int type) const;
    const SListType* listType(int type) const;
    QList<int> listTypes() const;
    // Forgets list types and folder settings (not the database attachment).
    void clear();

    // The value of one tag as a new string the caller owns, or null: no such list type, no file name,
    // a file that cannot be read, a file of the wrong type (a list type with a type tag requires the
    // first tag to be TYPE with that tag) or a file without the tag. A relative file name is taken
    // inside the list type's folder.
    virtual CDbDataTypeString* getTag(int listType, CDbMsg& message);

    // Folder and file pattern of a list type. The defaults: settings files ("lynx") and SSI files
    // ("hex") in the database's user settings folder, waveforms ("wv") in <documents>/ARBWaveForms,
    // recorder files ("mv_rec", *.wv) in <documents>/RecorderWaveForms; <documents> is the host's
    // documents folder followed by "/Maravel/Orvane", the plug-in's own documents folder.
    QString folder(int listType) const;
    QString suffix(int listType) const;
    void setFolder(int listType, const QString& folder, const QString& suffix);
    static QString documentsFolder();

    // File names (with suffix, sorted) in the list type's folder.
    QStringList catalogue(int listType) const;
    // Full path of a file named by a user inside the list type's folder; empty when the name is
    // refused (empty, "..", a path leading outside the folder, another suffix). A name without a
    // suffix gets the list type's suffix.
    QString pathInFolder(int listType, const QString& name) const;
    // Deletes a file of the list type's folder. 0, 20014 for a refused name, 20012 when the file does
    // not exist, 20016 when it cannot be removed.
    int deleteFile(int listType, const QString& name, QString* error = nullptr);

    // Database side: writes the catalogue parameters (all, or those of one list type) from the folders,
    // and handles writes of delete names and file names. attach also refreshes the catalogues.
    void attach(CDbEngine& engine);
    void detach();
    bool isAttached() const { return m_engine != nullptr; }
    void refreshCatalogues();
    void refreshCatalogue(int listType);

private:
    struct SFolder {
        QString folder;
        QString suffix;
    };
    // A delete name was written at a stored instance: delete the file, empty the name again.
    void handleDeleteName(const QByteArray& name, const SDbInstTupel& stored, int listType);

    QMap<int, SListType> m_types;
    QMap<int, SFolder> m_folders;
    CDbEngine* m_engine = nullptr;
    int m_observer = 0;
    bool m_refreshing = false;
};

} // namespace MvQARN
