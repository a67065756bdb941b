#pragma once
// Interface test of one interface.
#include "ui/ifc/CLynxSetupDialog.h"

namespace MvQARN {

class CLynxPnlTest;

class VGX_EXPORT CBasebandLynxTestDialog : public CLynxSetupDialog {
    Q_OBJECT
public:
    CBasebandLynxTestDialog(int instance, int direction);
    ~CBasebandLynxTestDialog() override;

    CLynxPnlTest* panel() const { return m_panel; }

protected:
    bool logicTypeCloses(int logicType) const override;

private:
    CLynxPnlTest* m_panel = nullptr;
};

} // namespace MvQARN
