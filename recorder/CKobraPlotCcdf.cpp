#include "recorder/CKobraPlotCcdf.h"

#include <cmath>

#include "host/gui/CSgCdPanel.h"
#include "host/numerics/VGXGraphNumerics.h"

namespace MvQARN {

CKobraPlotCcdf::CKobraPlotCcdf(const Panels& panels, QLabel* titleLabel) : CKobraPlot(panels, titleLabel) {
    m_limits = SLimits{0.0, 20.0, 0.0001, 100.0};
    saveHome();
}

void CKobraPlotCcdf::setData(const qint32* words, int count) {
    keepBlock(words, count);
    VGXGraphDoubleArray ratio(Bins);
    VGXGraphDoubleArray probability(Bins);
    const int status = VGXGraphNumerics::CalculateCCDF(count, words, Bins, ratio, probability);
    m_x.realloc(Bins);
    m_curve1.realloc(Bins);
    if (status == VGXGraphNumerics::Ok) {
        for (int i = 0; i < Bins; ++i) {
            m_x[i] = float(10.0 * std::log10(ratio[i] + 1e-20));
            m_curve1[i] = float(probability[i] * 100.0);
        }
    } else {
        // Nothing to relate the power to: a vertical step at 0 dB says so without a wrong curve.
        for (int i = 0; i < Bins; ++i) {
            m_x[i] = 0.0f;
            m_curve1[i] = i == 0 ? 0.0001f : 100.0f;
        }
    }
    draw();
}

void CKobraPlotCcdf::setup() {
    showTitle(QStringLiteral("CCDF, Complementary Cumulative Distribution"));
    MvChartDisplay::CSgCdPanel* p = m_panels[0];
    setScales(p);
    p->setEqualAspect(false);
    p->setScaleKind(QStringLiteral("ScaleY"), QStringLiteral("LOG"));
    p->setGridScaleKind(QStringLiteral("GridY"), QStringLiteral("LOG"));
    p->setGridReferenceAndStep(QStringLiteral("GridX"), 0.0, 1.0);
    setLabels(p, QStringLiteral("(peak power / avg. power) / dB"), QStringLiteral("Probability / %"));
}

} // namespace MvQARN
