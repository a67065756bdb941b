#pragma once
// The host's debug server: debug lines of a module go out only on channels activated for that
// module, and only up to the activated level (level 1 the most important, higher levels more detail).
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXDebugServer {
public:
    // Lines of (module, channel) up to level are printed from now on; a level of 0 or less
    // deactivates the channel.
    static void activate(int module, int level, int channel);
    static void deactivate(int module, int channel);
    static void deactivateAll();
    // True when (module, channel) is activated with a level of at least level.
    static bool isActive(int module, int level, int channel);
    // Prints "debug <module>/<channel>/<level>: <text>" when active; answers whether it printed.
    static bool print(int module, int level, int channel, const QString& text);
};

} // namespace MvQARN
