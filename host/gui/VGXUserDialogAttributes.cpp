#include "host/gui/VGXUserDialogAttributes.h"

namespace MvQARN {

VGXUserDialogAttributes::VGXUserDialogAttributes(const QString& dialogName, const QString& qualifier,
                                                 int instance, int channel, int direction, int station)
    : VGXDialogAttributes(dialogName, qualifier), m_instance(instance), m_channel(channel),
      m_direction(direction), m_station(station) {}

VGXUserDialogAttributes::~VGXUserDialogAttributes() = default;

VGXDialogAttributes* VGXUserDialogAttributes::clone() const {
    return new VGXUserDialogAttributes(*this);
}

} // namespace MvQARN
