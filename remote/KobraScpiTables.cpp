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

const SScpiKeyword kwBool[] = {{"0", 0, 0}, {"1", 1, 0}, {"OFF", 0, 0}, {"ON", 1, 0}, kEndKw};
const SScpiKeyword kwNum[] = {{"MINimum", 1, 1}, {"MAXimum", 3, 1}, {"DEFault", 2, 1}, {"OFF", 0, 0}, kEndKw};
const SScpiKeyword kwFreq[] = {{"MINimum", 1, 1},
                               {"MAXimum", 3, 1},
                               {"DEFault", 2, 1},
                               {"UP", 4, 0},
                               {"DOWN", 5, 0},
                               {"OFF", 0, 0},
                               kEndKw};
const SScpiKeyword kwTime[] = {
    {"MINimum", 1, 1}, {"MAXimum", 3, 1}, {"DEFault", 2, 1}, {"OFF", 0, 0}, kEndKw};

const SScpiUnit unFreq[] = {{"HZ", 0x2700},  {"KHZ", 0x2703}, {"MHZ", 0x2706}, {"MAHZ", 0x2706},
                            {"GHZ", 0x2709}, {"THZ", 0x270C}, {nullptr, 0}};
const SScpiUnit unTime[] = {{"S", 0x3400},  {"MS", 0x34FD}, {"US", 0x34FA},
                            {"NS", 0x34F7}, {"PS", 0x34F4}, {nullptr, 0}};

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

const SScpiValDesc dBool = {0x102, 0x100, nullptr, kwBool, nullptr, 0};
const SScpiValDesc dList = {0x400000, 0x100, nullptr, nullptr, nullptr, 0};
const SScpiValDesc dText = {0x20000, 0x100, nullptr, nullptr, nullptr, 0};
const SScpiValDesc dBits = {0x1C000, 0x200, nullptr, nullptr, nullptr, 10};
const SScpiValDesc dNum = {0xF02, 0x101, nullptr, kwNum, nullptr, 0};
const SScpiValDesc dFreq = {0xF02, 0x101, unFreq, kwFreq, nullptr, 0};
const SScpiValDesc dTime = {0xF02, 0x101, unTime, kwTime, nullptr, 0};

constexpr SScpiValDesc keywords(const SScpiKeyword* table, unsigned type = ScpiValChar) {
    return {type, 0x100, nullptr, table, nullptr, 0};
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

// ---- Record helpers -----------------------------------------------------------------------------

constexpr int Node = ScpiKindNode, Query = ScpiKindQuery, QuerySub = ScpiKindQuerySub,
              EventText = ScpiKindEventText, EventTextSub = ScpiKindEventTextSub, Set = ScpiKindSetting,
              SetSub = ScpiKindSettingSub, Event = ScpiKindEvent;
constexpr unsigned A = 0xC1;               // flags A of most groups
constexpr unsigned B = ScpiFlagBBothSides; // both path and side follow the interface selector
constexpr unsigned Firmware = 0x80000000u; // firmware installed/update commands

constexpr SScpiCmd cmd(const char* mnemonic, int code, unsigned flagsA, unsigned flagsB, int kind,
                       SScpiParseTable** sub, const SScpiValDesc* arg, const char* param, int suffix = 0,
                       const SScpiValDesc* answer = nullptr) {
    return {mnemonic, code, flagsA, flagsB, kind, sub, arg, param, suffix, answer};
}
constexpr SScpiCmd node(const char* mnemonic, unsigned flagsA, unsigned flagsB, SScpiParseTable** sub,
                        int suffix = 0) {
    return {mnemonic, 0, flagsA, flagsB, Node, sub, nullptr, nullptr, suffix, nullptr};
}
constexpr SScpiCmd kEnd = {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr};

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

// ---- Root ---------------------------------------------------------------------------------------------

const SScpiCmd cRoot[] = {
    node("BBIN", A, 0, &sBbin), node("DIAGnostic", A, 0, &sDiag, 1), node("KOBR", A, B, &sKobr),
    node("IQ", A, 0, &sIq),     node("SOURce", A, 0, &sSource, 1),   kEnd,
};
const SScpiCmd cSource[] = {
    node("BBIN", A, 0, &sBbin),
    node("KOBR", A, B, &sKobr),
    node("IQ", A, 0, &sIq),
    kEnd,
};
const SScpiCmd cBbin[] = {node("EXTernal", A, 0, &sIfcBbin), kEnd};
const SScpiCmd cIq[] = {node("OUTPut", A, 0, &sIqOut), kEnd};
// The output side is fixed by the path, whatever the interface selector says.
const SScpiCmd cIqOut[] = {node("EXTernal", A, 0, &sIfcIq, 268), kEnd};
const SScpiCmd cDiag[] = {node("KOBR", A, B, &sDiagKobr), kEnd};

// ---- Interface levels ---------------------------------------------------------------------------

#define KOBRA_IFC_LEVEL(FA, FB, CLOCK, DATA, FIRM, LOGIC, SSI)                                               \
    node("CLOCk", FA, FB, CLOCK), node("DATA", FA, FB, DATA),                                                \
        cmd("DIRection", CodeDirection, FA, FB, Set, nullptr, &dDirection, "IdPDbLynxDirection"),            \
        cmd("DRATe", CodeRateMode, FA, FB, Set, nullptr, &dRateMode, "IdPDbLynxRateMode"),                   \
        node("FIRMware", FA, FB, FIRM),                                                                      \
        cmd("FORMat", CodeFormat, FA, FB, Set, nullptr, &dFormat, "IdPDbLynxFormat"),                        \
        cmd("ILEaving", CodeIleavMode, FA, FB, Set, nullptr, &dIleave, "IdPDbLynxIleavMode"),                \
        cmd("LOGic", CodeLogicType, FA, FB, SetSub, LOGIC, &dLogic, "IdPDbLynxLogicType"),                   \
        cmd("SCRatio", CodeSCRatio, FA, FB, Set, nullptr, &dScRatio, "IdPDbLynxSCRatio"),                    \
        cmd("SRATe", CodeSampRate, FA, FB, Query, nullptr, &dNum, "IdPDbLynxSampRate"),                      \
        node("SSI", FA, FB, SSI)

#define KOBRA_IFC_CLOCK(FA, FB, SKEW)                                                                        \
    cmd("PHASe", CodeClocPhas, FA, FB, Set, nullptr, &dClkPhase, "IdPDbLynxClocPhas"),                       \
        cmd("POLarity", CodeClocPol, FA, FB, Set, nullptr, &dPolarity, "IdPDbLynxClocPol"),                  \
        cmd("RATE", CodeClocRate, FA, FB, Set, nullptr, &dFreq, "IdPDbLynxClocRate"),                        \
        node("SKEW", FA, FB, SKEW),                                                                          \
        cmd("SOURce", CodeClocSour, FA, FB, Set, nullptr, &dClkSource, "IdPDbLynxClocSour")

#define KOBRA_IFC_CLOCK_SKEW(FA, FB)                                                                         \
    cmd("IN", CodeClocInSkew, FA, FB, Set, nullptr, &dTime, "IdPDbLynxClocInSkew"),                          \
        cmd("OUT", CodeClocSkew, FA, FB, Set, nullptr, &dTime, "IdPDbLynxClocSkew")

#define KOBRA_IFC_DATA(FA, FB, POL)                                                                          \
    cmd("ALIGnment", CodeDataWordAlign, FA, FB, Set, nullptr, &dMsbLsb, "IdPDbLynxDataWordAlign"),           \
        cmd("BORDer", CodeDataBitOrder, FA, FB, Set, nullptr, &dMsbLsb, "IdPDbLynxDataBitOrder"),            \
        cmd("INEGate", CodeDataNegI, FA, FB, Set, nullptr, &dBool, "IdPDbLynxDataNegI"),                     \
        cmd("NFORmat", CodeDataNumForm, FA, FB, Set, nullptr, &dNumFormat, "IdPDbLynxDataNumForm"),          \
        node("POLarity", FA, FB, POL),                                                                       \
        cmd("QNEGate", CodeDataNegQ, FA, FB, Set, nullptr, &dBool, "IdPDbLynxDataNegQ"),                     \
        cmd("SIZE", CodeDataWordSize, FA, FB, Set, nullptr, &dNum, "IdPDbLynxDataWordSize"),                 \
        cmd("SPOLarity", CodeDataStrobPol, FA, FB, Set, nullptr, &dPolarity, "IdPDbLynxDataStrobPol"),       \
        cmd("SPOSition", CodeDataStrobPos, FA, FB, Set, nullptr, &dNum, "IdPDbLynxDataStrobPos"),            \
        cmd("STYPe", CodeSigType, FA, FB, Set, nullptr, &dSigType, "IdPDbLynxSigType"),                      \
        cmd("TYPE", CodeDataType, FA, FB, Set, nullptr, &dDataType, "IdPDbLynxDataType")

#define KOBRA_IFC_DATA_POL(FA, FB)                                                                           \
    cmd("IQ", CodeDataIQPol, FA, FB, Set, nullptr, &dPolarity, "IdPDbLynxDataIQPol")

#define KOBRA_IFC_FIRM(FA, FB)                                                                               \
    cmd("INSTalled", CodeUsbDevFirmInstalled, FA, (FB) | Firmware, Set, nullptr, &dNum,                      \
        "IdPDbLynxUsbDevFirmInstalled", 0, &dText),                                                          \
        cmd("SUPPorted", CodeFirmSupported, FA, FB, Query, nullptr, &dText, "IdPDbLynxFirmSupported"),       \
        cmd("UPDate", CodeUsbDevFirmUpdError, FA, (FB) | Firmware, Set, nullptr, &dNum,                      \
            "IdPDbLynxUsbDevFirmUpdError", 0, &dBool)

#define KOBRA_IFC_LOGIC(FA, FB)                                                                              \
    cmd("TYPE", CodeLogicType, FA, FB, Set, nullptr, &dLogic, "IdPDbLynxLogicType")

#define KOBRA_IFC_SSI(FA, FB, GAIN, SPI)                                                                     \
    cmd("CMData", CodeSsiCmData, FA, FB, Set, nullptr, &dBits, "IdPDbLynxSsiCmData"),                        \
        cmd("CMSize", CodeSsiCmBitLen, FA, FB, Query, nullptr, &dNum, "IdPDbLynxSsiCmBitLen"),               \
        node("GAIN", FA, FB, GAIN),                                                                          \
        cmd("LFSYnc", CodeSsiFramSyncStat, FA, FB, Query, nullptr, &dBool, "IdPDbLynxSsiFramSyncStat"),      \
        cmd("SIZE", CodeSsiWordSize, FA, FB, Query, nullptr, &dNum, "IdPDbLynxSsiWordSize"),                 \
        node("SPI", FA, FB, SPI)

#define KOBRA_IFC_SSI_GAIN(FA, FB)                                                                           \
    cmd("FSELect", CodeSsiGainFile, FA, FB, Query, nullptr, &dText, "IdPDbLynxSsiGainFile"),                 \
        cmd("STATe", CodeSsiGainAuto, FA, FB, Query, nullptr, &dBool, "IdPDbLynxSsiGainAuto")

#define KOBRA_IFC_SPI(FA, FB, CLOCK)                                                                         \
    node("CLOCk", FA, FB, CLOCK),                                                                            \
        cmd("CSELect", CodeSsiChipSelStat, FA, FB, Query, nullptr, &dBool, "IdPDbLynxSsiChipSelStat"),       \
        cmd("FSELect", CodeSsiSpiFile, FA, FB, Query, nullptr, &dText, "IdPDbLynxSsiSpiFile"),               \
        cmd("RBYTe", CodeSsiSpiDataRead, FA, FB, Query, nullptr, &dBits, "IdPDbLynxSsiSpiDataRead"),         \
        cmd("WBYTe", CodeSsiSpiDataWrite, FA, FB, Set, nullptr, &dBits, "IdPDbLynxSsiSpiDataWrite")

#define KOBRA_IFC_SPI_CLOCK(FA, FB)                                                                          \
    cmd("FREQuency", CodeSsiSpiClocFreq, FA, FB, Set, nullptr, &dSpiFreq, "IdPDbLynxSsiSpiClocFreq"),        \
        cmd("PHASe", CodeSsiSpiClocPhas, FA, FB, Set, nullptr, &dSpiPhase, "IdPDbLynxSsiSpiClocPhas")

// BBIN:EXTernal and IQ:OUTPut:EXTernal.
const SScpiCmd cIfcBbin[] = {
    KOBRA_IFC_LEVEL(A, 0, &sIfClock, &sIfData, &sIfFirm, &sIfLogic, &sIfSsi),
    kEnd,
};
const SScpiCmd cIfcIq[] = {
    KOBRA_IFC_LEVEL(A, 0, &sIqClock, &sIqData, &sIqFirm, &sIqLogic, &sIqSsi),
    kEnd,
};
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
    cmd("PRESet", CodePreset, 0, B, Event, nullptr, nullptr, "IdPDbLynxPreset"),
    node("SETTing", A, B, &sUSetting),
    cmd("STATe", CodeState, A, B, Set, nullptr, &dBool, "IdPDbLynxState"),
    node("TEST", A, B, &sUTest),
    node("TRIGger", 0, B, &sUTrigger),
    kEnd,
};
const SScpiCmd cUClock[] = {KOBRA_IFC_CLOCK(0, B, &sUClockSkew), node("REFerence", 0, B, &sUClockRef), kEnd};
const SScpiCmd cUClockRef[] = {
    cmd("FREQuency", CodeExtRefFreq, 0, B, Set, nullptr, &dFreq, "IdPiDbLynxExtRefFreq"),
    cmd("VALue", CodeExtRefFreqVal, 0, B, Query, nullptr, &dNum, "IdPDbLynxExtRefFreqVal"),
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
    cmd("CATalog", CodeCatName, A, B, Query, nullptr, &dList, "IdPDbLynxCatName"),
    cmd("DELete", CodeDel, A, B, EventText, nullptr, &dText, "IdPDbLynxDel"),
    cmd("LOAD", CodeRcl, A, B, EventText, nullptr, &dText, "IdPDbLynxRcl"),
    cmd("STORe", CodeSav, A, B, EventTextSub, &sUSettingStore, &dText, "IdPDbLynxSav"),
    kEnd,
};
const SScpiCmd cUSettingStore[] = {
    cmd("FAST", CodeSavFast, A, B, Set, nullptr, &dBool, "IdPDbLynxSavFast"),
    kEnd,
};
const SScpiCmd cUTest[] = {node("RX", A, B, &sUTestRx), node("TX", A, B, &sUTestTx), kEnd};
const SScpiCmd cUTestRx[] = {
    cmd("BER", CodeTestRxBer, A, B, Query, nullptr, &dNum, "IdPDbLynxTestRxBer"),
    cmd("SIGNal", CodeTestRxSource, A, B, Set, nullptr, &dTestRxSignal, "IdPDbLynxTestRxSource"),
    cmd("STATe", CodeTestRxPrbs, A, B, Set, nullptr, &dBool, "IdPDbLynxTestRxPrbs"),
    cmd("WORDs", CodeTestRxIqWords, A, B, Query, nullptr, &dNum, "IdPDbLynxTestRxIqWords"),
    kEnd,
};
const SScpiCmd cUTestTx[] = {
    cmd("SIGNal", CodeTestTxSource, A, B, Set, nullptr, &dTestTxSignal, "IdPDbLynxTestTxSource"),
    node("SINE", A, B, &sUTestTxSine),
    cmd("STATe", CodeTestTxPrbs, A, B, Set, nullptr, &dBool, "IdPDbLynxTestTxPrbs"),
    kEnd,
};
const SScpiCmd cUTestTxSine[] = {
    cmd("AMPLitude", CodeTestSinusGain, A, B, Set, nullptr, &dNum, "IdPDbLynxTestSinusGain"),
    cmd("FREQuency", CodeTestSinusCwFreq, A, B, Set, nullptr, &dFreq, "IdPDbLynxTestSinusCwFreq"),
    kEnd,
};
const SScpiCmd cUTrigger[] = {
    cmd("ARM", CodeTriggerArm, 0, B, Event, nullptr, nullptr, "IdPDbLynxTriggerArm"),
    cmd("CSTat", CodeTriggerStatus, A, B, Query, nullptr, &dText, "IdPDbLynxTriggerStatus"),
    cmd("DELay", CodeTriggerDelay, 0, B, Set, nullptr, &dNum, "IdPDbLynxTriggerDelay"),
    cmd("RESTart", CodeTriggerRestart, 0, B, Event, nullptr, nullptr, "IdPDbLynxTriggerRestart"),
    cmd("SOURce", CodeTriggerSource, 0, B, Set, nullptr, &dTrigSource, "IdPDbLynxTriggerSource"),
    cmd("STATe", CodeTriggerState, 0, B, Query, nullptr, &dTrigState, "IdPDbLynxTriggerState"),
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
    node("ARB", A, B, &sArb),
    cmd("CATalog", CodeSerials, A, B, Query, nullptr, &dList, "IdPDbKobraSerials"),
    node("DEVice", A, B, &sDevice),
    node("INST", A, B, &sInst, 2),
    cmd("SELect", CodeKobraSelected, A, B, Set, nullptr, &dNum, "IdPiDbKobraSelected"),
    cmd("STATe", CodeKobraState, A, B, Query, nullptr, &dBool, "IdPDbKobraState"),
    node("USER", A, B, &sUser),
    kEnd,
};
const SScpiCmd cArb[] = {
    cmd("CATalog", CodeArbCatName, A, B, Query, nullptr, &dList, "IdPDbKobraArbCatName"),
    cmd("DELete", CodeArbDel, A, B, EventText, nullptr, &dText, "IdPDbKobraArbDel"),
    kEnd,
};
const SScpiCmd cDevice[] = {
    node("BOARd", A, B, &sDevBoard),
    node("BOB", A, B, &sDevBob),
    cmd("CATalog", CodeSerials, A, B, Query, nullptr, &dList, "IdPDbKobraSerials"),
    cmd("CONTroller", CodeController, A, B, Query, nullptr, &dText, "IdPDbKobraConfigController"),
    cmd("CPLD", CodeCpldVers, A, B, Query, nullptr, &dText, "IdPDbKobraConfigCpldVers"),
    node("FIRMware", A, B, &sDevFirm),
    node("FPG", A, B, &sDevFpg),
    cmd("PART", CodePartNumber, A, B, Set, nullptr, &dText, "IdPDbKobraConfigPartNumber"),
    cmd("PPCVersion", CodePpcVers, A, B, Query, nullptr, &dText, "IdPDbKobraConfigPpcVers"),
    cmd("SELect", CodeConfigSelected, A, B, Set, nullptr, &dNum, "IdPiDbKobraConfigSelected"),
    cmd("SERial", CodeSerialNumber, A, B, Query, nullptr, &dText, "IdPDbKobraConfigSerialNumber"),
    kEnd,
};
const SScpiCmd cDevBoard[] = {
    cmd("PART", CodeBoardPN, A, B, Query, nullptr, &dText, "IdPDbKobraConfigBoardPN"),
    cmd("REVision", CodeBoardRev, A, B, Query, nullptr, &dText, "IdPDbKobraConfigBoardRev"),
    cmd("SERial", CodeBoardSN, A, B, Query, nullptr, &dText, "IdPDbKobraConfigBoardSN"),
    kEnd,
};
const SScpiCmd cDevBob[] = {
    cmd("REVision", CodeBobRev, A, B, Query, nullptr, &dText, "IdPDbKobraConfigBobRev"),
    cmd("SERial", CodeBobSN, A, B, Query, nullptr, &dText, "IdPDbKobraConfigBobSN"),
    cmd("TYPe", CodeBobType, A, B, Query, nullptr, &dText, "IdPDbKobraConfigBobType"),
    kEnd,
};
const SScpiCmd cDevFirm[] = {
    cmd("INSTalled", CodeConfigFirmVers, A, B | Firmware, Query, nullptr, &dText, "IdPDbKobraConfigFirmVers"),
    cmd("SUPPorted", CodeFirmSupported, A, B, Query, nullptr, &dText, "IdPDbLynxFirmSupported"),
    cmd("UPDate", CodeFirmUpdError, A, B | Firmware, Query, nullptr, &dBool, "IdPDbLynxFirmUpdError"),
    kEnd,
};
const SScpiCmd cDevFpg[] = {
    cmd("BASe", CodeFpgaVers, A, B, Query, nullptr, &dText, "IdPDbKobraConfigFpgaVers"),
    cmd("BOB", CodeFpgaBobVers, A, B, Query, nullptr, &dText, "IdPDbKobraConfigFpgaBobVers"),
    cmd("DIGio", CodeFpgaDigIoVers, A, B, Query, nullptr, &dText, "IdPDbKobraConfigFpgaDigIoVers"),
    kEnd,
};
const SScpiCmd cInst[] = {
    cmd("NAME", CodeInstrumentName, A, B, Query, nullptr, &dText, "IdPDbKobraInstrumentName"),
    cmd("PORT", CodeInstrPort, A, B, Query, nullptr, &dText, "IdPDbKobraInstrPort"),
    cmd("SERial", CodeInstrSerialNumber, A, B, Query, nullptr, &dText, "IdPDbKobraInstrSerialNumber"),
    cmd("TYPE", CodeInstrType, A, B, Query, nullptr, &dText, "IdPDbKobraInstrType"),
    kEnd,
};

// ---- DIAGnostic:KOBR -----------------------------------------------------------------------------

const SScpiCmd cDiagKobr[] = {
    cmd("CATalog", CodeSerials, A, B, Query, nullptr, &dList, "IdPDbKobraSerials"),
    node("CPRI", A, B, &sCpri),
    node("DRF", A, B, &sDrf),
    node("EEPRom", A, B, &sEeprom),
    cmd("LEDTest", CodeDiagLedTest, A, B, Set, nullptr, &dLedTest, "IdPDbKobraDiagLedTest"),
    node("LVDS", A, B, &sLvds),
    cmd("POINt", CodeDiagPoint, A, B, SetSub, &sPoint, &dDiagPoint, "IdPDbKobraDiagPoint"),
    cmd("SELect", CodeConfigSelected, A, B, Set, nullptr, &dNum, "IdPiDbKobraConfigSelected"),
    kEnd,
};
const SScpiCmd cCpri[] = {
    cmd("TEST", CodeCpriTestError, A, B, QuerySub, &sCpriTest, &dBool, "IdPDbKobraServiceCpriTestError"),
    kEnd,
};
const SScpiCmd cCpriTest[] = {
    cmd("STORe", CodeCpriTestLogSave, A, B, EventText, nullptr, &dText, "IdPDbKobraServiceCpriTestLogSave"),
    kEnd,
};
const SScpiCmd cDrf[] = {node("TEST", A, B, &sDrfTest), kEnd};
const SScpiCmd cDrfTest[] = {
    cmd("FIRSt", CodeDigRfTestError, A, B, Query, nullptr, &dBool, "IdPDbKobraServiceDigRfTestError"),
    cmd("SECond", CodeDigRfTestError2, A, B, Query, nullptr, &dBool, "IdPDbKobraServiceDigRfTestError2"),
    cmd("STORe", CodeDigRfTestLogSave, A, B, EventText, nullptr, &dText, "IdPDbKobraServiceDigRfTestLogSave"),
    kEnd,
};
const SScpiCmd cEeprom[] = {
    node("BOB", A, B, &sEepromBob),
    cmd("SERial", CodeEepromSn, A, B, QuerySub, &sEepromSerial, &dText, "IdPDbKobraServiceEepromSn"),
    kEnd,
};
const SScpiCmd cEepromBob[] = {
    cmd("SERial", CodeBobEepromSn, A, B, SetSub, &sEepromBobSerial, &dText, "IdPDbKobraServiceBobEepromSn"),
    kEnd,
};
const SScpiCmd cEepromBobSerial[] = {
    cmd("READ", CodeBobEepromSnRead, A, B, Event, nullptr, nullptr, "IdPDbKobraServiceBobEepromSnRead"),
    cmd("WRITe", CodeBobEepromSnWrite, A, B, Event, nullptr, nullptr, "IdPDbKobraServiceBobEepromSnWrite"),
    kEnd,
};
const SScpiCmd cEepromSerial[] = {
    cmd("COPY", CodeEepromSnCopy, A, B, Event, nullptr, nullptr, "IdPDbKobraServiceEepromSnCopy"),
    cmd("READ", CodeEepromSnRead, A, B, Event, nullptr, nullptr, "IdPDbKobraServiceEepromSnRead"),
    kEnd,
};
const SScpiCmd cLvds[] = {
    cmd("BER", CodeLvdsBer, 0, B, Query, nullptr, &dNum, "IdPDbKobraServiceLvdsBer"),
    cmd("DCM", CodeLvdsDcm, A, B, Query, nullptr, &dBool, "IdPDbKobraServiceLvdsDcm"),
    cmd("ERRors", CodeLvdsErrors, 0, B, Query, nullptr, &dNum, "IdPDbKobraServiceLvdsErrors"),
    cmd("NDATa", CodeLvdsNoData, A, B, Query, nullptr, &dBool, "IdPDbKobraServiceLvdsNoData"),
    cmd("PLL", CodeLvdsPll, A, B, Query, nullptr, &dBool, "IdPDbKobraServiceLvdsPll"),
    cmd("RCV", CodeLvdsReceived, 0, B, Query, nullptr, &dNum, "IdPDbKobraServiceLvdsReceived"),
    // Receive and transmit links share their commands; the suffix word picks the link.
    node("RX", A, B, &sLvdsLink, 258),
    node("TX", A, B, &sLvdsLink, 266),
    kEnd,
};
const SScpiCmd cLvdsLink[] = {
    cmd("SOURce", CodeLvdsSource, A, B, Set, nullptr, &dLvdsSource, "IdPDbKobraServiceLvdsSource"),
    cmd("STATe", CodeLvdsStart, A, B, Set, nullptr, &dBool, "IdPDbKobraServiceLvdsStart"),
    kEnd,
};
const SScpiCmd cPoint[] = {
    cmd("DRF", CodeDiagPointDigRf, A, B, SetSub, &sPointDrf, &dDigRfPoint, "IdPDbKobraDiagPointDigRf"),
    cmd("STATe", CodeDiagState, A, B, Set, nullptr, &dBool, "IdPDbKobraDiagState"),
    cmd("VALue", CodeDiagValue, A, B, Query, nullptr, &dText, "IdPDbKobraDiagValue"),
    kEnd,
};
const SScpiCmd cPointDrf[] = {
    cmd("VALue", CodeDiagValueDigRf, A, B, Query, nullptr, &dText, "IdPDbKobraDiagValueDigRf"),
    kEnd,
};

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
