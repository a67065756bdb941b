#pragma once
// Host side of a context (CDbCnct): one call of a plug-in function, or a context a host service made
// for itself. It points to the request's message list and answer buffer and holds what the call
// sees and leaves behind: the handled parameter and instance, the value, the result slot, the
// published choices, the error text and the messages the function queued.
#include <QByteArray>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/db/impl/CDbDataBaseIfcImpl.h"
#include "host/db/impl/CDbForwardAnswerBuffer.h"

namespace MvQARN {

class CDbEngine;
class CDbRecord;

// Change flags a function sees (CDbCnct::getChangeFlags): a value that differs from the previous one
// (always for events) sets DbChangeValue when a request stored it, DbChangePresetRecall when a group
// preset or a settings recall did.
enum EDbChangeFlag : unsigned {
    DbChangeValue = 0x1,
    DbChangePresetRecall = 0x2,
};

class CDbRequest {
public:
    CDbRequest(CDbEngine& engine, CDbMsgList* list, CDbForwardAnswerBuffer* answer, const CDbRecord* record);
    // A context that owns its message list and answer buffer (errors are forwarded to target).
    CDbRequest(CDbEngine& engine, CDbAnswerBuffer* target);
    ~CDbRequest();
    CDbRequest(const CDbRequest&) = delete;
    CDbRequest& operator=(const CDbRequest&) = delete;

    // Runs the queued messages, each as a nested request; returns the first error.
    int runQueue();
    void discardQueue() { m_queue.clear(); }
    void queue(CDbMsg* takeOwnership);

    CDbEngine& engine() const { return m_engine; }
    CDbMsgList& list() const { return *m_list; }
    CDbForwardAnswerBuffer& answer() const { return *m_answer; }
    const CDbRecord* record() const { return m_record; }
    void setRecord(const CDbRecord* record);
    CDbDataBaseIfcImpl& dataBaseIfc() { return m_ifc; }

    QByteArray name;
    SDbInstTupel tupel;
    CDbAllType value;
    CDbMsg* current = nullptr;
    unsigned changeFlags = 0;
    CDbAllType result;
    QString errorText;
    bool hasAvail = false;
    QVector<int> avail;
    bool query = false;          // limits and choices query: nothing is stored, queued writes are dropped
    bool ownedByContext = false; // deleted with the CDbCnct that made it
    std::unique_ptr<CDbDataTypeString> savedPath;

private:
    CDbEngine& m_engine;
    std::unique_ptr<CDbMsgList> m_ownList;
    std::unique_ptr<CDbForwardAnswerBuffer> m_ownAnswer;
    CDbMsgList* m_list;
    CDbForwardAnswerBuffer* m_answer;
    const CDbRecord* m_record;
    CDbDataBaseIfcImpl m_ifc;
    std::vector<std::unique_ptr<CDbMsg>> m_queue;
};

// A request of its own about one instance of a record: its list holds just that instance's message,
// which is the one being handled.
class CDbSingleRequest {
public:
    CDbSingleRequest(CDbEngine& engine, const CDbRecord* rec, const SDbInstTupel& t, const CDbAllType& v,
                     CDbForwardAnswerBuffer* answer, int msgType = DbMsgSet);
    CDbSingleRequest(const CDbSingleRequest&) = delete;
    CDbSingleRequest& operator=(const CDbSingleRequest&) = delete;

    CDbMsgList list; // declared first: the request points to it
    CDbRequest ctx;
};

} // namespace MvQARN
