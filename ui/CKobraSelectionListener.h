#pragma once
// Keeps the serial number of the box an interface uses in a dialog's titles: the first part in
// parentheses of the title and of the short title becomes "(<serial>)", or "(no selected device)"
// while the interface has no box, as soon as the selection or the list of connected boxes changes.
#include <QString>

#include "host/gui/VGXDataListener.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXDialog;

class VGX_EXPORT CKobraSelectionListener : public VGXDataListener {
public:
    // dialog may be null: the listener then only keeps the device text. The titles are set at once.
    CKobraSelectionListener(int instance, int direction, VGXDialog* dialog);
    ~CKobraSelectionListener() override;

    void processDataEvent(VGXDataEvent* event) override;

    // The serial number of the selected box, or "no selected device".
    QString deviceText();
    // Puts the device text into the dialog's titles.
    void update();

private:
    VGXDialog* m_dialog;
    VGXDatabaseConnectorEntry* m_selected = nullptr;
    VGXDatabaseConnectorEntry* m_serials = nullptr;
};

} // namespace MvQARN
