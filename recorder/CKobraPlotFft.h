#pragma once
// The power spectrum of the block, averaged over its whole FFT blocks, in dB over the frequency
// offset from the carrier in MHz, on panel 0.
#include <memory>

#include "recorder/CKobraPlot.h"

namespace MvQARN {

class VGXGraphNumerics;

class CKobraPlotFft : public CKobraPlot {
public:
    CKobraPlotFft(const Panels& panels, QLabel* titleLabel, double period);
    ~CKobraPlotFft() override;

    void setData(const qint32* words, int count) override;
    void setup() override;
    void setPeriod(double seconds) override;

    int fftPoints() const { return m_fftPoints; }
    // The x scale's half width in MHz for a frequency span starting at x0 (MHz): 20 |x0| rounded
    // up to a value that divides the axis into readable steps, over 20.
    static double scaleHalfWidth(double x0);

private:
    QString spectrumTitle(int count) const;

    std::unique_ptr<VGXGraphNumerics> m_numerics;
    VGXGraphFloatArray m_spectrum;
    double m_period;
    bool m_newHome = true;
    int m_fftPoints = 2048;
};

} // namespace MvQARN
