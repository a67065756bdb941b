#pragma once
// The box driver's device: one connected KOBRA box. The virtual order is the driver's calling
// convention and must not change.
#include <QString>

namespace MvQARN {

class KobraDrvInterfaceIfc;
class KobraDrvArbIfc;
class KobraDrvArbSourceIfc;

class KobraDrvDeviceIfc {
public:
    virtual ~KobraDrvDeviceIfc() = default;
    // Operation identifier under which the framework reports an FPGA load's progress; 0 = none.
    virtual unsigned fpgaLoadOperation() = 0;
    // Source interface of ARB entry 0..3, or null.
    virtual KobraDrvArbSourceIfc* arbSourceAccess(int entry) = 0;
    // The ARB interface, or null.
    virtual KobraDrvArbIfc* arbAccess() = 0;
    // Never null while the device exists.
    virtual KobraDrvInterfaceIfc* interfaceAccess() = 0;
    // True: do not program, report success.
    virtual bool skipProgramming() = 0;
    // Path of the configuration currently in the FPGA.
    virtual QString loadedFpgaFile() = 0;
};

} // namespace MvQARN
