#pragma once
// A text in a dialog: fixed, or the value of a parameter (a file path, a status text), which then
// follows the parameter.
#include "host/gui/VGXParameterControl.h"

class QLabel;

namespace MvQARN {

class VGX_EXPORT VGXLabel : public VGXParameterControl {
    Q_OBJECT
public:
    // A fixed text.
    VGXLabel(QWidget* parent, const QString& text);
    // The parameter's value as text, followed by the unit when one is given.
    VGXLabel(QWidget* parent, const VGXUserDbAttributes& binding, const QString& unit = QString());
    ~VGXLabel() override;

    // For a bound label, the text shows until the next value arrives.
    void setText(const QString& text);
    QString text() const;
    QLabel* label() const { return m_text; }

protected:
    void showValue(const VGXDataContainer* value) override;
    void applyReadOnly(bool readOnly) override;

private:
    QLabel* m_text;
    QString m_unit;
};

} // namespace MvQARN
