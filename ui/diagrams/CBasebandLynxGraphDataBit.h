#pragma once
// Bit alignment diagram of the data panel: the lines of the user interface, numbered, with the bits
// of the data word marked on them by word size, word alignment and bit order ("M" on the most and
// "L" on the least significant bit, "x" between them, "_" on unused lines).
#include "ui/diagrams/CLynxGraphBase.h"

namespace MvQARN {

class CBasebandLynxGraphDataBit : public CLynxGraphBase {
    Q_OBJECT
public:
    explicit CBasebandLynxGraphDataBit(QWidget* parent = nullptr, int instance = -1, int direction = -1);
    ~CBasebandLynxGraphDataBit() override;

    CLynxGraphModel model() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    enum { Variant, WordSize, WordAlign, BitOrder };
};

} // namespace MvQARN
