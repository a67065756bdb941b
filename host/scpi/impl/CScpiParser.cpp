#include "host/scpi/impl/CScpiParser.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNByte.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/DbNameKey.h"
#include "host/scpi/CScpiModule.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/CScpiSession.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "host/scpi/impl/ScpiValues.h"
#include "host/util/VGXErrorManager.h"

namespace MvQARN {

namespace {

// A header as an error text names it: as typed, cut to a readable length.
QString headerText(const SScpiCommandUnit& unit) {
    return QString::fromLatin1(unit.header.left(80));
}

// Auxiliary data kind of a file name travelling with a message.
constexpr int AuxFileName = 9;

int baseKind(int kind) {
    return kind & ~ScpiKindSub;
}

const SScpiKeyword* findKeywordInChain(const SScpiValDesc* desc, const SScpiToken& token) {
    for (const SScpiValDesc* d = desc; d; d = d->further)
        if (const SScpiKeyword* k = scpiFindKeyword(d->keywords, token))
            return k;
    return nullptr;
}

bool numericKeywordInChain(const SScpiValDesc* desc) {
    for (const SScpiValDesc* d = desc; d; d = d->further)
        if (scpiHasNumericKeyword(d->keywords))
            return true;
    return false;
}

// The special value a keyword stands for in a numeric descriptor, 0 when it stands for its value.
int specialOf(const SScpiKeyword* k) {
    const QByteArray t = scpiLongForm(k->text);
    if (t == "UP")
        return ScpiSpecialUp;
    if (t == "DOWN")
        return ScpiSpecialDown;
    if ((k->flag & ScpiKeywordSpecial) && k->value >= ScpiSpecialMin && k->value <= ScpiSpecialDown)
        return k->value;
    return 0;
}

// A number at the resolution of a number parameter: the nearest multiple of its step. A step that
// divides 1 (0.001, 5e-11) divides the count instead of multiplying it, so that 10.6 at 0.1 reads 10.6
// and not 10.600000000000001.
double atResolution(const SDbDefCommon* def, double v) {
    if (!def || def->type != DbTypeNumber)
        return v;
    const double step = reinterpret_cast<const SDbDefNumber*>(def)->step;
    if (!(step > 0.0))
        return v;
    const double count = std::round(v / step);
    if (!std::isfinite(count))
        return v; // far outside any range: the range check refuses it as it is
    const double perUnit = std::round(1.0 / step);
    const double r =
        perUnit >= 1.0 && std::fabs(perUnit * step - 1.0) < 1e-12 ? count / perUnit : count * step;
    return r + 0.0; // no negative zero
}

} // namespace

SDbInstTupel CScpiParser::tupelOf(const SAddress& addr) {
    SDbInstTupel t;
    t.t0 = addr.path;
    t.t1 = addr.fixedSide >= 0 ? addr.fixedSide : (addr.bothSides ? addr.selSide : 0);
    t.t2 = 0;
    t.t3 = addr.t3;
    return t;
}

bool CScpiParser::applySuffix(SAddress& addr, int word, int suffix) {
    if (suffix == -2)
        return false;
    if (word & ScpiSuffixFixed) {
        if (suffix != -1)
            return false;
        const bool output = (word & ScpiSuffixOutput) != 0;
        if (word & ScpiSuffixList)
            addr.t3 = output ? 0 : 1;
        if (word & ScpiSuffixSide)
            addr.fixedSide = output ? 1 : 0;
        return true;
    }
    if (word & ScpiSuffixInterface) {
        const int n = suffix == -1 ? 1 : suffix;
        if (n < 1 || n > 4)
            return false;
        addr.path = (n - 1) % 2;
        addr.selSide = (n - 1) / 2;
        addr.suffixUsed = addr.suffixUsed || suffix != -1;
        return true;
    }
    if (word & ScpiSuffixList) {
        const int n = suffix == -1 ? 1 : suffix;
        if (n < 1 || n > ScpiMaxListSuffix)
            return false;
        addr.t3 = n - 1;
        addr.suffixUsed = addr.suffixUsed || suffix != -1;
        return true;
    }
    return suffix == -1 || suffix == 1;
}

const std::vector<CScpiParser::SBranch>& CScpiParser::rootLevel() {
    CScpiRegistry& reg = CScpiRegistry::instance();
    m_generation = reg.generation();
    if (m_rootValid && m_rootGeneration == m_generation) {
        // A module may hand out another table without leaving: the cache holds while each is the same.
        bool same = true;
        std::size_t i = 1;
        for (CScpiModule* m : reg.modules())
            if (const SScpiParseTable* root = m->getRootTable())
                same = same && i < m_root.size() && m_root[i++].table == root;
        if (same && i == m_root.size())
            return m_root;
    }
    m_root.clear();
    forgetWalks();
    m_root.push_back(SBranch{reg.hostRoot(), nullptr, SAddress()});
    for (CScpiModule* m : reg.modules())
        if (const SScpiParseTable* root = m->getRootTable())
            m_root.push_back(SBranch{root, m, SAddress()});
    m_rootGeneration = m_generation;
    m_rootValid = true;
    return m_root;
}

int CScpiParser::fail(int code, const QString& info) {
    if (info.isEmpty())
        m_session.pushError(code);
    else
        m_session.pushError(code, scpiErrorText(code, info));
    return code;
}

bool CScpiParser::execLine(const QByteArray& line, QString& answer) {
    start(line);
    while (!done())
        step(INT_MAX);
    return takeAnswer(answer);
}

void CScpiParser::start(const QByteArray& line) {
    m_level = rootLevel();
    m_levelIsRoot = true;
    m_lexer.emplace(line);
    m_lineBytes = line.size();
    m_answers.clear();
    m_answerBytes = 0;
}

int CScpiParser::step(int maxUnits) {
    int ran = 0;
    while (m_lexer && ran < std::max(maxUnits, 1)) {
        if (m_lexer->atEnd()) {
            m_lexer.reset();
            break;
        }
        SScpiCommandUnit& unit = m_unit;
        QString info;
        if (const int rc = m_lexer->next(unit, &info)) {
            fail(rc, info);
            m_lexer.reset();
            break;
        }
        ++ran;
        m_reported.clear();
        if (m_generation != CScpiRegistry::instance().generation()) {
            m_level = rootLevel(); // a module went away with its tables
            m_levelIsRoot = true;
        }
        int rc = 0;
        const qsizetype answersBefore = m_answers.size();
        {
            VGXErrorManager::Collector collector;
            rc = execUnit(unit, m_answers);
            // Held const: walking a temporary list would detach, and allocate, even when empty.
            const QList<VGXErrorRecord> errors = collector.errors();
            for (const VGXErrorRecord& r : errors) {
                if (m_reported.contains(qMakePair(r.code, r.text)))
                    continue;
                m_reported.append(qMakePair(r.code, r.text));
                m_session.pushError(r.code, r.text);
            }
        }
        for (qsizetype i = answersBefore; i < m_answers.size(); ++i)
            m_answerBytes += (m_answers.at(i).size() + 1) * qint64(sizeof(QChar));
        // A command error ends the line: what follows cannot be trusted to parse as meant.
        if (scpiErrorClass(rc) == ScpiErrCommand)
            m_lexer.reset();
    }
    return ran;
}

bool CScpiParser::takeAnswer(QByteArray& out) {
    out.resize(0);
    for (qsizetype i = 0; i < m_answers.size(); ++i) {
        if (i > 0)
            out.append(';');
        const QString& a = m_answers.at(i);
        // Answers are mostly ASCII: copied over in one pass that also notes whether they were.
        const qsizetype at = out.size();
        out.resize(at + a.size());
        char* d = out.data() + at;
        const char16_t* from = reinterpret_cast<const char16_t*>(a.constData());
        char16_t seen = 0;
        for (qsizetype k = 0; k < a.size(); ++k) {
            seen |= from[k];
            d[k] = char(from[k]);
        }
        if (seen >= 0x80) {
            out.resize(at);
            out.append(a.toUtf8());
        }
    }
    const bool any = !m_answers.isEmpty();
    m_answers.clear();
    m_answerBytes = 0;
    return any;
}

bool CScpiParser::takeAnswer(QString& out) {
    out = m_answers.join(QLatin1Char(';'));
    const bool any = !m_answers.isEmpty();
    m_answers.clear();
    m_answerBytes = 0;
    return any;
}

qint64 CScpiParser::heldBytes() const {
    return (m_lexer ? m_lineBytes : 0) + m_answerBytes;
}

int CScpiParser::execUnit(const SScpiCommandUnit& unit, QStringList& answers) {
    if (unit.common)
        return execCommon(unit, answers);
    const bool fromRoot = unit.absolute || m_levelIsRoot;
    const std::vector<SBranch>& start = unit.absolute ? rootLevel() : m_level;
    if (const SWalk* w = fromRoot ? findWalk(unit) : nullptr)
        return execPicked(unit, w->candidates, w->level, false, answers);
    std::vector<SBranch>& branches = m_branches;
    branches = start;
    std::vector<SCandidate>& candidates = m_candidates;
    candidates.clear();
    bool suffixError = false;
    const int n = int(unit.elems.size());
    for (int i = 0; i < n; ++i) {
        const SScpiHeaderElem& elem = unit.elems.at(i);
        const bool last = i == n - 1;
        std::vector<SBranch>& next = m_next;
        next.clear();
        for (const SBranch& b : branches) {
            if (!b.table)
                continue;
            for (const SScpiEntry& e : b.table->entries) {
                int suffix = -1;
                if (!e.matches(elem.full)) {
                    if (elem.suffix == -1 || !e.matches(elem.stem))
                        continue;
                    suffix = elem.suffix;
                }
                if (!last && !e.sub())
                    continue;
                SAddress a = b.addr;
                a.bothSides = a.bothSides || (e.flagsB & ScpiFlagBBothSides) != 0;
                if (!applySuffix(a, e.suffixWord, suffix)) {
                    suffixError = true;
                    continue;
                }
                if (last)
                    candidates.push_back(SCandidate{&e, SBranch{b.table, b.module, a}});
                else
                    next.push_back(SBranch{e.sub(), b.module, a});
            }
        }
        if (!last) {
            if (next.empty())
                return fail(suffixError ? ScpiErrHeaderSuffix : ScpiErrUndefinedHeader, headerText(unit));
            branches.swap(next);
        }
    }
    if (fromRoot && !candidates.empty())
        keepWalk(unit, candidates, branches);
    return execPicked(unit, candidates, branches, suffixError, answers);
}

int CScpiParser::execPicked(const SScpiCommandUnit& unit, const std::vector<SCandidate>& candidates,
                            const std::vector<SBranch>& level, bool suffixError, QStringList& answers) {
    const SCandidate* chosen = nullptr;
    for (const SCandidate& c : candidates)
        if (unit.query ? c.entry->acceptsQuery : c.entry->acceptsSet) {
            chosen = &c;
            break;
        }
    if (!chosen)
        return fail(candidates.empty() && suffixError ? ScpiErrHeaderSuffix : ScpiErrUndefinedHeader,
                    headerText(unit));
    const SCandidate picked = *chosen;
    m_level = level;
    m_levelIsRoot = false;
    if (!picked.entry->cmd)
        return execHost(*picked.entry, unit, answers);
    if (unit.query)
        return execModuleQuery(*picked.entry, picked.at, unit, answers);
    return execModuleSet(*picked.entry, picked.at, unit);
}

const CScpiParser::SWalk* CScpiParser::findWalk(const SScpiCommandUnit& unit) {
    if (m_walkEdits != CScpiRegistry::instance().tableEdits()) {
        m_walkEdits = CScpiRegistry::instance().tableEdits();
        forgetWalks();
        return nullptr;
    }
    for (int w = 0; w < m_walkCount; ++w) {
        const QByteArray& key = m_walks[size_t(w)].key;
        const char* k = key.constData();
        const qsizetype n = key.size();
        qsizetype at = 0;
        bool same = true;
        for (qsizetype i = 0; same && i < unit.elems.size(); ++i) {
            const QByteArray& f = unit.elems.at(i).full;
            if (i > 0)
                same = at < n && k[at++] == ':';
            same = same && n - at >= f.size() && std::memcmp(k + at, f.constData(), size_t(f.size())) == 0;
            at += f.size();
        }
        if (same && at == n)
            return &m_walks[size_t(w)];
    }
    return nullptr;
}

void CScpiParser::keepWalk(const SScpiCommandUnit& unit, const std::vector<SCandidate>& candidates,
                           const std::vector<SBranch>& level) {
    SWalk& w = m_walks[size_t(m_walkNext)];
    w.key.clear();
    for (qsizetype i = 0; i < unit.elems.size(); ++i) {
        if (i > 0)
            w.key.append(':');
        w.key.append(unit.elems.at(i).full);
    }
    w.candidates = candidates;
    w.level = level;
    m_walkNext = (m_walkNext + 1) % int(m_walks.size());
    m_walkCount = std::min(m_walkCount + 1, int(m_walks.size()));
}

int CScpiParser::execCommon(const SScpiCommandUnit& unit, QStringList& answers) {
    const SScpiParseTable* table = CScpiRegistry::instance().commonTable();
    const QByteArray& m = unit.elems.at(0).full;
    for (const SScpiEntry& e : table->entries)
        if (e.matches(m) && (unit.query ? e.acceptsQuery : e.acceptsSet))
            return execHost(e, unit, answers);
    return fail(ScpiErrUndefinedHeader, headerText(unit));
}

int CScpiParser::execHost(const SScpiEntry& entry, const SScpiCommandUnit& unit, QStringList& answers) {
    const FScpiHostHandler& handler = unit.query ? entry.queryHandler : entry.setHandler;
    // The handler may register or remove commands; it runs from a copy.
    const FScpiHostHandler run = handler;
    CScpiHostCall call(m_session, unit.query, unit.args);
    run(call);
    if (call.hasAnswer())
        answers << call.answer();
    return call.firstError();
}

int CScpiParser::execModuleQuery(const SScpiEntry& entry, const SBranch& at, const SScpiCommandUnit& unit,
                                 QStringList& answers) {
    const SScpiCmd* cmd = entry.cmd;
    if (!cmd->param)
        return fail(ScpiErrExecution,
                    QStringLiteral("no parameter behind %1").arg(QString::fromLatin1(unit.header)));
    const SDbInstTupel t = tupelOf(at.addr);
    if (unit.args.size() > 1)
        return fail(ScpiErrParameterNotAllowed);
    if (unit.args.size() == 1) {
        // "<query>? MINimum|MAXimum|DEFault" answers the limit instead of the value.
        const SScpiKeyword* k =
            scpiAcceptsNumber(cmd->arg) ? findKeywordInChain(cmd->arg, unit.args.at(0)) : nullptr;
        const int which = k ? specialOf(k) : 0;
        if (which < ScpiSpecialMin || which > ScpiSpecialMax)
            return fail(ScpiErrParameterNotAllowed);
        double v = 0.0;
        if (const int rc = specialValue(cmd->param, t, which, v, at.addr.suffixUsed))
            return rc;
        answers << scpiFormatNumber(v);
        return 0;
    }
    CDbAnswerBuffer buffer;
    CDbAllType value;
    const int rc = CDbEngine::instance().read(cmd->param, t, value, &buffer);
    const int err = reportDb(rc, buffer, at.addr.suffixUsed);
    if (rc != 0)
        return err;
    QString answer = scpiFormatAnswer(value, cmd->answer ? cmd->answer : cmd->arg);
    if (at.module && cmd->code != 0)
        at.module->answerHook(cmd->code, t, answer);
    answers << answer;
    return 0;
}

int CScpiParser::execModuleSet(const SScpiEntry& entry, const SBranch& at, const SScpiCommandUnit& unit) {
    const SScpiCmd* cmd = entry.cmd;
    if (!cmd->param)
        return fail(ScpiErrExecution,
                    QStringLiteral("no parameter behind %1").arg(QString::fromLatin1(unit.header)));
    const SDbInstTupel t = tupelOf(at.addr);
    const int kind = baseKind(cmd->kind);
    CDbAllType value;
    int msgType = DbMsgSet;
    const SDbDefCommon* rec = nullptr;
    if (kind == ScpiKindEvent) {
        if (!unit.args.isEmpty())
            return fail(ScpiErrParameterNotAllowed);
        value = CDbAllType(new CDbDataTypeEvent);
        msgType = DbMsgExec;
    } else {
        if (unit.args.isEmpty())
            return fail(ScpiErrMissingParameter);
        if (unit.args.size() > 1)
            return fail(ScpiErrParameterNotAllowed);
        if (const int rc = decodeArg(entry, t, unit.args.at(0), value, rec))
            return rc;
        if (kind == ScpiKindEventText)
            msgType = DbMsgExec;
    }
    CDbEngine& db = CDbEngine::instance();
    if (!rec)
        rec = db.findRecord(cmd->param, t);
    const int sender = at.module ? at.module->getModuleNumber() : 0;
    CDbMsg msg(sender, sender, cmd->param, CDbAllType(), msgType, 0, rec ? rec->unit : 0, t.t0, t.t1, t.t2,
               t.t3);
    // An event that carries a text (a file name) hands it over as auxiliary data.
    if (value.getType() == DbTypeEvent && unit.args.size() == 1 && unit.args.at(0).kind == SScpiToken::String)
        msg.giveAuxData(AuxFileName, new CDbDataTypeString(unit.args.at(0).string));
    msg.setValue(value);
    CDbAnswerBuffer buffer;
    const int rc = db.write(msg, &buffer);
    return reportDb(rc, buffer, at.addr.suffixUsed);
}

int CScpiParser::decodeArg(const SScpiEntry& entry, const SDbInstTupel& t, const SScpiToken& token,
                           CDbAllType& out, const SDbDefCommon*& def) {
    const SScpiCmd* cmd = entry.cmd;
    const SScpiValDesc* desc = cmd->arg;
    CDbEngine& db = CDbEngine::instance();
    def = nullptr;
    SDbInstTupel stored;
    if (const int rc = db.locate(cmd->param, t, def, stored)) {
        CDbAnswerBuffer none;
        return reportDb(rc, none, false);
    }
    const int recType = def->type;

    auto fromNumber = [&](double v) -> int {
        switch (recType) {
        case DbTypeNumber:
            out = CDbAllType(new CDbDataTypeNumber(v));
            return 0;
        case DbTypeSelect:
            if (!(std::fabs(v) <= double(INT_MAX)))
                return fail(ScpiErrDataOutOfRange);
            out = CDbAllType(new CDbDataTypeSelect(int(std::lround(v))));
            return 0;
        case DbTypeString:
            out = CDbAllType(new CDbDataTypeString(scpiFormatNumber(v)));
            return 0;
        default:
            return fail(ScpiErrDataType);
        }
    };
    auto fromBits = [&](int length, const QVector<quint32>& bits) -> int {
        if (recType == DbTypeNBit) {
            out = CDbAllType(new CDbDataTypeNBit(length, bits));
            return 0;
        }
        if (recType == DbTypeNByte && length % 8 == 0) {
            QByteArray bytes;
            for (int i = 0; i < length / 8; ++i)
                bytes.append(char((bits.at(i / 4) >> (24 - 8 * (i % 4))) & 0xFF));
            out = CDbAllType(new CDbDataTypeNByte(bytes));
            return 0;
        }
        return fail(ScpiErrDataType);
    };
    auto fromString = [&](const QString& s) -> int {
        switch (recType) {
        case DbTypeString:
            out = CDbAllType(new CDbDataTypeString(s));
            return 0;
        case DbTypeNString:
            out = CDbAllType(new CDbDataTypeNString(QStringList{s}));
            return 0;
        case DbTypeEvent:
            out = CDbAllType(new CDbDataTypeEvent);
            return 0;
        default:
            return fail(ScpiErrDataType);
        }
    };

    if (token.kind == SScpiToken::Char || token.kind == SScpiToken::Number) {
        if (const SScpiKeyword* k = findKeywordInChain(desc, token)) {
            const int which = scpiAcceptsNumber(desc) ? specialOf(k) : 0;
            double v = k->value;
            if (which != 0)
                if (const int rc = specialValue(cmd->param, t, which, v, false))
                    return rc;
            return fromNumber(v);
        }
    }
    switch (token.kind) {
    case SScpiToken::Number:
    case SScpiToken::NonDecimal:
        if (scpiAcceptsNumber(desc)) {
            double v = token.number;
            if (token.kind == SScpiToken::Number)
                if (const int rc = scpiApplyUnit(desc, token.suffix, v))
                    return fail(rc, QString::fromLatin1(token.suffix.left(40)));
            if (!std::isfinite(v))
                return fail(ScpiErrNumericData);
            // Numbers are taken at the parameter's resolution before any check sees them.
            return fromNumber(atResolution(def, v));
        }
        if (token.kind == SScpiToken::NonDecimal && scpiAcceptsBits(desc))
            return fromBits(token.bitLength, token.bits);
        return fail(numericKeywordInChain(desc) ? ScpiErrIllegalParameterValue : ScpiErrDataType);
    case SScpiToken::String:
        if (scpiAcceptsString(desc))
            return fromString(token.string);
        if (scpiAcceptsBits(desc)) {
            int length = 0;
            QVector<quint32> bits;
            if (!scpiBitString(token.string, length, bits))
                return fail(ScpiErrInvalidStringData);
            return fromBits(length, bits);
        }
        return fail(ScpiErrDataType);
    case SScpiToken::Block:
        if (scpiAcceptsBits(desc))
            return fromBits(token.bitLength, token.bits);
        return fail(ScpiErrDataType);
    case SScpiToken::Char:
        if (scpiAcceptsKeywords(desc))
            return fail(ScpiErrIllegalParameterValue, QString::fromLatin1(token.text.left(40)));
        return fail(ScpiErrDataType);
    default:
        return fail(ScpiErrDataType);
    }
}

int CScpiParser::specialValue(const char* param, const SDbInstTupel& t, int which, double& out,
                              bool suffixUsed) {
    CDbEngine& db = CDbEngine::instance();
    switch (which) {
    case ScpiSpecialMin:
    case ScpiSpecialMax: {
        double mn = 0.0, mx = 0.0;
        if (!db.limits(param, t, mn, mx))
            return fail(ScpiErrIllegalParameterValue, QStringLiteral("no limits"));
        out = which == ScpiSpecialMin ? mn : mx;
        return 0;
    }
    case ScpiSpecialDef: {
        int err = 0;
        const CDbRecord* rec = db.registry().resolve(nameKey(param), t, err);
        if (!rec) {
            CDbAnswerBuffer none;
            return reportDb(err ? err : int(DbErrUnknownParameter), none, suffixUsed);
        }
        if (!rec->defaultValue().toDouble(out))
            return fail(ScpiErrIllegalParameterValue, QStringLiteral("no default"));
        return 0;
    }
    case ScpiSpecialUp:
    case ScpiSpecialDown: {
        CDbAnswerBuffer buffer;
        CDbAllType cur;
        const int rc = db.read(param, t, cur, &buffer);
        if (rc != 0)
            return reportDb(rc, buffer, suffixUsed);
        double v = 0.0;
        if (!cur.toDouble(v))
            return fail(ScpiErrIllegalParameterValue);
        double step = 1.0;
        const SDbDefCommon* def = db.findRecord(param, t);
        if (def && def->type == DbTypeNumber) {
            const double s = reinterpret_cast<const SDbDefNumber*>(def)->step;
            if (s > 0.0)
                step = s;
        }
        out = which == ScpiSpecialUp ? v + step : v - step;
        return 0;
    }
    default:
        return fail(ScpiErrIllegalParameterValue);
    }
}

int CScpiParser::reportDb(int rc, const CDbAnswerBuffer& answer, bool suffixUsed) {
    return queueDbErrors(m_session, rc, answer, suffixUsed, &m_reported);
}

int CScpiParser::queueDbErrors(CScpiSession& session, int rc, const CDbAnswerBuffer& answer, bool suffixUsed,
                               QList<QPair<int, QString>>* reported) {
    auto queue = [&](int code, const QString& text) -> int {
        switch (code) {
        case DbErrOutOfRange:
            session.pushError(ScpiErrDataOutOfRange);
            return ScpiErrDataOutOfRange;
        case DbErrWrongType:
            session.pushError(ScpiErrDataType);
            return ScpiErrDataType;
        case DbErrUnknownParameter:
            session.pushError(
                ScpiErrExecution,
                scpiErrorText(ScpiErrExecution, text.isEmpty() ? QStringLiteral("unknown parameter") : text));
            return ScpiErrExecution;
        case DbErrInstance:
            if (suffixUsed) {
                session.pushError(ScpiErrHeaderSuffix);
                return ScpiErrHeaderSuffix;
            }
            session.pushError(
                ScpiErrExecution,
                scpiErrorText(ScpiErrExecution, text.isEmpty() ? QStringLiteral("no such instance") : text));
            return ScpiErrExecution;
        default:
            break;
        }
        const QString t = text.isEmpty() ? QString::fromUtf8(dbErrorText(code)) : text;
        if (reported) {
            reported->append(qMakePair(code, t));
            reported->append(qMakePair(code, text));
        }
        session.pushError(code, t);
        return code;
    };
    int result = 0;
    bool seen = false;
    for (const CDbAnswerBuffer::Error& e : answer.getErrors()) {
        if (e.code == 0)
            continue;
        const int c = queue(e.code, e.text);
        if (e.code == rc && !seen) {
            seen = true;
            result = c;
        }
    }
    if (rc != 0 && !seen)
        result = queue(rc, QString());
    return result;
}

} // namespace MvQARN
