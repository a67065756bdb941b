#include "host/util/VGXUtility.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/impl/VGXHostAnchor.h"
#include "host/util/impl/VGXHostRuntime.h"
#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

constexpr int DefaultFamily = 0x10000;

} // namespace

void VGXUtility::traceMessage(const QString& text) {
    VGXTraceSink::trace(QStringLiteral("trace: ") + text);
}

int VGXUtility::getSigGenFamily() {
    const VGXHostRuntime* rt = VGXHostRuntime::current();
    return rt ? rt->options().family : DefaultFamily;
}

VGXPlugInDllModuleInterface* VGXUtility::getLoadableInterface(int moduleId) {
    const VGXHostRuntime* rt = VGXHostRuntime::current();
    if (!rt)
        return nullptr;
    for (VGXPlugInDllModuleInterface* m : rt->modules())
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
    const VGXHostRuntime* rt = VGXHostRuntime::current();
    if (rt && !rt->options().settingsDir.isEmpty())
        return rt->options().settingsDir;
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
