#pragma once
// Interface test: a receiving box checks a PRBS or counter signal and counts bit errors; a
// transmitting box sends PRBS, counter, sine or (with the ARB) a waveform file. Only the section of
// the interface's direction is shown, and only the settings of the chosen transmit signal.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGXComboParameter;

class VGX_EXPORT CLynxPnlTest : public CLynxPanelBase {
    Q_OBJECT
public:
    CLynxPnlTest(QWidget* parent, int instance, int direction);
    ~CLynxPnlTest() override;

    VGXPanel* receiveSection() const { return m_receive; }
    VGXPanel* transmitSection() const { return m_transmit; }
    VGXPanel* sineSettings() const { return m_sine; }
    VGXPanel* arbSettings() const { return m_arb; }
    VGXComboParameter* transmitSource() const { return m_txSource; }

protected:
    void applyRules() override;

private:
    VGXPanel* m_receive = nullptr;
    VGXPanel* m_transmit = nullptr;
    VGXPanel* m_sine = nullptr;
    VGXPanel* m_arb = nullptr;
    VGXComboParameter* m_txSource = nullptr;
    int m_arbListState = -1;
};

} // namespace MvQARN
