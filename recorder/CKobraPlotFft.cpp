#include "recorder/CKobraPlotFft.h"

#include <algorithm>
#include <cmath>

#include "host/gui/CSgCdPanel.h"
#include "host/numerics/VGXGraphNumerics.h"
#include "host/util/VGXProperties.h"

namespace MvQARN {

namespace {

bool isPowerOfTwo(qint64 k) {
    return k > 0 && (k & (k - 1)) == 0;
}

} // namespace

CKobraPlotFft::CKobraPlotFft(const Panels& panels, QLabel* titleLabel, double period)
    : CKobraPlot(panels, titleLabel), m_period(period) {}

CKobraPlotFft::~CKobraPlotFft() = default;

double CKobraPlotFft::scaleHalfWidth(double x0) {
    qint64 k = qint64(std::ceil(std::abs(20.0 * x0)));
    if (k != 1 && !isPowerOfTwo(k) && k % 5 != 0) {
        double m = double(k);
        double decade = 1.0;
        while (m > 10.0) {
            m /= 10.0;
            decade *= 10.0;
        }
        const double friendly = m > 8.0   ? 10.0
                                : m > 5.0 ? 8.0
                                : m > 4.0 ? 5.0
                                : m > 2.0 ? 4.0
                                : m > 1.5 ? 2.0
                                : m > 1.0 ? 1.5
                                          : 1.0;
        k = qint64(friendly * decade);
    }
    return 0.05 * double(k);
}

QString CKobraPlotFft::spectrumTitle(int count) const {
    return QStringLiteral("Power Spectrum  (FFT points = %1, AVG = %2)")
        .arg(m_fftPoints)
        .arg(count / m_fftPoints);
}

void CKobraPlotFft::setup() {
    showTitle(QStringLiteral("Power Spectrum"));
    const int e = std::clamp(
        VGXProperties::value(QStringLiteral("GuiFeatures"), QStringLiteral("Log2FftLen"), 11).toInt(), 8, 14);
    m_fftPoints = 1 << e;
    // Half the effective sample rate either side of the carrier: in Hz, then in MHz. The order of
    // the operations decides the scale where the product lands a hair above an integer (7 MHz).
    m_limits.x0 = -(1.0 / (2.0 * m_period)) * 1e-6;
    m_limits.x1 = -m_limits.x0;
    m_limits.y0 = -100.0;
    m_limits.y1 = 0.0;
    if (m_newHome) {
        saveHome();
        m_newHome = false;
    }
    if (!m_numerics)
        m_numerics = std::make_unique<VGXGraphNumerics>();
    MvChartDisplay::CSgCdPanel* p = m_panels[0];
    const double half = scaleHalfWidth(m_limits.x0);
    setScales(p);
    p->setEqualAspect(false);
    p->setScaleLinear(QStringLiteral("ScaleX"), -half, half);
    p->setScaleLinear(QStringLiteral("ScaleY"), -100.0, 0.0);
    p->setScaleKind(QStringLiteral("ScaleY"), QStringLiteral("LIN"));
    p->setGridScaleKind(QStringLiteral("GridY"), QStringLiteral("LIN"));
    p->setGridReferenceAndStep(QStringLiteral("GridX"), 0.0, 1.0);
    p->setGridDivisionCount(QStringLiteral("GridY"), 10);
    p->setGridDivisionCount(QStringLiteral("GridX"), 10);
    showTitle(spectrumTitle(0));
    setLabels(p, QStringLiteral("(f-fc) / MHz"), QStringLiteral("Power / dB"));
}

void CKobraPlotFft::setPeriod(double seconds) {
    if (seconds == m_period)
        return;
    m_period = seconds;
    m_newHome = true;
    setup();
}

void CKobraPlotFft::setData(const qint32* words, int count) {
    keepBlock(words, count);
    if (!m_numerics)
        m_numerics = std::make_unique<VGXGraphNumerics>();
    m_numerics->convertIqToSpectrum(m_spectrum, words, count, m_fftPoints, 0.0);
    m_x.fill(float(m_limits.x0), float(m_limits.x1), m_spectrum.size());
    m_curve1 = m_spectrum;
    showTitle(spectrumTitle(count));
    draw();
}

} // namespace MvQARN
