#include "host/db/CDbCnvInFunc.h"

#include <cstring>

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataTypeEvent.h"

namespace MvQARN {

int CDbCnvInFunc::cnviDbCalTestErrBase(CDbCnct& cnct, const char* const names[4]) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head || head->getMsgType() != DbMsgExec || !names)
        return DbOk;
    // Pairs of result and event names; "IdPDbNone" marks an unused pair.
    for (int i = 0; i < 4; i += 2) {
        const char* result = names[i];
        const char* event = names[i + 1];
        if (!result || !event || !std::strcmp(result, "IdPDbNone") || !std::strcmp(event, "IdPDbNone"))
            continue;
        if (head->getName() == result) {
            head->setName(event);
            head->setValue(CDbAllType(new CDbDataTypeEvent));
            return DbOk;
        }
    }
    return DbOk;
}

} // namespace MvQARN
