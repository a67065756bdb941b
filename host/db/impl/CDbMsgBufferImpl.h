#pragma once
// The message buffer of the organisation layer: every message becomes a request of its own, with
// its errors going to the pipeline's error sink.
#include "host/db/CDbMsgBuffer.h"

namespace MvQARN {

class CDbRequestPipeline;

class CDbMsgBufferImpl : public CDbMsgBuffer {
public:
    explicit CDbMsgBufferImpl(CDbRequestPipeline& requests) : m_requests(requests) {}
    void giveAll(CDbMsgList& msgs) override;

private:
    CDbRequestPipeline& m_requests;
};

} // namespace MvQARN
