#pragma once
// The KOBRA box's organisation layer: turns changed interface parameters into box programming. For
// a changed parameter it answers the actions the change needs; for an interface (path, side) it
// reads the interface's parameters, fills the driver records and calls the box driver in a fixed
// order. Statuses are summed, never interpreted. Corrections go back as host messages, errors to the
// error manager (50298).
#include <QPointer>
#include <optional>

#include "orglayer/COlKobraLoadableExtension.h"

namespace MvQARN {

class KobraDrvInterfaceIfc;
class KobraProgress;

class CKobraOrgLayer : public COlKobraLoadableExtension {
public:
    // Internal actions: bits of the mask that getInternalAction answers and setKobra carries out.
    enum EAction : int {
        ActAll = -1,
        ActFull = 0x1,
        ActFormat = 0x20,
        ActRateMode = 0x40,
        ActInterleave = 0x80,
        ActData = 0x100,
        ActClock = 0x200,
        ActTrigger = 0x400,
        ActSsi = 0x10000,
        ActSsiSpiClock = 0x100000,
        ActSsiGainFile = 0x200000,
        ActSsiGainAuto = 0x400000,
        ActTriggerArm = 0x800000,
        ActTestRx = 0x1000000,
        ActTestTx = 0x2000000,
        ActArb = 0x4000000,
        ActTriggerRestart = 0x8000000,
        ActInterface = 0x10000000,
        // Everything an interface setting touches.
        ActInterfaceMask = ActInterface | ActTestTx | ActTestRx | ActFormat | ActRateMode | ActInterleave |
                           ActData | ActClock | ActTrigger,
    };

    // Error code of everything the layer signals.
    static constexpr int ErrorCode = 50298;
    // Sample rates below this are raised to it.
    static constexpr double MinSampleRate = 31.25;

    CKobraOrgLayer();
    ~CKobraOrgLayer() override;

    int extensionCode() const override;
    const char* parameterPrefix() const override;
    int extensionOption() const override;
    int getInternalAction(const char* name, int Path, int Drct, int x, int y) override;
    int getSampleRate(CDbDataBaseIfc* db, int Path, int Drct, int x, double& rate) override;
    int setKobra(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path, int Drct,
                 int actions) override;
    int loadFpga(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                 int Drct) override;
    int setArb(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
               int Drct) override;

private:
    // Steps of setKobra, each answering its status.
    int setFormat(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct);
    int setRateMode(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct);
    int setInterleave(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct);
    int setData(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct);
    int setClock(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct);
    int setTrigger(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct);
    int setTestRx(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path, int Drct);
    int setTestTx(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path, int Drct);
    // Reads the state of the rx or tx test (stateName). A test switched on for a box variant that
    // cannot run it is reported (unsupported) and switched off again: the step then ends with the
    // status answered here.
    std::optional<int> testState(CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, const char* stateName,
                                 const char* unsupported, int Path, int Drct, int& state);

    // Hands one correction of an interface parameter to the message buffer.
    void sendMessage(CDbMsgBuffer* msgBuffer, const char* name, int value, int Path, int Drct,
                     unsigned flags = 0);
    // Formats a debug line into the text buffer and prints it when the debug server wants it.
    void debug(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));

    // The progress service, shown while an FPGA configuration loads. Owned: the layer closes and
    // destroys it at the end of its life.
    QPointer<KobraProgress> progress;
};

} // namespace MvQARN
