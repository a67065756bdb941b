// The parameter catalogue. Each row below becomes one definition record at compile time; the record
// arrays are constant-initialised (constinit), so they are complete before any dynamic initialiser of
// the library runs and function objects can be bound into them from static initialisers elsewhere.
// Rows give: name, instance range, value range or choices, default ("{x, y}" = default x, second
// default y), unit, attribute word, then the options: group word, function letters, "L" flag word,
// "G" family word, index function, file list and operation, words 9 and 21.
#include "params/KobraCatalogue.h"

#include <array>
#include <cstring>
#include <iterator>

#include "host/db/DbHostValues.h"
#include "params/KobraFunctionSlots.h"
#include "params/KobraUsbDeviceIndex.h"

using namespace MvQARN;

namespace {

// ---------------------------------------------------------------------------------------------------
// Row builders

// Instance range: count per axis (t0, t1, t2, t3), first index per axis, and whether one stored value
// serves the whole range (range B 1x1x1x1).
struct Inst {
    int count[4];
    int first[4];
    bool once;
};

constexpr Inst I1{{1, 1, 1, 1}, {0, 0, 0, 0}, false};
constexpr Inst I2x2{{2, 2, 1, 1}, {0, 0, 0, 0}, false};
constexpr Inst I2x2Once{{2, 2, 1, 1}, {0, 0, 0, 0}, true};
constexpr Inst IArb{{2, 2, 1, 4}, {0, 0, 0, 0}, false};  // t3 = ARB slot
constexpr Inst IRec{{2, 2, 1, 2}, {0, 0, 0, 0}, false};  // t3 = recorder channel or instrument link
constexpr Inst IUsb{{2, 2, 1, 20}, {0, 0, 0, 0}, false}; // t3 = USB device
constexpr Inst IUsbBob{{1, 1, 1, 20}, {0, 0, 0, 0}, false};
constexpr Inst IUsbInstr{{1, 1, 2, 20}, {0, 0, 0, 0}, false};
constexpr Inst ILvds{{1, 1, 1, 2}, {0, 0, 0, 0}, false};
constexpr Inst IPath{{2, 1, 1, 1}, {0, 0, 0, 0}, false};    // per path, side In only
constexpr Inst IPathOut{{2, 1, 1, 1}, {0, 1, 0, 0}, false}; // per path, side Out only

enum EIdx { IdxNone, IdxAll, IdxUsb };

constexpr unsigned FamilyDefault = 0x10121;
constexpr unsigned FamilyG = 0x10000;
constexpr unsigned FlagL = 0x400000;

// Record options, set by chaining: ifc.fn("C U").L()
struct Opt {
    unsigned grpWord = 0;
    unsigned fnSlots = 0;
    bool l = false;
    unsigned fam = FamilyDefault;
    EIdx idxKind = IdxNone;
    int fileList = 0;
    int fileOpCode = 0;
    unsigned w9 = 0;
    int w21 = 0;

    constexpr Opt grp(unsigned g) const {
        Opt o = *this;
        o.grpWord = g;
        return o;
    }
    // Function letters of the catalogue: C, I, O, U, P, S (blanks ignored).
    constexpr Opt fn(const char* letters) const {
        Opt o = *this;
        for (const char* p = letters; *p; ++p) {
            switch (*p) {
            case 'C':
                o.fnSlots |= Kobra::FnChk;
                break;
            case 'I':
                o.fnSlots |= Kobra::FnCnvIn;
                break;
            case 'O':
                o.fnSlots |= Kobra::FnCnvOut;
                break;
            case 'U':
                o.fnSlots |= Kobra::FnUpd;
                break;
            case 'P':
                o.fnSlots |= Kobra::FnPres;
                break;
            case 'S':
                o.fnSlots |= Kobra::FnSavRcl;
                break;
            case ' ':
                break;
            default:
                throw "unknown function letter"; // a compile error in a constant expression
            }
        }
        return o;
    }
    constexpr Opt L() const {
        Opt o = *this;
        o.l = true;
        return o;
    }
    constexpr Opt G() const { return family(FamilyG); }
    constexpr Opt family(unsigned f) const {
        Opt o = *this;
        o.fam = f;
        return o;
    }
    constexpr Opt idxAll() const {
        Opt o = *this;
        o.idxKind = IdxAll;
        return o;
    }
    constexpr Opt idxUsb() const {
        Opt o = *this;
        o.idxKind = IdxUsb;
        return o;
    }
    constexpr Opt files(int listType, int op = 0) const {
        Opt o = *this;
        o.fileList = listType;
        o.fileOpCode = op;
        return o;
    }
    constexpr Opt op(int opCode) const {
        Opt o = *this;
        o.fileOpCode = opCode;
        return o;
    }
    constexpr Opt word9(unsigned w) const {
        Opt o = *this;
        o.w9 = w;
        return o;
    }
    constexpr Opt word21(int w) const {
        Opt o = *this;
        o.w21 = w;
        return o;
    }
};

// Section defaults: group words.
constexpr Opt box{};                    // box-global data, group 0
constexpr Opt ifc = Opt{}.grp(0x24);    // interface settings
constexpr Opt arb = Opt{}.grp(0x10024); // ARB settings
constexpr Opt rec = Opt{}.grp(0x10);    // recorder settings

// File list types and operations.
constexpr int FlSsiHex = 0xb2;
constexpr int FlTestLog = 0xbb;
constexpr int FlSettings = 0xbc;
constexpr int FlArb = 0xc0;
constexpr int FlRec = 0xc9;
constexpr int OpSsiFile = 1;
constexpr int OpDelete = 2;
constexpr int OpRecData = 5;
constexpr int OpCatalogue = 7;

// Default and second default.
struct Def {
    double v;
    double b;
    constexpr Def(double x) : v(x), b(x) {}
    constexpr Def(double x, double y) : v(x), b(y) {}
};

template <class R> struct Row {
    R rec;
    unsigned fnSlots;
};

constexpr SDbDefCommon common(const char* name, int type, const Inst& in, unsigned attr, const Opt& o,
                              int unit = DbUnitNone) {
    SDbDefCommon c{};
    c.name = name;
    for (int i = 0; i < 4; ++i) {
        c.firstA[i] = in.first[i];
        c.countA[i] = in.count[i];
        c.firstB[i] = in.first[i];
        c.countB[i] = in.once ? 1 : in.count[i];
    }
    c.type = type;
    c.fileListType = o.fileList;
    c.flagL = o.l ? FlagL : 0u;
    c.flagExec = o.w9;
    c.fileOp = o.fileOpCode;
    c.attr = attr;
    c.family = o.fam;
    c.marker14 = 0xffffff;
    c.unit = unit;
    c.idx = o.idxKind == IdxAll ? &idxL2PDbAllX21 : o.idxKind == IdxUsb ? &Kobra::idxUsbDevice : nullptr;
    c.marker20 = -1;
    c.word21 = o.w21;
    c.grp = o.grpWord;
    return c;
}

constexpr Row<SDbDefEvent> ev(const char* name, const Inst& in, unsigned attr, const Opt& o) {
    SDbDefEvent r{};
    r.c = common(name, DbTypeEvent, in, attr, o);
    return {r, o.fnSlots};
}

constexpr SDbDefSelect selectRecord(const char* name, const Inst& in, int min, int max, Def def,
                                    const int* ids, int idCount, unsigned attr, const Opt& o) {
    SDbDefSelect r{};
    r.c = common(name, DbTypeSelect, in, attr, o);
    r.min = min;
    r.max = max;
    r.def = int(def.v);
    r.def2 = int(def.b);
    r.step = 1;
    r.ids = ids;
    r.idCount = idCount;
    return r;
}

// Selection on the identifiers 0 .. max, of which min .. max are allowed (min above 0 only for a
// record that narrows a shared choice list).
constexpr Row<SDbDefSelect> sel(const char* name, const Inst& in, int min, int max, Def def, unsigned attr,
                                const Opt& o) {
    return {selectRecord(name, in, min, max, def, nullptr, max + 1, attr, o), o.fnSlots};
}

// Selection with an explicit identifier table, in the order the choices are offered.
template <std::size_t N>
constexpr Row<SDbDefSelect> selIds(const char* name, const Inst& in, const int (&ids)[N], Def def,
                                   unsigned attr, const Opt& o) {
    int lo = ids[0];
    int hi = ids[0];
    for (int id : ids) {
        lo = id < lo ? id : lo;
        hi = id > hi ? id : hi;
    }
    return {selectRecord(name, in, lo, hi, def, ids, int(N), attr, o), o.fnSlots};
}

// OFF/ON state on the host's state list.
constexpr Row<SDbDefSelect> state(const char* name, const Inst& in, int def, unsigned attr, const Opt& o) {
    return selIds(name, in, DbHostStateList, def, attr, o);
}

constexpr Row<SDbDefNumber> num(const char* name, const Inst& in, double min, double max, double step,
                                Def def, int unit, unsigned attr, const Opt& o) {
    SDbDefNumber r{};
    r.c = common(name, DbTypeNumber, in, attr, o, unit);
    r.min = min;
    r.max = max;
    r.def = def.v;
    r.def2 = def.b;
    r.step = step;
    return {r, o.fnSlots};
}

// Text; def null means no default (the host's empty text).
constexpr Row<SDbDefString> str(const char* name, const Inst& in, const char* def, unsigned attr,
                                const Opt& o) {
    return {dbHostText(common(name, DbTypeString, in, attr, o), def), o.fnSlots};
}

// String list of up to 100 entries.
constexpr Row<SDbDefNString> list(const char* name, const Inst& in, unsigned attr, const Opt& o) {
    SDbDefNString r{};
    r.c = common(name, DbTypeNString, in, attr, o);
    r.one = 1;
    r.maxEntries = 100;
    r.one2 = 1;
    r.one3 = 1;
    r.hostLimits[0] = DbHostMinLen;
    r.hostLimits[1] = DbHostMaxLen;
    r.hostLimits[2] = DbHostElemMin;
    r.hostLimits[3] = DbHostElemMax;
    r.one4 = 1;
    return {r, o.fnSlots};
}

constexpr Row<SDbDefNBit> bits(const char* name, const Inst& in, int minLen, int maxLen, int defLen,
                               const uint32_t* lowest, const uint32_t* highest, const uint32_t* def,
                               unsigned attr, const Opt& o) {
    SDbDefNBit r{};
    r.c = common(name, DbTypeNBit, in, attr, o);
    r.minLen = minLen;
    r.maxLen = maxLen;
    r.defLen = defLen;
    r.one = 1;
    r.lenWords[0] = DbHostMinLen;
    r.lenWords[1] = DbHostMaxLen;
    r.lenWords[2] = DbHostMinLen;
    r.lenWords[3] = DbHostMaxLen;
    r.lowest = lowest;
    r.highest = highest;
    r.def = def;
    r.def2 = def;
    r.one2 = 1;
    return {r, o.fnSlots};
}

constexpr Row<SDbDefNInt> ints(const char* name, const Inst& in, int maxCount, unsigned attr, const Opt& o) {
    SDbDefNInt r{};
    r.c = common(name, DbTypeNInt, in, attr, o);
    r.minVal = DbHostValMin;
    r.maxVal = DbHostValMax;
    r.maxCount = maxCount;
    return {r, o.fnSlots};
}

template <class R, std::size_t N> constexpr std::array<R, N> records(const Row<R> (&rows)[N]) {
    std::array<R, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = rows[i].rec;
    return out;
}

constexpr double IntMin = -2147483648.0;
constexpr double IntMax = 2147483647.0;
constexpr int Hz = DbUnitHz;
constexpr int Sec = DbUnitSec;
constexpr int dB = DbUnitDb;
constexpr int Bit = DbUnitBit;
constexpr int Cnt = DbUnitCount;
constexpr int NoUnit = DbUnitNone;

// ---------------------------------------------------------------------------------------------------
// Choice identifier tables (only where they are not 0 .. n-1), in the order they are offered.

constexpr int kClocSourIds[] = {2, 0, 1};                  // "REF IN", "Internal", "User Interface"
constexpr int kSsiSpiClocPhasIds[] = {0, 2};               // "0 deg", "180 deg"
constexpr int kRecDataSourceIds[] = {0, 1, 2, 3, 4, 5, 7}; // no 6
constexpr int kRecDataLengthIds[] = {512, 1024, 2048};
constexpr int kRecTrigSourceIds[] = {0, 1, 2, 4, 5, 6, 3, 7}; // Software, Data Valid, GP_0 .. GP_5

// Bit-field patterns.
constexpr uint32_t kPatternZero[1] = {0u};
constexpr uint32_t kPattern8High[1] = {0xff000000u};

// ---------------------------------------------------------------------------------------------------
// Array 1: events

constexpr Row<SDbDefEvent> kEventRows[] = {
    // Box
    ev("IdPDbKobraFpgaLoaded", I2x2, 0x201, box.fn("U")),
    ev("IdPDbKobraConfigFirmUpdExec", I1, 0x201, box.L()),
    // SSI and SPI actions
    ev("IdPDbLynxSsiCmDataReadExec", I2x2, 0x201, ifc.fn("U")),
    ev("IdPDbLynxSsiSpiDataWriteExec", I2x2, 0x201, ifc.fn("U")),
    ev("IdPDbLynxSsiSpiDataReadExec", I2x2, 0x201, ifc.fn("U")),
    ev("IdPDbLynxSsiSpiFileSendExec", I2x2, 0x201, ifc.fn("U")),
    // Trigger
    ev("IdPDbLynxTriggerRestart", I2x2, 0x20000201, box.L().G()),
    ev("IdPDbLynxTriggerArm", I2x2, 0x20000201, box.L().G()),
    // Connection test
    ev("IdPDbTestLynxIqConnExec", I2x2, 0x201, ifc.word9(0x88000000)),
    // ARB
    ev("IdPDbLynxArbPreset", I2x2, 0x20000201, box.fn("U").L().G()),
    ev("IdPDbLynxArbReload", I2x2, 0x20000201, box.fn("U").L().G()),
    // Recorder
    ev("IdPDbKobraTranRecTrigExec", IRec, 0x20000201, rec.L()),
    // USB devices and firmware
    ev("IdPDbLynxUsbDevFirmUpdExec", IUsb, 0x201, ifc.L().idxUsb()),
    ev("IdPDbLynxFirmUpdExec", I2x2, 0x201, ifc.L()),
    // Service
    ev("IdPDbKobraServiceCpriTestExec", I2x2, 0x20000201, box.fn("C U").idxAll()),
    ev("IdPDbKobraServiceDigRfTestExec", I2x2, 0x20000201, box.fn("C U").idxAll()),
    ev("IdPDbKobraServiceEepromSnRead", I2x2, 0x20000201, box.fn("C U").L()),
    ev("IdPDbKobraServiceEepromSnCopy", I2x2, 0x20000201, box.fn("C U").L()),
    ev("IdPDbKobraServiceEepromSnWrite", I2x2, 0x20000201, box.fn("C U").L()),
    ev("IdPDbKobraServiceBobEepromSnRead", I2x2, 0x20000201, box.fn("C U").L()),
    ev("IdPDbKobraServiceBobEepromSnWrite", I2x2, 0x20000201, box.fn("C U").L()),
    // Preset of one interface instance
    ev("IdPDbLynxPreset", I2x2, 0x20000201, ifc.fn("U")),
};

// Array 2: bit fields

constexpr Row<SDbDefNBit> kBitRows[] = {
    bits("IdPDbLynxSsiCmData", I2x2, 1, 32, 32, DbHostPatternLowest, DbHostPatternHighest, kPatternZero,
         0x20620212, ifc.fn("C I O").L()),
    bits("IdPDbLynxSsiSpiDataWrite", I2x2, 8, 8, 8, kPatternZero, kPattern8High, kPatternZero, 0x20620212,
         ifc.fn("I U")),
    bits("IdPDbLynxSsiSpiDataRead", I2x2, 8, 8, 8, kPatternZero, kPattern8High, kPatternZero, 0x20620212,
         ifc.fn("O")),
};

// Array 3: integer arrays (one 32-bit word per complex sample). Blocks may come from other sources
// than the box's own recordings (at most 2048 samples): up to the graph's largest FFT.

constexpr Row<SDbDefNInt> kIntArrayRows[] = {
    ints("IdPDbKobraTranRecIQData", IRec, 16384, 0x600202, rec.op(OpRecData)),
};

// Array 4: string lists

constexpr Row<SDbDefNString> kListRows[] = {
    list("IdPDbKobraSerials", I2x2Once, 0x20200200, box.fn("U").idxAll()),
    // Each interface instance lists its own SSI files: no folding index function here.
    list("IdPDbLynxSsiHexFileCat", I2x2, 0x21330400, ifc.files(FlSsiHex, OpCatalogue)),
    list("IdPDbKobraArbCatName", I2x2Once, 0x21330400, ifc.files(FlArb, OpCatalogue).idxAll()),
    list("IdPDbKobraRecCatName", I2x2Once, 0x21330400, ifc.files(FlRec, OpCatalogue).idxAll()),
    list("IdPDbLynxCatName", I2x2Once, 0x21330400, ifc.files(FlSettings, OpCatalogue).idxAll()),
};

// Array 5: numbers

constexpr Row<SDbDefNumber> kNumberRows[] = {
    // Box selection by serial number
    num("IdPiDbKobraSelected", I2x2, IntMin, IntMax, 1, 0, Cnt, 0x20248000, box.fn("I O")),
    num("IdPiDbKobraConfigSelected", I1, IntMin, IntMax, 1, 0, Cnt, 0x20248000, box.fn("I O").idxAll()),
    // Data format
    num("IdPDbLynxDataWordSize", I2x2, 4, 18, 1, {16, 0}, Bit, 0x20248212, ifc.fn("U").L()),
    num("IdPDbLynxDataStrobPos", I2x2, 0, 16, 1, 0, NoUnit, 0x20248212, ifc.fn("C").L()),
    // Clock and reference
    num("IdPDbLynxClocRate", I2x2, 1000, 400000000, 0.001, {10000000, 0}, Hz, 0x20248212, ifc.fn("C").L()),
    num("IdPDbLynxClocSkew", I2x2, -5e-9, 5e-9, 5e-11, 0, Sec, 0x20648212, ifc.L()),
    num("IdPDbLynxClocInSkew", I2x2, -5e-9, 5e-9, 5e-11, 0, Sec, 0x20248212, ifc.fn("C").L()),
    num("IdPDbLynxSampRate", I2x2, 31.25, 800000000, 0.001, {10000000, 0}, Hz, 0x22348000, ifc.fn("O")),
    num("IdPDbLynxIFFreq", I2x2, 250, 100000000, 0.001, {2500000, 0}, Hz, 0x22348000, ifc.fn("O")),
    num("IdPiDbLynxExtRefFreq", I2x2, 5000000, 13000000, 1000000, 10000000, Hz, 0x22248000, ifc.fn("I O")),
    num("IdPDbLynxExtRefFreqVal", I2x2, 0, IntMax, 1, 0, Hz, 0x20248202, ifc.fn("O")),
    // SSI
    num("IdPDbLynxSsiWordSize", I2x2, 4, 24, 1, 16, NoUnit, 0x20248212, ifc.L()),
    num("IdPDbLynxSsiCmBitLen", I2x2, 0, 32, 1, 0, NoUnit, 0x20248212, ifc.fn("U").L()),
    // Trigger
    num("IdPDbLynxTriggerDelay", I2x2, 0, 65535, 1, 0, Cnt, 0x20248212, ifc.L().G()),
    // Test signals
    num("IdPDbLynxTestRxBer", I2x2, 0, 1, 1e-11, 0, NoUnit, 0x20248202, ifc.fn("O")),
    num("IdPDbLynxTestRxIqWords", I2x2, 0, 281474976710655.0, 1, 0, NoUnit, 0x20248202, ifc.fn("O")),
    num("IdPDbLynxTestSinusGain", I2x2, -100, 0, 0.01, 0, dB, 0x20248212, ifc.L()),
    num("IdPDbLynxTestSinusCwFreq", I2x2, 0, 100000000, 1, 10000000, Hz, 0x20248212, ifc.fn("C").L()),
    num("IdPDbLynxTestArbSampRate", I2x2, 0, IntMax, 0.001, 0, Hz, 0x22348000, arb.fn("O")),
    num("IdPDbLynxTestArbSamples", I2x2, 0, IntMax, 1, 0, NoUnit, 0x22348000, arb.fn("O")),
    // ARB playback
    num("IdPDbLynxArbSampRate", IArb, 0, IntMax, 0.001, 0, Hz, 0x22248212, arb),
    num("IdPDbLynxArbSamples", IArb, 0, IntMax, 1, 0, Cnt, 0x20248212, arb),
    num("IdPDbLynxArbSamplesTotal", IArb, 0, 64, 1e-6, 0, Cnt, 0x22248000, arb.fn("O")),
    num("IdPDbLynxArbRms", IArb, IntMin, IntMax, 0.01, 0, dB, 0x22248212, arb),
    num("IdPDbLynxArbPep", IArb, IntMin, IntMax, 0.01, 0, dB, 0x22248212, arb),
    // Recorder
    num("IdPDbKobraTranRecDataLength", IRec, 512, 2048, 1, 512, NoUnit, 0x20248212, rec.fn("U").L()),
    num("IdPDbKobraTranRecDecFactor", IRec, 1, 65536, 1, 1, NoUnit, 0x20248212, rec.L()),
    num("IdPDbKobraTranRecSampRate", IRec, 1, IntMax, 0.001, 10000000, Hz, 0x20248202, rec),
    num("IdPDbKobraTranRecTrigPosition", IRec, -100000000, 2047, 1, 0, Cnt, 0x20248212, rec.fn("C").L()),
    num("IdPDbKobraTranRecTrigDelay", IRec, IntMin, IntMax, 1, 0, Cnt, 0x22248000, rec.fn("O").L()),
    // USB devices
    num("IdPDbLynxUsbDevSerialNumber", IUsb, 0, 4294967295.0, 1, 0, NoUnit, 0x20248200, ifc.idxUsb()),
    // Instrument link
    num("IdPDbKobraInstrGpibAddress", IRec, 1, 30, 1, 6, NoUnit, 0x20248202, box.L()),
    num("IdPDbKobraInstrUsbAddress", IRec, 100001, 999999, 1, 100001, NoUnit, 0x20248202, box.L()),
    // LVDS service counters
    num("IdPDbKobraServiceLvdsReceived", I2x2, 0, IntMax, 1, 0, NoUnit, 0x20248202, ifc.fn("C").G()),
    num("IdPDbKobraServiceLvdsErrors", I2x2, 0, IntMax, 1, 0, NoUnit, 0x20248202, ifc.fn("C").G()),
    num("IdPDbKobraServiceLvdsBer", I2x2, 0, IntMax, 0.001, 0, NoUnit, 0x20248202, ifc.fn("C O").G()),
};

// Array 6: selections and OFF/ON states

constexpr Row<SDbDefSelect> kSelectRows[] = {
    // Box selection, identity and configuration
    state("IdPDbKobraState", I2x2, 0, 0x20248202, box.fn("C").L()),
    sel("IdPDbKobraType", I2x2, 0, 4, 0, 0x20248212, box.L()),
    sel("IdPDbKobraMode", I2x2, 0, 2, 1, 0x20248212, box),
    // Saved with the interface settings so that a settings file names its box (save/recall object).
    sel("IdPDbKobraSelected", I2x2, 0, 20, 0, 0x20248212, box.fn("C U S").L()),
    sel("IdPDbKobraVariant", I2x2, 0, 1, 1, 0x20248212, box),
    sel("IdPDbKobraConfigSelected", I1, 0, 20, 0, 0x20248202, box.fn("U").idxAll()),
    sel("IdPDbKobraConfigVariant", I1, 0, 1, 1, 0x20248212, box.idxAll()),
    // Digital interface: state, logic and data format
    state("IdPDbLynxState", I2x2, 0, 0x22248000, ifc.fn("C I O")),
    state("IdPDbLynxDeviceState", I2x2, 0, 0x20248200, ifc.fn("U").family(0x10169)),
    // Direction: the full record, then one record per side fixing In to 0 and Out to 1.
    sel("IdPDbLynxDirection", I2x2, 0, 1, 1, 0x20248212, ifc.fn("U").L().G()),
    sel("IdPDbLynxDirection", IPath, 0, 0, 0, 0x20248212, ifc.fn("U").family(0x121)),
    sel("IdPDbLynxDirection", IPathOut, 1, 1, 1, 0x20248212, ifc.fn("U").family(0x121)),
    sel("IdPDbLynxLogicType", I2x2, 0, 8, {2, 0}, 0x20248212, ifc.fn("U").L()),
    // GUI mirrors of the guarded parameters: guarded controls write here and a validator passes the
    // value on to the real parameter. Box-global, so settings files and presets leave them alone.
    state("internalGuiKobraState", I2x2, 0, 0x20248202, box),
    state("internalGuiLynxState", I2x2, 0, 0x22248000, box),
    sel("internalGuiLynxLogicType", I2x2, 0, 8, {2, 0}, 0x20248212, box),
    sel("IdPDbLynxFormat", I2x2, 0, 1, {1, 0}, 0x20248212, ifc.fn("U").L()),
    sel("IdPDbLynxIleavMode", I2x2, 0, 2, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxSigType", I2x2, 0, 1, 0, 0x20248212, ifc.fn("C U").L()),
    sel("IdPDbLynxDataType", I2x2, 0, 1, 0, 0x20248212, ifc.fn("C").L()),
    sel("IdPDbLynxDataNumForm", I2x2, 0, 1, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxDataBitOrder", I2x2, 0, 1, {1, 0}, 0x20248212, ifc.L()),
    sel("IdPDbLynxDataWordAlign", I2x2, 0, 1, {1, 0}, 0x20248212, ifc.L()),
    sel("IdPDbLynxDataIQPol", I2x2, 0, 1, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxDataStrobPol", I2x2, 0, 1, 0, 0x20248212, ifc.L()),
    state("IdPDbLynxDataNegI", I2x2, 0, 0x20248212, ifc.L()),
    state("IdPDbLynxDataNegQ", I2x2, 0, 0x20248212, ifc.L()),
    // Clock and reference
    selIds("IdPDbLynxClocSour", I2x2, kClocSourIds, 2, 0x20248212, ifc.fn("C U").L()),
    sel("IdPDbLynxClocPhas", I2x2, 0, 3, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxClocPol", I2x2, 0, 1, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxRateMode", I2x2, 0, 1, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxSCRatio", I2x2, 0, 5, 0, 0x20248212, ifc.L()),
    sel("IdPDbLynxExtRefSour", I2x2, 0, 1, 1, 0x20248212, ifc.L().G()),
    sel("IdPDbLynxExtRefFreq", I2x2, 0, 2, 1, 0x20248212, ifc.L().G()),
    // SSI and SPI control
    sel("IdPDbLynxSsiSpiClocFreq", I2x2, 0, 5, 0, 0x20248212, ifc.L()),
    selIds("IdPDbLynxSsiSpiClocPhas", I2x2, kSsiSpiClocPhasIds, 0, 0x20248212, ifc.L()),
    state("IdPDbLynxSsiFramSyncStat", I2x2, 0, 0x20248212, ifc.L()),
    state("IdPDbLynxSsiGainAuto", I2x2, 0, 0x20248212, ifc.L()),
    state("IdPDbLynxSsiChipSelStat", I2x2, 0, 0x20248212, ifc.L()),
    // Trigger
    sel("IdPDbLynxTriggerSource", I2x2, 0, 1, 0, 0x20248212, ifc.L().G()),
    sel("IdPDbLynxTriggerState", I2x2, 0, 1, 0, 0x20648202, ifc.fn("O").G()),
    // Test signals and connection test
    sel("IdPDbLynxTestTxSource", I2x2, 0, 6, 0, 0x20248212, ifc.fn("U").L()),
    sel("IdPDbLynxTestRxSource", I2x2, 0, 1, 0, 0x20248202, ifc.fn("U").L()),
    state("IdPDbLynxTestTxPrbs", I2x2, 0, 0x20248202, ifc.L()),
    state("IdPDbLynxTestRxPrbs", I2x2, 0, 0x20248202, ifc.L()),
    selIds("IdPDbTestLynxIqConnError", I2x2, DbHostTestResultList, 3, 0x248200, ifc.fn("I").word21(4)),
    state("IdPDbTestLynxUiPattStat", I2x2, 0, 0x248202, ifc.word9(0x88000000)),
    // ARB playback
    state("IdPDbLynxArbState", IArb, 0, 0x20248212, arb.L()),
    // Recorder
    state("IdPDbKobraTranRecState", IRec, 0, 0x20248202, rec.L()),
    state("IdPDbKobraTranRecSmartState", IRec, 0, 0x20248212, rec),
    sel("IdPDbKobraTranRecStatus", IRec, 0, 5, 0, 0x20248202, rec),
    selIds("IdPDbKobraTranRecDataSource", IRec, kRecDataSourceIds, 0, 0x20248212, rec.fn("C P").L()),
    selIds("IdPiDbKobraTranRecDataLength", IRec, kRecDataLengthIds, 512, 0x22248000, rec.fn("I O")),
    sel("IdPDbKobraTranRecDisplayType", IRec, 0, 3, 0, 0x20248212, rec),
    sel("IdPDbKobraTranRecTrigMode", IRec, 0, 1, 0, 0x20248212, rec.L()),
    selIds("IdPDbKobraTranRecTrigSource", IRec, kRecTrigSourceIds, 0, 0x20248212, rec.L()),
    sel("IdPDbKobraTranRecTrigType", IRec, 0, 3, 0, 0x20248212, rec.L()),
    // USB devices and firmware
    state("IdPDbLynxUsbDevState", IUsb, 0, 0x20248200, ifc.fn("U").idxUsb()),
    state("IdPDbLynxUsbBobState", IUsbBob, 0, 0x20248200, ifc.fn("U").idxUsb()),
    state("IdPDbLynxUsbInstrumentState", IUsbInstr, 0, 0x20248200, ifc.fn("U").idxUsb()),
    state("IdPDbLynxUsbDevFirmUpdError", IUsb, 0, 0x20248202, ifc.fn("I").idxUsb().word21(4)),
    state("IdPDbLynxFirmUpdError", I2x2, 0, 0x20248202, ifc.fn("I").word21(4)),
    // Instrument link
    sel("IdPDbKobraInstrHwChannel", IRec, 0, 2, 0, 0x20248202, box),
    // Diagnostics and service
    state("IdPDbKobraDiagState", I1, 0, 0x248200, ifc.fn("C")),
    sel("IdPDbKobraDiagPoint", I1, 0, 18, 0, 0x248202, ifc.fn("C")),
    sel("IdPDbKobraDiagPointDigRf", I1, 0, 31, 0, 0x248200, ifc.fn("C")),
    state("IdPDbKobraDiagLedTest", I1, 0, 0x248200, ifc.fn("C U").L()),
    state("IdPDbKobraServiceLvdsStart", ILvds, 0, 0x248200, ifc.fn("C U")),
    sel("IdPDbKobraServiceLvdsSource", ILvds, 0, 1, 0, 0x248200, ifc.fn("C U")),
    state("IdPDbKobraServiceLvdsPll", I1, 0, 0x248200, ifc),
    state("IdPDbKobraServiceLvdsDcm", I1, 0, 0x248200, ifc),
    state("IdPDbKobraServiceLvdsNoData", I1, 0, 0x248200, ifc),
    state("IdPDbKobraServiceCpriTestError", I1, 0, 0x248200, ifc.fn("O").word21(4)),
    state("IdPDbKobraServiceDigRfTestError", I1, 0, 0x248200, ifc.fn("O").word21(4)),
    state("IdPDbKobraServiceDigRfTestError2", I1, 0, 0x248200, ifc.fn("O").word21(4)),
    // Settings files
    state("IdPDbLynxSavFast", IPath, 1, 0x248210, ifc),
};

// Array 7: strings

constexpr Row<SDbDefString> kStringRows[] = {
    // Hardware information of the configured box
    str("IdPDbKobraConfigPartNumber", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigSerialNumber", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigFirmVers", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigController", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigBoardPN", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigBoardSN", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigBoardRev", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigCpldVers", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigFpgaVers", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigFpgaDigIoVers", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigFpgaBobVers", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigPpcVers", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigBobType", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigBobSN", I1, "---", 0x230202, box),
    str("IdPDbKobraConfigBobRev", I1, "---", 0x230202, box),
    // SSI and SPI files
    str("IdPDbLynxSsiGainFile", I2x2, nullptr, 0x20230212, ifc.files(FlSsiHex, OpSsiFile).word21(0x200).L()),
    str("IdPDbLynxSsiSpiFile", I2x2, nullptr, 0x20230212,
        ifc.fn("U").files(FlSsiHex, OpSsiFile).word21(0x200)),
    // Trigger
    str("IdPDbLynxTriggerStatus", I2x2, nullptr, 0x2230000, box.fn("O")),
    // Test signals
    str("IdPDbLynxTestArbFile", I2x2, nullptr, 0x22330000, ifc.fn("O").files(FlArb)),
    // ARB playback
    str("IdPDbLynxArbFile", IArb, nullptr, 0x22230212, arb.fn("I U").files(FlArb).L()),
    str("IdPDbKobraArbDel", I2x2, nullptr, 0x230400, box.files(FlArb, OpDelete).idxAll()),
    // Recorder
    str("IdPDbKobraRecDel", I2x2, nullptr, 0x230400, box.files(FlRec, OpDelete).idxAll()),
    // USB devices and firmware
    str("IdPDbLynxUsbDevFirmInstalled", IUsb, nullptr, 0x20220200, ifc.fn("O").idxUsb()),
    str("IdPDbLynxFirmInstalled", I2x2, nullptr, 0x20220200, ifc),
    str("IdPDbLynxFirmSupported", I2x2Once, nullptr, 0x20220200, ifc.idxAll()),
    // Instrument link
    str("IdPDbKobraInstrTcpAddress", IRec, "localhost", 0x230202, box),
    str("IdPDbKobraInstrPort", IRec, "-", 0x230202, box),
    str("IdPDbKobraInstrumentName", IRec, "not connected", 0x230202, box),
    str("IdPDbKobraInstrType", IRec, "-", 0x230202, box),
    str("IdPDbKobraInstrSerialNumber", IRec, "-", 0x230202, box),
    // Diagnostics and service
    str("IdPDbKobraDiagValue", I1, "---", 0x230202, box.fn("C O")),
    str("IdPDbKobraDiagValueDigRf", I1, "---", 0x230202, box.fn("C")),
    str("IdPDbKobraServiceCpriTestLog", I1, nullptr, 0x230202, box),
    str("IdPDbKobraServiceCpriTestLogSave", I1, nullptr, 0x230202, box.fn("U").files(FlTestLog)),
    str("IdPDbKobraServiceDigRfTestLog", I1, nullptr, 0x230202, box),
    str("IdPDbKobraServiceDigRfTestLogSave", I1, nullptr, 0x230202, box.fn("U").files(FlTestLog)),
    str("IdPDbKobraServiceEepromSn", IRec, nullptr, 0x230202, box.fn("C")),
    str("IdPDbKobraServiceBobEepromSn", IRec, nullptr, 0x230202, box.fn("C")),
    // Settings files
    str("IdPDbLynxSav", I2x2, nullptr, 0x22200000, ifc.fn("O U").files(FlSettings)),
    str("IdPDbLynxRcl", I2x2, nullptr, 0x20200200, ifc.fn("U").files(FlSettings)),
    str("IdPDbLynxDel", I2x2, nullptr, 0x20230400, ifc.files(FlSettings, OpDelete)),
};

// ---------------------------------------------------------------------------------------------------
// The record arrays: constant-initialised, writable only for binding function objects.

constinit std::array<SDbDefEvent, std::size(kEventRows)> s_events = records(kEventRows);
constinit std::array<SDbDefNBit, std::size(kBitRows)> s_bits = records(kBitRows);
constinit std::array<SDbDefNInt, std::size(kIntArrayRows)> s_intArrays = records(kIntArrayRows);
constinit std::array<SDbDefNString, std::size(kListRows)> s_lists = records(kListRows);
constinit std::array<SDbDefNumber, std::size(kNumberRows)> s_numbers = records(kNumberRows);
constinit std::array<SDbDefSelect, std::size(kSelectRows)> s_selects = records(kSelectRows);
constinit std::array<SDbDefString, std::size(kStringRows)> s_strings = records(kStringRows);

constexpr int s_eventCount = int(std::size(kEventRows));
constexpr int s_bitCount = int(std::size(kBitRows));
constexpr int s_intArrayCount = int(std::size(kIntArrayRows));
constexpr int s_listCount = int(std::size(kListRows));
constexpr int s_numberCount = int(std::size(kNumberRows));
constexpr int s_selectCount = int(std::size(kSelectRows));
constexpr int s_stringCount = int(std::size(kStringRows));

constinit const SDbDefArray s_arrays[] = {
    {DbTypeEvent, &s_events[0], &s_eventCount},      {DbTypeNBit, &s_bits[0], &s_bitCount},
    {DbTypeNInt, &s_intArrays[0], &s_intArrayCount}, {DbTypeNString, &s_lists[0], &s_listCount},
    {DbTypeNumber, &s_numbers[0], &s_numberCount},   {DbTypeSelect, &s_selects[0], &s_selectCount},
    {DbTypeString, &s_strings[0], &s_stringCount},
};

struct SEntryRef {
    SDbDefCommon* record;
    unsigned fnSlots;
};

template <class R, std::size_t N, std::size_t M>
void collect(QList<SEntryRef>& out, std::array<R, N>& recs, const Row<R> (&rows)[M]) {
    static_assert(N == M);
    for (std::size_t i = 0; i < N; ++i)
        out.append({&recs[i].c, rows[i].fnSlots});
}

// Every record in descriptor order, with its reserved slots.
const QList<SEntryRef>& entryRefs() {
    static const QList<SEntryRef> refs = [] {
        QList<SEntryRef> r;
        collect(r, s_events, kEventRows);
        collect(r, s_bits, kBitRows);
        collect(r, s_intArrays, kIntArrayRows);
        collect(r, s_lists, kListRows);
        collect(r, s_numbers, kNumberRows);
        collect(r, s_selects, kSelectRows);
        collect(r, s_strings, kStringRows);
        return r;
    }();
    return refs;
}

} // namespace

namespace Kobra {

constinit const SDbDescriptor g_dbDescriptor = {s_arrays, int(std::size(s_arrays)), 3};

const QList<SCatalogueEntry>& catalogueEntries() {
    static const QList<SCatalogueEntry> entries = [] {
        QList<SCatalogueEntry> e;
        for (const SEntryRef& r : entryRefs())
            e.append({r.record, r.fnSlots});
        return e;
    }();
    return entries;
}

const SDbDefCommon* catalogueRecord(const char* name, int index) {
    if (!name)
        return nullptr;
    for (const SCatalogueEntry& e : catalogueEntries()) {
        if (std::strcmp(e.record->name, name) == 0 && index-- == 0)
            return e.record;
    }
    return nullptr;
}

int catalogueRecordCount(const char* name) {
    int n = 0;
    if (!name)
        return 0;
    for (const SCatalogueEntry& e : catalogueEntries()) {
        if (std::strcmp(e.record->name, name) == 0)
            ++n;
    }
    return n;
}

QList<QByteArray> catalogueNames() {
    QList<QByteArray> names;
    for (const SCatalogueEntry& e : catalogueEntries()) {
        const QByteArray n(e.record->name);
        if (!names.contains(n))
            names.append(n);
    }
    return names;
}

// The common part is the first member of every typed record, so a record's address is its own.
const SDbDefSelect* asSelect(const SDbDefCommon* record) {
    return record && record->type == DbTypeSelect ? reinterpret_cast<const SDbDefSelect*>(record) : nullptr;
}

const SDbDefNumber* asNumber(const SDbDefCommon* record) {
    return record && record->type == DbTypeNumber ? reinterpret_cast<const SDbDefNumber*>(record) : nullptr;
}

const SDbDefString* asString(const SDbDefCommon* record) {
    return record && record->type == DbTypeString ? reinterpret_cast<const SDbDefString*>(record) : nullptr;
}

SDbDefCommon* catalogueRecordForBinding(int entryIndex) {
    const QList<SEntryRef>& refs = entryRefs();
    return entryIndex >= 0 && entryIndex < refs.size() ? refs[entryIndex].record : nullptr;
}

} // namespace Kobra
