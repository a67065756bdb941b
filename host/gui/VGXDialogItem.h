#pragma once
// Menu items of the host: an item text names a dialog and the position code tells where the host
// lists it.
#include <QList>
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct VGXDialogItem {
    QString item;
    QString dialogName;
    int where = 0;
    int owner = -1; // id of the module that registered it, -1 for the host
};

// Adds a menu item that opens dialogName; answers the item's index in the registry.
VGX_EXPORT int addDialogItem(const char* item, const char* dialogName, int where);

// Items in registration order.
VGX_EXPORT QList<VGXDialogItem> dialogItems();
// The dialog name of the latest item with this text; empty when there is none.
VGX_EXPORT QString findDialogItem(const QString& item);
VGX_EXPORT void clearDialogItems();

} // namespace MvQARN
