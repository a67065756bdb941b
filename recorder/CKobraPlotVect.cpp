#include "recorder/CKobraPlotVect.h"

#include "host/gui/CSgCdPanel.h"
#include "host/numerics/VGXGraphNumerics.h"

namespace MvQARN {

CKobraPlotVect::CKobraPlotVect(const Panels& panels, QLabel* titleLabel) : CKobraPlot(panels, titleLabel) {}

void CKobraPlotVect::setData(const qint32* words, int count) {
    keepBlock(words, count);
    // I becomes the x array, so the default drawing shows Q over I.
    VGXGraphNumerics::convertToIQ(m_x, m_curve1, words, count, m_sampleScale, false);
    draw();
}

void CKobraPlotVect::setup() {
    showTitle(QStringLiteral("Vector Diagram"));
    MvChartDisplay::CSgCdPanel* p = m_panels[0];
    setScales(p);
    p->setEqualAspect(true);
    p->setScaleKind(QStringLiteral("ScaleY"), QStringLiteral("LIN"));
    p->setGridScaleKind(QStringLiteral("GridY"), QStringLiteral("LIN"));
    p->setGridDivisionCount(QStringLiteral("GridX"), 4);
    p->setGridDivisionCount(QStringLiteral("GridY"), 4);
    setLabels(p, QStringLiteral("Inphase I(t)"), QStringLiteral("Quadrature Q(t) "));
}

} // namespace MvQARN
