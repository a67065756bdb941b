#pragma once
// What a box's interface carries, for the host's recorder component. A driver's device may offer it
// beside KobraDrvDeviceIfc (the recorder looks for it with dynamic_cast); a device without it has no
// data the recorder could take from the interface.
#include <QString>

namespace MvQARN {

class KobraDrvSignalIfc {
public:
    struct SSignal {
        enum Kind { None, Sine, Waveform, Prbs, Counter };
        Kind kind = None;
        // Sine: a complex tone of this frequency (Hz, negative turns the other way) and amplitude
        // (fraction of full scale) at this sample rate (Hz).
        double sampleRate = 0.0;
        double frequency = 0.0;
        double amplitude = 0.0;
        // Waveform: the waveform file the interface plays, as the driver was given it.
        QString file;
        // Prbs: the sequence's order; two successive bits give the signs of I and Q. Counter: I and Q
        // both count up by one per sample. Both at the interface's sample rate.
        int order = 9;
    };

    virtual ~KobraDrvSignalIfc() = default;
    virtual SSignal interfaceSignal() = 0;
};

} // namespace MvQARN
