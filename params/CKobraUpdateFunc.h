#pragma once
// Update functions of the plug-in's parameters: they run after a new value has been stored, keep the
// dependent parameters consistent, mirror the interfaces into the host baseband and start box
// actions. One object per function, bound by parameter name in CKobraUpdateFuncBindings.cpp; the
// members live in one file per area, named below.
#include "host/db/CDbUpdFunc.h"

namespace MvQARN {

class CKobraUpdateFunc : public CDbUpdFunc {
public:
    typedef int (CKobraUpdateFunc::*Fn)(CDbCnct&, const CDbAllType& previous);
    explicit CKobraUpdateFunc(Fn fn);
    ~CKobraUpdateFunc() override;

    // Interface dependencies (CKobraUpdateFuncInterface.cpp).
    int updLogicType(CDbCnct& cnct, const CDbAllType& previous);
    int updSigType(CDbCnct& cnct, const CDbAllType& previous);
    int updClocSour(CDbCnct& cnct, const CDbAllType& previous);
    int updFormat(CDbCnct& cnct, const CDbAllType& previous);
    int updDataWordSize(CDbCnct& cnct, const CDbAllType& previous);
    int updSsiCmBitLen(CDbCnct& cnct, const CDbAllType& previous);
    int updDirection(CDbCnct& cnct, const CDbAllType& previous);
    int updTestTxSource(CDbCnct& cnct, const CDbAllType& previous);
    int updTestRxSource(CDbCnct& cnct, const CDbAllType& previous);
    int updDeviceState(CDbCnct& cnct, const CDbAllType& previous);

    // Box selection and configuration (CKobraUpdateFuncBoxes.cpp).
    int updKobraSelected(CDbCnct& cnct, const CDbAllType& previous);
    int updKobraSerials(CDbCnct& cnct, const CDbAllType& previous);
    int updConfigSelected(CDbCnct& cnct, const CDbAllType& previous);
    int updFpgaLoaded(CDbCnct& cnct, const CDbAllType& previous);
    int updUsbDevState(CDbCnct& cnct, const CDbAllType& previous);
    int updUsbBobState(CDbCnct& cnct, const CDbAllType& previous);
    int updUsbInstrumentState(CDbCnct& cnct, const CDbAllType& previous);

    // SSI and SPI actions (CKobraUpdateFuncInterface.cpp).
    int updSsiCmDataReadExec(CDbCnct& cnct, const CDbAllType& previous);
    int updSsiSpiDataWriteExec(CDbCnct& cnct, const CDbAllType& previous);
    int updSsiSpiDataWrite(CDbCnct& cnct, const CDbAllType& previous);
    int updSsiSpiDataReadExec(CDbCnct& cnct, const CDbAllType& previous);
    int updSsiSpiFileSendExec(CDbCnct& cnct, const CDbAllType& previous);
    int updSsiSpiFile(CDbCnct& cnct, const CDbAllType& previous);

    // ARB (CKobraUpdateFuncArb.cpp).
    int updArbFile(CDbCnct& cnct, const CDbAllType& previous);
    int updArbReload(CDbCnct& cnct, const CDbAllType& previous);
    int updArbPreset(CDbCnct& cnct, const CDbAllType& previous);

    // Recorder (CKobraUpdateFuncRecorder.cpp).
    int updTranRecDataLength(CDbCnct& cnct, const CDbAllType& previous);

    // Service functions (CKobraUpdateFuncService.cpp).
    int updDiagLedTest(CDbCnct& cnct, const CDbAllType& previous);
    int updServiceLvdsStart(CDbCnct& cnct, const CDbAllType& previous);
    int updServiceLvdsSource(CDbCnct& cnct, const CDbAllType& previous);
    int updCpriTestExec(CDbCnct& cnct, const CDbAllType& previous);
    int updDigRfTestExec(CDbCnct& cnct, const CDbAllType& previous);
    int updCpriTestLogSave(CDbCnct& cnct, const CDbAllType& previous);
    int updDigRfTestLogSave(CDbCnct& cnct, const CDbAllType& previous);
    int updEepromSnRead(CDbCnct& cnct, const CDbAllType& previous);
    int updEepromSnWrite(CDbCnct& cnct, const CDbAllType& previous);
    int updEepromSnCopy(CDbCnct& cnct, const CDbAllType& previous);
    int updBobEepromSnRead(CDbCnct& cnct, const CDbAllType& previous);
    int updBobEepromSnWrite(CDbCnct& cnct, const CDbAllType& previous);

    // Preset, save and recall of one interface (CKobraUpdateFuncBoxes.cpp).
    int updLynxPreset(CDbCnct& cnct, const CDbAllType& previous);
    int updLynxSav(CDbCnct& cnct, const CDbAllType& previous);
    int updLynxRcl(CDbCnct& cnct, const CDbAllType& previous);
};

} // namespace MvQARN
