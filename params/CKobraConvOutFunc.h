#pragma once
// Conversion-out functions of the plug-in's parameters: what a read answers (computed values, box
// read-outs, internal twins). One object per function, bound at load time
// (KobraBindingsCheckConv.cpp).
#include "host/db/CDbCnvOutFunc.h"

namespace MvQARN {

class CKobraConvOutFunc : public CDbCnvOutFunc {
public:
    typedef void (CKobraConvOutFunc::*Fn)(CDbCnct&);
    explicit CKobraConvOutFunc(Fn fn, const char* name = nullptr);
    ~CKobraConvOutFunc() override;

    // The host's parameter-name replacement (answers the parameter named at construction).
    static Fn hostParmIdReplace() { return &CKobraConvOutFunc::cnvoDbParmIdReplace; }

    // Interface clock and state.
    void cnvoSampRate(CDbCnct& cnct);
    void cnvoIFFreq(CDbCnct& cnct);
    void cnvoLynxState(CDbCnct& cnct);
    void cnvoExtRefFreq(CDbCnct& cnct);
    // Internal twins and recorder.
    void cnvoSelectedSerial(CDbCnct& cnct);
    void cnvoTranRecDataLength(CDbCnct& cnct);
    void cnvoTranRecTrigDelay(CDbCnct& cnct);
    // ARB and test signal.
    void cnvoArbSamplesTotal(CDbCnct& cnct);
    void cnvoTestArbFile(CDbCnct& cnct);
    void cnvoTestArbSampRate(CDbCnct& cnct);
    void cnvoTestArbSamples(CDbCnct& cnct);
    // SSI and SPI read-back.
    void cnvoSsiCmData(CDbCnct& cnct);
    void cnvoSsiSpiDataRead(CDbCnct& cnct);
    // USB devices, diagnostics and service.
    void cnvoUsbDevFirmInstalled(CDbCnct& cnct);
    void cnvoDiagValue(CDbCnct& cnct);
    void cnvoServiceLvdsBer(CDbCnct& cnct);
    void cnvoServiceCpriTestError(CDbCnct& cnct);
    void cnvoServiceDigRfTestError(CDbCnct& cnct);
    void cnvoServiceDigRfTestError2(CDbCnct& cnct);
    // Status values read from the box (one function for all rows of the read-out table).
    void cnvoBoxReadout(CDbCnct& cnct);
};

} // namespace MvQARN
