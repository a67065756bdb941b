#pragma once
// A text field bound to a parameter of any type: numbers (with a unit, or a choice of scaled
// units), texts, bit fields in hexadecimal, selections by their texts. The typed text is written
// when the user finishes (Return or leaving the field); a refused value is replaced by the stored
// one. String descriptors limit the length; pattern descriptors limit the characters and group
// them.
#include <QList>
#include <QStringList>

#include "host/gui/VGXParameterControl.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QValidator;

namespace MvQARN {

class VGX_EXPORT VGXTextParameter : public VGXParameterControl {
    Q_OBJECT
public:
    // unit: the unit text shown after the field and accepted after typed numbers; without one, a
    // number descriptor's unit is used.
    VGXTextParameter(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding,
                     const QString& unit = QString());
    ~VGXTextParameter() override;

    QLineEdit* lineEdit() const { return m_edit; }
    QString text() const;

    // Units the user chooses from in a combo after the field: the field shows the value divided by
    // the chosen unit's factor ("ns" 1e-9, "ps" 1e-12); typed numbers are multiplied by it.
    void setUnits(const QStringList& units, const QList<double>& factors);
    QString currentUnit() const;
    QComboBox* unitCombo() const { return m_unitCombo; }
    QLabel* unitLabel() const { return m_unitLabel; }

    // Only input matching the regular expression can be typed.
    void setInputPattern(const QString& regularExpression);
    // Takes ownership.
    void setValidator(QValidator* validator);

protected:
    void showValue(const VGXDataContainer* value) override;
    void applyReadOnly(bool readOnly) override;

private:
    void commit();
    double unitFactor() const;

    QLineEdit* m_edit;
    QLabel* m_unitLabel;
    QComboBox* m_unitCombo = nullptr;
    QList<double> m_factors;
    QString m_unit;
    bool m_edited = false;
};

} // namespace MvQARN
