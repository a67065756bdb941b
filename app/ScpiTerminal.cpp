#include "app/ScpiTerminal.h"

#include <QStringList>

#include "host/gui/CViewer.h"
#include "host/gui/VGXCommandPanelClasses.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "ui/cmd/AbstractCommand.h"
#include "ui/cmd/CommandPanelIfc.h"

using namespace MvQARN;

namespace vgxapp {

namespace {

// The terminal's command line, a host parameter (registerHostParameters).
const char* const kCommandParameter = "IdPDbHostScpiTermCommand";

} // namespace

const QString ScpiTerminalDialog::DialogName = QStringLiteral("ScpiTerminalDialog");
const QString ScpiTerminalDialog::PanelClass = QStringLiteral("InteractiveCommandPanelImplementation");

bool ScpiTerminalHandler::ownsCommand(const QString&) const {
    return false; // every command object is the panel's
}

QString ScpiTerminalHandler::reply(int code, const AbstractCommand* current, bool executed) {
    if (code != CommandPanelIfc::ButtonExecute || !executed || !current)
        return QString();
    const QString& line = current->name();
    const quint64 before = m_session.errorsRaised();
    QString answer;
    if (line.size() > CommandPanelIfc::MaxCommandLength) {
        // What the server does with a client's line past its limit: drop it, queue the overrun.
        m_session.pushError(ScpiErrInputBufferOverrun);
    } else {
        if (m_panel)
            m_panel->setBusy(true);
        answer = m_session.execLine(line);
        if (m_panel)
            m_panel->setBusy(false);
    }
    QStringList lines;
    if (!answer.isEmpty())
        lines << answer;
    // The line's errors stay queued, as for a remote client; the newest entries are this line's.
    const QList<CScpiErrorQueue::Entry>& queued = m_session.errorQueue().entries();
    const qsizetype raised =
        qsizetype(qMin<quint64>(m_session.errorsRaised() - before, quint64(queued.size())));
    for (qsizetype i = queued.size() - raised; i < queued.size(); ++i)
        lines << QStringLiteral("error: ") + CScpiErrorQueue::format(queued.at(i));
    return lines.join(QLatin1Char('\n'));
}

ScpiTerminalDialog* ScpiTerminalDialog::create() {
    const VGXCommandPanelClasses::PanelCreator make = VGXCommandPanelClasses::panelCreator(PanelClass);
    if (!make)
        return nullptr;
    MvGuiFramework::CViewer* content = make(nullptr, 0, 0, kCommandParameter, nullptr, true);
    auto* panel = qobject_cast<CommandPanelIfc*>(content);
    if (!panel) {
        delete content;
        return nullptr;
    }
    return new ScpiTerminalDialog(content, panel);
}

ScpiTerminalDialog::ScpiTerminalDialog(QWidget* content, CommandPanelIfc* panel)
    : VGXDialog(DialogName), m_panel(panel), m_handler(std::make_unique<ScpiTerminalHandler>(panel)) {
    setTitles(QStringLiteral("SCPI Terminal"), QStringLiteral("SCPI"));
    setSizeInButtons(6, 12);
    setContentPanel(content);
    // The buttons without meaning here stay hidden: only "Open In Editor", "Clear" and "Execute".
    panel->showButtons(CommandPanelIfc::ButtonOpenInEditor | CommandPanelIfc::ButtonExecute);
    panel->setCommandHandler(m_handler.get());
}

ScpiTerminalDialog::~ScpiTerminalDialog() {
    // The panel outlives the handler (it goes with the dialog's children).
    m_panel->setCommandHandler(nullptr);
}

VGXDialog* HostDfModule::createDialog(const VGXDialogAttributes* attributes) {
    if (!attributes || attributes->dialogName() != ScpiTerminalDialog::DialogName)
        return nullptr;
    return ScpiTerminalDialog::create();
}

void HostDfModule::isAboutToFront(VGXDialog* dialog) {
    if (auto* terminal = qobject_cast<ScpiTerminalDialog*>(dialog))
        terminal->panel()->setCommandFocus();
}

} // namespace vgxapp
