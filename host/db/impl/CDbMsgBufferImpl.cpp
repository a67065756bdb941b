#include "host/db/impl/CDbMsgBufferImpl.h"

#include "host/db/impl/CDbRequestPipeline.h"

namespace MvQARN {

void CDbMsgBufferImpl::giveAll(CDbMsgList& msgs) {
    while (!msgs.isEmpty()) {
        CDbMsgList one;
        one.append(msgs.takeAt(0));
        m_requests.write(one, m_requests.errorSink());
    }
}

} // namespace MvQARN
