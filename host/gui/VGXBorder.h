#pragma once
// The frame a panel draws around its content (VGXTitleBorder, VGXLineBorder). The panel owns its
// border, leaves the border's margins free around its layout and lets the border paint itself.
#include <QMargins>
#include <QString>

#include "host/util/VGXModuleInterface.h"

class QPainter;
class QWidget;

namespace MvQARN {

class VGX_EXPORT VGXBorder {
public:
    VGXBorder() = default;
    VGXBorder(const VGXBorder&) = delete;
    VGXBorder& operator=(const VGXBorder&) = delete;
    virtual ~VGXBorder();

    // Room the border takes on each side of a widget.
    virtual QMargins margins(const QWidget* on) const = 0;
    virtual void paint(QPainter& painter, const QWidget* on) const = 0;
    // The border's title; empty for borders without one.
    virtual QString title() const;
};

} // namespace MvQARN
