#pragma once
// What a command handler (and a host that embeds the terminal) may do with an interactive command
// panel. Header only and pure: the host reaches a panel the plug-in made through this interface
// (qobject_cast by interface id) without linking the plug-in.
#include <QString>
#include <QtPlugin>

class QWidget;

namespace MvGuiFramework {
class CViewer;
}

namespace MvQARN {

class CommandHandler;
class VGXTextEdit;

class CommandPanelIfc {
public:
    // Button codes; they are also the user event codes the buttons raise.
    enum EButton {
        ButtonOpenInEditor = 8,
        ButtonClear = 16,
        ButtonExecute = 32,
        ButtonCustom1 = 128,
        ButtonCustom2 = 256,
        ButtonCustom3 = 512,
    };

    // Longest command the command field takes. The field holds one character more, so a longer
    // text typed or pasted reaches the handler as too long instead of being cut silently.
    static constexpr int MaxCommandLength = 65535;

    virtual ~CommandPanelIfc() = default;

    // Unknown codes are ignored.
    virtual void setButtonText(int code, const QString& text) = 0;
    virtual void setButtonOnlineKey(int code, const char* key) = 0;
    // Bits 8, 32, 128, 256 and 512 show those buttons, clear bits hide them; "Clear" always stays.
    virtual void showButtons(int mask) = 0;
    // Not owned; null removes the handler.
    virtual void setCommandHandler(CommandHandler* handler) = 0;
    virtual VGXTextEdit* terminal() const = 0;
    // The row of the command field and "Execute".
    virtual MvGuiFramework::CViewer* secondViewer() const = 0;
    // Empty texts add nothing.
    virtual void appendReplyLine(const QString& text) = 0;
    virtual void appendCommandLine(const QString& text) = 0;
    virtual void setPanelEnabled(bool enabled) = 0;
    virtual void setCommandFocus() = 0;
    // A wait cursor while busy.
    virtual void setBusy(bool busy) = 0;
};

} // namespace MvQARN

Q_DECLARE_INTERFACE(MvQARN::CommandPanelIfc, "vgx.MvQARN.CommandPanelIfc/1")
