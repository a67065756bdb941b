#include "host/scpi/impl/CScpiServer.h"

#include <QTcpServer>
#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <unistd.h>
#include <utility>

#include "host/scpi/impl/CScpiConnection.h"

namespace MvQARN {

// Accepts and hands the bare descriptor over: the server reads and writes it itself.
class CScpiListener : public QTcpServer {
public:
    std::function<void(qintptr)> adopt;

protected:
    void incomingConnection(qintptr fd) override { adopt(fd); }
};

CScpiServer::CScpiServer(QObject* parent)
    : QObject(parent), m_server(std::make_unique<CScpiListener>()),
      m_readBuffer(std::make_unique<char[]>(std::size_t(CScpiConnection::ReadChunk))) {
    m_server->adopt = [this](qintptr fd) { adopt(fd); };
}

CScpiServer::~CScpiServer() {
    m_server->close();
    for (const QPointer<CScpiConnection>& c : std::as_const(m_connections))
        delete c.data();
    m_connections.clear();
}

bool CScpiServer::listen(const QHostAddress& address, quint16 port, QString* error) {
    if (m_server->isListening())
        m_server->close();
    if (m_server->listen(address, port))
        return true;
    if (error)
        *error = QStringLiteral("SCPI server cannot listen on %1:%2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(m_server->errorString());
    return false;
}

void CScpiServer::close() {
    m_server->close();
}

bool CScpiServer::isListening() const {
    return m_server->isListening();
}

quint16 CScpiServer::port() const {
    return m_server->serverPort();
}

QHostAddress CScpiServer::address() const {
    return m_server->serverAddress();
}

int CScpiServer::clientCount() const {
    int n = 0;
    for (const QPointer<CScpiConnection>& c : m_connections)
        if (c && c->isOpen())
            ++n;
    return n;
}

qint64 CScpiServer::heldBytes() const {
    qint64 n = 0;
    for (const QPointer<CScpiConnection>& c : m_connections)
        if (c)
            n += c->heldBytes();
    return n;
}

int CScpiServer::blockedClients() const {
    int n = 0;
    for (const QPointer<CScpiConnection>& c : m_connections)
        if (c && c->blocked())
            ++n;
    return n;
}

void CScpiServer::adopt(qintptr fd) {
    const int s = int(fd);
    ::fcntl(s, F_SETFL, ::fcntl(s, F_GETFL) | O_NONBLOCK);
    ::fcntl(s, F_SETFD, FD_CLOEXEC);
    // Answers are single lines sent as soon as they are complete; none should wait for the last ACK.
    const int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    m_connections.append(new CScpiConnection(s, this));
    emit clientConnected();
    // Bytes may have come with the connection: the connection starts as readable.
    serveTurn();
}

void CScpiServer::onReadable(CScpiConnection* c) {
    c->setReadable();
    c->receive();
    // Taken now even when no turn can run (a command's nested event loop): a socket left readable
    // would wake the loop again at once.
    c->updateInterest();
    serveTurn();
}

void CScpiServer::onWritable(CScpiConnection* c) {
    c->sendPending();
    serveTurn();
}

void CScpiServer::queueTurn() {
    if (m_turnQueued)
        return;
    m_turnQueued = true;
    // Queued, so the event loop (other clients, the GUI) comes first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_turnQueued = false;
            serveTurn();
        },
        Qt::QueuedConnection);
}

void CScpiServer::serveTurn() {
    if (m_running)
        return; // a command runs a nested event loop; the turn running now goes on when it returns
    m_running = true;
    const QList<QPointer<CScpiConnection>> snapshot = m_connections;
    for (const QPointer<CScpiConnection>& c : snapshot)
        if (c)
            c->serve(m_unitsPerTurn);
    m_running = false;
    bool more = false;
    const QList<QPointer<CScpiConnection>> after = m_connections;
    for (const QPointer<CScpiConnection>& c : after) {
        if (!c)
            continue;
        if (c->takeGone())
            emit clientDisconnected();
        if (c->finished())
            forget(c);
        else {
            c->updateInterest();
            if (c->hasWork() && !c->blocked())
                more = true;
        }
    }
    // Looked for first: removing from the list while the copies above share it would copy it.
    if (std::any_of(m_connections.cbegin(), m_connections.cend(),
                    [](const QPointer<CScpiConnection>& c) { return c.isNull(); }))
        m_connections.removeAll(QPointer<CScpiConnection>());
    if (more)
        queueTurn();
}

void CScpiServer::forget(CScpiConnection* c) {
    m_connections.removeAll(QPointer<CScpiConnection>(c));
    // Its notifiers go with the socket, so no event names it after this.
    c->closeSocket();
    c->deleteLater();
}

} // namespace MvQARN
