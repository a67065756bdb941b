#pragma once
// Host properties a module may read: "vgxproperties.ini" in the host's settings folder, falling
// back to the host's built-in values ("GuiDimensions"/"DisplayWidth" 800, "DisplayHeight" 600,
// "StartupProcess"/"ProgressImage" empty) and then to the caller's default.
#include <QString>
#include <QVariant>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXProperties {
public:
    static QVariant value(const QString& section, const QString& key,
                          const QVariant& defaultValue = QVariant());
    // The file the properties are read from.
    static QString filePath();
};

} // namespace MvQARN
