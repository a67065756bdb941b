#pragma once
// The host's SCPI terminal: a dialog "SCPI Terminal" around the command panel a module offers
// (class "InteractiveCommandPanelImplementation"), whose lines run through the host's SCPI parser
// in a session of their own, with the same commands and error queue rules as a remote client.
// Replies and the errors a line raised show as reply lines; the errors also stay in the session's
// queue for SYSTem:ERRor?.
#include <QString>
#include <memory>

#include "host/gui/VGXDfModuleBase.h"
#include "host/gui/VGXDialog.h"
#include "host/scpi/impl/CScpiSession.h"
#include "ui/cmd/CommandHandler.h"

namespace MvQARN {
class CommandPanelIfc;
}

namespace vgxapp {

// Runs each executed command line as one program message.
class ScpiTerminalHandler : public MvQARN::CommandHandler {
public:
    explicit ScpiTerminalHandler(MvQARN::CommandPanelIfc* panel = nullptr) : m_panel(panel) {}

    bool ownsCommand(const QString& name) const override;
    QString reply(int code, const MvQARN::AbstractCommand* current, bool executed) override;

    MvQARN::CScpiSession& session() { return m_session; }

private:
    MvQARN::CommandPanelIfc* m_panel;
    MvQARN::CScpiSession m_session;
};

class ScpiTerminalDialog : public MvQARN::VGXDialog {
    Q_OBJECT
public:
    static const QString DialogName; // "ScpiTerminalDialog"
    static const QString PanelClass; // "InteractiveCommandPanelImplementation"

    // Null when no module offers the panel class.
    static ScpiTerminalDialog* create();
    ~ScpiTerminalDialog() override;

    MvQARN::CommandPanelIfc* panel() const { return m_panel; }
    ScpiTerminalHandler* handler() const { return m_handler.get(); }

private:
    ScpiTerminalDialog(QWidget* content, MvQARN::CommandPanelIfc* panel);

    MvQARN::CommandPanelIfc* m_panel;
    std::unique_ptr<ScpiTerminalHandler> m_handler;
};

// The host's dialog factory: it makes the terminal dialog by its name.
class HostDfModule : public MvQARN::VGXDfModuleBase {
public:
    MvQARN::VGXDialog* createDialog(const MvQARN::VGXDialogAttributes* attributes) override;
    MvQARN::VGXDfModuleBase* clone() const override { return new HostDfModule(*this); }
    bool getPersistent() const override { return true; }
    void isAboutToFront(MvQARN::VGXDialog* dialog) override;
};

} // namespace vgxapp
