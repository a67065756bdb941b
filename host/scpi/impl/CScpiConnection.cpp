#include "host/scpi/impl/CScpiConnection.h"

#include <QEvent>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

#include "host/scpi/impl/CScpiServer.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

namespace {

// Calls its handler straight from the notifier's event: the signal it would emit costs, per wake-up,
// about as much as lexing a short query.
class CScpiSocketNotifier : public QSocketNotifier {
public:
    CScpiSocketNotifier(int fd, Type type, std::function<void()> ready)
        : QSocketNotifier(fd, type), m_ready(std::move(ready)) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::SockAct && e->type() != QEvent::SockClose)
            return QSocketNotifier::event(e);
        m_ready();
        return true;
    }

private:
    std::function<void()> m_ready;
};

} // namespace

CScpiConnection::CScpiConnection(int fd, CScpiServer* server)
    : QObject(server), m_fd(fd), m_server(server), m_run(m_session), m_reader(server->maxLineLength()),
      m_readNotifier(
          new CScpiSocketNotifier(fd, QSocketNotifier::Read, [this] { m_server->onReadable(this); })),
      m_writeNotifier(
          new CScpiSocketNotifier(fd, QSocketNotifier::Write, [this] { m_server->onWritable(this); })) {
    m_readNotifier->setParent(this);
    m_writeNotifier->setParent(this);
    m_writeNotifier->setEnabled(false);
}

CScpiConnection::~CScpiConnection() {
    closeSocket();
}

void CScpiConnection::closeSocket() {
    if (m_fd < 0)
        return;
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    ::close(m_fd);
    m_fd = -1;
    m_closed = true;
}

bool CScpiConnection::takeGone() {
    if (isOpen() || m_goneTold)
        return false;
    m_goneTold = true;
    return true;
}

bool CScpiConnection::blocked() const {
    return !m_closed && m_unsent.size() - m_sentFrom > MaxUnsentBytes;
}

bool CScpiConnection::hasWork() const {
    if (m_closed)
        return false;
    return !m_run.done() || !m_waiting.isEmpty() || (m_readable && !m_ended);
}

qint64 CScpiConnection::heldBytes() const {
    return m_reader.pendingBytes() + m_waitingBytes + m_run.heldBytes() + (m_unsent.size() - m_sentFrom);
}

void CScpiConnection::lost() {
    m_closed = true;
    m_readable = false;
    m_waiting.clear();
    m_waitingBytes = 0;
    m_unsent.clear();
    m_sentFrom = 0;
}

void CScpiConnection::receive() {
    if (m_closed || m_ended)
        return;
    m_reader.setMaxLine(m_server->maxLineLength());
    // One buffer serves all clients: what is read is cut into messages before the next read.
    char* chunk = m_server->readBuffer();
    while (m_readable && m_waitingBytes < MaxWaitingBytes && !blocked()) {
        const ssize_t n = ::recv(m_fd, chunk, size_t(ReadChunk), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_readable = false;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                lost();
            return;
        }
        if (n == 0) {
            m_readable = false;
            m_ended = true; // what came before the end still runs
            return;
        }
        // A short read emptied the socket: the notifier reports the next input.
        if (n < ReadChunk)
            m_readable = false;
        const qsizetype before = m_waiting.size();
        m_reader.feed(chunk, n, m_waiting);
        for (qsizetype i = before; i < m_waiting.size(); ++i)
            m_waitingBytes += m_waiting.at(i).bytes.size();
    }
}

bool CScpiConnection::serve(int units) {
    int left = units;
    while (left > 0 && !blocked() && !m_closed) {
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
    if (!m_run.takeAnswer(m_answer) || m_closed)
        return;
    m_answer.append('\n');
    send(m_answer.constData(), m_answer.size());
}

void CScpiConnection::send(const char* data, qsizetype size) {
    // Behind answers still waiting for room, a line queues; otherwise it leaves in one write, as some
    // clients take the first chunk that arrives as the whole answer.
    if (m_unsent.size() == m_sentFrom) {
        for (;;) {
            const ssize_t n = ::send(m_fd, data, size_t(size), MSG_NOSIGNAL);
            if (n >= 0) {
                data += n;
                size -= n;
                break;
            }
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                lost();
                return;
            }
            break;
        }
        if (size == 0)
            return;
        m_unsent.clear();
        m_sentFrom = 0;
    }
    m_unsent.append(data, size);
    watchWrite(true);
}

void CScpiConnection::sendPending() {
    while (!m_closed && m_sentFrom < m_unsent.size()) {
        const ssize_t n = ::send(m_fd, m_unsent.constData() + m_sentFrom,
                                 size_t(m_unsent.size() - m_sentFrom), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                lost();
            return;
        }
        m_sentFrom += n;
    }
    if (m_closed)
        return;
    m_unsent.clear();
    m_sentFrom = 0;
    watchWrite(false);
}

void CScpiConnection::watchWrite(bool on) {
    if (on == m_wantWrite || m_fd < 0)
        return;
    m_wantWrite = on;
    m_writeNotifier->setEnabled(on);
}

bool CScpiConnection::wantsInput() const {
    return !m_closed && !m_ended && m_waitingBytes < MaxWaitingBytes && !blocked();
}

void CScpiConnection::updateInterest() {
    const bool on = wantsInput();
    if (on == m_wantRead || m_fd < 0)
        return;
    m_wantRead = on;
    m_readNotifier->setEnabled(on);
}

} // namespace MvQARN
