#pragma once
// What a data listener receives after a request changed a value it is connected to.
#include <memory>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXDataContainer;

class VGX_EXPORT VGXDataEvent {
public:
    enum ECode {
        DataChanged = 1,
    };

    VGXDataEvent(int code, VGXDatabaseConnectorEntry* source, VGXDataContainer* takeOwnership,
                 const SDbInstTupel& tupel);
    ~VGXDataEvent();
    VGXDataEvent(const VGXDataEvent&) = delete;
    VGXDataEvent& operator=(const VGXDataEvent&) = delete;

    int getCode() const { return m_code; }
    VGXDatabaseConnectorEntry* getSourceEntry() const { return m_source; }
    // The new value as a read returns it (after conversion-out); empty when the read failed.
    VGXDataContainer* getEntryData() const { return m_data.get(); }
    // The instance the value was read at.
    const SDbInstTupel& getTupel() const { return m_tupel; }

private:
    int m_code;
    VGXDatabaseConnectorEntry* m_source;
    std::unique_ptr<VGXDataContainer> m_data;
    SDbInstTupel m_tupel;
};

} // namespace MvQARN
