#pragma once
// A read-only value row: the label, the parameter's value as text and its unit.
#include "host/gui/VGXParameterControl.h"

class QLabel;

namespace MvQARN {

class VGX_EXPORT VGXLabelParameter : public VGXParameterControl {
    Q_OBJECT
public:
    VGXLabelParameter(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding,
                      const QString& unit = QString());
    ~VGXLabelParameter() override;

    // The value as shown.
    QString valueText() const;
    QLabel* valueLabel() const { return m_value; }

protected:
    void showValue(const VGXDataContainer* value) override;
    void applyReadOnly(bool readOnly) override;

private:
    QLabel* m_value;
    QLabel* m_unit;
};

} // namespace MvQARN
