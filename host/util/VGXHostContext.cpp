#include "host/util/VGXHostContext.h"

#include <utility>

namespace MvQARN {

namespace {

// Set and read on the GUI thread only, like the host runtime that installs it.
const VGXHostContext* g_context = nullptr;

} // namespace

VGXHostContext::~VGXHostContext() = default;

const VGXHostContext* VGXHostContext::current() {
    return g_context;
}

const VGXHostContext* VGXHostContext::install(const VGXHostContext* context) {
    return std::exchange(g_context, context);
}

} // namespace MvQARN
