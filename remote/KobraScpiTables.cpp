#include "remote/KobraScpiTables.h"

#include "remote/KobraScpiCodes.h"
#include "remote/KobraScpiValues.h"

using namespace MvQARN;
using namespace Kobra::scpi;

namespace Kobra {

SScpiParseTable* g_scpiRootTable = nullptr;
int g_scpiTableCount = 0;
SScpiParseTable* g_scpiTableList[ScpiTableCapacity] = {};

namespace {

// ---- Flag words and the end record ---------------------------------------------------------------

constexpr unsigned A = ScpiFlagsAGroup;    // flags A of most groups
constexpr unsigned B = ScpiFlagBBothSides; // both path and side follow the interface selector
constexpr unsigned Firmware = ScpiFlagBFirmware;
constexpr SScpiCmd kEnd = {};

// ---- Table slots ------------------------------------------------------------------------------------

SScpiParseTable *sSource, *sBbin, *sIq, *sIqOut, *sDiag, *sKobr;
// BBIN:EXTernal and IQ:OUTPut:EXTernal: each its own interface level with its own sub-levels.
SScpiParseTable *sIfcBbin, *sIfClock, *sIfClockSkew, *sIfData, *sIfDataPol, *sIfFirm, *sIfLogic, *sIfSsi,
    *sIfSsiGain, *sIfSpi, *sIfSpiClock;
SScpiParseTable *sIfcIq, *sIqClock, *sIqClockSkew, *sIqData, *sIqDataPol, *sIqFirm, *sIqLogic, *sIqSsi,
    *sIqSsiGain, *sIqSpi, *sIqSpiClock;
// KOBR:USER.
SScpiParseTable *sUser, *sUClock, *sUClockRef, *sUClockSkew, *sUData, *sUDataPol, *sUFirm, *sULogic, *sUSsi,
    *sUSsiGain, *sUSpi, *sUSpiClock, *sUSetting, *sUSettingStore, *sUTest, *sUTestRx, *sUTestTx,
    *sUTestTxSine, *sUTrigger;
// KOBR.
SScpiParseTable *sArb, *sDevice, *sDevBoard, *sDevBob, *sDevFirm, *sDevFpg, *sInst;
// DIAGnostic:KOBR.
SScpiParseTable *sDiagKobr, *sCpri, *sCpriTest, *sDrf, *sDrfTest, *sEeprom, *sEepromBob, *sEepromBobSerial,
    *sEepromSerial, *sLvds, *sLvdsLink, *sPoint, *sPointDrf;

// Records as designated initialisers, several fields to a line.
// clang-format off

// ---- Root ---------------------------------------------------------------------------------------------

const SScpiCmd cRoot[] = {
    {.mnemonic = "BBIN", .flagsA = A, .kind = ScpiKindNode, .sub = &sBbin},
    {.mnemonic = "DIAGnostic", .flagsA = A, .kind = ScpiKindNode, .sub = &sDiag,
     .suffix = ScpiSuffixInterface},
    {.mnemonic = "KOBR", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sKobr},
    {.mnemonic = "IQ", .flagsA = A, .kind = ScpiKindNode, .sub = &sIq},
    {.mnemonic = "SOURce", .flagsA = A, .kind = ScpiKindNode, .sub = &sSource, .suffix = ScpiSuffixInterface},
    kEnd,
};
const SScpiCmd cSource[] = {
    {.mnemonic = "BBIN", .flagsA = A, .kind = ScpiKindNode, .sub = &sBbin},
    {.mnemonic = "KOBR", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sKobr},
    {.mnemonic = "IQ", .flagsA = A, .kind = ScpiKindNode, .sub = &sIq},
    kEnd,
};
const SScpiCmd cBbin[] = {
    {.mnemonic = "EXTernal", .flagsA = A, .kind = ScpiKindNode, .sub = &sIfcBbin},
    kEnd,
};
const SScpiCmd cIq[] = {
    {.mnemonic = "OUTPut", .flagsA = A, .kind = ScpiKindNode, .sub = &sIqOut},
    kEnd,
};
// The output side is fixed by the path, whatever the interface selector says.
const SScpiCmd cIqOut[] = {
    {.mnemonic = "EXTernal", .flagsA = A, .kind = ScpiKindNode, .sub = &sIfcIq,
     .suffix = ScpiSuffixOutputSide},
    kEnd,
};
const SScpiCmd cDiag[] = {
    {.mnemonic = "KOBR", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDiagKobr},
    kEnd,
};

// ---- Interface levels ---------------------------------------------------------------------------

#define KOBRA_IFC_LEVEL(FA, FB, CLOCK, DATA, FIRM, LOGIC, SSI)                                               \
    {.mnemonic = "CLOCk", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = CLOCK},                   \
    {.mnemonic = "DATA", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = DATA},                     \
    {.mnemonic = "DIRection", .code = CodeDirection, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,    \
     .arg = &dDirection, .param = "IdPDbLynxDirection"},                                                     \
    {.mnemonic = "DRATe", .code = CodeRateMode, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,         \
     .arg = &dRateMode, .param = "IdPDbLynxRateMode"},                                                       \
    {.mnemonic = "FIRMware", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = FIRM},                 \
    {.mnemonic = "FORMat", .code = CodeFormat, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,          \
     .arg = &dFormat, .param = "IdPDbLynxFormat"},                                                           \
    {.mnemonic = "ILEaving", .code = CodeIleavMode, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,     \
     .arg = &dIleave, .param = "IdPDbLynxIleavMode"},                                                        \
    {.mnemonic = "LOGic", .code = CodeLogicType, .flagsA = FA, .flagsB = FB,                                 \
     .kind = ScpiKindSetting | ScpiKindSub, .sub = LOGIC, .arg = &dLogic, .param = "IdPDbLynxLogicType"},    \
    {.mnemonic = "SCRatio", .code = CodeSCRatio, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,        \
     .arg = &dScRatio, .param = "IdPDbLynxSCRatio"},                                                         \
    {.mnemonic = "SRATe", .code = CodeSampRate, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,           \
     .arg = &dNum, .param = "IdPDbLynxSampRate"},                                                            \
    {.mnemonic = "SSI", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = SSI}

#define KOBRA_IFC_CLOCK(FA, FB, SKEW)                                                                        \
    {.mnemonic = "PHASe", .code = CodeClocPhas, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,         \
     .arg = &dClkPhase, .param = "IdPDbLynxClocPhas"},                                                       \
    {.mnemonic = "POLarity", .code = CodeClocPol, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,       \
     .arg = &dPolarity, .param = "IdPDbLynxClocPol"},                                                        \
    {.mnemonic = "RATE", .code = CodeClocRate, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,          \
     .arg = &dFreq, .param = "IdPDbLynxClocRate"},                                                           \
    {.mnemonic = "SKEW", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = SKEW},                     \
    {.mnemonic = "SOURce", .code = CodeClocSour, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,        \
     .arg = &dClkSource, .param = "IdPDbLynxClocSour"}

#define KOBRA_IFC_CLOCK_SKEW(FA, FB)                                                                         \
    {.mnemonic = "IN", .code = CodeClocInSkew, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,          \
     .arg = &dTime, .param = "IdPDbLynxClocInSkew"},                                                         \
    {.mnemonic = "OUT", .code = CodeClocSkew, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,           \
     .arg = &dTime, .param = "IdPDbLynxClocSkew"}

#define KOBRA_IFC_DATA(FA, FB, POL)                                                                          \
    {.mnemonic = "ALIGnment", .code = CodeDataWordAlign, .flagsA = FA, .flagsB = FB,                         \
     .kind = ScpiKindSetting, .arg = &dMsbLsb, .param = "IdPDbLynxDataWordAlign"},                           \
    {.mnemonic = "BORDer", .code = CodeDataBitOrder, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,    \
     .arg = &dMsbLsb, .param = "IdPDbLynxDataBitOrder"},                                                     \
    {.mnemonic = "INEGate", .code = CodeDataNegI, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,       \
     .arg = &dBool, .param = "IdPDbLynxDataNegI"},                                                           \
    {.mnemonic = "NFORmat", .code = CodeDataNumForm, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,    \
     .arg = &dNumFormat, .param = "IdPDbLynxDataNumForm"},                                                   \
    {.mnemonic = "POLarity", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = POL},                  \
    {.mnemonic = "QNEGate", .code = CodeDataNegQ, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,       \
     .arg = &dBool, .param = "IdPDbLynxDataNegQ"},                                                           \
    {.mnemonic = "SIZE", .code = CodeDataWordSize, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,      \
     .arg = &dNum, .param = "IdPDbLynxDataWordSize"},                                                        \
    {.mnemonic = "SPOLarity", .code = CodeDataStrobPol, .flagsA = FA, .flagsB = FB,                          \
     .kind = ScpiKindSetting, .arg = &dPolarity, .param = "IdPDbLynxDataStrobPol"},                          \
    {.mnemonic = "SPOSition", .code = CodeDataStrobPos, .flagsA = FA, .flagsB = FB,                          \
     .kind = ScpiKindSetting, .arg = &dNum, .param = "IdPDbLynxDataStrobPos"},                               \
    {.mnemonic = "STYPe", .code = CodeSigType, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,          \
     .arg = &dSigType, .param = "IdPDbLynxSigType"},                                                         \
    {.mnemonic = "TYPE", .code = CodeDataType, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,          \
     .arg = &dDataType, .param = "IdPDbLynxDataType"}

#define KOBRA_IFC_DATA_POL(FA, FB)                                                                           \
    {.mnemonic = "IQ", .code = CodeDataIQPol, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,           \
     .arg = &dPolarity, .param = "IdPDbLynxDataIQPol"}

#define KOBRA_IFC_FIRM(FA, FB)                                                                               \
    {.mnemonic = "INSTalled", .code = CodeUsbDevFirmInstalled, .flagsA = FA, .flagsB = (FB) | Firmware,      \
     .kind = ScpiKindSetting, .arg = &dNum, .param = "IdPDbLynxUsbDevFirmInstalled", .answer = &dText},      \
    {.mnemonic = "SUPPorted", .code = CodeFirmSupported, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,  \
     .arg = &dText, .param = "IdPDbLynxFirmSupported"},                                                      \
    {.mnemonic = "UPDate", .code = CodeUsbDevFirmUpdError, .flagsA = FA, .flagsB = (FB) | Firmware,          \
     .kind = ScpiKindSetting, .arg = &dNum, .param = "IdPDbLynxUsbDevFirmUpdError", .answer = &dBool}

#define KOBRA_IFC_LOGIC(FA, FB)                                                                              \
    {.mnemonic = "TYPE", .code = CodeLogicType, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,         \
     .arg = &dLogic, .param = "IdPDbLynxLogicType"}

#define KOBRA_IFC_SSI(FA, FB, GAIN, SPI)                                                                     \
    {.mnemonic = "CMData", .code = CodeSsiCmData, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,       \
     .arg = &dBits, .param = "IdPDbLynxSsiCmData"},                                                          \
    {.mnemonic = "CMSize", .code = CodeSsiCmBitLen, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,       \
     .arg = &dNum, .param = "IdPDbLynxSsiCmBitLen"},                                                         \
    {.mnemonic = "GAIN", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = GAIN},                     \
    {.mnemonic = "LFSYnc", .code = CodeSsiFramSyncStat, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,   \
     .arg = &dBool, .param = "IdPDbLynxSsiFramSyncStat"},                                                    \
    {.mnemonic = "SIZE", .code = CodeSsiWordSize, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,         \
     .arg = &dNum, .param = "IdPDbLynxSsiWordSize"},                                                         \
    {.mnemonic = "SPI", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = SPI}

#define KOBRA_IFC_SSI_GAIN(FA, FB)                                                                           \
    {.mnemonic = "FSELect", .code = CodeSsiGainFile, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,      \
     .arg = &dText, .param = "IdPDbLynxSsiGainFile"},                                                        \
    {.mnemonic = "STATe", .code = CodeSsiGainAuto, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,        \
     .arg = &dBool, .param = "IdPDbLynxSsiGainAuto"}

#define KOBRA_IFC_SPI(FA, FB, CLOCK)                                                                         \
    {.mnemonic = "CLOCk", .flagsA = FA, .flagsB = FB, .kind = ScpiKindNode, .sub = CLOCK},                   \
    {.mnemonic = "CSELect", .code = CodeSsiChipSelStat, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,   \
     .arg = &dBool, .param = "IdPDbLynxSsiChipSelStat"},                                                     \
    {.mnemonic = "FSELect", .code = CodeSsiSpiFile, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,       \
     .arg = &dText, .param = "IdPDbLynxSsiSpiFile"},                                                         \
    {.mnemonic = "RBYTe", .code = CodeSsiSpiDataRead, .flagsA = FA, .flagsB = FB, .kind = ScpiKindQuery,     \
     .arg = &dBits, .param = "IdPDbLynxSsiSpiDataRead"},                                                     \
    {.mnemonic = "WBYTe", .code = CodeSsiSpiDataWrite, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,  \
     .arg = &dBits, .param = "IdPDbLynxSsiSpiDataWrite"}

#define KOBRA_IFC_SPI_CLOCK(FA, FB)                                                                          \
    {.mnemonic = "FREQuency", .code = CodeSsiSpiClocFreq, .flagsA = FA, .flagsB = FB,                        \
     .kind = ScpiKindSetting, .arg = &dSpiFreq, .param = "IdPDbLynxSsiSpiClocFreq"},                         \
    {.mnemonic = "PHASe", .code = CodeSsiSpiClocPhas, .flagsA = FA, .flagsB = FB, .kind = ScpiKindSetting,   \
     .arg = &dSpiPhase, .param = "IdPDbLynxSsiSpiClocPhas"}

// BBIN:EXTernal and IQ:OUTPut:EXTernal.
const SScpiCmd cIfcBbin[] = {KOBRA_IFC_LEVEL(A, 0, &sIfClock, &sIfData, &sIfFirm, &sIfLogic, &sIfSsi), kEnd};
const SScpiCmd cIfcIq[] = {KOBRA_IFC_LEVEL(A, 0, &sIqClock, &sIqData, &sIqFirm, &sIqLogic, &sIqSsi), kEnd};
const SScpiCmd cIfClock[] = {KOBRA_IFC_CLOCK(A, 0, &sIfClockSkew), kEnd};
const SScpiCmd cIfClockSkew[] = {KOBRA_IFC_CLOCK_SKEW(A, 0), kEnd};
const SScpiCmd cIfData[] = {KOBRA_IFC_DATA(A, 0, &sIfDataPol), kEnd};
const SScpiCmd cIfDataPol[] = {KOBRA_IFC_DATA_POL(A, 0), kEnd};
const SScpiCmd cIfFirm[] = {KOBRA_IFC_FIRM(A, 0), kEnd};
const SScpiCmd cIfLogic[] = {KOBRA_IFC_LOGIC(A, 0), kEnd};
const SScpiCmd cIfSsi[] = {KOBRA_IFC_SSI(A, 0, &sIfSsiGain, &sIfSpi), kEnd};
const SScpiCmd cIfSsiGain[] = {KOBRA_IFC_SSI_GAIN(A, 0), kEnd};
const SScpiCmd cIfSpi[] = {KOBRA_IFC_SPI(A, 0, &sIfSpiClock), kEnd};
const SScpiCmd cIfSpiClock[] = {KOBRA_IFC_SPI_CLOCK(A, 0), kEnd};
const SScpiCmd cIqClock[] = {KOBRA_IFC_CLOCK(A, 0, &sIqClockSkew), kEnd};
const SScpiCmd cIqClockSkew[] = {KOBRA_IFC_CLOCK_SKEW(A, 0), kEnd};
const SScpiCmd cIqData[] = {KOBRA_IFC_DATA(A, 0, &sIqDataPol), kEnd};
const SScpiCmd cIqDataPol[] = {KOBRA_IFC_DATA_POL(A, 0), kEnd};
const SScpiCmd cIqFirm[] = {KOBRA_IFC_FIRM(A, 0), kEnd};
const SScpiCmd cIqLogic[] = {KOBRA_IFC_LOGIC(A, 0), kEnd};
const SScpiCmd cIqSsi[] = {KOBRA_IFC_SSI(A, 0, &sIqSsiGain, &sIqSpi), kEnd};
const SScpiCmd cIqSsiGain[] = {KOBRA_IFC_SSI_GAIN(A, 0), kEnd};
const SScpiCmd cIqSpi[] = {KOBRA_IFC_SPI(A, 0, &sIqSpiClock), kEnd};
const SScpiCmd cIqSpiClock[] = {KOBRA_IFC_SPI_CLOCK(A, 0), kEnd};

// KOBR:USER: the interface commands with flags A 0, plus the box's own settings and test functions.
const SScpiCmd cUser[] = {
    KOBRA_IFC_LEVEL(0, B, &sUClock, &sUData, &sUFirm, &sULogic, &sUSsi),
    {.mnemonic = "PRESet", .code = CodePreset, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbLynxPreset"},
    {.mnemonic = "SETTing", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sUSetting},
    {.mnemonic = "STATe", .code = CodeState, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dBool, .param = "IdPDbLynxState"},
    {.mnemonic = "TEST", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sUTest},
    {.mnemonic = "TRIGger", .flagsB = B, .kind = ScpiKindNode, .sub = &sUTrigger},
    kEnd,
};
const SScpiCmd cUClock[] = {
    KOBRA_IFC_CLOCK(0, B, &sUClockSkew),
    {.mnemonic = "REFerence", .flagsB = B, .kind = ScpiKindNode, .sub = &sUClockRef},
    kEnd,
};
const SScpiCmd cUClockRef[] = {
    {.mnemonic = "FREQuency", .code = CodeExtRefFreq, .flagsB = B, .kind = ScpiKindSetting, .arg = &dFreq,
     .param = "IdPiDbLynxExtRefFreq"},
    {.mnemonic = "VALue", .code = CodeExtRefFreqVal, .flagsB = B, .kind = ScpiKindQuery, .arg = &dNum,
     .param = "IdPDbLynxExtRefFreqVal"},
    kEnd,
};
const SScpiCmd cUClockSkew[] = {KOBRA_IFC_CLOCK_SKEW(0, B), kEnd};
const SScpiCmd cUData[] = {KOBRA_IFC_DATA(0, B, &sUDataPol), kEnd};
const SScpiCmd cUDataPol[] = {KOBRA_IFC_DATA_POL(0, B), kEnd};
const SScpiCmd cUFirm[] = {KOBRA_IFC_FIRM(0, B), kEnd};
const SScpiCmd cULogic[] = {KOBRA_IFC_LOGIC(0, B), kEnd};
const SScpiCmd cUSsi[] = {KOBRA_IFC_SSI(0, B, &sUSsiGain, &sUSpi), kEnd};
const SScpiCmd cUSsiGain[] = {KOBRA_IFC_SSI_GAIN(0, B), kEnd};
const SScpiCmd cUSpi[] = {KOBRA_IFC_SPI(0, B, &sUSpiClock), kEnd};
const SScpiCmd cUSpiClock[] = {KOBRA_IFC_SPI_CLOCK(0, B), kEnd};
const SScpiCmd cUSetting[] = {
    {.mnemonic = "CATalog", .code = CodeCatName, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dList, .param = "IdPDbLynxCatName"},
    {.mnemonic = "DELete", .code = CodeDel, .flagsA = A, .flagsB = B, .kind = ScpiKindEventText,
     .arg = &dText, .param = "IdPDbLynxDel"},
    {.mnemonic = "LOAD", .code = CodeRcl, .flagsA = A, .flagsB = B, .kind = ScpiKindEventText, .arg = &dText,
     .param = "IdPDbLynxRcl"},
    {.mnemonic = "STORe", .code = CodeSav, .flagsA = A, .flagsB = B, .kind = ScpiKindEventText | ScpiKindSub,
     .sub = &sUSettingStore, .arg = &dText, .param = "IdPDbLynxSav"},
    kEnd,
};
const SScpiCmd cUSettingStore[] = {
    {.mnemonic = "FAST", .code = CodeSavFast, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dBool, .param = "IdPDbLynxSavFast"},
    kEnd,
};
const SScpiCmd cUTest[] = {
    {.mnemonic = "RX", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sUTestRx},
    {.mnemonic = "TX", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sUTestTx},
    kEnd,
};
const SScpiCmd cUTestRx[] = {
    {.mnemonic = "BER", .code = CodeTestRxBer, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery, .arg = &dNum,
     .param = "IdPDbLynxTestRxBer"},
    {.mnemonic = "SIGNal", .code = CodeTestRxSource, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dTestRxSignal, .param = "IdPDbLynxTestRxSource"},
    {.mnemonic = "STATe", .code = CodeTestRxPrbs, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dBool, .param = "IdPDbLynxTestRxPrbs"},
    {.mnemonic = "WORDs", .code = CodeTestRxIqWords, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dNum, .param = "IdPDbLynxTestRxIqWords"},
    kEnd,
};
const SScpiCmd cUTestTx[] = {
    {.mnemonic = "SIGNal", .code = CodeTestTxSource, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dTestTxSignal, .param = "IdPDbLynxTestTxSource"},
    {.mnemonic = "SINE", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sUTestTxSine},
    {.mnemonic = "STATe", .code = CodeTestTxPrbs, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dBool, .param = "IdPDbLynxTestTxPrbs"},
    kEnd,
};
const SScpiCmd cUTestTxSine[] = {
    {.mnemonic = "AMPLitude", .code = CodeTestSinusGain, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dNum, .param = "IdPDbLynxTestSinusGain"},
    {.mnemonic = "FREQuency", .code = CodeTestSinusCwFreq, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dFreq, .param = "IdPDbLynxTestSinusCwFreq"},
    kEnd,
};
const SScpiCmd cUTrigger[] = {
    {.mnemonic = "ARM", .code = CodeTriggerArm, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbLynxTriggerArm"},
    {.mnemonic = "CSTat", .code = CodeTriggerStatus, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbLynxTriggerStatus"},
    {.mnemonic = "DELay", .code = CodeTriggerDelay, .flagsB = B, .kind = ScpiKindSetting, .arg = &dNum,
     .param = "IdPDbLynxTriggerDelay"},
    {.mnemonic = "RESTart", .code = CodeTriggerRestart, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbLynxTriggerRestart"},
    {.mnemonic = "SOURce", .code = CodeTriggerSource, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dTrigSource, .param = "IdPDbLynxTriggerSource"},
    {.mnemonic = "STATe", .code = CodeTriggerState, .flagsB = B, .kind = ScpiKindQuery, .arg = &dTrigState,
     .param = "IdPDbLynxTriggerState"},
    kEnd,
};

#undef KOBRA_IFC_LEVEL
#undef KOBRA_IFC_CLOCK
#undef KOBRA_IFC_CLOCK_SKEW
#undef KOBRA_IFC_DATA
#undef KOBRA_IFC_DATA_POL
#undef KOBRA_IFC_FIRM
#undef KOBRA_IFC_LOGIC
#undef KOBRA_IFC_SSI
#undef KOBRA_IFC_SSI_GAIN
#undef KOBRA_IFC_SPI
#undef KOBRA_IFC_SPI_CLOCK

// ---- KOBR ----------------------------------------------------------------------------------------------

const SScpiCmd cKobr[] = {
    {.mnemonic = "ARB", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sArb},
    {.mnemonic = "CATalog", .code = CodeSerials, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dList, .param = "IdPDbKobraSerials"},
    {.mnemonic = "DEVice", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDevice},
    {.mnemonic = "INST", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sInst,
     .suffix = ScpiSuffixList},
    {.mnemonic = "SELect", .code = CodeKobraSelected, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dNum, .param = "IdPiDbKobraSelected"},
    {.mnemonic = "STATe", .code = CodeKobraState, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dBool, .param = "IdPDbKobraState"},
    {.mnemonic = "USER", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sUser},
    kEnd,
};
const SScpiCmd cArb[] = {
    {.mnemonic = "CATalog", .code = CodeArbCatName, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dList, .param = "IdPDbKobraArbCatName"},
    {.mnemonic = "DELete", .code = CodeArbDel, .flagsA = A, .flagsB = B, .kind = ScpiKindEventText,
     .arg = &dText, .param = "IdPDbKobraArbDel"},
    kEnd,
};
const SScpiCmd cDevice[] = {
    {.mnemonic = "BOARd", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDevBoard},
    {.mnemonic = "BOB", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDevBob},
    {.mnemonic = "CATalog", .code = CodeSerials, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dList, .param = "IdPDbKobraSerials"},
    {.mnemonic = "CONTroller", .code = CodeController, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigController"},
    {.mnemonic = "CPLD", .code = CodeCpldVers, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigCpldVers"},
    {.mnemonic = "FIRMware", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDevFirm},
    {.mnemonic = "FPG", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDevFpg},
    {.mnemonic = "PART", .code = CodePartNumber, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dText, .param = "IdPDbKobraConfigPartNumber"},
    {.mnemonic = "PPCVersion", .code = CodePpcVers, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigPpcVers"},
    {.mnemonic = "SELect", .code = CodeConfigSelected, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dNum, .param = "IdPiDbKobraConfigSelected"},
    {.mnemonic = "SERial", .code = CodeSerialNumber, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigSerialNumber"},
    kEnd,
};
const SScpiCmd cDevBoard[] = {
    {.mnemonic = "PART", .code = CodeBoardPN, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery, .arg = &dText,
     .param = "IdPDbKobraConfigBoardPN"},
    {.mnemonic = "REVision", .code = CodeBoardRev, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigBoardRev"},
    {.mnemonic = "SERial", .code = CodeBoardSN, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigBoardSN"},
    kEnd,
};
const SScpiCmd cDevBob[] = {
    {.mnemonic = "REVision", .code = CodeBobRev, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigBobRev"},
    {.mnemonic = "SERial", .code = CodeBobSN, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery, .arg = &dText,
     .param = "IdPDbKobraConfigBobSN"},
    {.mnemonic = "TYPe", .code = CodeBobType, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery, .arg = &dText,
     .param = "IdPDbKobraConfigBobType"},
    kEnd,
};
const SScpiCmd cDevFirm[] = {
    {.mnemonic = "INSTalled", .code = CodeConfigFirmVers, .flagsA = A, .flagsB = B | Firmware,
     .kind = ScpiKindQuery, .arg = &dText, .param = "IdPDbKobraConfigFirmVers"},
    {.mnemonic = "SUPPorted", .code = CodeFirmSupported, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbLynxFirmSupported"},
    {.mnemonic = "UPDate", .code = CodeFirmUpdError, .flagsA = A, .flagsB = B | Firmware,
     .kind = ScpiKindQuery, .arg = &dBool, .param = "IdPDbLynxFirmUpdError"},
    kEnd,
};
const SScpiCmd cDevFpg[] = {
    {.mnemonic = "BASe", .code = CodeFpgaVers, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigFpgaVers"},
    {.mnemonic = "BOB", .code = CodeFpgaBobVers, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigFpgaBobVers"},
    {.mnemonic = "DIGio", .code = CodeFpgaDigIoVers, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraConfigFpgaDigIoVers"},
    kEnd,
};
const SScpiCmd cInst[] = {
    {.mnemonic = "NAME", .code = CodeInstrumentName, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraInstrumentName"},
    {.mnemonic = "PORT", .code = CodeInstrPort, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraInstrPort"},
    {.mnemonic = "SERial", .code = CodeInstrSerialNumber, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraInstrSerialNumber"},
    {.mnemonic = "TYPE", .code = CodeInstrType, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraInstrType"},
    kEnd,
};

// ---- DIAGnostic:KOBR -----------------------------------------------------------------------------

const SScpiCmd cDiagKobr[] = {
    {.mnemonic = "CATalog", .code = CodeSerials, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dList, .param = "IdPDbKobraSerials"},
    {.mnemonic = "CPRI", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sCpri},
    {.mnemonic = "DRF", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDrf},
    {.mnemonic = "EEPRom", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sEeprom},
    {.mnemonic = "LEDTest", .code = CodeDiagLedTest, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dLedTest, .param = "IdPDbKobraDiagLedTest"},
    {.mnemonic = "LVDS", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sLvds},
    {.mnemonic = "POINt", .code = CodeDiagPoint, .flagsA = A, .flagsB = B,
     .kind = ScpiKindSetting | ScpiKindSub, .sub = &sPoint, .arg = &dDiagPoint,
     .param = "IdPDbKobraDiagPoint"},
    {.mnemonic = "SELect", .code = CodeConfigSelected, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dNum, .param = "IdPiDbKobraConfigSelected"},
    kEnd,
};
const SScpiCmd cCpri[] = {
    {.mnemonic = "TEST", .code = CodeCpriTestError, .flagsA = A, .flagsB = B,
     .kind = ScpiKindQuery | ScpiKindSub, .sub = &sCpriTest, .arg = &dBool,
     .param = "IdPDbKobraServiceCpriTestError"},
    kEnd,
};
const SScpiCmd cCpriTest[] = {
    {.mnemonic = "STORe", .code = CodeCpriTestLogSave, .flagsA = A, .flagsB = B, .kind = ScpiKindEventText,
     .arg = &dText, .param = "IdPDbKobraServiceCpriTestLogSave"},
    kEnd,
};
const SScpiCmd cDrf[] = {
    {.mnemonic = "TEST", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sDrfTest},
    kEnd,
};
const SScpiCmd cDrfTest[] = {
    {.mnemonic = "FIRSt", .code = CodeDigRfTestError, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dBool, .param = "IdPDbKobraServiceDigRfTestError"},
    {.mnemonic = "SECond", .code = CodeDigRfTestError2, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dBool, .param = "IdPDbKobraServiceDigRfTestError2"},
    {.mnemonic = "STORe", .code = CodeDigRfTestLogSave, .flagsA = A, .flagsB = B, .kind = ScpiKindEventText,
     .arg = &dText, .param = "IdPDbKobraServiceDigRfTestLogSave"},
    kEnd,
};
const SScpiCmd cEeprom[] = {
    {.mnemonic = "BOB", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sEepromBob},
    {.mnemonic = "SERial", .code = CodeEepromSn, .flagsA = A, .flagsB = B,
     .kind = ScpiKindQuery | ScpiKindSub, .sub = &sEepromSerial, .arg = &dText,
     .param = "IdPDbKobraServiceEepromSn"},
    kEnd,
};
const SScpiCmd cEepromBob[] = {
    {.mnemonic = "SERial", .code = CodeBobEepromSn, .flagsA = A, .flagsB = B,
     .kind = ScpiKindSetting | ScpiKindSub, .sub = &sEepromBobSerial, .arg = &dText,
     .param = "IdPDbKobraServiceBobEepromSn"},
    kEnd,
};
const SScpiCmd cEepromBobSerial[] = {
    {.mnemonic = "READ", .code = CodeBobEepromSnRead, .flagsA = A, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbKobraServiceBobEepromSnRead"},
    {.mnemonic = "WRITe", .code = CodeBobEepromSnWrite, .flagsA = A, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbKobraServiceBobEepromSnWrite"},
    kEnd,
};
const SScpiCmd cEepromSerial[] = {
    {.mnemonic = "COPY", .code = CodeEepromSnCopy, .flagsA = A, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbKobraServiceEepromSnCopy"},
    {.mnemonic = "READ", .code = CodeEepromSnRead, .flagsA = A, .flagsB = B, .kind = ScpiKindEvent,
     .param = "IdPDbKobraServiceEepromSnRead"},
    kEnd,
};
const SScpiCmd cLvds[] = {
    {.mnemonic = "BER", .code = CodeLvdsBer, .flagsB = B, .kind = ScpiKindQuery, .arg = &dNum,
     .param = "IdPDbKobraServiceLvdsBer"},
    {.mnemonic = "DCM", .code = CodeLvdsDcm, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery, .arg = &dBool,
     .param = "IdPDbKobraServiceLvdsDcm"},
    {.mnemonic = "ERRors", .code = CodeLvdsErrors, .flagsB = B, .kind = ScpiKindQuery, .arg = &dNum,
     .param = "IdPDbKobraServiceLvdsErrors"},
    {.mnemonic = "NDATa", .code = CodeLvdsNoData, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dBool, .param = "IdPDbKobraServiceLvdsNoData"},
    {.mnemonic = "PLL", .code = CodeLvdsPll, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery, .arg = &dBool,
     .param = "IdPDbKobraServiceLvdsPll"},
    {.mnemonic = "RCV", .code = CodeLvdsReceived, .flagsB = B, .kind = ScpiKindQuery, .arg = &dNum,
     .param = "IdPDbKobraServiceLvdsReceived"},
    // Receive and transmit links share their commands; the suffix word picks the link.
    {.mnemonic = "RX", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sLvdsLink,
     .suffix = ScpiSuffixReceiveLink},
    {.mnemonic = "TX", .flagsA = A, .flagsB = B, .kind = ScpiKindNode, .sub = &sLvdsLink,
     .suffix = ScpiSuffixTransmitLink},
    kEnd,
};
const SScpiCmd cLvdsLink[] = {
    {.mnemonic = "SOURce", .code = CodeLvdsSource, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dLvdsSource, .param = "IdPDbKobraServiceLvdsSource"},
    {.mnemonic = "STATe", .code = CodeLvdsStart, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dBool, .param = "IdPDbKobraServiceLvdsStart"},
    kEnd,
};
const SScpiCmd cPoint[] = {
    {.mnemonic = "DRF", .code = CodeDiagPointDigRf, .flagsA = A, .flagsB = B,
     .kind = ScpiKindSetting | ScpiKindSub, .sub = &sPointDrf, .arg = &dDigRfPoint,
     .param = "IdPDbKobraDiagPointDigRf"},
    {.mnemonic = "STATe", .code = CodeDiagState, .flagsA = A, .flagsB = B, .kind = ScpiKindSetting,
     .arg = &dBool, .param = "IdPDbKobraDiagState"},
    {.mnemonic = "VALue", .code = CodeDiagValue, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraDiagValue"},
    kEnd,
};
const SScpiCmd cPointDrf[] = {
    {.mnemonic = "VALue", .code = CodeDiagValueDigRf, .flagsA = A, .flagsB = B, .kind = ScpiKindQuery,
     .arg = &dText, .param = "IdPDbKobraDiagValueDigRf"},
    kEnd,
};

// clang-format on

// ---- Array list -------------------------------------------------------------------------------------

const SScpiArray kArrays[] = {
    {&g_scpiRootTable, cRoot},
    {&sSource, cSource},
    {&sBbin, cBbin},
    {&sIq, cIq},
    {&sIqOut, cIqOut},
    {&sDiag, cDiag},
    {&sKobr, cKobr},
    // BBIN:EXTernal, IQ:OUTPut:EXTernal
    {&sIfcBbin, cIfcBbin},
    {&sIfcIq, cIfcIq},
    {&sIfClock, cIfClock},
    {&sIfClockSkew, cIfClockSkew},
    {&sIfData, cIfData},
    {&sIfDataPol, cIfDataPol},
    {&sIfFirm, cIfFirm},
    {&sIfLogic, cIfLogic},
    {&sIfSsi, cIfSsi},
    {&sIfSsiGain, cIfSsiGain},
    {&sIfSpi, cIfSpi},
    {&sIfSpiClock, cIfSpiClock},
    {&sIqClock, cIqClock},
    {&sIqClockSkew, cIqClockSkew},
    {&sIqData, cIqData},
    {&sIqDataPol, cIqDataPol},
    {&sIqFirm, cIqFirm},
    {&sIqLogic, cIqLogic},
    {&sIqSsi, cIqSsi},
    {&sIqSsiGain, cIqSsiGain},
    {&sIqSpi, cIqSpi},
    {&sIqSpiClock, cIqSpiClock},
    // KOBR:USER
    {&sUser, cUser},
    {&sUClock, cUClock},
    {&sUClockRef, cUClockRef},
    {&sUClockSkew, cUClockSkew},
    {&sUData, cUData},
    {&sUDataPol, cUDataPol},
    {&sUFirm, cUFirm},
    {&sULogic, cULogic},
    {&sUSsi, cUSsi},
    {&sUSsiGain, cUSsiGain},
    {&sUSpi, cUSpi},
    {&sUSpiClock, cUSpiClock},
    {&sUSetting, cUSetting},
    {&sUSettingStore, cUSettingStore},
    {&sUTest, cUTest},
    {&sUTestRx, cUTestRx},
    {&sUTestTx, cUTestTx},
    {&sUTestTxSine, cUTestTxSine},
    {&sUTrigger, cUTrigger},
    // KOBR
    {&sArb, cArb},
    {&sDevice, cDevice},
    {&sDevBoard, cDevBoard},
    {&sDevBob, cDevBob},
    {&sDevFirm, cDevFirm},
    {&sDevFpg, cDevFpg},
    {&sInst, cInst},
    // DIAGnostic:KOBR
    {&sDiagKobr, cDiagKobr},
    {&sCpri, cCpri},
    {&sCpriTest, cCpriTest},
    {&sDrf, cDrf},
    {&sDrfTest, cDrfTest},
    {&sEeprom, cEeprom},
    {&sEepromBob, cEepromBob},
    {&sEepromBobSerial, cEepromBobSerial},
    {&sEepromSerial, cEepromSerial},
    {&sLvds, cLvds},
    {&sLvdsLink, cLvdsLink},
    {&sPoint, cPoint},
    {&sPointDrf, cPointDrf},
};
constexpr int kArrayCount = int(sizeof(kArrays) / sizeof(kArrays[0]));
static_assert(kArrayCount == 68, "the tree is built from 68 arrays");
static_assert(kArrayCount <= ScpiTableCapacity);

} // namespace

const SScpiArray* scpiArrays(int& count) {
    count = kArrayCount;
    return kArrays;
}

void buildScpiTables(int* count, SScpiParseTable** list) {
    for (const SScpiArray& a : kArrays)
        list[(*count)++] = MakeParseTable(a.slot, a.commands);
}

} // namespace Kobra
