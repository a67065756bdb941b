#pragma once
// The host's dialog registry: modules register their dialog factories; a dialog is asked for by
// its attributes, created by the first module that knows its name and kept under its name and
// qualifier, so asking again answers the same dialog.
#include <QList>
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDfModuleBase;
class VGXDialog;
class VGXDialogAttributes;

class VGX_EXPORT VGXDfDialogFactory {
public:
    // Keeps a clone of module; modules are asked in registration order. Answers the number of
    // registered modules.
    static int registerModule(const VGXDfModuleBase& module);

    // The dialog kept for these attributes' name and qualifier, created on first demand; null when
    // no registered module creates it.
    static VGXDialog* getDialogPointer(const VGXDialogAttributes* attributes);
    // The dialog for the attributes (created if needed), shown and raised; null as above.
    static VGXDialog* toFront(const VGXDialogAttributes* attributes);
    // Shows and raises a dialog the registry handed out; false for any other widget.
    static bool toFront(VGXDialog* dialog);

    // Inspection.
    static int moduleCount();
    static const VGXDfModuleBase* module(int index);
    // Live dialogs the registry keeps, in creation order.
    static QList<VGXDialog*> dialogs();
    // The kept dialog of this name and qualifier, without creating one.
    static VGXDialog* findDialog(const QString& name, const QString& qualifier = QString());

    // Deletes every kept dialog (dialogs of unloadable modules must go before their code).
    static void deleteDialogs();
    // Deletes the dialogs and the registered modules.
    static void reset();
};

} // namespace MvQARN
