#pragma once
// The device manager: the user picks the box to configure among the connected ones and reads its
// hardware information; at service protection level (0) a "Service" tab offers its diagnostics and
// service tests. The tab comes and goes with the protection level, always with the same panel, and
// the instrument joined to the box opens from here.
#include "host/gui/VGXDataListener.h"
#include "ui/KobraDialog.h"

namespace MvQARN {

class CKobraPnlHwInfo;
class CKobraPnlService;
class KobrasCombo;
class VGXDatabaseConnectorEntry;
class VGXDialogButton;
class VGXTabViewer;

class VGX_EXPORT CKobraDlgDeviceManager : public KobraDialog, public VGXDataListener {
    Q_OBJECT
public:
    // User event of the instrument button.
    static constexpr int EventInstrument = 1;

    CKobraDlgDeviceManager();
    ~CKobraDlgDeviceManager() override;

    KobrasCombo* boxCombo() const { return m_boxes; }
    VGXTabViewer* tabs() const { return m_tabs; }
    CKobraPnlHwInfo* hardwarePanel() const { return m_hardware; }
    // Null until the "Service" tab was first shown.
    CKobraPnlService* servicePanel() const { return m_service; }
    bool hasServiceTab() const { return m_serviceShown; }
    VGXDialogButton* instrumentButton() const { return m_instrument; }

    // The interface (path + 2 * side) whose selected box is the configured one, -1 for none: its
    // instrument links are the configured box's.
    static int interfaceOfConfiguredBox();

    void processDataEvent(VGXDataEvent* event) override;

protected:
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    void applyProtection(int level);
    void applyConfigured();

    KobrasCombo* m_boxes = nullptr;
    VGXTabViewer* m_tabs = nullptr;
    CKobraPnlHwInfo* m_hardware = nullptr;
    CKobraPnlService* m_service = nullptr;
    VGXDialogButton* m_instrument = nullptr;
    bool m_serviceShown = false;
    VGXDatabaseConnectorEntry* m_protection = nullptr;
    VGXDatabaseConnectorEntry* m_configured = nullptr;
    VGXDatabaseConnectorEntry* m_selected[4] = {};
};

} // namespace MvQARN
