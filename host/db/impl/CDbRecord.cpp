#include "host/db/impl/CDbRecord.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"

namespace MvQARN {

namespace {

// Typed parts follow the common part, which every typed record holds as its first member.
template <typename T> const T* typed(const SDbDefCommon* c) {
    return reinterpret_cast<const T*>(c);
}

int at(const SDbInstTupel& t, int i) {
    switch (i) {
    case 0:
        return t.t0;
    case 1:
        return t.t1;
    case 2:
        return t.t2;
    default:
        return t.t3;
    }
}

void setAt(SDbInstTupel& t, int i, int v) {
    switch (i) {
    case 0:
        t.t0 = v;
        break;
    case 1:
        t.t1 = v;
        break;
    case 2:
        t.t2 = v;
        break;
    default:
        t.t3 = v;
        break;
    }
}

// An axis without a count holds the single index 0.
int countOf(const int* counts, int i) {
    return counts[i] > 0 ? counts[i] : 1;
}

// Numbers within this part of the larger bound's magnitude count as inside the range.
constexpr double kRelTolerance = 1e-9;
constexpr double kIntegralTolerance = 1e-9;

} // namespace

CDbRecord::CDbRecord(const SDbDefCommon* def, int moduleNumber, int order)
    : m_def(def), m_name(def->name), m_module(moduleNumber), m_order(order) {
    m_default = makeDefault();
}

size_t CDbRecord::strideOf(int type) {
    return dbRecordSize(type);
}

qint64 CDbRecord::widthA() const {
    qint64 n = 1;
    for (int i = 0; i < 4; ++i)
        n *= countOf(m_def->countA, i);
    return n;
}

bool CDbRecord::holds(const SDbInstTupel& addressed) const {
    // An index function shares one value among several instances: every instance it maps into the
    // range is one of the record's.
    SDbInstTupel t = addressed;
    if (m_def->idx && m_def->idx(t) != 0)
        return false;
    for (int i = 0; i < 4; ++i) {
        const int v = at(t, i);
        const int first = m_def->firstA[i];
        if (v < first || v >= first + countOf(m_def->countA, i))
            return false;
    }
    return true;
}

int CDbRecord::storedTupel(const SDbInstTupel& addressed, SDbInstTupel& stored) const {
    SDbInstTupel t = addressed;
    if (m_def->idx && m_def->idx(t) != 0)
        return DbErrInstance;
    for (int i = 0; i < 4; ++i) {
        // A record without a range B stores what it addresses.
        const bool hasB = m_def->countB[i] > 0;
        const int firstB = hasB ? m_def->firstB[i] : m_def->firstA[i];
        const int countB = hasB ? m_def->countB[i] : countOf(m_def->countA, i);
        int v = at(t, i);
        if (v >= firstB && v < firstB + countB) {
            // already a stored index
        } else if (countB == 1) {
            v = firstB; // one value serves every addressable index of this axis
        } else if (countB == countOf(m_def->countA, i)) {
            v = v - m_def->firstA[i] + firstB;
            if (v < firstB || v >= firstB + countB)
                return DbErrInstance;
        } else {
            return DbErrInstance;
        }
        setAt(stored, i, v);
    }
    return DbOk;
}

bool CDbRecord::anyAddressed(const std::function<bool(const SDbInstTupel&, const SDbInstTupel&)>& fn) const {
    SDbInstTupel a;
    for (a.t0 = m_def->firstA[0]; a.t0 < m_def->firstA[0] + countOf(m_def->countA, 0); ++a.t0)
        for (a.t1 = m_def->firstA[1]; a.t1 < m_def->firstA[1] + countOf(m_def->countA, 1); ++a.t1)
            for (a.t2 = m_def->firstA[2]; a.t2 < m_def->firstA[2] + countOf(m_def->countA, 2); ++a.t2)
                for (a.t3 = m_def->firstA[3]; a.t3 < m_def->firstA[3] + countOf(m_def->countA, 3); ++a.t3) {
                    SDbInstTupel s;
                    if (storedTupel(a, s) == DbOk && fn(a, s))
                        return true;
                }
    return false;
}

QVector<SDbInstTupel> CDbRecord::storedInstances() const {
    QVector<SDbInstTupel> out;
    QVector<Key> seen;
    anyAddressed([&](const SDbInstTupel&, const SDbInstTupel& s) {
        const Key k = keyOf(s);
        if (!seen.contains(k)) {
            seen.append(k);
            out.append(s);
        }
        return false;
    });
    std::sort(out.begin(), out.end(),
              [](const SDbInstTupel& x, const SDbInstTupel& y) { return keyOf(x) < keyOf(y); });
    return out;
}

bool CDbRecord::sharedOn(unsigned axisMask) const {
    return anyAddressed([&](const SDbInstTupel& a, const SDbInstTupel& s) {
        for (int i = 0; i < 4; ++i) {
            const int n = countOf(m_def->countA, i);
            if (!(axisMask & (1u << i)) || n < 2)
                continue;
            SDbInstTupel b = a;
            setAt(b, i, m_def->firstA[i] + (at(a, i) - m_def->firstA[i] + 1) % n);
            SDbInstTupel sb;
            if (storedTupel(b, sb) == DbOk && sb == s)
                return true;
        }
        return false;
    });
}

const CDbAllType& CDbRecord::value(const SDbInstTupel& stored) const {
    auto it = m_values.find(keyOf(stored));
    return it == m_values.end() ? m_default : it->second;
}

void CDbRecord::setValue(const SDbInstTupel& stored, const CDbAllType& v) {
    m_values[keyOf(stored)] = v;
}

bool CDbRecord::compatible(int valueType, int recordType) {
    if (recordType == DbTypeEvent)
        return true;
    if (valueType == recordType)
        return true;
    return (recordType == DbTypeNumber && valueType == DbTypeSelect) ||
           (recordType == DbTypeSelect && valueType == DbTypeNumber);
}

int CDbRecord::coerce(const CDbAllType& in, CDbAllType& out) const {
    const int rt = type();
    if (rt == DbTypeEvent) {
        out = CDbAllType(new CDbDataTypeEvent);
        return DbOk;
    }
    if (in.isNull())
        return DbErrWrongType;
    if (in.getType() == rt) {
        out = in;
        return DbOk;
    }
    if (rt == DbTypeNumber && in.getType() == DbTypeSelect) {
        double d = 0;
        in.toDouble(d);
        out = CDbAllType::fromDouble(d);
        return DbOk;
    }
    if (rt == DbTypeSelect && in.getType() == DbTypeNumber) {
        double d = 0;
        in.toDouble(d);
        const double r = std::round(d);
        if (!std::isfinite(d) || std::fabs(d - r) > kIntegralTolerance ||
            r < double(std::numeric_limits<int>::min()) || r > double(std::numeric_limits<int>::max()))
            return DbErrWrongType;
        out = CDbAllType::fromInt(int(r));
        return DbOk;
    }
    return DbErrWrongType;
}

QVector<int> CDbRecord::staticChoices() const {
    QVector<int> out;
    if (type() != DbTypeSelect)
        return out;
    const auto* s = typed<SDbDefSelect>(m_def);
    QVector<int> base;
    if (s->ids && s->idCount > 0) {
        for (int i = 0; i < s->idCount; ++i)
            base.append(s->ids[i]);
    } else if (s->idCount > 0) {
        for (int i = 0; i < s->idCount; ++i)
            base.append(i);
    } else if (s->max >= s->min && qint64(s->max) - s->min < 100000) {
        for (qint64 v = s->min; v <= s->max; ++v)
            base.append(int(v));
    }
    // Minimum and maximum narrow a choice table (records that allow only part of a shared choice
    // list); bounds that exclude every choice are taken as unset.
    for (int v : base)
        if (v >= s->min && v <= s->max)
            out.append(v);
    return out.isEmpty() ? base : out;
}

bool CDbRecord::staticLimits(double& min, double& max) const {
    if (type() == DbTypeNumber) {
        const auto* n = typed<SDbDefNumber>(m_def);
        min = n->min;
        max = n->max;
        return true;
    }
    if (type() == DbTypeSelect) {
        const QVector<int> c = staticChoices();
        if (c.isEmpty())
            return false;
        min = *std::min_element(c.begin(), c.end());
        max = *std::max_element(c.begin(), c.end());
        return true;
    }
    return false;
}

int CDbRecord::rangeTest(CDbAllType& v, const QVector<double>* dynLimits,
                         const QVector<int>* dynChoices) const {
    switch (type()) {
    case DbTypeNumber: {
        auto* n = static_cast<CDbDataTypeNumber*>(v.get());
        double min = 0, max = 0;
        staticLimits(min, max);
        if (dynLimits && dynLimits->size() >= 2) {
            min = dynLimits->at(0);
            max = dynLimits->at(1);
        }
        const double x = n->getValDouble();
        const double tol = kRelTolerance * std::max(std::fabs(min), std::fabs(max));
        if (!std::isfinite(x) || x < min - tol || x > max + tol)
            return DbErrOutOfRange;
        n->setValDouble(std::clamp(x, std::min(min, max), std::max(min, max)));
        return DbOk;
    }
    case DbTypeSelect: {
        const int x = static_cast<const CDbDataTypeSelect*>(v.get())->getValInt();
        QVector<int> choices = dynChoices ? *dynChoices : staticChoices();
        if (!dynChoices && dynLimits && dynLimits->size() >= 2)
            choices.removeIf([&](int c) { return c < dynLimits->at(0) || c > dynLimits->at(1); });
        return choices.contains(x) ? DbOk : DbErrOutOfRange;
    }
    case DbTypeString: {
        // The length limits of the value win over the entry length when the record sets them (the
        // host's "no limit" values let texts such as test logs grow past the entry length).
        const auto* s = typed<SDbDefString>(m_def);
        const qsizetype len = static_cast<const CDbDataTypeString*>(v.get())->getValStringQ().size();
        const int maxLen = s->hostMaxLen > 0 ? s->hostMaxLen : s->maxLen;
        if ((maxLen > 0 && len > maxLen) || (s->hostMinLen > 0 && len < s->hostMinLen))
            return DbErrOutOfRange;
        return DbOk;
    }
    case DbTypeNString: {
        const auto* s = typed<SDbDefNString>(m_def);
        const auto* val = static_cast<const CDbDataTypeNString*>(v.get());
        return s->maxEntries > 0 && val->count() > s->maxEntries ? DbErrOutOfRange : DbOk;
    }
    case DbTypeNBit: {
        const auto* b = typed<SDbDefNBit>(m_def);
        const auto* val = static_cast<const CDbDataTypeNBit*>(v.get());
        if (b->maxLen > 0 && val->getLength() > b->maxLen)
            return DbErrOutOfRange;
        if (val->getLength() > 0 && !val->getWords().isEmpty()) {
            const quint32 w = val->getWords().first();
            if (b->lowest && w < b->lowest[0])
                return DbErrOutOfRange;
            if (b->highest && w > b->highest[0])
                return DbErrOutOfRange;
        }
        return DbOk;
    }
    case DbTypeNInt: {
        const auto* r = typed<SDbDefNInt>(m_def);
        const auto* val = static_cast<const CDbDataTypeNInt*>(v.get());
        if (r->maxCount > 0 && val->getValues().size() > r->maxCount)
            return DbErrOutOfRange;
        if (r->minVal < r->maxVal)
            for (qint32 x : val->getValues())
                if (x < r->minVal || x > r->maxVal)
                    return DbErrOutOfRange;
        return DbOk;
    }
    default:
        return DbOk;
    }
}

CDbAllType CDbRecord::makeDefault() const {
    switch (type()) {
    case DbTypeNumber:
        return CDbAllType::fromDouble(typed<SDbDefNumber>(m_def)->def);
    case DbTypeSelect:
        return CDbAllType::fromInt(typed<SDbDefSelect>(m_def)->def);
    case DbTypeString: {
        const char* d = typed<SDbDefString>(m_def)->def;
        return CDbAllType::fromString(d ? QString::fromUtf8(d) : QString());
    }
    case DbTypeNString:
        return CDbAllType(new CDbDataTypeNString);
    case DbTypeNInt:
        return CDbAllType(new CDbDataTypeNInt);
    case DbTypeNBit: {
        const auto* b = typed<SDbDefNBit>(m_def);
        const int len = b->defLen > 0 ? b->defLen : std::max(0, b->minLen);
        QVector<quint32> words((len + 31) / 32, 0u);
        if (b->def)
            for (int i = 0; i < words.size(); ++i)
                words[i] = b->def[i];
        return CDbAllType(new CDbDataTypeNBit(len, words));
    }
    default:
        return CDbAllType(new CDbDataTypeEvent);
    }
}

} // namespace MvQARN
