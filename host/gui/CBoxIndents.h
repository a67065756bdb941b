#pragma once
// The four margins of a panel's content, in pixels.
#include <QMargins>

#include "host/util/VGXModuleInterface.h"

namespace MvGuiFramework {

class VGX_EXPORT CBoxIndents {
public:
    constexpr CBoxIndents() = default;
    constexpr explicit CBoxIndents(int all) : m_left(all), m_top(all), m_right(all), m_bottom(all) {}
    constexpr CBoxIndents(int left, int top, int right, int bottom)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}

    constexpr int left() const { return m_left; }
    constexpr int top() const { return m_top; }
    constexpr int right() const { return m_right; }
    constexpr int bottom() const { return m_bottom; }
    QMargins margins() const { return QMargins(m_left, m_top, m_right, m_bottom); }

private:
    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
};

} // namespace MvGuiFramework
