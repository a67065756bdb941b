#include "host/gui/VGXParameterControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXParameterAvailability.h"
#include "host/gui/impl/VGXDbAccess.h"
#include "host/util/VGXErrorManager.h"

namespace MvQARN {

VGXParameterControl::VGXParameterControl(QWidget* parent, const QString& label,
                                         const VGXUserDbAttributes& binding)
    : CViewer(parent), m_binding(binding), m_labelText(label) {
    m_entry = VGXDataObject::connectDatabase(this, binding);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
    if (!label.isEmpty()) {
        // A label names its field as written: "C&M Size" is no keyboard shortcut.
        m_label = new QLabel(QString(label).replace(QLatin1Char('&'), QLatin1String("&&")), this);
        m_row->addWidget(m_label);
    }
    if (!binding.name().isEmpty())
        setObjectName(QString::fromLatin1(binding.name()));
    m_marks = connect(VGXParameterAvailability::instance(), &VGXParameterAvailability::marksChanged, this,
                      [this](const QByteArray& name) {
                          if (name == m_binding.name())
                              refresh();
                      });
}

VGXParameterControl::~VGXParameterControl() {
    disconnect(m_marks);
    VGXDataObject::disconnectDatabase(this);
    m_entry = nullptr;
}

void VGXParameterControl::setLabelText(const QString& text) {
    m_labelText = text;
    if (m_label)
        m_label->setText(QString(text).replace(QLatin1Char('&'), QLatin1String("&&")));
}

void VGXParameterControl::setLabelWidth(int pixels) {
    if (!m_label)
        return;
    if (pixels < 0) {
        m_label->setMinimumWidth(0);
        m_label->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        m_label->setFixedWidth(pixels);
    }
}

int VGXParameterControl::labelHintWidth() const {
    return m_label ? m_label->sizeHint().width() : 0;
}

const VGXDescriptorEntry* VGXParameterControl::descriptor() const {
    if (m_ownDescriptor)
        return m_ownDescriptor.get();
    return m_binding.name().isEmpty() ? nullptr : VGXDescriptors::find(m_binding.name().constData());
}

void VGXParameterControl::setOwnDescriptor(VGXDescriptorEntry* descriptor) {
    m_ownDescriptor.reset(descriptor);
    refresh();
}

void VGXParameterControl::setField(QWidget* editor, QWidget* trailing, int editorStretch) {
    m_field = editor;
    m_row->addWidget(editor, editorStretch);
    if (trailing)
        m_row->addWidget(trailing);
    if (m_label)
        m_label->setBuddy(editor);
    setFocusProxy(editor);
}

const VGXDataContainer* VGXParameterControl::currentValue() const {
    return m_entry ? m_entry->getData() : nullptr;
}

int VGXParameterControl::valueType() const {
    return m_entry ? VGXDbAccess::recordType(m_entry->getName(), m_entry->getTupel()) : 0;
}

void VGXParameterControl::refresh() {
    updateAvailability();
    refreshChoices();
    showValue(currentValue());
}

void VGXParameterControl::refreshChoices() {}

void VGXParameterControl::processDataEvent(VGXDataEvent* event) {
    if (!m_entry || event->getSourceEntry() != m_entry || event->getCode() != VGXDataEvent::DataChanged)
        return;
    // A binding to the current instance also hears other instances; the control shows its own.
    if (!(event->getTupel() == m_entry->getTupel()))
        return;
    updateAvailability();
    refreshChoices();
    showValue(event->getEntryData());
    emit valueChanged();
}

void VGXParameterControl::updateAvailability() {
    m_availability = VGXParameterAvailability::of(m_entry);
    applyVisibility();
    applyReadOnly(isEffectivelyReadOnly() || m_availability == VGXParameterAvailability::ReadOnly);
}

void VGXParameterControl::applyVisibility() {
    if (m_availability == VGXParameterAvailability::Hidden) {
        m_hiddenByAvailability = true;
        if (!isHidden())
            QWidget::setVisible(false);
    } else if (m_hiddenByAvailability) {
        m_hiddenByAvailability = false;
        if (m_wantVisible)
            QWidget::setVisible(true);
    }
}

void VGXParameterControl::setVisible(bool visible) {
    m_wantVisible = visible;
    if (visible && m_availability == VGXParameterAvailability::Hidden) {
        m_hiddenByAvailability = true;
        QWidget::setVisible(false);
        return;
    }
    QWidget::setVisible(visible);
}

void VGXParameterControl::readOnlyChanged(bool readOnly) {
    applyReadOnly(readOnly || m_availability == VGXParameterAvailability::ReadOnly);
}

void VGXParameterControl::applyReadOnly(bool readOnly) {
    if (m_field)
        m_field->setEnabled(!readOnly);
}

void VGXParameterControl::showEvent(QShowEvent* event) {
    CViewer::showEvent(event);
    refresh();
}

int VGXParameterControl::writeValue(const CDbAllType& value, int msgType) {
    if (!m_entry)
        return DbErrUnknownParameter;
    QPointer<VGXParameterControl> self(this);
    const int rc = m_entry->setData(new VGXDataContainer(value), msgType);
    if (!self)
        return rc; // a handler of the change closed the dialog
    if (rc != 0)
        showRefusal(rc, m_entry->getLastErrorText());
    else
        clearRefusal();
    refresh();
    return rc;
}

void VGXParameterControl::showRefusal(int error, const QString& text) {
    m_lastError = error;
    m_lastErrorText = text;
    if (m_field) {
        m_field->setToolTip(text);
        m_field->setAccessibleDescription(text);
    }
    if (auto* dialog = qobject_cast<VGXDialog*>(window()))
        dialog->showStatusMessage(text);
    VGXErrorManager::signal(error, text);
    emit writeRefused(error, text);
}

void VGXParameterControl::clearRefusal() {
    if (m_lastError == 0)
        return;
    m_lastError = 0;
    m_lastErrorText.clear();
    if (m_field) {
        m_field->setToolTip(QString());
        m_field->setAccessibleDescription(QString());
    }
    if (auto* dialog = qobject_cast<VGXDialog*>(window()))
        dialog->showStatusMessage(QString());
}

} // namespace MvQARN
