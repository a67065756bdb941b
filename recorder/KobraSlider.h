#pragma once
// A horizontal slider with its ticks below, as a framework viewer: clicks, drags and the keys that
// move it raise ActionClicked for the panels above it, Return raises ActionActivated.
#include "host/gui/CViewer.h"

class QSlider;

namespace MvQARN {

class VGX_EXPORT KobraSlider : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    explicit KobraSlider(QWidget* parent);
    ~KobraSlider() override;

    QSlider* slider() const { return m_slider; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void readOnlyChanged(bool readOnly) override;

private:
    QSlider* m_slider;
};

} // namespace MvQARN
