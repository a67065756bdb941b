#include "host/gui/VGXCommandPanelClasses.h"

#include "host/gui/VGXCreatorRegistry.h"

namespace MvQARN {

namespace {

VGXCreatorRegistry<VGXCommandPanelClasses::PanelCreator>& creators() {
    static VGXCreatorRegistry<VGXCommandPanelClasses::PanelCreator> registry;
    return registry;
}

} // namespace

void VGXCommandPanelClasses::registerPanelClass(const QString& className, PanelCreator creator) {
    creators().set(className, creator);
}

VGXCommandPanelClasses::PanelCreator VGXCommandPanelClasses::panelCreator(const QString& className) {
    return creators().get(className);
}

QStringList VGXCommandPanelClasses::panelClasses() {
    return creators().classNames();
}

void VGXCommandPanelClasses::clear() {
    creators().clear();
}

} // namespace MvQARN
