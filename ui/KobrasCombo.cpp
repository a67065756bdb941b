#include "ui/KobrasCombo.h"

#include "ui/KobrasListener.h"

namespace MvQARN {

KobrasCombo::KobrasCombo(QWidget* parent, const char* selectionParameter, const char* serialListParameter,
                         int instance, int channel, int direction, int station)
    : VGXComboParameter(parent, QString(),
                        VGXUserDbAttributes(selectionParameter, instance, channel, direction, station)) {
    m_listener = std::make_unique<KobrasListener>(
        this, VGXUserDbAttributes(serialListParameter, instance, channel, direction, station));
    m_listener->update();
}

KobrasCombo::~KobrasCombo() = default;

} // namespace MvQARN
