#pragma once
// The host's modal file dialog bound to parameters (Qt's own, non-native file dialog): the user
// picks a file; the dialog writes its path to the file parameter, as one write request, and keeps
// the catalogue parameter filled with the names of the folder's files of the chosen type.
//
// For tests and scripted runs an answer hook replaces the user: while set, exec asks the hook for
// the path (empty: cancelled) instead of showing the dialog.
#include <QString>
#include <functional>

#include "host/gui/VGXUserDbAttributes.h"

class QWidget;

namespace MvQARN {

class VGX_EXPORT VGXUserFileDialog {
public:
    // Operation modes of the host's file dialogs.
    enum EMode {
        SelectFolder = 1, // a folder
        OpenFile = 2,     // an existing file
        SaveFile = 3,     // a file name to write, new or existing
    };

    VGXUserFileDialog(QWidget* parent, const QString& title, const QString& shortTitle = QString());
    VGXUserFileDialog(const VGXUserFileDialog&) = delete;
    VGXUserFileDialog& operator=(const VGXUserFileDialog&) = delete;
    ~VGXUserFileDialog();

    // A folder, or a file whose folder opens with the file selected. Default: the user's settings
    // folder.
    void setStartPath(const QString& path);
    const QString& startPath() const { return m_start; }
    // Offers a "Fast Save" check box bound to this parameter (save mode).
    void setFastSaveParameter(const VGXUserDbAttributes& binding);
    // Checks the chosen path before it is written: a non-empty answer refuses the path, is shown to
    // the user and signalled as DbErrBadFile, and nothing is written.
    using PathCheck = std::function<QString(const QString& path)>;
    void setPathCheck(PathCheck check) { m_check = std::move(check); }

    // Runs the dialog. fileTypeIndex: a VGXMain file type handle (its pattern filters the files);
    // catalogueParameter may be null; entryIndex >= 0 binds the file parameter to that list index
    // (the fourth instance index). Parameters bind to the current instance. Answers the path
    // written, empty when cancelled or refused (the error is shown and signalled).
    QString exec(int mode, int fileTypeIndex, const char* catalogueParameter, const char* fileParameter,
                 int entryIndex = -1);

    const QString& title() const { return m_title; }
    const QString& shortTitle() const { return m_shortTitle; }
    int mode() const { return m_mode; }
    int lastError() const { return m_lastError; }

    using AnswerHook = std::function<QString(const VGXUserFileDialog&)>;
    static void setAnswerHook(AnswerHook hook);

    // Name filter of a file type handle for Qt's file dialog ("Recorder File (*.wv)").
    static QString nameFilter(int fileTypeIndex);
    // Writes the names of the folder's files matching the pattern to a catalogue parameter.
    static void fillCatalogue(const VGXUserDbAttributes& catalogue, const QString& folder,
                              const QString& pattern);

private:
    QWidget* m_parent;
    QString m_title;
    QString m_shortTitle;
    QString m_start;
    VGXUserDbAttributes m_fast;
    PathCheck m_check;
    int m_mode = OpenFile;
    int m_lastError = 0;
};

} // namespace MvQARN
