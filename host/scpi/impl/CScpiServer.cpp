#include "host/scpi/impl/CScpiServer.h"

#include <QEvent>
#include <QTcpServer>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
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

// Wakes the server straight from the notifier's event: the signal it would emit costs, per wake-up,
// about as much as lexing a short query.
class CScpiReadyNotifier : public QSocketNotifier {
public:
    CScpiReadyNotifier(int fd, std::function<void()> ready)
        : QSocketNotifier(fd, QSocketNotifier::Read), m_ready(std::move(ready)) {}

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

CScpiServer::CScpiServer(QObject* parent)
    : QObject(parent), m_server(std::make_unique<CScpiListener>()),
      m_readBuffer(std::make_unique<char[]>(std::size_t(CScpiConnection::ReadChunk))) {
    m_server->adopt = [this](qintptr fd) { adopt(fd); };
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_ready = std::make_unique<CScpiReadyNotifier>(m_epoll, [this] { onSocketsReady(); });
}

CScpiServer::~CScpiServer() {
    m_server->close();
    for (const QPointer<CScpiConnection>& c : std::as_const(m_connections))
        delete c.data();
    m_connections.clear();
    m_ready.reset();
    ::close(m_epoll);
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
    auto* c = new CScpiConnection(s, this);
    epoll_event ev{};
    ev.events = EPOLLIN | EPOLLRDHUP | EPOLLET;
    ev.data.ptr = c;
    if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, s, &ev) != 0) {
        delete c;
        return;
    }
    m_connections.append(c);
    emit clientConnected();
    // Bytes may have come with the connection: the connection starts as readable.
    serveTurn();
}

void CScpiServer::onSocketsReady() {
    epoll_event events[64];
    for (;;) {
        const int n = ::epoll_wait(m_epoll, events, 64, 0);
        if (n < 0 && errno == EINTR)
            continue;
        for (int i = 0; i < n; ++i) {
            auto* c = static_cast<CScpiConnection*>(events[i].data.ptr);
            const unsigned what = events[i].events;
            if (what & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR))
                c->setReadable((what & (EPOLLRDHUP | EPOLLHUP | EPOLLERR)) != 0);
            if (what & (EPOLLOUT | EPOLLHUP | EPOLLERR))
                c->sendPending();
            c->receive();
        }
        if (n < 64)
            break;
    }
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
        else if (c->hasWork() && !c->blocked())
            more = true;
    }
    m_connections.removeAll(QPointer<CScpiConnection>());
    if (more)
        queueTurn();
}

void CScpiServer::forget(CScpiConnection* c) {
    m_connections.removeAll(QPointer<CScpiConnection>(c));
    // Out of the epoll set now, so no event names it after this.
    c->closeSocket();
    c->deleteLater();
}

} // namespace MvQARN
