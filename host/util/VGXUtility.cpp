#include "host/util/VGXUtility.h"

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

} // namespace MvQARN
