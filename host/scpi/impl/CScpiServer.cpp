#include "host/scpi/impl/CScpiServer.h"

#include "host/scpi/impl/CScpiConnection.h"

namespace MvQARN {

CScpiServer::CScpiServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &CScpiServer::onNewConnection);
}

CScpiServer::~CScpiServer() {
    m_server.close();
    for (const QPointer<CScpiConnection>& c : std::as_const(m_connections))
        delete c.data();
    m_connections.clear();
}

bool CScpiServer::listen(const QHostAddress& address, quint16 port, QString* error) {
    if (m_server.isListening())
        m_server.close();
    if (m_server.listen(address, port))
        return true;
    if (error)
        *error = QStringLiteral("SCPI server cannot listen on %1:%2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(m_server.errorString());
    return false;
}

void CScpiServer::close() {
    m_server.close();
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

void CScpiServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto* c = new CScpiConnection(socket, this);
        m_connections.append(c);
        watch(c, socket);
        emit clientConnected();
        // Bytes may have come with the connection.
        if (socket->bytesAvailable() > 0) {
            c->receive();
            serveTurn();
        }
    }
}

void CScpiServer::watch(CScpiConnection* c, QTcpSocket* socket) {
    connect(socket, &QTcpSocket::readyRead, c, [this, c] {
        c->receive();
        serveTurn();
    });
    // The client read some answers: once few are left unsent, its input is taken again.
    connect(socket, &QTcpSocket::bytesWritten, c, [this, c] {
        if (!c->blocked() && c->hasWork())
            queueTurn();
    });
    connect(socket, &QTcpSocket::disconnected, c, [this] {
        emit clientDisconnected();
        serveTurn();
    });
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
        if (!c->isOpen() && !c->hasWork())
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
    c->deleteLater();
}

} // namespace MvQARN
