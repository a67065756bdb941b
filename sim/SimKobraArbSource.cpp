#include "sim/SimKobraArbSource.h"

#include "sim/SimKobraDevice.h"

namespace vgxsim {

int SimKobraArbSource::loadWaveform(const char* latin1FileName) {
    return m_device.loadSourceWaveform(m_entry, latin1FileName);
}

void SimKobraArbSource::enable(bool on) {
    m_device.enableSource(m_entry, on);
}

} // namespace vgxsim
