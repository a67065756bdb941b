#pragma once
// One client of the SCPI server: its socket, the messages it sent that wait to run, the one that runs
// (unit by unit, in turns the server hands out) and its session.
//
// The socket is used directly (non-blocking, watched by the event loop through two notifiers): input is
// read into one reused buffer and cut into messages at once, and each answer line goes out in one send
// straight from the parser's answer, so a query costs one read and one write and no copies in between.
//
// Every client is treated as possibly hostile, and what the host holds for it is bounded: input is
// taken from the socket only while few complete messages wait, and not at all while more than
// MaxUnsentBytes of its answers wait to be sent (it does not read them); the rest stays with the
// network. Nothing is dropped: once the client reads its answers, its input is taken and run again.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSocketNotifier>

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

    // Takes over the connected socket descriptor.
    CScpiConnection(int fd, CScpiServer* server);
    ~CScpiConnection() override;

    int descriptor() const { return m_fd; }
    CScpiSession& session() { return m_session; }
    // The socket reported input, or that the peer closed its side.
    void setReadable() { m_readable = true; }
    // Watches the socket for input only while input would be taken, and for room to write only while
    // answers wait for it: the notifiers report a state, not a change, and would wake the loop for
    // nothing.
    void updateInterest();
    // The socket reported room to write: sends what waited for it.
    void sendPending();
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
    // The client neither went away nor ended its input.
    bool isOpen() const { return m_fd >= 0 && !m_closed && !m_ended; }
    // True once, when the client went away or ended its input.
    bool takeGone();
    // Nothing is left to do for it: it went away, or it ended its input and has all its answers.
    bool finished() const { return m_closed || (m_ended && !hasWork() && m_unsent.size() == m_sentFrom); }
    // Bytes the host holds for the client: input not run yet and answers not sent yet.
    qint64 heldBytes() const;
    // Closes the socket; answers not sent yet are dropped.
    void closeSocket();

private:
    void finishMessage();
    void send(const char* data, qsizetype size);
    void lost();
    void watchWrite(bool on);
    bool wantsInput() const;

    int m_fd;
    CScpiServer* m_server;
    bool m_readable = true; // input may be waiting in the socket (until a short read)
    bool m_ended = false;   // the client ended its input: what it sent still runs and is answered
    bool m_closed = false;  // the connection failed or was closed: nothing more runs or is sent
    bool m_goneTold = false;
    bool m_wantWrite = false; // the write notifier is on
    bool m_wantRead = true;   // the read notifier is on
    CScpiSession m_session;
    CScpiParser m_run; // the message that runs; done() when none does
    CScpiLineReader m_reader;
    QList<CScpiLineReader::SMessage> m_waiting;
    qint64 m_waitingBytes = 0;
    QByteArray m_unsent;      // answers the socket had no room for, in order
    qsizetype m_sentFrom = 0; // bytes of m_unsent already sent
    QByteArray m_answer;      // the answer line being built, reused
    // Children of the connection: closing the socket only switches them off, as one of them may be the
    // caller.
    QSocketNotifier* m_readNotifier;
    QSocketNotifier* m_writeNotifier;
};

} // namespace MvQARN
