#pragma once
// Protocol of an interface: format, data rate, interleaving and sample/clock ratio, with summaries
// of the data and clock settings and buttons that bring their setup dialogs to the front.
#include "ui/ifc/CLynxPanelBase.h"

class QLabel;

namespace MvQARN {

class VGXComboParameter;
class VGXLabelParameter;

class VGX_EXPORT CLynxPnlProtocol : public CLynxPanelBase {
    Q_OBJECT
public:
    // User events of the two setup buttons.
    static constexpr int EventDataSetup = 0;
    static constexpr int EventClockSetup = 1;

    CLynxPnlProtocol(QWidget* parent, int instance, int direction);
    ~CLynxPnlProtocol() override;

    VGXComboParameter* ratio() const { return m_ratio; }
    VGXLabelParameter* ifFrequency() const { return m_ifFreq; }
    QLabel* dataSummary() const { return m_dataSummary; }
    QLabel* clockSummary() const { return m_clockSummary; }

protected:
    void applyRules() override;
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    QLabel* summaryRow(VGXPanel* into, const QString& label, const QString& button, int code,
                       const char* key);

    VGXComboParameter* m_ratio = nullptr;
    VGXLabelParameter* m_ifFreq = nullptr;
    QLabel* m_dataSummary = nullptr;
    QLabel* m_clockSummary = nullptr;
};

} // namespace MvQARN
