#include "app/HostMainWindow.h"

#include "app/HostRecorder.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QWindow>
#include <memory>

#include "app/ScpiTerminal.h"
#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXBlockDiagram.h"
#include "host/gui/VGXBlockPanel.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXGridLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXPanelClasses.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/impl/VGXTraceSink.h"

namespace vgxapp {

using namespace MvQARN;
using MvGuiFramework::CViewerEvent;

namespace {

// The block class the box plug-in offers for its interfaces.
const QString kBoxBlockClass = QStringLiteral("KobraBlock");
// What a block's check box and label show: the interface switched on (through its guarded mirror)
// and the kind of box interface that runs then.
const char* const kBlockCheck = "internalGuiLynxState";
const char* const kBlockLabel = "IdPDbKobraType";

// The menu key of the user-defined interface dialog, registered only under the family whose
// interface dialog serves both directions.
const QString kInOutItem = QStringLiteral(":KOBRA_USER");

// The host's own store, in the settings folder (--settings-dir) like the modules' stores.
std::unique_ptr<QSettings> hostSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Maravel"), QStringLiteral("vgxhost"));
}

// The recorder block class the box plug-in offers.
const QString kRecorderBlockClass = QStringLiteral("CKobraBlkTranRec");

const QString kGeometryKey = QStringLiteral("MainWindow/geometry");

QString portTitle(int path, int side) {
    return QStringLiteral("%1 %2").arg(side == 0 ? QStringLiteral("BBIN") : QStringLiteral("BBOUT"),
                                       path == 0 ? QStringLiteral("A") : QStringLiteral("B"));
}

// The diagram's background: a block's default action (double click, "config...") that the block
// does not handle itself comes here and opens the block's interface dialog.
class DiagramPanel : public VGXPanel {
public:
    DiagramPanel(HostMainWindow* window, QWidget* parent) : VGXPanel(parent), m_window(window) {}
    QList<VGXBlockPanel*> blocks;

protected:
    void processActionEvent(CViewerEvent* event) override {
        if (event->getCode() != CViewerEvent::ActionActivated)
            return;
        const int index = int(blocks.indexOf(qobject_cast<VGXBlockPanel*>(event->getSource())));
        if (index < 0)
            return;
        event->consume();
        m_window->openInterfaceDialog(index % 2, index / 2);
    }

private:
    HostMainWindow* m_window;
};

} // namespace

HostMainWindow::HostMainWindow(const HostOptions& options, QWidget* parent)
    : QMainWindow(parent), m_keepGeometry(options.screenshotName.isEmpty()) {
    setWindowTitle(QStringLiteral("vgxhost"));
    buildDiagram();
    buildMenus();

    m_scpiLabel = new QLabel(options.scpiPort == 0
                                 ? QStringLiteral("SCPI off")
                                 : QStringLiteral("SCPI %1:%2").arg(options.scpiListen).arg(options.scpiPort),
                             this);
    statusBar()->addPermanentWidget(m_scpiLabel);
    statusBar()->showMessage(QStringLiteral("Ready"));

    // Errors of any module show here, among them refusals of changes no dialog field made (a
    // confirmed switch-on the box refuses). Signals may come from other threads.
    m_errorSubscription = VGXErrorManager::subscribe([this](const VGXErrorRecord& e) {
        const QString text = QStringLiteral("Error %1: %2").arg(e.code).arg(e.text);
        QMetaObject::invokeMethod(
            this, [this, text] { statusBar()->showMessage(text); }, Qt::QueuedConnection);
    });

    resize(sizeHint().expandedTo(QSize(640, 380)));
    restoreGeometry(hostSettings()->value(kGeometryKey).toByteArray());
}

HostMainWindow::~HostMainWindow() {
    VGXErrorManager::unsubscribe(m_errorSubscription);
    saveWindowGeometry();
    for (HostRecorderDialog*& dialog : m_recorderDialogs) {
        delete dialog;
        dialog = nullptr;
    }
}

HostRecorderDialog* HostMainWindow::recorderDialog(int channel) {
    if (channel < 0 || channel > 1)
        return nullptr;
    if (!m_recorderDialogs[channel])
        m_recorderDialogs[channel] = new HostRecorderDialog(0, 0, channel);
    return m_recorderDialogs[channel];
}

void HostMainWindow::saveWindowGeometry() {
    // A window that was never shown, or only drawn for a picture, has no geometry of the user's.
    if (windowHandle() && m_keepGeometry)
        hostSettings()->setValue(kGeometryKey, saveGeometry());
}

void HostMainWindow::buildDiagram() {
    auto* diagram = new DiagramPanel(this, this);
    diagram->setColorPalette(QStringLiteral("diagramPalette"));
    diagram->setAutoFillBackground(true);
    auto* grid = new VGXGridLayout(4, 2);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(12);
    diagram->setLayout(grid);
    diagram->setIndents(MvGuiFramework::CBoxIndents(16));

    const VGXBlockDiagram::BlockCreator create = VGXBlockDiagram::blockCreator(kBoxBlockClass);
    for (int side = 0; side < 2; ++side) {
        auto* heading = new VGXLabel(diagram, side == 0 ? QStringLiteral("Baseband inputs (box receives)")
                                                        : QStringLiteral("Baseband outputs (box transmits)"));
        diagram->add(heading, VGXConstraints(side, 0));
        for (int path = 0; path < 2; ++path) {
            const QString title = portTitle(path, side);
            VGXBlockPanel* block =
                create ? create(title, diagram, kBlockCheck, kBlockLabel, path, 0, side, 0) : nullptr;
            if (!block) {
                // Without the box plug-in the port stays an empty element of the diagram.
                block = new VGXBlockPanel(diagram, title);
                block->add(new VGXLabel(block, QStringLiteral("no box module loaded")));
            }
            block->setMinimumWidth(220);
            diagram->add(block, VGXConstraints(side, path + 1, 1, 1, VGXConstraints::FillBoth));
            diagram->blocks.append(block);
        }
    }
    // Blocks in the order path A In, path B In, path A Out, path B Out.
    m_blocks = diagram->blocks;

    // The two transient recorders of the box at BBIN A, as the module draws them.
    if (VGXPanelClasses::panelCreator(kRecorderBlockClass)) {
        auto* recorders = new VGXPanel(diagram);
        recorders->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
        recorders->setIndents(MvGuiFramework::CBoxIndents(0));
        recorders->add(new VGXLabel(recorders, QStringLiteral("Transient recorders (BBIN A)")), 0);
        for (int channel = 0; channel < 2; ++channel) {
            VGXPanelClasses::SArgs args;
            args.parent = recorders;
            args.channel = channel;
            if (VGXPanel* block = VGXPanelClasses::create(kRecorderBlockClass, args)) {
                block->setMinimumSize(180, 110);
                recorders->add(block, 1);
                m_recorderBlocks.append(block);
            }
        }
        diagram->add(recorders, VGXConstraints(0, 3, 2, 1, VGXConstraints::FillBoth));
    }
    setCentralWidget(diagram);
}

void HostMainWindow::buildMenus() {
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("File"));
    QAction* quit = fileMenu->addAction(QStringLiteral("Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);

    buildProtectionMenu(menuBar()->addMenu(QStringLiteral("System")));

    m_kobraMenu = menuBar()->addMenu(QStringLiteral("KOBRA"));
    // A copy: creating a dialog may register further items.
    const QList<VGXDialogItem> items = dialogItems();
    for (const VGXDialogItem& item : items) {
        // Item texts are the host's menu keys (":KOBRA_DEVICE"); the colon only marks them as such.
        QString text = item.item;
        if (text.startsWith(QLatin1Char(':')))
            text.remove(0, 1);
        // An entry that would open nothing is left out. Asking the factory creates the dialog; the
        // registry keeps it hidden until the entry opens it.
        if (!dialogFor(item.dialogName, item.item)) {
            VGXTraceSink::trace(QStringLiteral("vgxhost: menu KOBRA item \"%1\" left out: no dialog \"%2\"")
                                    .arg(text, item.dialogName));
            continue;
        }
        QAction* action = m_kobraMenu->addAction(text);
        action->setStatusTip(item.dialogName);
        action->setData(item.dialogName);
        const QString dialogName = item.dialogName;
        const QString qualifier = item.item;
        connect(action, &QAction::triggered, this,
                [this, dialogName, qualifier] { openDialog(dialogName, qualifier); });
        VGXTraceSink::trace(
            QStringLiteral("vgxhost: menu KOBRA item \"%1\" opens \"%2\"").arg(text, dialogName));
    }
    if (m_kobraMenu->isEmpty())
        m_kobraMenu->addAction(QStringLiteral("(no dialogs available)"))->setEnabled(false);

    // The host's own recorder dialogs, shown with the panel a module offers for them.
    m_recorderMenu = menuBar()->addMenu(QStringLiteral("Recorder"));
    for (int channel = 0; channel < 2; ++channel) {
        QAction* action =
            m_recorderMenu->addAction(QStringLiteral("Recorder %1 (BBIN A)...").arg(channel + 1));
        action->setEnabled(VGXPanelClasses::panelCreator(QStringLiteral("CKobraRecSettings")) != nullptr);
        connect(action, &QAction::triggered, this, [this, channel] {
            HostRecorderDialog* dialog = recorderDialog(channel);
            dialog->toFront();
            statusBar()->showMessage(dialog->title());
        });
    }
    QMenu* toolsMenu = menuBar()->addMenu(QStringLiteral("Tools"));
    QAction* terminal = toolsMenu->addAction(QStringLiteral("SCPI Terminal"), this,
                                             [this] { openDialog(ScpiTerminalDialog::DialogName); });
    // The terminal is a module's command panel; without such a module there is none.
    if (!dialogFor(ScpiTerminalDialog::DialogName, QString())) {
        terminal->setEnabled(false);
        terminal->setStatusTip(QStringLiteral("No loaded module offers a command panel"));
    }
}

void HostMainWindow::buildProtectionMenu(QMenu* systemMenu) {
    m_protectionMenu = systemMenu->addMenu(QStringLiteral("Protection Level"));
    auto* group = new QActionGroup(m_protectionMenu);
    const struct {
        int level;
        const char* text;
    } levels[] = {{0, "Level 0 (service functions unlocked)"}, {1, "Level 1 (service functions locked)"}};
    for (const auto& l : levels) {
        QAction* action = m_protectionMenu->addAction(QString::fromLatin1(l.text));
        action->setCheckable(true);
        action->setData(l.level);
        group->addAction(action);
        const int level = l.level;
        connect(action, &QAction::triggered, this, [this, level] { setProtectionLevel(level); });
    }
    // The level also changes over SCPI: the marks are read again whenever the menu opens.
    connect(m_protectionMenu, &QMenu::aboutToShow, this, [this] {
        const int level = protectionLevel();
        for (QAction* action : m_protectionMenu->actions())
            action->setChecked(action->data().toInt() == level);
    });
}

int HostMainWindow::protectionLevel() {
    VGXDatabaseConnectorEntry* entry =
        VGXDataObject::connectDatabase(nullptr, VGXUserDbAttributes("IdPDbProtLevState", 0, 0, 0, 0));
    const int level = entry ? entry->getIntegerData() : -1;
    VGXDataObject::disconnectDatabase(entry);
    return level;
}

void HostMainWindow::setProtectionLevel(int level) {
    // The same write request as SYSTem:PROTect:LEVel: every dialog that follows the level hears it.
    VGXDatabaseConnectorEntry* entry =
        VGXDataObject::connectDatabase(nullptr, VGXUserDbAttributes("IdPDbProtLevState", 0, 0, 0, 0));
    const int rc = entry ? entry->setData(new VGXDataContainer(level)) : -1;
    const QString why = entry ? entry->getLastErrorText() : QString();
    VGXDataObject::disconnectDatabase(entry);
    statusBar()->showMessage(rc == 0 ? QStringLiteral("Protection level %1").arg(level)
                                     : QStringLiteral("Protection level not changed: %1").arg(why));
}

VGXDialog* HostMainWindow::dialogFor(const QString& dialogName, const QString& qualifier, int instance) {
    const VGXUserDialogAttributes attributes(dialogName, qualifier, instance);
    return VGXDfDialogFactory::getDialogPointer(&attributes);
}

void HostMainWindow::openDialog(const QString& dialogName, const QString& qualifier) {
    VGXDialog* dialog = dialogFor(dialogName, qualifier);
    if (!dialog) {
        statusBar()->showMessage(QStringLiteral("Dialog not available yet"));
        return;
    }
    VGXDfDialogFactory::toFront(dialog);
    statusBar()->showMessage(dialog->title().isEmpty() ? dialogName : dialog->title());
}

void HostMainWindow::openInterfaceDialog(int path, int side) {
    // One dialog for both directions (instance path + 2 * side) where the family registers it, else
    // one per direction (instance path).
    const bool inOut = !findDialogItem(kInOutItem).isEmpty();
    const QString name = inOut ? findDialogItem(kInOutItem)
                               : (side == 0 ? QStringLiteral("CBasebandLynxMainInDialog")
                                            : QStringLiteral("CBasebandLynxMainOutDialog"));
    const QString qualifier =
        QStringLiteral(":%1").arg(portTitle(path, side)).replace(QLatin1Char(' '), QLatin1Char('_'));
    VGXDialog* dialog = dialogFor(name, qualifier, inOut ? path + 2 * side : path);
    if (!dialog) {
        statusBar()->showMessage(QStringLiteral("%1: the interface configuration dialog is not available yet")
                                     .arg(portTitle(path, side)));
        return;
    }
    VGXDfDialogFactory::toFront(dialog);
    statusBar()->showMessage(dialog->title().isEmpty() ? name : dialog->title());
}

void HostMainWindow::closeEvent(QCloseEvent* event) {
    saveWindowGeometry();
    event->accept();
    emit closed();
}

} // namespace vgxapp
