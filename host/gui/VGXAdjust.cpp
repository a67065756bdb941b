// Common widths for rows of widgets and for label columns.
#include "host/gui/VGXAdjustSizes.h"
#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXParameterControl.h"

namespace MvQARN {

VGXAdjustSizes::~VGXAdjustSizes() = default;

void VGXAdjustSizes::add(QWidget* widget) {
    if (widget && !m_widgets.contains(widget))
        m_widgets.append(widget);
}

int VGXAdjustSizes::doAdjustment() {
    int width = 0;
    for (const QPointer<QWidget>& w : std::as_const(m_widgets))
        if (w)
            width = qMax(width, qMax(w->sizeHint().width(), w->minimumSizeHint().width()));
    for (const QPointer<QWidget>& w : std::as_const(m_widgets))
        if (w)
            w->setFixedWidth(width);
    return width;
}

VGXAdjustTwoColumns::~VGXAdjustTwoColumns() = default;

int VGXAdjustTwoColumns::doAdjustment() {
    int width = 0;
    for (const QPointer<QWidget>& w : std::as_const(m_widgets)) {
        if (!w)
            continue;
        if (auto* c = qobject_cast<VGXParameterControl*>(w.data()))
            width = qMax(width, c->labelHintWidth());
        else
            width = qMax(width, w->sizeHint().width());
    }
    for (const QPointer<QWidget>& w : std::as_const(m_widgets)) {
        if (!w)
            continue;
        if (auto* c = qobject_cast<VGXParameterControl*>(w.data()))
            c->setLabelWidth(width);
        else
            w->setFixedWidth(width);
    }
    return width;
}

} // namespace MvQARN
