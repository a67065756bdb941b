#include "host/gui/VGXBlockDiagram.h"

#include <QMap>

namespace MvQARN {

namespace {

QMap<QString, VGXBlockDiagram::BlockCreator>& creators() {
    static QMap<QString, VGXBlockDiagram::BlockCreator> map;
    return map;
}

} // namespace

void VGXBlockDiagram::registerBlockClass(const QString& className, BlockCreator creator) {
    if (creator)
        creators().insert(className, creator);
    else
        creators().remove(className);
}

VGXBlockDiagram::BlockCreator VGXBlockDiagram::blockCreator(const QString& className) {
    return creators().value(className, nullptr);
}

QStringList VGXBlockDiagram::blockClasses() {
    return creators().keys();
}

void VGXBlockDiagram::clear() {
    creators().clear();
}

} // namespace MvQARN
