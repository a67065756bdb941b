#pragma once
// The three interfaces through which the host talks to any loadable module. Their virtual order is
// the host's calling convention and must not change.
#include "host/util/VGXExport.h"
#include "host/util/VGXModuleVersion.h"

namespace MvQARN {

class VGX_EXPORT VGXModuleInterface {
public:
    VGXModuleInterface() = default;
    VGXModuleInterface(const VGXModuleInterface&) = default;
    VGXModuleInterface& operator=(const VGXModuleInterface&) = default;
    virtual ~VGXModuleInterface() = default;
    virtual VGXModuleVersion* getInterfaceVersion() = 0;
    virtual const char* getModuleName() = 0;
    virtual int getModuleId() = 0;
};

} // namespace MvQARN
