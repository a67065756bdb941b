// Controls that show a value without taking input.
#include <QLabel>

#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/impl/VGXValueText.h"

namespace MvQARN {

VGXLabel::VGXLabel(QWidget* parent, const QString& text)
    : VGXParameterControl(parent, QString(), VGXUserDbAttributes()), m_text(new QLabel(text, this)) {
    setField(m_text);
}

VGXLabel::VGXLabel(QWidget* parent, const VGXUserDbAttributes& binding, const QString& unit)
    : VGXParameterControl(parent, QString(), binding), m_text(new QLabel(this)), m_unit(unit) {
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setField(m_text);
    refresh();
}

VGXLabel::~VGXLabel() = default;

void VGXLabel::setText(const QString& text) {
    m_text->setText(text);
}

QString VGXLabel::text() const {
    return m_text->text();
}

void VGXLabel::showValue(const VGXDataContainer* value) {
    if (!connector())
        return; // a fixed text
    const QString text = VGXValueText::display(value, descriptor());
    m_text->setText(m_unit.isEmpty() || text.isEmpty() ? text : text + QLatin1Char(' ') + m_unit);
}

void VGXLabel::applyReadOnly(bool) {
    // A text takes no input; it never greys out.
}

VGXLabelParameter::VGXLabelParameter(QWidget* parent, const QString& label,
                                     const VGXUserDbAttributes& binding, const QString& unit)
    : VGXParameterControl(parent, label, binding), m_value(new QLabel(this)), m_unit(new QLabel(unit, this)) {
    m_value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_value->setFrameShape(QFrame::StyledPanel);
    m_value->setFrameShadow(QFrame::Sunken);
    m_value->setMinimumWidth(m_value->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10);
    // A one-line read-out, as high as the fields beside it however tall its dialog grows.
    m_value->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    if (unit.isEmpty())
        if (const auto* n = dynamic_cast<const VGXDescriptorNumberEntry*>(descriptor()))
            m_unit->setText(n->unit());
    m_unit->setVisible(!m_unit->text().isEmpty());
    setField(m_value, m_unit);
    refresh();
}

VGXLabelParameter::~VGXLabelParameter() = default;

QString VGXLabelParameter::valueText() const {
    return m_value->text();
}

void VGXLabelParameter::showValue(const VGXDataContainer* value) {
    m_value->setText(VGXValueText::display(value, descriptor()));
}

void VGXLabelParameter::applyReadOnly(bool) {
    // Always read-only; a value row never greys out.
}

} // namespace MvQARN
