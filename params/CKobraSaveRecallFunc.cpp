#include "params/CKobraSaveRecallFunc.h"

#include <limits>

#include "host/db/CDbAllType.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "params/KobraFunctionSlots.h"
#include "params/KobraSerials.h"

namespace {

// One entry per path-side instance at 2 * t0 + t1; lives as long as the plug-in is loaded.
int s_remembered[4] = {};

int slotOf(int t0, int t1) {
    return (t0 & 1) * 2 + (t1 & 1);
}

} // namespace

namespace Kobra {

int rememberedSerial(int t0, int t1) {
    return s_remembered[slotOf(t0, t1)];
}

} // namespace Kobra

namespace MvQARN {

CKobraSaveRecallFunc::CKobraSaveRecallFunc(Fn save, Fn recall)
    : CDbSavRclFunc(static_cast<CDbSavRclFunc::Member>(save), static_cast<CDbSavRclFunc::Member>(recall)) {}

CKobraSaveRecallFunc::~CKobraSaveRecallFunc() = default;

int CKobraSaveRecallFunc::savKobraSelected(CDbCnct& cnct) {
    int index = 0;
    cnct.getValue().toInt(index);
    int serial = 0;
    if (CDbDataBaseIfc* db = cnct.getDataBaseIfc()) {
        // The list is stored once for all interface instances.
        const std::optional<qlonglong> s = Kobra::CKobraSerialList(*db, 0, 0).serialAt(index);
        if (s && *s <= std::numeric_limits<int>::max())
            serial = int(*s);
    }
    cnct.setValue(CDbAllType::fromInt(serial));
    return DbOk;
}

int CKobraSaveRecallFunc::rclKobraSelected(CDbCnct& cnct) {
    int serial = 0;
    cnct.getValue().toInt(serial);
    s_remembered[slotOf(cnct.t0(), cnct.t1())] = serial > 0 ? serial : 0;
    cnct.setValue(CDbAllType::fromInt(0));
    return DbOk;
}

namespace {

CKobraSaveRecallFunc s_savRclKobraSelected(&CKobraSaveRecallFunc::savKobraSelected,
                                           &CKobraSaveRecallFunc::rclKobraSelected);
const Kobra::CFunctionBinding s_bindKobraSelected(&s_savRclKobraSelected, {"IdPDbKobraSelected"});

} // namespace

} // namespace MvQARN
