// The plug-in's entry point and the module lifecycle: construction inside and outside a host database
// context, GUI registration per instrument family, and the shutdown order.
#include <QDialog>
#include <QPointer>
#include <gtest/gtest.h>
#include <memory>

#include "FrameTestRecords.h"
#include "frame/CKobraPlugInDllModuleImplementation.h"
#include "frame/KobraPluginEntry.h"
#include "frame/KobraPluginGlobals.h"
#include "frame/KobraProgressDlg.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/impl/VGXTraceSink.h"
#include "orglayer/CKobraOrgLayer.h"
#include "params/KobraDbInfo.h"
#include "ui/CKobraUserValidator.h"

using namespace MvQARN;
using namespace frametest;

namespace {

constexpr int kDriverFamily = 0x10000;
constexpr int kOtherFamily = 0x20000;

std::unique_ptr<VGXModuleInterface> create(int id) {
    return std::unique_ptr<VGXModuleInterface>(VGXCreateModuleInterfaceInstance(id));
}

TEST(PluginEntryTest, OnlyInsideADatabaseContextTheModuleCarriesTheBoxDatabaseAndOrganisationLayer) {
    std::unique_ptr<VGXModuleInterface> bare = create(-1);
    auto* module = dynamic_cast<CKobraPlugInDllModuleImplementation*>(bare.get());
    ASSERT_NE(module, nullptr);
    EXPECT_FALSE(module->hasDatabase());
    EXPECT_EQ(module->getMdlDbInfo(), nullptr);
    EXPECT_EQ(Kobra::g_orgLayer, nullptr);
    // Without the database flag the GUI registration does nothing, even with the host ready for it.
    VGXGuiRegistry::reset();
    VGXGuiRegistry::setUp(true);
    module->initusGui();
    VGXGuiRegistry::setUp(false);
    EXPECT_TRUE(dialogItems().isEmpty());
    EXPECT_EQ(VGXDfDialogFactory::moduleCount(), 0);

    std::unique_ptr<VGXModuleInterface> m;
    {
        VGXHostRuntime::DbContextScope scope;
        m = create(-1);
    }
    EXPECT_EQ(dynamic_cast<CKobraPlugInDllModuleImplementation*>(m.get())->getMdlDbInfo(),
              &Kobra::g_mdlDbInfo);
    // The host reaches the organisation layer through the module description.
    ASSERT_NE(Kobra::g_mdlDbInfo.orgLayer, nullptr);
    auto* layer = dynamic_cast<CKobraOrgLayer*>(*Kobra::g_mdlDbInfo.orgLayer);
    ASSERT_NE(layer, nullptr);
    m.reset();
    delete layer;
    Kobra::g_orgLayer = nullptr;
}

// ---- GUI registration and shutdown, driven by the host runtime ----------------------------------

class ModuleLifecycleTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        CDbEngine::instance().reset();
        for (int& h : Kobra::g_fileTypes)
            h = 0;

        VGXHostRuntime::Options options;
        options.family = GetParam();
        m_runtime = std::make_unique<VGXHostRuntime>(options);
        m_runtime->setOlManager(&m_manager);
        {
            VGXHostRuntime::DbContextScope scope;
            m_module = new CKobraPlugInDllModuleImplementation(-1);
        }
        m_orgLayer = Kobra::g_orgLayer;
        QString error;
        ASSERT_TRUE(m_runtime->addModule(m_module, &error)) << error.toStdString();
    }
    void TearDown() override {
        m_runtime.reset();
        delete m_orgLayer;
        Kobra::g_orgLayer = nullptr;
    }
    bool driverFamily() const { return GetParam() == kDriverFamily; }

    RecordingCommandIfc m_command;
    FakeOlManager m_manager{&m_command};
    std::unique_ptr<VGXHostRuntime> m_runtime;
    CKobraPlugInDllModuleImplementation* m_module = nullptr;
    COlLoadableExtension* m_orgLayer = nullptr;
};

// Dialogs, file types and the device-state checkbox under every family; the user interface's menu
// item, the validators (three for each interface), the progress window (hidden, without parent,
// published) and the driver start (without a data block) only under the driver family.
TEST_P(ModuleLifecycleTest, RegistersTheGuiAndStartsTheDriverOnlyForTheDriverFamily) {
    ASSERT_EQ(VGXDfDialogFactory::moduleCount(), 1);
    QStringList dialogs;
    for (const VGXDialogItem& item : dialogItems())
        dialogs << item.dialogName;
    EXPECT_EQ(dialogs.size(), driverFamily() ? 5 : 4);
    EXPECT_EQ(dialogs.contains("CBasebandLynxMainInOutDialog"), driverFamily());
    // Every file type's handle is kept where the module's dialogs find it.
    const QList<VGXFileType> types = VGXMain::fileTypes();
    ASSERT_EQ(types.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Kobra::g_fileTypes[i], types[i].handle) << i;
    ASSERT_NE(dynamic_cast<const VGXDescriptorCheckboxEntry*>(VGXDescriptors::find("IdPDbLynxDeviceState")),
              nullptr);

    auto* dlg = qobject_cast<KobraProgressDlg*>(m_module->getProgressDialog());
    EXPECT_EQ(Kobra::g_progressDialog, dlg);
    if (!driverFamily()) {
        EXPECT_TRUE(m_module->getValidators().isEmpty());
        EXPECT_EQ(dlg, nullptr);
        EXPECT_TRUE(m_command.calls.isEmpty());
        return;
    }
    const QVector<CKobraUserValidator*>& validators = m_module->getValidators();
    ASSERT_EQ(validators.size(), 12); // path by path, In side first
    const char* watched[] = {"IdPDbKobraState", "IdPDbLynxState", "IdPDbLynxLogicType"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(validators[i]->watchedParameter() + char('0' + validators[i]->index1()) +
                      char('0' + validators[i]->index2()),
                  QByteArray(watched[i % 3]) + char('0' + i / 6) + char('0' + (i / 3) % 2));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->parent(), nullptr);
    EXPECT_FALSE(dlg->isVisible());
    ASSERT_EQ(m_command.calls.size(), 1);
    EXPECT_EQ(m_command.calls[0].code, 56);
    EXPECT_FALSE(m_command.calls[0].hadBlock);
}

TEST_P(ModuleLifecycleTest, GuiMirrorsReachTheirParameterAndFollowItUnderEveryFamily) {
    // With the box off no change of the logic type asks, whichever family guards it.
    CDbEngine& db = CDbEngine::instance();
    const SDbInstTupel outB{1, 1, 0, 0};
    auto stored = [&db, &outB](const char* name) {
        CDbAllType v;
        int i = -1;
        return db.read(name, outB, v) == 0 && v.toInt(i) ? i : -1;
    };
    ASSERT_EQ(db.write("internalGuiLynxLogicType", outB, CDbAllType::fromInt(3), nullptr), 0);
    EXPECT_EQ(stored("IdPDbLynxLogicType"), 3);
    ASSERT_EQ(db.write("IdPDbLynxLogicType", outB, CDbAllType::fromInt(1), nullptr), 0);
    EXPECT_EQ(stored("internalGuiLynxLogicType"), 1);
    EXPECT_EQ(stored("IdPDbLynxLogicType"), 1);
}

TEST_P(ModuleLifecycleTest, ShutdownTracesStopsTheDriverAndReleasesWhatTheModuleOwns) {
    QStringList events;
    m_command.handler = [&events](int code, COlCommandData*) {
        events << QStringLiteral("command %1").arg(code);
        return true;
    };
    const QPointer<QDialog> dlg = m_module->getProgressDialog();
    {
        VGXScopedTraceCapture capture(
            [&events](const QString& line) {
                if (line.startsWith(QStringLiteral("trace: ")))
                    events << line.mid(7);
            },
            true);
        m_runtime->shutdown();
    }
    const QStringList expected{
        "CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver ...",
        "command 57",
        "CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver complete !!!",
        "CKobraPlugInDllModuleImplementation::exitusGui(): OK. exitusGui() complete !!!",
        "~CKobraPlugInDllModuleImplementation()",
        "progressbar deleted",
        "~CKobraPlugInDllModuleImplementation() complete",
    };
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(dlg.isNull());
    EXPECT_EQ(Kobra::g_progressDialog, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Families, ModuleLifecycleTest, ::testing::Values(kDriverFamily, kOtherFamily),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == kDriverFamily ? std::string("DriverFamily")
                                                                : std::string("OtherFamily");
                         });

} // namespace
