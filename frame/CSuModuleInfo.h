#pragma once
// The module information record the host reads before it creates the module. The host reads it by
// layout (VGXSuModuleInfoView), so the fields keep this order: virtual table, interface version,
// name, id, two host codes, family mask.
#include "host/util/VGXModuleVersion.h"

namespace MvQARN {

class CSuModuleInfo {
public:
    CSuModuleInfo(const VGXModuleVersion& version, const char* moduleName, int moduleId, int code2, int code3,
                  int familyMask);
    virtual ~CSuModuleInfo();

    VGXModuleVersion version;
    const char* moduleName;
    int moduleId;
    int code2;
    int code3;
    // Instrument families the module serves; the same word marks the parameter records.
    int familyMask;

    // The plug-in's one record, alive as long as the library is loaded.
    static const CSuModuleInfo& instance();
};

} // namespace MvQARN
