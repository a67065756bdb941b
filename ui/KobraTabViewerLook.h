#pragma once
// The look every tab viewer of the plug-in shares: its styles, and the tab faces (the selected tab
// white while the window is active, the others grey, highlights black).
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXTabViewer;

VGX_EXPORT void configureVGXTabViewer(VGXTabViewer* viewer);

} // namespace MvQARN
