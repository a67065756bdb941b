#include "params/KobraSsiReadBack.h"

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbMsg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraSerialData.h"

using namespace MvQARN;

namespace Kobra {

namespace {

constexpr int kMsgModule = 4;

} // namespace

int ssiReadBack(CDbCnct& cnct, CDbDataTypeNBit* readBits) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return DbOk;
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    int logic = 0;
    int rc = db->getSelect("IdPDbLynxLogicType", logic, t0, 0, 0, t1);
    if (rc != DbOk)
        return rc;
    if (!isSsiLogicType(logic))
        return DbErrSsiLogic;
    int direction = 0;
    rc = db->getSelect("IdPDbLynxDirection", direction, t0, 0, 0, t1);
    if (rc != DbOk)
        return rc;
    double bitLen = 0;
    rc = db->getNumber("IdPDbLynxSsiCmBitLen", bitLen, t0, 0, 0, t1);
    if (rc != DbOk)
        return rc;
    const int length = int(bitLen + 0.5);
    COlCommandIfc* command = cnct.getOlCommand();
    if (length <= 0 || !command)
        return DbOk;

    SKobraSerialData area{{0u, 0u}};
    COlCommandData data;
    data.index1 = t0;
    data.index2 = t1;
    data.buffer = &area;
    if (!command->execute(OlCmdSsiRead, &data))
        return DbErrOlCommand;
    const CDbDataTypeNBit bits(length, {area.words[0], area.words[1]});
    if (readBits)
        *readBits = bits;
    // What the box holds is written whatever the direction: the read-back lifts the direction check.
    cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, "IdPDbLynxSsiCmData", CDbAllType(bits), DbMsgSet,
                            DbFlagForGui | DbFlagLiftSsiDirection, 0, t0, t1, 0, 0));
    return cnct.updData(true);
}

} // namespace Kobra
