#pragma once
// One client of the SCPI server: its socket, the messages it sent that wait to run, the one that runs
// (unit by unit, in turns the server hands out) and its session.
//
// Every client is treated as possibly hostile, and what the host holds for it is bounded: input is
// taken from the socket only while few complete messages wait, and not at all while more than
// MaxUnsentBytes of its answers wait to be sent (it does not read them); the socket's own read buffer
// is bounded too, so the rest stays with the network. Nothing is dropped: once the client reads its
// answers, its input is taken and run again.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include "host/scpi/impl/CScpiLineReader.h"
#include "host/scpi/impl/CScpiParser.h"
#include "host/scpi/impl/CScpiSession.h"

namespace MvQARN {

class CScpiServer;

class CScpiConnection : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 MaxUnsentBytes = 1024 * 1024;
    static constexpr qint64 ReadChunk = 64 * 1024;
    static constexpr qint64 MaxWaitingBytes = 64 * 1024;

    CScpiConnection(QTcpSocket* socket, CScpiServer* server);
    ~CScpiConnection() override;

    CScpiSession& session() { return m_session; }
    // Takes received bytes and sets messages aside, while the bounds allow.
    void receive();
    // Runs up to units command units of the waiting messages, in order (an empty message counts as
    // one); each answer line leaves in one write when its message is done. True when work is left
    // that can go on now.
    bool serve(int units);
    // Messages waiting or running, or bytes received and not taken yet.
    bool hasWork() const;
    // Its answers wait to be read: nothing of it runs, no input is taken.
    bool blocked() const;
    bool isOpen() const;
    // Bytes the host holds for the client: input not run yet and answers not sent yet.
    qint64 heldBytes() const;

private:
    void finishMessage();

    QPointer<QTcpSocket> m_socket;
    CScpiServer* m_server;
    CScpiSession m_session;
    CScpiParser m_run; // the message that runs; done() when none does
    CScpiLineReader m_reader;
    QList<CScpiLineReader::SMessage> m_waiting;
    qint64 m_waitingBytes = 0;
};

} // namespace MvQARN
