#pragma once
// The message buffer of the organisation layer: every message becomes a request of its own.
#include "host/db/CDbMsgBuffer.h"

namespace MvQARN {

class CDbEngine;

class CDbMsgBufferImpl : public CDbMsgBuffer {
public:
    explicit CDbMsgBufferImpl(CDbEngine& engine) : m_engine(engine) {}
    void giveAll(CDbMsgList& msgs) override;

private:
    CDbEngine& m_engine;
};

} // namespace MvQARN
