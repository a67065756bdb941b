#pragma once
// Values of the host that definition records carry where a module sets no limit of its own, and the
// host's shared choice lists. Records point at these; the database treats them as "no module limit".
#include <climits>
#include <cstdint>

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
