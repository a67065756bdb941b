#pragma once
// Command panel classes that modules offer the host. A module with an interactive command panel
// registers a creator under the panel's class name; the host builds its own terminal through it,
// without linking the module, and drives the panel through the module's panel interface.
#include <QString>
#include <QStringList>

#include "host/util/VGXExport.h"

class QWidget;

namespace MvGuiFramework {
class CViewer;
}

namespace MvQARN {

class VGX_EXPORT VGXCommandPanelClasses {
public:
    // Makes a panel: its parent, the indices its command field binds to (instance t0, direction
    // t1), the parameters of the command and of the reply, and whether "Execute" empties the field.
    using PanelCreator = MvGuiFramework::CViewer* (*)(QWidget* parent, int instance, int direction,
                                                      const char* commandParameter,
                                                      const char* replyParameter, bool clearAfterExecute);

    // A later registration of the same class name replaces the earlier one; null removes it.
    static void registerPanelClass(const QString& className, PanelCreator creator);
    static PanelCreator panelCreator(const QString& className);
    static QStringList panelClasses();
    static void clear();
};

} // namespace MvQARN
