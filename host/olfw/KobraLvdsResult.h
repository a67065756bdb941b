#pragma once
// Result record of command 55: the LVDS service test counters and lock states of a box.
#include <cstddef>

namespace MvQARN {

struct SKobraLvdsResult {
    double received; // words received since the test started
    double errors;   // words received in error
    int pll;         // 1 when the PLL is locked
    int dcm;         // 1 when the clock manager is locked
    int noData;      // 1 when only zeroes arrive (no test running)
};

static_assert(offsetof(SKobraLvdsResult, received) == 0);
static_assert(offsetof(SKobraLvdsResult, errors) == 8);
static_assert(offsetof(SKobraLvdsResult, pll) == 16);
static_assert(offsetof(SKobraLvdsResult, dcm) == 20);
static_assert(offsetof(SKobraLvdsResult, noData) == 24);

} // namespace MvQARN
