#include "ui/diagrams/CLynxGraphBase.h"

#include <QPainter>
#include <cmath>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "ui/diagrams/CLynxGraphPainter.h"

namespace MvQARN {

namespace {

std::optional<double> valueOf(const VGXDataContainer* data) {
    if (!data || !data->hasData())
        return std::nullopt;
    return data->getDoubleData();
}

} // namespace

CLynxGraphBase::CLynxGraphBase(QWidget* parent, int instance, int direction,
                               std::initializer_list<const char*> names)
    : VGXNavigationPanel(parent),
      m_instance(instance < 0 ? VGXUserDbAttributes::currentInstance() : instance),
      m_direction(direction < 0 ? VGXUserDbAttributes::currentDirection() : direction) {
    // Fixed indices: a diagram shows its own interface whatever instance is current later.
    for (const char* name : names) {
        VGXDatabaseConnectorEntry* entry =
            VGXDataObject::connectDatabase(this, VGXUserDbAttributes(name, m_instance, 0, m_direction, 0));
        m_entries << entry;
        m_values << (entry && entry->hasData() ? valueOf(entry->getData()) : std::nullopt);
    }
}

CLynxGraphBase::~CLynxGraphBase() {
    VGXDataObject::disconnectDatabase(this);
}

QList<QByteArray> CLynxGraphBase::parameterNames() const {
    QList<QByteArray> out;
    for (VGXDatabaseConnectorEntry* e : m_entries)
        out << (e ? e->getName() : QByteArray());
    return out;
}

std::optional<double> CLynxGraphBase::value(int index) const {
    return m_values.value(index);
}

int CLynxGraphBase::intValue(int index, int fallback) const {
    const std::optional<double> v = value(index);
    return v ? int(std::lround(*v)) : fallback;
}

void CLynxGraphBase::processDataEvent(VGXDataEvent* event) {
    if (!event || event->getCode() != VGXDataEvent::DataChanged)
        return;
    const qsizetype index = m_entries.indexOf(event->getSourceEntry());
    if (index < 0)
        return;
    m_values[index] = valueOf(event->getEntryData());
    valuesChanged();
}

void CLynxGraphBase::valuesChanged() {
    update();
}

void CLynxGraphBase::paintEvent(QPaintEvent* event) {
    VGXNavigationPanel::paintEvent(event);
    QPainter painter(this);
    paintLynxGraph(painter, model(), font(), palette());
}

} // namespace MvQARN
