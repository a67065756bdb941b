#pragma once
// The host anchor: the root through which a module reaches host services.
namespace MvQARN {

class COlManager;
class CDbDataBaseIfc;

class VGXAnchorInterface {
public:
    virtual ~VGXAnchorInterface() = default;
    // The organisation-layer manager; null when no framework runs.
    virtual COlManager* olManager() = 0;
    virtual CDbDataBaseIfc* dataBase() = 0;
};

} // namespace MvQARN
