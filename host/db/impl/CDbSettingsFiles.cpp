#include "host/db/impl/CDbSettingsFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <vector>

#include "host/db/CDbPresFunc.h"
#include "host/db/CDbSavRclFunc.h"
#include "host/db/impl/CDbDefinitionRegistry.h"
#include "host/db/impl/CDbForwardAnswerBuffer.h"
#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/CDbRequest.h"
#include "host/db/impl/CDbRequestPipeline.h"
#include "host/db/impl/CLynxFile.h"
#include "host/util/VGXSafeFile.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

// A settings file is a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxSettingsFileSize = 4 * 1024 * 1024;

// File-list type of settings files and the file operations of catalogues and delete names.
constexpr int kFileListSettings = 0xbc;

bool groupSelected(unsigned grp, int group, unsigned mask) {
    if (int(grp & 0xFFFFu) != group)
        return false;
    const unsigned sub = grp & 0xFFFF0000u;
    if (sub == 0)
        return mask == 0 || (mask & 0xFFFF0000u) == 0xFFFF0000u;
    return (sub & mask) != 0;
}

int axis(const SDbInstTupel& t, int i) {
    return i == 0 ? t.t0 : i == 1 ? t.t1 : i == 2 ? t.t2 : t.t3;
}

bool matches(const SDbInstTupel& t, const int filter[4]) {
    for (int i = 0; i < 4; ++i)
        if (filter[i] >= 0 && axis(t, i) != filter[i])
            return false;
    return true;
}

} // namespace

CDbSettingsFiles::CDbSettingsFiles(CDbDefinitionRegistry& registry, CDbRequestPipeline& pipeline)
    : m_registry(registry), m_pipeline(pipeline) {}

void CDbSettingsFiles::reset() {
    m_userDir.clear();
}

bool CDbSettingsFiles::inSettings(const CDbRecord* rec, int group, unsigned mask, bool withSaveRecall) const {
    const SDbDefCommon* d = rec->def();
    // Actions and the file-operation parameters (names of settings files, catalogues, delete names)
    // are no settings.
    if (rec->type() == DbTypeEvent || d->fileListType == kFileListSettings || d->fileOp == DbFileOpDelete ||
        d->fileOp == DbFileOpCatalogue)
        return false;
    if (groupSelected(d->grp, group, mask))
        return true;
    // A save/recall object says the parameter takes part in settings files whatever its group.
    return withSaveRecall && d->savRcl;
}

// ---------------------------------------------------------------------------------------------
// Preset

int CDbSettingsFiles::presetGroup(int group, unsigned mask, int t0, int t1, int t2, int t3, const char* name,
                                  CDbAnswerBuffer* answer) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_pipeline.errorSink());
    const int filter[4] = {t0, t1, t2, t3};
    return presetWith(group, mask, filter, name, fwd);
}

int CDbSettingsFiles::presetWith(int group, unsigned mask, const int filter[4], const char* name,
                                 CDbForwardAnswerBuffer& answer) {
    CDbRequestPipeline::Level level(m_pipeline); // changes are delivered once the whole preset is done
    if (!level.ok()) {
        CDbRequestPipeline::refuse(answer, DbErrNesting, filter[0]);
        return DbErrNesting;
    }
    unsigned axes = 0;
    for (int i = 0; i < 4; ++i)
        if (filter[i] >= 0)
            axes |= 1u << i;
    int first = DbOk;
    for (CDbRecord* rec : m_registry.allRecords()) {
        if (!inSettings(rec, group, mask, false))
            continue;
        if (name && *name && rec->name() != name)
            continue;
        // A value shared by several instances is not one instance's to reset.
        if (axes && rec->sharedOn(axes))
            continue;
        for (const SDbInstTupel& st : rec->storedInstances()) {
            if (!matches(st, filter) || !m_registry.serves(rec, st))
                continue;
            CDbAllType v = rec->defaultValue();
            if (CDbPresFunc* pres = rec->def()->pres) {
                CDbSingleRequest req(m_pipeline.engine(), rec, st, rec->value(st), &answer);
                CDbDataType* p = nullptr;
                m_pipeline.callFunction(req.ctx, st.t0, [&](CDbCnct& c) {
                    p = pres->presetValue(c);
                    if (!p)
                        p = pres->presetValue(rec->name().constData(), st);
                    return int(DbOk);
                });
                CDbAllType given(p), coerced;
                if (p && rec->coerce(given, coerced) == DbOk)
                    v = coerced;
            }
            const int rc = m_pipeline.restore(rec, st, v, answer);
            if (first == DbOk)
                first = rc;
        }
    }
    return first;
}

// ---------------------------------------------------------------------------------------------
// Save and recall

int CDbSettingsFiles::passSavRcl(CDbRecord* rec, const SDbInstTupel& t, CDbAllType& v, bool save,
                                 CDbForwardAnswerBuffer& answer) {
    CDbSavRclFunc* sr = rec->def()->savRcl;
    if (!sr)
        return DbOk;
    CDbSingleRequest req(m_pipeline.engine(), rec, t, v, &answer);
    const int rc = m_pipeline.callFunction(req.ctx, t.t0,
                                           [&](CDbCnct& c) { return save ? sr->save(c) : sr->recall(c); });
    if (rc == DbOk)
        v = req.ctx.value;
    return rc;
}

int CDbSettingsFiles::saveSettings(const QString& path, int group, unsigned mask, int t0, int t1,
                                   const char* module, CDbAnswerBuffer* answer) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_pipeline.errorSink());
    return saveWith(path, group, mask, t0, t1, nullptr, module, nullptr, nullptr, fwd);
}

int CDbSettingsFiles::saveWith(const QString& path, int group, unsigned mask, int t0, int t1,
                               const char* const* names, const char* module, const char* section,
                               const char* key, CDbForwardAnswerBuffer& answer) {
    if (path.isEmpty()) {
        CDbRequestPipeline::refuse(answer, DbErrBadFileName, t0);
        return DbErrBadFileName;
    }
    CDbRequestPipeline::Level level(m_pipeline);
    if (!level.ok()) {
        CDbRequestPipeline::refuse(answer, DbErrNesting, t0);
        return DbErrNesting;
    }
    QVector<CLynxFile::SEntry> entries;
    for (CDbRecord* rec : m_registry.allRecords()) {
        if (!inSettings(rec, group, mask, true) || rec->sharedOn(0x3))
            continue;
        if (names) {
            bool listed = false;
            for (const char* const* n = names; *n && !listed; ++n)
                listed = rec->name() == *n;
            if (!listed)
                continue;
        }
        for (const SDbInstTupel& st : rec->storedInstances()) {
            if (st.t0 != t0 || st.t1 != t1 || !m_registry.serves(rec, st))
                continue;
            CDbAllType v = rec->value(st);
            // On an error nothing is written: the old file stays as it was.
            if (const int rc = passSavRcl(rec, st, v, true, answer); rc != DbOk)
                return rc;
            if (CLynxFile::encodeValue(v).isEmpty())
                continue;
            CLynxFile::SEntry entry;
            entry.name = rec->name();
            entry.t2 = st.t2;
            entry.t3 = st.t3;
            entry.value = v;
            entries.append(std::move(entry));
        }
    }
    CLynxFile::SHeader h;
    h.module = module && *module ? QByteArray(module) : QByteArray("Host");
    h.section = section ? QByteArray(section) : QByteArray();
    h.key = key ? QByteArray(key) : QByteArray();
    h.group = group;
    h.mask = mask;
    const QByteArray data = CLynxFile::format(h, entries);

    // Written to a temporary file and renamed into place, so an interrupted save leaves the old file;
    // neither step follows a link, and only a settings file is ever replaced.
    QString why;
    if (VGXSafeFile::writeReplacing(path, data, &why, &CLynxFile::isSettingsFile) != VGXSafeFile::Ok) {
        answer.errOut(
            DbErrFileWrite, t0,
            QStringLiteral("%1: %2 (%3)").arg(QLatin1String(dbErrorText(DbErrFileWrite)), path, why));
        return DbErrFileWrite;
    }
    return DbOk;
}

int CDbSettingsFiles::recallSettings(const QString& path, int t0, int t1, const char* module,
                                     CDbAnswerBuffer* answer, const std::function<void()>& preset) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_pipeline.errorSink());
    return recallWith(path, t0, t1, module ? QByteArray(module) : QByteArray(), -1, preset, fwd);
}

int CDbSettingsFiles::recallWith(const QString& path, int t0, int t1, const QByteArray& module,
                                 int moduleNumber, const std::function<void()>& preset,
                                 CDbForwardAnswerBuffer& answer) {
    if (path.isEmpty()) {
        CDbRequestPipeline::refuse(answer, DbErrBadFileName, t0);
        return DbErrBadFileName;
    }
    if (m_recalling) {
        CDbRequestPipeline::refuse(answer, DbErrNesting, t0);
        return DbErrNesting;
    }
    const QString fileName = QFileInfo(path).fileName();
    auto damaged = [&](const QString& why) {
        answer.errOut(
            DbErrBadFile, t0,
            QStringLiteral("%1: %2: %3").arg(QLatin1String(dbErrorText(DbErrBadFile)), fileName, why));
        return int(DbErrBadFile);
    };
    // Only a regular file, opened without waiting and read up to the bound.
    QByteArray data;
    QString readError;
    switch (VGXSafeFile::readRegular(path, kMaxSettingsFileSize, data, &readError)) {
    case VGXSafeFile::Ok:
        break;
    case VGXSafeFile::Missing:
        answer.errOut(DbErrFileMissing, t0,
                      QStringLiteral("%1: %2").arg(QLatin1String(dbErrorText(DbErrFileMissing)), fileName));
        return DbErrFileMissing;
    default:
        return damaged(readError);
    }

    // Read and check the whole file before anything changes.
    CLynxFile::SHeader h;
    QVector<CLynxFile::SEntry> entries;
    QString why;
    if (!CLynxFile::parse(data, h, entries, why))
        return damaged(why);
    if (!module.isEmpty() && h.module != module)
        return damaged(QStringLiteral("the file belongs to \"%1\", not to \"%2\"")
                           .arg(QString::fromUtf8(h.module), QString::fromUtf8(module)));
    std::vector<CDbAllType> values;
    for (const CLynxFile::SEntry& en : entries) {
        const SDbInstTupel t{t0, t1, en.t2, en.t3};
        const QString where = QStringLiteral("line %1: %2").arg(en.line).arg(QString::fromUtf8(en.name));
        int e = DbOk;
        CDbRecord* rec = m_registry.resolve(en.name, t, e);
        if (!rec)
            return damaged(where + (e == DbErrInstance
                                        ? QStringLiteral(" has no instance [%1,%2]").arg(en.t2).arg(en.t3)
                                        : QStringLiteral(" is not a known parameter")));
        if (moduleNumber >= 0 && rec->module() != moduleNumber)
            return damaged(where + QStringLiteral(" belongs to another module"));
        if (!inSettings(rec, h.group, h.mask, true))
            return damaged(where + QStringLiteral(" is not part of these settings"));
        CDbAllType v;
        if (rec->coerce(en.value, v) != DbOk)
            return damaged(where + QStringLiteral(" has the wrong type"));
        // A save/recall object may store values in another form; it checks them itself.
        if (!rec->def()->savRcl && rec->rangeTest(v, nullptr, nullptr) != DbOk)
            return damaged(where + QStringLiteral(" is out of range"));
        values.push_back(std::move(v));
    }

    m_recalling = true;
    CDbRequestPipeline::Level level(m_pipeline); // changes are delivered once the whole recall is done
    if (!level.ok()) {
        m_recalling = false;
        CDbRequestPipeline::refuse(answer, DbErrNesting, t0);
        return DbErrNesting;
    }
    if (preset)
        preset();
    int first = DbOk;
    for (int i = 0; i < entries.size(); ++i) {
        const CLynxFile::SEntry& en = entries.at(i);
        const SDbInstTupel t{t0, t1, en.t2, en.t3};
        int e = DbOk;
        CDbRecord* rec = m_registry.resolve(en.name, t, e);
        SDbInstTupel stored;
        if (!rec || rec->storedTupel(t, stored) != DbOk)
            continue;
        CDbAllType v = values.at(size_t(i));
        if (const int rc = passSavRcl(rec, t, v, false, answer); rc != DbOk) {
            if (first == DbOk)
                first = rc;
            continue;
        }
        CDbAllType coerced;
        e = rec->coerce(v, coerced);
        if (e == DbOk)
            e = rec->rangeTest(coerced, nullptr, nullptr);
        if (e == DbOk)
            e = m_pipeline.restore(rec, stored, coerced, answer);
        else
            CDbRequestPipeline::refuse(answer, e, t0);
        if (first == DbOk)
            first = e;
    }
    m_recalling = false;
    return first;
}

// ---------------------------------------------------------------------------------------------
// User files

QString CDbSettingsFiles::userSettingsDir() const {
    if (!m_userDir.isEmpty())
        return QDir::cleanPath(m_userDir);
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           QStringLiteral("/VGX"));
}

QString CDbSettingsFiles::userFilePath(const QString& name, bool settingsFile) const {
    if (settingsFile)
        return VGXSafeFile::fileInFolder(userSettingsDir(), name, QStringLiteral("lynx"));
    return vgxPathInFolder(userSettingsDir(), name);
}

} // namespace MvQARN
