#pragma once
// A small terminal: the user types a command into the "Command" field (bound to a string
// parameter), executes it, and sees it with the replies of the command handler in a read-only
// terminal area above. The terminal's commands open in an external editor; up to three custom
// buttons mean what the handler makes of them. Up and Down in the command field bring back the
// commands executed before.
#include <QPointer>
#include <QStringList>
#include <memory>

#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "ui/cmd/CommandPanelIfc.h"

class QLineEdit;

namespace MvQARN {

class AbstractCommand;
class VGXDatabaseConnectorEntry;
class VGXDialogButton;
class VGXPanel;
class VGXTextParameter;

class VGX_EXPORT InteractiveCommandPanelImplementation : public VGXNavigationPanel, public CommandPanelIfc {
    Q_OBJECT
    Q_INTERFACES(MvQARN::CommandPanelIfc)
public:
    // Binds the command field to commandParameter at (instance, direction, station 0, channel 0).
    InteractiveCommandPanelImplementation(QWidget* parent, int instance, int direction,
                                          const char* commandParameter, const char* replyParameter,
                                          bool clearAfterExecute);
    ~InteractiveCommandPanelImplementation() override;

    // For the host's command panel registry (VGXCommandPanelClasses).
    static MvGuiFramework::CViewer* create(QWidget* parent, int instance, int direction,
                                           const char* commandParameter, const char* replyParameter,
                                           bool clearAfterExecute);

    // CommandPanelIfc
    void setButtonText(int code, const QString& text) override;
    void setButtonOnlineKey(int code, const char* key) override;
    void showButtons(int mask) override;
    void setCommandHandler(CommandHandler* handler) override;
    VGXTextEdit* terminal() const override { return m_terminal; }
    MvGuiFramework::CViewer* secondViewer() const override;
    void appendReplyLine(const QString& text) override;
    void appendCommandLine(const QString& text) override;
    void setPanelEnabled(bool enabled) override;
    void setCommandFocus() override;
    void setBusy(bool busy) override;

    const QString& prompt() const { return m_prompt; }
    CommandHandler* commandHandler() const { return m_handler; }
    const AbstractCommand* currentCommand() const { return m_current; }
    VGXTextParameter* commandField() const { return m_commandField; }
    // Null for an unknown code.
    VGXDialogButton* button(int code) const;
    const QByteArray& replyParameter() const { return m_replyParameter; }
    // Executed commands, oldest first.
    const QStringList& history() const { return m_history; }
    bool isBusy() const { return m_waitCursor != nullptr; }

protected:
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct WaitCursor;

    void openInEditor();
    // False when there was nothing to execute.
    bool execute();
    // step -1 goes to the previous command, +1 to the next; past the newest the field empties.
    void recall(int step);
    void writeCommand(const QString& text);
    QString echoText(const QString& text) const;
    QLineEdit* commandLine() const;

    VGXTextEdit* m_terminal;
    VGXPanel* m_commandRow;
    VGXPanel* m_buttonRow;
    VGXTextParameter* m_commandField;
    QList<VGXDialogButton*> m_buttons;
    VGXDatabaseConnectorEntry* m_command = nullptr;
    QByteArray m_replyParameter;
    CommandHandler* m_handler = nullptr;
    AbstractCommand* m_current = nullptr;
    bool m_clearAfterExecute;
    bool m_echo = true;
    QString m_prompt = QStringLiteral("> ");
    std::unique_ptr<WaitCursor> m_waitCursor;
    QStringList m_history;
    int m_historyIndex = -1; // -1: not walking the history
};

} // namespace MvQARN
