#include "recorder/CKobraPlotIq.h"

#include "host/gui/CSgCdPanel.h"
#include "host/numerics/VGXGraphNumerics.h"

namespace MvQARN {

CKobraPlotIq::CKobraPlotIq(const Panels& panels, QLabel* titleLabel, double /*period*/)
    : CKobraPlot(panels, titleLabel) {
    // The time axis counts samples, so the period plays no part.
    m_limits.x0 = 0.0;
    m_limits.x1 = 160.0;
    saveHome();
}

void CKobraPlotIq::setData(const qint32* words, int count) {
    keepBlock(words, count);
    VGXGraphNumerics::convertToIQ(m_curve1, m_curve2, words, count, m_sampleScale, false);
    draw();
}

void CKobraPlotIq::draw() {
    const int n = m_curve1.size();
    if (n > 0 && m_limits.x1 != double(n - 1)) {
        m_limits.x1 = m_home.x1 = double(n - 1);
        setup();
    }
    m_x.fill(0.0f, float(n - 1), n);
    drawCurve(m_panels[1], m_x, m_curve1);
    drawCurve(m_panels[2], m_x, m_curve2);
}

void CKobraPlotIq::setup() {
    showTitle(QStringLiteral("I(t), Q(t)"));
    // About ten grid lines over the time axis, at an easily read step.
    const double step = cdRoundUp((m_limits.x1 - m_limits.x0) * 0.09999900000999991);
    const QString yLabel[] = {QStringLiteral("Inphase I(t) "), QStringLiteral("Quadrature Q(t) ")};
    for (int k : {1, 2}) {
        MvChartDisplay::CSgCdPanel* p = m_panels[size_t(k)];
        p->setBorderColor(Qt::gray);
        p->setGridDivisionCount(QStringLiteral("GridY"), 4);
        p->setGridReferenceAndStep(QStringLiteral("GridX"), 0.0, step);
        setScales(p);
        p->setGridScaleKind(QStringLiteral("GridY"), QStringLiteral("LIN"));
        setLabels(p, QStringLiteral("t / transient recorder samples"), yLabel[k - 1]);
    }
}

} // namespace MvQARN
