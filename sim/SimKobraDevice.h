#pragma once
// The driver's device of one simulated KOBRA box. It keeps what the box was programmed with
// (SimKobraProgramming) and a log of the programming calls in order, so tests and the recorder can
// see them. Switches for tests: skip programming, and a fault per call name (the call then answers
// the given status and changes nothing).
//
// The log holds the interface, ARB and ARB source calls (what reaches the box), not the device's
// own queries (interfaceAccess, skipProgramming, loadedFpgaFile, ...). Record arguments are logged
// field by field.
//
// An FPGA load runs as a framework operation with the phases "Erasing" and "Configuring", so the
// progress service can follow it under fpgaLoadOperation(); without a framework it has no
// identifier and loads at once. Calls come from the GUI thread; readers may be anywhere.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>
#include <array>
#include <memory>
#include <mutex>

#include "host/olfw/KobraDrvArbIfc.h"
#include "host/olfw/KobraDrvDeviceIfc.h"
#include "host/olfw/KobraDrvInterfaceIfc.h"
#include "host/olfw/KobraDrvSignalIfc.h"
#include "sim/SimKobraArbSource.h"
#include "sim/SimKobraProgramming.h"

namespace MvQARN {
class COlFramework;
}

namespace vgxsim {

struct SimDrvCall {
    QByteArray name;
    QVariantList args;
};

class SimKobraDevice : public MvQARN::KobraDrvDeviceIfc,
                       public MvQARN::KobraDrvInterfaceIfc,
                       public MvQARN::KobraDrvArbIfc,
                       public MvQARN::KobraDrvSignalIfc {
public:
    // Driver statuses of the simulation.
    enum Status : int {
        Ok = 0,
        BadArgument = 2,  // a direction, logic type, name or entry the box does not know
        NotConnected = 3, // the box is not connected
    };
    // Where the box's FPGA configurations lie; a file is kobra_<in|out>_<logic type>.bit.
    static constexpr char FpgaFolder[] = "/opt/kobra/fpga";
    static constexpr int LogicTypes = 9;

    explicit SimKobraDevice(int serial);
    ~SimKobraDevice() override;
    SimKobraDevice(const SimKobraDevice&) = delete;
    SimKobraDevice& operator=(const SimKobraDevice&) = delete;

    int serial() const { return m_serial; }

    // The framework whose operation registry FPGA loads report to (and whose duration they take);
    // null: loads happen at once without an operation. Not owned.
    void setFramework(MvQARN::COlFramework* framework);

    // Box attached or not. Going away powers the box off: its programming is lost.
    void setConnected(bool connected);
    bool isConnected() const;

    // ---- for tests and the recorder ----
    SimKobraProgramming programming() const;
    QList<SimDrvCall> calls() const;
    // Names of the logged calls, in order.
    QList<QByteArray> callNames() const;
    void clearCalls();
    void setSkipProgramming(bool skip);
    // The named call answers status from now on (0 removes the fault).
    void setFault(const QByteArray& call, int status);
    void clearFaults();
    // The configuration file for a direction (0 in, 1 out) and logic type; empty when there is none.
    static QString fpgaFileFor(int direction, int logicType);

    // KobraDrvDeviceIfc
    unsigned fpgaLoadOperation() override;
    MvQARN::KobraDrvArbSourceIfc* arbSourceAccess(int entry) override;
    MvQARN::KobraDrvArbIfc* arbAccess() override;
    MvQARN::KobraDrvInterfaceIfc* interfaceAccess() override;
    bool skipProgramming() override;
    QString loadedFpgaFile() override;

    // KobraDrvInterfaceIfc
    int loadFpgaConfiguration(int direction, int logicType, int reserved1, int reserved2) override;
    int setClockSettings(const MvQARN::KobraClockSettings* settings) override;
    int setTestRx(bool on, int source) override;
    int setTestTx(bool on, int source) override;
    int getFpgaFile(int direction, int logicType, double* reserved, QString* file) override;
    int setFormat(const int* format) override;
    int setRateMode(const int* rateMode) override;
    int setInterleaveMode(const int* interleaveMode) override;
    int setDataSettings(const MvQARN::KobraDataSettings* settings) override;
    int setClockRatio(int ratioCode) override;
    int setTestSine(bool on, double linearGain, double cwFrequency, double sampleRate) override;
    int setTrigger(int source, int delay) override;
    int armTrigger() override;
    int restartTrigger() override;

    // KobraDrvArbIfc
    int setWaveforms(int count, const char names[SlotCount][SlotSize],
                     const int64_t samples[SlotCount]) override;

    // KobraDrvSignalIfc: the transmit test signal while it is on (PRBS, counter, sine or an ARB entry's
    // waveform), else the waveform of the first enabled ARB entry, else nothing; a box that is not
    // connected carries nothing.
    SSignal interfaceSignal() override;

private:
    friend class SimKobraArbSource;
    int loadSourceWaveform(int entry, const char* latin1FileName);
    void enableSource(int entry, bool on);

    // Logs the call and answers its status: a fault, NotConnected, or 0 when the call may go on.
    // Lock held.
    int enter(const char* name, QVariantList args);

    const int m_serial;
    mutable std::mutex m_mutex;
    MvQARN::COlFramework* m_framework = nullptr;
    unsigned m_fpgaOperation = 0;
    bool m_connected = true;
    bool m_skipProgramming = false;
    SimKobraProgramming m_programming;
    QList<SimDrvCall> m_calls;
    QHash<QByteArray, int> m_faults;
    std::array<std::unique_ptr<SimKobraArbSource>, SimKobraProgramming::ArbEntries> m_sources;
};

} // namespace vgxsim
