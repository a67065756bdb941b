#include "host/util/VGXUtility.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "host/util/VGXHostContext.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/impl/VGXHostAnchor.h"
#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

constexpr int DefaultFamily = 0x10000;

} // namespace

void VGXUtility::traceMessage(const QString& text) {
    VGXTraceSink::trace(QStringLiteral("trace: ") + text);
}

int VGXUtility::getSigGenFamily() {
    const VGXHostContext* host = VGXHostContext::current();
    return host ? host->family() : DefaultFamily;
}

VGXPlugInDllModuleInterface* VGXUtility::getLoadableInterface(int moduleId) {
    const VGXHostContext* host = VGXHostContext::current();
    if (!host)
        return nullptr;
    for (VGXPlugInDllModuleInterface* m : host->modules())
        if (m && m->getModuleId() == moduleId)
            return m;
    return nullptr;
}

VGXAnchorInterface* VGXUtility::getAnchorInterface() {
    return &VGXHostAnchor::instance();
}

QString VGXUtility::buildString(const QVariantList& parts) {
    QString out;
    for (const QVariant& part : parts)
        out += part.toString();
    return out;
}

QString vgxDocumentsPath() {
    const VGXHostContext* host = VGXHostContext::current();
    if (host && !host->settingsDir().isEmpty())
        return host->settingsDir();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString vgxPathInFolder(const QString& dir, const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty() || n.contains(QLatin1Char('\\')))
        return QString();
    for (QChar c : n)
        if (c.unicode() < 0x20)
            return QString();
    if (n.size() >= 2 && n.at(1) == QLatin1Char(':'))
        return QString(); // a drive-letter path lies elsewhere
    for (const QString& part : n.split(QLatin1Char('/')))
        if (part == QLatin1String(".."))
            return QString();
    const QString folder = QDir(dir).absolutePath();
    const QString full = QDir::cleanPath(QDir::isAbsolutePath(n) ? n : folder + QLatin1Char('/') + n);
    if (!full.startsWith(folder + QLatin1Char('/')) || full.size() <= folder.size() + 1)
        return QString();
    // A link inside the folder must not lead out of it either.
    const QFileInfo parent(QFileInfo(full).absolutePath());
    if (parent.exists()) {
        const QString realFolder = QFileInfo(folder).canonicalFilePath();
        const QString realParent = parent.canonicalFilePath();
        if (!realFolder.isEmpty() && realParent != realFolder &&
            !realParent.startsWith(realFolder + QLatin1Char('/')))
            return QString();
    }
    return full;
}

} // namespace MvQARN
