#pragma once
// Hardware information of the box chosen for configuration: part and serial numbers and the
// versions of its parts. Which rows exist depends on the box variant (the full box lists its
// boards and FPGAs, the basic box its FPGA and CPLD and offers the firmware update); without a
// configured box only the rows every box has stay, showing the "---" of no box.
#include <QList>

#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXLabelParameter;
class VGXPanel;

class VGX_EXPORT CKobraPnlHwInfo : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    explicit CKobraPnlHwInfo(QWidget* parent);
    ~CKobraPnlHwInfo() override;

    VGXPanel* hardwareGroup() const { return m_hardware; }
    VGXPanel* firmwareGroup() const { return m_firmware; }
    // The variant the rows show now: 0 or 1, -1 for none (no box configured, unknown variant).
    int shownVariant() const { return m_shown; }

    void processDataEvent(VGXDataEvent* event) override;

private:
    struct SVariantRow {
        QWidget* row;
        int variant;
    };
    void applyVariant();

    VGXPanel* m_hardware = nullptr;
    VGXPanel* m_firmware = nullptr;
    QList<SVariantRow> m_rows;
    VGXAdjustTwoColumns m_columns;
    VGXDatabaseConnectorEntry* m_variant = nullptr;
    VGXDatabaseConnectorEntry* m_configured = nullptr;
    int m_shown = -1;
};

} // namespace MvQARN
