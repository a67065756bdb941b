#include "ui/diagrams/CLynxGraphPainter.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <cmath>

#include "host/gui/VGXStyleManager.h"
#include "ui/diagrams/CLynxGraphModel.h"

namespace MvQARN {

namespace {

QPointF unit(const QPointF& from, const QPointF& to) {
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    return len > 0 ? d / len : QPointF(1, 0);
}

// Outline of a broad arrow along one straight segment: a shaft BroadShaft thick and a head
// BroadHead wide, as long as it is wide.
QPolygonF broadOutline(const QPointF& tail, const QPointF& head) {
    const QPointF d = unit(tail, head);
    const QPointF n(-d.y(), d.x());
    const double shaft = CLynxGraphPath::BroadShaft / 2;
    const double wing = CLynxGraphPath::BroadHead / 2;
    const double headLength = qMin(CLynxGraphPath::BroadHead, QLineF(tail, head).length());
    const QPointF base = head - d * headLength;
    return QPolygonF{tail + n * shaft, base + n * shaft, base + n * wing,  head,
                     base - n * wing,  base - n * shaft, tail - n * shaft, tail + n * shaft};
}

void drawText(QPainter& p, const CLynxGraphText& t, const QFont& font, const QFont& small) {
    if (t.text.isEmpty())
        return;
    p.setFont(t.small ? small : font);
    p.drawText(t.rect, int(t.align), t.text);
}

void drawPath(QPainter& p, const CLynxGraphPath& path, const QColor& text, const QColor& fill) {
    if (path.points.size() < 2)
        return;
    const QColor color = path.color.isValid() ? path.color : text;
    if (path.kind == CLynxGraphPath::Broad) {
        // Data arrows are straight; a bent one keeps its shape by being drawn segment by segment.
        p.setPen(QPen(color, 1));
        p.setBrush(path.color.isValid() ? path.color.lighter(160) : fill);
        for (qsizetype i = 1; i < path.points.size(); ++i)
            p.drawPolygon(broadOutline(path.points.at(i - 1), path.points.at(i)));
        return;
    }
    p.setPen(QPen(color, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(path.points);
    const QPointF head = path.head();
    const QPointF d = unit(path.points.at(path.points.size() - 2), head);
    const QPointF n(-d.y(), d.x());
    const double wing = CLynxGraphPath::LineHead + 0.5;
    const QPointF base = head - d * (2 * wing);
    p.setBrush(color);
    p.drawPolygon(QPolygonF{head, base + n * wing, base - n * wing});
}

void drawEye(QPainter& p, const QRectF& r) {
    const double e = qMin(3.0, r.width() / 4);
    const double c = r.center().y();
    p.drawPolygon(QPolygonF{QPointF(r.left(), c), QPointF(r.left() + e, r.top()),
                            QPointF(r.right() - e, r.top()), QPointF(r.right(), c),
                            QPointF(r.right() - e, r.bottom()), QPointF(r.left() + e, r.bottom())});
}

} // namespace

QFont lynxGraphSmallFont(const QFont& font) {
    QFont small(font);
    small.setPointSizeF(7);
    return small;
}

void paintLynxGraph(QPainter& p, const CLynxGraphModel& m, const QFont& font, const QPalette& palette) {
    const QFont small = lynxGraphSmallFont(font);
    const QColor text = palette.color(QPalette::WindowText);
    const QPalette block = VGXStyleManager::palette(QStringLiteral("DiagramBlock"));
    QColor data = VGXStyleManager::color(QStringLiteral("DataColor"));
    if (!data.isValid())
        data = palette.color(QPalette::Highlight);
    p.setRenderHint(QPainter::Antialiasing, true);

    for (const CLynxGraphCell& c : m.cells) {
        p.setPen(QPen(palette.color(QPalette::Mid), 1));
        p.setBrush(c.marked ? data.lighter(130) : palette.color(QPalette::Base));
        p.drawRect(c.rect.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(text);
        p.setFont(c.small ? small : font);
        p.drawText(c.rect, Qt::AlignCenter, c.text);
    }

    for (const CLynxGraphBox& b : m.boxes) {
        p.setPen(QPen(block.color(QPalette::WindowText), 1));
        p.setBrush(block.color(QPalette::Window));
        p.drawRect(b.rect.adjusted(0.5, 0.5, -0.5, -0.5));
        drawText(p, b.name, font, small);
        for (const CLynxGraphText& port : b.ports)
            drawText(p, port, font, small);
    }

    for (const CLynxGraphTrace& t : m.traces) {
        p.setPen(QPen(palette.color(QPalette::Dark), 1, Qt::DashLine));
        for (const QLineF& mark : t.marks)
            p.drawLine(mark);
        p.setPen(QPen(text, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(t.points);
        for (const CLynxGraphText& w : t.words) {
            p.setPen(QPen(text, 1));
            p.setBrush(data.lighter(150));
            drawEye(p, w.rect);
            drawText(p, w, font, small);
        }
    }

    for (const CLynxGraphPath& path : m.paths) {
        drawPath(p, path, text, data);
        p.setPen(path.color.isValid() ? path.color : text);
        drawText(p, path.label, font, small);
    }

    p.setPen(text);
    for (const CLynxGraphText& t : m.texts)
        drawText(p, t, font, small);
}

} // namespace MvQARN
