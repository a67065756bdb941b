#pragma once
// SSI settings of an interface: word and C&M sizes, C&M data read-back on a receiver, automatic
// gain from a gain file, late frame sync, the SPI setup and the frame diagrams.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGXButtonParameter;
class VGXTextParameter;

class VGX_EXPORT CLynxPnlSsi : public CLynxPanelBase {
    Q_OBJECT
public:
    static constexpr int EventSpiSetup = 0;
    static constexpr int EventSelectGainFile = 1;

    CLynxPnlSsi(QWidget* parent, int instance, int direction);
    ~CLynxPnlSsi() override;

    VGXPanel* cmRow() const { return m_cmRow; }
    VGXButtonParameter* readButton() const { return m_read; }
    VGXTextParameter* cmData() const { return m_cmData; }
    VGXPanel* gainRow() const { return m_gainRow; }

protected:
    void applyRules() override;
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    VGXPanel* m_cmRow = nullptr;
    VGXButtonParameter* m_read = nullptr;
    VGXTextParameter* m_cmData = nullptr;
    VGXPanel* m_gainRow = nullptr;
};

} // namespace MvQARN
