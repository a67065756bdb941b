#pragma once
// The observer that hands changes to the data listeners (the GUI side, VGXDataObject, installs it).
// It is called before every other observer, and an engine reset keeps it but makes it forget its
// connections.
#include "host/db/CDbChangeObserver.h"

namespace MvQARN {

class CDbListenerHub : public CDbChangeObserver {
public:
    // Forget every connection (engine reset).
    virtual void clear() = 0;
};

} // namespace MvQARN
