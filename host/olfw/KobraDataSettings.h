#pragma once
// Data settings record passed to the driver by address. Plain data; layout fixed.
#include <cstddef>
#include <cstdint>

namespace MvQARN {

struct KobraDataSettings {
    int32_t direction;     // 0 receiver, 1 transmitter, 2 other
    int32_t signalType;    // 0 IQ, 1 IF
    int32_t dataType;      // 0 samples, 1 pre-FIR samples
    int32_t wordSize;      // bits
    int32_t bitOrder;      // 0 MSB, 1 LSB
    int32_t wordAlignment; // inverted: 0 LSB, 1 MSB
    int32_t numberFormat;  // 0 two's complement, 1 binary offset
    uint8_t negateI;
    uint8_t negateQ;
    uint8_t padding[2];
    int32_t iqPolarity;
    int32_t strobePolarity;
    int32_t strobePosition;
};

static_assert(sizeof(KobraDataSettings) == 44);
static_assert(offsetof(KobraDataSettings, direction) == 0);
static_assert(offsetof(KobraDataSettings, signalType) == 4);
static_assert(offsetof(KobraDataSettings, dataType) == 8);
static_assert(offsetof(KobraDataSettings, wordSize) == 12);
static_assert(offsetof(KobraDataSettings, bitOrder) == 16);
static_assert(offsetof(KobraDataSettings, wordAlignment) == 20);
static_assert(offsetof(KobraDataSettings, numberFormat) == 24);
static_assert(offsetof(KobraDataSettings, negateI) == 28);
static_assert(offsetof(KobraDataSettings, negateQ) == 29);
static_assert(offsetof(KobraDataSettings, iqPolarity) == 32);
static_assert(offsetof(KobraDataSettings, strobePolarity) == 36);
static_assert(offsetof(KobraDataSettings, strobePosition) == 40);

} // namespace MvQARN
