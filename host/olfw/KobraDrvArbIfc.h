#pragma once
// The box's ARB: the table of its four waveform entries.
#include <cstdint>

namespace MvQARN {

class KobraDrvArbIfc {
public:
    enum { SlotCount = 4, SlotSize = 256 };
    virtual ~KobraDrvArbIfc() = default;
    // count = number of entries with a file; names are zero-terminated Latin-1 texts in 256-byte
    // slots kept at their entry positions; samples per entry.
    virtual int setWaveforms(int count, const char names[SlotCount][SlotSize],
                             const int64_t samples[SlotCount]) = 0;
};

} // namespace MvQARN
