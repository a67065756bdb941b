#pragma once
// Common ground of the interface panels: controls bound to one interface (instance, direction),
// the parameters a panel's show/hide/lock rules depend on, and label columns aligned across the
// panel. The rules run once the controls exist and again on every value change.
#include <QHash>

#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXPanel;

class VGX_EXPORT CLynxPanelBase : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    CLynxPanelBase(QWidget* parent, int instance, int direction);
    ~CLynxPanelBase() override;

    int instance() const { return m_instance; }
    int direction() const { return m_direction; }

    void processDataEvent(VGXDataEvent* event) override;

    // The "BBIN"/"BBOUT" port of a direction.
    static QString portName(int direction);
    // Host family whose box has no SSI logic types and a single combined interface dialog.
    static bool isUserFamily();
    // Selection descriptors the protocol, data and clock panels share.
    static void registerSharedDescriptors();
    // SPI clock frequency and phase, shared by the SSI and SPI panels.
    static void registerSpiDescriptors();
    static void addSelection(const char* name, const QStringList& texts, const QList<int>& values = {});
    static void addOnOff(const char* name);

protected:
    // A binding to this panel's interface.
    VGXUserDbAttributes bind(const char* name) const;
    // The rules read this parameter: its changes re-run them.
    void listen(const char* name);
    int value(const char* name) const;
    // Called after construction (finishPanel) and after every change of a listened parameter.
    virtual void applyRules() {}
    // A panel with a vertical flow layout, optionally titled.
    VGXPanel* section(QWidget* parent, const QString& title = QString());
    // Adds a labelled control to a section and to the label column alignment.
    template <class T> T* addRow(VGXPanel* into, T* control) {
        addToPanel(into, control);
        m_columns.add(control);
        return control;
    }
    // Aligns the label columns and applies the rules for the first time.
    void finishPanel();
    // Lets the user pick a hex-coded file (SSI gain or SPI file, what: "Gain", "SPI") into a file
    // parameter of this interface. The dialog starts in the folder of the current file, else in the
    // user settings folder, the folder the SSI file catalogue lists. Answers the path written.
    QString pickHexFile(const char* fileParameter, const QString& what);

private:
    static void addToPanel(VGXPanel* into, QWidget* control);

    int m_instance;
    int m_direction;
    QHash<QByteArray, VGXDatabaseConnectorEntry*> m_listened;
    VGXAdjustTwoColumns m_columns;
};

} // namespace MvQARN
