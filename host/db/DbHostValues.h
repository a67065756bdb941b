#pragma once
// Values of the host that definition records carry where a module sets no limit of its own, and the
// host's shared choice lists. Records point at these; the database treats them as "no module limit".
#include <climits>
#include <cstdint>

#include "host/db/DbDefinitions.h"

namespace MvQARN {

// Text and list lengths.
inline constexpr int DbHostMinLen = 0;
inline constexpr int DbHostMaxLen = INT_MAX;
inline constexpr int DbHostEmptyLen = 0;
// Element counts of lists and arrays.
inline constexpr int DbHostElemMin = 0;
inline constexpr int DbHostElemMax = INT_MAX;
// Values of integer elements.
inline constexpr int DbHostValMin = INT_MIN;
inline constexpr int DbHostValMax = INT_MAX;

// The empty text of string records without a default.
inline constexpr char DbHostEmptyText[] = "";

// A text record with the host's lengths and limits; def null means no default (the host's empty text).
constexpr SDbDefString dbHostText(const SDbDefCommon& c, const char* def) {
    int defLen = DbHostEmptyLen;
    for (const char* p = def; p && *p; ++p)
        ++defLen;
    SDbDefString r{};
    r.c = c;
    r.flag = def ? 1 : 0;
    r.maxLen = 256;
    r.defLen = defLen;
    r.one = 1;
    r.hostMinLen = DbHostMinLen;
    r.hostMaxLen = DbHostMaxLen;
    r.defLen2 = defLen;
    r.emptyLen = DbHostEmptyLen;
    r.elemLimits[0] = DbHostElemMin;
    r.elemLimits[1] = DbHostElemMax;
    r.valueLimits[0] = DbHostValMin;
    r.valueLimits[1] = DbHostValMax;
    r.def = def ? def : DbHostEmptyText;
    r.def2 = r.def;
    r.one2 = 1;
    return r;
}

// Bit-field pattern limits (left-aligned words).
inline constexpr uint32_t DbHostPatternLowest[1] = {0u};
inline constexpr uint32_t DbHostPatternHighest[1] = {0xffffffffu};

// Choice identifiers of OFF/ON states.
inline constexpr int DbHostStateOff = 0;
inline constexpr int DbHostStateOn = 1;
inline constexpr int DbHostStateList[2] = {DbHostStateOff, DbHostStateOn};

// Choice identifiers of test-result parameters; the last one means "no result yet".
inline constexpr int DbHostTestResultList[4] = {0, 1, 2, 3};

} // namespace MvQARN
