#pragma once
// Data word setup of one interface, closed when an SSI logic type takes the data settings away.
#include "ui/ifc/CLynxSetupDialog.h"

namespace MvQARN {

class CLynxPnlData;

class VGX_EXPORT CBasebandLynxDataDialog : public CLynxSetupDialog {
    Q_OBJECT
public:
    CBasebandLynxDataDialog(int instance, int direction);
    ~CBasebandLynxDataDialog() override;

    CLynxPnlData* panel() const { return m_panel; }

protected:
    bool logicTypeCloses(int logicType) const override;

private:
    CLynxPnlData* m_panel = nullptr;
};

} // namespace MvQARN
