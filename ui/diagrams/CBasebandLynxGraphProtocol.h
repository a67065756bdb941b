#pragma once
// Protocol diagram: the KOBRA box with its user interface lines (general purpose line, clock
// input, clock, data buses or serial data with strobe or marker) and a timing trace along each,
// following direction, format, rate mode, interleaving, clock settings, word size, bit order and
// strobe settings.
#include "ui/diagrams/CLynxGraphBase.h"

namespace MvQARN {

class CBasebandLynxGraphProtocol : public CLynxGraphBase {
    Q_OBJECT
public:
    explicit CBasebandLynxGraphProtocol(QWidget* parent = nullptr, int instance = -1, int direction = -1);
    ~CBasebandLynxGraphProtocol() override;

    CLynxGraphModel model() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    enum {
        Direction,
        Format,
        RateMode,
        IleavMode,
        ClockRate,
        ClockSource,
        ClockPhase,
        ClockSkew,
        ClockInSkew,
        ClockPolarity,
        WordSize,
        BitOrder,
        StrobePosition,
        StrobePolarity
    };
};

} // namespace MvQARN
