#pragma once
// The recorder graph: shows the recorder's last captured block in one of four views (I and Q over
// time, vector diagram, CCDF, power spectrum) and follows the recorder parameters of the current
// instance: the block, the sample rate and decimation factor (the period of a sample), the display
// type (which view) and the state (the view sets its axes up again).
//
// A title line above the diagrams names the view and turns a busy mark with every block. The graph
// takes blocks only while it is active and its owner says it is ready (a dialog that is being
// built, a hidden thumbnail).
#include <QVector>
#include <functional>
#include <memory>

#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"
#include "recorder/CKobraPlot.h"

class QLabel;

namespace MvChartDisplay {
class CSgCdPanel;
}

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXDataContainer;

class CKobraGraph : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    enum EView { None = -1, Iq = 0, Vector = 1, Ccdf = 2, Spectrum = 3 };
    static constexpr double DefaultPeriod = 1e-8;

    explicit CKobraGraph(QWidget* parent, std::function<bool()> ownerReady = {});
    ~CKobraGraph() override;

    // While inactive, blocks are not taken (the view keeps its picture).
    void setActive(bool active);
    bool isActive() const { return m_active; }

    void processDataEvent(VGXDataEvent* event) override;

    int viewType() const { return m_type; }
    CKobraPlot* view() const { return m_view.get(); }
    double period() const { return m_period; }
    QString titleText() const;
    // 0: single diagrams; 1 and 2: I(t) and Q(t).
    MvChartDisplay::CSgCdPanel* panel(int index) const { return m_panels[size_t(index)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onBlock(const VGXDataContainer* data);
    void onDisplayType(int type);
    void onRate(const VGXDataContainer* rate, const VGXDataContainer* factor);
    void configurePanel(MvChartDisplay::CSgCdPanel* panel);
    void showPanels(int type);
    void readCurrentValues();

    std::function<bool()> m_ownerReady;
    bool m_active = true;
    CKobraPlot::Panels m_panels{};
    QLabel* m_title;
    std::unique_ptr<CKobraPlot> m_view;
    int m_type = None;
    double m_period = DefaultPeriod;
    int m_busy = 0;
    bool m_compact = false;
    VGXDatabaseConnectorEntry* m_state = nullptr;
    VGXDatabaseConnectorEntry* m_rate = nullptr;
    VGXDatabaseConnectorEntry* m_data = nullptr;
    VGXDatabaseConnectorEntry* m_displayType = nullptr;
    VGXDatabaseConnectorEntry* m_factor = nullptr;
};

} // namespace MvQARN
