// Building and showing the box's main dialog and the host's main window (block diagram with its four
// box blocks), offscreen, over the plug-in's catalogue: the time a user waits for them to appear.
// Reported as the median of several repetitions; the goal is well under 50 ms each.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/HostMainWindow.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXBlockDiagram.h"
#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"
#include "ui/CKobraDlgMain.h"
#include "ui/KobraBlock.h"

using namespace MvQARN;

namespace {

void BM_MainDialogBuildAndShow(benchmark::State& state) {
    const VGXUserDialogAttributes attributes(QStringLiteral("CKobraDlgMain"), QStringLiteral(":KOBRA"));
    for (auto _ : state) {
        auto* dialog = new CKobraDlgMain(&attributes);
        dialog->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete dialog;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainDialogBuildAndShow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

void BM_MainWindowBuildAndShow(benchmark::State& state) {
    const vgxapp::HostOptions options;
    for (auto _ : state) {
        auto* window = new vgxapp::HostMainWindow(options);
        window->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowBuildAndShow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VGXStyleManager::applyHostStyle();
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    CDbEngine& db = CDbEngine::instance();
    db.setUserSettingsDir(settings.path());
    registerHostParameters();
    if (db.registerDescriptor(&Kobra::g_dbDescriptor, 2028, "KobraPlugin") != 0)
        return 1;
    VGXBlockDiagram::registerBlockClass(QStringLiteral("KobraBlock"), &KobraBlock::create);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
