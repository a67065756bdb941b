// progress_shot OUTPUT.png
//
// Shows the progress window during a simulated two-phase FPGA load ("Erasing flash", then "Loading
// configuration") with phase following, waits until the second bar is half full and saves a
// picture of the window. The window is grabbed without its frame, so the tool draws a plain title
// strip with the window title above it. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QDeadlineTimer>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "frame/KobraProgress.h"
#include "frame/KobraProgressDialogFactory.h"
#include "frame/KobraProgressDlg.h"
#include "host/olfw/impl/COlFramework.h"
#include "host/runtime/impl/VGXHostRuntime.h"

using namespace MvQARN;

namespace {

const QString kErase = QStringLiteral("Erasing flash");
const QString kLoad = QStringLiteral("Loading configuration");

// Keeps the event loop running until pred holds or the guard runs out.
template <typename Pred> bool waitUntil(Pred pred, int guardMs) {
    const QDeadlineTimer guard(guardMs);
    while (!pred()) {
        if (guard.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(2);
    }
    return true;
}

// The window with a title strip above it, as a window manager would frame it.
QImage framed(QWidget* dlg) {
    const QPixmap body = dlg->grab();
    const int strip = 26;
    QImage out(body.width() + 2, body.height() + strip + 1, QImage::Format_RGB32);
    out.fill(QColor(96, 96, 96));
    QPainter p(&out);
    p.fillRect(1, 1, body.width(), strip - 1, QColor(54, 84, 130));
    QFont f = dlg->font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 1, body.width() - 20, strip - 1), Qt::AlignVCenter | Qt::AlignLeft,
               dlg->windowTitle());
    p.drawPixmap(1, strip, body);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: progress_shot OUTPUT.png\n");
        return 2;
    }
    const QString output = args[1];

    // A host with an empty settings folder: default display size, no background image.
    QTemporaryDir settings;
    VGXHostRuntime::Options options;
    options.settingsDir = settings.path();
    VGXHostRuntime runtime(options);
    COlFramework framework;
    runtime.setOlManager(&framework);

    KobraProgress::setPollPeriodMs(20);
    KobraProgress::setFlagPollMs(5);
    // Created through the module's hook, as the plug-in does.
    QDialog* dialog = Kobra::createProgressDialog ? Kobra::createProgressDialog(nullptr) : nullptr;
    if (!dialog) {
        std::fprintf(stderr, "progress_shot: no progress window\n");
        return 1;
    }
    KobraProgress* progress = KobraProgress::getInstance();

    COlOperationRegistry& ops = framework.operations();
    const unsigned op = ops.newOperationId();
    ops.begin(op, {kErase, kLoad});
    progress->showProgressDialog(op, QStringLiteral("FPGA load"), true, nullptr);

    // The load itself: each report stays long enough for the worker to see it.
    std::atomic<bool> stop{false};
    std::thread load([&] {
        auto step = [&](const QString& phase, const QString& message, int percent) {
            if (stop)
                return;
            ops.report(op, phase, message, percent);
            std::this_thread::sleep_for(std::chrono::milliseconds(80));
        };
        for (int sector = 1; sector <= 4; ++sector)
            step(kErase, QStringLiteral("Erasing sector %1 of 4").arg(sector), sector * 25);
        for (int percent = 10; percent <= 50; percent += 10)
            step(kLoad, QStringLiteral("Writing frame %1 of 2400").arg(percent * 24), percent);
    });

    const bool ready = waitUntil(
        [&] {
            const QList<QProgressBar*> bars = dialog->findChildren<QProgressBar*>();
            return bars.size() == 2 && bars[1]->value() == 50;
        },
        30000);
    int rc = 0;
    if (!ready) {
        std::fprintf(stderr, "progress_shot: the second bar did not reach 50 %%\n");
        rc = 1;
    } else {
        QCoreApplication::processEvents();
        if (!framed(dialog).save(output)) {
            std::fprintf(stderr, "progress_shot: cannot write %s\n", qPrintable(output));
            rc = 1;
        } else {
            std::printf("%s\n", qPrintable(output));
        }
    }

    stop = true;
    load.join();
    progress->close();
    delete progress;
    delete dialog;
    runtime.setOlManager(nullptr);
    return rc;
}
