#pragma once
// The CCDF of the block's power: the probability (per cent, logarithmic) that the power exceeds
// the average by a ratio (dB), on panel 0.
#include "recorder/CKobraPlot.h"

namespace MvQARN {

class CKobraPlotCcdf : public CKobraPlot {
public:
    static constexpr int Bins = 500;

    CKobraPlotCcdf(const Panels& panels, QLabel* titleLabel);

    void setData(const qint32* words, int count) override;
    void setup() override;
};

} // namespace MvQARN
