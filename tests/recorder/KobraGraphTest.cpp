// The recorder graph over the catalogue: blocks, rates and views written to the database reach what
// the panels draw; events the database cannot produce are handed to the graph directly.
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QSettings>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "host/db/CDbDataTypeNInt.h"
#include "host/gui/CSgCdPanel.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXIqWord.h"
#include "recorder/CKobraGraph.h"
#include "support/CatalogueDb.h"

using namespace MvQARN;
using testsupport::tup;

namespace {

const SDbInstTupel kRec = tup(1, 0, 0, 1);

// A full-scale complex tone of `cycles` turns per sample.
QVector<qint32> tone(int n, double cycles) {
    QVector<qint32> w(n);
    for (int k = 0; k < n; ++k) {
        const double p = 2.0 * std::numbers::pi * cycles * k;
        w[k] = qint32(VGXIqWord::pack(qint16(std::lround(32767 * std::cos(p))),
                                      qint16(std::lround(32767 * std::sin(p)))));
    }
    return w;
}

// Qt Charts only warns, and leaves the point out, when a logarithmic axis is handed a value <= 0.
QStringList g_logWarnings;
QtMessageHandler g_nextHandler = nullptr;
void catchLogWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("Logarithm")))
        g_logWarnings.append(text);
    if (g_nextHandler)
        g_nextHandler(type, context, text);
}

class KobraGraphTest : public testsupport::CatalogueDbTest {
protected:
    void SetUp() override {
        g_logWarnings.clear();
        g_nextHandler = qInstallMessageHandler(catchLogWarnings);
        CatalogueDbTest::SetUp();
        VGXUserDbAttributes::setCurrentInstance(kRec.t0);
        VGXUserDbAttributes::setCurrentDirection(kRec.t1);
        VGXUserDbAttributes::setCurrentStation(kRec.t2);
        VGXUserDbAttributes::setCurrentChannel(kRec.t3);
        m_graph = std::make_unique<CKobraGraph>(nullptr, [this] { return m_ready; });
        m_graph->resize(500, 400);
    }
    void TearDown() override {
        m_graph.reset();
        CatalogueDbTest::TearDown();
        qInstallMessageHandler(g_nextHandler);
        EXPECT_TRUE(g_logWarnings.isEmpty()) << g_logWarnings.join('\n').toStdString();
    }
    void block(const QVector<qint32>& w) {
        set("IdPDbKobraTranRecIQData", kRec, CDbAllType(new CDbDataTypeNInt(w)));
    }
    // An event as the database would deliver it, for values it never holds.
    void event(const char* name, VGXDataContainer* value) {
        VGXDatabaseConnectorEntry* e = VGXDataObject::connectDatabase(nullptr, VGXUserDbAttributes(name));
        VGXDataEvent ev(VGXDataEvent::DataChanged, e, value, kRec);
        m_graph->processDataEvent(&ev);
        VGXDataObject::disconnectDatabase(e);
    }
    QVector<QPointF> curve(int panel) const { return m_graph->panel(panel)->curvePoints("Curve0"); }

    bool m_ready = true;
    std::unique_ptr<CKobraGraph> m_graph;
};

TEST_F(KobraGraphTest, SpectrumScaleFollowsRateAndDecimation) {
    setInt("IdPDbKobraTranRecDisplayType", kRec, 3);
    struct Row {
        double rate, factor, half;
    };
    for (const Row& r : {Row{100e6, 1, 50}, Row{30e6, 4, 3.75}, Row{6.6e6, 1, 4}, Row{1.2e6, 1, 0.75},
                         Row{7e6, 1, 4}, Row{2e6, 1, 1}}) {
        setNumber("IdPDbKobraTranRecDecFactor", kRec, r.factor);
        setNumber("IdPDbKobraTranRecSampRate", kRec, r.rate);
        const auto x = m_graph->panel(0)->scaleRange("ScaleX");
        EXPECT_NEAR(x.from, -r.half, 1e-12) << r.rate << "/" << r.factor;
        EXPECT_NEAR(x.to, r.half, 1e-12) << r.rate << "/" << r.factor;
        EXPECT_DOUBLE_EQ(m_graph->view()->homeLimits().x1, r.rate / r.factor / 2e6);
    }
    // A factor not above 0.1 and a rate of 1 Hz leave the period as it was.
    event("IdPDbKobraTranRecDecFactor", new VGXDataContainer(0.05));
    setNumber("IdPDbKobraTranRecSampRate", kRec, 1);
    EXPECT_DOUBLE_EQ(m_graph->period(), 1.0 / 2e6);
}

TEST_F(KobraGraphTest, SpectrumTitleAndToneOffset) {
    VGXHostRuntime::Options options; // a host whose settings folder holds the test's properties file
    options.settingsDir = m_dir.path();
    VGXHostRuntime host(options);
    QSettings ini(QDir(m_dir.path()).filePath("vgxproperties.ini"), QSettings::IniFormat);
    setNumber("IdPDbKobraTranRecSampRate", kRec, 8e6);
    struct Row {
        QVariant log2;
        int words, points, avg;
    };
    for (const Row& r :
         {Row{{}, 4096, 2048, 2}, Row{{}, 3000, 2048, 1}, Row{20, 16384, 16384, 1}, Row{3, 3000, 256, 11}}) {
        if (r.log2.isValid())
            ini.setValue("GuiFeatures/Log2FftLen", r.log2);
        ini.sync();
        setInt("IdPDbKobraTranRecDisplayType", kRec, 0);
        setInt("IdPDbKobraTranRecDisplayType", kRec, 3);
        block(tone(r.words, 1.0 / 8));
        EXPECT_TRUE(m_graph->titleText().startsWith(
            QString("Power Spectrum  (FFT points = %1, AVG = %2)  ").arg(r.points).arg(r.avg)))
            << m_graph->titleText().toStdString();
        // The tone at an eighth of 8 MHz lies at +1 MHz, within a bin. A spectrum of 8192 points or
        // more is not drawn.
        const QVector<QPointF> c = curve(0);
        if (r.points >= CKobraPlot::MaxDrawnPoints)
            continue;
        ASSERT_EQ(c.size(), r.points);
        const QPointF peak =
            *std::max_element(c.begin(), c.end(), [](auto a, auto b) { return a.y() < b.y(); });
        EXPECT_NEAR(peak.x(), 1.0, 8.0 / r.points) << r.points;
        EXPECT_GT(peak.y(), -1.0);
    }
}

// A view draws blocks below 8192 points only; a switch shows the kept block at once.
TEST_F(KobraGraphTest, ViewsDrawBelow8192PointsAndASwitchShowsTheKeptBlockAtOnce) {
    setInt("IdPDbKobraTranRecDisplayType", kRec, 0);
    EXPECT_TRUE(m_graph->panel(0)->isHidden());
    EXPECT_FALSE(m_graph->panel(1)->isHidden() || m_graph->panel(2)->isHidden());
    const QVector<qint32> w = tone(8191, 0.01);
    block(w);
    const QVector<QPointF> i = curve(1), q = curve(2);
    ASSERT_EQ(i.size(), 8191);
    EXPECT_EQ(i.back().x(), 8190.0);
    EXPECT_EQ(m_graph->panel(1)->scaleRange("ScaleX").to, 8190.0);
    EXPECT_FLOAT_EQ(i[5].y(), VGXIqWord::inphase(w[5]) / 32767.0f);
    EXPECT_FLOAT_EQ(q[5].y(), VGXIqWord::quadrature(w[5]) / 32767.0f);

    // Laid out, so every switch places the points on its axes; into and out of the logarithmic axis of
    // the CCDF, from and to views with values <= 0.
    m_graph->show();
    for (int view : {3, 2, 3, 2, 0, 2, 1})
        setInt("IdPDbKobraTranRecDisplayType", kRec, view);
    EXPECT_FALSE(m_graph->panel(0)->isHidden());
    EXPECT_TRUE(m_graph->panel(1)->isHidden());
    const QVector<QPointF> c = curve(0);
    ASSERT_EQ(c.size(), 8191);
    EXPECT_FLOAT_EQ(c[7].x(), VGXIqWord::inphase(w[7]) / 32767.0f);
    EXPECT_FLOAT_EQ(c[7].y(), VGXIqWord::quadrature(w[7]) / 32767.0f);
    EXPECT_EQ(m_graph->titleText(), "Vector Diagram");
    block(tone(8192, 0.02));
    EXPECT_EQ(curve(0), c);
    EXPECT_EQ(m_graph->view()->block().size(), 8192);
    event("IdPDbKobraTranRecDisplayType", new VGXDataContainer(7));
    EXPECT_EQ(m_graph->viewType(), CKobraGraph::None);
    EXPECT_EQ(m_graph->view(), nullptr);
}

TEST_F(KobraGraphTest, BlocksTakenOnlyWhenReadableActiveAndReady) {
    setInt("IdPDbKobraTranRecDisplayType", kRec, 1);
    block(tone(100, 0.1));
    const QString title = m_graph->titleText();
    const QVector<QPointF> shown = curve(0);
    event("IdPDbKobraTranRecIQData", new VGXDataContainer());
    m_graph->setActive(false);
    block(tone(200, 0.1));
    m_graph->setActive(true);
    m_ready = false;
    block(tone(300, 0.1));
    EXPECT_EQ(m_graph->titleText(), title);
    EXPECT_EQ(curve(0), shown);
    // Each block taken turns the busy mark one step.
    m_ready = true;
    QString marks;
    for (int k = 0; k < 8; ++k) {
        block(tone(50 + k, 0.1));
        marks += m_graph->titleText().back();
    }
    EXPECT_TRUE(QString("-\\|/-\\|/-\\|/-\\|/").contains(marks)) << marks.toStdString();
}

TEST_F(KobraGraphTest, CcdfInDecibelsAndPerCentWithFallback) {
    setInt("IdPDbKobraTranRecDisplayType", kRec, 2);
    EXPECT_EQ(m_graph->panel(0)->scaleKind("ScaleY"), "LOG");
    // Half the samples at full power, half at none: the peak is 3 dB over the average, and every
    // ratio up to it is reached by half the samples.
    QVector<qint32> w(1000, 0);
    for (int k = 0; k < w.size(); k += 2)
        w[k] = qint32(VGXIqWord::pack(20000, 0));
    block(w);
    QVector<QPointF> c = curve(0);
    ASSERT_EQ(c.size(), 500);
    EXPECT_NEAR(c.front().x(), 0.0, 1e-6);
    EXPECT_NEAR(c.back().x(), 10 * std::log10(2.0), 1e-4);
    for (const QPointF& p : c)
        ASSERT_NEAR(p.y(), 50.0, 1e-3) << p.x();
    block(QVector<qint32>(100, 0));
    c = curve(0);
    ASSERT_EQ(c.size(), 500);
    EXPECT_FLOAT_EQ(c[0].y(), 0.0001f);
    for (const QPointF& p : c.mid(1))
        ASSERT_EQ(p, QPointF(0, 100));
}

// The CCDF's dB grid has a line every dB: a narrow graph numbers only some of them and keeps the
// others as minor lines, a wide one numbers all.
TEST_F(KobraGraphTest, GridLinesKeepTheirStepAndNumbersOnlyWhereTheyFit) {
    setInt("IdPDbKobraTranRecDisplayType", kRec, 2);
    m_graph->show();
    for (const int width : {260, 1400}) {
        m_graph->resize(width, 400);
        for (int i = 0; i < 4; ++i)
            QApplication::processEvents();
        QValueAxis* x = nullptr;
        for (QAbstractAxis* a : m_graph->panel(0)->findChild<QChartView*>()->chart()->axes(Qt::Horizontal))
            if (a->isVisible())
                x = qobject_cast<QValueAxis*>(a);
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(x->tickInterval() / (x->minorTickCount() + 1), 1.0) << width;
        EXPECT_EQ(x->tickInterval() > 1.0, width < 1000) << width;
    }
}

TEST_F(KobraGraphTest, PanelSavesItsCurveAndPictureAndTheMouseZoomsPansAndMarks) {
    setInt("IdPDbKobraTranRecDisplayType", kRec, 1);
    block(tone(64, 1.0 / 64));
    m_graph->show();
    QApplication::processEvents();
    MvChartDisplay::CSgCdPanel* p = m_graph->panel(0);
    const QString csv = m_dir.filePath("c.csv");
    ASSERT_TRUE(p->saveCsv(csv));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count('\n'), 65);
    EXPECT_TRUE(p->savePng(m_dir.filePath("p.png")));
    EXPECT_FALSE(p->savePng("/proc/no/p.png"));

    QWidget* vp = p->findChild<QChartView*>()->viewport();
    const QPoint centre = vp->mapFrom(p, p->positionOf(QPointF(0, 0)));
    QWheelEvent wheel(centre, vp->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(vp, &wheel);
    const auto x = p->shownRange("ScaleX");
    const auto y = p->shownRange("ScaleY");
    EXPECT_LT(x.to - x.from, 2.0);
    EXPECT_NEAR(x.from + x.to, 0.0, 0.05);
    // Dragging right and down shows what lay left and above.
    QTest::mousePress(vp, Qt::LeftButton, {}, centre);
    QTest::mouseMove(vp, centre + QPoint(40, 30));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, centre + QPoint(40, 30));
    EXPECT_LT(p->shownRange("ScaleX").to, x.to);
    EXPECT_GT(p->shownRange("ScaleY").from, y.from);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(p->isZoomed());
    const QPointF at = curve(0)[40];
    QTest::mouseMove(vp, vp->mapFrom(p, p->positionOf(at)));
    EXPECT_EQ(p->markerValue(), at);
    EXPECT_TRUE(p->hasMarker());
    EXPECT_EQ(p->readoutText(), QString("x = %1   y = %2").arg(at.x(), 0, 'g', 6).arg(at.y(), 0, 'g', 6));
}

} // namespace
