#include "host/util/VGXProperties.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "host/util/VGXHostContext.h"

namespace MvQARN {

namespace {

const char* const FileName = "vgxproperties.ini";

// The host's own values for the properties it knows.
QVariant builtIn(const QString& section, const QString& key) {
    if (section == QLatin1String("GuiDimensions")) {
        if (key == QLatin1String("DisplayWidth"))
            return 800;
        if (key == QLatin1String("DisplayHeight"))
            return 600;
    } else if (section == QLatin1String("StartupProcess")) {
        if (key == QLatin1String("ProgressImage"))
            return QString();
    }
    return QVariant();
}

} // namespace

QString VGXProperties::filePath() {
    const VGXHostContext* host = VGXHostContext::current();
    if (host && !host->settingsDir().isEmpty())
        return QDir(host->settingsDir()).filePath(QLatin1String(FileName));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("vgxhost/") + QLatin1String(FileName));
}

QVariant VGXProperties::value(const QString& section, const QString& key, const QVariant& defaultValue) {
    const QString path = filePath();
    if (QFileInfo::exists(path)) {
        // Read on every call, so an edited file takes effect without a restart.
        QSettings ini(path, QSettings::IniFormat);
        const QString fullKey = section + QLatin1Char('/') + key;
        if (ini.contains(fullKey))
            return ini.value(fullKey);
    }
    const QVariant v = builtIn(section, key);
    return v.isValid() ? v : defaultValue;
}

} // namespace MvQARN
