#include "host/util/impl/VGXHostAnchor.h"

#include "host/db/impl/CDbEngine.h"

namespace MvQARN {

VGXHostAnchor& VGXHostAnchor::instance() {
    static VGXHostAnchor anchor;
    return anchor;
}

CDbDataBaseIfc* VGXHostAnchor::dataBase() {
    return CDbEngine::instance().dataBaseIfc();
}

} // namespace MvQARN
