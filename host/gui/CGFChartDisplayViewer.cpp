#include "host/gui/CGFChartDisplayViewer.h"

#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "host/gui/VGXStyleManager.h"

namespace MvQARN {

double cdRoundUp(double value) {
    if (!(value > 0.0) || !std::isfinite(value))
        return 0.0;
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    const double m = value / decade;
    // A relative tolerance keeps an exact 2 or 5 that arrived a hair above from jumping a step.
    constexpr double eps = 1e-9;
    for (double s : {1.0, 2.0, 5.0})
        if (m <= s * (1.0 + eps))
            return s * decade;
    return 10.0 * decade;
}

} // namespace MvQARN

namespace MvChartDisplay {

namespace {

constexpr double kMinLogValue = 1e-12;

bool parseKind(const QString& kind, bool& log) {
    if (kind.compare(QLatin1String("LIN"), Qt::CaseInsensitive) == 0)
        log = false;
    else if (kind.compare(QLatin1String("LOG"), Qt::CaseInsensitive) == 0)
        log = true;
    else
        return false;
    return true;
}

// A logarithmic axis cannot show values <= 0; its range stays positive and ordered.
CGFChartDisplayViewer::SRange positive(CGFChartDisplayViewer::SRange r) {
    r.from = std::max(r.from, kMinLogValue);
    if (!(r.to > r.from))
        r.to = r.from * 10.0;
    return r;
}

// What a line over points ordered in x looks like on `columns` pixel columns: per column the first,
// lowest, highest and last point, in their order, plus the nearest point either side of the range
// so the line runs to the edges. Drawing thousands of points into a few hundred columns costs the
// chart far more than it shows; this keeps every column's extent exactly. Points not ordered in x
// (a vector diagram) are kept whole.
QList<QPointF> forColumns(const QVector<QPointF>& points, double from, double to, int columns) {
    const qsizetype n = points.size();
    if (n <= 4 * qsizetype(columns) || !(to > from))
        return points;
    for (qsizetype k = 1; k < n; ++k)
        if (points[k].x() < points[k - 1].x())
            return points;
    QList<QPointF> out;
    out.reserve(4 * columns + 2);
    qsizetype first = -1, last = -1, low = -1, high = -1;
    int column = -1;
    const auto flush = [&] {
        if (first < 0)
            return;
        qsizetype idx[4] = {first, low, high, last};
        std::sort(idx, idx + 4);
        for (int j = 0; j < 4; ++j)
            if (j == 0 || idx[j] != idx[j - 1])
                out.append(points[idx[j]]);
    };
    for (qsizetype k = 0; k < n; ++k) {
        const QPointF& p = points[k];
        if (p.x() < from) {
            first = last = low = high = k; // only the last one before the range survives
            column = -1;
            continue;
        }
        if (p.x() > to) {
            flush();
            out.append(p);
            return out;
        }
        const int c = std::min(columns - 1, int((p.x() - from) / (to - from) * columns));
        if (c != column) {
            flush();
            column = c;
            first = last = low = high = k;
            continue;
        }
        last = k;
        if (p.y() < points[low].y())
            low = k;
        if (p.y() > points[high].y())
            high = k;
    }
    flush();
    return out;
}

} // namespace

CGFChartDisplayViewer::CGFChartDisplayViewer(QWidget* parent)
    : CViewer(parent), m_chart(new QChart), m_view(new QChartView(m_chart, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setRenderHint(QPainter::Antialiasing, false);
    m_view->setFrameShape(QFrame::NoFrame);
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    m_chart->setBackgroundRoundness(0);
    // Animations would delay every redraw of a block.
    m_chart->setAnimationOptions(QChart::NoAnimation);
    // Squaring the plot area: the layout tells the area it found; the surplus of the longer side
    // goes into the margins on both sides of it, which the next layout pass takes from that side.
    connect(m_chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        const QMarginsF base(2, 2, 2, 2);
        QMarginsF extra;
        if (m_equalAspect) {
            const double w = area.width() + m_extra.left() + m_extra.right();
            const double h = area.height() + m_extra.top() + m_extra.bottom();
            const double side = std::abs(w - h) / 2;
            extra = w > h ? QMarginsF(side, 0, side, 0) : QMarginsF(0, side, 0, side);
        }
        // After the layout that reports the area: an axis changed while the chart lays itself out
        // corrupts the layout's state.
        if (!m_fitQueued) {
            m_fitQueued = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_fitQueued = false;
                    fitLabels(m_x, true);
                    fitLabels(m_y, false);
                },
                Qt::QueuedConnection);
        }
        if (std::abs(extra.left() - m_extra.left()) + std::abs(extra.top() - m_extra.top()) < 1.0)
            return;
        m_extra = extra;
        m_chart->setMargins((base + extra).toMargins());
    });
    m_majorFont = font();
    m_minorFont = font();
    // Small enough for a thumbnail of the plot.
    setMinimumSize(60, 40);
}

CGFChartDisplayViewer::~CGFChartDisplayViewer() = default;

void CGFChartDisplayViewer::configureCartesian() {
    m_chart->removeAllSeries();
    for (QAbstractAxis* a : m_chart->axes()) {
        m_chart->removeAxis(a);
        delete a;
    }
    m_curves.clear();
    m_x = SAxis{};
    m_y = SAxis{};
    m_chart->setBackgroundBrush(palette().window());
    m_chart->setPlotAreaBackgroundVisible(true);
    setBackground(QStringLiteral("DiagramFillStyle"));
    setBorderColor(m_borderColor);
}

void CGFChartDisplayViewer::setBackground(const QString& fillStyle) {
    QColor c = MvQARN::VGXStyleManager::color(fillStyle);
    if (!c.isValid())
        c = QColor::fromString(fillStyle);
    if (c.isValid())
        m_chart->setPlotAreaBackgroundBrush(c);
}

void CGFChartDisplayViewer::setForeground(const QString& fontStyle) {
    if (!MvQARN::VGXStyleManager::hasFont(fontStyle))
        return;
    m_majorFont = m_minorFont = MvQARN::VGXStyleManager::font(fontStyle);
    applyFonts();
}

void CGFChartDisplayViewer::setAxisLabelVisible(bool visible) {
    m_labelsVisible = visible;
}

void CGFChartDisplayViewer::setEqualAspect(bool equal) {
    if (equal == m_equalAspect)
        return;
    m_equalAspect = equal;
    m_extra = QMarginsF();
    m_chart->setMargins(QMargins(2, 2, 2, 2));
}

void CGFChartDisplayViewer::setBorderColor(const QColor& color) {
    m_borderColor = color;
    m_chart->setPlotAreaBackgroundPen(QPen(color, 1));
}

CGFChartDisplayViewer::SAxis* CGFChartDisplayViewer::axisOf(const QString& name, const char* prefix) {
    return const_cast<SAxis*>(std::as_const(*this).axisOf(name, prefix));
}

const CGFChartDisplayViewer::SAxis* CGFChartDisplayViewer::axisOf(const QString& name,
                                                                  const char* prefix) const {
    if (name == QLatin1String(prefix) + QLatin1Char('X'))
        return &m_x;
    if (name == QLatin1String(prefix) + QLatin1Char('Y'))
        return &m_y;
    return nullptr;
}

bool CGFChartDisplayViewer::setGridDivisionCount(const QString& grid, int divisions) {
    SAxis* a = axisOf(grid, "Grid");
    if (!a || divisions < 1)
        return false;
    a->divisions = divisions;
    a->stepped = false;
    return true;
}

bool CGFChartDisplayViewer::setGridReferenceAndStep(const QString& grid, double reference, double step) {
    SAxis* a = axisOf(grid, "Grid");
    if (!a || !(step > 0.0))
        return false;
    a->reference = reference;
    a->step = step;
    a->stepped = true;
    return true;
}

bool CGFChartDisplayViewer::setGridScaleKind(const QString& grid, const QString& kind) {
    SAxis* a = axisOf(grid, "Grid");
    return a && parseKind(kind, a->gridLog);
}

bool CGFChartDisplayViewer::setGridColor(const QString& grid, const QColor& color) {
    SAxis* a = axisOf(grid, "Grid");
    if (!a || !color.isValid())
        return false;
    a->gridColor = color;
    return true;
}

bool CGFChartDisplayViewer::setScaleLinear(const QString& scale, double from, double to) {
    SAxis* a = axisOf(scale, "Scale");
    if (!a || !std::isfinite(from) || !std::isfinite(to) || from == to)
        return false;
    a->scale = a->shown = SRange{std::min(from, to), std::max(from, to)};
    return true;
}

bool CGFChartDisplayViewer::setScaleKind(const QString& scale, const QString& kind) {
    SAxis* a = axisOf(scale, "Scale");
    return a && parseKind(kind, a->log);
}

void CGFChartDisplayViewer::createCurveLineStyle(const QString& name, const QColor& color, int width) {
    QPen pen(color, std::max(width, 1));
    // Cosmetic: the width stays in pixels whatever the scene transformation.
    pen.setCosmetic(true);
    m_styles.insert(name, pen);
}

void CGFChartDisplayViewer::createCurveCartesian(const QString& curve, const QString& xArray,
                                                 const QString& yArray, const QString& lineStyle) {
    SCurve& c = m_curves[curve];
    c.xArray = xArray;
    c.yArray = yArray;
    c.style = lineStyle;
}

void CGFChartDisplayViewer::setDataArray(const QString& name, const float* values, int count) {
    QVector<double>& a = m_arrays[name];
    a.resize(values && count > 0 ? count : 0);
    std::copy(values, values + a.size(), a.begin());
}

void CGFChartDisplayViewer::setDataArray(const QString& name, const double* values, int count) {
    QVector<double>& a = m_arrays[name];
    a.resize(values && count > 0 ? count : 0);
    std::copy(values, values + a.size(), a.begin());
}

void CGFChartDisplayViewer::setXLabelText(const QString& text) {
    m_x.label = text;
}

void CGFChartDisplayViewer::setYLabelText(const QString& text) {
    m_y.label = text;
}

void CGFChartDisplayViewer::setLabelColor(const QColor& color) {
    if (color.isValid())
        m_labelColor = color;
}

bool CGFChartDisplayViewer::setLabelFont(const QString& which, const QFont& font) {
    if (which == QLatin1String("LabelFontMajor"))
        m_majorFont = font;
    else if (which == QLatin1String("LabelFontMinor"))
        m_minorFont = font;
    else
        return false;
    applyFonts();
    return true;
}

void CGFChartDisplayViewer::applyFonts() {
    for (SAxis* a : {&m_x, &m_y})
        if (a->axis) {
            a->axis->setTitleFont(m_majorFont);
            a->axis->setLabelsFont(m_minorFont);
        }
}

void CGFChartDisplayViewer::applyAxis(SAxis& a, Qt::Alignment side) {
    // An axis, once made, stays in the chart and is hidden while not in use: an axis removed from a
    // chart leaves its drawing in the scene until the event loop deletes it, so a picture taken
    // right after a change of kind would show both.
    if (!a.linAxis) {
        a.linAxis = new QValueAxis;
        a.linAxis->setLabelFormat(QStringLiteral("%g"));
        m_chart->addAxis(a.linAxis, side);
    }
    if (a.log && !a.logAxis) {
        a.logAxis = new QLogValueAxis;
        a.logAxis->setBase(10.0);
        a.logAxis->setLabelFormat(QStringLiteral("%g"));
        const SRange r = positive(a.shown);
        a.logAxis->setRange(r.from, r.to);
        m_chart->addAxis(a.logAxis, side);
    }
    QAbstractAxis* active = a.log ? static_cast<QAbstractAxis*>(a.logAxis) : a.linAxis;
    if (a.axis != active) {
        // The series' domain takes over the range it had; a logarithmic one cannot start at <= 0.
        if (a.log) {
            const SRange r = positive(a.shown);
            a.linAxis->setRange(r.from, r.to);
        }
        for (const SCurve& c : std::as_const(m_curves))
            if (c.series) {
                if (a.axis)
                    c.series->detachAxis(a.axis);
                c.series->attachAxis(active);
            }
        a.axis = active;
    }
    QAbstractAxis* unused = a.log ? static_cast<QAbstractAxis*>(a.linAxis) : a.logAxis;
    if (unused)
        unused->setVisible(false);
    a.axis->setVisible(true);
    QPen grid(a.gridColor, 1, Qt::DotLine);
    grid.setCosmetic(true);
    a.axis->setGridLinePen(grid);
    a.axis->setMinorGridLinePen(grid);
    a.axis->setLinePen(QPen(m_borderColor, 1));
    a.axis->setLabelsColor(m_labelColor);
    a.axis->setTitleBrush(m_labelColor);
    a.axis->setTitleText(a.label);
    a.axis->setTitleVisible(m_labelsVisible && !a.label.isEmpty());
    a.axis->setLabelsVisible(m_labelsVisible);
    a.axis->setTitleFont(m_majorFont);
    a.axis->setLabelsFont(m_minorFont);
    if (a.log) {
        auto* log = static_cast<QLogValueAxis*>(a.axis);
        const SRange r = positive(a.shown);
        log->setRange(r.from, r.to);
        // A linear grid on a logarithmic scale: lines within each decade as well.
        log->setMinorTickCount(a.gridLog ? 0 : 8);
        log->setMinorGridLineVisible(!a.gridLog);
    } else {
        auto* lin = static_cast<QValueAxis*>(a.axis);
        lin->setRange(a.shown.from, a.shown.to);
        const double span = a.shown.to - a.shown.from;
        a.lineStep = 0.0;
        if (!(a.shown == a.scale)) {
            // Zoomed or panned: lines at an easily read step, about as many as the grid asks for.
            lin->setTickType(QValueAxis::TicksDynamic);
            lin->setTickAnchor(a.stepped ? a.reference : 0.0);
            a.lineStep = MvQARN::cdRoundUp(span / (a.stepped ? 10 : a.divisions));
        } else if (a.stepped) {
            // Not more lines than pixels can show: a wide scale widens the step by decades.
            double step = a.step;
            while (span / step > 40.0)
                step *= 10.0;
            lin->setTickType(QValueAxis::TicksDynamic);
            lin->setTickAnchor(a.reference);
            a.lineStep = step;
        } else {
            lin->setTickType(QValueAxis::TicksFixed);
            lin->setTickCount(a.divisions + 1);
            lin->setMinorTickCount(0);
        }
        fitLabels(a, side == Qt::AlignBottom);
    }
}

void CGFChartDisplayViewer::fitLabels(SAxis& a, bool horizontal) {
    if (a.log || a.lineStep <= 0.0 || !a.linAxis)
        return;
    const QFontMetrics fm(m_minorFont);
    const double from = a.shown.from, to = a.shown.to;
    const int text = horizontal ? std::max(fm.horizontalAdvance(QString::asprintf("%g", from)),
                                           fm.horizontalAdvance(QString::asprintf("%g", to))) +
                                      fm.averageCharWidth() * 2
                                : fm.height();
    const QRectF area = m_chart->plotArea();
    const double room = horizontal ? area.width() : area.height();
    const double lines = (to - from) / a.lineStep;
    int every = 1;
    // Before the first layout there is no area to measure: every line keeps its number.
    if (room > 0)
        for (const int k : {1, 2, 5, 10, 20, 50, 100}) {
            every = k;
            if (lines / k * text <= room)
                break;
        }
    a.linAxis->setTickInterval(a.lineStep * every);
    a.linAxis->setMinorTickCount(every - 1);
    a.linAxis->setMinorGridLineVisible(every > 1);
}

void CGFChartDisplayViewer::UpdateCDObjects() {
    // A logarithmic axis complains about every point <= 0 it is given to place, so no series holds
    // points of one kind of axis while attached to the other: when an axis changes kind the series
    // are emptied before it, and the new points come after both axes.
    const auto changesKind = [](const SAxis& a) { return a.axis && (a.axis == a.logAxis) != a.log; };
    const bool emptyFirst = changesKind(m_x) || changesKind(m_y);
    // Series first: an axis made below attaches to every series.
    for (auto it = m_curves.begin(); it != m_curves.end(); ++it) {
        SCurve& c = it.value();
        if (!c.series) {
            c.series = new QLineSeries;
            c.series->setName(it.key());
            m_chart->addSeries(c.series);
            for (SAxis* a : {&m_x, &m_y})
                if (a->axis)
                    c.series->attachAxis(a->axis);
        } else if (emptyFirst) {
            c.series->clear();
        }
        c.series->setPen(m_styles.value(c.style, QPen(Qt::yellow, 1)));
    }
    applyAxis(m_x, Qt::AlignBottom);
    applyAxis(m_y, Qt::AlignLeft);
    for (SCurve& c : m_curves) {
        const QVector<double> xs = m_arrays.value(c.xArray);
        const QVector<double> ys = m_arrays.value(c.yArray);
        const qsizetype n = std::min(xs.size(), ys.size());
        c.points.resize(n);
        for (qsizetype k = 0; k < n; ++k) {
            double y = ys[k];
            if (m_y.log)
                y = std::max(y, kMinLogValue);
            c.points[k] = QPointF(xs[k], y);
        }
        const int columns = std::max(int(m_chart->plotArea().width()), 200);
        c.series->replace(forColumns(c.points, m_x.shown.from, m_x.shown.to, columns));
    }
    ++m_updates;
    m_view->viewport()->update();
}

QVector<QPointF> CGFChartDisplayViewer::curvePoints(const QString& curve) const {
    const auto it = m_curves.constFind(curve);
    return it == m_curves.cend() ? QVector<QPointF>() : it->points;
}

QStringList CGFChartDisplayViewer::curveNames() const {
    QStringList names = m_curves.keys();
    names.sort();
    return names;
}

CGFChartDisplayViewer::SRange CGFChartDisplayViewer::shownRange(const QString& scale) const {
    const SAxis* a = axisOf(scale, "Scale");
    return a ? a->shown : SRange{};
}

CGFChartDisplayViewer::SRange CGFChartDisplayViewer::scaleRange(const QString& scale) const {
    const SAxis* a = axisOf(scale, "Scale");
    return a ? a->scale : SRange{};
}

QString CGFChartDisplayViewer::scaleKind(const QString& scale) const {
    const SAxis* a = axisOf(scale, "Scale");
    if (!a)
        return QString();
    return a->log ? QStringLiteral("LOG") : QStringLiteral("LIN");
}

QString CGFChartDisplayViewer::xLabelText() const {
    return m_x.label;
}

QString CGFChartDisplayViewer::yLabelText() const {
    return m_y.label;
}

void CGFChartDisplayViewer::zoomAt(const QPointF& value, double factorX, double factorY) {
    auto zoom = [](SAxis& a, double centre, double factor) {
        if (!(factor > 0.0))
            return;
        if (a.log) {
            const SRange r = positive(a.shown);
            const double c = std::log10(std::max(centre, kMinLogValue));
            const double lo = c + (std::log10(r.from) - c) * factor;
            const double hi = c + (std::log10(r.to) - c) * factor;
            if (hi - lo > 1e-3)
                a.shown = SRange{std::pow(10.0, lo), std::pow(10.0, hi)};
            return;
        }
        const double lo = centre + (a.shown.from - centre) * factor;
        const double hi = centre + (a.shown.to - centre) * factor;
        // Not past the resolution of the numbers shown.
        if (hi - lo > 1e-9 * std::max(1.0, std::abs(centre)))
            a.shown = SRange{lo, hi};
    };
    zoom(m_x, value.x(), factorX);
    zoom(m_y, value.y(), factorY);
    UpdateCDObjects();
}

void CGFChartDisplayViewer::panBy(double fractionX, double fractionY) {
    auto pan = [](SAxis& a, double fraction) {
        if (a.log) {
            const SRange r = positive(a.shown);
            const double d = (std::log10(r.to) - std::log10(r.from)) * fraction;
            a.shown = SRange{r.from * std::pow(10.0, d), r.to * std::pow(10.0, d)};
            return;
        }
        const double d = (a.shown.to - a.shown.from) * fraction;
        a.shown = SRange{a.shown.from + d, a.shown.to + d};
    };
    pan(m_x, fractionX);
    pan(m_y, fractionY);
    UpdateCDObjects();
}

void CGFChartDisplayViewer::resetZoom() {
    m_x.shown = m_x.scale;
    m_y.shown = m_y.scale;
    UpdateCDObjects();
}

bool CGFChartDisplayViewer::isZoomed() const {
    return !(m_x.shown == m_x.scale) || !(m_y.shown == m_y.scale);
}

QPoint CGFChartDisplayViewer::positionOf(const QPointF& value) const {
    for (const SCurve& c : m_curves)
        if (c.series) {
            const QPointF scene = m_chart->mapToScene(m_chart->mapToPosition(value, c.series));
            return m_view->mapTo(this, m_view->mapFromScene(scene));
        }
    return QPoint();
}

QPointF CGFChartDisplayViewer::valueAt(const QPoint& widgetPos) const {
    for (const SCurve& c : m_curves)
        if (c.series) {
            const QPointF scene = m_view->mapToScene(m_view->mapFrom(this, widgetPos));
            return m_chart->mapToValue(m_chart->mapFromScene(scene), c.series);
        }
    return QPointF();
}

bool CGFChartDisplayViewer::nearestPoint(const QPoint& widgetPos, QString& curve, QPointF& value) const {
    double best = std::numeric_limits<double>::max();
    const QRectF area = m_chart->plotArea();
    for (auto it = m_curves.cbegin(); it != m_curves.cend(); ++it) {
        if (!it->series)
            continue;
        const QPointF target = m_chart->mapFromScene(m_view->mapToScene(m_view->mapFrom(this, widgetPos)));
        for (const QPointF& p : it->points) {
            const QPointF at = m_chart->mapToPosition(p, it->series);
            if (!area.adjusted(-1, -1, 1, 1).contains(at))
                continue;
            const double d = QLineF(at, target).length();
            if (d < best) {
                best = d;
                curve = it.key();
                value = p;
            }
        }
    }
    return best < std::numeric_limits<double>::max();
}

} // namespace MvChartDisplay
