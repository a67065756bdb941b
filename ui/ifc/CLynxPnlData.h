#pragma once
// Data word settings of an interface: signal type, word size and alignment, bit order, numeric
// format, negation, I/Q polarity and the serial strobe. Alignment and bit order only exist on a
// parallel interface.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGXComboParameter;

class VGX_EXPORT CLynxPnlData : public CLynxPanelBase {
    Q_OBJECT
public:
    CLynxPnlData(QWidget* parent, int instance, int direction);
    ~CLynxPnlData() override;

    VGXComboParameter* wordAlignment() const { return m_wordAlign; }
    VGXComboParameter* bitOrder() const { return m_bitOrder; }

protected:
    void applyRules() override;

private:
    VGXComboParameter* m_wordAlign = nullptr;
    VGXComboParameter* m_bitOrder = nullptr;
};

} // namespace MvQARN
