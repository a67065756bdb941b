#include "host/scpi/impl/CScpiErrorQueue.h"

#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

CScpiErrorQueue::CScpiErrorQueue(int capacity) : m_capacity(capacity < 2 ? 2 : capacity) {}

void CScpiErrorQueue::push(int code, const QString& text) {
    if (code == ScpiNoError)
        return;
    if (m_entries.size() >= m_capacity) {
        Entry& newest = m_entries.last();
        newest.code = ScpiErrQueueOverflow;
        newest.text = scpiErrorText(ScpiErrQueueOverflow);
        return;
    }
    Entry e;
    e.code = code;
    e.text = text.isEmpty() ? scpiErrorText(code) : text;
    m_entries.append(e);
}

CScpiErrorQueue::Entry CScpiErrorQueue::pop() {
    if (m_entries.isEmpty())
        return Entry{ScpiNoError, scpiErrorText(ScpiNoError)};
    return m_entries.takeFirst();
}

QString CScpiErrorQueue::format(const Entry& e) {
    QString t = e.text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    // Line ends inside a text would split the answer line.
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return QString::number(e.code) + QStringLiteral(",\"") + t + QLatin1Char('"');
}

} // namespace MvQARN
