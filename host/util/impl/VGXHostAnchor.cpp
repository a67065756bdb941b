#include "host/util/impl/VGXHostAnchor.h"

namespace MvQARN {

VGXHostAnchor& VGXHostAnchor::instance() {
    static VGXHostAnchor anchor;
    return anchor;
}

} // namespace MvQARN
