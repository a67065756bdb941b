#include "orglayer/COlKobraLoadableExtension.h"

#include <cstring>

namespace MvQARN {

COlKobraLoadableExtension::COlKobraLoadableExtension() {
    std::memset(m_textBuffer, 0, sizeof(m_textBuffer));
}

COlKobraLoadableExtension::~COlKobraLoadableExtension() = default;

int COlKobraLoadableExtension::extensionKind() const {
    return 2;
}

} // namespace MvQARN
