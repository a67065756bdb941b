#pragma once
// A client's SCPI error queue: first in, first out, bounded. When an error arrives at a full queue
// the newest entry becomes the queue overflow error and the new error is lost.
#include <QList>
#include <QString>

#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT CScpiErrorQueue {
public:
    struct Entry {
        int code = 0;
        QString text;
        bool operator==(const Entry&) const = default;
    };

    static constexpr int DefaultCapacity = 20;

    explicit CScpiErrorQueue(int capacity = DefaultCapacity);

    // Adds an error; an empty text means the standard text of the code.
    void push(int code, const QString& text = QString());
    // Takes the oldest entry; an empty queue answers the no-error entry.
    Entry pop();
    void clear() { m_entries.clear(); }
    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int capacity() const { return m_capacity; }
    const QList<Entry>& entries() const { return m_entries; }

    // "<code>,\"<text>\"" with quotes in the text doubled.
    static QString format(const Entry& e);

private:
    int m_capacity;
    QList<Entry> m_entries;
};

} // namespace MvQARN
