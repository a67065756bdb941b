#include "host/db/CDbCnvOutFunc.h"

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"

namespace MvQARN {

void CDbCnvOutFunc::cnvoDbParmIdReplace(CDbCnct& cnct) {
    if (!m_name)
        return;
    CDbAllType v;
    if (cnct.getDataBaseIfc()->getValue(m_name, v, cnct.t0(), cnct.t3(), cnct.t2(), cnct.t1()) == DbOk &&
        !v.isNull())
        cnct.getAnswerBuffer().createAnswer(v.get()->clone());
}

} // namespace MvQARN
