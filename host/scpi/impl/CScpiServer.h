#pragma once
// The raw-socket SCPI server: a QTcpServer on the thread that creates it (the GUI thread), any number
// of clients, each with its own session. Lines end with LF (a CR before it is dropped) outside block
// data; each answer line leaves in one write. A line longer than the limit is discarded up to its LF
// and queues ScpiErrInputBufferOverrun.
//
// Clients are served in turns, round-robin: a turn runs a bounded number of command units of each
// client, so a long line gives way to the other clients and to the event loop between its units. A
// client's lines run in order, one after the other. Only one turn runs at a time: a turn that comes
// while a command runs a nested event loop does nothing, the running turn serves the rest.
//
// The event loop watches every client socket itself (one notifier each, no epoll set in between): a
// client's line then wakes the GUI thread straight from the socket, as a synchronous wake-up that the
// scheduler can hand to the sender's processor, which a wake-up relayed through a nested epoll set is
// not. One wake-up still serves every client that sent something, as the event loop reports all
// ready sockets of one poll together.
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CScpiConnection;
class CScpiListener;

class VGX_EXPORT CScpiServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 5025;
    static constexpr int DefaultMaxLine = 1024 * 1024;
    static constexpr int DefaultUnitsPerTurn = 32;

    explicit CScpiServer(QObject* parent = nullptr);
    ~CScpiServer() override;

    // Port 0 picks a free port (see port()). False with the reason when listening fails.
    bool listen(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = DefaultPort,
                QString* error = nullptr);
    void close();
    bool isListening() const;
    quint16 port() const;
    QHostAddress address() const;
    int clientCount() const;

    void setMaxLineLength(int bytes) { m_maxLine = bytes; }
    int maxLineLength() const { return m_maxLine; }
    // Command units each client may run in one turn (at least 1).
    void setUnitsPerTurn(int units) { m_unitsPerTurn = qMax(units, 1); }
    int unitsPerTurn() const { return m_unitsPerTurn; }

    // Bytes held for all clients: input taken and not run yet, answers not sent yet.
    qint64 heldBytes() const;
    // Clients whose input is left unread because they do not read their answers.
    int blockedClients() const;

    // For the connections: the buffer input is read into, and what their sockets report.
    char* readBuffer() { return m_readBuffer.get(); }
    void onReadable(CScpiConnection* c);
    void onWritable(CScpiConnection* c);

signals:
    void clientConnected();
    void clientDisconnected();

private:
    void adopt(qintptr fd);
    // One turn for every client; queues the next one while work is left.
    void serveTurn();
    void queueTurn();
    void forget(CScpiConnection* c);

    std::unique_ptr<CScpiListener> m_server;
    std::unique_ptr<char[]> m_readBuffer;
    QList<QPointer<CScpiConnection>> m_connections;
    int m_maxLine = DefaultMaxLine;
    int m_unitsPerTurn = DefaultUnitsPerTurn;
    bool m_running = false;
    bool m_turnQueued = false;
};

} // namespace MvQARN
