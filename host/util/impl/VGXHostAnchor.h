#pragma once
// The host's one anchor: the parameter database and the organisation-layer manager. The host
// runtime attaches both while it runs (none before); a test may attach a manager of its own.
#include "host/util/VGXAnchorInterface.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT VGXHostAnchor : public VGXAnchorInterface {
public:
    static VGXHostAnchor& instance();

    COlManager* olManager() override { return m_olManager; }
    CDbDataBaseIfc* dataBase() override { return m_dataBase; }
    void setOlManager(COlManager* manager) { m_olManager = manager; }
    void setDataBase(CDbDataBaseIfc* dataBase) { m_dataBase = dataBase; }

private:
    VGXHostAnchor() = default;
    COlManager* m_olManager = nullptr;
    CDbDataBaseIfc* m_dataBase = nullptr;
};

} // namespace MvQARN
