#pragma once
// The box driver's interface object: programs one KOBRA box. Every call returns 0 on success or a
// driver status. The virtual order is the driver's calling convention and must not change.
#include <QString>

namespace MvQARN {

struct KobraClockSettings;
struct KobraDataSettings;

class KobraDrvInterfaceIfc {
public:
    virtual ~KobraDrvInterfaceIfc() = default;
    virtual int loadFpgaConfiguration(int direction, int logicType, int reserved1, int reserved2) = 0;
    virtual int setClockSettings(const KobraClockSettings* settings) = 0;
    virtual int setTestRx(bool on, int source) = 0;
    virtual int setTestTx(bool on, int source) = 0;
    virtual int getFpgaFile(int direction, int logicType, double* reserved, QString* file) = 0;
    virtual int setFormat(const int* format) = 0;
    virtual int setRateMode(const int* rateMode) = 0;
    virtual int setInterleaveMode(const int* interleaveMode) = 0;
    virtual int setDataSettings(const KobraDataSettings* settings) = 0;
    virtual int setClockRatio(int ratioCode) = 0;
    virtual int setTestSine(bool on, double linearGain, double cwFrequency, double sampleRate) = 0;
    virtual int setTrigger(int source, int delay) = 0;
    virtual int armTrigger() = 0;
    virtual int restartTrigger() = 0;
};

} // namespace MvQARN
