#include "FrameTestRecords.h"

#include <array>
#include <iterator>

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"

using namespace MvQARN;

namespace frametest {

RecordingUpdate::RecordingUpdate()
    : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(&RecordingUpdate::onUpdate)) {}

int RecordingUpdate::onUpdate(CDbCnct& cnct, const CDbAllType&) {
    Call c;
    c.name = cnct.getName();
    c.tupel = cnct.getTupel();
    c.value = cnct.getValue();
    c.flags = cnct.getMsgFlags();
    if (const CDbMsg* m = cnct.getCurrentMsg())
        c.listLen = m->getListLen();
    calls.append(c);
    return 0;
}

RecordingUpdate& serialsUpdate() {
    static RecordingUpdate u;
    return u;
}
RecordingUpdate& configUpdate() {
    static RecordingUpdate u;
    return u;
}
RecordingUpdate& deviceStateUpdate() {
    static RecordingUpdate u;
    return u;
}

void clearRecordedUpdates() {
    serialsUpdate().calls.clear();
    configUpdate().calls.clear();
    deviceStateUpdate().calls.clear();
}

namespace {

struct Range {
    int count[4];
    bool once;
};

constexpr Range R1{{1, 1, 1, 1}, false};
constexpr Range R2x2{{2, 2, 1, 1}, false};
constexpr Range R2x2Once{{2, 2, 1, 1}, true};
constexpr Range R2x2Links{{2, 2, 1, 2}, false};
constexpr Range RProt{{1, 1, 1, 4}, false};

SDbDefCommon common(const char* name, int type, const Range& r, CDbUpdFunc* upd = nullptr) {
    SDbDefCommon c{};
    c.name = name;
    for (int i = 0; i < 4; ++i) {
        c.countA[i] = r.count[i];
        c.countB[i] = r.once ? 1 : r.count[i];
    }
    c.type = type;
    c.family = 0x10121;
    c.marker14 = 0xffffff;
    c.upd = upd;
    c.idx = r.once ? &idxL2PDbAllX21 : nullptr;
    c.marker20 = -1;
    return c;
}

SDbDefSelect select(const char* name, const Range& r, int max, int def, CDbUpdFunc* upd = nullptr) {
    SDbDefSelect s{};
    s.c = common(name, DbTypeSelect, r, upd);
    s.min = 0;
    s.max = max;
    s.def = def;
    s.def2 = def;
    s.step = 1;
    s.idCount = max + 1;
    return s;
}

SDbDefSelect state(const char* name, const Range& r, CDbUpdFunc* upd = nullptr) {
    SDbDefSelect s = select(name, r, 1, 0, upd);
    s.ids = DbHostStateList;
    s.idCount = 2;
    return s;
}

SDbDefString text(const char* name, const Range& r, const char* def) {
    SDbDefString s{};
    s.c = common(name, DbTypeString, r);
    s.flag = 1;
    s.maxLen = 256;
    s.defLen = int(qstrlen(def));
    s.one = 1;
    s.hostMinLen = DbHostMinLen;
    s.hostMaxLen = DbHostMaxLen;
    s.defLen2 = s.defLen;
    s.emptyLen = DbHostEmptyLen;
    s.elemLimits[0] = DbHostElemMin;
    s.elemLimits[1] = DbHostElemMax;
    s.valueLimits[0] = DbHostValMin;
    s.valueLimits[1] = DbHostValMax;
    s.def = def;
    s.def2 = def;
    s.one2 = 1;
    return s;
}

SDbDefNString list(const char* name, const Range& r, CDbUpdFunc* upd) {
    SDbDefNString s{};
    s.c = common(name, DbTypeNString, r, upd);
    s.one = 1;
    s.maxEntries = 100;
    s.one2 = 1;
    s.one3 = 1;
    s.hostLimits[0] = DbHostMinLen;
    s.hostLimits[1] = DbHostMaxLen;
    s.hostLimits[2] = DbHostElemMin;
    s.hostLimits[3] = DbHostElemMax;
    s.one4 = 1;
    return s;
}

struct Records {
    std::array<SDbDefSelect, 8> selects;
    std::array<SDbDefString, 4> texts;
    std::array<SDbDefNString, 1> lists;
    int selectCount;
    int textCount;
    int listCount;
    std::array<SDbDefArray, 3> arrays;
    SDbDescriptor descriptor;

    Records() {
        selects = {
            select("IdPDbKobraSelected", R2x2, 20, 0),
            select("IdPDbKobraConfigSelected", R1, 20, 0, &configUpdate()),
            state("IdPDbKobraState", R2x2),
            select("IdPDbKobraType", R2x2, 4, 0),
            select("IdPDbKobraMode", R2x2, 2, 1),
            select("IdPDbKobraVariant", R2x2, 1, 1),
            state("IdPDbLynxDeviceState", R2x2, &deviceStateUpdate()),
            select("IdPDbProtLevState", RProt, 2, 1),
        };
        texts = {
            text("IdPDbKobraInstrType", R2x2Links, "-"),
            text("IdPDbKobraInstrSerialNumber", R2x2Links, "-"),
            text("IdPDbKobraInstrPort", R2x2Links, "-"),
            text("IdPDbKobraInstrumentName", R2x2Links, "not connected"),
        };
        lists = {list("IdPDbKobraSerials", R2x2Once, &serialsUpdate())};
        selectCount = int(selects.size());
        textCount = int(texts.size());
        listCount = int(lists.size());
        arrays = {SDbDefArray{DbTypeSelect, selects.data(), &selectCount},
                  SDbDefArray{DbTypeString, texts.data(), &textCount},
                  SDbDefArray{DbTypeNString, lists.data(), &listCount}};
        descriptor = {arrays.data(), int(arrays.size()), 3};
    }
};

Records& records() {
    static Records r;
    return r;
}

} // namespace

void resetDatabase() {
    CDbEngine::instance().reset();
}

void registerFrameTestRecords() {
    CDbEngine& engine = CDbEngine::instance();
    engine.reset();
    engine.registerDescriptor(&records().descriptor, kTestModule);
    clearRecordedUpdates();
}

int writeInt(const char* name, int t0, int t1, int value, int t3) {
    return CDbEngine::instance().write(name, SDbInstTupel{t0, t1, 0, t3}, CDbAllType::fromInt(value));
}

int writeList(const char* name, const QStringList& value) {
    return CDbEngine::instance().write(name, SDbInstTupel{}, CDbAllType(new CDbDataTypeNString(value)));
}

int readInt(const char* name, int t0, int t1, int t3) {
    CDbAllType v;
    int out = -12345;
    if (CDbEngine::instance().read(name, SDbInstTupel{t0, t1, 0, t3}, v) == 0)
        v.toInt(out);
    return out;
}

QString readText(const char* name, int t0, int t1, int t3) {
    CDbAllType v;
    if (CDbEngine::instance().read(name, SDbInstTupel{t0, t1, 0, t3}, v) != 0)
        return QStringLiteral("<read failed>");
    return v.toText();
}

QStringList readList(const char* name) {
    CDbAllType v;
    if (CDbEngine::instance().read(name, SDbInstTupel{}, v) != 0 || v.getType() != DbTypeNString)
        return {QStringLiteral("<read failed>")};
    return static_cast<const CDbDataTypeNString*>(v.get())->getValList();
}

} // namespace frametest
