#include "host/gui/VGXPanelClasses.h"

#include <QMap>

namespace MvQARN {

namespace {

QMap<QString, VGXPanelClasses::PanelCreator>& creators() {
    static QMap<QString, VGXPanelClasses::PanelCreator> map;
    return map;
}

} // namespace

void VGXPanelClasses::registerPanelClass(const QString& className, PanelCreator creator) {
    if (creator)
        creators().insert(className, creator);
    else
        creators().remove(className);
}

VGXPanelClasses::PanelCreator VGXPanelClasses::panelCreator(const QString& className) {
    return creators().value(className, nullptr);
}

VGXPanel* VGXPanelClasses::create(const QString& className, const SArgs& args) {
    const PanelCreator make = panelCreator(className);
    return make ? make(args) : nullptr;
}

QStringList VGXPanelClasses::panelClasses() {
    return creators().keys();
}

void VGXPanelClasses::clear() {
    creators().clear();
}

} // namespace MvQARN
