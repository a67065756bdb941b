#pragma once
// One remote-control client: its error queue, status registers and the lines it sends. A session is
// used on the GUI thread only.
#include <QByteArray>
#include <QString>

#include "host/scpi/impl/CScpiErrorQueue.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CScpiSession {
public:
    explicit CScpiSession(int queueCapacity = CScpiErrorQueue::DefaultCapacity);

    // Runs one program message (a line without its terminator). True when it holds queries whose answers
    // make a line: then answer holds them joined by ";".
    bool execLine(const QByteArray& line, QString& answer);
    QString execLine(const QString& line);

    // Queues an error and sets its event status bit; an empty text means the standard text.
    void pushError(int code, const QString& text = QString());
    CScpiErrorQueue& errorQueue() { return m_queue; }
    const CScpiErrorQueue& errorQueue() const { return m_queue; }
    // Errors raised since the session started (queued or lost to an overflow).
    quint64 errorsRaised() const { return m_errorsRaised; }

    int esr() const { return m_esr; }
    int takeEsr(); // *ESR?: answers and clears
    void setEsrBits(int bits) { m_esr |= bits & 0xFF; }
    int ese() const { return m_ese; }
    void setEse(int v) { m_ese = v & 0xFF; }
    int sre() const { return m_sre; }
    void setSre(int v) { m_sre = v & 0xBF; } // bit 6 cannot be enabled
    // Status byte: bit 2 error queue not empty, bit 5 ESB, bit 6 MSS.
    int statusByte() const;
    // *CLS: error queue and event status register.
    void clearStatus();

private:
    CScpiErrorQueue m_queue;
    int m_esr = 0;
    int m_ese = 0;
    int m_sre = 0;
    quint64 m_errorsRaised = 0;
};

// The in-process entry (vgxhost --exec, tests): the answer line of one program message, empty when
// it holds no query.
VGX_EXPORT QString execLine(CScpiSession& session, const QString& line);

} // namespace MvQARN
