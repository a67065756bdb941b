#pragma once
// Host utility functions available to every module.
#include <QString>
#include <QVariant>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXAnchorInterface;
class VGXPlugInDllModuleInterface;

class VGX_EXPORT VGXUtility {
public:
    // Lifecycle trace line; the host prints it when tracing is on.
    static void traceMessage(const QString& text);
    // The host's instrument family code (0x10000 by default).
    static int getSigGenFamily();
    // The loadable module with this id, or null when the host has none.
    static VGXPlugInDllModuleInterface* getLoadableInterface(int moduleId);
    static VGXAnchorInterface* getAnchorInterface();
    // Concatenates the texts of the arguments (numbers in decimal).
    static QString buildString(const QVariantList& parts);
    template <typename... Args> static QString buildString(const Args&... args) {
        return buildString(QVariantList{QVariant::fromValue(args)...});
    }
};

} // namespace MvQARN
