// The host's own parameters that modules read or write. Modules address the baseband parameters
// with t0 only (path A or B); the protection level is one value whatever tuple asks for it.
#include "host/olfw/impl/HostParameters.h"

#include <iterator>

#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"

namespace MvQARN {

namespace {

constexpr unsigned FamilyAll = 0x10121;
constexpr unsigned AttrSetting = 0x20248212;
constexpr unsigned AttrEvent = 0x201;
constexpr unsigned GrpHost = 0x1;   // host settings, reset by the host's preset
constexpr unsigned GrpNone = 0;     // never preset
constexpr int HostModuleNumber = 0; // the host's own definitions

struct Inst {
    int count[4];
    bool once; // one stored value for every instance
};

constexpr Inst IOne{{1, 1, 1, 1}, false};
constexpr Inst IPath{{2, 1, 1, 1}, false};
constexpr Inst IProtLev{{1, 2, 1, 4}, true};

constexpr SDbDefCommon common(const char* name, int type, const Inst& in, unsigned attr, unsigned grp,
                              int unit = DbUnitNone) {
    SDbDefCommon c{};
    c.name = name;
    for (int i = 0; i < 4; ++i) {
        c.countA[i] = in.count[i];
        c.countB[i] = in.once ? 1 : in.count[i];
    }
    c.type = type;
    c.attr = attr;
    c.family = FamilyAll;
    c.marker14 = 0xffffff;
    c.unit = unit;
    c.idx = in.once ? &idxHostSingle : nullptr;
    c.marker20 = -1;
    c.grp = grp;
    return c;
}

constexpr SDbDefSelect sel(const char* name, const Inst& in, int min, int max, int def, unsigned grp,
                           const int* ids = nullptr, int idCount = 0) {
    SDbDefSelect r{};
    r.c = common(name, DbTypeSelect, in, AttrSetting, grp);
    r.min = min;
    r.max = max;
    r.def = def;
    r.def2 = def;
    r.step = 1;
    r.ids = ids;
    r.idCount = ids ? idCount : max - min + 1;
    return r;
}

constexpr SDbDefSelect state(const char* name, const Inst& in, int def, unsigned grp) {
    return sel(name, in, DbHostStateOff, DbHostStateOn, def, grp, DbHostStateList, 2);
}

constexpr SDbDefNumber num(const char* name, const Inst& in, double min, double max, double step, double def,
                           int unit) {
    SDbDefNumber r{};
    r.c = common(name, DbTypeNumber, in, AttrSetting, GrpHost, unit);
    r.min = min;
    r.max = max;
    r.def = def;
    r.def2 = def;
    r.step = step;
    return r;
}

// Text without length limit beyond the host's own.
constexpr SDbDefString text(const char* name, const Inst& in, unsigned grp) {
    return dbHostText(common(name, DbTypeString, in, AttrSetting, grp), DbHostEmptyText);
}

constexpr SDbDefEvent ev(const char* name) {
    SDbDefEvent r{};
    r.c = common(name, DbTypeEvent, IOne, AttrEvent, GrpNone);
    return r;
}

// Sample rates of the baseband ports.
constexpr double SampRateMin = 400.0;
constexpr double SampRateMax = 100e6;

constinit const SDbDefEvent g_events[] = {
    ev("IdPDbDbRecall"), // recall notification: modules re-apply what a recall bypassed
    ev("IdPDbNone"),     // placeholder in name tables
};

constinit const SDbDefNumber g_numbers[] = {
    num("IdPDbBbinSampRateActual", IPath, SampRateMin, SampRateMax, 0.001, SampRateMax, DbUnitHz),
    num("IdPDbBboutSampRate", IPath, SampRateMin, SampRateMax, 0.001, SampRateMax, DbUnitHz),
};

constinit const SDbDefSelect g_selects[] = {
    state("IdPDbBbinState", IPath, DbHostStateOff, GrpHost),
    // 0 user-defined rate, 1 rate taken from the digital interface
    sel("IdPDbBbinSampRateMode", IPath, 0, 1, 0, GrpHost),
    // 0 analog, 1 digital, 2 digital with impairments, 3 digital I/Q out loop, 4 digital interface box
    sel("IdPDbBbinMode", IPath, 0, 4, 0, GrpHost),
    state("IdPDbBboutState", IPath, DbHostStateOff, GrpHost),
    // 0 internal, 1 external, 2 digital interface
    sel("IdPDbBboutClocSour", IPath, 0, 2, 0, GrpHost),
    // 0 internal, 1 external
    sel("IdPDbRoscSource", IOne, 0, 1, 0, GrpHost),
    // external reference: 0 5 MHz, 1 10 MHz, 2 13 MHz
    sel("IdPDbRoscFreqExt", IOne, 0, 2, 1, GrpHost),
    // 0 unlocked, 1 service functions locked (start), 2 locked further
    sel("IdPDbProtLevState", IProtLev, 0, 2, 1, GrpNone),
    state("IdPDbCpriState", IOne, DbHostStateOff, GrpHost),
    state("IdPDbDigRfState", IOne, DbHostStateOff, GrpHost),
};

constinit const SDbDefString g_strings[] = {
    // the command line of the host's SCPI terminal
    text("IdPDbHostScpiTermCommand", IOne, GrpNone),
};

constinit const int g_eventCount = int(std::size(g_events));
constinit const int g_stringCount = int(std::size(g_strings));
constinit const int g_numberCount = int(std::size(g_numbers));
constinit const int g_selectCount = int(std::size(g_selects));

constinit const SDbDefArray g_arrays[] = {
    {DbTypeEvent, g_events, &g_eventCount},
    {DbTypeNumber, g_numbers, &g_numberCount},
    {DbTypeSelect, g_selects, &g_selectCount},
    {DbTypeString, g_strings, &g_stringCount},
};

constinit const SDbDescriptor g_descriptor = {g_arrays, int(std::size(g_arrays)), 3};

} // namespace

int idxHostSingle(SDbInstTupel& tupel) {
    tupel = SDbInstTupel{};
    return 0;
}

const SDbDescriptor& hostParameterDescriptor() {
    return g_descriptor;
}

void registerHostParameters() {
    // The database keeps records registered again as they are, so a second call changes nothing.
    CDbEngine::instance().registry().registerDescriptor(&g_descriptor, HostModuleNumber);
}

} // namespace MvQARN
