#pragma once
// The box selector: a combo bound to a selection parameter whose entries are the serial numbers of
// the connected boxes, kept current by a KobrasListener on the serial number list.
#include <memory>

#include "host/gui/VGXComboParameter.h"

namespace MvQARN {

class KobrasListener;

class VGX_EXPORT KobrasCombo : public VGXComboParameter {
    Q_OBJECT
public:
    // The four indices bind both parameters (instance t0, channel t3, direction t1, station t2; -1
    // takes the current instance).
    KobrasCombo(QWidget* parent, const char* selectionParameter, const char* serialListParameter,
                int instance, int channel, int direction, int station);
    ~KobrasCombo() override;

private:
    std::unique_ptr<KobrasListener> m_listener;
};

} // namespace MvQARN
