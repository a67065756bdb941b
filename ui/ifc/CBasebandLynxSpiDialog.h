#pragma once
// SPI access of one interface, which only exists for the SSI logic types.
#include "ui/ifc/CLynxSetupDialog.h"

namespace MvQARN {

class CLynxPnlSpi;

class VGX_EXPORT CBasebandLynxSpiDialog : public CLynxSetupDialog {
    Q_OBJECT
public:
    CBasebandLynxSpiDialog(int instance, int direction);
    ~CBasebandLynxSpiDialog() override;

    CLynxPnlSpi* panel() const { return m_panel; }

protected:
    bool logicTypeCloses(int logicType) const override;

private:
    CLynxPnlSpi* m_panel = nullptr;
};

} // namespace MvQARN
