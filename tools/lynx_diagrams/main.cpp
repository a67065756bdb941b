// lynx_diagrams [OUTPUT_DIR]
//
// Draws the five interface block diagrams of the KOBRA plug-in over the host database with the
// plug-in's catalogue, at the sizes the interface panels give them, for a few settings each (values
// written as a user would). Saves one sheet per diagram (clock.png, databit.png, protocol.png,
// ssi.png) in OUTPUT_DIR (default: the current folder). Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <cstdio>
#include <functional>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXStyleManager.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"
#include "ui/diagrams/CBasebandLynxGraphClock.h"
#include "ui/diagrams/CBasebandLynxGraphDataBit.h"
#include "ui/diagrams/CBasebandLynxGraphProtocol.h"
#include "ui/diagrams/CBasebandLynxGraphSsi.h"
#include "ui/diagrams/CBasebandLynxGraphSsiFrame.h"

using namespace MvQARN;

namespace {

constexpr int PanelWidth = 460; // a diagram across an interface panel

struct Value {
    const char* name;
    double value;
};

// Writes the values to one interface (path A of the side) as requests; false on a refusal.
bool apply(int side, const QList<Value>& values) {
    CDbEngine& db = CDbEngine::instance();
    for (const Value& v : values) {
        const SDbDefCommon* r = db.findRecord(v.name, SDbInstTupel{0, side, 0, 0});
        if (!r)
            return false;
        const CDbAllType value =
            r->type == DbTypeSelect ? CDbAllType::fromInt(int(v.value)) : CDbAllType::fromDouble(v.value);
        CDbAnswerBuffer answer;
        if (db.write(v.name, SDbInstTupel{0, side, 0, 0}, value, &answer) != 0) {
            std::fprintf(stderr, "lynx_diagrams: %s = %g refused\n", v.name, v.value);
            return false;
        }
    }
    return true;
}

struct Shot {
    QString caption;
    int side;
    QList<Value> values;
    std::function<QWidget*(int side)> make;
    int width;
};

// Preset both interfaces of path A, then draw each shot below its caption.
bool sheet(const QString& file, const QList<Shot>& shots) {
    QWidget page;
    page.setAutoFillBackground(true);
    page.setPalette(VGXStyleManager::palette(QStringLiteral("DefaultPalette")));
    auto* layout = new QVBoxLayout(&page);
    for (const Shot& s : shots) {
        CDbEngine::instance().reset();
        registerHostParameters();
        if (CDbEngine::instance().registerDescriptor(&Kobra::g_dbDescriptor, 2028, "KobraPlugin") != 0)
            return false;
        QWidget* w = s.make(s.side);
        if (!apply(s.side, s.values))
            return false;
        // The picture keeps what the values drew; the widget goes before the database is reset.
        w->resize(s.width, w->sizeHint().height());
        auto* caption =
            new QLabel(QStringLiteral("%1  (%2 x %3)").arg(s.caption).arg(w->width()).arg(w->height()));
        auto* picture = new QLabel;
        picture->setPixmap(w->grab());
        picture->setFrameShape(QFrame::Box);
        picture->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        layout->addWidget(caption);
        layout->addWidget(picture);
        delete w;
    }
    layout->addStretch();
    page.adjustSize();
    const QPixmap out = page.grab();
    if (!out.save(file)) {
        std::fprintf(stderr, "lynx_diagrams: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(file), out.width(), out.height());
    return true;
}

template <typename T> std::function<QWidget*(int)> maker() {
    return [](int side) { return new T(nullptr, 0, side); };
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VGXStyleManager::applyHostStyle();
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    const char* source = "IdPDbLynxClocSour";
    const auto clock = maker<CBasebandLynxGraphClock>();
    bool ok = sheet(dir.filePath("clock.png"),
                    {{"Out, clock source REF IN", 1, {{source, 2}}, clock, PanelWidth},
                     {"In, clock source User Interface", 0, {{source, 1}}, clock, PanelWidth},
                     {"Out, Internal, narrow", 1, {{source, 0}}, clock, 190},
                     {"In, User Interface, narrow", 0, {{source, 1}}, clock, 190},
                     {"Out, REF IN, at 300", 1, {{source, 2}}, clock, 300}});

    const auto bits = maker<CBasebandLynxGraphDataBit>();
    ok = sheet(dir.filePath("databit.png"),
               {{"variant 0, 16 bit, align LSB, order MSB",
                 1,
                 {{"IdPDbKobraVariant", 0}, {"IdPDbLynxDataWordAlign", 1}, {"IdPDbLynxDataBitOrder", 0}},
                 bits,
                 PanelWidth},
                {"variant 1, 12 bit, align MSB, order LSB",
                 1,
                 {{"IdPDbLynxDataWordSize", 12}, {"IdPDbLynxDataWordAlign", 0}, {"IdPDbLynxDataBitOrder", 1}},
                 bits,
                 PanelWidth},
                {"variant 0, 18 bit, narrow",
                 1,
                 {{"IdPDbKobraVariant", 0}, {"IdPDbLynxDataWordSize", 18}},
                 bits,
                 300}}) &&
         ok;

    const auto proto = maker<CBasebandLynxGraphProtocol>();
    ok = sheet(dir.filePath("protocol.png"),
               {{"Out, parallel, SDR, LSB, 16 bit", 1, {}, proto, PanelWidth},
                {"In, parallel, MSB 12 bit, User Interface clock, 90 deg, skew",
                 0,
                 {{"IdPDbLynxDataWordSize", 12},
                  {"IdPDbLynxDataBitOrder", 0},
                  {source, 1},
                  {"IdPDbLynxClocPhas", 1},
                  {"IdPDbLynxClocSkew", 2e-9},
                  {"IdPDbLynxClocInSkew", -3e-9}},
                 proto,
                 PanelWidth},
                {"Out, parallel, Q/I interleaved, DDR, 61.44 MHz",
                 1,
                 {{"IdPDbLynxIleavMode", 2}, {"IdPDbLynxRateMode", 1}, {"IdPDbLynxClocRate", 61.44e6}},
                 proto,
                 PanelWidth},
                {"Out, serial, MSB, strobe 3 negative, inverted clock",
                 1,
                 {{"IdPDbLynxFormat", 0},
                  {"IdPDbLynxDataBitOrder", 0},
                  {"IdPDbLynxDataStrobPos", 3},
                  {"IdPDbLynxDataStrobPol", 1},
                  {"IdPDbLynxClocPol", 1}},
                 proto,
                 PanelWidth},
                {"Out, serial, strobe 14, narrow",
                 1,
                 {{"IdPDbLynxFormat", 0}, {"IdPDbLynxDataStrobPos", 14}},
                 proto,
                 300}}) &&
         ok;

    const auto frame = maker<CBasebandLynxGraphSsiFrame>();
    const auto ssi = maker<CBasebandLynxGraphSsi>();
    ok = sheet(dir.filePath("ssi.png"),
               {{"frame: word 16, C&M 0", 0, {}, frame, PanelWidth},
                {"frame: word 12, C&M 8",
                 0,
                 {{"IdPDbLynxSsiWordSize", 12}, {"IdPDbLynxSsiCmBitLen", 8}},
                 frame,
                 PanelWidth},
                {"In, clock source REF IN", 0, {{source, 2}}, ssi, PanelWidth},
                {"Out, clock source User Interface", 1, {{source, 1}}, ssi, PanelWidth},
                {"In, Internal, narrow", 0, {{source, 0}}, ssi, 300}}) &&
         ok;
    CDbEngine::instance().reset();
    return ok ? 0 : 1;
}
