#pragma once
// The host's descriptor registry: generic views look up how to show a parameter by its name.
#include <QList>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDescriptorEntry;

class VGX_EXPORT VGXDescriptors {
public:
    // Takes ownership; false (and nothing kept) for a null entry.
    static bool addDescriptor(VGXDescriptorEntry* entry);
    // Takes ownership of every entry of a null-terminated array (not of the array); answers the count.
    static int addDescriptors(VGXDescriptorEntry* const* entries);

    // The latest descriptor registered for this parameter name; null when there is none.
    static const VGXDescriptorEntry* find(const char* parameterName);
    // Every descriptor in registration order.
    static QList<const VGXDescriptorEntry*> descriptors();
    static int count();
    static void clear();
};

} // namespace MvQARN
