#include "host/gui/VGXTextParameter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <cmath>

#include "host/db/CDbDataTypeNumber.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/impl/VGXValueText.h"

namespace MvQARN {

namespace {

// value x factor (toUnit false) or value / factor (toUnit true), rounded once. A power of ten below
// 1 (1e-9, 1e-12) is not exact in binary, but its inverse is: going through that gives "1.5" in ns
// the same number as the text "1.5e-9", and shows that number as "1.5" again.
double inUnit(double value, double factor, bool toUnit) {
    const int exponent = int(std::lround(std::log10(factor)));
    if (exponent < 0 && exponent >= -22 && std::abs(std::pow(10.0, exponent) - factor) <= 1e-15 * factor) {
        const double inverse = std::pow(10.0, -exponent);
        return toUnit ? value * inverse : value / inverse;
    }
    return toUnit ? value / factor : value * factor;
}

} // namespace

VGXTextParameter::VGXTextParameter(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding,
                                   const QString& unit)
    : VGXParameterControl(parent, label, binding), m_edit(new QLineEdit(this)), m_unitLabel(new QLabel(this)),
      m_unit(unit) {
    if (m_unit.isEmpty())
        if (const auto* n = dynamic_cast<const VGXDescriptorNumberEntry*>(descriptor()))
            m_unit = n->unit();
    m_unitLabel->setText(m_unit);
    m_unitLabel->setVisible(!m_unit.isEmpty());
    if (const auto* s = dynamic_cast<const VGXDescriptorStringEntry*>(descriptor()); s && s->maxLength() > 0)
        m_edit->setMaxLength(s->maxLength() * 2); // room for the blanks a pattern shows
    if (!label.isEmpty())
        m_edit->setAccessibleName(label.trimmed());
    setField(m_edit, m_unitLabel);
    connect(m_edit, &QLineEdit::textEdited, this, [this] { m_edited = true; });
    connect(m_edit, &QLineEdit::editingFinished, this, &VGXTextParameter::commit);
    refresh();
}

VGXTextParameter::~VGXTextParameter() = default;

QString VGXTextParameter::text() const {
    return m_edit->text();
}

void VGXTextParameter::setUnits(const QStringList& units, const QList<double>& factors) {
    if (units.isEmpty())
        return;
    if (!m_unitCombo) {
        m_unitCombo = new QComboBox(this);
        m_unitCombo->setAccessibleName(labelText().trimmed() + QStringLiteral(" unit"));
        rowLayout()->addWidget(m_unitCombo);
        connect(m_unitCombo, &QComboBox::activated, this, [this] { refresh(); });
    }
    m_unitCombo->clear();
    m_unitCombo->addItems(units);
    m_factors = factors;
    while (m_factors.size() < units.size())
        m_factors.append(1.0);
    m_unitLabel->hide();
    refresh();
}

QString VGXTextParameter::currentUnit() const {
    return m_unitCombo ? m_unitCombo->currentText() : m_unit;
}

double VGXTextParameter::unitFactor() const {
    if (!m_unitCombo || m_unitCombo->currentIndex() < 0)
        return 1.0;
    const double f = m_factors.value(m_unitCombo->currentIndex(), 1.0);
    return f == 0 ? 1.0 : f;
}

void VGXTextParameter::setInputPattern(const QString& regularExpression) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(regularExpression), m_edit));
}

void VGXTextParameter::setValidator(QValidator* validator) {
    if (validator && validator->parent() != m_edit)
        validator->setParent(m_edit);
    m_edit->setValidator(validator);
}

void VGXTextParameter::showValue(const VGXDataContainer* value) {
    m_edited = false;
    if (value && value->getType() == DbTypeNumber && m_unitCombo) {
        // Shown in the chosen unit: the value divided by its factor.
        const VGXDataContainer scaled(inUnit(value->getDoubleData(), unitFactor(), true));
        m_edit->setText(VGXValueText::display(&scaled, nullptr));
        return;
    }
    m_edit->setText(VGXValueText::display(value, descriptor()));
}

void VGXTextParameter::applyReadOnly(bool readOnly) {
    // Read-only text stays selectable, so it can still be copied.
    m_edit->setReadOnly(readOnly);
    m_edit->setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
    QPalette p = m_edit->palette();
    p.setBrush(QPalette::Base,
               readOnly ? palette().brush(QPalette::Window) : palette().brush(QPalette::Base));
    m_edit->setPalette(p);
    if (m_unitCombo)
        m_unitCombo->setEnabled(true); // choosing a unit only changes the view
}

void VGXTextParameter::commit() {
    if (!m_edited || m_edit->isReadOnly())
        return;
    m_edited = false;
    int type = valueType();
    if (type == 0) {
        const VGXDataContainer* current = currentValue();
        type = current ? current->getType() : DbTypeString;
    }
    CDbAllType value;
    const QString unit = m_unitCombo ? QString() : m_unit;
    if (!VGXValueText::parse(m_edit->text(), type, descriptor(), unit, value)) {
        // Input the type cannot take goes to the database as text, which refuses it with the
        // database's own error, so every refusal looks the same to the user.
        value = CDbAllType::fromString(m_edit->text());
    } else if (type == DbTypeNumber && m_unitCombo) {
        double d = 0;
        value.toDouble(d);
        value = CDbAllType::fromDouble(inUnit(d, unitFactor(), false));
    }
    writeValue(value);
}

} // namespace MvQARN
