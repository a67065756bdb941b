#pragma once
// One ARB entry of the box: loads a waveform and switches the entry.
namespace MvQARN {

class KobraDrvArbSourceIfc {
public:
    virtual ~KobraDrvArbSourceIfc() = default;
    virtual int loadWaveform(const char* latin1FileName) = 0;
    virtual void enable(bool on) = 0;
};

} // namespace MvQARN
