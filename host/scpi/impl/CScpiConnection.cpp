#include "host/scpi/impl/CScpiConnection.h"

#include <algorithm>

#include "host/scpi/impl/CScpiServer.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

CScpiConnection::CScpiConnection(QTcpSocket* socket, CScpiServer* server)
    : QObject(server), m_socket(socket), m_server(server), m_run(m_session),
      m_reader(server->maxLineLength()) {
    socket->setParent(this);
    // Unread input stays with the network instead of growing the host.
    socket->setReadBufferSize(ReadChunk);
}

CScpiConnection::~CScpiConnection() = default;

bool CScpiConnection::isOpen() const {
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool CScpiConnection::blocked() const {
    return isOpen() && m_socket->bytesToWrite() > MaxUnsentBytes;
}

bool CScpiConnection::hasWork() const {
    return !m_run.done() || !m_waiting.isEmpty() || (m_socket && m_socket->bytesAvailable() > 0);
}

qint64 CScpiConnection::heldBytes() const {
    qint64 n = m_reader.pendingBytes() + m_waitingBytes + m_run.heldBytes();
    if (m_socket)
        n += m_socket->bytesAvailable() + m_socket->bytesToWrite();
    return n;
}

void CScpiConnection::receive() {
    if (!m_socket)
        return;
    m_reader.setMaxLine(m_server->maxLineLength());
    while (m_waitingBytes < MaxWaitingBytes && !blocked() && m_socket->bytesAvailable() > 0) {
        const QByteArray data = m_socket->read(ReadChunk);
        if (data.isEmpty())
            break;
        const qsizetype before = m_waiting.size();
        m_reader.feed(data.constData(), data.size(), m_waiting);
        for (qsizetype i = before; i < m_waiting.size(); ++i)
            m_waitingBytes += m_waiting.at(i).bytes.size();
    }
}

bool CScpiConnection::serve(int units) {
    int left = units;
    while (left > 0 && !blocked()) {
        if (m_run.done()) {
            if (m_waiting.isEmpty())
                receive();
            if (m_waiting.isEmpty())
                break;
            const CScpiLineReader::SMessage m = m_waiting.takeFirst();
            m_waitingBytes -= m.bytes.size();
            if (m.overrun) {
                m_session.pushError(ScpiErrInputBufferOverrun);
                --left;
                continue;
            }
            m_run.start(m.bytes);
        }
        left -= std::max(m_run.step(left), 1);
        if (m_run.done())
            finishMessage();
    }
    receive();
    return hasWork() && !blocked();
}

void CScpiConnection::finishMessage() {
    QString answer;
    if (m_run.takeAnswer(answer) && isOpen()) {
        QByteArray out = answer.toUtf8();
        out.append('\n');
        // One write per answer line: some clients take the first chunk as the whole answer.
        m_socket->write(out);
        m_socket->flush();
    }
}

} // namespace MvQARN
