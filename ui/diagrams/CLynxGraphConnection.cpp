#include "ui/diagrams/CLynxGraphConnection.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

#include "ui/diagrams/CLynxGraphPainter.h"

namespace MvQARN {

namespace {

constexpr double Margin = 4;   // around the drawing
constexpr double BoxPad = 6;   // between a box edge and its texts
constexpr double LabelPad = 4; // between a label and the ends of its gap
constexpr double MinGap = 16;  // shortest arrow worth drawing
constexpr double BoxShare = 0.2;

QSizeF textSize(const QFontMetricsF& fm, const QString& text) {
    double w = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        w = qMax(w, fm.horizontalAdvance(line));
    return QSizeF(std::ceil(w) + 1, std::ceil(fm.height() * lines.size()));
}

double halfHead(CLynxGraphPath::EKind kind) {
    return kind == CLynxGraphPath::Broad ? CLynxGraphPath::BroadHead / 2 : CLynxGraphPath::LineHead + 1;
}

// A label written above a horizontal path, centred between x0 and x1.
QRectF labelAbove(const QSizeF& s, double x0, double x1, double y, CLynxGraphPath::EKind kind) {
    const double bottom = y - halfHead(kind) - 1;
    return QRectF((x0 + x1 - s.width()) / 2, bottom - s.height(), s.width(), s.height());
}

CLynxGraphPath horizontal(const QString& name, CLynxGraphPath::EKind kind, double xLeft, double xRight,
                          double y, bool rightwards) {
    CLynxGraphPath p;
    p.name = name;
    p.kind = kind;
    p.label.text = name;
    if (rightwards)
        p.points << QPointF(xLeft, y) << QPointF(xRight, y);
    else
        p.points << QPointF(xRight, y) << QPointF(xLeft, y);
    return p;
}

struct Widths {
    double box[3] = {0, 0, 0};
    double gap1 = 0;
    double gap2 = 0;
    double need1 = 0; // room the "IQ Data" label needs in its gap
    double need2 = 0; // room the widest link label and its pin need in theirs
};

const QString kIqData = QStringLiteral("IQ Data");

Widths widths(const SLynxConnection& c, double available, const QFont& font, const QFont& small) {
    const QFontMetricsF fm(font);
    const QFontMetricsF sm(small);
    const QString names[3] = {lynxInstrumentName(), lynxBoxName(), lynxDutName()};
    const QString ports[3] = {c.instrumentPort, c.boxPort, QString()};
    Widths w;
    double used = 0;
    for (int i = 0; i < 3; ++i) {
        w.box[i] = qMax(textSize(fm, names[i]).width(), textSize(sm, ports[i]).width()) + 2 * BoxPad;
        w.box[i] = qMax(w.box[i], available * BoxShare);
        used += w.box[i];
    }
    const double rest = available - used;
    w.gap1 = rest / (1 + c.dutGapShare);
    w.gap2 = rest - w.gap1;
    w.need1 = textSize(fm, kIqData).width() + 2 * LabelPad;
    for (const SLynxConnection::Link& l : c.links) {
        const double pin = l.pin.isEmpty() ? 0 : textSize(sm, l.pin).width() + 2;
        w.need2 = qMax(w.need2, textSize(fm, l.name).width() + 2 * LabelPad + pin);
    }
    return w;
}

// Box heights at which the texts of the boxes and the labels between the paths have room.
double minimumBoxHeight(const SLynxConnection& c, const QFont& font, const QFont& small) {
    const double th = QFontMetricsF(font).height();
    const double sh = QFontMetricsF(small).height();
    double h = 2 * th + (c.instrumentPort.isEmpty() && c.boxPort.isEmpty() ? 0 : sh) + 2 * BoxPad;
    h = qMax(h, (th + halfHead(CLynxGraphPath::Broad) + 2) / 0.5); // "IQ Data" above the middle
    double previous = 0;
    for (const SLynxConnection::Link& l : c.links) {
        h = qMax(h, (th + halfHead(l.kind) + 6) / qMax(0.05, l.level - previous));
        previous = l.level;
    }
    return std::ceil(h);
}

} // namespace

QString lynxInstrumentName() {
    return QStringLiteral("Maravel\nInstrument");
}
QString lynxBoxName() {
    return QStringLiteral("Maravel\nKOBRA");
}
QString lynxDutName() {
    return QStringLiteral("DUT");
}

QSize lynxConnectionSizeHint(const SLynxConnection& c, const QFont& font) {
    const QFont small = lynxGraphSmallFont(font);
    const Widths w = widths(c, 0, font, small);
    const double width = w.box[0] + w.box[1] + w.box[2] + qMax(w.need1, MinGap) +
                         qMax(w.need2, MinGap) * qMax(1.0, c.dutGapShare) + 2 * Margin;
    const double th = QFontMetricsF(font).height();
    const double bh = minimumBoxHeight(c, font, small);
    const double below = c.reference ? bh / 4 + th + 2 : 0;
    return QSize(int(std::ceil(width)), int(std::ceil(bh + below + 2 * Margin)));
}

CLynxGraphModel layoutLynxConnection(const SLynxConnection& c, const QSizeF& size, const QFont& panelFont) {
    const QFont small = lynxGraphSmallFont(panelFont);
    const double available = size.width() - 2 * Margin;

    // The panel font while every label fits between the boxes, else the small font; labels that
    // still do not fit move above and below the boxes.
    QFont font = panelFont;
    bool useSmall = false;
    Widths w = widths(c, available, font, small);
    const auto fits = [&](const Widths& x) {
        return x.gap1 >= qMax(x.need1, MinGap) && x.gap2 >= qMax(x.need2, MinGap);
    };
    if (!fits(w)) {
        useSmall = true;
        font = small;
        w = widths(c, available, font, small);
    }
    const bool outside = !fits(w);
    if (outside) {
        // "IQ Data" goes above the boxes: its gap gives room to the pins and labels at the DUT.
        const double rest = w.gap1 + w.gap2;
        w.gap1 = qMax(MinGap + CLynxGraphPath::BroadHead, qMin(w.gap1, rest - w.need2));
        w.gap2 = rest - w.gap1;
    }
    const QFontMetricsF fm(font);
    const QFontMetricsF sm(small);
    const double th = fm.height();
    const double sh = sm.height();

    // Outside labels: "IQ Data" and the first link above the boxes, the last link below them.
    const bool linksBelow = outside && c.links.size() > 1;
    const double top = Margin + (outside ? th + 2 : 0);
    const double availableHeight = size.height() - top - Margin;
    double bh;
    if (c.reference)
        bh = (availableHeight - th - 2) / 1.25;
    else
        bh = availableHeight - (linksBelow ? th + 2 : 0);
    bh = qMax(bh, 2 * th);

    CLynxGraphModel m;
    const QString names[3] = {lynxInstrumentName(), lynxBoxName(), lynxDutName()};
    const QString ports[3] = {c.instrumentPort, c.boxPort, QString()};
    double x = Margin;
    for (int i = 0; i < 3; ++i) {
        CLynxGraphBox b;
        b.rect = QRectF(x, top, w.box[i], bh);
        const double portHeight = ports[i].isEmpty() ? 0 : sh + 1;
        b.name = CLynxGraphText{b.rect.adjusted(0, 0, 0, -portHeight), names[i], useSmall, Qt::AlignCenter};
        if (!ports[i].isEmpty())
            b.ports << CLynxGraphText{QRectF(b.rect.left(), b.rect.bottom() - portHeight, b.rect.width(), sh),
                                      ports[i], true, Qt::AlignCenter};
        m.boxes << b;
        x += w.box[i] + (i == 0 ? w.gap1 : w.gap2);
    }
    const QRectF inst = m.boxes[0].rect;
    const QRectF box = m.boxes[1].rect;
    const QRectF dut = m.boxes[2].rect;

    CLynxGraphPath iq =
        horizontal(kIqData, CLynxGraphPath::Broad, inst.right(), box.left(), top + bh / 2, c.iqToBox);
    const QSizeF iqSize = textSize(fm, kIqData);
    iq.label.small = useSmall;
    iq.label.rect = outside
                        ? QRectF((inst.right() + box.left() - iqSize.width()) / 2, Margin, iqSize.width(), th)
                        : labelAbove(iqSize, inst.right(), box.left(), top + bh / 2, iq.kind);
    m.paths << iq;

    for (qsizetype i = 0; i < c.links.size(); ++i) {
        const SLynxConnection::Link& l = c.links.at(i);
        const double y = top + bh * l.level;
        CLynxGraphPath p = horizontal(l.name, l.kind, box.right(), dut.left(), y, l.towardsDut);
        const QSizeF s = textSize(fm, l.name);
        const double pinWidth = l.pin.isEmpty() ? 0 : textSize(sm, l.pin).width();
        p.label.small = useSmall;
        if (outside && i == 0)
            p.label.rect = QRectF((box.right() + dut.left() - s.width()) / 2, Margin, s.width(), th);
        else if (linksBelow && i == c.links.size() - 1)
            p.label.rect =
                QRectF((box.right() + dut.left() - s.width()) / 2, box.bottom() + 2, s.width(), th);
        else
            p.label.rect =
                labelAbove(s, box.right() + (pinWidth > 0 ? pinWidth + 2 : 0), dut.left(), y, l.kind);
        m.paths << p;
        if (!l.pin.isEmpty())
            m.texts << CLynxGraphText{QRectF(box.right() + 2, y - halfHead(l.kind) - 1 - sh, pinWidth, sh),
                                      l.pin, true, Qt::AlignLeft | Qt::AlignBottom};
    }

    if (c.reference) {
        const double xOut = inst.center().x();
        const double xIn = box.center().x();
        const double y = box.bottom() + bh / 4;
        CLynxGraphPath r;
        r.name = c.referenceName;
        r.kind = CLynxGraphPath::Line;
        r.points << QPointF(xOut, inst.bottom()) << QPointF(xOut, y) << QPointF(xIn, y)
                 << QPointF(xIn, box.bottom());
        const QSizeF s = textSize(fm, c.referenceLabel);
        r.label = CLynxGraphText{QRectF((xOut + xIn - s.width()) / 2, y + 2, s.width(), th), c.referenceLabel,
                                 useSmall, Qt::AlignCenter};
        r.color = c.referenceColor;
        m.paths << r;
    }
    return m;
}

} // namespace MvQARN
