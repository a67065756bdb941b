#include "app/HostMainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/impl/VGXTraceSink.h"

namespace vgxapp {

using namespace MvQARN;

namespace {

QString summaryText(const HostOptions& options) {
    QStringList lines;
    lines << QStringLiteral("<b>vgxhost</b> %1").arg(QStringLiteral(VGX_VERSION));
    lines << QStringLiteral("Generator family: 0x%1").arg(options.family, 0, 16);
    if (const VGXHostRuntime* runtime = VGXHostRuntime::current()) {
        for (const VGXHostRuntime::ModuleRecord& r : runtime->records()) {
            if (!r.module)
                continue;
            const QString name = QString::fromUtf8(r.module->getModuleName());
            lines << QStringLiteral("Module: %1 (%2)")
                         .arg(name.toHtmlEscaped(),
                              r.path.isEmpty() ? QStringLiteral("built in") : r.path.toHtmlEscaped());
        }
    }
    if (options.scpiPort == 0)
        lines << QStringLiteral("SCPI: off");
    else
        lines << QStringLiteral("SCPI: %1:%2").arg(options.scpiListen).arg(options.scpiPort);
    lines << QStringLiteral("Open the box dialogs from the KOBRA menu.");
    return lines.join(QStringLiteral("<br>"));
}

} // namespace

HostMainWindow::HostMainWindow(const HostOptions& options, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("vgxhost"));
    auto* summary = new QLabel(summaryText(options), this);
    summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    summary->setMargin(12);
    setCentralWidget(summary);
    buildMenus();
    statusBar()->showMessage(QStringLiteral("Ready"));
    resize(520, 240);
}

void HostMainWindow::buildMenus() {
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("File"));
    QAction* quit = fileMenu->addAction(QStringLiteral("Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);

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
        if (!dialogFor(item.dialogName)) {
            VGXTraceSink::trace(QStringLiteral("vgxhost: menu KOBRA item \"%1\" left out: no dialog \"%2\"")
                                    .arg(text, item.dialogName));
            continue;
        }
        QAction* action = m_kobraMenu->addAction(text);
        action->setStatusTip(item.dialogName);
        action->setData(item.dialogName);
        const QString dialogName = item.dialogName;
        connect(action, &QAction::triggered, this, [this, dialogName] { openDialog(dialogName); });
        VGXTraceSink::trace(
            QStringLiteral("vgxhost: menu KOBRA item \"%1\" opens \"%2\"").arg(text, dialogName));
    }
    if (m_kobraMenu->isEmpty())
        m_kobraMenu->addAction(QStringLiteral("(no dialogs available)"))->setEnabled(false);
}

VGXDialog* HostMainWindow::dialogFor(const QString& dialogName) {
    // Menu items open instance 0 of a dialog; the dialog itself switches between instances.
    const VGXUserDialogAttributes attributes(dialogName, QString());
    return VGXDfDialogFactory::getDialogPointer(&attributes);
}

void HostMainWindow::openDialog(const QString& dialogName) {
    VGXDialog* dialog = dialogFor(dialogName);
    if (!dialog) {
        statusBar()->showMessage(QStringLiteral("Dialog not available yet"));
        return;
    }
    VGXDfDialogFactory::toFront(dialog);
    statusBar()->showMessage(dialog->title().isEmpty() ? dialogName : dialog->title());
}

void HostMainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace vgxapp
