#pragma once
// Receives data events of the database values it connected to with VGXDataObject::connectDatabase.
// Its connections end with it.
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDataEvent;

class VGX_EXPORT VGXDataListener {
public:
    VGXDataListener() = default;
    VGXDataListener(const VGXDataListener&) = delete;
    VGXDataListener& operator=(const VGXDataListener&) = delete;
    virtual ~VGXDataListener();
    // Called on the GUI thread after the request that changed the value; the event lives for the call.
    virtual void processDataEvent(VGXDataEvent* event) = 0;
};

} // namespace MvQARN
