#pragma once
// The host's main window: the block diagram of the instrument's digital baseband ports with one box
// block per interface (BBIN A, BBIN B, BBOUT A, BBOUT B), the menus of the dialogs the plug-ins
// registered, and a status bar with the SCPI address. Its geometry is kept in the host's settings
// store between runs.
#include <QList>
#include <QMainWindow>

#include "app/CommandLine.h"

class QLabel;
class QMenu;

namespace MvQARN {
class VGXBlockPanel;
class VGXDialog;
} // namespace MvQARN

namespace vgxapp {

class HostRecorderDialog;

class HostMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the diagram and the menus from the registrations made so far, leaving out menu items
    // whose dialog no registered dialog factory creates; create it after the runtime started.
    explicit HostMainWindow(const HostOptions& options, QWidget* parent = nullptr);
    ~HostMainWindow() override;

    QMenu* kobraMenu() const { return m_kobraMenu; }
    // The interface blocks in the order path A In, path B In, path A Out, path B Out.
    const QList<MvQARN::VGXBlockPanel*>& blocks() const { return m_blocks; }
    QLabel* scpiLabel() const { return m_scpiLabel; }
    // The recorder blocks of the diagram (empty when no module offers them).
    const QList<QWidget*>& recorderBlocks() const { return m_recorderBlocks; }
    QMenu* recorderMenu() const { return m_recorderMenu; }
    // The host's recorder dialog of recorder channel 0 or 1 of BBIN A, made on first demand.
    HostRecorderDialog* recorderDialog(int channel);
    QMenu* protectionMenu() const { return m_protectionMenu; }

    // The host's protection level (0 unlocks the service functions), as SYSTem:PROTect:LEVel
    // reads and sets it; -1 when the host has no such value.
    static int protectionLevel();
    void setProtectionLevel(int level);

    // Opens the dialog of a registered item (its dialog name and qualifier); shows a status message
    // when no module provides it.
    void openDialog(const QString& dialogName, const QString& qualifier = QString());
    // Opens the configuration dialog of interface (path, side), or says in the status bar that
    // there is none yet.
    void openInterfaceDialog(int path, int side);

    // The registry's dialog of this name and qualifier (created on first demand); null when no
    // factory creates it.
    static MvQARN::VGXDialog* dialogFor(const QString& dialogName, const QString& qualifier,
                                        int instance = 0);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildDiagram();
    void buildProtectionMenu(QMenu* systemMenu);
    void saveWindowGeometry();

    QMenu* m_kobraMenu = nullptr;
    QMenu* m_recorderMenu = nullptr;
    QList<QWidget*> m_recorderBlocks;
    HostRecorderDialog* m_recorderDialogs[2] = {nullptr, nullptr};
    QMenu* m_protectionMenu = nullptr;
    QList<MvQARN::VGXBlockPanel*> m_blocks;
    QLabel* m_scpiLabel = nullptr;
    bool m_keepGeometry;
    int m_errorSubscription = 0;
};

} // namespace vgxapp
