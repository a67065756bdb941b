#pragma once
// Clock block diagram of the clock panel: how data, clock and reference clock run between the
// instrument, the KOBRA box and the device under test for the interface's direction and clock
// source.
#include "ui/diagrams/CLynxGraphBase.h"

namespace MvQARN {

class CBasebandLynxGraphClock : public CLynxGraphBase {
    Q_OBJECT
public:
    // Below this width the reference path gets the short label.
    static constexpr int NarrowWidth = 200;

    explicit CBasebandLynxGraphClock(QWidget* parent = nullptr, int instance = -1, int direction = -1);
    ~CBasebandLynxGraphClock() override;

    CLynxGraphModel model() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    enum { Direction, ClockSource };
};

} // namespace MvQARN
