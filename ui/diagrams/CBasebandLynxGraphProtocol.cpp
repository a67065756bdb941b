#include "ui/diagrams/CBasebandLynxGraphProtocol.h"

#include <QFontMetricsF>
#include <cmath>

#include "ui/diagrams/CLynxGraphPainter.h"

namespace MvQARN {

namespace {

constexpr double Margin = 4;
constexpr double Pad = 6;
constexpr double MaxSkew = 5e-9; // the skews' limit; drawn as a quarter of a word
constexpr double RowMin = 22;    // a line with its range text above it
constexpr int Cells = 10;        // words or bits shown when there is room
constexpr int MaxRows = 5;

enum { Serial = 0, Parallel = 1 };
enum { NotInterleaved = 0, IqInterleaved = 1, QiInterleaved = 2 };
enum { Sdr = 0, Ddr = 1 };
enum { Msb = 0, Lsb = 1 };
enum { ClockUserInterface = 1 };
enum { Positive = 0, Negative = 1 };

enum ETrace { Flat, ClockOut, ClockIn, Bus, Bits, Strobe, Marker };

struct Row {
    QString name;
    CLynxGraphPath::EKind kind;
    bool out; // the box drives the line
    QString text;
    ETrace trace;
    QString word; // bus contents
};

QString bitRange(const QString& prefix, int n, int order) {
    const int from = order == Lsb ? 0 : n - 1;
    const int to = order == Lsb ? n - 1 : 0;
    return prefix + QString::number(from) + QStringLiteral("..") + prefix + QString::number(to);
}

QString rateText(double hz) {
    if (hz >= 1e6)
        return QString::number(hz / 1e6, 'g', 7) + QStringLiteral(" MHz");
    if (hz >= 1e3)
        return QString::number(hz / 1e3, 'g', 7) + QStringLiteral(" kHz");
    return QString::number(hz, 'g', 7) + QStringLiteral(" Hz");
}

double halfHead(CLynxGraphPath::EKind kind) {
    return kind == CLynxGraphPath::Broad ? CLynxGraphPath::BroadHead / 2 : CLynxGraphPath::LineHead + 1;
}

double textWidth(const QFontMetricsF& fm, const QString& text) {
    double w = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        w = qMax(w, fm.horizontalAdvance(line));
    return std::ceil(w) + 1;
}

// A clock from x0 to x1 that rises at `rise` and every period after it.
QPolygonF square(double x0, double x1, double period, double rise, double yHigh, double yLow, bool inverted) {
    const double half = period / 2;
    double phase = std::fmod(x0 - rise, period);
    if (phase < 0)
        phase += period;
    double y = ((phase < half) != inverted) ? yHigh : yLow;
    QPolygonF points{QPointF(x0, y)};
    for (double e = rise + (std::floor((x0 - rise) / half) + 1) * half; e < x1; e += half) {
        points << QPointF(e, y);
        y = y == yHigh ? yLow : yHigh;
        points << QPointF(e, y);
    }
    points << QPointF(x1, y);
    return points;
}

// One level per cell.
QPolygonF steps(double x0, double cell, const QList<bool>& high, double yHigh, double yLow) {
    QPolygonF points;
    for (qsizetype i = 0; i < high.size(); ++i) {
        const double y = high.at(i) ? yHigh : yLow;
        points << QPointF(x0 + i * cell, y) << QPointF(x0 + (i + 1) * cell, y);
    }
    return points;
}

} // namespace

CBasebandLynxGraphProtocol::CBasebandLynxGraphProtocol(QWidget* parent, int instance, int direction)
    : CLynxGraphBase(parent, instance, direction,
                     {"IdPDbLynxDirection", "IdPDbLynxFormat", "IdPDbLynxRateMode", "IdPDbLynxIleavMode",
                      "IdPDbLynxClocRate", "IdPDbLynxClocSour", "IdPDbLynxClocPhas", "IdPDbLynxClocSkew",
                      "IdPDbLynxClocInSkew", "IdPDbLynxClocPol", "IdPDbLynxDataWordSize",
                      "IdPDbLynxDataBitOrder", "IdPDbLynxDataStrobPos", "IdPDbLynxDataStrobPol"}) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CBasebandLynxGraphProtocol::~CBasebandLynxGraphProtocol() = default;

CLynxGraphModel CBasebandLynxGraphProtocol::model() const {
    const bool out = intValue(Direction, 1) != 0;
    const int format = intValue(Format, Parallel);
    const int ileav = intValue(IleavMode, NotInterleaved);
    const int n = qMax(1, intValue(WordSize, 16));
    const int order = intValue(BitOrder, Lsb);

    QList<Row> rows;
    rows << Row{QStringLiteral("UI_GP5"), CLynxGraphPath::Line, out, QString(), Flat, QString()};
    if (intValue(ClockSource, 2) == ClockUserInterface)
        rows << Row{QStringLiteral("Clk In"), CLynxGraphPath::Line, false, QString(), ClockIn, QString()};
    rows << Row{QStringLiteral("Clk   "),
                CLynxGraphPath::Line,
                true,
                rateText(value(ClockRate).value_or(1e7)),
                ClockOut,
                QString()};
    if (format == Serial) {
        rows << Row{QStringLiteral("Data"), CLynxGraphPath::Line, out, QString(), Bits, QString()}
             << Row{QStringLiteral("Strobe"), CLynxGraphPath::Line, out, QString(), Strobe, QString()};
    } else if (ileav == NotInterleaved) {
        rows << Row{QStringLiteral("I Data"),
                    CLynxGraphPath::Broad,
                    out,
                    bitRange(QStringLiteral("I"), n, order),
                    Bus,
                    QStringLiteral("I")}
             << Row{QStringLiteral("Q Data"),
                    CLynxGraphPath::Broad,
                    out,
                    bitRange(QStringLiteral("Q"), n, order),
                    Bus,
                    QStringLiteral("Q")};
    } else {
        rows << Row{QStringLiteral("Data"),
                    CLynxGraphPath::Broad,
                    out,
                    bitRange(QStringLiteral("IQ"), n, order),
                    Bus,
                    QString()}
             << Row{QStringLiteral("I Marker"), CLynxGraphPath::Line, out, QString(), Marker, QString()};
    }

    const QFont small = lynxGraphSmallFont(font());
    const QFontMetricsF sm(small);
    const double sh = sm.height();

    // Box: its name, then a column with the line names along its right edge.
    double portWidth = 0;
    for (const Row& r : rows)
        portWidth = qMax(portWidth, textWidth(sm, r.name));
    const QString name = QStringLiteral("Maravel\nKOBRA");
    const double available = width() - 2 * Margin;
    bool smallName = false;
    double nameWidth = textWidth(QFontMetricsF(font()), name);
    if (nameWidth + portWidth + 3 * Pad > available / 3) {
        smallName = true;
        nameWidth = textWidth(sm, name);
    }
    const double boxWidth = nameWidth + portWidth + 3 * Pad;
    double segment = 40;
    for (const Row& r : rows)
        segment = qMax(segment, textWidth(sm, r.text) + 2 * Pad);

    const double top = Margin;
    const double boxHeight = height() - 2 * Margin;
    const double rowHeight = boxHeight / rows.size();
    const QRectF boxRect(Margin, top, boxWidth, boxHeight);
    const double x0 = boxRect.right() + segment + 4; // traces
    const double x1 = width() - Margin;

    // Word or bit cells: ten when there is room, narrower ones only down to their text.
    const bool serial = format == Serial;
    const double minCell = serial ? textWidth(sm, QStringLiteral("I%1").arg(n - 1)) + 6 : 20;
    const double cell = qMax(minCell, (x1 - x0) / Cells);
    const int cells = qMax(0, int((x1 - x0) / cell));
    const double period = intValue(RateMode, Sdr) == Ddr ? 2 * cell : cell;
    const bool inverted = intValue(ClockPolarity, Positive) == Negative;
    const auto skewShift = [&](int index) {
        return qBound(-1.0, value(index).value_or(0) / MaxSkew, 1.0) * cell / 4;
    };

    CLynxGraphModel m;
    CLynxGraphBox box;
    box.rect = boxRect;
    box.name = CLynxGraphText{QRectF(boxRect.left(), top, nameWidth + 2 * Pad, boxHeight), name, smallName,
                              Qt::AlignCenter};

    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Row& r = rows.at(i);
        const double y = top + rowHeight * (i + 0.5);
        box.ports << CLynxGraphText{QRectF(boxRect.right() - Pad - portWidth, y - sh / 2, portWidth, sh),
                                    r.name, true, Qt::AlignRight | Qt::AlignVCenter};

        CLynxGraphPath p;
        p.name = r.name;
        p.kind = r.kind;
        const QPointF atBox(boxRect.right(), y);
        const QPointF atTrace(boxRect.right() + segment, y);
        p.points = r.out ? QPolygonF{atBox, atTrace} : QPolygonF{atTrace, atBox};
        const double tw = textWidth(sm, r.text);
        p.label =
            CLynxGraphText{QRectF((atBox.x() + atTrace.x() - tw) / 2, y - halfHead(r.kind) - 1 - sh, tw, sh),
                           r.text, true, Qt::AlignCenter};
        m.paths << p;

        CLynxGraphTrace t;
        t.name = r.name;
        const double traceHeight = qBound(6.0, rowHeight / 2, 12.0);
        const double yHigh = y - traceHeight / 2;
        const double yLow = y + traceHeight / 2;
        const double end = x0 + cells * cell;
        switch (r.trace) {
        case Flat:
            t.points = QPolygonF{QPointF(x0, yLow), QPointF(end, yLow)};
            break;
        case ClockOut:
        case ClockIn: {
            // Phase and skew move the clock edges against the data; the in-skew the returned clock.
            const double nominal = x0 + (r.trace == ClockOut ? intValue(ClockPhase, 0) * period / 4 : 0);
            const double shift = skewShift(r.trace == ClockOut ? ClockSkew : ClockInSkew);
            t.points = square(x0, end, period, nominal + shift, yHigh, yLow, inverted);
            if (shift != 0)
                t.marks << QLineF(nominal, yHigh - 2, nominal, yLow + 2);
            break;
        }
        case Bus:
            for (int c = 0; c < cells; ++c) {
                // Interleaved words alternate, the first one named by the interleaving.
                QString word = r.word;
                if (word.isEmpty())
                    word = ((c % 2 == 0) == (ileav != QiInterleaved)) ? QStringLiteral("I")
                                                                      : QStringLiteral("Q");
                const QRectF rect(x0 + c * cell, yHigh, cell, traceHeight);
                t.words << CLynxGraphText{rect, sm.horizontalAdvance(word) + 6 <= cell ? word : QString(),
                                          true, Qt::AlignCenter};
            }
            break;
        case Marker: {
            QList<bool> high;
            for (int c = 0; c < cells; ++c)
                high << ((c % 2 == 0) == (ileav != QiInterleaved));
            t.points = steps(x0, cell, high, yHigh, yLow);
            break;
        }
        case Bits:
        case Strobe: {
            // The serial word is I then Q, each in bit order; the strobe marks the bit at the strobe
            // position. The window starts early enough to show it.
            const int bits = 2 * n;
            const int position = qBound(0, intValue(StrobePosition, 0), bits - 1);
            const int first = position < cells - 1 ? 0 : position - cells / 2;
            if (r.trace == Bits) {
                for (int c = 0; c < cells; ++c) {
                    const int b = (first + c) % bits;
                    const int inWord = b % n;
                    const QString text = (b < n ? QStringLiteral("I") : QStringLiteral("Q")) +
                                         QString::number(order == Lsb ? inWord : n - 1 - inWord);
                    t.words << CLynxGraphText{QRectF(x0 + c * cell, yHigh, cell, traceHeight),
                                              sm.horizontalAdvance(text) + 4 <= cell ? text : QString(), true,
                                              Qt::AlignCenter};
                }
            } else {
                const bool negative = intValue(StrobePolarity, Positive) == Negative;
                QList<bool> high;
                for (int c = 0; c < cells; ++c)
                    high << ((first + c == position) != negative);
                t.points = steps(x0, cell, high, yHigh, yLow);
            }
            break;
        }
        }
        m.traces << t;
    }
    m.boxes << box;
    return m;
}

QSize CBasebandLynxGraphProtocol::sizeHint() const {
    const QFontMetricsF fm(font());
    const QFontMetricsF sm(lynxGraphSmallFont(font()));
    const double boxWidth =
        textWidth(fm, QStringLiteral("Maravel\nKOBRA")) + textWidth(sm, QStringLiteral("I Marker")) + 3 * Pad;
    const double segment = textWidth(sm, QStringLiteral("IQ17..IQ0")) + 2 * Pad;
    const double traces = Cells * (textWidth(sm, QStringLiteral("I17")) + 6);
    return QSize(
        int(std::ceil(2 * Margin + boxWidth + segment + 4 + traces)),
        int(std::ceil(2 * Margin +
                      MaxRows * qMax(RowMin, sm.height() + 2 + 2 * halfHead(CLynxGraphPath::Broad)))));
}

QSize CBasebandLynxGraphProtocol::minimumSizeHint() const {
    return QSize(sizeHint().width() / 2, sizeHint().height());
}

} // namespace MvQARN
