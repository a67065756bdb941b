#pragma once
// What an interface block diagram draws, as plain geometry in widget coordinates: boxes, paths
// (broad data arrows and single clock or control lines), free texts, cells and timing traces. The
// diagrams compute it from their last parameter values and their size; painting only draws it, so
// the drawing can be checked without looking at pixels.
#include <QColor>
#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace MvQARN {

// A text placed in a rectangle. Small texts use the diagram font at point size 7.
struct CLynxGraphText {
    QRectF rect;
    QString text;
    bool small = false;
    Qt::Alignment align = Qt::AlignCenter;
};

// A box with its name centred; port names lie inside it along an edge.
struct CLynxGraphBox {
    QRectF rect;
    CLynxGraphText name;
    QList<CLynxGraphText> ports;
};

struct CLynxGraphPath {
    enum EKind { Broad, Line };
    // Thickness of the shaft and full width of the head, in pixels.
    static constexpr double BroadShaft = 4;
    static constexpr double BroadHead = 8;
    static constexpr double LineHead = 2; // how far the head stands out on each side of a line

    QString name; // what the path carries ("IQ Data", "Clock", "Reference Clock", ...)
    EKind kind = Line;
    // From the tail to the head: the first point is where the data or clock comes from.
    QPolygonF points;
    CLynxGraphText label; // its text may differ from the name ("Ref. Clock")
    QColor color;         // invalid: the text colour of the palette

    QPointF tail() const { return points.isEmpty() ? QPointF() : points.first(); }
    QPointF head() const { return points.isEmpty() ? QPointF() : points.last(); }
};

// One cell of a strip (a line of the user interface bits).
struct CLynxGraphCell {
    QRectF rect;
    QString text;
    bool small = false;
    bool marked = false; // carries a bit of the data word
};

// A timing trace: a polyline, optionally with word cells (bus eyes) drawn as hexagons.
struct CLynxGraphTrace {
    QString name; // the line it belongs to
    QPolygonF points;
    QList<CLynxGraphText> words; // bus words: their rects are the eyes, their texts the contents
    QList<QLineF> marks;         // dashed reference lines (the unskewed clock edge)
};

struct CLynxGraphModel {
    QList<CLynxGraphBox> boxes;
    QList<CLynxGraphPath> paths;
    QList<CLynxGraphText> texts;
    QList<CLynxGraphCell> cells;
    QList<CLynxGraphTrace> traces;

    // Lookups by name; null when absent.
    const CLynxGraphBox* box(const QString& name) const;
    const CLynxGraphPath* path(const QString& name) const;
    const CLynxGraphTrace* trace(const QString& name) const;
    // Every text that the model draws, with the font it is drawn in.
    QList<CLynxGraphText> allTexts() const;
};

} // namespace MvQARN
