#include "host/gui/VGXCommandPanelClasses.h"

#include <QMap>

namespace MvQARN {

namespace {

QMap<QString, VGXCommandPanelClasses::PanelCreator>& creators() {
    static QMap<QString, VGXCommandPanelClasses::PanelCreator> map;
    return map;
}

} // namespace

void VGXCommandPanelClasses::registerPanelClass(const QString& className, PanelCreator creator) {
    if (creator)
        creators().insert(className, creator);
    else
        creators().remove(className);
}

VGXCommandPanelClasses::PanelCreator VGXCommandPanelClasses::panelCreator(const QString& className) {
    return creators().value(className, nullptr);
}

QStringList VGXCommandPanelClasses::panelClasses() {
    return creators().keys();
}

void VGXCommandPanelClasses::clear() {
    creators().clear();
}

} // namespace MvQARN
