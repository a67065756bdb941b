// Panels that take part in keyboard navigation.
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXFocusPanel.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/impl/VGXFocusFollow.h"

namespace MvQARN {

VGXNavigationPanel::VGXNavigationPanel(QWidget* parent) : VGXPanel(parent) {}

VGXNavigationPanel::~VGXNavigationPanel() = default;

void VGXNavigationPanel::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
        if (focusNextPrevChild(event->key() == Qt::Key_Down)) {
            event->accept();
            return;
        }
    }
    VGXPanel::keyPressEvent(event);
}

VGXFocusPanel::VGXFocusPanel(QWidget* parent) : VGXPanel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    followFocus<VGXFocusPanel>([](VGXFocusPanel* p) { p->update(); });
}

VGXFocusPanel::~VGXFocusPanel() = default;

bool VGXFocusPanel::hasFocusWithin() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void VGXFocusPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            sendActionEvent(MvGuiFramework::CViewerEvent::ActionActivated);
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    VGXPanel::keyPressEvent(event);
}

void VGXFocusPanel::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    VGXPanel::mousePressEvent(event);
}

void VGXFocusPanel::paintEvent(QPaintEvent* event) {
    VGXPanel::paintEvent(event);
    if (!hasFocusWithin())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect opt;
    opt.initFrom(this);
    opt.rect = rect().adjusted(1, 1, -1, -1);
    opt.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &painter, this);
}

} // namespace MvQARN
