#pragma once
// One call of a host command: what the client sent and where the handler puts its answer or errors.
#include <QString>
#include <QVector>
#include <functional>

#include "host/db/DbDefs.h"
#include "host/scpi/impl/CScpiLexer.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class CDbAnswerBuffer;
class CScpiSession;

class VGX_EXPORT CScpiHostCall {
public:
    CScpiHostCall(CScpiSession& session, bool query, const QVector<SScpiToken>& args)
        : m_session(session), m_query(query), m_args(args) {}

    CScpiSession& session() const { return m_session; }
    bool isQuery() const { return m_query; }
    int argCount() const { return int(m_args.size()); }
    const SScpiToken& arg(int i) const { return m_args.at(i); }

    // Argument checks; each queues the fitting error itself and answers false.
    bool expectArgs(int min, int max);
    // An integer in [min, max] (numbers are rounded, #H/#B/#Q accepted).
    bool intArg(int i, int min, int max, int& out);
    // A quoted string, or character data or a number as typed.
    bool textArg(int i, QString& out);

    void setAnswer(const QString& answer) {
        m_answer = answer;
        m_answered = true;
    }
    bool hasAnswer() const { return m_answered; }
    const QString& answer() const { return m_answer; }

    // Queues an error for the client; text empty means the standard text of the code.
    void error(int code, const QString& text = QString());
    // Queues the errors of a database call the handler made (mapped as for module commands); answers
    // the SCPI error of its result, 0 when it succeeded.
    int dbResult(int rc, const CDbAnswerBuffer& answer);
    // The first error the call queued, 0 when none.
    int firstError() const { return m_firstError; }

private:
    CScpiSession& m_session;
    bool m_query;
    const QVector<SScpiToken>& m_args;
    QString m_answer;
    bool m_answered = false;
    int m_firstError = 0;
};

typedef std::function<void(CScpiHostCall&)> FScpiHostHandler;

} // namespace MvQARN
