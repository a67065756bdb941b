#pragma once
// The chart panel modules put into their dialogs: a chart display that the user can also look into.
//  - mouse wheel: zoom about the cursor (Ctrl: x only, Shift: y only);
//  - drag with the left button: pan;
//  - double click or "Reset Zoom": back to the scales the module set (the home limits);
//  - moving the mouse: a marker on the curve point nearest to the cursor, with its values in a
//    readout at the top of the plot;
//  - context menu: reset, save the shown plot as PNG, save the curves as CSV.
#include <QString>

#include "host/gui/CGFChartDisplayViewer.h"

class QLabel;
class QMenu;

namespace MvChartDisplay {

class VGX_EXPORT CSgCdPanel : public CGFChartDisplayViewer {
    Q_OBJECT
public:
    explicit CSgCdPanel(QWidget* parent = nullptr);
    ~CSgCdPanel() override;

    // The picture as shown, into a PNG file; false (and the reason in error) when it cannot be
    // written. A failed write leaves no file under the name.
    bool savePng(const QString& path, QString* error = nullptr) const;
    // The points of every curve, one "curve,x,y" line each after a header line.
    bool saveCsv(const QString& path, QString* error = nullptr) const;

    // The marker: placed on the curve point nearest to a widget position; the readout names it.
    bool placeMarker(const QPoint& widgetPos);
    void clearMarker();
    bool hasMarker() const { return m_marked; }
    QPointF markerValue() const { return m_markerValue; }
    QString readoutText() const;

    // The context menu as the right button opens it (for keyboard users and tests).
    QMenu* createContextMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void saveWithDialog(bool png);
    void updateMarkerItem();

    QLabel* m_readout;
    QWidget* m_marker;
    bool m_marked = false;
    QString m_markerCurve;
    QPointF m_markerValue;
    bool m_dragging = false;
    QPoint m_dragLast;
};

} // namespace MvChartDisplay
