#include "host/gui/VGXBlockDiagram.h"

#include "host/gui/VGXCreatorRegistry.h"

namespace MvQARN {

namespace {

VGXCreatorRegistry<VGXBlockDiagram::BlockCreator>& creators() {
    static VGXCreatorRegistry<VGXBlockDiagram::BlockCreator> registry;
    return registry;
}

} // namespace

void VGXBlockDiagram::registerBlockClass(const QString& className, BlockCreator creator) {
    creators().set(className, creator);
}

VGXBlockDiagram::BlockCreator VGXBlockDiagram::blockCreator(const QString& className) {
    return creators().get(className);
}

QStringList VGXBlockDiagram::blockClasses() {
    return creators().classNames();
}

void VGXBlockDiagram::clear() {
    creators().clear();
}

} // namespace MvQARN
