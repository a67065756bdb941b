#pragma once
// A read-only frequency row shown in MHz with three decimals: the interface's rates are stored in Hz,
// where their many digits are hard to read at a glance.
#include "host/gui/VGXLabelParameter.h"

namespace MvQARN {

class VGX_EXPORT CLynxFrequencyLabel : public VGXLabelParameter {
    Q_OBJECT
public:
    CLynxFrequencyLabel(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding);
    ~CLynxFrequencyLabel() override;

protected:
    void showValue(const VGXDataContainer* value) override;
};

} // namespace MvQARN
