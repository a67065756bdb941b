#include "host/gui/VGXDataEvent.h"

#include "host/gui/VGXDataContainer.h"

namespace MvQARN {

VGXDataEvent::VGXDataEvent(int code, VGXDatabaseConnectorEntry* source, VGXDataContainer* takeOwnership,
                           const SDbInstTupel& tupel)
    : m_code(code), m_source(source), m_data(takeOwnership), m_tupel(tupel) {}

VGXDataEvent::~VGXDataEvent() = default;

} // namespace MvQARN
