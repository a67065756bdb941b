#include "host/gui/VGXMain.h"

#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

namespace {

QList<VGXFileType>& types() {
    static QList<VGXFileType> list;
    return list;
}

} // namespace

int VGXMain::registerFileType(const QString& description, const QString& pattern, bool flag) {
    QList<VGXFileType>& list = types();
    const int handle = int(list.size()) + 1;
    list.append(VGXFileType{handle, description, pattern, flag, VGXGuiRegistry::currentOwner()});
    VGXGuiRegistry::record(QStringLiteral("registerFileType"),
                           QStringLiteral("registerFileType %1 %2 %3 -> %4")
                               .arg(VGXGuiRegistry::quoted(description), VGXGuiRegistry::quoted(pattern))
                               .arg(flag ? 1 : 0)
                               .arg(handle));
    return handle;
}

int VGXMain::findFileTypeIndex(const QString& pattern) {
    for (const VGXFileType& t : std::as_const(types()))
        if (t.pattern == pattern)
            return t.handle;
    return -1;
}

const VGXFileType* VGXMain::fileType(int handle) {
    const QList<VGXFileType>& list = types();
    return handle >= 1 && handle <= list.size() ? &list[handle - 1] : nullptr;
}

QList<VGXFileType> VGXMain::fileTypes() {
    return types();
}

void VGXMain::clearFileTypes() {
    types().clear();
}

} // namespace MvQARN
