#pragma once
// Dialog attributes with the instance the dialog works on: instance (t0), channel (t3),
// direction (t1) and station (t2).
#include "host/gui/VGXDialogAttributes.h"

namespace MvQARN {

class VGX_EXPORT VGXUserDialogAttributes : public VGXDialogAttributes {
public:
    VGXUserDialogAttributes() = default;
    VGXUserDialogAttributes(const QString& dialogName, const QString& qualifier, int instance = 0,
                            int channel = 0, int direction = 0, int station = 0);
    ~VGXUserDialogAttributes() override;

    int instance() const { return m_instance; }
    int channel() const { return m_channel; }
    int direction() const { return m_direction; }
    int station() const { return m_station; }
    void setInstance(int v) { m_instance = v; }
    void setChannel(int v) { m_channel = v; }
    void setDirection(int v) { m_direction = v; }
    void setStation(int v) { m_station = v; }

    VGXDialogAttributes* clone() const override;

private:
    int m_instance = 0;
    int m_channel = 0;
    int m_direction = 0;
    int m_station = 0;
};

} // namespace MvQARN
