#include "recorder/CKobraRecGraph.h"

#include <QPainter>
#include <QResizeEvent>

#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"

namespace MvQARN {

namespace {
// Room above the cells for the transition labels.
int labelBand(const QFontMetrics& fm) {
    return fm.height() + 4;
}
} // namespace

CKobraRecGraph::CKobraRecGraph(QWidget* parent, const VGXUserDbAttributes& state)
    : VGXNavigationPanel(parent) {
    setFontStyle(QStringLiteral("SmallFont"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_state = VGXDataObject::connectDatabase(this, state);
    setState(m_state->getIntegerData());
}

CKobraRecGraph::~CKobraRecGraph() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

QStringList CKobraRecGraph::stateTexts() {
    return {QStringLiteral("Idle"),      QStringLiteral("Free\nRun"),
            QStringLiteral("Ready"),     QStringLiteral("Wait for\nTrigger"),
            QStringLiteral("Triggered"), QStringLiteral("Record\nDone")};
}

QStringList CKobraRecGraph::transitionTexts() {
    return {QStringLiteral("Record"), QStringLiteral("RAM Ready"), QStringLiteral("Arm"),
            QStringLiteral("Trigger"), QStringLiteral("Rec Done")};
}

void CKobraRecGraph::resizeEvent(QResizeEvent* event) {
    VGXNavigationPanel::resizeEvent(event);
    // The width a cell would like; cellRect keeps it inside the cell's even share of the strip.
    m_cellWidth = qMax(0, (event->size().width() - StateCount * CellSpacing) / (StateCount - 1));
}

QRect CKobraRecGraph::cellRect(int i) const {
    const QFontMetrics fm = fontMetrics();
    const int top = labelBand(fm);
    const int height = 2 * fm.height() + 8;
    // Cells are spread evenly; each is as wide as its share allows.
    const int pitch = (width() - CellSpacing) / StateCount;
    const int w = qMax(0, qMin(m_cellWidth, pitch - CellSpacing));
    return QRect(CellSpacing / 2 + i * pitch + (pitch - w) / 2, top, w, height);
}

QLine CKobraRecGraph::transitionLine(int i) const {
    const QRect from = cellRect(i);
    const QRect to = cellRect(i + 1);
    return QLine(from.right() + 1, from.center().y(), to.left() - 1, to.center().y());
}

QSize CKobraRecGraph::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (const QString& t : stateTexts())
        for (const QString& line : t.split(QLatin1Char('\n')))
            widest = qMax(widest, fm.horizontalAdvance(line));
    return QSize(StateCount * (widest + 8 + CellSpacing) + CellSpacing, labelBand(fm) + 2 * fm.height() + 10);
}

QSize CKobraRecGraph::minimumSizeHint() const {
    return QSize(sizeHint().width() * 3 / 4, sizeHint().height());
}

void CKobraRecGraph::setState(int state) {
    if (state == m_lastState)
        return;
    m_lastState = state;
    ++m_repaints;
    update();
}

void CKobraRecGraph::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() == VGXDataEvent::DataChanged)
        setState(m_state->getIntegerData());
}

void CKobraRecGraph::paintEvent(QPaintEvent* event) {
    VGXNavigationPanel::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const QStringList states = stateTexts();
    const QStringList transitions = transitionTexts();
    const QFontMetrics fm = fontMetrics();
    for (int i = 0; i < StateCount; ++i) {
        const QRect r = cellRect(i);
        const bool current = i == m_lastState;
        p.setPen(QPen(pal.color(QPalette::WindowText), current ? 2 : 1));
        p.setBrush(current ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        p.drawRoundedRect(r, 4, 4);
        p.setPen(current ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        p.drawText(r, Qt::AlignCenter, states.at(i));
    }
    p.setPen(pal.color(QPalette::WindowText));
    for (int i = 0; i < StateCount - 1; ++i) {
        const QLine l = transitionLine(i);
        p.drawLine(l);
        const QPoint tip = l.p2();
        p.drawLine(tip, tip + QPoint(-5, -3));
        p.drawLine(tip, tip + QPoint(-5, 3));
        const int mid = (l.x1() + l.x2()) / 2;
        const QString text =
            fm.elidedText(transitions.at(i), Qt::ElideRight, cellRect(0).width() + CellSpacing * 2);
        const int w = fm.horizontalAdvance(text);
        p.drawText(QRect(mid - w / 2 - 2, 0, w + 4, labelBand(fm)), Qt::AlignCenter, text);
    }
}

} // namespace MvQARN
