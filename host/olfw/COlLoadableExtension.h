#pragma once
// The framework's extension interface: a loadable module's organisation layer plugs in here. After
// a parameter change the framework asks the extension for the actions the change needs and lets it
// carry them out for one interface (path t0, side t1) on that interface's box. The virtual order is
// the framework's calling convention and must not change.
namespace MvQARN {

class CDbDataBaseIfc;
class CDbMsgBuffer;
class KobraDrvDeviceIfc;

class COlLoadableExtension {
public:
    virtual ~COlLoadableExtension() = default;

    virtual int extensionKind() const = 0;
    virtual int extensionCode() const = 0;
    // Name prefix of the parameters whose changes the extension handles.
    virtual const char* parameterPrefix() const = 0;
    virtual int extensionOption() const = 0;

    // Action mask for a changed parameter of interface (Path, Drct); -1 means every action, 0 none.
    virtual int getInternalAction(const char* name, int Path, int Drct, int x, int y) = 0;
    // The interface's sample rate; returns the read status (0 = success).
    virtual int getSampleRate(CDbDataBaseIfc* db, int Path, int Drct, int x, double& rate) = 0;
    // Carries out an action mask on the interface's box; returns the sum of the step statuses.
    // Corrections of parameters are handed to msgBuffer.
    virtual int setKobra(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                         int Drct, int actions) = 0;
    // FPGA configuration of the interface's box.
    virtual int loadFpga(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                         int Drct) = 0;
    // ARB entries of the interface to its box.
    virtual int setArb(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                       int Drct) = 0;
};

} // namespace MvQARN
