#include "ui/diagrams/CBasebandLynxGraphDataBit.h"

#include <QFontMetricsF>
#include <cmath>

#include "ui/diagrams/CLynxGraphPainter.h"

namespace MvQARN {

namespace {

constexpr int Lsb = 1;
constexpr int CellPad = 4;

// The basic box variant has 20 user interface lines, the full one 18.
int lineCount(int variant) {
    return variant == 0 ? 20 : 18;
}

bool fitsCells(const QFont& font, double cellWidth, double height, int lines) {
    const QFontMetricsF fm(font);
    return fm.horizontalAdvance(QString::number(lines - 1)) + CellPad <= cellWidth &&
           2 * fm.height() <= height;
}

} // namespace

CBasebandLynxGraphDataBit::CBasebandLynxGraphDataBit(QWidget* parent, int instance, int direction)
    : CLynxGraphBase(
          parent, instance, direction,
          {"IdPDbKobraVariant", "IdPDbLynxDataWordSize", "IdPDbLynxDataWordAlign", "IdPDbLynxDataBitOrder"}) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CBasebandLynxGraphDataBit::~CBasebandLynxGraphDataBit() = default;

CLynxGraphModel CBasebandLynxGraphDataBit::model() const {
    const int lines = lineCount(intValue(Variant, 1));
    const int n = qBound(1, intValue(WordSize, 16), lines);
    const int order = intValue(BitOrder, Lsb);
    const int align = intValue(WordAlign, Lsb);
    // The word starts at line 0 when it is aligned to the end that the bit order starts with.
    const int first = align == order ? 0 : lines - n;
    const int last = first + n - 1;
    const QString firstMark = order == Lsb ? QStringLiteral("L") : QStringLiteral("M");
    const QString lastMark = order == Lsb ? QStringLiteral("M") : QStringLiteral("L");

    const double cellWidth = double(width()) / lines;
    const bool small = !fitsCells(font(), cellWidth, height(), lines);
    CLynxGraphModel m;
    for (int i = 0; i < lines; ++i) {
        CLynxGraphCell c;
        c.rect = QRectF(i * cellWidth, 0, cellWidth, height());
        QString mark = QStringLiteral("_");
        if (i == first)
            mark = firstMark;
        else if (i == last)
            mark = lastMark;
        else if (i > first && i < last)
            mark = QStringLiteral("x");
        c.text = QString::number(i) + QLatin1Char('\n') + mark;
        c.small = small;
        c.marked = i >= first && i <= last;
        m.cells << c;
    }
    return m;
}

QSize CBasebandLynxGraphDataBit::sizeHint() const {
    const QFontMetricsF fm(font());
    const int lines = lineCount(0);
    const double cell = fm.horizontalAdvance(QStringLiteral("19")) + 2 * CellPad;
    return QSize(int(std::ceil(cell * lines)), int(std::ceil(2 * fm.height() + 6)));
}

QSize CBasebandLynxGraphDataBit::minimumSizeHint() const {
    const QFontMetricsF sm(lynxGraphSmallFont(font()));
    const int lines = lineCount(0);
    return QSize(int(std::ceil((sm.horizontalAdvance(QStringLiteral("19")) + CellPad) * lines)),
                 sizeHint().height());
}

} // namespace MvQARN
