#pragma once
// Host-wide GUI state that is not tied to one widget: the context-sensitive help, the parameter
// name the help line and the help system show for what the user works on now.
#include <QByteArray>
#include <functional>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXConst {
public:
    // Empty or null clears it. Observers hear every change.
    static void setContextSensitiveHelp(const char* parameterName);
    static QByteArray contextSensitiveHelp();

    // Answers a handle for removeHelpObserver.
    static int addHelpObserver(std::function<void(const QByteArray&)> observer);
    static void removeHelpObserver(int handle);
};

} // namespace MvQARN
