#include "ui/cmd/InteractiveCommandPanelImplementation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXAdjustSizes.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXTextEdit.h"
#include "host/gui/VGXTextParameter.h"
#include "host/util/VGXErrorManager.h"
#include "ui/cmd/AbstractCommand.h"
#include "ui/cmd/CommandHandler.h"
#include "ui/cmd/LogHighlighter.h"

namespace MvQARN {

using MvGuiFramework::CViewerEvent;

namespace {

// Error number of the host's error manager for errors reported with a text of their own.
constexpr int ErrorWithText = 20025;

// Button codes in the order the rows show them.
constexpr int kCodes[] = {CommandPanelIfc::ButtonOpenInEditor, CommandPanelIfc::ButtonClear,
                          CommandPanelIfc::ButtonExecute,      CommandPanelIfc::ButtonCustom1,
                          CommandPanelIfc::ButtonCustom2,      CommandPanelIfc::ButtonCustom3};

QString defaultText(int code) {
    switch (code) {
    case CommandPanelIfc::ButtonOpenInEditor:
        return QStringLiteral("Open In Editor");
    case CommandPanelIfc::ButtonClear:
        return QStringLiteral("Clear");
    case CommandPanelIfc::ButtonExecute:
        return QStringLiteral("Execute");
    case CommandPanelIfc::ButtonCustom1:
        return QStringLiteral("Custom1");
    case CommandPanelIfc::ButtonCustom2:
        return QStringLiteral("Custom2");
    default:
        return QStringLiteral("Custom3");
    }
}

// The user's text editor: $VISUAL, then $EDITOR (either may carry options), then the desktop's
// opener for text files.
QStringList editorCommand() {
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const QStringList words = QProcess::splitCommand(qEnvironmentVariable(variable));
        if (!words.isEmpty())
            return words;
    }
    return {QStringLiteral("xdg-open")};
}

// Through the host's error manager, and on the status line of the panel's dialog, where the user
// who pressed the button looks.
void reportError(QWidget* panel, const QString& text) {
    VGXErrorManager::signal(ErrorWithText, text);
    for (QWidget* w = panel; w; w = w->parentWidget())
        if (auto* dialog = qobject_cast<VGXDialog*>(w)) {
            dialog->showStatusMessage(text);
            break;
        }
}

// Shows echoed over-long commands shortened: the terminal stays readable and its layout quick.
constexpr int kEchoHead = 60;

} // namespace

struct InteractiveCommandPanelImplementation::WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

InteractiveCommandPanelImplementation::InteractiveCommandPanelImplementation(QWidget* parent, int instance,
                                                                             int direction,
                                                                             const char* commandParameter,
                                                                             const char* replyParameter,
                                                                             bool clearAfterExecute)
    : VGXNavigationPanel(parent), m_replyParameter(replyParameter), m_clearAfterExecute(clearAfterExecute) {
    setIndents(MvGuiFramework::CBoxIndents(2));
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    VGXUserDbAttributes::setCurrentStation(0);
    VGXUserDbAttributes::setCurrentChannel(0);
    const VGXUserDbAttributes command(commandParameter, instance, 0, direction, 0);
    // One descriptor per parameter name serves every panel on it.
    if (commandParameter && !VGXDescriptors::find(commandParameter))
        VGXDescriptors::addDescriptor(new VGXDescriptorStringEntry(command, true, MaxCommandLength));

    m_terminal = new VGXTextEdit(this);
    m_terminal->setAccessibleName(QStringLiteral("Terminal"));
    m_terminal->textEdit()->setAccessibleName(QStringLiteral("Terminal"));
    m_terminal->textEdit()->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    new LogHighlighter(m_terminal->document()); // the document owns it
    add(m_terminal, 1);

    m_commandRow = new VGXPanel(this);
    m_commandRow->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    m_commandField = new VGXTextParameter(m_commandRow, QStringLiteral("Command"), command);
    commandLine()->setMaxLength(MaxCommandLength + 1);
    commandLine()->installEventFilter(this);
    m_commandRow->add(m_commandField, 1);
    add(m_commandRow);

    m_buttonRow = new VGXPanel(this);
    m_buttonRow->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    add(m_buttonRow);

    VGXAdjustSizes widths;
    for (int code : kCodes) {
        const bool commandRow = code == ButtonExecute;
        auto* b = new VGXDialogButton(commandRow ? m_commandRow : m_buttonRow, defaultText(code), code);
        (commandRow ? m_commandRow : m_buttonRow)->add(b);
        widths.add(b->button());
        m_buttons.append(b);
    }
    widths.doAdjustment();
    // The buttons stand together on the left, each as wide as the others.
    for (VGXDialogButton* b : std::as_const(m_buttons))
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_buttonRow->addStretch();

    m_command = VGXDataObject::connectDatabase(nullptr, command);
    // Return executes, after the field has written what was typed (it does so on the same key).
    connect(commandLine(), &QLineEdit::returnPressed, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_commandField->isEffectivelyReadOnly() && !commandLine()->isReadOnly())
                    button(ButtonExecute)->press();
            },
            Qt::QueuedConnection);
    });

    m_terminal->setReadOnly(true);
}

InteractiveCommandPanelImplementation::~InteractiveCommandPanelImplementation() {
    if (m_command)
        VGXDataObject::disconnectDatabase(m_command);
    if (m_current && !(m_handler && m_handler->ownsCommand(m_current->name())))
        delete m_current;
}

MvGuiFramework::CViewer* InteractiveCommandPanelImplementation::create(QWidget* parent, int instance,
                                                                       int direction,
                                                                       const char* commandParameter,
                                                                       const char* replyParameter,
                                                                       bool clearAfterExecute) {
    return new InteractiveCommandPanelImplementation(parent, instance, direction, commandParameter,
                                                     replyParameter, clearAfterExecute);
}

QLineEdit* InteractiveCommandPanelImplementation::commandLine() const {
    return m_commandField->lineEdit();
}

VGXDialogButton* InteractiveCommandPanelImplementation::button(int code) const {
    for (VGXDialogButton* b : m_buttons)
        if (b->userCode() == code)
            return b;
    return nullptr;
}

void InteractiveCommandPanelImplementation::setButtonText(int code, const QString& text) {
    if (VGXDialogButton* b = button(code)) {
        b->button()->setText(text);
        // Every button keeps one width, now that of the widest text.
        VGXAdjustSizes widths;
        for (VGXDialogButton* other : std::as_const(m_buttons)) {
            other->button()->setMinimumWidth(0);
            other->button()->setMaximumWidth(QWIDGETSIZE_MAX);
            widths.add(other->button());
        }
        widths.doAdjustment();
    }
}

void InteractiveCommandPanelImplementation::setButtonOnlineKey(int code, const char* key) {
    if (VGXDialogButton* b = button(code))
        b->setOnlineKey(key);
}

void InteractiveCommandPanelImplementation::showButtons(int mask) {
    for (VGXDialogButton* b : std::as_const(m_buttons))
        if (b->userCode() != ButtonClear)
            b->setVisible((mask & b->userCode()) != 0);
}

void InteractiveCommandPanelImplementation::setCommandHandler(CommandHandler* handler) {
    m_handler = handler;
}

MvGuiFramework::CViewer* InteractiveCommandPanelImplementation::secondViewer() const {
    return m_commandRow;
}

void InteractiveCommandPanelImplementation::appendReplyLine(const QString& text) {
    if (!text.isEmpty())
        m_terminal->appendText(text + QLatin1Char('\n'));
}

void InteractiveCommandPanelImplementation::appendCommandLine(const QString& text) {
    if (!text.isEmpty())
        m_terminal->appendText(m_prompt + text + QLatin1Char('\n'));
}

void InteractiveCommandPanelImplementation::setPanelEnabled(bool enabled) {
    m_commandField->setReadOnly(!enabled);
    button(ButtonExecute)->setReadOnly(!enabled);
    m_terminal->setEnabled(enabled);
}

void InteractiveCommandPanelImplementation::setCommandFocus() {
    commandLine()->setFocus(Qt::OtherFocusReason);
}

void InteractiveCommandPanelImplementation::setBusy(bool busy) {
    if (busy && !m_waitCursor)
        m_waitCursor = std::make_unique<WaitCursor>();
    else if (!busy)
        m_waitCursor.reset();
}

void InteractiveCommandPanelImplementation::processUserEvent(CViewerEvent* event) {
    const int code = event->getCode();
    if (code == 0)
        return;
    bool executed = false;
    switch (code) {
    case ButtonOpenInEditor:
        openInEditor();
        break;
    case ButtonClear:
        m_terminal->clear();
        break;
    case ButtonExecute:
        executed = execute();
        break;
    default:
        break;
    }
    if (button(code))
        event->consume();
    if (m_handler)
        appendReplyLine(m_handler->reply(code, m_current, executed));
}

void InteractiveCommandPanelImplementation::openInEditor() {
    const QString text = m_terminal->toPlainText();
    if (text.isEmpty()) {
        reportError(this, QStringLiteral("You have no text in your terminal window!"));
        return;
    }
    QFile file(QDir::current().absoluteFilePath(QStringLiteral("tmp.txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reportError(this, QStringLiteral("Cannot write the file '%1': %2")
                              .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return;
    }
    // Only the commands go to the editor, one per line, as a script to run again.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (line.startsWith(m_prompt))
            file.write((line.mid(m_prompt.size()) + QStringLiteral("\r\n")).toUtf8());
    file.flush();
    file.close();

    QStringList command = editorCommand();
    const QString program = command.takeFirst();
    if (!QProcess::startDetached(program, command << file.fileName()))
        reportError(this, QStringLiteral("Cannot start the text editor '%1' for '%2'")
                              .arg(program, QDir::toNativeSeparators(file.fileName())));
}

bool InteractiveCommandPanelImplementation::execute() {
    // An "Execute" pressed while the field keeps the focus (a shortcut, an accessibility action)
    // still takes what was typed: the field writes on finishing an edit.
    emit commandLine()->editingFinished();
    const QString text = m_command ? m_command->getStringData() : QString();
    if (text.isEmpty())
        return false;
    if (m_current && !(m_handler && m_handler->ownsCommand(m_current->name())))
        delete m_current;
    m_current = new AbstractCommand(text);
    if (m_echo)
        appendCommandLine(echoText(text));
    if (m_clearAfterExecute)
        writeCommand(QString());
    if (m_history.isEmpty() || m_history.constLast() != text)
        m_history.append(text);
    m_historyIndex = -1;
    return true;
}

QString InteractiveCommandPanelImplementation::echoText(const QString& text) const {
    if (text.size() <= MaxCommandLength)
        return text;
    return QStringLiteral("%1... (more than %2 characters)").arg(text.left(kEchoHead)).arg(MaxCommandLength);
}

void InteractiveCommandPanelImplementation::writeCommand(const QString& text) {
    if (!m_command)
        return;
    m_command->setData(new VGXDataContainer(text));
    // The field shows the stored text also when the write changed nothing (typed text not taken yet).
    m_commandField->refresh();
}

void InteractiveCommandPanelImplementation::recall(int step) {
    if (m_history.isEmpty())
        return;
    if (step < 0)
        m_historyIndex = m_historyIndex < 0 ? int(m_history.size()) - 1 : qMax(0, m_historyIndex - 1);
    else if (m_historyIndex >= 0)
        m_historyIndex = m_historyIndex + 1 < m_history.size() ? m_historyIndex + 1 : -1;
    else
        return;
    writeCommand(m_historyIndex < 0 ? QString() : m_history.at(m_historyIndex));
}

bool InteractiveCommandPanelImplementation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == commandLine() && event->type() == QEvent::KeyPress && !commandLine()->isReadOnly()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            recall(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return VGXNavigationPanel::eventFilter(watched, event);
}

} // namespace MvQARN
