#pragma once
// Places viewers one after the other in a direction. The direction numbers dialogs use:
//   0  left to right (side by side)      1  right to left
//   2  bottom to top                     3  top to bottom (one under the other)
#include <QBoxLayout>

#include "host/gui/VGXLayoutIfc.h"

namespace MvQARN {

class VGX_EXPORT VGXFlowLayout : public QBoxLayout, public VGXLayoutIfc {
    Q_OBJECT
public:
    enum EDirection {
        LeftToRight = 0,
        RightToLeft = 1,
        BottomToTop = 2,
        TopToBottom = 3,
    };

    // Unknown direction numbers mean top to bottom.
    explicit VGXFlowLayout(int direction = TopToBottom);
    ~VGXFlowLayout() override;

    int flowDirection() const { return m_direction; }
    bool isHorizontal() const { return m_direction == LeftToRight || m_direction == RightToLeft; }

    QLayout* qLayout() override { return this; }
    void place(QWidget* widget, const VGXConstraints& constraints) override;
    void placeStretched(QWidget* widget, int stretch) override;
    void placeSpace(int pixels) override;

    static QBoxLayout::Direction toQt(int direction);

private:
    int m_direction;
};

} // namespace MvQARN
