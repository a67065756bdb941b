// The host runtime: refusing libraries that are not plug-ins, and the order in which it drives a
// plug-in module from loading to unloading.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/olfw/COlManager.h"
#include "host/runtime/CDefaultLoadableModuleImplementation.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXAnchorInterface.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXUtility.h"
#include "host/util/impl/VGXTraceSink.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

QString fixture(const char* name) {
    return QStringLiteral(VGX_TEST_FIXTURE_DIR "/") + QLatin1String(name);
}

// Lifecycle lines of the test plug-in, without their prefix.
QStringList steps(const QStringList& lines, const QString& prefix = "trace: TestPlugin::") {
    QStringList out;
    for (const QString& l : lines)
        if (l.startsWith(prefix))
            out << l.mid(prefix.size());
    return out;
}

const QStringList StartSteps = {"construct dbContext=1",
                                "moduleInitialize anchor=1 mode=0",
                                "modulesFinished",
                                "loadablesFinished 0",
                                "pluginsFinished 0",
                                "pluginLoadablesFinished 0",
                                "completeFinished",
                                "initDb Database",
                                "initScpi",
                                "initGui",
                                "initusGui guiComplete=1 family=0x10000"};

const QStringList ShutdownSteps = {
    "exitusGui",  "terminateModules", "terminateLoadables", "terminatePlugins", "terminatePluginLoadables",
    "moduleExit", "exitGui",          "exitScpi",           "exitDb",           "destroy"};

class VGXHostRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_options.settingsDir = m_dir.path();
        VGXGuiRegistry::reset();
        VGXErrorManager::clearHistory();
    }
    void TearDown() override { VGXGuiRegistry::reset(); }

    // Starts a runtime that is expected to refuse and answers its error text.
    QString refusal(const QStringList& paths) {
        VGXHostRuntime::Options o = m_options;
        o.pluginPaths = paths;
        VGXHostRuntime rt(o);
        QString error;
        EXPECT_FALSE(rt.start(&error));
        EXPECT_TRUE(rt.modules().isEmpty());
        EXPECT_TRUE(rt.records().isEmpty());
        EXPECT_FALSE(rt.isStarted());
        return error;
    }

    QTemporaryDir m_dir;
    VGXHostRuntime::Options m_options;
};

class Manager : public COlManager {
public:
    COlCommandIfc* commandInterface() override { return nullptr; }
};

// A module created in-process, as a built-in module of the host would be.
class InProcessModule : public CDefaultLoadableModuleImplementation {
public:
    InProcessModule(QStringList* log, bool* deleted) : m_log(log), m_deleted(deleted) {
        setSelf(this);
        setModuleName("InProcess");
        setModuleId(2031);
        *m_log << QStringLiteral("construct dbContext=%1").arg(hasHostDbContext() ? 1 : 0);
    }
    ~InProcessModule() override { *m_deleted = true; }
    long moduleInitialize(VGXAnchorInterface* anchor, int mode) override {
        *m_log << "moduleInitialize";
        return CDefaultLoadableModuleImplementation::moduleInitialize(anchor, mode);
    }
    void completeFinished() override { *m_log << "completeFinished"; }
    void initusGui() override {
        *m_log << QStringLiteral("initusGui guiComplete=%1").arg(hostGuiComplete() ? 1 : 0);
        addDialogItem(":INPROCESS", "InProcessDialog", 4);
    }
    void exitusGui() override { *m_log << "exitusGui"; }
    void moduleExit(VGXAnchorInterface* anchor) override {
        *m_log << "moduleExit";
        CDefaultLoadableModuleImplementation::moduleExit(anchor);
    }

private:
    QStringList* m_log;
    bool* m_deleted;
};

} // namespace

TEST_F(VGXHostRuntimeTest, RefusesLibrariesThatAreNoPlugins) {
    const QString text = m_dir.filePath("libtext.so");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is a text file, not a shared library\n");
    f.close();
    // The host's own library is a perfectly good shared library, but no plug-in.
    const QString host = VGX_BUILD_DIR "/lib/libvgx.so";
    ASSERT_TRUE(QFile::exists(host));
    const QString missing = m_dir.filePath("nowhere/libmissing.so");
    const std::pair<QString, const char*> cases[] = {
        {missing, "no such file"},
        {text, "cannot load library"},
        {host, "missing entry point \"VGXGetModuleInfo\""},
        {fixture("libvgxtestplugin_badversion.so"), "interface version 7.0.0"},
        {fixture("libvgxtestplugin_nomodule.so"), "answered no module"},
    };
    for (const auto& [path, why] : cases) {
        const QString error = refusal({path});
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_TRUE(error.contains(why)) << error.toStdString();
    }
    // One bad library among good ones refuses the whole start: every library is checked before any
    // module is created.
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; });
    EXPECT_TRUE(refusal({fixture("libvgxtestplugin.so"), missing}).contains(missing));
    EXPECT_TRUE(steps(lines).isEmpty()) << lines.join('\n').toStdString();
}

TEST_F(VGXHostRuntimeTest, AFailedInitialisationTakesTheModuleDownAgain) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; });
    const QString error = refusal({fixture("libvgxtestplugin_initfails.so")});
    EXPECT_TRUE(error.contains("moduleInitialize failed with status 5")) << error.toStdString();
    // A module whose initialisation failed is not initialised: it is deleted without exit steps.
    EXPECT_EQ(steps(lines),
              (QStringList{"construct dbContext=1", "moduleInitialize anchor=1 mode=0", "destroy"}));
    EXPECT_TRUE(VGXGuiRegistry::records().isEmpty());
}

TEST_F(VGXHostRuntimeTest, DrivesAPluginFromStartToShutdown) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; });
    m_options.pluginPaths = {fixture("libvgxtestplugin.so")};
    VGXHostRuntime rt(m_options);
    QString error;
    ASSERT_TRUE(rt.start(&error)) << error.toStdString();
    EXPECT_TRUE(rt.isStarted());
    EXPECT_EQ(steps(lines), StartSteps);
    EXPECT_TRUE(VGXErrorManager::history().isEmpty());

    ASSERT_EQ(rt.modules().size(), 1);
    VGXPlugInDllModuleInterface* module = rt.modules().first();
    EXPECT_STREQ(module->getModuleName(), "TestPlugin");
    EXPECT_EQ(VGXUtility::getLoadableInterface(4242), module);
    EXPECT_EQ(VGXUtility::getLoadableInterface(2028), nullptr);
    EXPECT_EQ(rt.records().first().info->moduleId, 4242);
    EXPECT_EQ(rt.records().first().info->familyMask, 0x10121);

    // The module's registrations, booked to it, in its order.
    const QList<VGXGuiRegistry::Record> records = VGXGuiRegistry::records();
    QStringList registered;
    for (const VGXGuiRegistry::Record& r : records) {
        registered << r.line;
        EXPECT_EQ(r.owner, 4242) << r.line.toStdString();
    }
    EXPECT_EQ(registered, (QStringList{"registerModule (anonymous namespace)::TestDialogModule -> 1",
                                       "addDialogItem \":TEST\" \"TestPluginDialog\" 4",
                                       "registerFileType \"Test File (*.tst)\" \"*.tst\" 0 -> 1",
                                       "addDescriptor checkbox IdPDbTestPluginState \"Off\" \"On\""}));
    // Registrations are printed as they happen while tracing.
    for (const QString& l : registered)
        EXPECT_TRUE(lines.contains(l)) << l.toStdString();

    const VGXDialogAttributes attributes("TestPluginDialog");
    QPointer<VGXDialog> dialog = VGXDfDialogFactory::getDialogPointer(&attributes);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dialog->title(), "Test Plug-in");

    lines.clear();
    rt.shutdown();
    EXPECT_EQ(steps(lines), ShutdownSteps);
    EXPECT_FALSE(rt.isStarted());
    EXPECT_TRUE(rt.modules().isEmpty());
    EXPECT_EQ(VGXUtility::getLoadableInterface(4242), nullptr);
    // Nothing of the plug-in's code stays reachable from the host.
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(VGXDfDialogFactory::moduleCount(), 0);
    EXPECT_TRUE(dialogItems().isEmpty());
    EXPECT_TRUE(VGXMain::fileTypes().isEmpty());
    EXPECT_EQ(VGXDescriptors::count(), 0);

    // A second shutdown (and the destructor's) finds nothing to do.
    lines.clear();
    rt.shutdown();
    EXPECT_TRUE(steps(lines).isEmpty());
}

TEST_F(VGXHostRuntimeTest, FamilyOptionReachesThePluginAndARuntimeStartsOnlyOnce) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; });
    m_options.family = 0x20000;
    m_options.pluginPaths = {fixture("libvgxtestplugin.so")};
    {
        VGXHostRuntime rt(m_options);
        QString error;
        ASSERT_TRUE(rt.start(&error)) << error.toStdString();
        EXPECT_FALSE(rt.start(&error));
        EXPECT_TRUE(error.contains("already started"));
        EXPECT_EQ(rt.modules().size(), 1);
    } // the destructor shuts down
    const QStringList s = steps(lines);
    EXPECT_TRUE(s.contains("initusGui guiComplete=1 family=0x20000")) << s.join('\n').toStdString();
    EXPECT_EQ(s.mid(s.size() - ShutdownSteps.size()), ShutdownSteps);
}

TEST_F(VGXHostRuntimeTest, TraceOptionTurnsTracingOnForTheRuntimesLifetime) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; }, false);
    {
        VGXHostRuntime::Options o = m_options;
        o.trace = true;
        VGXHostRuntime rt(o);
        EXPECT_TRUE(VGXTraceSink::tracing());
        VGXUtility::traceMessage("inside");
    }
    EXPECT_FALSE(VGXTraceSink::tracing());
    VGXUtility::traceMessage("outside");
    EXPECT_EQ(lines, QStringList{"trace: inside"});
}

TEST_F(VGXHostRuntimeTest, AddsAnInProcessModuleAndOwnsIt) {
    QStringList log;
    bool deleted = false;
    VGXHostRuntime rt(m_options);
    InProcessModule* module = nullptr;
    {
        VGXHostRuntime::DbContextScope inDbContext;
        module = new InProcessModule(&log, &deleted);
    }
    QString error;
    ASSERT_TRUE(rt.addModule(module, &error)) << error.toStdString();
    EXPECT_EQ(VGXUtility::getLoadableInterface(2031), module);
    EXPECT_EQ(findDialogItem(":INPROCESS"), "InProcessDialog");
    rt.shutdown();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(log, (QStringList{"construct dbContext=1", "moduleInitialize", "completeFinished",
                                "initusGui guiComplete=1", "exitusGui", "moduleExit"}));
    EXPECT_FALSE(rt.addModule(nullptr, &error));
}

TEST_F(VGXHostRuntimeTest, SettingsFolderTakesTheModulesSettingsStore) {
    m_options.settingsDir = m_dir.filePath("created/by/runtime");
    VGXHostRuntime rt(m_options);
    QString error;
    ASSERT_TRUE(rt.start(&error)) << error.toStdString();
    EXPECT_TRUE(QDir(m_options.settingsDir).exists());
    QSettings store("Maravel", "Wavemill");
    EXPECT_TRUE(store.fileName().startsWith(m_options.settingsDir)) << store.fileName().toStdString();
    EXPECT_EQ(vgxDocumentsPath(), m_options.settingsDir);
}

TEST_F(VGXHostRuntimeTest, OrganisationLayerManagerReachesTheAnchorUntilShutdown) {
    Manager manager;
    VGXHostRuntime rt(m_options);
    QString error;
    ASSERT_TRUE(rt.start(&error)) << error.toStdString();
    VGXAnchorInterface* anchor = VGXUtility::getAnchorInterface();
    ASSERT_NE(anchor, nullptr);
    EXPECT_EQ(anchor->olManager(), nullptr);
    rt.setOlManager(&manager);
    EXPECT_EQ(anchor->olManager(), &manager);
    rt.shutdown();
    EXPECT_EQ(anchor->olManager(), nullptr);
}
