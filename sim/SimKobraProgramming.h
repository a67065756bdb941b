#pragma once
// What a simulated box was programmed with through the driver: the interface records and modes, the
// FPGA configuration, trigger, test signals and the four ARB entries. Fields that were never sent
// stay empty (std::nullopt) or at their initial values, so a reader can tell "not programmed" apart.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "host/olfw/KobraClockSettings.h"
#include "host/olfw/KobraDataSettings.h"

namespace vgxsim {

struct SimKobraProgramming {
    static constexpr int ArbEntries = 4;

    struct Trigger {
        int source = 0;
        int delay = 0;
    };
    // A receive or transmit test; the transmit test's source 2 is the sine with its parameters.
    struct Test {
        bool on = false;
        int source = 0;
        double linearGain = 0.0;
        double cwFrequency = 0.0;
        double sampleRate = 0.0;
    };
    struct ArbEntry {
        QString file;        // from the ARB table; empty for an entry without file
        int64_t samples = 0; // from the ARB table
        QString loaded;      // what the entry's source loaded last
        bool enabled = false;
    };

    std::optional<MvQARN::KobraDataSettings> data;
    std::optional<MvQARN::KobraClockSettings> clock;
    std::optional<int> format;
    std::optional<int> rateMode;
    std::optional<int> interleaveMode;
    std::optional<int> clockRatio;
    std::optional<Trigger> trigger;
    int triggerArms = 0;
    int triggerRestarts = 0;
    std::optional<Test> testRx;
    std::optional<Test> testTx;

    // The configuration in the FPGA: empty until the first load.
    QString fpgaFile;
    int fpgaDirection = -1;
    int fpgaLogicType = -1;
    int fpgaLoads = 0;

    // Number of entries with a file, as the last ARB table said; -1 before the first table.
    int arbCount = -1;
    std::array<ArbEntry, ArbEntries> arb;
};

} // namespace vgxsim
