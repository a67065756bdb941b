#pragma once
// The organisation-layer framework's command interface: numbered commands with one command block
// that carries the arguments in and the results out. It is called from the GUI thread and from the
// progress service's worker thread, so implementations must be thread-safe.
namespace MvQARN {

class COlCommandData;

class COlCommandIfc {
public:
    virtual ~COlCommandIfc() = default;
    // True when the framework carried the command out. data may be null (start and stop codes).
    virtual bool execute(int code, COlCommandData* data) = 0;
};

} // namespace MvQARN
