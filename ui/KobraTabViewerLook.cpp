#include "ui/KobraTabViewerLook.h"

#include <QColor>
#include <QPalette>

#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXTabViewer.h"

namespace MvQARN {

void configureVGXTabViewer(VGXTabViewer* viewer) {
    if (!viewer)
        return;
    viewer->setSlotStyle(VGXTabViewer::SlotViewer, QStringLiteral("DefaultFont"));
    viewer->setSlotStyle(VGXTabViewer::SlotTabBar, QStringLiteral("DefaultFont"));
    viewer->setSlotStyle(VGXTabViewer::SlotPages, QStringLiteral("DefaultFont"));
    viewer->setSlotStyle(VGXTabViewer::SlotTab, QStringLiteral("DefaultFont"));
    viewer->setSlotStyle(VGXTabViewer::SlotSelectedTab, QStringLiteral("BoldFont"));

    const QColor black(0, 0, 0);
    const QColor grey(218, 212, 206);
    const QColor white(255, 255, 255);
    const QPalette base = VGXStyleManager::palette(QStringLiteral("DefaultPalette"));

    QPalette selected = base;
    selected.setColor(QPalette::Active, QPalette::Window, white);
    selected.setColor(QPalette::Disabled, QPalette::Window, grey);
    selected.setColor(QPalette::Inactive, QPalette::Window, grey);
    selected.setColor(QPalette::All, QPalette::Highlight, black);
    viewer->setSlotPalette(VGXTabViewer::SlotSelectedTab, selected);

    QPalette other = base;
    other.setColor(QPalette::All, QPalette::Window, grey);
    other.setColor(QPalette::All, QPalette::Highlight, black);
    viewer->setSlotPalette(VGXTabViewer::SlotTab, other);
}

} // namespace MvQARN
