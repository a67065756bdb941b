#pragma once
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXAnchorInterface;
class CDbMsg;

class VGX_EXPORT VGXModuleDllInterface : public VGXModuleInterface {
public:
    VGXModuleDllInterface() = default;
    VGXModuleDllInterface(const VGXModuleDllInterface&) = default;
    VGXModuleDllInterface& operator=(const VGXModuleDllInterface&) = default;
    ~VGXModuleDllInterface() override = default;
    virtual long moduleInitialize(VGXAnchorInterface* anchor, int mode) = 0;
    virtual void moduleExit(VGXAnchorInterface* anchor) = 0;
    virtual void modulesFinished() = 0;
    virtual void loadablesFinished(int) = 0;
    virtual void pluginsFinished(int) = 0;
    virtual void pluginLoadablesFinished(int) = 0;
    virtual void completeFinished() = 0;
    virtual void terminateModules() = 0;
    virtual void terminateLoadables() = 0;
    virtual void terminatePlugins() = 0;
    virtual void terminatePluginLoadables() = 0;
    virtual CDbMsg* giveMsg(CDbMsg* msg) = 0;
    virtual CDbMsg* setMsg(const CDbMsg& msg) = 0;
};

} // namespace MvQARN
