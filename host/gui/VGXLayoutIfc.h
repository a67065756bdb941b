#pragma once
// What a panel asks of its layout (VGXFlowLayout, VGXGridLayout): place a viewer by constraints,
// with a stretch factor, or leave a space.
#include "host/gui/VGXConstraints.h"
#include "host/util/VGXModuleInterface.h"

class QLayout;
class QWidget;

namespace MvQARN {

class VGX_EXPORT VGXLayoutIfc {
public:
    VGXLayoutIfc() = default;
    VGXLayoutIfc(const VGXLayoutIfc&) = delete;
    VGXLayoutIfc& operator=(const VGXLayoutIfc&) = delete;
    virtual ~VGXLayoutIfc();

    virtual QLayout* qLayout() = 0;
    virtual void place(QWidget* widget, const VGXConstraints& constraints) = 0;
    // stretch > 0 lets the widget take a share of the free space along the layout's direction.
    virtual void placeStretched(QWidget* widget, int stretch) = 0;
    // A fixed gap; pixels < 0 means the host's standard gap between groups.
    virtual void placeSpace(int pixels) = 0;

    // The host's standard gap between groups of controls.
    static constexpr int StandardSpace = 8;
};

} // namespace MvQARN
