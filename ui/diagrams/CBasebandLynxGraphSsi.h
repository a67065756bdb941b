#pragma once
// SSI connection diagram of the SSI panel: the instrument, the KOBRA box and the device under test
// with the clock, frame sync and data paths and the box connector pin of each.
#include "ui/diagrams/CLynxGraphBase.h"

namespace MvQARN {

class CBasebandLynxGraphSsi : public CLynxGraphBase {
    Q_OBJECT
public:
    explicit CBasebandLynxGraphSsi(QWidget* parent = nullptr, int instance = -1, int direction = -1);
    ~CBasebandLynxGraphSsi() override;

    CLynxGraphModel model() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    enum { Direction, ClockSource };
};

} // namespace MvQARN
