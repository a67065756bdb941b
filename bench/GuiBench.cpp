// Building and showing the box's main dialog, the interface dialog with all its tabs and the host's
// main window (block diagram with its four box blocks), offscreen, over the plug-in's catalogue: the
// time a user waits for them to appear. Reported as the median of several repetitions; the goal is
// well under 50 ms for the main dialog and window, under 100 ms for the interface dialog.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/HostMainWindow.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXBlockDiagram.h"
#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXTabViewer.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"
#include "ui/CKobraDlgMain.h"
#include "ui/KobraBlock.h"
#include "ui/ifc/CBasebandLynxMainOutDialog.h"

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

// The Out side's dialog on the full box with the ARB unlocked: all six tabs.
void BM_InterfaceDialogBuildAndShow(benchmark::State& state) {
    CDbEngine& db = CDbEngine::instance();
    CDbAnswerBuffer answer;
    db.write("IdPDbProtLevState", SDbInstTupel{0, 0, 0, 0}, CDbAllType::fromInt(0), &answer);
    db.write("IdPDbKobraVariant", SDbInstTupel{0, 1, 0, 0}, CDbAllType::fromInt(1), &answer);
    for (auto _ : state) {
        auto* dialog = new CBasebandLynxMainOutDialog(0, 0);
        dialog->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (dialog->tabs()->count() != 6)
            state.SkipWithError("not all tabs built");
        delete dialog;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InterfaceDialogBuildAndShow)
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
