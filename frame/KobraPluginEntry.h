#pragma once
// The plug-in's two exported entry points, with plain (unmangled) names.
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {
class CSuModuleInfo;
}

extern "C" {

// The module information record; no side effect.
VGX_EXPORT const MvQARN::CSuModuleInfo* VGXGetModuleInfo();

// A new KOBRA module, or null when it cannot be allocated. moduleId: 0 or more is kept, -1 selects
// the default 2028, anything below -1 gives 0.
VGX_EXPORT MvQARN::VGXModuleInterface* VGXCreateModuleInterfaceInstance(int moduleId);
}
