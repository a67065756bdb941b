#pragma once
// SPI access of an SSI interface: clock, chip select, single byte write and read, and sending a
// whole file of SPI bytes.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGX_EXPORT CLynxPnlSpi : public CLynxPanelBase {
    Q_OBJECT
public:
    // User event of "Select File...".
    static constexpr int EventSelectFile = 1;

    CLynxPnlSpi(QWidget* parent, int instance, int direction);
    ~CLynxPnlSpi() override;

protected:
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    VGXPanel* byteRow(const QString& text, const char* exec, const char* data);
};

} // namespace MvQARN
