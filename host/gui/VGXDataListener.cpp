#include "host/gui/VGXDataListener.h"

#include "host/gui/VGXDataObject.h"

namespace MvQARN {

VGXDataListener::~VGXDataListener() {
    VGXDataObject::disconnectDatabase(this);
}

} // namespace MvQARN
