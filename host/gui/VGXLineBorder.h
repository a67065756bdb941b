#pragma once
// A plain rectangular line around a panel.
#include <QColor>

#include "host/gui/VGXBorder.h"

namespace MvQARN {

class VGX_EXPORT VGXLineBorder : public VGXBorder {
public:
    // An invalid colour draws in the palette's dark shade.
    explicit VGXLineBorder(int width = 1, const QColor& color = QColor());
    ~VGXLineBorder() override;

    QMargins margins(const QWidget* on) const override;
    void paint(QPainter& painter, const QWidget* on) const override;
    int width() const { return m_width; }

private:
    int m_width;
    QColor m_color;
};

} // namespace MvQARN
