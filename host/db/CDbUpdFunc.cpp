#include "host/db/CDbUpdFunc.h"

#include "host/db/CDbAllType.h"

namespace MvQARN {

int CDbUpdFunc::update(CDbCnct& cnct, const CDbAllType& previous) {
    if (m_withValue)
        return (this->*m_withValue)(cnct, previous);
    if (m_contextOnly)
        return (this->*m_contextOnly)(cnct);
    return DbOk;
}

} // namespace MvQARN
