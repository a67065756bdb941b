#pragma once
// Main settings of an interface at the top of the interface dialog: logic type and state, bound to
// their guarded mirrors so that risky changes are confirmed, and on the user family also preset,
// save/recall, direction and the trigger state.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGXComboParameter;
class VGXLabelParameter;

class VGX_EXPORT CLynxPnlMain : public CLynxPanelBase {
    Q_OBJECT
public:
    CLynxPnlMain(QWidget* parent, int instance, int direction);
    ~CLynxPnlMain() override;

    VGXComboParameter* logicType() const { return m_logicType; }
    // The "Trigger" row the dialog shows by variant; null on families without it.
    VGXLabelParameter* triggerRow() const { return m_trigger; }

private:
    VGXComboParameter* m_logicType = nullptr;
    VGXLabelParameter* m_trigger = nullptr;
};

} // namespace MvQARN
