#pragma once
// The vector diagram: Q over I, one point per sample, on panel 0.
#include "recorder/CKobraPlot.h"

namespace MvQARN {

class CKobraPlotVect : public CKobraPlot {
public:
    CKobraPlotVect(const Panels& panels, QLabel* titleLabel);

    void setData(const qint32* words, int count) override;
    void setup() override;
};

} // namespace MvQARN
