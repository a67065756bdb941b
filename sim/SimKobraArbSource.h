#pragma once
// One ARB entry of a simulated box: its driver calls land in the box's device.
#include "host/olfw/KobraDrvArbSourceIfc.h"

namespace vgxsim {

class SimKobraDevice;

class SimKobraArbSource : public MvQARN::KobraDrvArbSourceIfc {
public:
    SimKobraArbSource(SimKobraDevice& device, int entry) : m_device(device), m_entry(entry) {}

    int loadWaveform(const char* latin1FileName) override;
    void enable(bool on) override;

    int entry() const { return m_entry; }

private:
    SimKobraDevice& m_device;
    int m_entry;
};

} // namespace vgxsim
