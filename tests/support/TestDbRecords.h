#pragma once
// A few definition records of numbers, texts and text lists, registered with the host database the
// way a module registers its descriptor; for tests that need parameters of a given kind without the
// whole plug-in catalogue. Header-only.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"

namespace testdb {

struct Counts {
    int t0 = 1, t1 = 1, t2 = 1, t3 = 1;
};

class Records {
public:
    Records() {
        // References handed out stay valid: nothing is added beyond the reserved capacity.
        m_num.reserve(Capacity);
        m_str.reserve(Capacity);
        m_list.reserve(Capacity);
    }
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    MvQARN::SDbDefNumber& number(const char* name, double min, double max, Counts n = {}) {
        MvQARN::SDbDefNumber& r = add(m_num);
        common(r.c, name, MvQARN::DbTypeNumber, n);
        r.min = min;
        r.max = max;
        r.step = 0.001;
        return r;
    }
    MvQARN::SDbDefString& string(const char* name, Counts n = {}, int fileListType = 0, int fileOp = 0) {
        MvQARN::SDbDefString& r = add(m_str);
        common(r.c, name, MvQARN::DbTypeString, n);
        r.c.fileListType = fileListType;
        r.c.fileOp = fileOp;
        r.maxLen = 0; // no length limit: file names of any length reach the functions
        return r;
    }
    MvQARN::SDbDefNString& list(const char* name, Counts n = {}, int fileListType = 0, int fileOp = 0,
                                int maxEntries = 100) {
        MvQARN::SDbDefNString& r = add(m_list);
        common(r.c, name, MvQARN::DbTypeNString, n);
        r.c.fileListType = fileListType;
        r.c.fileOp = fileOp;
        r.maxEntries = maxEntries;
        return r;
    }
    int registerAll(int module) {
        m_counts[0] = int(m_num.size());
        m_counts[1] = int(m_str.size());
        m_counts[2] = int(m_list.size());
        m_arrays[0] = MvQARN::SDbDefArray{MvQARN::DbTypeNumber, m_num.data(), &m_counts[0]};
        m_arrays[1] = MvQARN::SDbDefArray{MvQARN::DbTypeString, m_str.data(), &m_counts[1]};
        m_arrays[2] = MvQARN::SDbDefArray{MvQARN::DbTypeNString, m_list.data(), &m_counts[2]};
        m_desc = MvQARN::SDbDescriptor{m_arrays, 3, 3};
        return MvQARN::CDbEngine::instance().registerDescriptor(&m_desc, module);
    }

private:
    static constexpr size_t Capacity = 32;
    template <class R> static R& add(std::vector<R>& v) {
        if (v.size() >= Capacity)
            std::abort();
        v.emplace_back();
        std::memset(&v.back(), 0, sizeof(R));
        return v.back();
    }
    static void common(MvQARN::SDbDefCommon& c, const char* name, int type, Counts n) {
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

    std::vector<MvQARN::SDbDefNumber> m_num;
    std::vector<MvQARN::SDbDefString> m_str;
    std::vector<MvQARN::SDbDefNString> m_list;
    int m_counts[3] = {};
    MvQARN::SDbDefArray m_arrays[3] = {};
    MvQARN::SDbDescriptor m_desc = {};
};

} // namespace testdb
