#include "ScpiTestTree.h"

#include <utility>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"
#include "host/scpi/ScpiStandardValues.h"
#include "host/util/VGXErrorManager.h"
#include "support/TestDbDefinitions.h"

using namespace MvQARN;

namespace ScpiTest {

Observed& observed() {
    static Observed o;
    return o;
}

namespace {

// ---- Parameter functions -------------------------------------------------------------------

class TstCheck : public CDbChkFunc {
public:
    explicit TstCheck(int (TstCheck::*m)(CDbCnct&)) : CDbChkFunc(static_cast<Member>(m)) {}
    // The clock rate's dynamic range is narrower than its static one.
    int clockLimits(CDbCnct& c) {
        c.setResult(new CDbDataTypeNDbl(1e3, 200e6));
        return 0;
    }
    int conflict(CDbCnct& c) {
        int v = 0;
        if (c.getValue().toInt(v) && v == 1) {
            c.errorText() = QString::fromLatin1(ConflictText);
            return ConflictError;
        }
        return 0;
    }
};

class TstUpdate : public CDbUpdFunc {
public:
    explicit TstUpdate(int (TstUpdate::*m)(CDbCnct&, const CDbAllType&))
        : CDbUpdFunc(static_cast<MemberVal>(m)) {}
    int preset(CDbCnct& c, const CDbAllType&) {
        ++observed().presetCalls;
        observed().presetTupel = c.getTupel();
        return 0;
    }
    int save(CDbCnct& c, const CDbAllType&) {
        observed().savedNames << c.getValue().toText();
        return 0;
    }
    int alarm(CDbCnct&, const CDbAllType&) {
        VGXErrorManager::signal(AlarmError, QString::fromLatin1(AlarmText));
        return 0;
    }
};

class TstConvOut : public CDbCnvOutFunc {
public:
    explicit TstConvOut(void (TstConvOut::*m)(CDbCnct&)) : CDbCnvOutFunc(static_cast<Member>(m)) {}
    // The sample rate reads as a quarter of the clock rate.
    void sampleRate(CDbCnct& c) {
        double rate = 0.0;
        if (c.getDataBaseIfc()->getNumber("TstClocRate", rate, c.t0(), c.t3(), c.t2(), c.t1()) == 0)
            c.getAnswerBuffer().createAnswer(new CDbDataTypeNumber(rate / 4.0));
    }
};

TstCheck g_chkClock(&TstCheck::clockLimits);
TstCheck g_chkConflict(&TstCheck::conflict);
TstUpdate g_updPreset(&TstUpdate::preset);
TstUpdate g_updSave(&TstUpdate::save);
TstUpdate g_updAlarm(&TstUpdate::alarm);
TstConvOut g_cnvSampleRate(&TstConvOut::sampleRate);

// ---- Definition records --------------------------------------------------------------------

const int kLogicIds[] = {0, 1, 2, 3, 4, 5, 8};
const uint32_t kCmDataDef[2] = {0xA5000000u, 0};

dbtest::Defs& buildRecords() {
    static dbtest::Defs d;
    static bool built = false;
    if (built)
        return d;
    built = true;
    const dbtest::Inst ifc{2, 2, 1, 1};
    auto& rate = d.number("TstClocRate", 1e3, 250e6, 10e6, ifc);
    rate.step = 1.0; // whole hertz: numbers round to it, UP and DOWN move by it
    rate.c.unit = DbUnitHz;
    rate.c.chk = &g_chkClock;
    auto& skew = d.number("TstClocSkew", -5e-9, 5e-9, 0.0, ifc);
    skew.step = 1e-12;
    skew.c.unit = DbUnitSec;
    d.number("TstDataSize", 4, 16, 12, ifc);
    auto& sampleRate = d.number("TstSampRate", 0, 1e9, 0, ifc);
    sampleRate.c.unit = DbUnitHz;
    sampleRate.c.cnvOut = &g_cnvSampleRate;
    d.number("TstTrigDelay", 0, 1000, 5, ifc);

    d.select("TstClocPhas", 0, 3, 0, ifc);
    auto& logic = d.select("TstLogic", 0, 8, 0, ifc);
    logic.ids = kLogicIds;
    logic.idCount = int(std::size(kLogicIds));
    d.select("TstDirection", 0, 1, 0, ifc);
    d.select("TstNegI", 0, 1, 0, ifc);
    d.select("TstConflict", 0, 1, 0, ifc).c.chk = &g_chkConflict;
    d.select("TstAlarm", 0, 1, 0, ifc).c.upd = &g_updAlarm;
    d.select("TstSpiFreq", 0, 5, 0, ifc);
    d.select("TstLvdsStart", 0, 1, 0, {2, 2, 1, 2});
    d.select("TstKobrSelect", 0, 3, 0, ifc);
    d.select("TstState", 0, 1, 1, ifc);

    d.string("TstSsiFile", "gain.hex", 32, ifc);
    d.string("TstSave", "", 64, ifc).c.upd = &g_updSave;
    d.string("TstInstName", "none", 64, {2, 2, 1, 4}).c.idx = &idxL2PDbAllX21; // one list of links
    d.bits("TstSsiCmData", 1, 64, 8, ifc).def = kCmDataDef;
    // In the settings group, so *RST would run it if actions were settings.
    auto& preset = d.event("TstPreset", ifc);
    preset.c.upd = &g_updPreset;
    preset.c.grp = 0x24;
    d.list("TstCatalog");
    return d;
}

// ---- Command tables ------------------------------------------------------------------------

using namespace ScpiStandard;

const SScpiKeyword kwPhase[] = {{"0", 0, 0}, {"90", 1, 0}, {"180", 2, 0}, {"270", 3, 0}, kwEnd};
const SScpiKeyword kwLogic[] = {{"LVDS", 0, 0},   {"LVTTl", 1, 0},  {"CMOS33", 2, 0}, {"CMOS25", 3, 0},
                                {"CMOS18", 4, 0}, {"CMOS15", 5, 0}, {"CMOS12", 8, 0}, kwEnd};
const SScpiKeyword kwDir[] = {{"RECeiver", 0, 0}, {"TRANsmitter", 1, 0}, kwEnd};
const SScpiKeyword kwSpi[] = {{"1MHZ", 0, 0},    {"2.5MHZ", 1, 0}, {"5MHZ", 2, 0}, {"8.333MHZ", 3, 0},
                              {"12.5MHZ", 4, 0}, {"25MHZ", 5, 0},  kwEnd};
const SScpiValDesc dPhase = {.type = ScpiValKeyword, .format = ScpiFormatPlain, .keywords = kwPhase};
const SScpiValDesc dLogic = {.type = ScpiValChar, .format = ScpiFormatPlain, .keywords = kwLogic};
const SScpiValDesc dDir = {.type = ScpiValChar, .format = ScpiFormatPlain, .keywords = kwDir};
const SScpiValDesc dSpi = {.type = ScpiValChar, .format = ScpiFormatPlain, .keywords = kwSpi};

SScpiParseTable *sRoot, *sSource, *sBbin, *sIq, *sIqOut, *sKobr, *sInst, *sDiag, *sDiagKobr, *sLvds,
    *sLvdsSub, *sIfcBbin, *sIfcIq, *sIfcUser, *sClock, *sData, *sLogic, *sSsi, *sSpi, *sSetting, *sTrigger;

constexpr int Q = ScpiKindQuery, S = ScpiKindSetting, ET = ScpiKindEventText, E = ScpiKindEvent;
constexpr unsigned B = ScpiFlagBBothSides, A = ScpiFlagsAGroup;

// A node leading to a sub-level, and a command on a parameter.
constexpr SScpiCmd node(const char* mnemonic, SScpiParseTable** sub, unsigned a = 0, unsigned b = 0,
                        int suffix = 0) {
    return {mnemonic, 0, a, b, ScpiKindNode, sub, nullptr, nullptr, suffix, nullptr};
}
constexpr SScpiCmd cmd(const char* mnemonic, int code, unsigned a, unsigned b, int kind,
                       const SScpiValDesc* d, const char* param) {
    return {mnemonic, code, a, b, kind, nullptr, d, param, 0, nullptr};
}

const SScpiCmd cRoot[] = {node("SOURce", &sSource, 0, 0, ScpiSuffixInterface),
                          node("BBIN", &sBbin),
                          node("IQ", &sIq),
                          node("KOBR", &sKobr, A, B),
                          node("DIAGnostic", &sDiag, 0, 0, ScpiSuffixInterface),
                          {}};
const SScpiCmd cSource[] = {node("BBIN", &sBbin), node("IQ", &sIq), node("KOBR", &sKobr, A, B), {}};
const SScpiCmd cBbin[] = {node("EXTernal", &sIfcBbin, A), {}};
const SScpiCmd cIq[] = {node("OUTPut", &sIqOut, A), {}};
const SScpiCmd cIqOut[] = {node("EXTernal", &sIfcIq, A, 0, ScpiSuffixOutputSide), {}};
const SScpiCmd cKobr[] = {node("USER", &sIfcUser, 0, B),
                          node("INST", &sInst, A, B, ScpiSuffixList),
                          cmd("SELect", 0x50960, A, B, S, &dNum, "TstKobrSelect"),
                          cmd("STATe", 0x50961, A, B, Q, &dBool, "TstState"),
                          cmd("CATalog", 0x50962, A, B, Q, &dList, "TstCatalog"),
                          {}};
const SScpiCmd cInst[] = {cmd("NAME", 0x50963, A, B, Q, &dText, "TstInstName"), {}};
const SScpiCmd cDiag[] = {node("KOBR", &sDiagKobr, A, B), {}};
const SScpiCmd cDiagKobr[] = {node("LVDS", &sLvds, A, B), {}};
// RX and TX share one sub-level; only their suffix words differ.
const SScpiCmd cLvds[] = {node("RX", &sLvdsSub, A, B, ScpiSuffixReceiveLink),
                          node("TX", &sLvdsSub, A, B, ScpiSuffixTransmitLink),
                          {}};
const SScpiCmd cLvdsSub[] = {cmd("STATe", 0x50970, A, B, S, &dBool, "TstLvdsStart"), {}};

// The commands every interface level has; LOGic is a setting with a sub-level.
#define TST_IFC_COMMON(a, b)                                                                                 \
    node("CLOCk", &sClock, a, b), node("DATA", &sData, a, b),                                                \
        cmd("DIRection", 0x50920, a, b, S, &dDir, "TstDirection"),                                           \
        SScpiCmd{"LOGic", 0x50921, a, b, ScpiKindSettingSub, &sLogic, &dLogic, "TstLogic", 0, nullptr},      \
        node("SSI", &sSsi, a, b), cmd("SRATe", 0x50922, a, b, Q, &dNum, "TstSampRate")

const SScpiCmd cIfcBbin[] = {TST_IFC_COMMON(A, 0), {}};
const SScpiCmd cIfcIq[] = {TST_IFC_COMMON(A, 0), {}};
const SScpiCmd cIfcUser[] = {TST_IFC_COMMON(0, B),
                             cmd("PRESet", 0x50930, 0, B, E, nullptr, "TstPreset"),
                             node("SETTing", &sSetting, A, B),
                             cmd("CONFlict", 0x50931, A, B, S, &dBool, "TstConflict"),
                             cmd("ALARm", 0x50932, A, B, S, &dBool, "TstAlarm"),
                             cmd("GHOSt", 0x50933, A, B, S, &dNum, "TstNoSuchParameter"),
                             node("TRIGger", &sTrigger, 0, B),
                             {}};
#undef TST_IFC_COMMON

// Shared by all three interface levels (flags B 0): the side rule must come from the path.
const SScpiCmd cClock[] = {cmd("RATE", 0x50910, 0, 0, S, &dFreq, "TstClocRate"),
                           cmd("SKEW", 0x50911, 0, 0, S, &dTime, "TstClocSkew"),
                           cmd("PHASe", 0x50912, 0, 0, S, &dPhase, "TstClocPhas"),
                           {}};
const SScpiCmd cData[] = {cmd("SIZE", 0x50913, 0, 0, S, &dNum, "TstDataSize"),
                          cmd("INEGate", 0x50914, 0, 0, S, &dBool, "TstNegI"),
                          {}};
const SScpiCmd cLogic[] = {cmd("TYPE", 0x50915, 0, 0, S, &dLogic, "TstLogic"), {}};
const SScpiCmd cSsi[] = {cmd("CMData", 0x50916, 0, 0, S, &dBits, "TstSsiCmData"),
                         cmd("FSELect", 0x50917, 0, 0, S, &dText, "TstSsiFile"),
                         node("SPI", &sSpi),
                         {}};
const SScpiCmd cSpi[] = {cmd("FREQuency", SpiFreqCode, 0, 0, S, &dSpi, "TstSpiFreq"), {}};
const SScpiCmd cSetting[] = {cmd("STORe", 0x50940, A, B, ET, &dText, "TstSave"),
                             cmd("CATalog", 0x50941, A, B, Q, &dList, "TstCatalog"),
                             {}};
const SScpiCmd cTrigger[] = {cmd("DELay", 0x50950, 0, B, S, &dNum, "TstTrigDelay"), {}};

int g_tableCount = 0;
SScpiParseTable* g_tables[32] = {};

// Root first; the others in no particular order (deepest levels before the levels above them).
void buildTables(int* count, SScpiParseTable** list) {
    const std::pair<SScpiParseTable**, const SScpiCmd*> tables[] = {
        {&sRoot, cRoot},         {&sSpi, cSpi},       {&sLvdsSub, cLvdsSub}, {&sClock, cClock},
        {&sIfcUser, cIfcUser},   {&sSource, cSource}, {&sBbin, cBbin},       {&sIq, cIq},
        {&sIqOut, cIqOut},       {&sKobr, cKobr},     {&sInst, cInst},       {&sDiag, cDiag},
        {&sDiagKobr, cDiagKobr}, {&sLvds, cLvds},     {&sIfcBbin, cIfcBbin}, {&sIfcIq, cIfcIq},
        {&sData, cData},         {&sLogic, cLogic},   {&sSsi, cSsi},         {&sSetting, cSetting},
        {&sTrigger, cTrigger}};
    for (const auto& [slot, cmds] : tables)
        list[(*count)++] = MakeParseTable(slot, cmds);
}

} // namespace

void defineParameters() {
    buildRecords().registerAll(ModuleNumber, "ScpiTest");
}

TestModule::TestModule() : CDefaultScpiModule(ModuleNumber, &g_tableCount, g_tables, &sRoot, &buildTables) {}

void TestModule::answerHook(int commandCode, const SDbInstTupel& tupel, QString& answer) {
    ++hookCalls;
    if (commandCode != SpiFreqCode)
        return;
    static const double kHz[] = {1e6, 2.5e6, 5e6, 8.333e6, 12.5e6, 25e6};
    CDbAllType v;
    int index = -1;
    if (CDbEngine::instance().readStored("TstSpiFreq", tupel, v) == 0)
        v.toInt(index);
    answer = QString::number(index >= 0 && index < 6 ? kHz[index] : 0.0, 'g', 6);
}

} // namespace ScpiTest
