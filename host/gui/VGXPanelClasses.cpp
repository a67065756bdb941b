#include "host/gui/VGXPanelClasses.h"

#include "host/gui/VGXCreatorRegistry.h"

namespace MvQARN {

namespace {

VGXCreatorRegistry<VGXPanelClasses::PanelCreator>& creators() {
    static VGXCreatorRegistry<VGXPanelClasses::PanelCreator> registry;
    return registry;
}

} // namespace

void VGXPanelClasses::registerPanelClass(const QString& className, PanelCreator creator) {
    creators().set(className, creator);
}

VGXPanelClasses::PanelCreator VGXPanelClasses::panelCreator(const QString& className) {
    return creators().get(className);
}

VGXPanel* VGXPanelClasses::create(const QString& className, const SArgs& args) {
    const PanelCreator make = panelCreator(className);
    return make ? make(args) : nullptr;
}

QStringList VGXPanelClasses::panelClasses() {
    return creators().classNames();
}

void VGXPanelClasses::clear() {
    creators().clear();
}

} // namespace MvQARN
