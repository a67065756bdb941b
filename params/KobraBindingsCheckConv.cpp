// One object per distinct check or conversion function, shared by every record that names it.
#include "params/KobraBindingsCheckConv.h"

#include <cstddef>

#include "params/CKobraCheckFunc.h"
#include "params/CKobraConvInFunc.h"
#include "params/CKobraConvOutFunc.h"
#include "params/KobraFunctionSlots.h"

using namespace MvQARN;

namespace {

using Chk = CKobraCheckFunc;
using In = CKobraConvInFunc;
using Out = CKobraConvOutFunc;
using Kobra::CFunctionBinding;

// ---- Check functions ------------------------------------------------------------------------------

Chk s_chkClocRate(&Chk::chkClocRate);
Chk s_chkClocInSkew(&Chk::chkClocInSkew);
Chk s_chkDataStrobPos(&Chk::chkDataStrobPos);
Chk s_chkTestSinusCwFreq(&Chk::chkTestSinusCwFreq);
Chk s_chkTranRecTrigPosition(&Chk::chkTranRecTrigPosition);
Chk s_chkDataType(&Chk::chkDataType);
Chk s_chkClocSour(&Chk::chkClocSour);
Chk s_chkTranRecDataSource(&Chk::chkTranRecDataSource);
Chk s_chkKobraSelected(&Chk::chkKobraSelected);
Chk s_chkSigType(&Chk::chkSigType);
Chk s_chkSsiCmData(&Chk::chkSsiCmData);
Chk s_chkLynxState(&Chk::chkLynxState);
Chk s_chkKobraState(&Chk::chkKobraState);
Chk s_chkService(&Chk::chkService);

const CFunctionBinding s_checkBindings[] = {
    {&s_chkClocRate, {"IdPDbLynxClocRate"}},
    {&s_chkClocInSkew, {"IdPDbLynxClocInSkew"}},
    {&s_chkDataStrobPos, {"IdPDbLynxDataStrobPos"}},
    {&s_chkTestSinusCwFreq, {"IdPDbLynxTestSinusCwFreq"}},
    {&s_chkTranRecTrigPosition, {"IdPDbKobraTranRecTrigPosition"}},
    {&s_chkDataType, {"IdPDbLynxDataType"}},
    {&s_chkClocSour, {"IdPDbLynxClocSour"}},
    {&s_chkTranRecDataSource, {"IdPDbKobraTranRecDataSource"}},
    {&s_chkKobraSelected, {"IdPDbKobraSelected"}},
    {&s_chkSigType, {"IdPDbLynxSigType"}},
    {&s_chkSsiCmData, {"IdPDbLynxSsiCmData"}},
    {&s_chkLynxState, {"IdPDbLynxState"}},
    {&s_chkKobraState, {"IdPDbKobraState"}},
    {&s_chkService,
     {"IdPDbKobraDiagState",
      "IdPDbKobraDiagPoint",
      "IdPDbKobraDiagPointDigRf",
      "IdPDbKobraDiagValue",
      "IdPDbKobraDiagValueDigRf",
      "IdPDbKobraDiagLedTest",
      "IdPDbKobraServiceLvdsStart",
      "IdPDbKobraServiceLvdsSource",
      "IdPDbKobraServiceLvdsReceived",
      "IdPDbKobraServiceLvdsErrors",
      "IdPDbKobraServiceLvdsBer",
      "IdPDbKobraServiceCpriTestExec",
      "IdPDbKobraServiceDigRfTestExec",
      "IdPDbKobraServiceEepromSn",
      "IdPDbKobraServiceEepromSnRead",
      "IdPDbKobraServiceEepromSnCopy",
      "IdPDbKobraServiceEepromSnWrite",
      "IdPDbKobraServiceBobEepromSn",
      "IdPDbKobraServiceBobEepromSnRead",
      "IdPDbKobraServiceBobEepromSnWrite"}},
};

// ---- Conversion-in functions ----------------------------------------------------------------------

In s_cnviLynxState(&In::cnviLynxState);
In s_cnviSelectedSerial(&In::cnviSelectedSerial);
In s_cnviTranRecDataLength(&In::cnviTranRecDataLength);
In s_cnviExtRefFreq(&In::cnviExtRefFreq);
In s_cnviSsiCmData(&In::cnviSsiCmData);
In s_cnviSsiSpiDataWrite(&In::cnviSsiSpiDataWrite);
In s_cnviArbFile(&In::cnviArbFile);
In s_cnviFirmUpdError(&In::cnviFirmUpdError);
In s_cnviTestIqConnError(&In::cnviTestIqConnError);

const CFunctionBinding s_convInBindings[] = {
    {&s_cnviLynxState, {"IdPDbLynxState"}},
    {&s_cnviSelectedSerial, {"IdPiDbKobraSelected", "IdPiDbKobraConfigSelected"}},
    {&s_cnviTranRecDataLength, {"IdPiDbKobraTranRecDataLength"}},
    {&s_cnviExtRefFreq, {"IdPiDbLynxExtRefFreq"}},
    {&s_cnviSsiCmData, {"IdPDbLynxSsiCmData"}},
    {&s_cnviSsiSpiDataWrite, {"IdPDbLynxSsiSpiDataWrite"}},
    {&s_cnviArbFile, {"IdPDbLynxArbFile"}},
    {&s_cnviFirmUpdError, {"IdPDbLynxFirmUpdError", "IdPDbLynxUsbDevFirmUpdError"}},
    {&s_cnviTestIqConnError, {"IdPDbTestLynxIqConnError"}},
};

// ---- Conversion-out functions ---------------------------------------------------------------------

Out s_cnvoSampRate(&Out::cnvoSampRate);
Out s_cnvoIFFreq(&Out::cnvoIFFreq);
Out s_cnvoLynxState(&Out::cnvoLynxState);
Out s_cnvoSelectedSerial(&Out::cnvoSelectedSerial);
Out s_cnvoTranRecDataLength(&Out::cnvoTranRecDataLength);
Out s_cnvoTranRecTrigDelay(&Out::cnvoTranRecTrigDelay);
Out s_cnvoExtRefFreq(&Out::cnvoExtRefFreq);
Out s_cnvoArbSamplesTotal(&Out::cnvoArbSamplesTotal);
Out s_cnvoTestArbFile(&Out::cnvoTestArbFile);
Out s_cnvoTestArbSampRate(&Out::cnvoTestArbSampRate);
Out s_cnvoTestArbSamples(&Out::cnvoTestArbSamples);
Out s_cnvoSsiCmData(&Out::cnvoSsiCmData);
Out s_cnvoSsiSpiDataRead(&Out::cnvoSsiSpiDataRead);
Out s_cnvoUsbDevFirmInstalled(&Out::cnvoUsbDevFirmInstalled);
Out s_cnvoDiagValue(&Out::cnvoDiagValue);
Out s_cnvoServiceLvdsBer(&Out::cnvoServiceLvdsBer);
Out s_cnvoServiceCpriTestError(&Out::cnvoServiceCpriTestError);
Out s_cnvoServiceDigRfTestError(&Out::cnvoServiceDigRfTestError);
Out s_cnvoServiceDigRfTestError2(&Out::cnvoServiceDigRfTestError2);
Out s_cnvoBoxReadout(&Out::cnvoBoxReadout);
// Saving answers the recall name, so that a saved file is offered for recall.
Out s_cnvoLynxSav(Out::hostParmIdReplace(), "IdPDbLynxRcl");

const CFunctionBinding s_convOutBindings[] = {
    {&s_cnvoSampRate, {"IdPDbLynxSampRate"}},
    {&s_cnvoIFFreq, {"IdPDbLynxIFFreq"}},
    {&s_cnvoLynxState, {"IdPDbLynxState"}},
    {&s_cnvoSelectedSerial, {"IdPiDbKobraSelected", "IdPiDbKobraConfigSelected"}},
    {&s_cnvoTranRecDataLength, {"IdPiDbKobraTranRecDataLength"}},
    {&s_cnvoTranRecTrigDelay, {"IdPDbKobraTranRecTrigDelay"}},
    {&s_cnvoExtRefFreq, {"IdPiDbLynxExtRefFreq"}},
    {&s_cnvoArbSamplesTotal, {"IdPDbLynxArbSamplesTotal"}},
    {&s_cnvoTestArbFile, {"IdPDbLynxTestArbFile"}},
    {&s_cnvoTestArbSampRate, {"IdPDbLynxTestArbSampRate"}},
    {&s_cnvoTestArbSamples, {"IdPDbLynxTestArbSamples"}},
    {&s_cnvoSsiCmData, {"IdPDbLynxSsiCmData"}},
    {&s_cnvoSsiSpiDataRead, {"IdPDbLynxSsiSpiDataRead"}},
    {&s_cnvoUsbDevFirmInstalled, {"IdPDbLynxUsbDevFirmInstalled"}},
    {&s_cnvoDiagValue, {"IdPDbKobraDiagValue"}},
    {&s_cnvoServiceLvdsBer, {"IdPDbKobraServiceLvdsBer"}},
    {&s_cnvoServiceCpriTestError, {"IdPDbKobraServiceCpriTestError"}},
    {&s_cnvoServiceDigRfTestError, {"IdPDbKobraServiceDigRfTestError"}},
    {&s_cnvoServiceDigRfTestError2, {"IdPDbKobraServiceDigRfTestError2"}},
    {&s_cnvoBoxReadout,
     {"IdPDbLynxExtRefFreqVal", "IdPDbLynxTestRxBer", "IdPDbLynxTestRxIqWords", "IdPDbLynxTriggerState",
      "IdPDbLynxTriggerStatus"}},
    {&s_cnvoLynxSav, {"IdPDbLynxSav"}},
};

template <std::size_t N> void collectRefusals(const CFunctionBinding (&bindings)[N], QList<QByteArray>& out) {
    for (const CFunctionBinding& b : bindings)
        out += b.refused();
}

} // namespace

namespace Kobra {

QList<QByteArray> checkConvBindingRefusals() {
    QList<QByteArray> out;
    collectRefusals(s_checkBindings, out);
    collectRefusals(s_convInBindings, out);
    collectRefusals(s_convOutBindings, out);
    return out;
}

} // namespace Kobra
