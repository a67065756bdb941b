// Update functions of the transient recorder.
#include "params/CKobraUpdateFunc.h"
#include "params/CKobraUpdateFuncHelpers.h"

namespace MvQARN {

using namespace KobraUpdate;

// The trigger position stays inside the record.
int CKobraUpdateFunc::updTranRecDataLength(CDbCnct& cnct, const CDbAllType&) {
    double length = 0;
    cnct.getValue().toDouble(length);
    double position = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbKobraTranRecTrigPosition", position, cnct.t0(),
                                                    cnct.t3(), cnct.t2(), cnct.t1());
    if (rc != DbOk)
        return rc;
    if (position > length - 1)
        queue(cnct, "IdPDbKobraTranRecTrigPosition", CDbAllType::fromDouble(length - 1), cnct.t0(), cnct.t1(),
              cnct.t2(), cnct.t3());
    return finish(cnct, DbOk);
}

} // namespace MvQARN
