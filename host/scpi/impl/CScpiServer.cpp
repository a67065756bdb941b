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

void CScpiServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto* c = new CScpiConnection(socket, this);
        m_connections.append(c);
        connect(socket, &QTcpSocket::readyRead, c, [this, c] {
            c->receive();
            runPending();
        });
        connect(socket, &QTcpSocket::disconnected, c, [this] {
            emit clientDisconnected();
            runPending();
        });
        emit clientConnected();
        // Bytes may have come with the connection.
        if (socket->bytesAvailable() > 0) {
            c->receive();
            runPending();
        }
    }
}

void CScpiServer::runPending() {
    if (m_running)
        return; // the line running now picks up the rest when it returns
    m_running = true;
    bool any = true;
    while (any) {
        any = false;
        const QList<QPointer<CScpiConnection>> snapshot = m_connections;
        for (const QPointer<CScpiConnection>& c : snapshot)
            if (c && c->runOneLine())
                any = true;
    }
    m_running = false;
    const QList<QPointer<CScpiConnection>> snapshot = m_connections;
    for (const QPointer<CScpiConnection>& c : snapshot)
        if (c && !c->isOpen() && !c->hasLine())
            forget(c);
    m_connections.removeAll(QPointer<CScpiConnection>());
}

void CScpiServer::forget(CScpiConnection* c) {
    m_connections.removeAll(QPointer<CScpiConnection>(c));
    c->deleteLater();
}

} // namespace MvQARN
