#pragma once
// The host's main window: the menu of the dialogs the plug-ins registered and a status bar.
#include <QMainWindow>

#include "app/CommandLine.h"

class QMenu;

namespace MvQARN {
class VGXDialog;
}

namespace vgxapp {

class HostMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the menus from the dialog items registered so far, leaving out items whose dialog no
    // registered dialog factory creates; create it after the runtime started.
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
    // The registry's dialog of this name (created on first demand); null when no factory creates it.
    static MvQARN::VGXDialog* dialogFor(const QString& dialogName);

    QMenu* m_kobraMenu = nullptr;
};

} // namespace vgxapp
