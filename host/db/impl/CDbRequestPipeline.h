#pragma once
// The request pipeline. A write request is a list of messages: the head, and messages inserted
// behind it. Each gets the type test, the check function (which may narrow the limits or the
// choices) and the range test; the head's conversion-in may change the value or hand the request on
// to another parameter. Only when all are accepted are the values stored; then the update functions
// run in list order. Messages a function queues run as nested requests, reads run conversion-out;
// nesting is bounded. When the outermost request is done, its changes go to the observers as one
// batch. GUI thread only; re-entrant calls from plug-in functions are expected.
#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbMsg.h"
#include "host/db/impl/CDbChangeBroadcast.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbDefinitionRegistry;
class CDbEngine;
class CDbForwardAnswerBuffer;
class CDbRecord;
class CDbRequest;

class VGX_EXPORT CDbRequestPipeline {
public:
    // Contexts of plug-in functions offer the services of engine; records come from registry.
    CDbRequestPipeline(CDbEngine& engine, CDbDefinitionRegistry& registry);
    ~CDbRequestPipeline();
    CDbRequestPipeline(const CDbRequestPipeline&) = delete;
    CDbRequestPipeline& operator=(const CDbRequestPipeline&) = delete;

    // Drops the error sink, pending changes and observers.
    void reset();

    // One request. Returns 0 or the first error (a refusal, or an error of an update function).
    int write(const CDbMsg& msg, CDbAnswerBuffer* answer = nullptr);
    // A request made of several messages: the first is the head, the others count as inserted
    // behind it. The messages are taken out of the list.
    int write(CDbMsgList& msgs, CDbAnswerBuffer* answer = nullptr);
    int write(const char* name, const SDbInstTupel& t, const CDbAllType& value,
              CDbAnswerBuffer* answer = nullptr, int msgType = DbMsgSet, unsigned flags = 0);

    // Reads with conversion-out; msgType is what conversion-out functions see as the request's type.
    int read(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbAnswerBuffer* answer = nullptr,
             int msgType = DbMsgSet);

    // Current limits and choices at an instance (the check function runs in a query pass).
    bool limits(const char* name, const SDbInstTupel& t, double& min, double& max);
    QVector<int> choices(const char* name, const SDbInstTupel& t);

    // A context for calling plug-in functions from host code or tests; its errors go to answer.
    std::unique_ptr<CDbCnct> makeContext(const char* name, const SDbInstTupel& t,
                                         const CDbAllType& value = CDbAllType(),
                                         CDbAnswerBuffer* answer = nullptr);

    // Where errors of requests without an answer buffer of their own go (the GUI's error display).
    void setErrorSink(CDbAnswerBuffer* sink) { m_errorSink = sink; }
    CDbAnswerBuffer* errorSink() const { return m_errorSink; }

    int nestingLimit() const { return m_nestingLimit; }
    int depth() const { return m_depth; }

    CDbChangeBroadcast& changes() { return m_changes; }
    CDbEngine& engine() const { return m_engine; }

    // Host side of contexts, and of preset and recall.
    int runRequest(CDbMsgList& list, CDbForwardAnswerBuffer& answer);
    int readWith(const char* name, const SDbInstTupel& t, CDbAllType& out, CDbForwardAnswerBuffer& answer,
                 int msgType);
    // Stores v at rec's stored instance the way a preset or a recall does (the update function
    // sees DbChangePresetRecall); nothing happens when the value is the same.
    int restore(CDbRecord* rec, const SDbInstTupel& stored, const CDbAllType& v,
                CDbForwardAnswerBuffer& answer);
    // One value of a settings recall: the record, its stored instance and the value to leave there.
    struct SRestore {
        CDbRecord* rec = nullptr;
        SDbInstTupel stored;
        CDbAllType value;
    };
    // Stores every value first and then runs the update functions of those that changed, in order
    // (as restore does for one), so that each update sees the whole new state and not a half-way
    // one. Returns the first error of an update.
    int restoreAll(const std::vector<SRestore>& values, CDbForwardAnswerBuffer& answer);

    // How v fits at instance t in the current state, without storing anything: the check function
    // runs (seeing a set message with flags) and the range test applies the limits and choices it
    // publishes. Returns 0 or the refusal, reported to answer; fit gets what was allowed.
    struct SFit {
        bool hasLimits = false;
        double min = 0;
        double max = 0;
        bool hasChoices = false;
        QVector<int> choices; // of a selection: the choices offered at t
    };
    int fitValue(CDbRecord* rec, const SDbInstTupel& t, CDbAllType& v, unsigned flags,
                 CDbForwardAnswerBuffer& answer, SFit& fit);

    // Calls fn, a definition function, with a context on ctx, then runs what it queued. An error fn
    // returns is reported under instance unless fn reported it itself. Returns fn's result; queued,
    // where given, gets the first error of the queued messages.
    int callFunction(CDbRequest& ctx, int instance, const std::function<int(CDbCnct&)>& fn,
                     int* queued = nullptr);
    // Reports an error under instance with its standard text.
    static void refuse(CDbAnswerBuffer& answer, int error, int instance);

    // One level of nesting for as long as it lives; changes are delivered when the outermost level
    // ends. Check ok() before doing anything.
    class Level {
    public:
        explicit Level(CDbRequestPipeline& p);
        ~Level();
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;
        bool ok() const { return m_ok; }

    private:
        CDbRequestPipeline& m_p;
        bool m_ok;
    };

private:
    struct SValidated;

    int validate(CDbMsgList& list, int index, CDbForwardAnswerBuffer& answer, bool head, SValidated& out);
    int validateHead(CDbMsgList& list, CDbForwardAnswerBuffer& answer);
    void queryCheck(CDbRecord* rec, const SDbInstTupel& t, CDbRequest& ctx);

    CDbEngine& m_engine;
    CDbDefinitionRegistry& m_registry;
    CDbAnswerBuffer* m_errorSink = nullptr;
    int m_depth = 0;
    int m_nestingLimit = 16;
    CDbChangeBroadcast m_changes;
};

} // namespace MvQARN
