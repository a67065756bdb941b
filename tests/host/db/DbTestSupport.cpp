#include "DbTestSupport.h"

#include <cstring>

#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"

namespace dbtest {

namespace {
constexpr size_t kCapacity = 64;
}

std::vector<std::string>& trace() {
    static std::vector<std::string> t;
    return t;
}

std::string str(const CDbAllType& v) {
    return v.isNull() ? std::string("null") : v.toText().toStdString();
}

std::string storedText(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    if (CDbEngine::instance().readStored(name, t, v) != 0)
        return "?";
    return str(v);
}

Defs::Defs() {
    m_num.reserve(kCapacity);
    m_sel.reserve(kCapacity);
    m_str.reserve(kCapacity);
    m_evt.reserve(kCapacity);
    m_bits.reserve(kCapacity);
    m_list.reserve(kCapacity);
    m_ints.reserve(kCapacity);
}

void Defs::common(SDbDefCommon& c, const char* name, int type, Inst n) {
    std::memset(&c, 0, sizeof c);
    c.name = name;
    const int counts[4] = {n.t0, n.t1, n.t2, n.t3};
    for (int i = 0; i < 4; ++i) {
        c.countA[i] = counts[i];
        c.countB[i] = counts[i];
    }
    c.type = type;
    c.family = 0x10121;
    c.marker14 = 0xffffff;
    c.marker20 = -1;
    c.grp = 0x24;
}

SDbDefNumber& Defs::number(const char* name, double min, double max, double def, Inst n) {
    EXPECT_LT(m_num.size(), kCapacity);
    m_num.emplace_back();
    SDbDefNumber& r = m_num.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeNumber, n);
    r.min = min;
    r.max = max;
    r.def = def;
    r.step = 1;
    return r;
}

SDbDefSelect& Defs::select(const char* name, int min, int max, int def, Inst n) {
    m_sel.emplace_back();
    SDbDefSelect& r = m_sel.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeSelect, n);
    r.min = min;
    r.max = max;
    r.def = def;
    r.step = 1;
    return r;
}

SDbDefString& Defs::string(const char* name, const char* def, int maxLen, Inst n) {
    m_str.emplace_back();
    SDbDefString& r = m_str.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeString, n);
    r.maxLen = maxLen;
    r.def = def;
    r.def2 = def;
    return r;
}

SDbDefEvent& Defs::event(const char* name, Inst n) {
    m_evt.emplace_back();
    SDbDefEvent& r = m_evt.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeEvent, n);
    r.c.grp = 0;
    return r;
}

SDbDefNBit& Defs::bits(const char* name, int minLen, int maxLen, int defLen, Inst n) {
    m_bits.emplace_back();
    SDbDefNBit& r = m_bits.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeNBit, n);
    r.minLen = minLen;
    r.maxLen = maxLen;
    r.defLen = defLen;
    return r;
}

SDbDefNString& Defs::list(const char* name, Inst n) {
    m_list.emplace_back();
    SDbDefNString& r = m_list.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeNString, n);
    r.maxEntries = 100;
    return r;
}

SDbDefNInt& Defs::ints(const char* name, Inst n) {
    m_ints.emplace_back();
    SDbDefNInt& r = m_ints.back();
    std::memset(&r, 0, sizeof r);
    common(r.c, name, DbTypeNInt, n);
    return r;
}

int Defs::registerAll(int module, const char* moduleName) {
    EXPECT_LE(m_num.size(), kCapacity);
    EXPECT_LE(m_sel.size(), kCapacity);
    int k = 0;
    auto add = [&](int type, const void* first, size_t n) {
        m_counts[k] = int(n);
        m_arrays[k] = SDbDefArray{type, first, &m_counts[k]};
        ++k;
    };
    add(DbTypeEvent, m_evt.data(), m_evt.size());
    add(DbTypeNBit, m_bits.data(), m_bits.size());
    add(DbTypeNInt, m_ints.data(), m_ints.size());
    add(DbTypeNString, m_list.data(), m_list.size());
    add(DbTypeNumber, m_num.data(), m_num.size());
    add(DbTypeSelect, m_sel.data(), m_sel.size());
    add(DbTypeString, m_str.data(), m_str.size());
    m_desc = SDbDescriptor{m_arrays, k, 3};
    return moduleName ? CDbEngine::instance().registerDescriptor(&m_desc, module, moduleName)
                      : CDbEngine::instance().registerDescriptor(&m_desc, module);
}

int put(const char* name, const SDbInstTupel& t, const CDbAllType& v, CDbAnswerBuffer* a, int msgType) {
    return CDbEngine::instance().write(name, t, v, a, msgType);
}

int putNum(const char* name, double v, const SDbInstTupel& t, CDbAnswerBuffer* a) {
    return put(name, t, CDbAllType::fromDouble(v), a);
}

int putSel(const char* name, int v, const SDbInstTupel& t, CDbAnswerBuffer* a) {
    return put(name, t, CDbAllType::fromInt(v), a);
}

int putStr(const char* name, const QString& v, const SDbInstTupel& t, CDbAnswerBuffer* a) {
    return put(name, t, CDbAllType::fromString(v), a);
}

double num(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    double d = -12345;
    EXPECT_EQ(CDbEngine::instance().read(name, t, v), 0) << name;
    EXPECT_TRUE(v.toDouble(d)) << name;
    return d;
}

int sel(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    int i = -12345;
    EXPECT_EQ(CDbEngine::instance().read(name, t, v), 0) << name;
    EXPECT_TRUE(v.toInt(i)) << name;
    return i;
}

QString text(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    EXPECT_EQ(CDbEngine::instance().read(name, t, v), 0) << name;
    return v.toText();
}

QList<int> errorCodes(const CDbAnswerBuffer& a) {
    QList<int> out;
    for (const auto& e : a.getErrors())
        out << e.code;
    return out;
}

void resetAll() {
    CDbEngine::instance().reset();
    trace().clear();
}

} // namespace dbtest
