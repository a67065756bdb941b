#pragma once
// Gives a set of widgets one common width, the widest preferred width among them ("all buttons in
// a row share one width"). Collect with add, then call doAdjustment once they hold their texts.
// Holds no ownership; widgets deleted in between are skipped.
#include <QList>
#include <QPointer>
#include <QWidget>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXAdjustSizes {
public:
    VGXAdjustSizes() = default;
    VGXAdjustSizes(const VGXAdjustSizes&) = delete;
    VGXAdjustSizes& operator=(const VGXAdjustSizes&) = delete;
    virtual ~VGXAdjustSizes();

    void add(QWidget* widget);
    int count() const { return int(m_widgets.size()); }
    // Fixes every widget's width to the common width and answers it.
    virtual int doAdjustment();

protected:
    QList<QPointer<QWidget>> m_widgets;
};

} // namespace MvQARN
