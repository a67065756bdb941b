#include "host/db/impl/CDbRequest.h"

#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/CDbRequestPipeline.h"

namespace MvQARN {

CDbRequest::CDbRequest(CDbEngine& engine, CDbMsgList* list, CDbForwardAnswerBuffer* answer,
                       const CDbRecord* record)
    : m_engine(engine), m_list(list), m_answer(answer), m_record(record),
      m_ifc(engine, answer, record ? record->module() : -1) {}

CDbRequest::CDbRequest(CDbEngine& engine, CDbAnswerBuffer* target)
    : m_engine(engine), m_ownList(new CDbMsgList), m_ownAnswer(new CDbForwardAnswerBuffer(target)),
      m_list(m_ownList.get()), m_answer(m_ownAnswer.get()), m_record(nullptr),
      m_ifc(engine, m_ownAnswer.get(), -1) {}

CDbRequest::~CDbRequest() = default;

void CDbRequest::setRecord(const CDbRecord* record) {
    m_record = record;
    m_ifc.setModuleNumber(record ? record->module() : -1);
}

void CDbRequest::queue(CDbMsg* takeOwnership) {
    if (takeOwnership)
        m_queue.emplace_back(takeOwnership);
}

int CDbRequest::runQueue() {
    if (query) {
        m_queue.clear();
        return DbOk;
    }
    int first = DbOk;
    // Messages queued by nested functions while this queue runs belong to those functions; this loop
    // only drains what this context queued, in queue order.
    while (!m_queue.empty()) {
        std::unique_ptr<CDbMsg> msg = std::move(m_queue.front());
        m_queue.erase(m_queue.begin());
        CDbMsgList one;
        one.append(msg.release());
        const int rc = m_engine.requests().runRequest(one, *m_answer);
        if (first == DbOk)
            first = rc;
    }
    return first;
}

CDbSingleRequest::CDbSingleRequest(CDbEngine& engine, const CDbRecord* rec, const SDbInstTupel& t,
                                   const CDbAllType& v, CDbForwardAnswerBuffer* answer, int msgType)
    : ctx(engine, &list, answer, rec) {
    list.append(new CDbMsg(0, 0, rec->name(), v, msgType, 0, 0, t.t0, t.t1, t.t2, t.t3));
    ctx.name = rec->name();
    ctx.tupel = t;
    ctx.value = v;
    ctx.current = list.head();
}

} // namespace MvQARN
