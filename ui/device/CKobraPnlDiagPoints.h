#pragma once
// Diagnostics of the configured box (the "General" page of the service panel): the voltage at a
// chosen diagnostic point of the box or of the DigRF breakout board, the box's EEPROM serial number
// and the LVDS loop test with its lock lamps and counters.
#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXNavigationPanel.h"

namespace MvQARN {

class VGXPanel;

class VGX_EXPORT CKobraPnlDiagPoints : public VGXNavigationPanel {
    Q_OBJECT
public:
    explicit CKobraPnlDiagPoints(QWidget* parent);
    ~CKobraPnlDiagPoints() override;

    // The selection texts of the diagnostics and LVDS rows, registered once for every panel.
    static void registerDescriptors();

    VGXPanel* lvdsGroup() const { return m_lvds; }

private:
    VGXPanel* m_lvds = nullptr;
    VGXAdjustTwoColumns m_columns;
};

} // namespace MvQARN
