#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

namespace {

// Indices new bindings with -1 take; set by the dialog being built or the instance shown.
struct SCurrent {
    int instance = 0;
    int channel = 0;
    int direction = 0;
    int station = 0;
};

SCurrent& current() {
    static SCurrent c;
    return c;
}

} // namespace

VGXUserDbAttributes::VGXUserDbAttributes(const char* name) : m_name(name) {}

VGXUserDbAttributes::VGXUserDbAttributes(const char* name, int instance, int channel, int direction,
                                         int station)
    : m_name(name), m_instance(instance), m_channel(channel), m_direction(direction), m_station(station) {}

SDbInstTupel VGXUserDbAttributes::resolve() const {
    const SCurrent& c = current();
    return SDbInstTupel{m_instance < 0 ? c.instance : m_instance, m_direction < 0 ? c.direction : m_direction,
                        m_station < 0 ? c.station : m_station, m_channel < 0 ? c.channel : m_channel};
}

void VGXUserDbAttributes::setCurrentInstance(int v) {
    current().instance = v;
}
void VGXUserDbAttributes::setCurrentChannel(int v) {
    current().channel = v;
}
void VGXUserDbAttributes::setCurrentDirection(int v) {
    current().direction = v;
}
void VGXUserDbAttributes::setCurrentStation(int v) {
    current().station = v;
}
int VGXUserDbAttributes::currentInstance() {
    return current().instance;
}
int VGXUserDbAttributes::currentChannel() {
    return current().channel;
}
int VGXUserDbAttributes::currentDirection() {
    return current().direction;
}
int VGXUserDbAttributes::currentStation() {
    return current().station;
}

VGXCurrentIndicesGuard::VGXCurrentIndicesGuard()
    : m_instance(VGXUserDbAttributes::currentInstance()), m_channel(VGXUserDbAttributes::currentChannel()),
      m_direction(VGXUserDbAttributes::currentDirection()), m_station(VGXUserDbAttributes::currentStation()) {
}

VGXCurrentIndicesGuard::~VGXCurrentIndicesGuard() {
    VGXUserDbAttributes::setCurrentInstance(m_instance);
    VGXUserDbAttributes::setCurrentChannel(m_channel);
    VGXUserDbAttributes::setCurrentDirection(m_direction);
    VGXUserDbAttributes::setCurrentStation(m_station);
}

} // namespace MvQARN
