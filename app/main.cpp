// vgxhost: parses the command line, starts the host runtime with its plug-ins, shows the main window
// when there is a display, and shuts everything down in order on quit, window close or a signal.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/HostMainWindow.h"
#include "app/HostRecorder.h"
#include "app/HostServices.h"
#include "app/ScpiTerminal.h"
#include "app/SignalWatcher.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXStyleManager.h"
#include "host/runtime/impl/EpollEventDispatcher.h"
#include "host/runtime/impl/VGXHostRuntime.h"

using namespace vgxapp;

namespace {

void printErr(const QString& text) {
    std::fputs(qPrintable(QStringLiteral("vgxhost: %1\n").arg(text)), stderr);
    std::fflush(stderr);
}

void printOut(const QString& text) {
    std::fputs(qPrintable(text), stdout);
    std::fflush(stdout);
}

// The plug-in lives next to the binaries: build/bin/vgxhost loads build/plugins/libkobra.so.
QString defaultPluginPath(const char* argv0) {
    QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (exe.isEmpty())
        exe = QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath();
    return QDir::cleanPath(QFileInfo(exe).absolutePath() + QStringLiteral("/../plugins/libkobra.so"));
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// "main", then one line per registered menu item whose dialog a module creates: its key and its
// dialog's class name, then the host's own dialogs. Every name listed can be given to --screenshot.
QString dialogListing() {
    QString out =
        QStringLiteral("main  (the main window)\nrecorder  (the host's recorder dialog, recorder 1)\n");
    for (const MvQARN::VGXDialogItem& item : MvQARN::dialogItems())
        if (HostMainWindow::dialogFor(item.dialogName, item.item) != nullptr)
            out += QStringLiteral("%1  %2\n").arg(item.item, item.dialogName);
    if (HostMainWindow::dialogFor(ScpiTerminalDialog::DialogName, QString()) != nullptr)
        out += QStringLiteral("%1  (Tools > SCPI Terminal)\n").arg(ScpiTerminalDialog::DialogName);
    return out;
}

// The widget --screenshot NAME shows: the main window, or the dialog of a menu item (":KOBRA" or
// "KOBRA"), of an item's dialog class, or of a class name a module creates without an item.
QWidget* screenshotTarget(HostMainWindow& window, const QString& name) {
    if (name == QLatin1String("main"))
        return &window;
    if (name == QLatin1String("recorder"))
        return window.recorderDialog(0);
    const QList<MvQARN::VGXDialogItem> items = MvQARN::dialogItems();
    for (const MvQARN::VGXDialogItem& item : items) {
        if (item.item == name || item.item == QLatin1Char(':') + name || item.dialogName == name)
            return HostMainWindow::dialogFor(item.dialogName, item.item);
    }
    return HostMainWindow::dialogFor(name, QString());
}

int takeScreenshot(const HostOptions& options) {
    HostMainWindow window(options);
    QWidget* target = screenshotTarget(window, options.screenshotName);
    if (!target) {
        printErr(QStringLiteral("--screenshot: no dialog '%1' (vgxhost --list-dialogs shows the names)")
                     .arg(options.screenshotName));
        return 2;
    }
    if (target == &window)
        window.show();
    else if (auto* dialog = qobject_cast<MvQARN::VGXDialog*>(target)) {
        // The host's own dialogs are not the registry's.
        if (!MvQARN::VGXDfDialogFactory::toFront(dialog))
            dialog->toFront();
    } else
        target->show();
    // Layouts and data events settle before the picture is taken.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    const QPixmap picture = target->grab();
    if (picture.isNull() || !picture.save(options.screenshotFile, "PNG")) {
        printErr(QStringLiteral("--screenshot: cannot write '%1'").arg(options.screenshotFile));
        return 1;
    }
    printOut(QStringLiteral("%1: %2 x %3 pixels\n")
                 .arg(options.screenshotFile)
                 .arg(picture.width())
                 .arg(picture.height()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A file size limit then fails the write, and the save says so, instead of ending the host.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    CommandLine commandLine(defaultPluginPath(argv[0]));
    const CommandLine::Outcome outcome = commandLine.parse(arguments);
    if (outcome == CommandLine::Outcome::Error) {
        printErr(commandLine.errorText());
        std::fputs("Try 'vgxhost --help' for the options.\n", stderr);
        return 2;
    }
    if (outcome == CommandLine::Outcome::ShowHelp || outcome == CommandLine::Outcome::ShowVersion) {
        // The help text names the executable, which needs an application object; no window is shown.
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QCoreApplication app(qtArgc, qtArgv);
        QCoreApplication::setApplicationName(QStringLiteral("vgxhost"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VGX_VERSION));
        if (outcome == CommandLine::Outcome::ShowHelp)
            printOut(commandLine.helpText());
        else
            printOut(QStringLiteral("vgxhost %1\n").arg(QStringLiteral(VGX_VERSION)));
        return 0;
    }
    const HostOptions& options = commandLine.options();

    // The plug-in builds widgets (its progress dialog) even without a window, so there is always a
    // QApplication; without a display it draws offscreen.
    // Listing and pictures need no window on a screen.
    const bool oneShot = options.listDialogs || !options.screenshotName.isEmpty();
    const bool gui = !options.headless && !oneShot && hasDisplay();
    if (!gui && (!oneShot || qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt reads options of its own from the arguments (among them --plugin, which would make it load
    // our plug-in as a Qt plug-in); ours are parsed already, so Qt sees only the program name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    // A host without a window spends its time waiting for remote clients: it waits on an epoll set.
    if (!gui && !oneShot) {
        auto* dispatcher = new MvQARN::EpollEventDispatcher;
        if (dispatcher->isValid())
            QCoreApplication::setEventDispatcher(dispatcher);
        else
            delete dispatcher;
    }
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("vgxhost"));
    QApplication::setApplicationVersion(QStringLiteral(VGX_VERSION));
    // Plug-in dialogs are windows of their own; the host ends when the main window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    MvQARN::VGXStyleManager::applyHostStyle();

    if (!options.settingsDir.isEmpty() && !QDir().mkpath(options.settingsDir)) {
        printErr(QStringLiteral("cannot create the settings folder '%1'").arg(options.settingsDir));
        return 2;
    }

    // A picture run leaves the user's stores alone: dialogs remember where they were drawn
    // offscreen, and that is no place of the user's.
    std::unique_ptr<QTemporaryDir> pictureStores;
    if (!options.screenshotName.isEmpty() && options.settingsDir.isEmpty()) {
        pictureStores = std::make_unique<QTemporaryDir>();
        if (pictureStores->isValid())
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, pictureStores->path());
    }

    SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &SignalWatcher::terminationRequested, &app,
                     [](int) { QCoreApplication::quit(); });

    MvQARN::VGXHostRuntime::Options runtimeOptions;
    runtimeOptions.family = options.family;
    runtimeOptions.settingsDir = options.settingsDir;
    runtimeOptions.pluginPaths = options.pluginPaths;
    runtimeOptions.trace = options.trace;
    MvQARN::VGXHostRuntime runtime(runtimeOptions);
    QString error;
    HostServices services;
    if (!services.prepare(options, &error)) {
        printErr(error);
        return 1;
    }
    if (!runtime.start(&error) || !services.start(options, &error)) {
        services.stop();
        printErr(error);
        runtime.shutdown();
        return 1;
    }

    if (options.listDialogs) {
        printOut(dialogListing());
        services.stop();
        runtime.shutdown();
        return 0;
    }
    if (options.hasExec) {
        const bool ok = services.exec(options.execSources);
        if (!ok || options.screenshotName.isEmpty()) {
            services.stop();
            runtime.shutdown();
            return ok ? 0 : 1;
        }
    }
    if (!options.screenshotName.isEmpty()) {
        const int rc = takeScreenshot(options);
        services.stop();
        runtime.shutdown();
        return rc;
    }

    std::unique_ptr<HostMainWindow> window;
    if (gui) {
        window = std::make_unique<HostMainWindow>(options);
        QObject::connect(window.get(), &HostMainWindow::closed, &app, &QCoreApplication::quit);
        window->show();
    } else if (!options.quit) {
        printErr(options.scpiPort > 0 ? QStringLiteral("running headless, SCPI on %1:%2; stop with Ctrl+C")
                                            .arg(options.scpiListen)
                                            .arg(options.scpiPort)
                                      : QStringLiteral("running headless, SCPI off; stop with Ctrl+C"));
    }

    if (options.quit) {
        // Let the event loop run once so everything queued during start-up is delivered first.
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    }
    const int rc = app.exec();

    // The window goes first: its menu points into the registries the runtime tears down.
    window.reset();
    services.stop();
    runtime.shutdown();
    return rc;
}
