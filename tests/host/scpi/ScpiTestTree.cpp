#include "ScpiTestTree.h"

#include <deque>
#include <vector>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"
#include "host/util/VGXErrorManager.h"

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
        observed().saveTupel = c.getTupel();
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

constexpr unsigned kGroup = 0x24;

SDbDefCommon common(const char* name, int type, int n0, int n1, int n3) {
    SDbDefCommon c{};
    c.name = name;
    c.countA[0] = n0;
    c.countA[1] = n1;
    c.countA[2] = 1;
    c.countA[3] = n3;
    c.type = type;
    c.grp = kGroup;
    c.marker14 = 0xffffff;
    c.marker20 = -1;
    return c;
}

SDbDefNumber number(const char* name, double min, double max, double def, double step, int unit = 0) {
    SDbDefNumber r{};
    r.c = common(name, DbTypeNumber, 2, 2, 1);
    r.c.unit = unit;
    r.min = min;
    r.max = max;
    r.def = r.def2 = def;
    r.step = step;
    return r;
}

SDbDefSelect select(const char* name, int min, int max, int def, int n0 = 2, int n1 = 2, int n3 = 1) {
    SDbDefSelect r{};
    r.c = common(name, DbTypeSelect, n0, n1, n3);
    r.min = min;
    r.max = max;
    r.def = r.def2 = def;
    r.step = 1;
    return r;
}

SDbDefString string(const char* name, int maxLen, const char* def, int n3 = 1) {
    SDbDefString r{};
    r.c = common(name, DbTypeString, 2, 2, n3);
    r.maxLen = maxLen;
    r.def = r.def2 = def;
    return r;
}

const int kLogicIds[] = {0, 1, 2, 3, 4, 5, 8};
const uint32_t kCmDataDef[2] = {0xA5000000u, 0};
int g_numberCount = 0, g_selectCount = 0, g_stringCount = 0, g_bitCount = 0, g_eventCount = 0,
    g_listCount = 0;
std::vector<SDbDefNumber> g_numbers;
std::vector<SDbDefSelect> g_selects;
std::vector<SDbDefString> g_strings;
std::vector<SDbDefNBit> g_bits;
std::vector<SDbDefEvent> g_events;
std::vector<SDbDefNString> g_lists;
std::vector<SDbDefArray> g_arrays;
SDbDescriptor g_descriptor{};

void buildRecords() {
    if (!g_arrays.empty())
        return;
    g_numbers.push_back(number("TstClocRate", 1e3, 250e6, 10e6, 1e6, DbUnitHz));
    g_numbers.back().c.chk = &g_chkClock;
    g_numbers.push_back(number("TstClocSkew", -5e-9, 5e-9, 0.0, 1e-10, DbUnitSec));
    g_numbers.push_back(number("TstDataSize", 4, 16, 12, 1));
    g_numbers.push_back(number("TstSampRate", 0, 1e9, 0, 1, DbUnitHz));
    g_numbers.back().c.cnvOut = &g_cnvSampleRate;
    g_numbers.push_back(number("TstTrigDelay", 0, 1000, 5, 1));

    g_selects.push_back(select("TstClocPhas", 0, 3, 0));
    g_selects.push_back(select("TstLogic", 0, 8, 0));
    g_selects.back().ids = kLogicIds;
    g_selects.back().idCount = int(std::size(kLogicIds));
    g_selects.push_back(select("TstDirection", 0, 1, 0));
    g_selects.push_back(select("TstNegI", 0, 1, 0));
    g_selects.push_back(select("TstConflict", 0, 1, 0));
    g_selects.back().c.chk = &g_chkConflict;
    g_selects.push_back(select("TstAlarm", 0, 1, 0));
    g_selects.back().c.upd = &g_updAlarm;
    g_selects.push_back(select("TstSpiFreq", 0, 5, 0));
    g_selects.push_back(select("TstLvdsStart", 0, 1, 0, 2, 2, 2));
    g_selects.push_back(select("TstKobrSelect", 0, 3, 0));
    g_selects.push_back(select("TstState", 0, 1, 1));

    g_strings.push_back(string("TstSsiFile", 32, "gain.hex"));
    g_strings.push_back(string("TstSave", 64, ""));
    g_strings.back().c.upd = &g_updSave;
    g_strings.push_back(string("TstInstName", 64, "none", 4));
    g_strings.back().c.idx = &idxL2PDbAllX21; // one list of links, whatever the interface

    SDbDefNBit b{};
    b.c = common("TstSsiCmData", DbTypeNBit, 2, 2, 1);
    b.minLen = 1;
    b.maxLen = 64;
    b.defLen = 8;
    b.def = kCmDataDef;
    g_bits.push_back(b);

    SDbDefEvent e{};
    e.c = common("TstPreset", DbTypeEvent, 2, 2, 1);
    e.c.upd = &g_updPreset;
    g_events.push_back(e);

    SDbDefNString l{};
    l.c = common("TstCatalog", DbTypeNString, 1, 1, 1);
    l.maxEntries = 100;
    g_lists.push_back(l);

    g_numberCount = int(g_numbers.size());
    g_selectCount = int(g_selects.size());
    g_stringCount = int(g_strings.size());
    g_bitCount = int(g_bits.size());
    g_eventCount = int(g_events.size());
    g_listCount = int(g_lists.size());
    g_arrays = {
        {DbTypeNumber, g_numbers.data(), &g_numberCount}, {DbTypeSelect, g_selects.data(), &g_selectCount},
        {DbTypeString, g_strings.data(), &g_stringCount}, {DbTypeNBit, g_bits.data(), &g_bitCount},
        {DbTypeEvent, g_events.data(), &g_eventCount},    {DbTypeNString, g_lists.data(), &g_listCount},
    };
    g_descriptor.arrays = g_arrays.data();
    g_descriptor.arrayCount = int(g_arrays.size());
    g_descriptor.version = 3;
}

// ---- Command tables ------------------------------------------------------------------------

const SScpiKeyword kwBool[] = {{"0", 0, 0}, {"1", 1, 0}, {"OFF", 0, 0}, {"ON", 1, 0}, {nullptr, 0, 0}};
const SScpiKeyword kwNum[] = {
    {"MINimum", 1, 1}, {"MAXimum", 3, 1}, {"DEFault", 2, 1}, {"OFF", 0, 0}, {nullptr, 0, 0}};
// UP and DOWN without the special flag, as a tree may well write them.
const SScpiKeyword kwFreq[] = {{"MINimum", 1, 1}, {"MAXimum", 3, 1}, {"DEFault", 2, 1}, {"UP", 4, 0},
                               {"DOWN", 5, 0},    {"OFF", 0, 0},     {nullptr, 0, 0}};
const SScpiKeyword kwPhase[] = {{"0", 0, 0}, {"90", 1, 0}, {"180", 2, 0}, {"270", 3, 0}, {nullptr, 0, 0}};
const SScpiKeyword kwLogic[] = {{"LVDS", 0, 0},   {"LVTTl", 1, 0},  {"CMOS33", 2, 0}, {"CMOS25", 3, 0},
                                {"CMOS18", 4, 0}, {"CMOS15", 5, 0}, {"CMOS12", 8, 0}, {nullptr, 0, 0}};
const SScpiKeyword kwDir[] = {{"RECeiver", 0, 0}, {"TRANsmitter", 1, 0}, {nullptr, 0, 0}};
const SScpiKeyword kwSpi[] = {{"1MHZ", 0, 0},    {"2.5MHZ", 1, 0}, {"5MHZ", 2, 0}, {"8.333MHZ", 3, 0},
                              {"12.5MHZ", 4, 0}, {"25MHZ", 5, 0},  {nullptr, 0, 0}};
const SScpiUnit unFreq[] = {{"HZ", 0x2700},  {"KHZ", 0x2703}, {"MHZ", 0x2706}, {"MAHZ", 0x2706},
                            {"GHZ", 0x2709}, {"THZ", 0x270C}, {nullptr, 0}};
const SScpiUnit unTime[] = {{"S", 0x3400},  {"MS", 0x34FD}, {"US", 0x34FA},
                            {"NS", 0x34F7}, {"PS", 0x34F4}, {nullptr, 0}};

const SScpiValDesc dBool = {0x102, 0x100, nullptr, kwBool, nullptr, 0};
const SScpiValDesc dList = {0x400000, 0x100, nullptr, nullptr, nullptr, 0};
const SScpiValDesc dText = {0x20000, 0x100, nullptr, nullptr, nullptr, 0};
const SScpiValDesc dBits = {0x1C000, 0x200, nullptr, nullptr, nullptr, 10};
const SScpiValDesc dNum = {0xF02, 0x101, nullptr, kwNum, nullptr, 0};
const SScpiValDesc dFreq = {0xF02, 0x101, unFreq, kwFreq, nullptr, 0};
const SScpiValDesc dTime = {0xF02, 0x101, unTime, kwNum, nullptr, 0};
const SScpiValDesc dPhase = {0x2, 0x100, nullptr, kwPhase, nullptr, 0};
const SScpiValDesc dLogic = {0x100, 0x100, nullptr, kwLogic, nullptr, 0};
const SScpiValDesc dDir = {0x100, 0x100, nullptr, kwDir, nullptr, 0};
const SScpiValDesc dSpi = {0x100, 0x100, nullptr, kwSpi, nullptr, 0};

SScpiParseTable* sRoot = nullptr;
SScpiParseTable* sSource = nullptr;
SScpiParseTable* sBbin = nullptr;
SScpiParseTable* sIq = nullptr;
SScpiParseTable* sIqOut = nullptr;
SScpiParseTable* sKobr = nullptr;
SScpiParseTable* sInst = nullptr;
SScpiParseTable* sDiag = nullptr;
SScpiParseTable* sDiagKobr = nullptr;
SScpiParseTable* sLvds = nullptr;
SScpiParseTable* sLvdsSub = nullptr;
SScpiParseTable* sIfcBbin = nullptr;
SScpiParseTable* sIfcIq = nullptr;
SScpiParseTable* sIfcUser = nullptr;
SScpiParseTable* sClock = nullptr;
SScpiParseTable* sData = nullptr;
SScpiParseTable* sLogic = nullptr;
SScpiParseTable* sSsi = nullptr;
SScpiParseTable* sSpi = nullptr;
SScpiParseTable* sSetting = nullptr;
SScpiParseTable* sTrigger = nullptr;

constexpr int N = ScpiKindNode, Q = ScpiKindQuery, S = ScpiKindSetting, SS = ScpiKindSettingSub,
              ET = ScpiKindEventText, E = ScpiKindEvent;
constexpr unsigned B = ScpiFlagBBothSides;

const SScpiCmd cRoot[] = {
    {"SOURce", 0, 0, 0, N, &sSource, nullptr, nullptr, 1, nullptr},
    {"BBIN", 0, 0, 0, N, &sBbin, nullptr, nullptr, 0, nullptr},
    {"IQ", 0, 0, 0, N, &sIq, nullptr, nullptr, 0, nullptr},
    {"KOBR", 0, 0xC1, B, N, &sKobr, nullptr, nullptr, 0, nullptr},
    {"DIAGnostic", 0, 0, 0, N, &sDiag, nullptr, nullptr, 1, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cSource[] = {
    {"BBIN", 0, 0, 0, N, &sBbin, nullptr, nullptr, 0, nullptr},
    {"IQ", 0, 0, 0, N, &sIq, nullptr, nullptr, 0, nullptr},
    {"KOBR", 0, 0xC1, B, N, &sKobr, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cBbin[] = {
    {"EXTernal", 0, 0xC1, 0, N, &sIfcBbin, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cIq[] = {
    {"OUTPut", 0, 0xC1, 0, N, &sIqOut, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cIqOut[] = {
    {"EXTernal", 0, 0xC1, 0, N, &sIfcIq, nullptr, nullptr, 268, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cKobr[] = {
    {"USER", 0, 0, B, N, &sIfcUser, nullptr, nullptr, 0, nullptr},
    {"INST", 0, 0xC1, B, N, &sInst, nullptr, nullptr, 2, nullptr},
    {"SELect", 0x50960, 0xC1, B, S, nullptr, &dNum, "TstKobrSelect", 0, nullptr},
    {"STATe", 0x50961, 0xC1, B, Q, nullptr, &dBool, "TstState", 0, nullptr},
    {"CATalog", 0x50962, 0xC1, B, Q, nullptr, &dList, "TstCatalog", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cInst[] = {
    {"NAME", 0x50963, 0xC1, B, Q, nullptr, &dText, "TstInstName", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cDiag[] = {
    {"KOBR", 0, 0xC1, B, N, &sDiagKobr, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cDiagKobr[] = {
    {"LVDS", 0, 0xC1, B, N, &sLvds, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
// RX and TX share one sub-level; only their suffix words differ.
const SScpiCmd cLvds[] = {
    {"RX", 0, 0xC1, B, N, &sLvdsSub, nullptr, nullptr, 258, nullptr},
    {"TX", 0, 0xC1, B, N, &sLvdsSub, nullptr, nullptr, 266, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cLvdsSub[] = {
    {"STATe", 0x50970, 0xC1, B, S, nullptr, &dBool, "TstLvdsStart", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};

#define TST_IFC_COMMON(flagsA, flagsB)                                                                       \
    {"CLOCk", 0, flagsA, flagsB, N, &sClock, nullptr, nullptr, 0, nullptr},                                  \
        {"DATA", 0, flagsA, flagsB, N, &sData, nullptr, nullptr, 0, nullptr},                                \
        {"DIRection", 0x50920, flagsA, flagsB, S, nullptr, &dDir, "TstDirection", 0, nullptr},               \
        {"LOGic", 0x50921, flagsA, flagsB, SS, &sLogic, &dLogic, "TstLogic", 0, nullptr},                    \
        {"SSI", 0, flagsA, flagsB, N, &sSsi, nullptr, nullptr, 0, nullptr}, {                                \
        "SRATe", 0x50922, flagsA, flagsB, Q, nullptr, &dNum, "TstSampRate", 0, nullptr                       \
    }

const SScpiCmd cIfcBbin[] = {TST_IFC_COMMON(0xC1, 0),
                             {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr}};
const SScpiCmd cIfcIq[] = {TST_IFC_COMMON(0xC1, 0),
                           {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr}};
const SScpiCmd cIfcUser[] = {
    TST_IFC_COMMON(0, B),
    {"PRESet", 0x50930, 0, B, E, nullptr, nullptr, "TstPreset", 0, nullptr},
    {"SETTing", 0, 0xC1, B, N, &sSetting, nullptr, nullptr, 0, nullptr},
    {"CONFlict", 0x50931, 0xC1, B, S, nullptr, &dBool, "TstConflict", 0, nullptr},
    {"ALARm", 0x50932, 0xC1, B, S, nullptr, &dBool, "TstAlarm", 0, nullptr},
    {"GHOSt", 0x50933, 0xC1, B, S, nullptr, &dNum, "TstNoSuchParameter", 0, nullptr},
    {"TRIGger", 0, 0, B, N, &sTrigger, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
#undef TST_IFC_COMMON

// Shared by all three interface levels (flags B 0): the side rule must come from the path.
const SScpiCmd cClock[] = {
    {"RATE", 0x50910, 0, 0, S, nullptr, &dFreq, "TstClocRate", 0, nullptr},
    {"SKEW", 0x50911, 0, 0, S, nullptr, &dTime, "TstClocSkew", 0, nullptr},
    {"PHASe", 0x50912, 0, 0, S, nullptr, &dPhase, "TstClocPhas", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cData[] = {
    {"SIZE", 0x50913, 0, 0, S, nullptr, &dNum, "TstDataSize", 0, nullptr},
    {"INEGate", 0x50914, 0, 0, S, nullptr, &dBool, "TstNegI", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cLogic[] = {
    {"TYPE", 0x50915, 0, 0, S, nullptr, &dLogic, "TstLogic", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cSsi[] = {
    {"CMData", 0x50916, 0, 0, S, nullptr, &dBits, "TstSsiCmData", 0, nullptr},
    {"FSELect", 0x50917, 0, 0, S, nullptr, &dText, "TstSsiFile", 0, nullptr},
    {"SPI", 0, 0, 0, N, &sSpi, nullptr, nullptr, 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cSpi[] = {
    {"FREQuency", SpiFreqCode, 0, 0, S, nullptr, &dSpi, "TstSpiFreq", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cSetting[] = {
    {"STORe", 0x50940, 0xC1, B, ET, nullptr, &dText, "TstSave", 0, nullptr},
    {"CATalog", 0x50941, 0xC1, B, Q, nullptr, &dList, "TstCatalog", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};
const SScpiCmd cTrigger[] = {
    {"DELay", 0x50950, 0, B, S, nullptr, &dNum, "TstTrigDelay", 0, nullptr},
    {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
};

int g_tableCount = 0;
SScpiParseTable* g_tables[32] = {};

// Root first; the others in no particular order (deepest levels before the levels above them).
void buildTables(int* count, SScpiParseTable** list) {
    list[(*count)++] = MakeParseTable(&sRoot, cRoot);
    list[(*count)++] = MakeParseTable(&sSpi, cSpi);
    list[(*count)++] = MakeParseTable(&sLvdsSub, cLvdsSub);
    list[(*count)++] = MakeParseTable(&sClock, cClock);
    list[(*count)++] = MakeParseTable(&sIfcUser, cIfcUser);
    list[(*count)++] = MakeParseTable(&sSource, cSource);
    list[(*count)++] = MakeParseTable(&sBbin, cBbin);
    list[(*count)++] = MakeParseTable(&sIq, cIq);
    list[(*count)++] = MakeParseTable(&sIqOut, cIqOut);
    list[(*count)++] = MakeParseTable(&sKobr, cKobr);
    list[(*count)++] = MakeParseTable(&sInst, cInst);
    list[(*count)++] = MakeParseTable(&sDiag, cDiag);
    list[(*count)++] = MakeParseTable(&sDiagKobr, cDiagKobr);
    list[(*count)++] = MakeParseTable(&sLvds, cLvds);
    list[(*count)++] = MakeParseTable(&sIfcBbin, cIfcBbin);
    list[(*count)++] = MakeParseTable(&sIfcIq, cIfcIq);
    list[(*count)++] = MakeParseTable(&sData, cData);
    list[(*count)++] = MakeParseTable(&sLogic, cLogic);
    list[(*count)++] = MakeParseTable(&sSsi, cSsi);
    list[(*count)++] = MakeParseTable(&sSetting, cSetting);
    list[(*count)++] = MakeParseTable(&sTrigger, cTrigger);
}

} // namespace

void defineParameters() {
    buildRecords();
    CDbEngine::instance().registerDescriptor(&g_descriptor, ModuleNumber, "ScpiTest");
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

int tableCount() {
    return g_tableCount;
}
SScpiParseTable* rootSlot() {
    return sRoot;
}

} // namespace ScpiTest
