#pragma once
// A parameter shown as read-only text.
#include "host/gui/VGXDescriptorEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorTextEntry : public VGXDescriptorEntry {
public:
    VGXDescriptorTextEntry(const VGXUserDbAttributes& binding, bool enabled,
                           const QString& translatorContext = QString());

    const char* kind() const override { return "text"; }
};

} // namespace MvQARN
