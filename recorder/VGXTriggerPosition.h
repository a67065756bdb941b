#pragma once
// The trigger position as a slider over the recording: its range is the recording length L
// (0 .. L - 1, a tick every L / 10) and it follows the trigger-position parameter. Dragging stores
// the position and writes it once, 500 ms after the last movement, so a drag is one request.
#include <QTimer>

#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class KobraSlider;
class VGXDatabaseConnectorEntry;
class VGXLabel;

class VGX_EXPORT VGXTriggerPosition : public VGXPanel, public VGXDataListener {
    Q_OBJECT
public:
    static constexpr int WriteDelayMs = 500;

    VGXTriggerPosition(QWidget* parent, const VGXUserDbAttributes& length,
                       const VGXUserDbAttributes& position);
    ~VGXTriggerPosition() override;

    KobraSlider* slider() const { return m_slider; }
    const QTimer& timer() const { return m_timer; }
    double pendingPosition() const { return m_pending; }

    void processDataEvent(VGXDataEvent* event) override;

public slots:
    // The slider moved (the user's hand): keep the position, write it when the movement stops.
    void updatePosition(int position);
    // Writes the kept position.
    void setData();

private:
    void applyLength(int length);
    void applyPosition(int position);

    KobraSlider* m_slider;
    VGXLabel* m_value;
    VGXLabel* m_unit;
    QTimer m_timer;
    double m_pending = 0.0;
    VGXDatabaseConnectorEntry* m_length = nullptr;
    VGXDatabaseConnectorEntry* m_position = nullptr;
};

} // namespace MvQARN
