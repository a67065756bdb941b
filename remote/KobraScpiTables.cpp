#include "remote/KobraScpiTables.h"

using namespace MvQARN;

namespace Kobra {

SScpiParseTable* g_scpiRootTable = nullptr;
int g_scpiTableCount = 0;
SScpiParseTable* g_scpiTableList[ScpiTableCapacity] = {};

namespace {

// ---- Command codes: one per parameter ------------------------------------------------------------
// The interface block is placed so that the SPI clock frequency keeps its fixed code; the other
// parameters fill the rest of the range.
enum ECode : int {
    // Extras of the user interface level, second part.
    CodeTestSinusCwFreq = ScpiFirstCode,
    CodeTestTxPrbs,
    CodeTriggerArm,
    CodeTriggerStatus,
    CodeTriggerDelay,
    CodeTriggerRestart,
    CodeTriggerSource,
    CodeTriggerState,
    // KOBR level.
    CodeArbCatName,
    CodeArbDel,
    CodeSerials,
    CodeBoardPN,
    CodeBoardRev,
    CodeBoardSN,
    CodeBobRev,
    CodeBobSN,
    CodeBobType,
    CodeController,
    CodeCpldVers,
    CodeConfigFirmVers,
    CodeFirmUpdError,
    CodeFpgaVers,
    CodeFpgaBobVers,
    CodeFpgaDigIoVers,
    CodePartNumber,
    CodePpcVers,
    CodeConfigSelected,
    CodeSerialNumber,
    CodeInstrumentName,
    CodeInstrPort,
    CodeInstrSerialNumber,
    CodeInstrType,
    CodeKobraSelected,
    CodeKobraState,
    // DIAGnostic:KOBR level.
    CodeCpriTestError,
    CodeCpriTestLogSave,
    CodeDigRfTestError,
    CodeDigRfTestError2,
    CodeDigRfTestLogSave,
    CodeBobEepromSn,
    CodeBobEepromSnRead,
    CodeBobEepromSnWrite,
    CodeEepromSn,
    CodeEepromSnCopy,
    CodeEepromSnRead,
    CodeDiagLedTest,
    CodeLvdsBer,
    CodeLvdsDcm,
    CodeLvdsErrors,
    CodeLvdsNoData,
    CodeLvdsPll,
    CodeLvdsReceived,
    CodeLvdsSource,
    CodeLvdsStart,
    CodeDiagPoint,
    CodeDiagPointDigRf,
    CodeDiagValueDigRf,
    CodeDiagState,
    CodeDiagValue,
    CodeLowBlockEnd,

    // Interface level.
    CodeClocPhas = 0x5094B,
    CodeClocPol,
    CodeClocRate,
    CodeClocInSkew,
    CodeClocSkew,
    CodeClocSour,
    CodeDataWordAlign,
    CodeDataBitOrder,
    CodeDataNegI,
    CodeDataNumForm,
    CodeDataIQPol,
    CodeDataNegQ,
    CodeDataWordSize,
    CodeDataStrobPol,
    CodeDataStrobPos,
    CodeSigType,
    CodeDataType,
    CodeDirection,
    CodeRateMode,
    CodeUsbDevFirmInstalled,
    CodeFirmSupported,
    CodeUsbDevFirmUpdError,
    CodeFormat,
    CodeIleavMode,
    CodeLogicType,
    CodeSCRatio,
    CodeSampRate,
    CodeSsiCmData,
    CodeSsiCmBitLen,
    CodeSsiGainFile,
    CodeSsiGainAuto,
    CodeSsiFramSyncStat,
    CodeSsiWordSize,
    CodeSsiSpiClocFreq,
    CodeSsiSpiClocPhas,
    CodeSsiChipSelStat,
    CodeSsiSpiFile,
    CodeSsiSpiDataRead,
    CodeSsiSpiDataWrite,
    // Extras of the user interface level, first part.
    CodeExtRefFreq,
    CodeExtRefFreqVal,
    CodePreset,
    CodeCatName,
    CodeDel,
    CodeRcl,
    CodeSav,
    CodeSavFast,
    CodeState,
    CodeTestRxBer,
    CodeTestRxSource,
    CodeTestRxPrbs,
    CodeTestRxIqWords,
    CodeTestTxSource,
    CodeTestSinusGain,
    CodeHighBlockEnd,
};
static_assert(CodeLowBlockEnd == CodeClocPhas, "the two code blocks must meet");
static_assert(CodeSsiSpiClocFreq == ScpiCodeSpiClockFrequency);
static_assert(CodeHighBlockEnd == ScpiLastCode + 1, "codes must fill the range exactly");

// ---- Value descriptors ------------------------------------------------------------------------------

constexpr SScpiKeyword kEndKw = {nullptr, 0, 0};
constexpr SScpiKeyword kwMin = {"MINimum", ScpiSpecialMin, ScpiKeywordSpecial};
constexpr SScpiKeyword kwMax = {"MAXimum", ScpiSpecialMax, ScpiKeywordSpecial};
constexpr SScpiKeyword kwDef = {"DEFault", ScpiSpecialDef, ScpiKeywordSpecial};

const SScpiKeyword kwBool[] = {{"0", 0, 0}, {"1", 1, 0}, {"OFF", 0, 0}, {"ON", 1, 0}, kEndKw};
const SScpiKeyword kwNum[] = {kwMin, kwMax, kwDef, {"OFF", 0, 0}, kEndKw};
// UP and DOWN step whatever their flag.
const SScpiKeyword kwFreq[] = {
    kwMin, kwMax, kwDef, {"UP", ScpiSpecialUp, 0}, {"DOWN", ScpiSpecialDown, 0}, {"OFF", 0, 0}, kEndKw};
const SScpiKeyword kwTime[] = {kwMin, kwMax, kwDef, {"OFF", 0, 0}, kEndKw};

constexpr int hz(int powerOfTen) {
    return scpiUnitCode(ScpiQuantityFrequency, powerOfTen);
}
constexpr int sec(int powerOfTen) {
    return scpiUnitCode(ScpiQuantityTime, powerOfTen);
}
const SScpiUnit unFreq[] = {{"HZ", hz(0)},  {"KHZ", hz(3)},  {"MHZ", hz(6)}, {"MAHZ", hz(6)},
                            {"GHZ", hz(9)}, {"THZ", hz(12)}, {nullptr, 0}};
const SScpiUnit unTime[] = {{"S", sec(0)},   {"MS", sec(-3)},  {"US", sec(-6)},
                            {"NS", sec(-9)}, {"PS", sec(-12)}, {nullptr, 0}};
static_assert(hz(6) == 0x2706 && sec(-12) == 0x34F4, "unit codes: quantity byte, power-of-ten byte");

const SScpiKeyword kwClkPhase[] = {{"0", 0, 0}, {"90", 1, 0}, {"180", 2, 0}, {"270", 3, 0}, kEndKw};
const SScpiKeyword kwPolarity[] = {{"POSitive", 0, 0}, {"NEGative", 1, 0}, kEndKw};
const SScpiKeyword kwClkSource[] = {{"INTernal", 0, 0}, {"EXTernal", 1, 0}, {"REF", 2, 0}, kEndKw};
const SScpiKeyword kwMsbLsb[] = {{"MSB", 0, 0}, {"LSB", 1, 0}, kEndKw};
const SScpiKeyword kwNumFormat[] = {{"TCOMplement", 0, 0}, {"OBINary", 1, 0}, kEndKw};
const SScpiKeyword kwSigType[] = {{"IQ", 0, 0}, {"IF", 1, 0}, kEndKw};
const SScpiKeyword kwDataType[] = {{"SAMPles", 0, 0}, {"PFSamples", 1, 0}, kEndKw};
const SScpiKeyword kwDirection[] = {{"RECeiver", 0, 0}, {"TRANsmitter", 1, 0}, kEndKw};
const SScpiKeyword kwRateMode[] = {{"SDR", 0, 0}, {"DDR", 1, 0}, kEndKw};
const SScpiKeyword kwFormat[] = {{"SERial", 0, 0}, {"PARallel", 1, 0}, kEndKw};
const SScpiKeyword kwIleave[] = {{"OFF", 0, 0}, {"IQ", 1, 0}, {"QI", 2, 0}, kEndKw};
// 6 and 7 are not used by the box; 1.2 V CMOS is 8.
const SScpiKeyword kwLogic[] = {{"LVDS", 0, 0},   {"LVTTl", 1, 0},  {"CMOS33", 2, 0}, {"CMOS25", 3, 0},
                                {"CMOS18", 4, 0}, {"CMOS15", 5, 0}, {"CMOS12", 8, 0}, kEndKw};
const SScpiKeyword kwScRatio[] = {{"SCR1", 0, 0},
                                  {"SCR4D5", 1, 0},
                                  {"SCR2D5", 2, 0},
                                  {"SCR1D5", 3, 0},
                                  {"SCR1D10", 4, 0},
                                  {"SCR1D20", 5, 0},
                                  kEndKw};
const SScpiKeyword kwSpiFreq[] = {{"1MHZ", 0, 0},    {"2.5MHZ", 1, 0}, {"5MHZ", 2, 0}, {"8.333MHZ", 3, 0},
                                  {"12.5MHZ", 4, 0}, {"25MHZ", 5, 0},  kEndKw};
// The database numbers the SPI clock phases 0 and 2 (180 degrees).
const SScpiKeyword kwSpiPhase[] = {{"0", 0, 0}, {"180", 2, 0}, kEndKw};
const SScpiKeyword kwTestRxSignal[] = {{"PRBS", 0, 0}, {"COUNter", 1, 0}, kEndKw};
const SScpiKeyword kwTestTxSignal[] = {{"PRBS", 0, 0}, {"COUNter", 1, 0}, {"SINE", 2, 0}, kEndKw};
const SScpiKeyword kwTrigSource[] = {{"AUTO", 0, 0}, {"SYNC", 1, 0}, kEndKw};
const SScpiKeyword kwTrigState[] = {{"STOP", 0, 0}, {"RUN", 1, 0}, kEndKw};
const SScpiKeyword kwLedTest[] = {{"OFF", 0, 0}, {"ON", 1, 0}, {"1", 1, 0}, {"0", 0, 0}, kEndKw};
const SScpiKeyword kwLvdsSource[] = {{"PRBS", 0, 0}, {"COUNTER", 1, 0}, kEndKw};
// Listed in the order of the front panel, values as the box numbers its measurement points.
const SScpiKeyword kwDiagPoint[] = {{"UI", 0, 0},
                                    {"U2V5", 1, 0},
                                    {"AVTT", 3, 0},
                                    {"AVCC_PLL", 2, 0},
                                    {"AVCC_MGT", 4, 0},
                                    {"U1V8", 5, 0},
                                    {"U24V", 6, 0},
                                    {"GND", 7, 0},
                                    {"VIN", 8, 0},
                                    {"COM3V3", 9, 0},
                                    {"AUX2V5", 10, 0},
                                    {"DIV3V3", 11, 0},
                                    {"CORE1V0", 12, 0},
                                    {"VCO", 13, 0},
                                    {"GND1", 15, 0},
                                    {"PPC_VCC_INT", 17, 0},
                                    {"PPC_TEMP", 16, 0},
                                    {"PPC_VCC_AUX", 18, 0},
                                    kEndKw};
const SScpiKeyword kwDigRfPoint[] = {{"U5VN", 0, 0},
                                     {"U5V", 1, 0},
                                     {"U3V3", 2, 0},
                                     {"U2V5", 3, 0},
                                     {"U1V2", 4, 0},
                                     {"LIN3V5", 5, 0},
                                     {"LIN2V0N", 6, 0},
                                     {"LIN2V5N", 7, 0},
                                     {"GPIOG0", 8, 0},
                                     {"GPIOG1", 9, 0},
                                     {"GPIOG2", 10, 0},
                                     {"GPIOG3", 11, 0},
                                     {"GPIOG4", 12, 0},
                                     {"PLL1", 13, 0},
                                     {"PLL2", 14, 0},
                                     {"DIAGV4GTX", 15, 0},
                                     {"USER_SPI", 16, 0},
                                     {"GPIO_EX", 17, 0},
                                     {"DRF112", 18, 0},
                                     {"DRF3SE", 19, 0},
                                     {"DRF4SE", 20, 0},
                                     {"SYSCLK1", 21, 0},
                                     {"SYSCLK2", 22, 0},
                                     {"TEMP", 23, 0},
                                     {"DIAGV3TX1P", 24, 0},
                                     {"DIAGV3TX1N", 25, 0},
                                     {"V3DIFF_TX_VCM", 26, 0},
                                     {"V3DIFF_TX_OFFS", 27, 0},
                                     {"DIAGV4TX1P", 28, 0},
                                     {"DIAGV4TX1N", 29, 0},
                                     {"REF2V5", 30, 0},
                                     {"GND", 31, 0},
                                     kEndKw};

// Numbers take units and the special keywords.
constexpr unsigned kNumberType = ScpiValNumeric | ScpiValChar | ScpiValKeyword;
static_assert(kNumberType == 0xF02 && (ScpiValChar | ScpiValKeyword) == 0x102, "descriptor type words");

const SScpiValDesc dBool = {
    .type = ScpiValChar | ScpiValKeyword, .format = ScpiFormatPlain, .keywords = kwBool};
const SScpiValDesc dList = {.type = ScpiValList, .format = ScpiFormatPlain};
const SScpiValDesc dText = {.type = ScpiValString, .format = ScpiFormatPlain};
const SScpiValDesc dBits = {.type = ScpiValBits, .format = ScpiFormatBits, .count = 10};
const SScpiValDesc dNum = {.type = kNumberType, .format = ScpiFormatNumber, .keywords = kwNum};
const SScpiValDesc dFreq = {
    .type = kNumberType, .format = ScpiFormatNumber, .units = unFreq, .keywords = kwFreq};
const SScpiValDesc dTime = {
    .type = kNumberType, .format = ScpiFormatNumber, .units = unTime, .keywords = kwTime};

constexpr SScpiValDesc keywords(const SScpiKeyword* table, unsigned type = ScpiValChar) {
    return {.type = type, .format = ScpiFormatPlain, .keywords = table};
}
// Keywords that look like numbers are read as character data of their own.
const SScpiValDesc dClkPhase = keywords(kwClkPhase, ScpiValKeyword);
const SScpiValDesc dPolarity = keywords(kwPolarity);
const SScpiValDesc dClkSource = keywords(kwClkSource);
const SScpiValDesc dMsbLsb = keywords(kwMsbLsb);
const SScpiValDesc dNumFormat = keywords(kwNumFormat);
const SScpiValDesc dSigType = keywords(kwSigType);
const SScpiValDesc dDataType = keywords(kwDataType);
const SScpiValDesc dDirection = keywords(kwDirection);
const SScpiValDesc dRateMode = keywords(kwRateMode);
const SScpiValDesc dFormat = keywords(kwFormat);
const SScpiValDesc dIleave = keywords(kwIleave);
const SScpiValDesc dLogic = keywords(kwLogic);
const SScpiValDesc dScRatio = keywords(kwScRatio);
const SScpiValDesc dSpiFreq = keywords(kwSpiFreq);
const SScpiValDesc dSpiPhase = keywords(kwSpiPhase, ScpiValKeyword);
const SScpiValDesc dTestRxSignal = keywords(kwTestRxSignal);
const SScpiValDesc dTestTxSignal = keywords(kwTestTxSignal);
const SScpiValDesc dTrigSource = keywords(kwTrigSource);
const SScpiValDesc dTrigState = keywords(kwTrigState);
const SScpiValDesc dLedTest = keywords(kwLedTest);
const SScpiValDesc dLvdsSource = keywords(kwLvdsSource);
const SScpiValDesc dDiagPoint = keywords(kwDiagPoint);
const SScpiValDesc dDigRfPoint = keywords(kwDigRfPoint);

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
