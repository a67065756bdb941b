#pragma once
// The framework's command interface as the plug-in reaches it: through the host anchor.
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlManager.h"
#include "host/util/VGXAnchorInterface.h"
#include "host/util/VGXUtility.h"

namespace Kobra {

// Null when any link is missing (no anchor, no framework, no command interface).
inline MvQARN::COlCommandIfc* anchorCommandInterface() {
    MvQARN::VGXAnchorInterface* anchor = MvQARN::VGXUtility::getAnchorInterface();
    if (!anchor)
        return nullptr;
    MvQARN::COlManager* manager = anchor->olManager();
    return manager ? manager->commandInterface() : nullptr;
}

} // namespace Kobra
