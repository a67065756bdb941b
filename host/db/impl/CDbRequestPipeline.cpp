#include "host/db/impl/CDbRequestPipeline.h"

#include <QVarLengthArray>
#include <algorithm>
#include <vector>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnvInFunc.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/impl/CDbDefinitionRegistry.h"
#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbForwardAnswerBuffer.h"
#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/CDbRequest.h"
#include "host/db/impl/DbNameKey.h"

namespace MvQARN {

namespace {

// A conversion-in may hand the head on to another parameter; a longer chain is a definition loop.
constexpr int kMaxRenames = 8;

QString textOf(const CDbRequest& ctx, int error) {
    return ctx.errorText.isEmpty() ? QString::fromLatin1(dbErrorText(error)) : ctx.errorText;
}

} // namespace

struct CDbRequestPipeline::SValidated {
    CDbRecord* rec = nullptr;
    bool deferred = false; // type test after conversion-in (execute messages carrying an argument)
    bool hasLimits = false;
    QVector<double> limits;
    bool hasChoices = false;
    QVector<int> choices;
};

CDbRequestPipeline::Level::Level(CDbRequestPipeline& p) : m_p(p), m_ok(p.m_depth < p.m_nestingLimit) {
    if (m_ok)
        ++m_p.m_depth;
}

CDbRequestPipeline::Level::~Level() {
    if (!m_ok)
        return;
    --m_p.m_depth;
    if (m_p.m_depth == 0 && !m_p.m_changes.delivering() && m_p.m_changes.hasPending())
        m_p.m_changes.deliver();
}

CDbRequestPipeline::CDbRequestPipeline(CDbEngine& engine, CDbDefinitionRegistry& registry)
    : m_engine(engine), m_registry(registry) {}

CDbRequestPipeline::~CDbRequestPipeline() = default;

void CDbRequestPipeline::reset() {
    m_errorSink = nullptr;
    m_changes.reset();
}

void CDbRequestPipeline::refuse(CDbAnswerBuffer& answer, int error, int instance) {
    answer.errOut(error, instance, QString::fromLatin1(dbErrorText(error)));
}

int CDbRequestPipeline::callFunction(CDbRequest& ctx, int instance, const std::function<int(CDbCnct&)>& fn,
                                     int* queued) {
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
        answer.errOut(rc, instance, textOf(ctx, rc));
    return rc;
}

// ---------------------------------------------------------------------------------------------
// Writes

int CDbRequestPipeline::write(const CDbMsg& msg, CDbAnswerBuffer* answer) {
    // The request's own list straight away, not a second one the message is moved into.
    CDbMsgList list;
    list.append(new CDbMsg(msg));
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return runRequest(list, fwd);
}

int CDbRequestPipeline::write(CDbMsgList& msgs, CDbAnswerBuffer* answer) {
    CDbMsgList list;
    while (!msgs.isEmpty())
        list.append(msgs.takeAt(0));
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return runRequest(list, fwd);
}

int CDbRequestPipeline::write(const char* name, const SDbInstTupel& t, const CDbAllType& value,
                              CDbAnswerBuffer* answer, int msgType, unsigned flags) {
    return write(CDbMsg(0, 0, name, value, msgType, flags, 0, t.t0, t.t1, t.t2, t.t3), answer);
}

int CDbRequestPipeline::validate(CDbMsgList& list, int index, CDbForwardAnswerBuffer& answer, bool head,
                                 SValidated& out) {
    CDbMsg* msg = list.at(index);
    const int t0 = msg->getTupel().t0;
    int e = DbOk;
    CDbRecord* rec = m_registry.resolve(msg->getName(), msg->getTupel(), e);
    if (!rec) {
        refuse(answer, e, t0);
        return e;
    }
    out.rec = rec;
    // A value of the record's own type is taken as it is (coercing it would copy it twice).
    const CDbAllType& given = msg->getValue();
    if (rec->type() == DbTypeEvent || given.isNull() || given.getType() != rec->type()) {
        CDbAllType coerced;
        e = rec->coerce(given, coerced);
        if (e != DbOk) {
            // An execute message may carry an argument of another type for its conversion-in to read.
            if (head && msg->getMsgType() == DbMsgExec && rec->def()->cnvIn) {
                out.deferred = true;
            } else {
                refuse(answer, e, t0);
                return e;
            }
        } else {
            msg->value() = std::move(coerced);
        }
    }
    if (CDbChkFunc* chk = rec->def()->chk) {
        CDbRequest ctx(m_engine, &list, &answer, rec);
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
            refuse(answer, e, t0);
            return e;
        }
    }
    return DbOk;
}

int CDbRequestPipeline::validateHead(CDbMsgList& list, CDbForwardAnswerBuffer& answer) {
    for (int renames = 0;; ++renames) {
        if (list.isEmpty())
            return DbOk;
        if (renames > kMaxRenames) {
            refuse(answer, DbErrNesting, list.head()->getTupel().t0);
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
        CDbRequest ctx(m_engine, &list, &answer, v.rec);
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
            refuse(answer, e, tupelBefore.t0);
        return e;
    }
}

int CDbRequestPipeline::runRequest(CDbMsgList& list, CDbForwardAnswerBuffer& answer) {
    if (list.isEmpty())
        return DbOk;
    Level level(*this);
    if (!level.ok()) {
        refuse(answer, DbErrNesting, list.head()->getTupel().t0);
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
    // Mostly one message: its record of work stays on the stack.
    QVarLengthArray<SDone, 4> done;
    for (int i = 0; i < list.count(); ++i) {
        CDbMsg* msg = list.at(i);
        SDbInstTupel stored;
        CDbRecord* rec = m_registry.storedRecord(msg->getName().constData(), msg->getTupel(), stored, e);
        CDbAllType value;
        if (!rec || rec->coerce(msg->getValue(), value) != DbOk)
            continue;
        const bool event = rec->type() == DbTypeEvent;
        CDbAllType previous = rec->value(stored);
        const bool changed = event || !previous.isEqual(value);
        if (!event)
            rec->setValue(stored, value);
        if (changed)
            m_changes.note(rec, stored);
        done.push_back(SDone{rec, msg, std::move(value), std::move(previous), changed});
    }
    int first = DbOk;
    for (SDone& d : done) {
        CDbUpdFunc* upd = d.rec->def()->upd;
        if (!upd)
            continue;
        CDbRequest ctx(m_engine, &list, &answer, d.rec);
        ctx.name = d.msg->getName();
        ctx.tupel = d.msg->getTupel();
        ctx.value = d.value;
        ctx.current = d.msg;
        ctx.changeFlags = d.changed ? unsigned(DbChangeValue) : 0u;
        int queued = DbOk;
        const int rc = callFunction(
            ctx, ctx.tupel.t0, [&](CDbCnct& c) { return upd->update(c, d.previous); }, &queued);
        if (first == DbOk)
            first = rc != DbOk ? rc : queued;
    }
    return first;
}

int CDbRequestPipeline::restore(CDbRecord* rec, const SDbInstTupel& stored, const CDbAllType& v,
                                CDbForwardAnswerBuffer& answer) {
    Level level(*this);
    if (!level.ok()) {
        refuse(answer, DbErrNesting, stored.t0);
        return DbErrNesting;
    }
    const CDbAllType previous = rec->value(stored);
    if (previous.isEqual(v))
        return DbOk;
    rec->setValue(stored, v);
    m_changes.note(rec, stored);
    CDbUpdFunc* upd = rec->def()->upd;
    if (!upd)
        return DbOk;
    CDbSingleRequest req(m_engine, rec, stored, v, &answer);
    // Bit 0 marks a change a request made; values a preset or a recall restores carry only their
    // own bit, so actions tied to a user's change (a new box selection) do not run for them.
    req.ctx.changeFlags = DbChangePresetRecall;
    int queued = DbOk;
    const int rc = callFunction(
        req.ctx, stored.t0, [&](CDbCnct& c) { return upd->update(c, previous); }, &queued);
    return rc != DbOk ? rc : queued;
}

int CDbRequestPipeline::restoreAll(const std::vector<SRestore>& values, CDbForwardAnswerBuffer& answer) {
    Level level(*this);
    if (!level.ok()) {
        refuse(answer, DbErrNesting, values.empty() ? 0 : values.front().stored.t0);
        return DbErrNesting;
    }
    std::vector<std::pair<const SRestore*, CDbAllType>> changed; // with the previous value
    for (const SRestore& r : values) {
        CDbAllType previous = r.rec->value(r.stored);
        if (previous.isEqual(r.value))
            continue;
        r.rec->setValue(r.stored, r.value);
        m_changes.note(r.rec, r.stored);
        changed.emplace_back(&r, std::move(previous));
    }
    int first = DbOk;
    for (const auto& entry : changed) {
        const auto* r = entry.first;
        const auto& previous = entry.second;
        CDbUpdFunc* upd = r->rec->def()->upd;
        if (!upd)
            continue;
        CDbSingleRequest req(m_engine, r->rec, r->stored, r->rec->value(r->stored), &answer);
        req.ctx.changeFlags = DbChangePresetRecall;
        int queued = DbOk;
        const int rc = callFunction(
            req.ctx, r->stored.t0, [&](CDbCnct& c) { return upd->update(c, previous); }, &queued);
        if (first == DbOk)
            first = rc != DbOk ? rc : queued;
    }
    return first;
}

int CDbRequestPipeline::fitValue(CDbRecord* rec, const SDbInstTupel& t, CDbAllType& v, unsigned flags,
                                 CDbForwardAnswerBuffer& answer, SFit& fit) {
    fit = SFit();
    Level level(*this);
    if (!level.ok()) {
        refuse(answer, DbErrNesting, t.t0);
        return DbErrNesting;
    }
    CDbMsgList list;
    list.append(new CDbMsg(0, 0, rec->name(), v, DbMsgSet, flags, 0, t.t0, t.t1, t.t2, t.t3));
    CDbRequest ctx(m_engine, &list, &answer, rec);
    ctx.name = rec->name();
    ctx.tupel = t;
    ctx.value = v;
    ctx.current = list.head();
    ctx.query = true; // nothing a check function queues is written
    if (CDbChkFunc* chk = rec->def()->chk) {
        const int rc = callFunction(ctx, t.t0, [chk](CDbCnct& c) { return chk->check(c); });
        if (rc != DbOk)
            return rc;
    }
    QVector<double> limits;
    if (ctx.result.getType() == DbTypeNDbl) {
        const auto* lim = static_cast<const CDbDataTypeNDbl*>(ctx.result.get());
        if (lim->count() >= 2)
            limits = {lim->at(0), lim->at(1)};
    }
    if (!limits.isEmpty()) {
        fit.hasLimits = true;
        fit.min = limits.at(0);
        fit.max = limits.at(1);
    } else {
        fit.hasLimits = rec->staticLimits(fit.min, fit.max) && rec->type() == DbTypeNumber;
    }
    if (rec->type() == DbTypeSelect) {
        fit.hasChoices = true;
        fit.choices = ctx.hasAvail ? ctx.avail : rec->staticChoices();
        if (!ctx.hasAvail && !limits.isEmpty())
            fit.choices.removeIf([&](int c) { return c < limits.at(0) || c > limits.at(1); });
    }
    const int e =
        rec->rangeTest(v, limits.isEmpty() ? nullptr : &limits, ctx.hasAvail ? &ctx.avail : nullptr);
    if (e != DbOk)
        refuse(answer, e, t.t0);
    return e;
}

// ---------------------------------------------------------------------------------------------
// Reads

int CDbRequestPipeline::read(const char* name, const SDbInstTupel& t, CDbAllType& out,
                             CDbAnswerBuffer* answer, int msgType) {
    CDbForwardAnswerBuffer fwd(answer ? answer : m_errorSink);
    return readWith(name, t, out, fwd, msgType);
}

int CDbRequestPipeline::readWith(const char* name, const SDbInstTupel& t, CDbAllType& out,
                                 CDbForwardAnswerBuffer& answer, int msgType) {
    int e = DbOk;
    SDbInstTupel stored;
    CDbRecord* rec = m_registry.storedRecord(name, t, stored, e);
    if (!rec)
        return e;
    // A file catalogue answers what its folder holds now: files come and go while the host runs.
    if (rec->def()->fileOp == DbFileOpCatalogue)
        m_engine.refreshCatalogue(rec->def()->fileListType);
    CDbCnvOutFunc* cnvOut = rec->def()->cnvOut;
    if (!cnvOut) {
        out = rec->value(stored);
        return DbOk;
    }
    // A copy: the conversion may store a new value, and the value read is the one before it.
    const CDbAllType value = rec->value(stored);
    Level level(*this);
    if (!level.ok()) {
        refuse(answer, DbErrNesting, t.t0);
        return DbErrNesting;
    }
    CDbForwardAnswerBuffer own(&answer); // this read's answer slot; errors go on to the caller
    CDbSingleRequest req(m_engine, rec, t, value, &own, msgType);
    // What a conversion-out returns is no error of the read: its answer is the value read.
    callFunction(req.ctx, t.t0, [cnvOut](CDbCnct& c) {
        cnvOut->convert(c);
        return int(DbOk);
    });
    out = own.hasAnswer() ? own.takeAnswer() : value;
    return DbOk;
}

// ---------------------------------------------------------------------------------------------
// Limits and choices

void CDbRequestPipeline::queryCheck(CDbRecord* rec, const SDbInstTupel& t, CDbRequest& ctx) {
    CDbChkFunc* chk = rec->def()->chk;
    if (!chk)
        return;
    Level level(*this);
    if (!level.ok())
        return;
    SDbInstTupel stored;
    if (rec->storedTupel(t, stored) != DbOk)
        return;
    ctx.query = true;
    ctx.name = rec->name();
    ctx.tupel = t;
    ctx.value = rec->value(stored);
    ctx.list().append(new CDbMsg(0, 0, rec->name(), ctx.value, DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
    ctx.current = ctx.list().head();
    {
        CDbCnct cnct(&ctx);
        chk->check(cnct);
    }
    ctx.discardQueue();
}

bool CDbRequestPipeline::limits(const char* name, const SDbInstTupel& t, double& min, double& max) {
    int e = 0;
    CDbRecord* rec = name ? m_registry.resolve(nameKey(name), t, e) : nullptr;
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
    CDbRequest ctx(m_engine, nullptr);
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

QVector<int> CDbRequestPipeline::choices(const char* name, const SDbInstTupel& t) {
    int e = 0;
    CDbRecord* rec = name ? m_registry.resolve(nameKey(name), t, e) : nullptr;
    if (!rec || rec->type() != DbTypeSelect)
        return {};
    CDbRequest ctx(m_engine, nullptr);
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
// Contexts

std::unique_ptr<CDbCnct> CDbRequestPipeline::makeContext(const char* name, const SDbInstTupel& t,
                                                         const CDbAllType& value, CDbAnswerBuffer* answer) {
    auto* req = new CDbRequest(m_engine, answer ? answer : m_errorSink);
    req->ownedByContext = true;
    req->name = name ? QByteArray(name) : QByteArray();
    req->tupel = t;
    req->value = value;
    if (name) {
        req->list().append(new CDbMsg(0, 0, name, value, DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
        req->current = req->list().head();
        int e = 0;
        req->setRecord(m_registry.resolve(nameKey(name), t, e));
    }
    return std::make_unique<CDbCnct>(req);
}

} // namespace MvQARN
