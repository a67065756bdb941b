#include "host/gui/VGXPanel.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLayout>
#include <QPainter>

#include "host/gui/VGXBorder.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXTitleBorder.h"

namespace MvQARN {

VGXPanel::VGXPanel(QWidget* parent) : CViewer(parent) {}

VGXPanel::~VGXPanel() = default;

void VGXPanel::setLayout(QLayout* layout) {
    if (QLayout* old = QWidget::layout()) {
        if (old == layout)
            return;
        delete old;
    }
    if (!layout)
        return;
    QWidget::setLayout(layout);
    updateMargins();
}

QLayout* VGXPanel::panelLayout() const {
    return QWidget::layout();
}

VGXLayoutIfc* VGXPanel::vgxLayout() const {
    return dynamic_cast<VGXLayoutIfc*>(QWidget::layout());
}

QLayout* VGXPanel::ensureLayout() {
    if (!QWidget::layout())
        setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    return QWidget::layout();
}

void VGXPanel::setIndents(const MvGuiFramework::CBoxIndents& indents) {
    m_indents = indents;
    updateMargins();
}

void VGXPanel::add(QWidget* widget, const VGXConstraints& constraints) {
    if (!widget)
        return;
    QLayout* layout = ensureLayout();
    if (VGXLayoutIfc* v = vgxLayout())
        v->place(widget, constraints);
    else
        layout->addWidget(widget);
}

void VGXPanel::add(QWidget* widget, int stretch) {
    if (!widget)
        return;
    QLayout* layout = ensureLayout();
    if (VGXLayoutIfc* v = vgxLayout())
        v->placeStretched(widget, stretch);
    else
        layout->addWidget(widget);
}

void VGXPanel::addSpace(int pixels) {
    ensureLayout();
    if (VGXLayoutIfc* v = vgxLayout())
        v->placeSpace(pixels);
}

void VGXPanel::addStretch() {
    if (auto* box = qobject_cast<QBoxLayout*>(ensureLayout()))
        box->addStretch(1);
}

void VGXPanel::setBorder(VGXBorder* border) {
    m_border.reset(border);
    if (m_border && !m_border->title().isEmpty())
        setAccessibleName(m_border->title());
    updateMargins();
    update();
}

void VGXPanel::setTitleBorder(const QString& title) {
    setBorder(new VGXTitleBorder(title));
}

void VGXPanel::updateMargins() {
    QMargins m = m_indents.margins();
    if (m_border)
        m += m_border->margins(this);
    if (QLayout* layout = QWidget::layout())
        layout->setContentsMargins(m);
    else
        setContentsMargins(m);
}

void VGXPanel::paintEvent(QPaintEvent* event) {
    CViewer::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    m_border->paint(painter, this);
}

void VGXPanel::changeEvent(QEvent* event) {
    CViewer::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateMargins();
}

} // namespace MvQARN
