#include "recorder/CKobraPlot.h"

#include <QLabel>
#include <QStringList>

#include "host/gui/CSgCdPanel.h"
#include "host/util/VGXProperties.h"

namespace MvQARN {

QColor kobraGraphColor(const QString& key, const QColor& fallback) {
    const QVariant v = VGXProperties::value(QStringLiteral("GuiBasicColors"), key);
    // QSettings hands "120,120,120" back as a list of three texts.
    QStringList parts = v.toStringList();
    if (parts.size() == 1)
        parts = parts.first().split(QLatin1Char(','));
    if (parts.size() == 3) {
        bool ok[3];
        const QColor c(parts[0].trimmed().toInt(&ok[0]), parts[1].trimmed().toInt(&ok[1]),
                       parts[2].trimmed().toInt(&ok[2]));
        if (ok[0] && ok[1] && ok[2] && c.isValid())
            return c;
    }
    const QColor named = QColor::fromString(v.toString().trimmed());
    return named.isValid() ? named : fallback;
}

CKobraPlot::CKobraPlot(const Panels& panels, QLabel* titleLabel)
    : m_panels(panels), m_titleLabel(titleLabel),
      m_gridColor(kobraGraphColor(QStringLiteral("GraphGridColor"), QColor(120, 120, 120))),
      m_labelColor(kobraGraphColor(QStringLiteral("GraphColor"), QColor(210, 203, 194))),
      m_labelFont(QStringLiteral("Arial"), 12, QFont::Bold) {
    m_home = m_limits;
}

CKobraPlot::~CKobraPlot() = default;

void CKobraPlot::draw() {
    drawCurve(m_panels[0], m_x, m_curve1);
}

void CKobraPlot::setPeriod(double) {}

void CKobraPlot::keepBlock(const qint32* words, int count) {
    if (!words || count <= 0) {
        m_block.clear();
        return;
    }
    m_block = QVector<qint32>(words, words + count);
}

void CKobraPlot::drawCurve(MvChartDisplay::CSgCdPanel* panel, const VGXGraphFloatArray& x,
                           const VGXGraphFloatArray& y) {
    if (!panel || x.size() >= MaxDrawnPoints)
        return;
    panel->setDataArray(QStringLiteral("XDataArray"), x.data(), x.size());
    panel->setDataArray(QStringLiteral("YDataArray"), y.data(), y.size());
    panel->UpdateCDObjects();
}

void CKobraPlot::setScales(MvChartDisplay::CSgCdPanel* panel) {
    panel->setScaleLinear(QStringLiteral("ScaleX"), m_home.x0, m_home.x1);
    panel->setScaleLinear(QStringLiteral("ScaleY"), m_home.y0, m_home.y1);
    panel->setGridColor(QStringLiteral("GridX"), m_gridColor);
    panel->setGridColor(QStringLiteral("GridY"), m_gridColor);
    panel->setLabelColor(m_labelColor);
}

void CKobraPlot::setLabels(MvChartDisplay::CSgCdPanel* panel, const QString& x, const QString& y) {
    panel->setXLabelText(x);
    panel->setYLabelText(y);
    panel->UpdateCDObjects();
}

void CKobraPlot::showTitle(const QString& title) {
    m_title = title;
    if (m_titleLabel) {
        QPalette p = m_titleLabel->palette();
        p.setColor(QPalette::WindowText, m_labelColor);
        m_titleLabel->setPalette(p);
        m_titleLabel->setFont(m_labelFont);
        m_titleLabel->setText(title);
    }
}

} // namespace MvQARN
