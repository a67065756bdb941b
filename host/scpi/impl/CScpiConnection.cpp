#include "host/scpi/impl/CScpiConnection.h"

#include "host/scpi/impl/CScpiServer.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

CScpiConnection::CScpiConnection(QTcpSocket* socket, CScpiServer* server)
    : QObject(server), m_socket(socket), m_server(server) {
    socket->setParent(this);
}

CScpiConnection::~CScpiConnection() = default;

bool CScpiConnection::isOpen() const {
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void CScpiConnection::receive() {
    if (!m_socket)
        return;
    const QByteArray data = m_socket->readAll();
    const int maxLine = m_server->maxLineLength();
    qsizetype start = 0;
    while (start <= data.size()) {
        const qsizetype lf = data.indexOf('\n', start);
        if (lf < 0) {
            if (!m_discarding) {
                m_partial.append(data.constData() + start, data.size() - start);
                if (m_partial.size() > maxLine) {
                    m_session.pushError(ScpiErrInputBufferOverrun);
                    m_partial.clear();
                    m_discarding = true;
                }
            }
            break;
        }
        if (m_discarding) {
            m_discarding = false; // the LF ends the line that was too long
        } else {
            m_partial.append(data.constData() + start, lf - start);
            if (m_partial.size() > maxLine) {
                m_session.pushError(ScpiErrInputBufferOverrun);
            } else {
                if (m_partial.endsWith('\r'))
                    m_partial.chop(1);
                m_lines.append(m_partial);
            }
        }
        m_partial.clear();
        start = lf + 1;
    }
}

bool CScpiConnection::runOneLine() {
    if (m_lines.isEmpty())
        return false;
    const QByteArray line = m_lines.takeFirst();
    QString answer;
    if (m_session.execLine(line, answer) && isOpen()) {
        QByteArray out = answer.toUtf8();
        out.append('\n');
        // One write per answer line: some clients take the first chunk as the whole answer.
        m_socket->write(out);
        m_socket->flush();
    }
    return true;
}

} // namespace MvQARN
