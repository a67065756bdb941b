#pragma once
// Clock setup of one interface, closed when an SSI logic type takes the clock settings away.
#include "ui/ifc/CLynxSetupDialog.h"

namespace MvQARN {

class CLynxPnlClock;

class VGX_EXPORT CBasebandLynxClockDialog : public CLynxSetupDialog {
    Q_OBJECT
public:
    CBasebandLynxClockDialog(int instance, int direction);
    ~CBasebandLynxClockDialog() override;

    CLynxPnlClock* panel() const { return m_panel; }

protected:
    bool logicTypeCloses(int logicType) const override;

private:
    CLynxPnlClock* m_panel = nullptr;
};

} // namespace MvQARN
