#include "host/gui/VGXDescriptorTextEntry.h"

namespace MvQARN {

VGXDescriptorTextEntry::VGXDescriptorTextEntry(const VGXUserDbAttributes& binding, bool enabled,
                                               const QString& translatorContext)
    : VGXDescriptorEntry(binding, enabled, translatorContext) {}

} // namespace MvQARN
