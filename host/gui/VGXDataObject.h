#pragma once
// Connects data listeners to database values. A connection is a VGXDatabaseConnectorEntry: the
// listener gets a data event for it after every request that changes the value, and the entry
// reads and writes the value.
#include "host/gui/VGXUserDbAttributes.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDataListener;
class VGXDatabaseConnectorEntry;

class VGX_EXPORT VGXDataObject {
public:
    // The binding's -1 indices take the current instance now; the listener also gets the events of
    // the instance that is current when a change is delivered. listener may be null for an entry that
    // only reads and writes. The entry lives until it or its listener is disconnected.
    static VGXDatabaseConnectorEntry* connectDatabase(VGXDataListener* listener,
                                                      const VGXUserDbAttributes& binding);
    // Ends every connection of the listener.
    static void disconnectDatabase(VGXDataListener* listener);
    static void disconnectDatabase(VGXDatabaseConnectorEntry* entry);
    static int connectionCount();
};

} // namespace MvQARN
