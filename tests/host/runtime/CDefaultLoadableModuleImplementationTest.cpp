// The loadable-module base: identity, the database context flag taken at construction, type lookup
// in the module's definition records, the forwarding of the base lifecycle and module requests.
#include <gtest/gtest.h>
#include <memory>

#include "host//db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/runtime/CDefaultLoadableModuleImplementation.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/CUtilXferData.h"
#include "host/util/VGXAnchorInterface.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

SDbDefNumber g_numbers[2] = {};
const int g_numberCount = 2;
SDbDefSelect g_selects[1] = {};
const int g_selectCount = 1;
const int g_otherCount = 3;
SDbDefArray g_arrays[3] = {
    {DbTypeNDbl, nullptr, &g_otherCount}, // a type without a record layout is skipped
    {DbTypeNumber, g_numbers, &g_numberCount},
    {DbTypeSelect, g_selects, &g_selectCount},
};
SDbDescriptor g_descriptor = {g_arrays, 3, 3};
SDevDbInfo g_dev = {"Database", &g_descriptor, 0x24, "test"};
SMdlDbInfo g_mdl = {&g_dev, nullptr, nullptr, 0};

class Module : public CDefaultLoadableModuleImplementation {
public:
    explicit Module(QStringList* log = nullptr) : m_log(log) {
        setSelf(this);
        setModuleName("Probe");
    }
    void attachDb() {
        setHasDatabase(true);
        setDbInfo(&g_mdl, &g_dev);
    }
    using CDefaultLoadableModuleImplementation::anchor;
    using CDefaultLoadableModuleImplementation::hasHostDbContext;
    using CDefaultLoadableModuleImplementation::hostGuiComplete;

    void mdlLoadablesFinished(int n) override { note(QStringLiteral("mdlLoadablesFinished %1").arg(n)); }
    void mdlTerminateLoadables() override { note("mdlTerminateLoadables"); }
    int xferCommandBase(int code, CUtilXferData& data) override {
        note(QStringLiteral("xferCommandBase %1").arg(code));
        return CDefaultLoadableModuleImplementation::xferCommandBase(code, data);
    }

protected:
    void exitDb() override { note("exitDb"); }
    void exitGui() override { note("exitGui"); }
    void exitScpi() override { note("exitScpi"); }

private:
    void note(const QString& s) {
        if (m_log)
            *m_log << s;
    }
    QStringList* m_log;
};

class Anchor : public VGXAnchorInterface {
public:
    COlManager* olManager() override { return nullptr; }
    CDbDataBaseIfc* dataBase() override { return nullptr; }
};

} // namespace

TEST(CDefaultLoadableModuleImplementation, DatabaseContextIsTakenAtConstruction) {
    Module outside;
    EXPECT_FALSE(outside.hasHostDbContext());
    std::unique_ptr<Module> inside;
    {
        VGXHostRuntime::DbContextScope scope;
        EXPECT_TRUE(VGXHostRuntime::creatingInDbContext());
        inside = std::make_unique<Module>();
        { VGXHostRuntime::DbContextScope nested; }
        EXPECT_TRUE(VGXHostRuntime::creatingInDbContext());
    }
    EXPECT_FALSE(VGXHostRuntime::creatingInDbContext());
    EXPECT_TRUE(inside->hasHostDbContext());
    EXPECT_FALSE(outside.hasHostDbContext());
}

TEST(CDefaultLoadableModuleImplementation, DatabaseDescriptionAndDataTypesFromTheModuleRecords) {
    g_numbers[0].c.name = "IdPDbProbeA";
    g_numbers[1].c.name = "IdPDbProbeB";
    g_selects[0].c.name = "IdPDbProbeState";
    Module m;
    ASSERT_NE(m.getInterfaceVersion(), nullptr);
    EXPECT_EQ(m.getInterfaceVersion()->major, 1);
    EXPECT_FALSE(m.hasDatabase());
    EXPECT_EQ(m.getDevDbInfo(), nullptr);
    EXPECT_EQ(m.getDataType("IdPDbProbeB"), 0); // no description attached yet
    m.attachDb();
    EXPECT_TRUE(m.hasDatabase());
    EXPECT_EQ(m.getDevDbInfo(), &g_dev);
    EXPECT_EQ(m.getMdlDbInfo(), &g_mdl);
    EXPECT_EQ(m.getDataType("IdPDbProbeA"), DbTypeNumber);
    EXPECT_EQ(m.getDataType("IdPDbProbeB"), DbTypeNumber);
    EXPECT_EQ(m.getDataType("IdPDbProbeState"), DbTypeSelect);
    EXPECT_EQ(m.getDataType("IdPDbProbe"), 0);
    EXPECT_EQ(m.getDataType(nullptr), 0);
}

TEST(CDefaultLoadableModuleImplementation, LifecycleStepsForwardToTheModuleHooks) {
    QStringList log;
    Module m(&log);
    for (bool complete : {false, true, false}) {
        VGXGuiRegistry::setUp(complete);
        EXPECT_EQ(m.hostGuiComplete(), complete); // follows the host registries
    }
    Anchor anchor;
    EXPECT_EQ(m.moduleInitialize(&anchor, 0), 0);
    EXPECT_EQ(m.anchor(), &anchor);
    m.loadablesFinished(3);
    m.terminateLoadables();
    m.moduleExit(&anchor);
    EXPECT_EQ(m.anchor(), nullptr);
    EXPECT_EQ(log, (QStringList{"mdlLoadablesFinished 3", "mdlTerminateLoadables", "exitGui", "exitScpi",
                                "exitDb"}));
}

TEST(CDefaultLoadableModuleImplementation, RequestsAndMessagesWithoutModuleHandling) {
    QStringList log;
    Module m(&log);
    CUtilXferData data("IdPDbProbeState", nullptr, 1, 2, 3.0);
    data.result = 99;
    EXPECT_EQ(m.xferCommand(330004, data), 0);
    EXPECT_EQ(log, QStringList{"xferCommandBase 330004"});
    EXPECT_EQ(data.result, 99);

    CDbMsg msg;
    EXPECT_EQ(m.giveMsg(&msg), &msg); // not taken: the caller keeps it
    EXPECT_EQ(m.setMsg(msg), nullptr);
    EXPECT_TRUE(m.checkParmInst(SMsgParmInstTupel{}));
}
