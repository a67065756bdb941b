#pragma once
// The recorder's state diagram: a strip of six state cells (Idle, Free Run, Ready, Wait for
// Trigger, Triggered, Record Done) joined by the five transitions that lead from one to the next.
// The cell of the current state is highlighted. The geometry is computed from the size alone, so
// painting only draws it.
#include <QLine>
#include <QRect>
#include <QStringList>

#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;

class VGX_EXPORT CKobraRecGraph : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    static constexpr int StateCount = 6;
    static constexpr int CellSpacing = 12;

    CKobraRecGraph(QWidget* parent, const VGXUserDbAttributes& state);
    ~CKobraRecGraph() override;

    static QStringList stateTexts();
    static QStringList transitionTexts();

    // -1 until the state is known.
    int lastState() const { return m_lastState; }
    int cellWidth() const { return m_cellWidth; }
    // Repaints asked for by state changes.
    int repaintCount() const { return m_repaints; }
    // Where state cell i lies, and the arrow of transition i (from cell i to cell i + 1).
    QRect cellRect(int i) const;
    QLine transitionLine(int i) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void processDataEvent(VGXDataEvent* event) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setState(int state);

    int m_lastState = -1;
    int m_cellWidth = 0;
    int m_repaints = 0;
    VGXDatabaseConnectorEntry* m_state = nullptr;
};

} // namespace MvQARN
