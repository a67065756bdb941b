#pragma once
// The host's view of the module information record a plug-in answers from VGXGetModuleInfo.
// The plug-in defines the record itself; its fields must keep this order: a polymorphic record
// with the interface version embedded, then name, id, two host codes and the family mask.
#include "host/util/VGXModuleVersion.h"

namespace MvQARN {

class VGXSuModuleInfoView {
public:
    virtual ~VGXSuModuleInfoView() = default;
    VGXModuleVersion version;
    const char* moduleName = nullptr;
    int moduleId = 0;
    int code2 = 0;
    int code3 = 0;
    int familyMask = 0;
};

class VGXModuleInterface;

// The plug-in's two exported (unmangled) entry points as the host calls them. The module
// information may be declared with the plug-in's own record type; only its layout matters.
inline constexpr const char VGXGetModuleInfoName[] = "VGXGetModuleInfo";
inline constexpr const char VGXCreateModuleInterfaceInstanceName[] = "VGXCreateModuleInterfaceInstance";
using VGXGetModuleInfoFn = const void* (*)();
using VGXCreateModuleInterfaceInstanceFn = VGXModuleInterface* (*)(int moduleId);

} // namespace MvQARN
