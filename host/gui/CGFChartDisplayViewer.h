#pragma once
// A chart display: one cartesian diagram whose objects are addressed by name, the way the recorder's
// plots describe them. Two axes, each with a scale ("ScaleX", "ScaleY": the value range, linear or
// logarithmic) and a grid ("GridX", "GridY": a number of divisions, or lines from a reference value
// at a fixed step); named data arrays; curves that draw one array over another in a named line
// style. Setters only record the wanted state; UpdateCDObjects hands it to the chart in one go, so a
// plot that changes many objects redraws once. Drawn with Qt Charts (see the README for the choice).
//
// The shown range of an axis may differ from its scale (zoomed or panned); setting the scale
// shows it whole again.
#include <QColor>
#include <QFont>
#include <QHash>
#include <QMarginsF>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QVector>

#include "host/gui/CViewer.h"

class QChart;
class QChartView;
class QLineSeries;
class QAbstractAxis;
class QLogValueAxis;
class QValueAxis;

namespace MvQARN {

// The smallest value of the sequence 1, 2, 5, 10, 20, 50, ... (times powers of ten) that is not
// below value: a grid step people read easily. Values <= 0 give 0.
VGX_EXPORT double cdRoundUp(double value);

} // namespace MvQARN

namespace MvChartDisplay {

class VGX_EXPORT CGFChartDisplayViewer : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    struct SRange {
        double from = -1.0;
        double to = 1.0;
        bool operator==(const SRange&) const = default;
    };

    explicit CGFChartDisplayViewer(QWidget* parent = nullptr);
    ~CGFChartDisplayViewer() override;

    // A diagram with an x and a y axis, both linear from -1 to 1, 4 grid divisions each, no curves.
    void configureCartesian();
    // Plot area fill: a colour of the host style registry by name, or a colour name.
    void setBackground(const QString& fillStyle);
    // Font of the axis texts: a font of the host style registry by name.
    void setForeground(const QString& fontStyle);
    void setAxisLabelVisible(bool visible);
    void setBorderColor(const QColor& color);
    // Keeps the plot area square (one unit as long in x as in y when the scales span the same), for
    // diagrams whose shape means something, such as a circle of constant magnitude.
    void setEqualAspect(bool equal);

    // Grids "GridX" and "GridY". A division count spreads the lines evenly over the scale; a
    // reference and step put them at reference + k * step. Kind "LIN" or "LOG" (lines per decade).
    // Unknown names or kinds answer false and change nothing.
    bool setGridDivisionCount(const QString& grid, int divisions);
    bool setGridReferenceAndStep(const QString& grid, double reference, double step);
    bool setGridScaleKind(const QString& grid, const QString& kind);
    bool setGridColor(const QString& grid, const QColor& color);

    // Scales "ScaleX" and "ScaleY": the range that the axis shows (and returns to on a zoom reset).
    bool setScaleLinear(const QString& scale, double from, double to);
    bool setScaleKind(const QString& scale, const QString& kind);

    void createCurveLineStyle(const QString& name, const QColor& color, int width);
    // A curve draws yArray over xArray in the line style; the arrays may be set before or after.
    void createCurveCartesian(const QString& curve, const QString& xArray, const QString& yArray,
                              const QString& lineStyle);
    void setDataArray(const QString& name, const float* values, int count);
    void setDataArray(const QString& name, const double* values, int count);

    void setXLabelText(const QString& text);
    void setYLabelText(const QString& text);
    void setLabelColor(const QColor& color);
    // "LabelFontMajor" for the axis titles, "LabelFontMinor" for the tick labels.
    bool setLabelFont(const QString& which, const QFont& font);

    // Hands every recorded change to the chart and schedules a repaint.
    void UpdateCDObjects();

    // What the chart shows since the last UpdateCDObjects.
    QVector<QPointF> curvePoints(const QString& curve) const;
    QStringList curveNames() const;
    SRange shownRange(const QString& scale) const;
    SRange scaleRange(const QString& scale) const;
    QString scaleKind(const QString& scale) const;
    QString xLabelText() const;
    QString yLabelText() const;
    int updateCount() const { return m_updates; }

    // Zoom by factor (< 1 in, > 1 out) about a point given in values; pan by a fraction of the shown
    // range; back to the scales.
    void zoomAt(const QPointF& value, double factorX, double factorY);
    void panBy(double fractionX, double fractionY);
    void resetZoom();
    bool isZoomed() const;

    // Curve point nearest (on screen) to a widget position; false when no curve has points.
    bool nearestPoint(const QPoint& widgetPos, QString& curve, QPointF& value) const;
    // Widget position of a value, and the value at a widget position.
    QPoint positionOf(const QPointF& value) const;
    QPointF valueAt(const QPoint& widgetPos) const;

protected:
    QChartView* chartView() const { return m_view; }
    QChart* chart() const { return m_chart; }

private:
    struct SAxis {
        SRange scale;
        SRange shown;
        bool log = false;
        bool gridLog = false;
        int divisions = 4;
        bool stepped = false;
        double reference = 0.0;
        double step = 1.0;
        QColor gridColor = QColor(120, 120, 120);
        QString label;
        double lineStep = 0.0;         // a linear axis's grid step; 0 while its lines come at fixed divisions
        QAbstractAxis* axis = nullptr; // the one in use
        QValueAxis* linAxis = nullptr;
        QLogValueAxis* logAxis = nullptr;
    };
    struct SCurve {
        QString xArray;
        QString yArray;
        QString style;
        QLineSeries* series = nullptr;
        QVector<QPointF> points;
    };

    SAxis* axisOf(const QString& name, const char* scalePrefix);
    const SAxis* axisOf(const QString& name, const char* scalePrefix) const;
    void applyAxis(SAxis& a, Qt::Alignment side);
    // Numbers on every grid line of a linear axis while they fit beside each other, else on every
    // second, fifth, tenth, ... line; the lines between stay, as minor ones.
    void fitLabels(SAxis& a, bool horizontal);
    bool m_fitQueued = false;
    void applyFonts();

    QChart* m_chart;
    QChartView* m_view;
    SAxis m_x;
    SAxis m_y;
    QHash<QString, QVector<double>> m_arrays;
    QHash<QString, QPen> m_styles;
    QHash<QString, SCurve> m_curves;
    QFont m_majorFont;
    QFont m_minorFont;
    QColor m_labelColor = QColor(210, 203, 194);
    QColor m_borderColor = QColor(128, 128, 128);
    bool m_labelsVisible = true;
    bool m_equalAspect = false;
    QMarginsF m_extra; // added to the chart's margins to square the plot area
    int m_updates = 0;
};

} // namespace MvChartDisplay
