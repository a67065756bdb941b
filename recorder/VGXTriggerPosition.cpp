#include "recorder/VGXTriggerPosition.h"

#include <QSignalBlocker>
#include <QSlider>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabel.h"
#include "recorder/KobraSlider.h"

namespace MvQARN {

VGXTriggerPosition::VGXTriggerPosition(QWidget* parent, const VGXUserDbAttributes& length,
                                       const VGXUserDbAttributes& position)
    : VGXPanel(parent), m_slider(new KobraSlider(this)) {
    setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    setIndents(MvGuiFramework::CBoxIndents(0));
    m_value = new VGXLabel(this, position);
    m_unit = new VGXLabel(this, QStringLiteral("Samples"));
    m_value->setMinimumWidth(m_value->fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
    m_slider->slider()->setAccessibleName(QStringLiteral("Trigger Position"));
    add(m_slider, 1);
    add(m_value, 0);
    add(m_unit, 0);

    m_timer.setSingleShot(true);
    m_timer.setInterval(WriteDelayMs);
    connect(m_slider->slider(), &QSlider::valueChanged, this, &VGXTriggerPosition::updatePosition);
    connect(&m_timer, &QTimer::timeout, this, &VGXTriggerPosition::setData);

    m_length = VGXDataObject::connectDatabase(this, length);
    m_position = VGXDataObject::connectDatabase(this, position);
    applyLength(m_length->getIntegerData());
    applyPosition(m_position->getIntegerData());
}

VGXTriggerPosition::~VGXTriggerPosition() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

void VGXTriggerPosition::applyLength(int length) {
    const QSignalBlocker quiet(m_slider->slider());
    m_slider->slider()->setRange(0, qMax(0, length - 1));
    m_slider->slider()->setTickInterval(qMax(1, length / 10));
}

void VGXTriggerPosition::applyPosition(int position) {
    // Following the parameter is no movement of the user's.
    const QSignalBlocker quiet(m_slider->slider());
    m_slider->slider()->setValue(position);
}

void VGXTriggerPosition::updatePosition(int position) {
    m_pending = position;
    m_timer.start(WriteDelayMs);
}

void VGXTriggerPosition::setData() {
    m_timer.stop();
    m_position->setData(new VGXDataContainer(m_pending));
}

void VGXTriggerPosition::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    if (event->getSourceEntry() == m_length)
        applyLength(m_length->getIntegerData());
    else if (event->getSourceEntry() == m_position)
        applyPosition(m_position->getIntegerData());
}

} // namespace MvQARN
