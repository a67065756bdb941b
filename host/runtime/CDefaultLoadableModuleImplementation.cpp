#include "host/runtime/CDefaultLoadableModuleImplementation.h"

#include <cstring>

#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

CDefaultLoadableModuleImplementation::CDefaultLoadableModuleImplementation()
    : m_hostDbContext(VGXHostRuntime::creatingInDbContext()) {}

CDefaultLoadableModuleImplementation::~CDefaultLoadableModuleImplementation() = default;

VGXModuleVersion* CDefaultLoadableModuleImplementation::getInterfaceVersion() {
    return &m_version;
}

const char* CDefaultLoadableModuleImplementation::getModuleName() {
    return m_moduleName.constData();
}

int CDefaultLoadableModuleImplementation::getModuleId() {
    return m_moduleId;
}

long CDefaultLoadableModuleImplementation::moduleInitialize(VGXAnchorInterface* anchor, int) {
    m_anchor = anchor;
    return 0;
}

void CDefaultLoadableModuleImplementation::moduleExit(VGXAnchorInterface*) {
    // Reverse order of the initialisation.
    exitGui();
    exitScpi();
    exitDb();
    m_anchor = nullptr;
}

void CDefaultLoadableModuleImplementation::modulesFinished() {}

void CDefaultLoadableModuleImplementation::loadablesFinished(int count) {
    mdlLoadablesFinished(count);
}

void CDefaultLoadableModuleImplementation::pluginsFinished(int) {}

void CDefaultLoadableModuleImplementation::pluginLoadablesFinished(int) {}

void CDefaultLoadableModuleImplementation::completeFinished() {}

void CDefaultLoadableModuleImplementation::terminateModules() {}

void CDefaultLoadableModuleImplementation::terminateLoadables() {
    mdlTerminateLoadables();
}

void CDefaultLoadableModuleImplementation::terminatePlugins() {}

void CDefaultLoadableModuleImplementation::terminatePluginLoadables() {}

// A module without its own message handling leaves the message with the caller.
CDbMsg* CDefaultLoadableModuleImplementation::giveMsg(CDbMsg* msg) {
    return msg;
}

CDbMsg* CDefaultLoadableModuleImplementation::setMsg(const CDbMsg&) {
    return nullptr;
}

bool CDefaultLoadableModuleImplementation::checkParmInst(const SMsgParmInstTupel&) {
    return true;
}

void CDefaultLoadableModuleImplementation::expandDb(SDbInitTbl*) {}

int CDefaultLoadableModuleImplementation::getDataType(const char* name) const {
    const SDevDbInfo* dev = getDevDbInfo();
    if (!name || !dev || !dev->descriptor || !dev->descriptor->arrays)
        return 0;
    const SDbDescriptor& d = *dev->descriptor;
    for (int a = 0; a < d.arrayCount; ++a) {
        const SDbDefArray& array = d.arrays[a];
        const size_t stride = dbRecordSize(array.type);
        if (!stride || !array.records || !array.count)
            continue;
        const char* base = static_cast<const char*>(array.records);
        for (int i = 0; i < *array.count; ++i) {
            const auto* common = reinterpret_cast<const SDbDefCommon*>(base + size_t(i) * stride);
            if (common->name && std::strcmp(common->name, name) == 0)
                return array.type;
        }
    }
    return 0;
}

const SDevDbInfo* CDefaultLoadableModuleImplementation::getDevDbInfo() const {
    return m_devDbInfo;
}

const SMdlDbInfo* CDefaultLoadableModuleImplementation::getMdlDbInfo() const {
    return m_mdlDbInfo;
}

const char* CDefaultLoadableModuleImplementation::getModuleFunction() {
    return m_moduleFunction.constData();
}

CScpiModule* CDefaultLoadableModuleImplementation::getScpiModule() {
    return m_scpiModule;
}

bool CDefaultLoadableModuleImplementation::hasDatabase() const {
    return m_hasDatabase;
}

void CDefaultLoadableModuleImplementation::initusGui() {}

int CDefaultLoadableModuleImplementation::notifierListData(CDbAnswerBuffer&, CDbMsg&, bool, CDbAllType**,
                                                           CDbAllType**) {
    return 0;
}

int CDefaultLoadableModuleImplementation::notifierHook(int, int, void*, void*) {
    return 0;
}

int CDefaultLoadableModuleImplementation::xferCommand(int code, CUtilXferData& data) {
    return xferCommandBase(code, data);
}

int CDefaultLoadableModuleImplementation::xferCommandBase(int, CUtilXferData&) {
    return 0;
}

int CDefaultLoadableModuleImplementation::prepareSaveRecall(CDbCnct&, bool) {
    return 0;
}

void CDefaultLoadableModuleImplementation::mdlLoadablesFinished(int) {}

void CDefaultLoadableModuleImplementation::mdlTerminateLoadables() {}

void CDefaultLoadableModuleImplementation::exitusGui() {}

// The definitions point into the module's library, so they go before the library does.
void CDefaultLoadableModuleImplementation::exitDb() {
    if (hasDatabase())
        CDbEngine::instance().registry().unregisterModule(getModuleId());
}

// Registrations are released by the runtime together with the GUI registries.
void CDefaultLoadableModuleImplementation::exitGui() {}

// The remote server reads SCPI modules from the runtime's modules; nothing to undo here.
void CDefaultLoadableModuleImplementation::exitScpi() {}

void CDefaultLoadableModuleImplementation::initDb(const char* section, SDbInitTbl* table) {
    if (!hasDatabase())
        return;
    const SDevDbInfo* dev = getDevDbInfo();
    if (!dev || !dev->descriptor) {
        VGXUtility::traceMessage(VGXUtility::buildString(getModuleName(), ": no database description"));
        return;
    }
    if (table)
        expandDb(table);
    const int status =
        CDbEngine::instance().registry().registerDescriptor(dev->descriptor, getModuleId(), getModuleName());
    if (status != 0) {
        VGXErrorManager::signal(status,
                                VGXUtility::buildString("module ", getModuleName(), " (", getModuleId(),
                                                        "): database definitions refused"));
        return;
    }
    VGXUtility::traceMessage(VGXUtility::buildString(getModuleName(), ": database definitions registered (",
                                                     section ? section : "", ", module ", getModuleId(),
                                                     ")"));
}

void CDefaultLoadableModuleImplementation::initGui() {}

void CDefaultLoadableModuleImplementation::initScpi() {}

bool CDefaultLoadableModuleImplementation::hostGuiComplete() const {
    return VGXGuiRegistry::isUp();
}

} // namespace MvQARN
