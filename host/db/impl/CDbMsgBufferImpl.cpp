#include "host/db/impl/CDbMsgBufferImpl.h"

#include "host/db/impl/CDbEngine.h"

namespace MvQARN {

void CDbMsgBufferImpl::giveAll(CDbMsgList& msgs) {
    while (!msgs.isEmpty()) {
        CDbMsgList one;
        one.append(msgs.takeAt(0));
        m_engine.write(one, m_engine.errorSink());
    }
}

} // namespace MvQARN
