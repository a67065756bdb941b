#pragma once
// An OFF/ON parameter as a lamp with its label: green when on, dark when off. Pressing it writes
// the other state; made read-only it is a pure indicator.
#include "host/gui/VGXParameterControl.h"

class QAbstractButton;

namespace MvQARN {

class VGX_EXPORT VGXLedButton : public VGXParameterControl {
    Q_OBJECT
public:
    VGXLedButton(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding);
    ~VGXLedButton() override;

    QAbstractButton* button() const { return m_button; }
    bool isOn() const;

protected:
    void showValue(const VGXDataContainer* value) override;
    void applyReadOnly(bool readOnly) override;

private:
    QAbstractButton* m_button;
};

} // namespace MvQARN
