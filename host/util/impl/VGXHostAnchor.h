#pragma once
// The host's one anchor: the database interface of the engine and the organisation-layer manager
// the host application attaches (none until the framework runs).
#include "host/util/VGXAnchorInterface.h"

namespace MvQARN {

class VGXHostAnchor : public VGXAnchorInterface {
public:
    static VGXHostAnchor& instance();

    COlManager* olManager() override { return m_olManager; }
    CDbDataBaseIfc* dataBase() override;
    void setOlManager(COlManager* manager) { m_olManager = manager; }

private:
    VGXHostAnchor() = default;
    COlManager* m_olManager = nullptr;
};

} // namespace MvQARN
