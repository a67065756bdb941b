#include "host/gui/CSgCdPanel.h"

#include <QBuffer>
#include <QChartView>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "host/util/VGXSafeFile.h"

namespace MvChartDisplay {

namespace {

// A ring that marks the chosen curve point; mouse events pass through it to the chart.
class MarkerRing : public QWidget {
public:
    explicit MarkerRing(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        resize(11, 11);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 220, 255), 2));
        p.drawEllipse(rect().adjusted(1, 1, -1, -1));
    }
};

// Zoom per wheel notch (120 units): in when turned away from the user.
double wheelFactor(int delta) {
    return std::pow(0.8, double(delta) / 120.0);
}

} // namespace

CSgCdPanel::CSgCdPanel(QWidget* parent) : CGFChartDisplayViewer(parent) {
    chartView()->viewport()->installEventFilter(this);
    chartView()->viewport()->setMouseTracking(true);
    chartView()->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_readout = new QLabel(this);
    m_readout->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_readout->setStyleSheet(QStringLiteral("color: rgb(0,220,255); background: transparent;"));
    m_readout->hide();
    m_marker = new MarkerRing(this);
}

CSgCdPanel::~CSgCdPanel() = default;

bool CSgCdPanel::savePng(const QString& path, QString* error) const {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!const_cast<CSgCdPanel*>(this)->grab().save(&buffer, "PNG")) {
        if (error)
            *error = tr("The plot could not be rendered.");
        return false;
    }
    return MvQARN::VGXSafeFile::writeReplacing(path, png, error) == MvQARN::VGXSafeFile::Ok;
}

bool CSgCdPanel::saveCsv(const QString& path, QString* error) const {
    QByteArray text = "curve,x,y\n";
    for (const QString& name : curveNames())
        for (const QPointF& p : curvePoints(name))
            text += name.toUtf8() + ',' + QByteArray::number(p.x(), 'g', 9) + ',' +
                    QByteArray::number(p.y(), 'g', 9) + '\n';
    return MvQARN::VGXSafeFile::writeReplacing(path, text, error) == MvQARN::VGXSafeFile::Ok;
}

bool CSgCdPanel::placeMarker(const QPoint& widgetPos) {
    QString curve;
    QPointF value;
    if (!nearestPoint(widgetPos, curve, value)) {
        clearMarker();
        return false;
    }
    m_marked = true;
    m_markerCurve = curve;
    m_markerValue = value;
    updateMarkerItem();
    return true;
}

void CSgCdPanel::clearMarker() {
    m_marked = false;
    m_marker->hide();
    m_readout->hide();
}

QString CSgCdPanel::readoutText() const {
    if (!m_marked)
        return QString();
    return QStringLiteral("x = %1   y = %2")
        .arg(QString::number(m_markerValue.x(), 'g', 6), QString::number(m_markerValue.y(), 'g', 6));
}

void CSgCdPanel::updateMarkerItem() {
    if (!m_marked)
        return;
    const QPoint at = positionOf(m_markerValue);
    m_marker->move(at - QPoint(m_marker->width() / 2, m_marker->height() / 2));
    m_marker->show();
    m_marker->raise();
    m_readout->setText(readoutText());
    m_readout->adjustSize();
    m_readout->move(width() - m_readout->width() - 8, 4);
    m_readout->show();
    m_readout->raise();
}

void CSgCdPanel::resizeEvent(QResizeEvent* event) {
    CGFChartDisplayViewer::resizeEvent(event);
    updateMarkerItem();
}

QMenu* CSgCdPanel::createContextMenu() {
    auto* menu = new QMenu(this);
    QAction* reset = menu->addAction(tr("Reset Zoom"), this, [this] {
        resetZoom();
        updateMarkerItem();
    });
    reset->setEnabled(isZoomed());
    menu->addAction(tr("Hide Marker"), this, [this] { clearMarker(); })->setEnabled(m_marked);
    menu->addSeparator();
    menu->addAction(tr("Save Plot as PNG..."), this, [this] { saveWithDialog(true); });
    menu->addAction(tr("Save Curve as CSV..."), this, [this] { saveWithDialog(false); });
    return menu;
}

void CSgCdPanel::saveWithDialog(bool png) {
    const QString path =
        png ? QFileDialog::getSaveFileName(this, tr("Save Plot"), QString(), tr("PNG Image (*.png)"))
            : QFileDialog::getSaveFileName(this, tr("Save Curve"), QString(), tr("CSV File (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!(png ? savePng(path, &error) : saveCsv(path, &error)))
        QMessageBox::warning(this, tr("Save"), tr("%1 could not be saved: %2").arg(path, error));
}

bool CSgCdPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != chartView()->viewport())
        return CGFChartDisplayViewer::eventFilter(watched, event);
    const auto toPanel = [this](const QPointF& p) {
        return chartView()->viewport()->mapTo(this, p.toPoint());
    };
    switch (event->type()) {
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        const double f = wheelFactor(e->angleDelta().y());
        const bool onlyX = e->modifiers() & Qt::ControlModifier;
        const bool onlyY = e->modifiers() & Qt::ShiftModifier;
        zoomAt(valueAt(toPanel(e->position())), onlyY ? 1.0 : f, onlyX ? 1.0 : f);
        updateMarkerItem();
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton)
            break;
        m_dragging = true;
        m_dragLast = e->position().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint pos = e->position().toPoint();
        if (m_dragging) {
            const QRectF area = chart()->plotArea();
            if (area.width() > 0 && area.height() > 0) {
                const QPoint d = pos - m_dragLast;
                // Dragging right shows what lay to the left; y grows upwards on screen.
                panBy(-d.x() / area.width(), d.y() / area.height());
            }
            m_dragLast = pos;
            updateMarkerItem();
        } else {
            placeMarker(toPanel(pos));
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    case QEvent::MouseButtonDblClick:
        resetZoom();
        updateMarkerItem();
        return true;
    case QEvent::Leave:
        if (!m_dragging)
            clearMarker();
        break;
    case QEvent::ContextMenu: {
        auto* e = static_cast<QContextMenuEvent*>(event);
        QMenu* menu = createContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(e->globalPos());
        return true;
    }
    default:
        break;
    }
    return CGFChartDisplayViewer::eventFilter(watched, event);
}

} // namespace MvChartDisplay
