#pragma once
// Trigger of a transmitting interface: source, delay, status, arm and a manual trigger. A
// receiving interface runs untriggered, so its trigger is reset and locked.
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

class VGXButtonParameter;
class VGXDatabaseConnectorEntry;

class VGX_EXPORT CBasebandLynxPnlTrigger : public CLynxPanelBase {
    Q_OBJECT
public:
    CBasebandLynxPnlTrigger(QWidget* parent, int instance, int direction);
    ~CBasebandLynxPnlTrigger() override;

    VGXButtonParameter* executeTrigger() const { return m_execute; }

protected:
    void applyRules() override;

private:
    QList<MvGuiFramework::CViewer*> m_controls;
    VGXButtonParameter* m_execute = nullptr;
    VGXDatabaseConnectorEntry* m_source = nullptr;
    VGXDatabaseConnectorEntry* m_delay = nullptr;
};

} // namespace MvQARN
