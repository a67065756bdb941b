// The bound buttons: toggle, check box, lamp, action button and dialog button.
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>

#include "host/db/CDbDataTypeEvent.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXLedButton.h"
#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXToggleParameter.h"
#include "host/gui/impl/VGXLedWidget.h"
#include "host/gui/impl/VGXValueText.h"

namespace MvQARN {

namespace {

bool isOnValue(const VGXDataContainer* value) {
    return value && value->hasData() && value->getIntegerData() != 0;
}

QString stateText(const VGXDescriptorEntry* d, bool on) {
    if (const auto* c = dynamic_cast<const VGXDescriptorCheckboxEntry*>(d))
        return c->stateText(on);
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

} // namespace

// ---------------------------------------------------------------------------------------------

VGXToggleParameter::VGXToggleParameter(QWidget* parent, const QString& label,
                                       const VGXUserDbAttributes& binding)
    : VGXParameterControl(parent, label, binding), m_button(new QPushButton(this)) {
    m_button->setCheckable(true);
    m_button->setAccessibleName(label.trimmed());
    setField(m_button);
    connect(m_button, &QPushButton::toggled, this,
            [this](bool on) { writeValue(CDbAllType::fromInt(on ? 1 : 0)); });
    refresh();
}

VGXToggleParameter::~VGXToggleParameter() = default;

bool VGXToggleParameter::isOn() const {
    return m_button->isChecked();
}

void VGXToggleParameter::showValue(const VGXDataContainer* value) {
    const QSignalBlocker block(m_button);
    const bool on = isOnValue(value);
    m_button->setChecked(on);
    m_button->setText(stateText(descriptor(), on));
}

// ---------------------------------------------------------------------------------------------

VGXCheckParameter::VGXCheckParameter(QWidget* parent, const QString& label,
                                     const VGXUserDbAttributes& binding, ELabelPlace place)
    : VGXParameterControl(parent, place == LabelInColumn ? label : QString(), binding),
      m_box(new QCheckBox(place == LabelOnBox ? label : QString(), this)) {
    m_box->setAccessibleName(label.trimmed());
    setField(m_box);
    connect(m_box, &QCheckBox::toggled, this,
            [this](bool on) { writeValue(CDbAllType::fromInt(on ? 1 : 0)); });
    refresh();
}

VGXCheckParameter::~VGXCheckParameter() = default;

bool VGXCheckParameter::isChecked() const {
    return m_box->isChecked();
}

void VGXCheckParameter::showValue(const VGXDataContainer* value) {
    const QSignalBlocker block(m_box);
    m_box->setChecked(isOnValue(value));
}

// ---------------------------------------------------------------------------------------------

VGXLedWidget::VGXLedWidget(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

QSize VGXLedWidget::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    const int d = fm.height();
    return QSize(d + 6 + (text().isEmpty() ? 0 : fm.horizontalAdvance(text()) + 4), d + 4);
}

void VGXLedWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = fontMetrics().height() - 2;
    const QRectF lamp(3, (height() - d) / 2.0, d, d);
    QColor c = VGXStyleManager::color(isChecked() ? QStringLiteral("LedOn") : QStringLiteral("LedOff"));
    if (!isEnabled())
        c = c.lighter(130);
    QRadialGradient g(lamp.center() - QPointF(d / 5.0, d / 5.0), d * 0.7);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.setPen(QPen(c.darker(160), 1));
    p.drawEllipse(lamp);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect textRect(int(lamp.right()) + 5, 0, width() - int(lamp.right()) - 5, height());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text());
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}

VGXLedButton::VGXLedButton(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding)
    : VGXParameterControl(parent, QString(), binding), m_button(new VGXLedWidget(this)) {
    m_button->setText(label);
    m_button->setAccessibleName(label.trimmed());
    setField(m_button);
    connect(m_button, &QAbstractButton::toggled, this,
            [this](bool on) { writeValue(CDbAllType::fromInt(on ? 1 : 0)); });
    refresh();
}

VGXLedButton::~VGXLedButton() = default;

bool VGXLedButton::isOn() const {
    return m_button->isChecked();
}

void VGXLedButton::showValue(const VGXDataContainer* value) {
    const QSignalBlocker block(m_button);
    m_button->setChecked(isOnValue(value));
    m_button->setAccessibleDescription(stateText(descriptor(), m_button->isChecked()));
    m_button->update();
}

void VGXLedButton::applyReadOnly(bool readOnly) {
    // An indicator stays lit in full colour; it only stops taking clicks.
    m_button->setAttribute(Qt::WA_TransparentForMouseEvents, readOnly);
    m_button->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
}

// ---------------------------------------------------------------------------------------------

VGXButtonParameter::VGXButtonParameter(QWidget* parent, const QString& text,
                                       const VGXUserDbAttributes& binding, const QString& rowLabel)
    : VGXParameterControl(parent, rowLabel, binding), m_button(new QPushButton(text, this)) {
    setField(m_button, nullptr, 0);
    rowLayout()->addStretch(1);
    connect(m_button, &QPushButton::clicked, this, [this] { press(); });
    refresh();
}

VGXButtonParameter::~VGXButtonParameter() = default;

int VGXButtonParameter::press() {
    int rc = 0;
    if (valueType() == DbTypeEvent)
        rc = writeValue(CDbAllType(new CDbDataTypeEvent), DbMsgExec);
    else
        rc = writeValue(CDbAllType::fromInt(1));
    emit pressed(rc);
    return rc;
}

void VGXButtonParameter::showValue(const VGXDataContainer*) {}

// ---------------------------------------------------------------------------------------------

VGXDialogButton::VGXDialogButton(QWidget* parent, const QString& text, int userCode)
    : VGXParameterControl(parent, QString(), VGXUserDbAttributes()), m_code(userCode) {
    build(text, false);
}

VGXDialogButton::VGXDialogButton(QWidget* parent, const QString& text, const VGXUserDbAttributes& binding,
                                 int userCode)
    : VGXParameterControl(parent, QString(), binding), m_code(userCode) {
    build(text, true);
    refresh();
}

VGXDialogButton::~VGXDialogButton() = default;

void VGXDialogButton::build(const QString& text, bool bound) {
    m_button = new QPushButton(text, this);
    if (bound) {
        m_value = new QLabel(this);
        m_value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    setField(m_button, m_value, 0);
    if (!bound)
        rowLayout()->addStretch(1);
    connect(m_button, &QPushButton::clicked, this, [this] { press(); });
}

void VGXDialogButton::setDialog(const VGXDialogAttributes& attributes) {
    m_dialog.reset(attributes.clone());
}

void VGXDialogButton::setPopup(QMenu* popup) {
    m_popup = popup;
    if (popup && popup->parent() != this)
        popup->setParent(this, popup->windowFlags());
}

void VGXDialogButton::press() {
    if (m_popup) {
        m_popup->popup(m_button->mapToGlobal(QPoint(0, m_button->height())));
        return;
    }
    if (m_dialog) {
        VGXDfDialogFactory::toFront(m_dialog.get());
        return;
    }
    sendUserEvent(m_code);
}

void VGXDialogButton::showValue(const VGXDataContainer* value) {
    if (m_value)
        m_value->setText(VGXValueText::display(value, descriptor()));
}

} // namespace MvQARN
