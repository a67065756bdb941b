#pragma once
// Base of the small setup dialogs that hold one interface panel: "KOBRA - <port> : <what>" titles,
// and closing themselves when the box goes away or the logic type no longer fits their panel.
#include "host/gui/VGXDataListener.h"
#include "ui/KobraDialog.h"

namespace MvQARN {

class VGX_EXPORT CLynxSetupDialog : public KobraDialog, public VGXDataListener {
    Q_OBJECT
public:
    ~CLynxSetupDialog() override;

    int instance() const { return m_instance; }
    int direction() const { return m_direction; }

    void processDataEvent(VGXDataEvent* event) override;

protected:
    // watchLogicType: the dialog's panel depends on the logic type.
    CLynxSetupDialog(const QString& name, int instance, int direction, const QString& titleSuffix,
                     const QString& shortSuffix, bool watchLogicType);
    // Whether this logic type leaves the dialog's panel without meaning.
    virtual bool logicTypeCloses(int logicType) const {
        Q_UNUSED(logicType);
        return false;
    }
    void setPanel(QWidget* panel);

private:
    int m_instance;
    int m_direction;
    class VGXDatabaseConnectorEntry* m_deviceState = nullptr;
    class VGXDatabaseConnectorEntry* m_logicType = nullptr;
};

} // namespace MvQARN
