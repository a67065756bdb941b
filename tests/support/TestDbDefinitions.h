#pragma once
// Definition records of every kind, filled the way a module fills them and registered as one
// descriptor, for tests that define their own parameters. References handed out stay valid: the
// capacity is reserved and never exceeded. Header-only.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"

namespace dbtest {

struct Inst {
    int t0 = 1, t1 = 1, t2 = 1, t3 = 1; // counts per axis
};

class Defs {
public:
    Defs() = default;
    Defs(const Defs&) = delete;
    Defs& operator=(const Defs&) = delete;

    MvQARN::SDbDefNumber& number(const char* name, double min, double max, double def, Inst n = {}) {
        return ranged(add(m_num, name, MvQARN::DbTypeNumber, n), min, max, def);
    }
    MvQARN::SDbDefSelect& select(const char* name, int min, int max, int def, Inst n = {}) {
        return ranged(add(m_sel, name, MvQARN::DbTypeSelect, n), min, max, def);
    }
    MvQARN::SDbDefString& string(const char* name, const char* def, int maxLen = 256, Inst n = {}) {
        auto& r = add(m_str, name, MvQARN::DbTypeString, n);
        r.maxLen = maxLen;
        r.def = r.def2 = def;
        return r;
    }
    // Events belong to no group: a preset never runs them.
    MvQARN::SDbDefEvent& event(const char* name, Inst n = {}) {
        auto& r = add(m_evt, name, MvQARN::DbTypeEvent, n);
        r.c.grp = 0;
        return r;
    }
    MvQARN::SDbDefNBit& bits(const char* name, int minLen, int maxLen, int defLen, Inst n = {}) {
        auto& r = add(m_bits, name, MvQARN::DbTypeNBit, n);
        r.minLen = minLen;
        r.maxLen = maxLen;
        r.defLen = defLen;
        return r;
    }
    MvQARN::SDbDefNString& list(const char* name, Inst n = {}) {
        auto& r = add(m_list, name, MvQARN::DbTypeNString, n);
        r.maxEntries = 100;
        return r;
    }
    MvQARN::SDbDefNInt& ints(const char* name, Inst n = {}) {
        return add(m_ints, name, MvQARN::DbTypeNInt, n);
    }

    // Registers every record made so far; may be called again (after an engine reset, or to see that
    // a second registration keeps the values).
    int registerAll(int module = 4, const char* moduleName = nullptr) {
        int k = 0;
        auto array = [&](int type, const void* first, size_t n) {
            m_counts[k] = int(n);
            m_arrays[k] = MvQARN::SDbDefArray{type, first, &m_counts[k]};
            ++k;
        };
        array(MvQARN::DbTypeEvent, m_evt.data(), m_evt.size());
        array(MvQARN::DbTypeNBit, m_bits.data(), m_bits.size());
        array(MvQARN::DbTypeNInt, m_ints.data(), m_ints.size());
        array(MvQARN::DbTypeNString, m_list.data(), m_list.size());
        array(MvQARN::DbTypeNumber, m_num.data(), m_num.size());
        array(MvQARN::DbTypeSelect, m_sel.data(), m_sel.size());
        array(MvQARN::DbTypeString, m_str.data(), m_str.size());
        m_desc = MvQARN::SDbDescriptor{m_arrays, k, 3};
        auto& db = MvQARN::CDbEngine::instance();
        return moduleName ? db.registerDescriptor(&m_desc, module, moduleName)
                          : db.registerDescriptor(&m_desc, module);
    }

private:
    static constexpr size_t Capacity = 64;
    template <class R, class V> static R& ranged(R& r, V min, V max, V def) {
        r.min = min;
        r.max = max;
        r.def = r.def2 = def;
        r.step = 1;
        return r;
    }
    template <class R> static R& add(std::vector<R>& v, const char* name, int type, Inst n) {
        if (v.capacity() < Capacity)
            v.reserve(Capacity);
        if (v.size() >= Capacity)
            std::abort();
        R& r = v.emplace_back();
        std::memset(&r, 0, sizeof r);
        MvQARN::SDbDefCommon& c = r.c;
        c.name = name;
        const int counts[4] = {n.t0, n.t1, n.t2, n.t3};
        for (int i = 0; i < 4; ++i)
            c.countA[i] = c.countB[i] = counts[i];
        c.type = type;
        c.family = 0x10121;
        c.marker14 = 0xffffff;
        c.marker20 = -1;
        c.grp = 0x24;
        return r;
    }

    std::vector<MvQARN::SDbDefNumber> m_num;
    std::vector<MvQARN::SDbDefSelect> m_sel;
    std::vector<MvQARN::SDbDefString> m_str;
    std::vector<MvQARN::SDbDefEvent> m_evt;
    std::vector<MvQARN::SDbDefNBit> m_bits;
    std::vector<MvQARN::SDbDefNString> m_list;
    std::vector<MvQARN::SDbDefNInt> m_ints;
    int m_counts[7] = {};
    MvQARN::SDbDefArray m_arrays[7] = {};
    MvQARN::SDbDescriptor m_desc = {};
};

} // namespace dbtest
