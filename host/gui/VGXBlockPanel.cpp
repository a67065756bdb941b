#include "host/gui/VGXBlockPanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/gui/VGXTitleBorder.h"
#include "host/gui/impl/VGXFocusFollow.h"

namespace MvQARN {

namespace {

using MvGuiFramework::CViewerEvent;

// The panel keeps the margins of a title border; the block draws its own frame over that room.
class BlockFrame : public VGXTitleBorder {
public:
    explicit BlockFrame(const QString& title) : VGXTitleBorder(title) {}
    void paint(QPainter&, const QWidget*) const override {}
};

} // namespace

VGXBlockPanel::VGXBlockPanel(QWidget* parent, const QString& title) : VGXPanel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setColorPalette(QStringLiteral("DiagramBlock"));
    followFocus<VGXBlockPanel>([](VGXBlockPanel* b) { b->updateSelection(); });
    if (!title.isEmpty()) {
        setTitleBorder(new VGXTitleBorder(title));
        setSelectedTitleBorder(new VGXTitleBorder(title));
    }
}

VGXBlockPanel::~VGXBlockPanel() = default;

QString VGXBlockPanel::title() const {
    const VGXTitleBorder* b = isSelected() && m_selected ? m_selected.get() : m_normal.get();
    return b ? b->title() : QString();
}

void VGXBlockPanel::setTitleBorder(VGXTitleBorder* border) {
    m_normal.reset(border);
    useBorder();
}

void VGXBlockPanel::setSelectedTitleBorder(VGXTitleBorder* border) {
    m_selected.reset(border);
    useBorder();
}

void VGXBlockPanel::useBorder() {
    m_showingSelected = isSelected();
    const QString t = title();
    setBorder(new BlockFrame(t));
    setAccessibleName(t);
}

bool VGXBlockPanel::isSelected() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void VGXBlockPanel::setDialog(const VGXDialogAttributes& attributes) {
    m_dialog.reset(attributes.clone());
}

void VGXBlockPanel::click() {
    if (!sendActionEvent(CViewerEvent::ActionClicked))
        sendActionEvent(CViewerEvent::ActionActivated);
}

void VGXBlockPanel::processActionEvent(CViewerEvent* event) {
    if (event->getCode() == CViewerEvent::ActionActivated && m_dialog) {
        VGXDfDialogFactory::toFront(m_dialog.get());
        event->consume();
    }
}

void VGXBlockPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    VGXPanel::mousePressEvent(event);
}

void VGXBlockPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint()))
            click();
        event->accept();
        return;
    }
    VGXPanel::mouseReleaseEvent(event);
}

void VGXBlockPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        sendActionEvent(CViewerEvent::ActionActivated);
        event->accept();
        return;
    }
    VGXPanel::mouseDoubleClickEvent(event);
}

void VGXBlockPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        click();
        event->accept();
        return;
    }
    VGXPanel::keyPressEvent(event);
}

void VGXBlockPanel::updateSelection() {
    if (m_showingSelected != isSelected())
        useBorder(); // the title may differ between the two borders
    update();
}

void VGXBlockPanel::paintEvent(QPaintEvent* event) {
    VGXPanel::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool selected = isSelected();
    const QFontMetrics fm = fontMetrics();
    const int top = fm.height() / 2;
    const QRectF frame = QRectF(rect()).adjusted(1, top + 0.5, -1, -1);
    p.setPen(QPen(palette().color(selected ? QPalette::Highlight : QPalette::Dark), selected ? 2 : 1));
    p.setBrush(palette().color(QPalette::Window).lighter(103));
    p.drawRoundedRect(frame, 5, 5);
    const QString t = title();
    if (!t.isEmpty()) {
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        const QFontMetrics bold(f);
        const QRect label(10, 0, bold.horizontalAdvance(t) + 8, fm.height() + 2);
        p.fillRect(label, palette().color(QPalette::Window));
        p.setPen(palette().color(selected ? QPalette::Highlight : QPalette::WindowText));
        p.drawText(label, Qt::AlignCenter, t);
    }
}

} // namespace MvQARN
