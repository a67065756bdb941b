#pragma once
// Keeps a box-selector combo's entries equal to the list of connected boxes: whenever the serial
// number list changes, the combo gets a selection descriptor of the list's entries (entry k selects
// value k; entry 0 is "None").
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class KobrasCombo;
class VGXDatabaseConnectorEntry;

class VGX_EXPORT KobrasListener : public VGXDataListener {
public:
    KobrasListener(KobrasCombo* combo, const VGXUserDbAttributes& serialList);
    ~KobrasListener() override;

    void processDataEvent(VGXDataEvent* event) override;
    // Builds the combo's entries from the list as it is now.
    void update();

private:
    KobrasCombo* m_combo;
    VGXDatabaseConnectorEntry* m_list = nullptr;
};

} // namespace MvQARN
