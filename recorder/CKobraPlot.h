#pragma once
// One view of the recorder graph: what it draws from a captured block of I/Q words, and how its
// axes are set up. The graph (CKobraGraph) owns the view and hands it every block; the view draws
// on the graph's chart panels (0 for single diagrams, 1 and 2 for I(t) and Q(t)) and sets the
// graph's title label.
#include <QColor>
#include <QFont>
#include <QString>
#include <QVector>
#include <array>

#include "host/numerics/VGXGraphArray.h"

class QLabel;

namespace MvChartDisplay {
class CSgCdPanel;
}

namespace MvQARN {

class CKobraPlot {
public:
    using Panels = std::array<MvChartDisplay::CSgCdPanel*, 3>;

    struct SLimits {
        double x0 = -1.0;
        double x1 = 1.0;
        double y0 = -1.0;
        double y1 = 1.0;
    };

    // Curves with this many points or more are not handed to a panel: it keeps its last picture.
    static constexpr int MaxDrawnPoints = 8192;

    CKobraPlot(const Panels& panels, QLabel* titleLabel);
    virtual ~CKobraPlot();
    CKobraPlot(const CKobraPlot&) = delete;
    CKobraPlot& operator=(const CKobraPlot&) = delete;

    virtual void setData(const qint32* words, int count) = 0;
    // Default: the first curve over the x array on panel 0.
    virtual void draw();
    // Axes, labels and title.
    virtual void setup() = 0;
    // Sample period in seconds; views that do not show time or frequency ignore it.
    virtual void setPeriod(double seconds);

    const QString& title() const { return m_title; }
    const QVector<qint32>& block() const { return m_block; }
    const SLimits& limits() const { return m_limits; }
    const SLimits& homeLimits() const { return m_home; }

protected:
    void keepBlock(const qint32* words, int count);
    // Hands x and y to the panel's "Curve0" unless there are too many points.
    void drawCurve(MvChartDisplay::CSgCdPanel* panel, const VGXGraphFloatArray& x,
                   const VGXGraphFloatArray& y);
    // Scales from the home limits, grid colour, label colour and texts of one panel.
    void setScales(MvChartDisplay::CSgCdPanel* panel);
    void setLabels(MvChartDisplay::CSgCdPanel* panel, const QString& x, const QString& y);
    void showTitle(const QString& title);
    // The limits as they are become the ones a zoom reset returns to.
    void saveHome() { m_home = m_limits; }

    Panels m_panels;
    QLabel* m_titleLabel;
    SLimits m_limits;
    SLimits m_home;
    VGXGraphFloatArray m_x;
    VGXGraphFloatArray m_curve1;
    VGXGraphFloatArray m_curve2;
    // Full scale of a 16-bit sample reads 1.0.
    const float m_sampleScale = float(1.0 / 32767.0);
    QVector<qint32> m_block;
    QString m_title;
    QColor m_gridColor;
    QColor m_labelColor;
    QFont m_labelFont;
};

// A colour of the host's "GuiBasicColors" properties, written "r,g,b" or as a colour name.
QColor kobraGraphColor(const QString& key, const QColor& fallback);

} // namespace MvQARN
