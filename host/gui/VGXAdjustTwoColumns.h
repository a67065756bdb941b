#pragma once
// Aligns rows of label and field in two columns across panels and groups: every label column gets
// the width of the widest label, so the fields start at one line. Bound controls (their label
// column) and plain widgets that stand in a label column can be added.
#include "host/gui/VGXAdjustSizes.h"

namespace MvQARN {

class VGX_EXPORT VGXAdjustTwoColumns : public VGXAdjustSizes {
public:
    VGXAdjustTwoColumns() = default;
    ~VGXAdjustTwoColumns() override;

    // Sets the label column width of the bound controls and the width of the plain widgets to the
    // widest label; answers that width.
    int doAdjustment() override;
};

} // namespace MvQARN
