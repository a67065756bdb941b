#include "host/listadm/CListAdmMainExtend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"
#include "host/listadm/WaveformFile.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXSafeFile.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

// List types whose files do not live in the user settings folder, or whose suffix is not their name.
constexpr int kListTypeWaveform = 192;
constexpr int kListTypeRecorder = 201;

QString auxText(const CDbMsg& message, int kind) {
    const CDbDataType* d = message.getAuxData(kind);
    if (!d || d->getType() != DbTypeString)
        return QString();
    return static_cast<const CDbDataTypeString*>(d)->getValStringQ();
}

bool setError(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

CListAdmMainExtend::CListAdmMainExtend() = default;

CListAdmMainExtend::~CListAdmMainExtend() {
    detach();
}

void CListAdmMainExtend::registerListTypes(const SListTypeEntry* entries, int count) {
    for (int k = 0; entries && k < count; ++k)
        registerListType(entries[k]);
}

void CListAdmMainExtend::registerListType(const SListTypeEntry& entry) {
    SListType t;
    t.type = entry.type;
    t.name = QString::fromUtf8(entry.name ? entry.name : "");
    t.dataKind = QString::fromUtf8(entry.dataKind ? entry.dataKind : "");
    t.dirKind = QString::fromUtf8(entry.dirKind ? entry.dirKind : "");
    for (int k = 0; k < 6; ++k)
        t.flags[k] = entry.flags[k];
    t.typeTag = QString::fromUtf8(entry.typeTag ? entry.typeTag : "");
    m_types.insert(t.type, t);
}

bool CListAdmMainExtend::hasListType(int type) const {
    return m_types.contains(type);
}

const CListAdmMainExtend::SListType* CListAdmMainExtend::listType(int type) const {
    auto it = m_types.constFind(type);
    return it == m_types.constEnd() ? nullptr : &it.value();
}

QList<int> CListAdmMainExtend::listTypes() const {
    return m_types.keys();
}

void CListAdmMainExtend::clear() {
    m_types.clear();
    m_folders.clear();
}

CDbDataTypeString* CListAdmMainExtend::getTag(int type, CDbMsg& message) {
    const SListType* lt = listType(type);
    if (!lt)
        return nullptr;
    const QString fileName = auxText(message, AuxFileName);
    const QString tagName = auxText(message, AuxTagName).trimmed();
    if (fileName.isEmpty() || tagName.isEmpty())
        return nullptr;
    const QString path =
        QDir::isAbsolutePath(fileName) ? fileName : folder(type) + QLatin1Char('/') + fileName;
    WaveformFile::STagScan scan;
    // A fault after the tag still answers it: the tags in front of the samples are what is asked for.
    WaveformFile::scanTags(path, scan, lt->typeTag);
    if (!lt->typeTag.isEmpty() && !scan.typeOk)
        return nullptr;
    if (!scan.has(tagName))
        return nullptr;
    return new CDbDataTypeString(scan.value(tagName));
}

QString CListAdmMainExtend::documentsFolder() {
    QString documents = vgxDocumentsPath();
    if (documents.isEmpty())
        return QString();
    documents.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return documents + QStringLiteral("/Maravel/Orvane");
}

QString CListAdmMainExtend::folder(int type) const {
    auto it = m_folders.constFind(type);
    if (it != m_folders.constEnd())
        return it->folder;
    if (type == kListTypeWaveform)
        return documentsFolder() + QStringLiteral("/ARBWaveForms");
    if (type == kListTypeRecorder)
        return documentsFolder() + QStringLiteral("/RecorderWaveForms");
    if (!hasListType(type))
        return QString();
    return (m_engine ? *m_engine : CDbEngine::instance()).userSettingsDir();
}

QString CListAdmMainExtend::suffix(int type) const {
    auto it = m_folders.constFind(type);
    if (it != m_folders.constEnd())
        return it->suffix;
    if (type == kListTypeRecorder || type == kListTypeWaveform)
        return QStringLiteral("wv");
    const SListType* lt = listType(type);
    return lt ? lt->name : QString();
}

void CListAdmMainExtend::setFolder(int type, const QString& dir, const QString& fileSuffix) {
    m_folders.insert(type, SFolder{dir, fileSuffix});
}

QStringList CListAdmMainExtend::catalogue(int type) const {
    const QString dir = folder(type);
    const QString ext = suffix(type);
    if (dir.isEmpty() || ext.isEmpty())
        return {};
    QDir d(dir);
    d.setNameFilters({QStringLiteral("*.") + ext});
    // Links are not opened (a recall or transfer refuses them), so they are not offered either.
    d.setFilter(QDir::Files | QDir::Readable | QDir::NoSymLinks);
    d.setSorting(QDir::Name | QDir::IgnoreCase);
    QStringList names = d.entryList();
    // A catalogue answer is one line: a name that could not be sent back as written is left out.
    names.removeIf([](const QString& n) { return !VGXSafeFile::isPlainName(n); });
    return names;
}

QString CListAdmMainExtend::pathInFolder(int type, const QString& name) const {
    const QString dirName = folder(type);
    const QString ext = suffix(type);
    if (dirName.isEmpty())
        return QString();
    return VGXSafeFile::fileInFolder(dirName, name, ext);
}

int CListAdmMainExtend::deleteFile(int type, const QString& name, QString* error) {
    const QString path = pathInFolder(type, name);
    if (path.isEmpty()) {
        setError(error, QStringLiteral("File name refused: \"%1\"").arg(name));
        return DbErrBadFileName;
    }
    const QFileInfo info(path);
    if (!info.isFile() && !info.isSymLink()) {
        setError(error, QStringLiteral("File not found: \"%1\"").arg(name));
        return DbErrFileMissing;
    }
    if (!QFile::remove(path)) {
        setError(error, QStringLiteral("Cannot delete \"%1\"").arg(name));
        return DbErrFileWrite;
    }
    return DbOk;
}

void CListAdmMainExtend::attach(CDbEngine& engine) {
    detach();
    m_engine = &engine;
    m_observer = engine.addRequestObserver([this](const QVector<SDbChange>& changes) {
        QSet<int> refresh;
        for (const SDbChange& c : changes) {
            const SDbDefCommon* d = c.record;
            if (!d || !hasListType(d->fileListType) || d->fileOp == DbFileOpCatalogue)
                continue;
            if (d->fileOp == DbFileOpDelete && d->type == DbTypeString)
                handleDeleteName(c.name, c.tupel, d->fileListType);
            else
                refresh.insert(d->fileListType); // a file name: a file may have been made
        }
        for (int type : std::as_const(refresh))
            refreshCatalogue(type);
    });
    engine.setCatalogueRefresh([this](int type) { refreshCatalogue(type); });
    refreshCatalogues();
}

void CListAdmMainExtend::detach() {
    if (m_engine) {
        m_engine->removeRequestObserver(m_observer);
        m_engine->setCatalogueRefresh(nullptr);
    }
    m_engine = nullptr;
    m_observer = 0;
}

void CListAdmMainExtend::handleDeleteName(const QByteArray& name, const SDbInstTupel& stored, int type) {
    CDbAllType v;
    QString fileName;
    if (m_engine->readStored(name.constData(), stored, v) != DbOk || !v.toString(fileName) ||
        fileName.trimmed().isEmpty())
        return;
    QString error;
    const int rc = deleteFile(type, fileName, &error);
    if (rc != DbOk)
        VGXErrorManager::signal(rc, error);
    // Emptied again, so that the same name written later is a change and deletes again.
    m_engine->write(name.constData(), stored, CDbAllType::fromString(QString()));
    refreshCatalogue(type);
}

void CListAdmMainExtend::refreshCatalogues() {
    for (int type : m_types.keys())
        refreshCatalogue(type);
}

void CListAdmMainExtend::refreshCatalogue(int type) {
    // Reading a catalogue refreshes it, and the refresh's own writes may make a listener read it.
    if (!m_engine || !hasListType(type) || m_refreshing)
        return;
    m_refreshing = true;
    const QStringList files = catalogue(type);
    for (const QByteArray& name : m_engine->names()) {
        for (const SDbDefCommon* d : m_engine->records(name.constData())) {
            if (d->fileOp != DbFileOpCatalogue || d->fileListType != type || d->type != DbTypeNString)
                continue;
            const int maxEntries = reinterpret_cast<const SDbDefNString*>(d)->maxEntries;
            const QStringList shown = maxEntries > 0 ? files.mid(0, maxEntries) : files;
            const CDbAllType value(new CDbDataTypeNString(shown));
            // Every instance of the record; instances that share one stored value cost nothing twice.
            const int* first = d->firstA;
            int end[4];
            for (int i = 0; i < 4; ++i)
                end[i] = first[i] + std::max(1, d->countA[i]);
            for (int t0 = first[0]; t0 < end[0]; ++t0)
                for (int t1 = first[1]; t1 < end[1]; ++t1)
                    for (int t2 = first[2]; t2 < end[2]; ++t2)
                        for (int t3 = first[3]; t3 < end[3]; ++t3)
                            m_engine->write(name.constData(), SDbInstTupel{t0, t1, t2, t3}, value);
        }
    }
    m_refreshing = false;
}

} // namespace MvQARN
