// The recorder graph with a block of 8191 words (the most a view draws), offscreen at 800 x 500:
//  - per view, from the view's setData to the graph painted (repaint is synchronous), and the same
//    from the database write of the block (the data event included); posted layout and scene
//    updates are processed before the synchronous repaint;
//  - bare Qt Charts: replacing an 8191-point line series and painting the chart view, the work the
//    chart library does for each block (the measurement behind the choice of library).
// Each figure is the median of 40 redraws in milliseconds, printed as a ratio to the goal of 25 ms.
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXStyleManager.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/util/VGXIqWord.h"
#include "params/KobraCatalogue.h"
#include "recorder/CKobraGraph.h"

using namespace MvQARN;

namespace {

constexpr int kWords = 8191;
constexpr int kRuns = 40;
constexpr double kGoalMs = 25.0;

double medianMs(const std::function<void(int)>& run) {
    std::vector<double> ms;
    for (int k = 0; k < kRuns; ++k) {
        const auto start = std::chrono::steady_clock::now();
        run(k);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A tone with a little dither, a new phase per run so no picture repeats the last one.
QVector<qint32> block(int run) {
    QVector<qint32> w(kWords);
    unsigned seed = 777u + unsigned(run);
    for (int k = 0; k < kWords; ++k) {
        seed = seed * 1103515245u + 12345u;
        const double d = double(seed >> 16 & 0x3ff) - 512.0;
        const double p = 2.0 * std::numbers::pi * (0.013 * k + 0.1 * run);
        w[k] = qint32(VGXIqWord::pack(qint16(std::lround(23000 * std::cos(p) + d)),
                                      qint16(std::lround(23000 * std::sin(p) - d))));
    }
    return w;
}

void report(const char* what, double ms) {
    std::printf("%-52s %7.2f ms  ratio %.2f (goal <= 1)\n", what, ms, ms / kGoalMs);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VGXStyleManager::applyHostStyle();
    QTemporaryDir settings;
    CDbEngine& db = CDbEngine::instance();
    db.setUserSettingsDir(settings.path());
    registerHostParameters();
    if (db.registerDescriptor(&Kobra::g_dbDescriptor, 2028, "KobraPlugin") != 0)
        return 1;
    const SDbInstTupel rec{0, 0, 0, 0};
    std::vector<QVector<qint32>> blocks;
    for (int k = 0; k < kRuns; ++k)
        blocks.push_back(block(k));

    {
        CKobraGraph graph(nullptr);
        graph.resize(800, 500);
        graph.show();
        db.write("IdPDbKobraTranRecSampRate", rec, CDbAllType::fromDouble(10e6));
        const char* names[] = {"I/Q", "vector", "CCDF", "spectrum"};
        for (int view = 0; view < 4; ++view) {
            db.write("IdPDbKobraTranRecDisplayType", rec, CDbAllType::fromInt(view));
            app.processEvents();
            const double direct = medianMs([&](int k) {
                graph.view()->setData(blocks[size_t(k)].constData(), kWords);
                app.processEvents(); // the chart's layout and scene updates are posted
                graph.repaint();
            });
            const double viaDb = medianMs([&](int k) {
                db.write("IdPDbKobraTranRecIQData", rec, CDbAllType(new CDbDataTypeNInt(blocks[size_t(k)])));
                app.processEvents();
                graph.repaint();
            });
            char line[96];
            std::snprintf(line, sizeof line, "%s view: setData to painted", names[view]);
            report(line, direct);
            std::snprintf(line, sizeof line, "%s view: database write to painted", names[view]);
            report(line, viaDb);
        }
    }

    QChart* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->hide();
    auto* series = new QLineSeries;
    chart->addSeries(series);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setRange(0, kWords - 1);
    y->setRange(-1, 1);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    QChartView view(chart);
    view.resize(800, 500);
    view.show();
    app.processEvents();
    const double bare = medianMs([&](int k) {
        QList<QPointF> points(kWords);
        for (int i = 0; i < kWords; ++i)
            points[i] = QPointF(i, VGXIqWord::inphase(quint32(blocks[size_t(k)][i])) / 32767.0);
        series->replace(points);
        app.processEvents();
        view.repaint();
    });
    report("Qt Charts alone: replace 8191 points and paint", bare);
    return 0;
}
