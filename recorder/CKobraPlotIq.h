#pragma once
// I(t) and Q(t) of the block over the sample index, on panels 1 and 2.
#include "recorder/CKobraPlot.h"

namespace MvQARN {

class CKobraPlotIq : public CKobraPlot {
public:
    CKobraPlotIq(const Panels& panels, QLabel* titleLabel, double period);

    void setData(const qint32* words, int count) override;
    void draw() override;
    void setup() override;
};

} // namespace MvQARN
