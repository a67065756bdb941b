#pragma once
// A module's dialog factory as the host's dialog registry sees it. A module registers one with
// VGXDfDialogFactory::registerModule; the registry keeps a clone and asks it for dialogs by name.
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDialog;
class VGXDialogAttributes;

class VGX_EXPORT VGXDfModuleBase {
public:
    VGXDfModuleBase() = default;
    VGXDfModuleBase(const VGXDfModuleBase&) = default;
    VGXDfModuleBase& operator=(const VGXDfModuleBase&) = default;
    virtual ~VGXDfModuleBase();

    // A new dialog for these attributes, or null when this module has none of that name.
    // The registry owns the dialog.
    virtual VGXDialog* createDialog(const VGXDialogAttributes* attributes) = 0;
    virtual VGXDfModuleBase* clone() const = 0;
    // Told before the registry hands out a dialog this module created earlier, so the module can
    // point it at the new attributes.
    virtual void isAboutToGetDialogPointer(VGXDialog* dialog, const VGXDialogAttributes* attributes);
    // Told before one of this module's dialogs is brought to the front.
    virtual void isAboutToFront(VGXDialog* dialog);
    // True: the module's dialogs stay alive when closed and are reused; false: closing deletes them.
    virtual bool getPersistent() const;
};

} // namespace MvQARN
