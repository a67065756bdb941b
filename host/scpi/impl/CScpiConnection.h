#pragma once
// One client of the SCPI server: its socket, the bytes of the line not yet ended and its session.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include "host/scpi/impl/CScpiSession.h"

namespace MvQARN {

class CScpiServer;

class CScpiConnection : public QObject {
    Q_OBJECT
public:
    CScpiConnection(QTcpSocket* socket, CScpiServer* server);
    ~CScpiConnection() override;

    CScpiSession& session() { return m_session; }
    // Takes the bytes received and sets lines aside; a too long line is dropped here.
    void receive();
    // Runs one waiting line; false when none waits.
    bool runOneLine();
    bool hasLine() const { return !m_lines.isEmpty(); }
    bool isOpen() const;

private:
    QPointer<QTcpSocket> m_socket;
    CScpiServer* m_server;
    CScpiSession m_session;
    QByteArray m_partial;
    QList<QByteArray> m_lines;
    bool m_discarding = false; // dropping the rest of a too long line
};

} // namespace MvQARN
