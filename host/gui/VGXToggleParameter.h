#pragma once
// An OFF/ON parameter as a toggle button that reads the state's text ("Off"/"On", or the texts of
// the parameter's check box descriptor). Pressing it writes the other state.
#include "host/gui/VGXParameterControl.h"

class QPushButton;

namespace MvQARN {

class VGX_EXPORT VGXToggleParameter : public VGXParameterControl {
    Q_OBJECT
public:
    VGXToggleParameter(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding);
    ~VGXToggleParameter() override;

    QPushButton* button() const { return m_button; }
    bool isOn() const;

protected:
    void showValue(const VGXDataContainer* value) override;

private:
    QPushButton* m_button;
};

} // namespace MvQARN
