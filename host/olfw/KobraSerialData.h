#pragma once
// The 8-byte data area of the SSI and SPI commands (31, 32, 33): up to 64 bits, left-aligned in two
// 32-bit words as bit fields of the parameter database hold them (first bit = 0x80000000 of word 0).
#include <cstdint>

namespace MvQARN {

struct SKobraSerialData {
    uint32_t words[2];
};

static_assert(sizeof(SKobraSerialData) == 8);

} // namespace MvQARN
