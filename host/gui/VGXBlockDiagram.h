#pragma once
// Block classes that modules offer the host's block diagram. A module that has its own kind of
// diagram block registers a creator under the block's class name; the host makes the blocks of its
// diagram through it, without linking the module.
#include <QString>
#include <QStringList>

#include "host/util/VGXModuleInterface.h"

class QWidget;

namespace MvQARN {

class VGXBlockPanel;

class VGX_EXPORT VGXBlockDiagram {
public:
    // Makes a block: its title, its parent, the parameters of its check box and of its label, and
    // the indices they bind to (instance t0, channel t3, direction t1, station t2).
    using BlockCreator = VGXBlockPanel* (*)(const QString& title, QWidget* parent, const char* checkParameter,
                                            const char* labelParameter, int instance, int channel,
                                            int direction, int station);

    // A later registration of the same class name replaces the earlier one; null removes it.
    static void registerBlockClass(const QString& className, BlockCreator creator);
    static BlockCreator blockCreator(const QString& className);
    static QStringList blockClasses();
    static void clear();
};

} // namespace MvQARN
