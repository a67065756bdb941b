#include "frame/CSuModuleInfo.h"

namespace MvQARN {

namespace {

const CSuModuleInfo s_moduleInfo(VGXModuleVersion(1, 0, 0), "KobraPlugin", 2028, 32, 7, 0x10121);

} // namespace

CSuModuleInfo::CSuModuleInfo(const VGXModuleVersion& version, const char* moduleName, int moduleId, int code2,
                             int code3, int familyMask)
    : version(version), moduleName(moduleName), moduleId(moduleId), code2(code2), code3(code3),
      familyMask(familyMask) {}

CSuModuleInfo::~CSuModuleInfo() = default;

const CSuModuleInfo& CSuModuleInfo::instance() {
    return s_moduleInfo;
}

} // namespace MvQARN
