// The update function objects and the parameters they are bound to.
#include "params/CKobraUpdateFunc.h"
#include "params/KobraFunctionSlots.h"

namespace MvQARN {

CKobraUpdateFunc::CKobraUpdateFunc(Fn fn) : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(fn)) {}

CKobraUpdateFunc::~CKobraUpdateFunc() = default;

namespace {

using U = CKobraUpdateFunc;
using Kobra::CFunctionBinding;

U s_updLogicType(&U::updLogicType);
U s_updSigType(&U::updSigType);
U s_updClocSour(&U::updClocSour);
U s_updFormat(&U::updFormat);
U s_updDataWordSize(&U::updDataWordSize);
U s_updSsiCmBitLen(&U::updSsiCmBitLen);
U s_updDirection(&U::updDirection);
U s_updTestTxSource(&U::updTestTxSource);
U s_updTestRxSource(&U::updTestRxSource);
U s_updTranRecDataLength(&U::updTranRecDataLength);
U s_updDeviceState(&U::updDeviceState);
U s_updKobraSelected(&U::updKobraSelected);
U s_updKobraSerials(&U::updKobraSerials);
U s_updConfigSelected(&U::updConfigSelected);
U s_updFpgaLoaded(&U::updFpgaLoaded);
U s_updUsbDevState(&U::updUsbDevState);
U s_updUsbBobState(&U::updUsbBobState);
U s_updUsbInstrumentState(&U::updUsbInstrumentState);
U s_updSsiCmDataReadExec(&U::updSsiCmDataReadExec);
U s_updSsiSpiDataWriteExec(&U::updSsiSpiDataWriteExec);
U s_updSsiSpiDataWrite(&U::updSsiSpiDataWrite);
U s_updSsiSpiDataReadExec(&U::updSsiSpiDataReadExec);
U s_updSsiSpiFileSendExec(&U::updSsiSpiFileSendExec);
U s_updSsiSpiFile(&U::updSsiSpiFile);
U s_updArbFile(&U::updArbFile);
U s_updArbReload(&U::updArbReload);
U s_updArbPreset(&U::updArbPreset);
U s_updDiagLedTest(&U::updDiagLedTest);
U s_updServiceLvdsStart(&U::updServiceLvdsStart);
U s_updServiceLvdsSource(&U::updServiceLvdsSource);
U s_updCpriTestExec(&U::updCpriTestExec);
U s_updDigRfTestExec(&U::updDigRfTestExec);
U s_updCpriTestLogSave(&U::updCpriTestLogSave);
U s_updDigRfTestLogSave(&U::updDigRfTestLogSave);
U s_updEepromSnRead(&U::updEepromSnRead);
U s_updEepromSnWrite(&U::updEepromSnWrite);
U s_updEepromSnCopy(&U::updEepromSnCopy);
U s_updBobEepromSnRead(&U::updBobEepromSnRead);
U s_updBobEepromSnWrite(&U::updBobEepromSnWrite);
U s_updLynxPreset(&U::updLynxPreset);
U s_updLynxSav(&U::updLynxSav);
U s_updLynxRcl(&U::updLynxRcl);

const CFunctionBinding s_updateBindings[] = {
    {&s_updLogicType, {"IdPDbLynxLogicType"}},
    {&s_updSigType, {"IdPDbLynxSigType"}},
    {&s_updClocSour, {"IdPDbLynxClocSour"}},
    {&s_updFormat, {"IdPDbLynxFormat"}},
    {&s_updDataWordSize, {"IdPDbLynxDataWordSize"}},
    {&s_updSsiCmBitLen, {"IdPDbLynxSsiCmBitLen"}},
    {&s_updDirection, {"IdPDbLynxDirection"}},
    {&s_updTestTxSource, {"IdPDbLynxTestTxSource"}},
    {&s_updTestRxSource, {"IdPDbLynxTestRxSource"}},
    {&s_updTranRecDataLength, {"IdPDbKobraTranRecDataLength"}},
    {&s_updDeviceState, {"IdPDbLynxDeviceState"}},
    {&s_updKobraSelected, {"IdPDbKobraSelected"}},
    {&s_updKobraSerials, {"IdPDbKobraSerials"}},
    {&s_updConfigSelected, {"IdPDbKobraConfigSelected"}},
    {&s_updFpgaLoaded, {"IdPDbKobraFpgaLoaded"}},
    {&s_updUsbDevState, {"IdPDbLynxUsbDevState"}},
    {&s_updUsbBobState, {"IdPDbLynxUsbBobState"}},
    {&s_updUsbInstrumentState, {"IdPDbLynxUsbInstrumentState"}},
    {&s_updSsiCmDataReadExec, {"IdPDbLynxSsiCmDataReadExec"}},
    {&s_updSsiSpiDataWriteExec, {"IdPDbLynxSsiSpiDataWriteExec"}},
    {&s_updSsiSpiDataWrite, {"IdPDbLynxSsiSpiDataWrite"}},
    {&s_updSsiSpiDataReadExec, {"IdPDbLynxSsiSpiDataReadExec"}},
    {&s_updSsiSpiFileSendExec, {"IdPDbLynxSsiSpiFileSendExec"}},
    {&s_updSsiSpiFile, {"IdPDbLynxSsiSpiFile"}},
    {&s_updArbFile, {"IdPDbLynxArbFile"}},
    {&s_updArbReload, {"IdPDbLynxArbReload"}},
    {&s_updArbPreset, {"IdPDbLynxArbPreset"}},
    {&s_updDiagLedTest, {"IdPDbKobraDiagLedTest"}},
    {&s_updServiceLvdsStart, {"IdPDbKobraServiceLvdsStart"}},
    {&s_updServiceLvdsSource, {"IdPDbKobraServiceLvdsSource"}},
    {&s_updCpriTestExec, {"IdPDbKobraServiceCpriTestExec"}},
    {&s_updDigRfTestExec, {"IdPDbKobraServiceDigRfTestExec"}},
    {&s_updCpriTestLogSave, {"IdPDbKobraServiceCpriTestLogSave"}},
    {&s_updDigRfTestLogSave, {"IdPDbKobraServiceDigRfTestLogSave"}},
    {&s_updEepromSnRead, {"IdPDbKobraServiceEepromSnRead"}},
    {&s_updEepromSnWrite, {"IdPDbKobraServiceEepromSnWrite"}},
    {&s_updEepromSnCopy, {"IdPDbKobraServiceEepromSnCopy"}},
    {&s_updBobEepromSnRead, {"IdPDbKobraServiceBobEepromSnRead"}},
    {&s_updBobEepromSnWrite, {"IdPDbKobraServiceBobEepromSnWrite"}},
    {&s_updLynxPreset, {"IdPDbLynxPreset"}},
    {&s_updLynxSav, {"IdPDbLynxSav"}},
    {&s_updLynxRcl, {"IdPDbLynxRcl"}},
};

} // namespace

} // namespace MvQARN
