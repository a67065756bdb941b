#pragma once
// The host's main window: the menu of the dialogs the plug-ins registered and a status bar.
#include <QMainWindow>

#include "app/CommandLine.h"

class QMenu;

namespace vgxapp {

class HostMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the menus from the dialog items registered so far; create it after the runtime started.
    explicit HostMainWindow(const HostOptions& options, QWidget* parent = nullptr);

    QMenu* kobraMenu() const { return m_kobraMenu; }

    // Opens the dialog of a registered item; shows a status message when no module provides it.
    void openDialog(const QString& dialogName);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    QMenu* m_kobraMenu = nullptr;
};

} // namespace vgxapp
