#include "host/listadm/HostRecorderParameters.h"

#include <iterator>

#include "host/db/CDbAllType.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefinitions.h"
#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"
#include "host/listadm/RecorderFile.h"

namespace MvQARN {

namespace {

using namespace HostRecorderNames;

constexpr int kDone = 5;
constexpr unsigned FamilyAll = 0x10121;
constexpr unsigned AttrSetting = 0x20248212;
constexpr unsigned AttrEvent = 0x201;
constexpr int HostModuleNumber = 0;
constexpr int ErrWithText = 20025;
// Path, side, station, channel.
constexpr int kRecCount[4] = {2, 2, 1, 2};

// Saving is an update of the Save event, so a failure reaches whoever pressed it as the request's
// error.
class SaveFunc : public CDbUpdFunc {
public:
    SaveFunc() : CDbUpdFunc(static_cast<MemberVal>(&SaveFunc::save)) {}
    int save(CDbCnct& cnct, const CDbAllType&) {
        CDbEngine& db = CDbEngine::instance();
        const SDbInstTupel& t = cnct.getTupel();
        CDbAllType state, file, data, rate;
        int s = 0;
        if (db.read(State, t, state) != 0 || !state.toInt(s) || s != kDone) {
            cnct.errorText() = QStringLiteral("Nothing to save: no recording is done");
            return ErrWithText;
        }
        db.read(File, t, file);
        db.read(BoxData, t, data);
        db.read(BoxRate, t, rate);
        const auto* words = dynamic_cast<const CDbDataTypeNInt*>(data.get());
        double clock = 0.0;
        rate.toDouble(clock);
        const QString path = file.toText();
        QString error;
        if (!RecorderFile::save(path, words ? words->getValues() : QVector<qint32>(), clock,
                                QStringLiteral("transient recorder"), &error)) {
            cnct.errorText() = error;
            return ErrWithText;
        }
        return 0;
    }
};

SaveFunc g_saveFunc;

SDbDefCommon common(const char* name, int type, unsigned attr, int unit = DbUnitNone) {
    SDbDefCommon c{};
    c.name = name;
    for (int i = 0; i < 4; ++i)
        c.countA[i] = c.countB[i] = kRecCount[i];
    c.type = type;
    c.attr = attr;
    c.family = FamilyAll;
    c.marker14 = 0xffffff;
    c.unit = unit;
    c.marker20 = -1;
    return c;
}

SDbDefSelect sel(const char* name, int max) {
    SDbDefSelect r{};
    r.c = common(name, DbTypeSelect, AttrSetting);
    r.max = max;
    r.step = 1;
    r.idCount = max + 1;
    return r;
}

SDbDefEvent ev(const char* name, CDbUpdFunc* upd = nullptr) {
    SDbDefEvent r{};
    r.c = common(name, DbTypeEvent, AttrEvent);
    r.c.upd = upd;
    return r;
}

SDbDefString str(const char* name) {
    SDbDefString r{};
    r.c = common(name, DbTypeString, AttrSetting);
    r.maxLen = 256;
    r.one = 1;
    r.hostMaxLen = DbHostMaxLen;
    r.elemLimits[1] = DbHostElemMax;
    r.valueLimits[0] = DbHostValMin;
    r.valueLimits[1] = DbHostValMax;
    r.def = r.def2 = DbHostEmptyText;
    r.one2 = 1;
    return r;
}

const SDbDefEvent g_events[] = {ev(Record), ev(Abort), ev(Save, &g_saveFunc)};
const SDbDefSelect g_selects[] = {sel(State, 5), sel(TrigSource, 8), sel("IdPDbRecSignal", 0),
                                  sel("IdPDbRecLengthUnit", 0)};
const SDbDefString g_strings[] = {str(File), str(Time)};
const int g_eventCount = int(std::size(g_events));
const int g_selectCount = int(std::size(g_selects));
const int g_stringCount = int(std::size(g_strings));
const SDbDefArray g_arrays[] = {
    {DbTypeEvent, g_events, &g_eventCount},
    {DbTypeSelect, g_selects, &g_selectCount},
    {DbTypeString, g_strings, &g_stringCount},
};
const SDbDescriptor g_descriptor = {g_arrays, int(std::size(g_arrays)), 3};

} // namespace

void registerHostRecorderParameters() {
    CDbEngine::instance().registry().registerDescriptor(&g_descriptor, HostModuleNumber);
}

} // namespace MvQARN
