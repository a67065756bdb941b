#include "host/scpi/impl/CScpiSession.h"

#include "host/scpi/impl/CScpiParser.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

CScpiSession::CScpiSession(int queueCapacity) : m_queue(queueCapacity) {}

bool CScpiSession::execLine(const QByteArray& line, QString& answer) {
    CScpiParser parser(*this);
    return parser.execLine(line, answer);
}

QString CScpiSession::execLine(const QString& line) {
    QString answer;
    execLine(line.toUtf8(), answer);
    return answer;
}

void CScpiSession::pushError(int code, const QString& text) {
    if (code == ScpiNoError)
        return;
    ++m_errorsRaised;
    const bool wasFull = m_queue.count() >= m_queue.capacity();
    m_queue.push(code, text);
    setEsrBits(scpiEsrBitOf(code));
    if (wasFull)
        setEsrBits(scpiEsrBitOf(ScpiErrQueueOverflow));
}

int CScpiSession::takeEsr() {
    const int v = m_esr;
    m_esr = 0;
    return v;
}

int CScpiSession::statusByte() const {
    int stb = 0;
    if (!m_queue.isEmpty())
        stb |= ScpiStbErrorQueue;
    if (m_esr & m_ese)
        stb |= ScpiStbEsb;
    if (stb & m_sre & ~ScpiStbMss)
        stb |= ScpiStbMss;
    return stb;
}

void CScpiSession::clearStatus() {
    m_queue.clear();
    m_esr = 0;
}

QString execLine(CScpiSession& session, const QString& line) {
    return session.execLine(line);
}

} // namespace MvQARN
