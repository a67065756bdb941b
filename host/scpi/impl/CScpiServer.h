#pragma once
// The raw-socket SCPI server: a QTcpServer on the thread that creates it (the GUI thread), any number
// of clients, each with its own session. Lines end with LF (a CR before it is dropped); each answer
// line leaves in one write. A line longer than the limit is discarded up to its LF and queues
// ScpiErrInputBufferOverrun.
// Lines run one at a time: a line that arrives while another runs (a nested event loop) waits.
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CScpiConnection;

class VGX_EXPORT CScpiServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 5025;
    static constexpr int DefaultMaxLine = 1024 * 1024;

    explicit CScpiServer(QObject* parent = nullptr);
    ~CScpiServer() override;

    // Port 0 picks a free port (see port()). False with the reason when listening fails.
    bool listen(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = DefaultPort,
                QString* error = nullptr);
    void close();
    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QHostAddress address() const { return m_server.serverAddress(); }
    int clientCount() const;

    void setMaxLineLength(int bytes) { m_maxLine = bytes; }
    int maxLineLength() const { return m_maxLine; }

signals:
    void clientConnected();
    void clientDisconnected();

private:
    friend class CScpiConnection;
    void onNewConnection();
    // Runs the waiting lines of every client, one line at a time.
    void runPending();
    void forget(CScpiConnection* c);

    QTcpServer m_server;
    QList<QPointer<CScpiConnection>> m_connections;
    int m_maxLine = DefaultMaxLine;
    bool m_running = false;
};

} // namespace MvQARN
