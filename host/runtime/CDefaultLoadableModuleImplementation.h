#pragma once
// The host's base of every loadable module: keeps the module's identity and database description
// and drives the base lifecycle (database, SCPI and GUI initialisation) for the host.
#include <QByteArray>

#include "host/util/VGXPlugInDllModuleInterface.h"

namespace MvQARN {

class VGXHostRuntime;

class VGX_EXPORT CDefaultLoadableModuleImplementation : public VGXPlugInDllModuleInterface {
public:
    CDefaultLoadableModuleImplementation();
    ~CDefaultLoadableModuleImplementation() override;

    // VGXModuleInterface
    VGXModuleVersion* getInterfaceVersion() override;
    const char* getModuleName() override;
    int getModuleId() override;

    // VGXModuleDllInterface
    long moduleInitialize(VGXAnchorInterface* anchor, int mode) override;
    void moduleExit(VGXAnchorInterface* anchor) override;
    void modulesFinished() override;
    void loadablesFinished(int) override;
    void pluginsFinished(int) override;
    void pluginLoadablesFinished(int) override;
    void completeFinished() override;
    void terminateModules() override;
    void terminateLoadables() override;
    void terminatePlugins() override;
    void terminatePluginLoadables() override;
    CDbMsg* giveMsg(CDbMsg* msg) override;
    CDbMsg* setMsg(const CDbMsg& msg) override;

    // VGXPlugInDllModuleInterface
    bool checkParmInst(const SMsgParmInstTupel& inst) override;
    void expandDb(SDbInitTbl* table) override;
    int getDataType(const char* name) const override;
    const SDevDbInfo* getDevDbInfo() const override;
    const SMdlDbInfo* getMdlDbInfo() const override;
    const char* getModuleFunction() override;
    CScpiModule* getScpiModule() override;
    bool hasDatabase() const override;
    void initusGui() override;
    int notifierListData(CDbAnswerBuffer& answer, CDbMsg& msg, bool flag, CDbAllType** a,
                         CDbAllType** b) override;
    int notifierHook(int a, int b, void* c, void* d) override;
    int xferCommand(int code, CUtilXferData& data) override;
    int xferCommandBase(int code, CUtilXferData& data) override;
    int prepareSaveRecall(CDbCnct& cnct, bool save) override;

    // Further base operations, in this order after the interfaces.
    virtual void mdlLoadablesFinished(int);
    virtual void mdlTerminateLoadables();
    virtual void exitusGui();

protected:
    virtual void exitDb();
    virtual void exitGui();
    virtual void exitScpi();
    virtual void initDb(const char* section, SDbInitTbl* table);
    virtual void initGui();
    virtual void initScpi();

    // Identity and description the derived module gives its base part.
    void setSelf(VGXPlugInDllModuleInterface* self) { m_self = self; }
    void setModuleName(const char* name) { m_moduleName = name; }
    void setShortName(const char* name) { m_shortName = name; }
    void setModuleId(int id) { m_moduleId = id; }
    void setHasDatabase(bool on) { m_hasDatabase = on; }
    void setDbInfo(const SMdlDbInfo* mdl, const SDevDbInfo* dev) {
        m_mdlDbInfo = mdl;
        m_devDbInfo = dev;
    }
    void setSection(const char* section) { m_section = section; }
    void setModuleFunction(const char* text) { m_moduleFunction = text; }
    void setScpiModule(CScpiModule* module) { m_scpiModule = module; }

    // Set by the host when it creates the module inside its database context.
    bool hasHostDbContext() const { return m_hostDbContext; }
    // Set by the host once its GUI context is complete (the GUI registries accept registrations).
    bool hostGuiComplete() const;
    VGXAnchorInterface* anchor() const { return m_anchor; }
    const char* shortName() const { return m_shortName.constData(); }

private:
    // The host runtime drives the protected lifecycle steps and sets the host-owned fields.
    friend class VGXHostRuntime;

    VGXModuleVersion m_version{1, 0, 0};
    QByteArray m_moduleName;
    QByteArray m_shortName;
    int m_moduleId = 0;
    VGXPlugInDllModuleInterface* m_self = nullptr;
    bool m_hasDatabase = false;
    const SMdlDbInfo* m_mdlDbInfo = nullptr;
    const SDevDbInfo* m_devDbInfo = nullptr;
    QByteArray m_section;
    QByteArray m_moduleFunction;
    CScpiModule* m_scpiModule = nullptr;
    bool m_hostDbContext = false;
    VGXAnchorInterface* m_anchor = nullptr;
};

} // namespace MvQARN
