#pragma once
// The box's small main dialog: the interface state, "Set To Default", the "Save/Recall..." popup
// for *.lynx settings files and a test parameter field.
#include "host/gui/VGXDataListener.h"
#include "ui/KobraDialog.h"

namespace MvQARN {

class VGXDialogButton;
class VGXSaveRecallPopup;
class VGXToggleParameter;
class VGXUserDialogAttributes;

class VGX_EXPORT CKobraDlgMain : public KobraDialog, public VGXDataListener {
    Q_OBJECT
public:
    explicit CKobraDlgMain(const VGXUserDialogAttributes* attributes);
    ~CKobraDlgMain() override;

    VGXDialogButton* saveRecallButton() const { return m_saveRecall; }
    VGXSaveRecallPopup* saveRecallPopup() const { return m_popup; }

    // The interface state is read from the box's state and type and stores nothing of its own, so
    // the state toggle reads it again when they change.
    void processDataEvent(VGXDataEvent* event) override;

private:
    VGXToggleParameter* m_state = nullptr;
    VGXDialogButton* m_saveRecall = nullptr;
    VGXSaveRecallPopup* m_popup = nullptr;
};

} // namespace MvQARN
