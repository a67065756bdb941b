#include "params/KobraDeviceStateReapply.h"

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"

using namespace MvQARN;

namespace Kobra {

namespace {
constexpr int kMsgModule = 4;
}

int reapplyDeviceStates(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return DbOk;
    int result = DbOk;
    for (int t0 = 0; t0 < 2; ++t0) {
        for (int t1 = 0; t1 < 2; ++t1) {
            int state = 0;
            if (db->getSelect("IdPDbLynxDeviceState", state, t0, 0, 0, t1) != DbOk || state != 1)
                continue;
            cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, "IdPDbLynxDeviceState", 1, DbMsgSet,
                                    DbFlagReapply, 0, t0, t1, 0, 0));
            const int status = cnct.updData(true);
            if (result == DbOk)
                result = status;
        }
    }
    return result;
}

} // namespace Kobra
