#pragma once
// Clock settings of an interface: rate, source, phase, skews and polarity, the reference clock,
// and the clock block diagrams. Input skew and reference frequency only apply to the clock source
// that uses them.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGXComboParameter;
class VGXTextParameter;

class VGX_EXPORT CLynxPnlClock : public CLynxPanelBase {
    Q_OBJECT
public:
    CLynxPnlClock(QWidget* parent, int instance, int direction);
    ~CLynxPnlClock() override;

    VGXTextParameter* clockInSkew() const { return m_inSkew; }
    VGXComboParameter* refFrequency() const { return m_refFreq; }

protected:
    void applyRules() override;

private:
    VGXTextParameter* m_inSkew = nullptr;
    VGXComboParameter* m_refFreq = nullptr;
};

} // namespace MvQARN
