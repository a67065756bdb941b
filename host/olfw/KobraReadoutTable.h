#pragma once
// The framework's answer table of command 46: read-out code to answer text. The framework sets the
// command block's buffer word to its own table; the caller takes the text of the code it asked for.
#include <cstring>

namespace MvQARN {

// Read-out codes a box answers.
enum EKobraReadout {
    KobraReadoutBer = 40,           // bit error rate of the receive test, e.g. "0"
    KobraReadoutIqWords = 41,       // received I/Q words, a counter
    KobraReadoutTriggerStatus = 42, // "Running" or "Idle"
    KobraReadoutTriggerState = 43,  // "1" or "0"
    KobraReadoutExtRefFreq = 44,    // measured external reference frequency in Hz, e.g. "10000000"
};

struct SKobraReadoutEntry {
    int code;
    char text[60]; // zero-terminated 8-bit text
};

struct SKobraReadoutTable {
    enum { MaxEntries = 16 };
    int count;
    SKobraReadoutEntry entries[MaxEntries];

    // The answer text of a code, or null when the table has no entry for it.
    const char* textOf(int code) const {
        for (int i = 0; i < count && i < MaxEntries; ++i)
            if (entries[i].code == code)
                return entries[i].text;
        return nullptr;
    }
};

static_assert(sizeof(SKobraReadoutEntry) == 64);

} // namespace MvQARN
