#pragma once
// The anchor's organisation-layer manager: gives access to the framework's command interface.
namespace MvQARN {

class COlCommandIfc;

class COlManager {
public:
    virtual ~COlManager() = default;
    // May answer null when no framework runs.
    virtual COlCommandIfc* commandInterface() = 0;
};

} // namespace MvQARN
