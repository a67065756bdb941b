#pragma once
// Clock settings record passed to the driver by address. Plain data; layout fixed.
#include <cstddef>
#include <cstdint>

namespace MvQARN {

struct KobraClockSettings {
    double clockRate;      // Hz
    double sampleRate;     // Hz
    int32_t clockSource;   // 0 internal or reference, 1 user interface
    int32_t refFrequency;  // 0 5 MHz, 1 10 MHz, 2 13 MHz
    uint8_t reserved[8];   // not filled by the organisation layer
    int32_t clockPhase;    // 0..3 (quarter periods)
    int32_t clockSkew;     // ps
    int32_t clockInSkew;   // ps
    int32_t clockPolarity; // 0 positive, 1 negative
    int32_t clockRatio;    // 0..5
    int32_t referenceFlag; // 0 internal clock, else 1
};

static_assert(sizeof(KobraClockSettings) == 56);
static_assert(offsetof(KobraClockSettings, clockRate) == 0);
static_assert(offsetof(KobraClockSettings, sampleRate) == 8);
static_assert(offsetof(KobraClockSettings, clockSource) == 16);
static_assert(offsetof(KobraClockSettings, refFrequency) == 20);
static_assert(offsetof(KobraClockSettings, clockPhase) == 32);
static_assert(offsetof(KobraClockSettings, clockSkew) == 36);
static_assert(offsetof(KobraClockSettings, clockInSkew) == 40);
static_assert(offsetof(KobraClockSettings, clockPolarity) == 44);
static_assert(offsetof(KobraClockSettings, clockRatio) == 48);
static_assert(offsetof(KobraClockSettings, referenceFlag) == 52);

} // namespace MvQARN
