// graph_shot [--wave FILE.wv] [--length N] [--size WxH] OUTPUT-PREFIX
//
// Records one block (single mode, software trigger) with the host's transient recorder on
// interface A, BBIN side, recorder channel 1: from the sine test signal, or with --wave from that
// waveform file put into ARB 1. Then shows the recorder graph in each view and saves
// OUTPUT-PREFIX-iq.png, -vector.png, -ccdf.png and -spectrum.png, and -spectrum-zoom.png with the
// spectrum zoomed about its peak and the marker on it. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/CSgCdPanel.h"
#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "host/olfw/impl/COlTranRecCapture.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"
#include "recorder/CKobraGraph.h"

using namespace MvQARN;

namespace {

const SDbInstTupel kRec{0, 0, 0, 0};

int write(const char* name, const CDbAllType& value, int msgType = DbMsgSet) {
    CDbAnswerBuffer answer;
    const int rc = CDbEngine::instance().write(name, kRec, value, &answer, msgType);
    for (const CDbAnswerBuffer::Error& e : answer.getErrors())
        std::fprintf(stderr, "graph_shot: %s: %d %s\n", name, e.code, qPrintable(e.text));
    return rc;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VGXStyleManager::applyHostStyle();
    QCommandLineParser cli;
    cli.addHelpOption();
    cli.addOption({"wave", "Record from this waveform file in ARB 1.", "file"});
    cli.addOption({"length", "Recording length: 512, 1024 or 2048.", "n", "2048"});
    cli.addOption({"size", "Picture size.", "WxH", "640x420"});
    cli.addPositionalArgument("prefix", "Output files PREFIX-iq.png and so on.");
    cli.process(app);
    if (cli.positionalArguments().size() != 1)
        cli.showHelp(2);
    const QString prefix = cli.positionalArguments().first();
    const QStringList size = cli.value("size").split('x');

    QTemporaryDir settings;
    CDbEngine& db = CDbEngine::instance();
    db.setUserSettingsDir(settings.path());
    registerHostParameters();
    if (db.registerDescriptor(&Kobra::g_dbDescriptor, 2028, "KobraPlugin") != 0) {
        std::fprintf(stderr, "graph_shot: the catalogue was refused\n");
        return 1;
    }
    COlTranRecCapture::SServices services;
    services.changes = &db.changeSource();
    services.database = db.dataBaseIfc();
    services.write = [](const CDbMsg& msg) {
        CDbAnswerBuffer answer;
        return CDbEngine::instance().write(msg, &answer);
    };
    COlTranRecCapture capture(services);
    capture.attach();

    VGXUserDbAttributes::setCurrentInstance(kRec.t0);
    VGXUserDbAttributes::setCurrentDirection(kRec.t1);
    VGXUserDbAttributes::setCurrentStation(kRec.t2);
    VGXUserDbAttributes::setCurrentChannel(kRec.t3);
    CKobraGraph graph(nullptr);
    graph.resize(size.value(0).toInt() > 0 ? size.value(0).toInt() : 640,
                 size.value(1).toInt() > 0 ? size.value(1).toInt() : 420);
    graph.show();

    int rc = 0;
    if (cli.isSet("wave")) {
        const QString wave = QFileInfo(cli.value("wave")).absoluteFilePath();
        rc +=
            db.write("IdPDbLynxArbFile", SDbInstTupel{kRec.t0, kRec.t1, 0, 0}, CDbAllType::fromString(wave));
        rc += write("IdPDbKobraTranRecDataSource", CDbAllType::fromInt(COlTranRecCapture::Arb1));
    } else {
        rc += write("IdPDbKobraTranRecDataSource", CDbAllType::fromInt(COlTranRecCapture::TestSine));
    }
    rc += write("IdPDbKobraTranRecDataLength", CDbAllType::fromDouble(cli.value("length").toDouble()));
    rc += write("IdPDbKobraTranRecTrigMode", CDbAllType::fromInt(1));
    rc += write("IdPDbKobraTranRecState", CDbAllType::fromInt(1));
    rc += write("IdPDbKobraTranRecTrigExec", CDbAllType::fromInt(1), DbMsgExec);
    const QString error = capture.lastError(kRec.t0, kRec.t1, kRec.t3);
    if (rc != 0 || !error.isEmpty()) {
        std::fprintf(stderr, "graph_shot: the recording failed: %s\n", qPrintable(error));
        return 1;
    }
    const char* names[] = {"iq", "vector", "ccdf", "spectrum"};
    for (int view = 0; view < 4; ++view) {
        write("IdPDbKobraTranRecDisplayType", CDbAllType::fromInt(view));
        app.processEvents();
        const QString out = prefix + '-' + names[view] + ".png";
        if (!graph.grab().save(out)) {
            std::fprintf(stderr, "graph_shot: cannot write %s\n", qPrintable(out));
            return 1;
        }
        std::printf("%s: %s\n", qPrintable(out), qPrintable(graph.titleText()));
    }
    // The spectrum once more, zoomed in four times about its strongest point, with the marker on it.
    MvChartDisplay::CSgCdPanel* panel = graph.panel(0);
    const QVector<QPointF> points = panel->curvePoints(QStringLiteral("Curve0"));
    if (!points.isEmpty()) {
        const QPointF peak =
            *std::max_element(points.begin(), points.end(), [](auto a, auto b) { return a.y() < b.y(); });
        panel->zoomAt(QPointF(peak.x(), -50.0), 0.25, 1.0);
        app.processEvents();
        panel->placeMarker(panel->positionOf(peak));
        const QString out = prefix + "-spectrum-zoom.png";
        if (!graph.grab().save(out)) {
            std::fprintf(stderr, "graph_shot: cannot write %s\n", qPrintable(out));
            return 1;
        }
        std::printf("%s: %s\n", qPrintable(out), qPrintable(panel->readoutText()));
    }
    return 0;
}
