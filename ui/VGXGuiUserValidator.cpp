#include "ui/VGXGuiUserValidator.h"

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/util/VGXErrorManager.h"

namespace MvQARN {

namespace {

bool valueOf(VGXDataContainer* data, int& out) {
    if (!data || !data->hasData())
        return false;
    out = data->getIntegerData();
    return true;
}

} // namespace

VGXGuiUserValidator::VGXGuiUserValidator(const VGXUserDbAttributes& mirror, const VGXUserDbAttributes& real,
                                         int triggerValue)
    : m_trigger(triggerValue) {
    m_real = VGXDataObject::connectDatabase(this, real);
    m_mirror = VGXDataObject::connectDatabase(this, mirror);
    // The real state is known from the start, so the first input of the user is judged against it.
    refreshFromReal();
}

VGXGuiUserValidator::~VGXGuiUserValidator() {
    VGXDataObject::disconnectDatabase(this);
}

bool VGXGuiUserValidator::needsConfirmation(int) {
    return false;
}

bool VGXGuiUserValidator::confirm(int) {
    return true;
}

void VGXGuiUserValidator::processOtherEvent(VGXDataEvent*) {}

void VGXGuiUserValidator::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    int value = 0;
    if (event->getSourceEntry() == m_real) {
        if (!valueOf(event->getEntryData(), value))
            return;
        m_lastConfirmed = value;
        syncMirror();
        return;
    }
    if (event->getSourceEntry() != m_mirror) {
        processOtherEvent(event);
        return;
    }
    if (m_lastConfirmed < 0 || !valueOf(event->getEntryData(), value))
        return;
    if (m_trigger != -1 && value != m_trigger) {
        if (value != m_lastConfirmed)
            writeReal(value);
        return;
    }
    if (value == m_lastConfirmed)
        return;
    if (!needsConfirmation(value) || confirm(value))
        writeReal(value);
    else
        writeReal(m_lastConfirmed);
}

void VGXGuiUserValidator::refreshFromReal() {
    if (m_real && valueOf(m_real->getData(), m_lastConfirmed))
        syncMirror();
}

void VGXGuiUserValidator::writeReal(int value) {
    // No control of the real parameter shows a refusal, so the host's error display does.
    if (const int rc = m_real->setData(new VGXDataContainer(value)); rc != 0)
        VGXErrorManager::signal(rc, m_real->getLastErrorText());
    syncMirror();
}

void VGXGuiUserValidator::syncMirror() {
    int real = 0;
    if (!m_mirror || !valueOf(m_real->getData(), real))
        return;
    int shown = 0;
    if (valueOf(m_mirror->getData(), shown) && shown == real)
        return;
    m_mirror->setData(new VGXDataContainer(real));
}

} // namespace MvQARN
