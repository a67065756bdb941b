#include "frame/KobraPluginEntry.h"

#include <new>

#include "frame/CKobraPlugInDllModuleImplementation.h"
#include "frame/CSuModuleInfo.h"

extern "C" {

const MvQARN::CSuModuleInfo* VGXGetModuleInfo() {
    return &MvQARN::CSuModuleInfo::instance();
}

MvQARN::VGXModuleInterface* VGXCreateModuleInterfaceInstance(int moduleId) {
    return new (std::nothrow) MvQARN::CKobraPlugInDllModuleImplementation(moduleId);
}
}
