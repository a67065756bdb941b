#pragma once
// Names one database parameter and four indices for a binding (a control, a listener, a descriptor).
// An index of -1 means the current instance, set with the static setters before bindings are made.
#include <QByteArray>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXUserDbAttributes {
public:
    VGXUserDbAttributes() = default;
    // Indices left out take the current instance values (setCurrentInstance and siblings).
    explicit VGXUserDbAttributes(const char* name);
    VGXUserDbAttributes(const char* name, int instance, int channel, int direction, int station);

    const QByteArray& name() const { return m_name; }
    int instance() const { return m_instance; }   // t0
    int channel() const { return m_channel; }     // t3
    int direction() const { return m_direction; } // t1
    int station() const { return m_station; }     // t2

    // The tuple this binding addresses now; -1 indices resolve to the current instance values.
    SDbInstTupel resolve() const;

    static void setCurrentInstance(int v);
    static void setCurrentChannel(int v);
    static void setCurrentDirection(int v);
    static void setCurrentStation(int v);
    static int currentInstance();
    static int currentChannel();
    static int currentDirection();
    static int currentStation();

private:
    QByteArray m_name;
    int m_instance = -1;
    int m_channel = -1;
    int m_direction = -1;
    int m_station = -1;
};

// Keeps the current instance values of its scope's start and puts them back at its end, so a widget
// that binds its controls to other indices leaves the indices of widgets built after it alone.
class VGX_EXPORT VGXCurrentIndicesGuard {
public:
    VGXCurrentIndicesGuard();
    ~VGXCurrentIndicesGuard();
    VGXCurrentIndicesGuard(const VGXCurrentIndicesGuard&) = delete;
    VGXCurrentIndicesGuard& operator=(const VGXCurrentIndicesGuard&) = delete;

private:
    int m_instance;
    int m_channel;
    int m_direction;
    int m_station;
};

} // namespace MvQARN
