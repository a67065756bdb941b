#pragma once
// The interface dialog of one baseband port: the main settings on top, the detailed settings in
// tabs below, or the SSI settings instead of the tabs for the SSI logic types. Tabs that only make
// sense for a box variant or with the ARB unlocked come and go with those settings. The In, Out and
// In/Out dialogs fix which interface it shows.
#include <memory>

#include "host/gui/VGXDataListener.h"
#include "ui/KobraDialog.h"

namespace MvQARN {

class CBasebandLynxPnlTrigger;
class CKobraSelectionListener;
class CKobraArbSettings;
class CLynxPnlMain;
class CLynxPnlTest;
class VGXDatabaseConnectorEntry;
class VGXPanel;
class VGXTabViewer;

class VGX_EXPORT CBasebandLynxMainDialog : public KobraDialog, public VGXDataListener {
    Q_OBJECT
public:
    CBasebandLynxMainDialog(int instance, int path, int direction);
    ~CBasebandLynxMainDialog() override;

    int path() const { return m_path; }
    int direction() const { return m_direction; }
    CLynxPnlMain* mainPanel() const { return m_main; }
    VGXTabViewer* tabs() const { return m_tabs; }
    VGXPanel* ssiPart() const { return m_ssi; }

    void processDataEvent(VGXDataEvent* event) override;

private:
    void applyVariant(int variant);
    void applyLogicType(int logicType);
    void applyProtection(int level);

    int m_path;
    int m_direction;
    CLynxPnlMain* m_main = nullptr;
    VGXTabViewer* m_tabs = nullptr;
    VGXPanel* m_ssi = nullptr;
    CBasebandLynxPnlTrigger* m_trigger = nullptr;
    CLynxPnlTest* m_test = nullptr;
    CKobraArbSettings* m_arb = nullptr;
    VGXDatabaseConnectorEntry* m_deviceState = nullptr;
    VGXDatabaseConnectorEntry* m_logicType = nullptr;
    VGXDatabaseConnectorEntry* m_protection = nullptr;
    VGXDatabaseConnectorEntry* m_variant = nullptr;
    std::unique_ptr<CKobraSelectionListener> m_selection;
};

} // namespace MvQARN
