#include "host/db/impl/CDbEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnvInFunc.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbPresFunc.h"
#include "host/db/CDbSavRclFunc.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/impl/CDbDataBaseIfcImpl.h"
#include "host/db/impl/CDbForwardAnswerBuffer.h"
#include "host/db/impl/CDbListenerHub.h"
#include "host/db/impl/CDbMsgBufferImpl.h"
#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/CDbRequest.h"
#include "host/db/impl/CLynxFile.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

// A conversion-in may hand the head on to another parameter; a longer chain is a definition loop.
constexpr int kMaxRenames = 8;
// Listeners and observers that write start new requests; past this many rounds of changes caused
// by change handlers the rest is dropped rather than looping forever.
constexpr int kMaxDispatchRounds = 64;
// A settings file is a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxSettingsFileSize = 4 * 1024 * 1024;

// File-list type of settings files and the file operations of catalogues and delete names.
constexpr int kFileListSettings = 0xbc;
constexpr int kFileOpDelete = 2;
constexpr int kFileOpCatalogue = 7;

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

CDbMsg* probeMsg(const CDbRecord* rec, const SDbInstTupel& t, const CDbAllType& v, int msgType) {
    return new CDbMsg(0, 0, rec->name().constData(), v, msgType, 0, 0, t.t0, t.t1, t.t2, t.t3);
}

QString textOf(const CDbRequest& ctx, int error) {
    return ctx.errorText.isEmpty() ? QString::fromLatin1(dbErrorText(error)) : ctx.errorText;
}

// A request of its own about one instance of a record: its list holds just that instance's message,
// which is the one being handled.
struct SOwnRequest {
    SOwnRequest(CDbEngine& engine, const CDbRecord* rec, const SDbInstTupel& t, const CDbAllType& v,
                CDbForwardAnswerBuffer* answer, int msgType = DbMsgSet)
        : ctx(engine, &list, answer, rec) {
        list.append(probeMsg(rec, t, v, msgType));
        ctx.name = rec->name();
        ctx.tupel = t;
        ctx.value = v;
        ctx.current = list.head();
    }
    SOwnRequest(const SOwnRequest&) = delete;
    SOwnRequest& operator=(const SOwnRequest&) = delete;

    CDbMsgList list; // declared first: the request points to it
    CDbRequest ctx;
};

} // namespace

// Counts one level of nested requests and reads for as long as it lives.
class CDbEngine::Enter {
public:
    explicit Enter(CDbEngine& e) : m_e(e), m_ok(e.m_depth < e.m_nestingLimit) {
        if (m_ok)
            ++m_e.m_depth;
    }
    ~Enter() {
        if (m_ok)
            m_e.leave();
    }
    Enter(const Enter&) = delete;
    Enter& operator=(const Enter&) = delete;
    bool ok() const { return m_ok; }

private:
    CDbEngine& m_e;
    bool m_ok;
};

struct CDbEngine::SValidated {
    CDbRecord* rec = nullptr;
    bool deferred = false; // type test after conversion-in (execute messages carrying an argument)
    bool hasLimits = false;
    QVector<double> limits;
    bool hasChoices = false;
    QVector<int> choices;
};

template <typename Fn> int CDbEngine::callFunction(CDbRequest& ctx, int instance, Fn&& fn, int* queued) {
    CDbForwardAnswerBuffer& answer = ctx.answer();
    const int mark = answer.mark();
    int rc = DbOk;
    {
        CDbCnct cnct(&ctx);
        rc = fn(cnct);
    }
    const int queuedRc = ctx.runQueue();
    if (queued)
        *queued = queuedRc;
    if (rc != DbOk && !answer.reportedSince(mark, rc))
        report(answer, rc, instance, textOf(ctx, rc));
    return rc;
}

CDbEngine& CDbEngine::instance() {
    static CDbEngine engine;
    return engine;
}

CDbEngine::CDbEngine()
    : m_ifc(new CDbDataBaseIfcImpl(*this, nullptr, -1)), m_msgBuffer(new CDbMsgBufferImpl(*this)) {}

CDbEngine::~CDbEngine() = default;

void CDbEngine::reset() {
    if (m_hub)
        m_hub->clear();
    m_registry.reset();
    m_modeWord = 0x121;
    m_olCommand = nullptr;
    m_listAdm = nullptr;
    m_userDir.clear();
    m_errorSink = nullptr;
    m_changes.clear();
    m_changeKeys.clear();
    m_observers.clear();
}

// ---------------------------------------------------------------------------------------------
// Requests

int CDbEngine::write(const CDbMsg& msg, CDbAnswerBuffer* answer) {
    CDbMsgList list;
    list.append(new CDbMsg(msg));
    return write(list, answer);
}

int CDbEngine::write(CDbMsgList& msgs, CDbAnswerBuffer* answer) {
    CDbMsgList list;
    while (!msgs.isEmpty())
        list.append(msgs.takeAt(0));
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return runRequest(list, fwd);
}

int CDbEngine::write(const char* name, const SDbInstTupel& t, const CDbAllType& value,
                     CDbAnswerBuffer* answer, int msgType, unsigned flags) {
    return write(CDbMsg(0, 0, name, value, msgType, flags, 0, t.t0, t.t1, t.t2, t.t3), answer);
}

void CDbEngine::report(CDbForwardAnswerBuffer& answer, int error, int instance, const QString& text) {
    answer.errOut(error, instance, text);
}

int CDbEngine::validate(CDbMsgList& list, int index, CDbForwardAnswerBuffer& answer, bool head,
                        SValidated& out) {
    CDbMsg* msg = list.at(index);
    const int t0 = msg->getTupel().t0;
    int e = DbOk;
    CDbRecord* rec = resolve(msg->getName(), msg->getTupel(), e);
    if (!rec) {
        report(answer, e, t0, QString::fromLatin1(dbErrorText(e)));
        return e;
    }
    out.rec = rec;
    CDbAllType coerced;
    e = rec->coerce(msg->getValue(), coerced);
    if (e != DbOk) {
        // An execute message may carry an argument of another type for its conversion-in to read.
        if (head && msg->getMsgType() == DbMsgExec && rec->def()->cnvIn) {
            out.deferred = true;
        } else {
            report(answer, e, t0, QString::fromLatin1(dbErrorText(e)));
            return e;
        }
    } else {
        msg->setValue(coerced);
    }
    if (CDbChkFunc* chk = rec->def()->chk) {
        CDbRequest ctx(*this, &list, &answer, rec);
        ctx.name = msg->getName();
        ctx.tupel = msg->getTupel();
        ctx.value = msg->getValue();
        ctx.current = msg;
        const int rc = callFunction(ctx, t0, [chk](CDbCnct& c) { return chk->check(c); });
        if (rc != DbOk)
            return rc;
        if (ctx.result.getType() == DbTypeNDbl) {
            const auto* lim = static_cast<const CDbDataTypeNDbl*>(ctx.result.get());
            if (lim->count() >= 2) {
                out.hasLimits = true;
                out.limits = {lim->at(0), lim->at(1)};
            }
        }
        if (ctx.hasAvail) {
            out.hasChoices = true;
            out.choices = ctx.avail;
        }
    }
    if (!out.deferred) {
        e = rec->rangeTest(msg->value(), out.hasLimits ? &out.limits : nullptr,
                           out.hasChoices ? &out.choices : nullptr);
        if (e != DbOk) {
            report(answer, e, t0, QString::fromLatin1(dbErrorText(e)));
            return e;
        }
    }
    return DbOk;
}

int CDbEngine::validateHead(CDbMsgList& list, CDbForwardAnswerBuffer& answer) {
    for (int renames = 0;; ++renames) {
        if (list.isEmpty())
            return DbOk;
        if (renames > kMaxRenames) {
            report(answer, DbErrNesting, list.head()->getTupel().t0,
                   QString::fromLatin1(dbErrorText(DbErrNesting)));
            return DbErrNesting;
        }
        SValidated v;
        int e = validate(list, 0, answer, true, v);
        if (e != DbOk)
            return e;
        CDbCnvInFunc* cnvIn = v.rec->def()->cnvIn;
        if (!cnvIn)
            return DbOk;
        CDbMsg* head = list.head();
        const QByteArray nameBefore = head->getName();
        const SDbInstTupel tupelBefore = head->getTupel();
        CDbRequest ctx(*this, &list, &answer, v.rec);
        ctx.name = nameBefore;
        ctx.tupel = tupelBefore;
        ctx.value = head->getValue();
        ctx.current = head;
        const int rc = callFunction(ctx, tupelBefore.t0, [cnvIn](CDbCnct& c) { return cnvIn->convert(c); });
        if (rc != DbOk)
            return rc;
        head = list.head();
        if (!head)
            return DbOk;
        if (head->getName() != nameBefore || !(head->getTupel() == tupelBefore))
            continue; // the new parameter gets its own tests, check and conversion
        // Same parameter: the converted value must still fit the record.
        CDbAllType coerced;
        e = v.rec->coerce(head->getValue(), coerced);
        if (e == DbOk) {
            head->setValue(coerced);
            e = v.rec->rangeTest(head->value(), v.hasLimits ? &v.limits : nullptr,
                                 v.hasChoices ? &v.choices : nullptr);
        }
        if (e != DbOk)
            report(answer, e, tupelBefore.t0, QString::fromLatin1(dbErrorText(e)));
        return e;
    }
}

int CDbEngine::runRequest(CDbMsgList& list, CDbForwardAnswerBuffer& answer) {
    if (list.isEmpty())
        return DbOk;
    Enter enter(*this);
    if (!enter.ok()) {
        report(answer, DbErrNesting, list.head()->getTupel().t0,
               QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    int e = validateHead(list, answer);
    if (e != DbOk)
        return e;
    for (int i = 1; i < list.count(); ++i) {
        SValidated v;
        e = validate(list, i, answer, false, v);
        if (e != DbOk)
            return e;
    }

    // Everything is accepted: store all, then run the updates in list order.
    struct SDone {
        CDbRecord* rec;
        CDbMsg* msg;
        CDbAllType value;
        CDbAllType previous;
        bool changed;
    };
    std::vector<SDone> done;
    for (int i = 0; i < list.count(); ++i) {
        CDbMsg* msg = list.at(i);
        CDbRecord* rec = resolve(msg->getName(), msg->getTupel(), e);
        SDbInstTupel stored;
        CDbAllType value;
        if (!rec || rec->storedTupel(msg->getTupel(), stored) != DbOk ||
            rec->coerce(msg->getValue(), value) != DbOk)
            continue;
        const bool event = rec->type() == DbTypeEvent;
        CDbAllType previous = rec->value(stored);
        const bool changed = event || !previous.isEqual(value);
        if (!event)
            rec->setValue(stored, value);
        if (changed)
            noteChange(rec, stored);
        done.push_back(SDone{rec, msg, std::move(value), std::move(previous), changed});
    }
    int first = DbOk;
    for (SDone& d : done) {
        CDbUpdFunc* upd = d.rec->def()->upd;
        if (!upd)
            continue;
        CDbRequest ctx(*this, &list, &answer, d.rec);
        ctx.name = d.msg->getName();
        ctx.tupel = d.msg->getTupel();
        ctx.value = d.value;
        ctx.current = d.msg;
        ctx.changeFlags = d.changed ? unsigned(ChangeValue) : 0u;
        int queued = DbOk;
        const int rc = callFunction(
            ctx, ctx.tupel.t0, [&](CDbCnct& c) { return upd->update(c, d.previous); }, &queued);
        if (first == DbOk)
            first = rc != DbOk ? rc : queued;
    }
    return first;
}

// ---------------------------------------------------------------------------------------------
// Reads

int CDbEngine::read(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbAnswerBuffer* answer) {
    return read(name, t, out, answer, DbMsgSet);
}

int CDbEngine::read(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbAnswerBuffer* answer,
                    int msgType) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return readWith(name, t, out, fwd, msgType);
}

int CDbEngine::readWith(const char* name, const SDbInstTupel& t, CDbAllType& out,
                        CDbForwardAnswerBuffer& answer, int msgType) {
    int e = DbOk;
    SDbInstTupel stored;
    CDbRecord* rec = storedRecord(name, t, stored, e);
    if (!rec)
        return e;
    const CDbAllType value = rec->value(stored);
    CDbCnvOutFunc* cnvOut = rec->def()->cnvOut;
    if (!cnvOut) {
        out = value;
        return DbOk;
    }
    Enter enter(*this);
    if (!enter.ok()) {
        report(answer, DbErrNesting, t.t0, QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    CDbForwardAnswerBuffer own(&answer); // this read's answer slot; errors go on to the caller
    SOwnRequest req(*this, rec, t, value, &own, msgType);
    // What a conversion-out returns is no error of the read: its answer is the value read.
    callFunction(req.ctx, t.t0, [cnvOut](CDbCnct& c) {
        cnvOut->convert(c);
        return int(DbOk);
    });
    out = own.hasAnswer() ? own.getAnswer() : value;
    return DbOk;
}

CDbDataBaseIfc* CDbEngine::dataBaseIfc() {
    return m_ifc.get();
}

CDbMsgBuffer* CDbEngine::msgBuffer() {
    return m_msgBuffer.get();
}

// ---------------------------------------------------------------------------------------------
// Limits and choices

void CDbEngine::queryCheck(CDbRecord* rec, const SDbInstTupel& t, CDbRequest& ctx) {
    CDbChkFunc* chk = rec->def()->chk;
    if (!chk)
        return;
    Enter enter(*this);
    if (!enter.ok())
        return;
    SDbInstTupel stored;
    if (rec->storedTupel(t, stored) != DbOk)
        return;
    ctx.query = true;
    ctx.name = rec->name();
    ctx.tupel = t;
    ctx.value = rec->value(stored);
    ctx.list().append(probeMsg(rec, t, ctx.value, DbMsgSet));
    ctx.current = ctx.list().head();
    {
        CDbCnct cnct(&ctx);
        chk->check(cnct);
    }
    ctx.discardQueue();
}

bool CDbEngine::limits(const char* name, const SDbInstTupel& t, double& min, double& max) {
    int e = 0;
    CDbRecord* rec = name ? resolve(QByteArray(name), t, e) : nullptr;
    if (!rec)
        return false;
    if (rec->type() == DbTypeSelect) {
        const QVector<int> c = choices(name, t);
        if (c.isEmpty())
            return false;
        min = *std::min_element(c.begin(), c.end());
        max = *std::max_element(c.begin(), c.end());
        return true;
    }
    double lo = 0, hi = 0;
    if (!rec->staticLimits(lo, hi))
        return false;
    CDbRequest ctx(*this, nullptr);
    queryCheck(rec, t, ctx);
    if (ctx.result.getType() == DbTypeNDbl) {
        const auto* lim = static_cast<const CDbDataTypeNDbl*>(ctx.result.get());
        if (lim->count() >= 2) {
            lo = lim->at(0);
            hi = lim->at(1);
        }
    }
    min = lo;
    max = hi;
    return true;
}

QVector<int> CDbEngine::choices(const char* name, const SDbInstTupel& t) {
    int e = 0;
    CDbRecord* rec = name ? resolve(QByteArray(name), t, e) : nullptr;
    if (!rec || rec->type() != DbTypeSelect)
        return {};
    CDbRequest ctx(*this, nullptr);
    queryCheck(rec, t, ctx);
    if (ctx.hasAvail)
        return ctx.avail;
    QVector<int> c = rec->staticChoices();
    if (ctx.result.getType() == DbTypeNDbl) {
        const auto* lim = static_cast<const CDbDataTypeNDbl*>(ctx.result.get());
        if (lim->count() >= 2)
            c.removeIf([&](int v) { return v < lim->at(0) || v > lim->at(1); });
    }
    return c;
}

// ---------------------------------------------------------------------------------------------
// Change notification

void CDbEngine::noteChange(const CDbRecord* rec, const SDbInstTupel& stored) {
    if (!m_changeKeys.insert({rec->def(), CDbRecord::keyOf(stored)}).second)
        return;
    m_changes.append(SChange{rec->name(), stored, rec->def()});
}

void CDbEngine::leave() {
    --m_depth;
    if (m_depth == 0 && !m_dispatching && !m_changes.isEmpty())
        flushChanges();
}

void CDbEngine::flushChanges() {
    // Handlers that write start requests of their own; their changes are collected and delivered in
    // the next round of this loop instead of recursively.
    m_dispatching = true;
    for (int round = 0; round < kMaxDispatchRounds && !m_changes.isEmpty(); ++round) {
        QVector<SChange> batch;
        batch.swap(m_changes);
        m_changeKeys.clear();
        if (m_hub)
            m_hub->dispatch(batch);
        QList<int> ids;
        for (const auto& o : m_observers)
            ids.append(o.first);
        for (int id : ids) {
            auto it = m_observers.find(id);
            if (it == m_observers.end())
                continue;
            auto fn = it->second; // the observer may remove itself while running
            fn(batch);
        }
    }
    m_changes.clear();
    m_changeKeys.clear();
    m_dispatching = false;
}

int CDbEngine::addRequestObserver(std::function<void(const QVector<SChange>&)> fn) {
    const int id = m_nextObserver++;
    m_observers[id] = std::move(fn);
    return id;
}

void CDbEngine::removeRequestObserver(int id) {
    m_observers.erase(id);
}

// ---------------------------------------------------------------------------------------------
// Preset, save and recall

bool CDbEngine::inSettings(const CDbRecord* rec, int group, unsigned mask, bool withSaveRecall) const {
    const SDbDefCommon* d = rec->def();
    // Actions and the file-operation parameters (names of settings files, catalogues, delete names)
    // are no settings.
    if (rec->type() == DbTypeEvent || d->fileListType == kFileListSettings || d->fileOp == kFileOpDelete ||
        d->fileOp == kFileOpCatalogue)
        return false;
    if (groupSelected(d->grp, group, mask))
        return true;
    // A save/recall object says the parameter takes part in settings files whatever its group.
    return withSaveRecall && d->savRcl;
}

int CDbEngine::storeOne(CDbRecord* rec, const SDbInstTupel& stored, const CDbAllType& v,
                        CDbForwardAnswerBuffer& answer) {
    Enter enter(*this);
    if (!enter.ok()) {
        report(answer, DbErrNesting, stored.t0, QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    const CDbAllType previous = rec->value(stored);
    if (previous.isEqual(v))
        return DbOk;
    rec->setValue(stored, v);
    noteChange(rec, stored);
    CDbUpdFunc* upd = rec->def()->upd;
    if (!upd)
        return DbOk;
    SOwnRequest req(*this, rec, stored, v, &answer);
    // Bit 0 marks a change a request made; values a preset or a recall restores carry only their
    // own bit, so actions tied to a user's change (a new box selection) do not run for them.
    req.ctx.changeFlags = ChangePresetRecall;
    int queued = DbOk;
    const int rc = callFunction(
        req.ctx, stored.t0, [&](CDbCnct& c) { return upd->update(c, previous); }, &queued);
    return rc != DbOk ? rc : queued;
}

int CDbEngine::presetGroup(int group, unsigned mask, int t0, int t1, int t2, int t3, const char* name,
                           CDbAnswerBuffer* answer) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    const int filter[4] = {t0, t1, t2, t3};
    return presetWith(group, mask, filter, name, fwd);
}

int CDbEngine::presetWith(int group, unsigned mask, const int filter[4], const char* name,
                          CDbForwardAnswerBuffer& answer) {
    Enter enter(*this); // changes are delivered once the whole preset is done
    if (!enter.ok()) {
        report(answer, DbErrNesting, filter[0], QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    unsigned axes = 0;
    for (int i = 0; i < 4; ++i)
        if (filter[i] >= 0)
            axes |= 1u << i;
    const std::vector<CDbRecord*> recs = m_registry.allRecords();
    int first = DbOk;
    for (CDbRecord* rec : recs) {
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
                SOwnRequest req(*this, rec, st, rec->value(st), &answer);
                CDbDataType* p = nullptr;
                callFunction(req.ctx, st.t0, [&](CDbCnct& c) {
                    p = pres->presetValue(c);
                    if (!p)
                        p = pres->presetValue(rec->name().constData(), st);
                    return int(DbOk);
                });
                CDbAllType given(p), coerced;
                if (p && rec->coerce(given, coerced) == DbOk)
                    v = coerced;
            }
            const int rc = storeOne(rec, st, v, answer);
            if (first == DbOk)
                first = rc;
        }
    }
    return first;
}

int CDbEngine::passSavRcl(CDbRecord* rec, const SDbInstTupel& t, CDbAllType& v, bool save,
                          CDbForwardAnswerBuffer& answer) {
    CDbSavRclFunc* sr = rec->def()->savRcl;
    if (!sr)
        return DbOk;
    SOwnRequest req(*this, rec, t, v, &answer);
    const int rc =
        callFunction(req.ctx, t.t0, [&](CDbCnct& c) { return save ? sr->save(c) : sr->recall(c); });
    if (rc == DbOk)
        v = req.ctx.value;
    return rc;
}

int CDbEngine::saveSettings(const QString& path, int group, unsigned mask, int t0, int t1, const char* module,
                            CDbAnswerBuffer* answer) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return saveWith(path, group, mask, t0, t1, nullptr, module, nullptr, nullptr, fwd);
}

int CDbEngine::saveWith(const QString& path, int group, unsigned mask, int t0, int t1,
                        const char* const* names, const char* module, const char* section, const char* key,
                        CDbForwardAnswerBuffer& answer) {
    if (path.isEmpty()) {
        report(answer, DbErrBadFileName, t0, QString::fromLatin1(dbErrorText(DbErrBadFileName)));
        return DbErrBadFileName;
    }
    Enter enter(*this);
    if (!enter.ok()) {
        report(answer, DbErrNesting, t0, QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    QVector<CLynxFile::SEntry> entries;
    const std::vector<CDbRecord*> recs = m_registry.allRecords();
    for (CDbRecord* rec : recs) {
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

    // Written to a temporary file and renamed into place, so an interrupted save leaves the old file.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    // Unbuffered, so that a write the disk cuts short is seen here: a buffered commit would rename a
    // truncated file into place.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; ok && done < data.size();) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        ok = n > 0;
        done += ok ? n : 0;
    }
    if (file.isOpen()) {
        if (!ok)
            file.cancelWriting();
        ok = file.commit() && ok;
    }
    if (!ok) {
        report(answer, DbErrFileWrite, t0,
               QStringLiteral("%1: %2 (%3)")
                   .arg(QLatin1String(dbErrorText(DbErrFileWrite)), path, file.errorString()));
        return DbErrFileWrite;
    }
    return DbOk;
}

int CDbEngine::recallSettings(const QString& path, int t0, int t1, const char* module,
                              CDbAnswerBuffer* answer, const std::function<void()>& preset) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return recallWith(path, t0, t1, module ? QByteArray(module) : QByteArray(), -1, preset, fwd);
}

int CDbEngine::recallWith(const QString& path, int t0, int t1, const QByteArray& module, int moduleNumber,
                          const std::function<void()>& preset, CDbForwardAnswerBuffer& answer) {
    if (path.isEmpty()) {
        report(answer, DbErrBadFileName, t0, QString::fromLatin1(dbErrorText(DbErrBadFileName)));
        return DbErrBadFileName;
    }
    if (m_recalling) {
        report(answer, DbErrNesting, t0, QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    const QString fileName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        report(answer, DbErrFileMissing, t0,
               QStringLiteral("%1: %2").arg(QLatin1String(dbErrorText(DbErrFileMissing)), fileName));
        return DbErrFileMissing;
    }
    auto damaged = [&](const QString& why) {
        report(answer, DbErrBadFile, t0,
               QStringLiteral("%1: %2: %3").arg(QLatin1String(dbErrorText(DbErrBadFile)), fileName, why));
        return int(DbErrBadFile);
    };
    if (file.size() > kMaxSettingsFileSize)
        return damaged(QStringLiteral("the file is too large"));
    const QByteArray data = file.readAll();
    file.close();

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
        CDbRecord* rec = resolve(en.name, t, e);
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
    Enter enter(*this); // changes are delivered once the whole recall is done
    if (!enter.ok()) {
        m_recalling = false;
        report(answer, DbErrNesting, t0, QString::fromLatin1(dbErrorText(DbErrNesting)));
        return DbErrNesting;
    }
    if (preset)
        preset();
    int first = DbOk;
    for (int i = 0; i < entries.size(); ++i) {
        const CLynxFile::SEntry& en = entries.at(i);
        const SDbInstTupel t{t0, t1, en.t2, en.t3};
        int e = DbOk;
        CDbRecord* rec = resolve(en.name, t, e);
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
            e = storeOne(rec, stored, coerced, answer);
        else
            report(answer, e, t0, QString::fromLatin1(dbErrorText(e)));
        if (first == DbOk)
            first = e;
    }
    m_recalling = false;
    return first;
}

// ---------------------------------------------------------------------------------------------
// User files

QString CDbEngine::userSettingsDir() const {
    if (!m_userDir.isEmpty())
        return QDir::cleanPath(m_userDir);
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           QStringLiteral("/VGX"));
}

QString CDbEngine::userFilePath(const QString& name, bool settingsFile) const {
    const QString full = vgxPathInFolder(userSettingsDir(), name);
    if (full.isEmpty())
        return QString();
    if (settingsFile && QFileInfo(full).suffix().isEmpty())
        return full + QStringLiteral(".lynx");
    return full;
}

std::unique_ptr<CDbCnct> CDbEngine::makeContext(const char* name, const SDbInstTupel& t,
                                                const CDbAllType& value, CDbAnswerBuffer* answer) {
    auto* req = new CDbRequest(*this, answer ? answer : m_errorSink);
    req->ownedByContext = true;
    req->name = name ? QByteArray(name) : QByteArray();
    req->tupel = t;
    req->value = value;
    if (name) {
        req->list().append(new CDbMsg(0, 0, name, value, DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
        req->current = req->list().head();
        int e = 0;
        req->setRecord(resolve(QByteArray(name), t, e));
    }
    return std::make_unique<CDbCnct>(req);
}

} // namespace MvQARN
