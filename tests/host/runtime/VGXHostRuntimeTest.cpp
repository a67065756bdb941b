// The host runtime: refusing libraries that are not plug-ins, and the order in which it drives a
// plug-in module from loading to unloading.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/runtime/CDefaultLoadableModuleImplementation.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXUtility.h"
#include "host/util/impl/VGXTraceSink.h"
#include "support/QtGTestPrinters.h"
#include "support/TestFiles.h"

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
                                "initusGui guiComplete=1 family=0x20000"};

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

} // namespace

TEST_F(VGXHostRuntimeTest, RefusesLibrariesThatAreNoPlugins) {
    const QString text = m_dir.filePath("libtext.so");
    ASSERT_TRUE(testsupport::writeFile(text, "this is a text file, not a shared library\n"));
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
    m_options.family = 0x20000;
    VGXHostRuntime rt(m_options);
    QString error;
    ASSERT_TRUE(rt.start(&error)) << error.toStdString();
    EXPECT_TRUE(rt.isStarted());
    EXPECT_EQ(steps(lines), StartSteps);
    EXPECT_FALSE(rt.start(&error));
    EXPECT_TRUE(error.contains("already started"));
    EXPECT_TRUE(VGXErrorManager::history().isEmpty());

    ASSERT_EQ(rt.modules().size(), 1);
    VGXPlugInDllModuleInterface* module = rt.modules().first();
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
}
