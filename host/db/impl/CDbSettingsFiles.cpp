#include "host/db/impl/CDbSettingsFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <map>
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

// The host's event that tells modules a recall was done.
constexpr char kRecallEvent[] = "IdPDbDbRecall";

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

CDbAllType CDbSettingsFiles::presetValue(CDbRecord* rec, const SDbInstTupel& st,
                                         CDbForwardAnswerBuffer& answer) {
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
    return v;
}

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
    std::vector<CDbRequestPipeline::SRestore> values;
    for (CDbRecord* rec : m_registry.allRecords()) {
        if (!inSettings(rec, group, mask, false))
            continue;
        if (name && *name && rec->name() != name)
            continue;
        // A value shared by several instances is not one instance's to reset.
        if (axes && rec->sharedOn(axes))
            continue;
        for (const SDbInstTupel& st : rec->storedInstances())
            if (matches(st, filter) && m_registry.serves(rec, st))
                values.push_back(CDbRequestPipeline::SRestore{rec, st, presetValue(rec, st, answer)});
    }
    return restoreState(values, answer);
}

int CDbSettingsFiles::restoreState(const std::vector<CDbRequestPipeline::SRestore>& values,
                                   CDbForwardAnswerBuffer& answer) {
    // All values first, then their update functions: each sees the new state as a whole, and no
    // clamp runs against a value that is still to come.
    int first = m_pipeline.restoreAll(values, answer);
    // Update functions also reset values that follow a change (a new test source turns its PRBS
    // off); the state to leave says what they are.
    for (const CDbRequestPipeline::SRestore& r : values)
        if (!r.rec->value(r.stored).isEqual(r.value))
            if (const int rc = m_pipeline.restore(r.rec, r.stored, r.value, answer); first == DbOk)
                first = rc;
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
    return applyRecalled(h, entries, fileName, t0, t1, moduleNumber, preset, answer);
}

namespace {

// Flags of the set message that check functions see for a recalled value: a recall puts back what
// the system had stored, SSI control data of either direction included.
constexpr unsigned kRecallFlags = DbFlagLiftSsiDirection;

// The single choice a selection offers, which a recall takes whatever the file holds (the In side's
// direction); -1 when there are several.
int forcedChoice(const QVector<int>& offered) {
    return offered.size() == 1 ? offered.first() : -1;
}

QString valueText(const CDbAllType& v) {
    const QString t = v.toText();
    return t.size() > 40 ? t.left(37) + QStringLiteral("...") : t;
}

} // namespace

int CDbSettingsFiles::applyRecalled(const CLynxFile::SHeader& h, const QVector<CLynxFile::SEntry>& entries,
                                    const QString& fileName, int t0, int t1, int moduleNumber,
                                    const std::function<void()>& preset, CDbForwardAnswerBuffer& answer) {
    auto damaged = [&](const QString& why) {
        answer.errOut(
            DbErrBadFile, t0,
            QStringLiteral("%1: %2: %3").arg(QLatin1String(dbErrorText(DbErrBadFile)), fileName, why));
        return int(DbErrBadFile);
    };
    struct SItem {
        CDbRecord* rec;
        SDbInstTupel addressed;
        SDbInstTupel stored;
        CDbAllType value;
        CDbAllType baseline; // what the instance holds before the file's values, after the preset
        const CLynxFile::SEntry* entry;
    };
    std::vector<SItem> items;
    items.reserve(size_t(entries.size()));
    std::map<std::pair<const CDbRecord*, CDbRecord::Key>, int> lineOf;
    for (const CLynxFile::SEntry& en : entries) {
        const SDbInstTupel t{t0, t1, en.t2, en.t3};
        const QString where = QStringLiteral("line %1: %2").arg(en.line).arg(QString::fromUtf8(en.name));
        int e = DbOk;
        CDbRecord* rec = m_registry.resolve(en.name, t, e);
        SDbInstTupel stored;
        if (rec && rec->storedTupel(t, stored) != DbOk) {
            rec = nullptr;
            e = DbErrInstance;
        }
        // A value of a parameter that only another interface has (a file made on the In side of path
        // A holds the box-wide ones) does not concern this instance.
        if (!rec && e == DbErrInstance && onOtherInterface(en.name, t))
            continue;
        if (!rec)
            return damaged(where + (e == DbErrInstance
                                        ? QStringLiteral(" has no instance [%1,%2]").arg(en.t2).arg(en.t3)
                                        : QStringLiteral(" is not a known parameter")));
        if (moduleNumber >= 0 && rec->module() != moduleNumber)
            return damaged(where + QStringLiteral(" belongs to another module"));
        if (!inSettings(rec, h.group, h.mask, true))
            return damaged(where + QStringLiteral(" is not part of these settings"));
        // Two values for one place would make the result depend on the order of the lines.
        const auto [it, fresh] = lineOf.emplace(std::make_pair(rec, CDbRecord::keyOf(stored)), en.line);
        if (!fresh)
            return damaged(where + QStringLiteral(" repeats line %1").arg(it->second));
        CDbAllType v;
        if (rec->coerce(en.value, v) != DbOk)
            return damaged(where + QStringLiteral(" has the wrong type"));
        // A save/recall object may store values in another form; it checks them itself.
        if (!rec->def()->savRcl && rec->rangeTest(v, nullptr, nullptr) != DbOk) {
            // A file saved on another interface may hold a value this instance fixes (the In side
            // is always the receiver): the instance's value counts.
            const int forced = forcedChoice(rec->staticChoices());
            if (forced < 0)
                return damaged(where + QStringLiteral(" is out of range"));
            v = CDbAllType::fromInt(forced);
        }
        items.push_back(SItem{rec, t, stored, v, CDbAllType(), &en});
    }

    // Dry run: the state the recall would leave (the preset group, then the file's values) is put in
    // place without running anything, each value is checked in it, and the old values go back. Every
    // value is checked against all the others, so neither the order of the lines nor values the
    // checks refuse can lead to another state than the one saved.
    std::map<std::pair<CDbRecord*, CDbRecord::Key>, std::pair<SDbInstTupel, CDbAllType>> before;
    auto setRaw = [&](CDbRecord* rec, const SDbInstTupel& st, const CDbAllType& v) {
        before.emplace(std::make_pair(rec, CDbRecord::keyOf(st)), std::make_pair(st, rec->value(st)));
        rec->setValue(st, v);
    };
    if (preset) {
        for (CDbRecord* rec : m_registry.allRecords()) {
            if (!inSettings(rec, h.group, h.mask, false) || rec->sharedOn(0x3))
                continue;
            for (const SDbInstTupel& st : rec->storedInstances())
                if (st.t0 == t0 && st.t1 == t1 && m_registry.serves(rec, st))
                    setRaw(rec, st, presetValue(rec, st, answer));
        }
    }
    for (SItem& it : items) {
        it.baseline = it.rec->value(it.stored);
        if (!it.rec->def()->savRcl)
            setRaw(it.rec, it.stored, it.value);
    }
    // Checks a value in the state in place; what the preset leaves is no change of the file's making.
    auto check = [&](SItem& it, CDbRequestPipeline::SFit& fit, QString& why) {
        if (it.rec->def()->savRcl || it.value.isEqual(it.baseline))
            return int(DbOk);
        CDbForwardAnswerBuffer quiet(nullptr);
        CDbAllType v = it.value;
        const int e = m_pipeline.fitValue(it.rec, it.addressed, v, kRecallFlags, quiet, fit);
        if (e == DbOk) {
            it.value = v; // a number within the tolerance of a bound is put onto it
            setRaw(it.rec, it.stored, v);
            return e;
        }
        why =
            quiet.getErrors().isEmpty() ? QString::fromLatin1(dbErrorText(e)) : quiet.getErrors().last().text;
        if (e == DbErrOutOfRange && fit.hasChoices) {
            QStringList offered;
            for (int c : fit.choices)
                offered << QString::number(c);
            why += QStringLiteral(", allowed here: %1").arg(offered.join(QStringLiteral(", ")));
        } else if (e == DbErrOutOfRange && fit.hasLimits) {
            why +=
                QStringLiteral(", allowed here: %1 .. %2").arg(fit.min, 0, 'g', 12).arg(fit.max, 0, 'g', 12);
        }
        return e;
    };
    QString refusal;
    auto refuse = [&](const SItem& it, const QString& why) {
        refusal = QStringLiteral("Settings file refused: %1: line %2: %3 = %4: %5")
                      .arg(fileName)
                      .arg(it.entry->line)
                      .arg(QString::fromUtf8(it.entry->name), valueText(it.value), why);
    };
    // Selections this instance fixes (a single choice left, such as the In side's signal type) in a
    // file made on another interface.
    std::vector<std::pair<SItem*, CDbAllType>> forced;
    for (SItem& it : items) {
        if (it.rec->def()->savRcl || it.rec->type() != DbTypeSelect)
            continue;
        CDbForwardAnswerBuffer quiet(nullptr);
        CDbRequestPipeline::SFit fit;
        CDbAllType v = it.value;
        m_pipeline.fitValue(it.rec, it.addressed, v, kRecallFlags, quiet, fit);
        const int only = fit.hasChoices ? forcedChoice(fit.choices) : -1;
        if (only >= 0 && !it.value.isEqual(CDbAllType::fromInt(only)))
            forced.emplace_back(&it, CDbAllType::fromInt(only));
    }
    // The file must hold a state its own interface allows: each value is checked in it as saved.
    for (SItem& it : items) {
        bool isForced = false;
        for (const auto& f : forced)
            isForced = isForced || f.first == &it;
        CDbRequestPipeline::SFit fit;
        QString why;
        if (!isForced && check(it, fit, why) != DbOk) {
            refuse(it, why);
            break;
        }
    }
    // Then this instance's fixed values go in, and a number they leave outside its limits is pulled
    // onto the nearer one, as the update functions do when such a value changes.
    if (refusal.isEmpty() && !forced.empty()) {
        for (auto& [it, v] : forced) {
            it->value = v;
            setRaw(it->rec, it->stored, v);
        }
        for (SItem& it : items) {
            CDbRequestPipeline::SFit fit;
            QString why;
            if (check(it, fit, why) == DbOk)
                continue;
            double x = 0;
            if (it.rec->type() == DbTypeNumber && fit.hasLimits && fit.min <= fit.max &&
                it.value.toDouble(x)) {
                it.value = CDbAllType::fromDouble(std::clamp(x, fit.min, fit.max));
                setRaw(it.rec, it.stored, it.value);
                if (check(it, fit, why) == DbOk)
                    continue;
            }
            refuse(it, why);
            break;
        }
    }
    for (auto& [key, old] : before)
        key.first->setValue(old.first, old.second);
    if (!refusal.isEmpty()) {
        answer.errOut(DbErrBadFile, t0, refusal);
        return DbErrBadFile;
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
    // The plain values as one state.
    std::vector<CDbRequestPipeline::SRestore> values;
    values.reserve(items.size());
    for (const SItem& it : items)
        if (!it.rec->def()->savRcl)
            values.push_back(CDbRequestPipeline::SRestore{it.rec, it.stored, it.value});
    int first = restoreState(values, answer);
    // Then the values a save/recall object turns back into their stored form.
    for (const SItem& it : items) {
        if (!it.rec->def()->savRcl)
            continue;
        CDbAllType v = it.value;
        int e = passSavRcl(it.rec, it.addressed, v, false, answer);
        if (e != DbOk) {
            if (first == DbOk)
                first = e;
            continue;
        }
        CDbAllType coerced;
        e = it.rec->coerce(v, coerced);
        if (e == DbOk)
            e = it.rec->rangeTest(coerced, nullptr, nullptr);
        if (e == DbOk)
            e = m_pipeline.restore(it.rec, it.stored, coerced, answer);
        else
            CDbRequestPipeline::refuse(answer, e, t0);
        if (first == DbOk)
            first = e;
    }
    noteRecall();
    m_recalling = false;
    return first;
}

bool CDbSettingsFiles::onOtherInterface(const QByteArray& name, const SDbInstTupel& t) const {
    for (int p = 0; p < 2; ++p)
        for (int side = 0; side < 2; ++side) {
            int e = DbOk;
            SDbInstTupel stored;
            const SDbInstTupel other{p, side, t.t2, t.t3};
            if (!(other == t) && m_registry.storedRecord(name.constData(), other, stored, e))
                return true;
        }
    return false;
}

void CDbSettingsFiles::noteRecall() {
    // The host's recall event: modules hear of every recall through the change batch.
    int e = DbOk;
    SDbInstTupel stored;
    if (CDbRecord* rec = m_registry.storedRecord(kRecallEvent, SDbInstTupel{}, stored, e))
        m_pipeline.changes().note(rec, stored);
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
