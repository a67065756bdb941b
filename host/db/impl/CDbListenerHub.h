#pragma once
// Where the engine hands the changed instances of a finished request to the data listeners. The GUI
// side (VGXDataObject) installs the hub; the engine calls it before its request observers.
#include <QVector>

#include "host/db/impl/CDbEngine.h"

namespace MvQARN {

class CDbListenerHub {
public:
    virtual ~CDbListenerHub() = default;
    virtual void dispatch(const QVector<CDbEngine::SChange>& changes) = 0;
    // Forget every connection (engine reset).
    virtual void clear() = 0;
};

} // namespace MvQARN
