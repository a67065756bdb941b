#include "host/db/CDbChkFunc.h"

#include "host/db/CDbCnct.h"
#include "host/db/impl/CDbRequest.h"

namespace MvQARN {

void CDbChkFunc::giveValMinMaxAvail(CDbCnct& cnct, const QVector<int>& available) {
    cnct.request()->hasAvail = true;
    cnct.request()->avail = available;
}

} // namespace MvQARN
