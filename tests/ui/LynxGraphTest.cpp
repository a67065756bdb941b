// The interface block diagrams over the real catalogue: database values reach the drawing model of
// the diagram bound to that interface (and of no other), checked on the model painting draws.
#include <QFontMetricsF>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

#include "host/gui/VGXStyleManager.h"
#include "params/functions/FunctionTestSupport.h"
#include "support/QtGTestPrinters.h"
#include "ui/diagrams/CBasebandLynxGraphClock.h"
#include "ui/diagrams/CBasebandLynxGraphDataBit.h"
#include "ui/diagrams/CBasebandLynxGraphProtocol.h"
#include "ui/diagrams/CBasebandLynxGraphSsi.h"
#include "ui/diagrams/CBasebandLynxGraphSsiFrame.h"
#include "ui/diagrams/CLynxGraphPainter.h"

using namespace MvQARN;
using testsupport::tup;

namespace {

constexpr int In = 0;
constexpr int Out = 1;
constexpr int Msb = 0;
constexpr int Lsb = 1;

class LynxGraphTest : public fntest::FunctionTest {
protected:
    // Path 1 of the side; path 0 gets other values to show that the binding holds.
    template <typename T> std::unique_ptr<T> make(int side, int width = 0) {
        auto d = std::make_unique<T>(nullptr, 1, side);
        d->resize(width > 0 ? width : d->sizeHint().width(), d->sizeHint().height());
        return d;
    }
    void setBoth(const char* name, int side, double value, double elsewhere) {
        for (int path : {0, 1})
            setValue(name, tup(path, side), path == 1 ? value : elsewhere);
    }
    static bool rightwards(const CLynxGraphPath* p) { return p && p->head().x() > p->tail().x(); }
};

// Every text lies inside the diagram and fits its rectangle; texts do not overlap each other, and
// path labels do not overlap boxes.
void expectReadable(const CLynxGraphBase& d, const char* what) {
    const CLynxGraphModel m = d.model();
    const QFontMetricsF fm(d.font());
    const QFontMetricsF sm(lynxGraphSmallFont(d.font()));
    const QRectF area = QRectF(d.rect()).adjusted(-0.5, -0.5, 0.5, 0.5);
    const QList<CLynxGraphText> texts = m.allTexts();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const CLynxGraphText& t = texts.at(i);
        const QString id = QStringLiteral("%1 '%2'").arg(QLatin1String(what), t.text);
        EXPECT_TRUE(area.contains(t.rect)) << id.toStdString() << " at " << t.rect.x() << "," << t.rect.y()
                                           << " " << t.rect.width() << "x" << t.rect.height();
        const QRectF need = (t.small ? sm : fm).boundingRect(t.rect, int(t.align), t.text);
        EXPECT_LE(need.width(), t.rect.width() + 0.5) << id.toStdString();
        EXPECT_LE(need.height(), t.rect.height() + 0.5) << id.toStdString();
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(t.rect.adjusted(1, 1, -1, -1).intersects(texts.at(j).rect))
                << id.toStdString() << " overlaps '" << texts.at(j).text.toStdString() << "'";
    }
    for (const CLynxGraphPath& p : m.paths)
        for (const CLynxGraphBox& b : m.boxes)
            EXPECT_FALSE(p.label.text.size() && b.rect.intersects(p.label.rect))
                << what << ": label '" << p.label.text.toStdString() << "' on box";
}

TEST_F(LynxGraphTest, ConnectionArrowsFollowDirectionAndClockSource) {
    const struct {
        int side, clockSource;
        bool clockToDut;
        QStringList pins; // Clock, Frame Sync, Data
    } cases[] = {{Out, 2, true, {"F25", "F24", "A26"}},
                 {Out, 1, false, {"F25", "F24", "A26"}},
                 {In, 0, true, {"C16", "C14", "A16"}},
                 {In, 1, false, {"C16", "C14", "A16"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side << " clock source " << c.clockSource);
        auto clock = make<CBasebandLynxGraphClock>(c.side);
        auto ssi = make<CBasebandLynxGraphSsi>(c.side);
        setBoth("IdPDbLynxClocSour", c.side, c.clockSource, c.clockSource == 1 ? 0 : 1);
        const bool transmit = c.side == Out;
        for (const CLynxGraphModel& m : {clock->model(), ssi->model()}) {
            ASSERT_EQ(m.boxes.size(), 3);
            const CLynxGraphPath* iq = m.path("IQ Data");
            ASSERT_TRUE(iq);
            EXPECT_EQ(rightwards(iq), transmit);
            // The arrow joins the instrument and the box.
            EXPECT_EQ(qMin(iq->tail().x(), iq->head().x()), m.box("Maravel\nInstrument")->rect.right());
            EXPECT_EQ(rightwards(m.path("Clock")), c.clockToDut);
            EXPECT_EQ(rightwards(m.path("Data")), transmit);
        }
        const CLynxGraphPath* ref = clock->model().path("Reference Clock");
        ASSERT_TRUE(ref);
        EXPECT_EQ(ref->tail().x(), clock->model().box("Maravel\nInstrument")->rect.center().x());
        EXPECT_EQ(ref->color == QColor(Qt::darkGray), c.clockSource == 1);

        const CLynxGraphModel m = ssi->model();
        EXPECT_EQ(rightwards(m.path("Frame Sync")), transmit);
        const double boxRight = m.box("Maravel\nKOBRA")->rect.right();
        const QStringList links{"Clock", "Frame Sync", "Data"};
        for (int i = 0; i < 3; ++i) {
            // The pin sits at the box end of its path, just above it.
            const double y = m.path(links[i])->tail().y();
            QString pin;
            for (const CLynxGraphText& t : m.texts)
                if (t.small && qAbs(t.rect.left() - boxRight) < 4 && t.rect.bottom() < y &&
                    t.rect.bottom() > y - 8)
                    pin = t.text;
            EXPECT_EQ(pin, c.pins[i]) << links[i].toStdString();
        }
        expectReadable(*clock, "clock");
        expectReadable(*ssi, "ssi");
    }
}

TEST_F(LynxGraphTest, ClockReferenceLabelShortOnNarrowDiagrams) {
    for (int width : {180, 199, 200, 520}) {
        auto clock = make<CBasebandLynxGraphClock>(Out, width);
        EXPECT_EQ(clock->model().path("Reference Clock")->label.text,
                  width < 200 ? QStringLiteral("Ref. Clock") : QStringLiteral("Reference Clock"));
        expectReadable(*clock, "clock");
    }
}

TEST_F(LynxGraphTest, DiagramsStayReadableFromTheirMinimumWidthUp) {
    // The fullest settings: the user's clock adds a line, "Frame Sync" is the longest label.
    setBoth("IdPDbLynxClocSour", Out, 1, 0);
    std::unique_ptr<CLynxGraphBase> diagrams[] = {
        make<CBasebandLynxGraphClock>(Out), make<CBasebandLynxGraphSsi>(Out),
        make<CBasebandLynxGraphDataBit>(Out), make<CBasebandLynxGraphProtocol>(Out)};
    for (const auto& d : diagrams) {
        for (int width : {d->minimumSizeHint().width(), d->sizeHint().width(), 700}) {
            d->resize(width, d->sizeHint().height());
            const QByteArray what =
                d->metaObject()->className() + QByteArray(" at ") + QByteArray::number(width);
            expectReadable(*d, what.constData());
        }
    }
}

TEST_F(LynxGraphTest, DataBitMarksTheWordOnTheInterfaceLines) {
    const struct {
        int variant, size, align, order;
        int lines, first, last;
        const char *firstMark, *lastMark;
    } cases[] = {
        {0, 16, Lsb, Msb, 20, 4, 19, "M", "L"}, {1, 16, Lsb, Msb, 18, 2, 17, "M", "L"},
        {0, 12, Msb, Msb, 20, 0, 11, "M", "L"}, {1, 18, Lsb, Lsb, 18, 0, 17, "L", "M"},
        {0, 4, Msb, Lsb, 20, 16, 19, "L", "M"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << " size " << c.size << " align "
                                        << c.align << " order " << c.order);
        auto bits = make<CBasebandLynxGraphDataBit>(Out);
        setBoth("IdPDbKobraVariant", Out, c.variant, 1 - c.variant);
        setBoth("IdPDbLynxDataWordSize", Out, c.size, 8);
        setBoth("IdPDbLynxDataWordAlign", Out, c.align, 1 - c.align);
        setBoth("IdPDbLynxDataBitOrder", Out, c.order, 1 - c.order);
        const CLynxGraphModel m = bits->model();
        ASSERT_EQ(m.cells.size(), c.lines);
        for (int i = 0; i < c.lines; ++i) {
            const QString mark = i == c.first                  ? c.firstMark
                                 : i == c.last                 ? c.lastMark
                                 : (i > c.first && i < c.last) ? "x"
                                                               : "_";
            EXPECT_EQ(m.cells[i].text, QString::number(i) + "\n" + mark);
            EXPECT_EQ(m.cells[i].marked, i >= c.first && i <= c.last) << i;
            EXPECT_NEAR(m.cells[i].rect.width(), double(bits->width()) / c.lines, 1e-9);
        }
        expectReadable(*bits, "data bits");
    }
}

TEST_F(LynxGraphTest, ProtocolLinesFollowFormatInterleavingAndBitOrder) {
    enum { Serial, Parallel };
    const struct {
        int side, format, ileav, order, size, clockSource;
        QStringList lines, texts; // the box's lines; the label of each line's path
    } cases[] = {
        // clang-format off
        {Out, Serial, 0, Lsb, 16, 2, {"UI_GP5", "Clk   ", "Data", "Strobe"}, {"", "10 MHz", "", ""}},
        {Out, Parallel, 0, Lsb, 16, 1, {"UI_GP5", "Clk In", "Clk   ", "I Data", "Q Data"},
         {"", "", "10 MHz", "I0..I15", "Q0..Q15"}},
        {In, Parallel, 0, Msb, 12, 2, {"UI_GP5", "Clk   ", "I Data", "Q Data"}, {"", "10 MHz", "I11..I0", "Q11..Q0"}},
        {Out, Parallel, 1, Lsb, 16, 2, {"UI_GP5", "Clk   ", "Data", "I Marker"}, {"", "10 MHz", "IQ0..IQ15", ""}},
        {In, Parallel, 2, Msb, 14, 1, {"UI_GP5", "Clk In", "Clk   ", "Data", "I Marker"},
         {"", "", "10 MHz", "IQ13..IQ0", ""}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.join(',').toStdString() + " " + c.texts.join(',').toStdString());
        auto proto = make<CBasebandLynxGraphProtocol>(c.side);
        setBoth("IdPDbLynxFormat", c.side, c.format, 1 - c.format);
        setBoth("IdPDbLynxIleavMode", c.side, c.ileav, (c.ileav + 1) % 3);
        setBoth("IdPDbLynxDataBitOrder", c.side, c.order, 1 - c.order);
        setBoth("IdPDbLynxDataWordSize", c.side, c.size, 8);
        setBoth("IdPDbLynxClocSour", c.side, c.clockSource, c.clockSource == 1 ? 0 : 1);
        const CLynxGraphModel m = proto->model();
        ASSERT_EQ(m.boxes.size(), 1);
        QStringList ports, labels;
        for (const CLynxGraphText& t : m.boxes[0].ports)
            ports << t.text;
        for (const CLynxGraphPath& p : m.paths)
            labels << p.label.text;
        EXPECT_EQ(ports, c.lines);
        EXPECT_EQ(labels, c.texts);
        for (const CLynxGraphPath& p : m.paths) {
            // The clock leaves the box, the user's clock enters it, the rest follows the direction.
            const bool out = p.name == "Clk   " || (p.name != "Clk In" && c.side == Out);
            EXPECT_EQ(rightwards(&p), out) << p.name.toStdString();
            EXPECT_EQ(p.kind == CLynxGraphPath::Broad, p.label.text.contains("..")) << p.name.toStdString();
        }
        expectReadable(*proto, "protocol");
    }
}

TEST_F(LynxGraphTest, ProtocolTracesFollowRateModeStrobeAndInterleaving) {
    auto proto = make<CBasebandLynxGraphProtocol>(Out);
    const auto edgeSpacing = [&] {
        const QPolygonF pts = proto->model().trace("Clk   ")->points;
        return pts.at(3).x() - pts.at(1).x();
    };
    const auto highCells = [&](const char* line) {
        // Cell levels of a step trace: two points per cell, the upper level is the smaller y.
        const QPolygonF pts = proto->model().trace(line)->points;
        double top = pts.first().y();
        for (const QPointF& p : pts)
            top = qMin(top, p.y());
        QList<int> out;
        for (qsizetype i = 0; i + 1 < pts.size(); i += 2)
            out << (pts[i].y() == top ? 1 : 0);
        return out;
    };
    setBoth("IdPDbLynxRateMode", Out, 0, 1);
    const double sdr = edgeSpacing();
    setBoth("IdPDbLynxRateMode", Out, 1, 0);
    EXPECT_DOUBLE_EQ(edgeSpacing(), 2 * sdr); // a word on each clock edge

    setBoth("IdPDbLynxIleavMode", Out, 1, 2);
    EXPECT_EQ(highCells("I Marker").mid(0, 3), (QList<int>{1, 0, 1}));
    EXPECT_EQ(proto->model().trace("Data")->words.first().text, "I");
    setBoth("IdPDbLynxIleavMode", Out, 2, 1);
    EXPECT_EQ(highCells("I Marker").mid(0, 3), (QList<int>{0, 1, 0}));
    EXPECT_EQ(proto->model().trace("Data")->words.first().text, "Q");

    setBoth("IdPDbLynxFormat", Out, 0, 1);
    setBoth("IdPDbLynxDataBitOrder", Out, Msb, Lsb);
    setBoth("IdPDbLynxDataStrobPos", Out, 3, 0);
    EXPECT_EQ(highCells("Strobe").indexOf(1), 3);
    EXPECT_EQ(highCells("Strobe").count(1), 1);
    EXPECT_EQ(proto->model().trace("Data")->words.first().text, "I15");
    setBoth("IdPDbLynxDataStrobPol", Out, 1, 0);
    EXPECT_EQ(highCells("Strobe").indexOf(0), 3);
    EXPECT_EQ(highCells("Strobe").count(0), 1);
}

TEST_F(LynxGraphTest, SsiFrameHasIAndQWordsAndTheControlWord) {
    const QColor data = VGXStyleManager::color("DataColor");
    const QColor control = VGXStyleManager::color("ControlColor");
    const auto describe = [](const QList<VGXStructureLabel::Field>& fields) {
        QStringList out;
        for (const VGXStructureLabel::Field& f : fields)
            out << QStringLiteral("%1:%2").arg(f.name).arg(f.width);
        return out.join(' ');
    };
    auto frame = make<CBasebandLynxGraphSsiFrame>(In);
    const struct {
        double word, cm;
        const char* fields;
    } written[] = {{16, 0, "I:16 Q:16"}, {24, 8, "I:24 Q:24 C&M:8"}, {4, 32, "I:4 Q:4 C&M:32"}};
    for (const auto& c : written) {
        setBoth("IdPDbLynxSsiWordSize", In, c.word, 20);
        setBoth("IdPDbLynxSsiCmBitLen", In, c.cm, 3);
        const QList<VGXStructureLabel::Field> fields = frame->structureLabel()->structure();
        EXPECT_EQ(describe(fields), c.fields);
        for (const VGXStructureLabel::Field& f : fields)
            EXPECT_EQ(f.color, f.name == "C&M" ? control : data) << f.name.toStdString();
    }
    // Sizes are whole bits, half up; a word size without a value counts as 16.
    EXPECT_EQ(describe(CBasebandLynxGraphSsiFrame::frameFields(12.5, 7.5)), "I:13 Q:13 C&M:8");
    EXPECT_EQ(describe(CBasebandLynxGraphSsiFrame::frameFields(12.49, 0.4)), "I:12 Q:12");
    EXPECT_EQ(describe(CBasebandLynxGraphSsiFrame::frameFields(std::nullopt, std::nullopt)), "I:16 Q:16");
}

} // namespace
