#include "host/util/VGXErrorManager.h"

#include <QMap>
#include <QMutex>
#include <QMutexLocker>

#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

constexpr int HistoryLimit = 1000;

struct ErrorState {
    QMutex mutex;
    QList<VGXErrorRecord> history;
    QMap<int, VGXErrorManager::Subscriber> subscribers;
    VGXErrorManager::Collector* innermost = nullptr;
    int nextHandle = 1;
    quint64 nextSerial = 1;
};

ErrorState& state() {
    static ErrorState s;
    return s;
}

} // namespace

void VGXErrorManager::signal(int code, const QString& text) {
    ErrorState& s = state();
    VGXErrorRecord record;
    QList<Subscriber> subscribers;
    {
        QMutexLocker lock(&s.mutex);
        record.code = code;
        record.text = text;
        record.serial = s.nextSerial++;
        s.history.append(record);
        while (s.history.size() > HistoryLimit)
            s.history.removeFirst();
        for (Collector* c = s.innermost; c; c = c->m_outer)
            c->add(record);
        subscribers = s.subscribers.values();
    }
    VGXTraceSink::trace(QStringLiteral("error: %1 \"%2\"").arg(code).arg(text));
    // Outside the lock: a subscriber may signal or unsubscribe.
    for (const Subscriber& sub : std::as_const(subscribers))
        if (sub)
            sub(record);
}

int VGXErrorManager::subscribe(Subscriber subscriber) {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    const int handle = s.nextHandle++;
    s.subscribers.insert(handle, std::move(subscriber));
    return handle;
}

void VGXErrorManager::unsubscribe(int handle) {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    s.subscribers.remove(handle);
}

QList<VGXErrorRecord> VGXErrorManager::history() {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    return s.history;
}

void VGXErrorManager::clearHistory() {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    s.history.clear();
}

int VGXErrorManager::historyLimit() {
    return HistoryLimit;
}

VGXErrorManager::Collector::Collector() {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    m_outer = s.innermost;
    if (m_outer)
        m_outer->m_inner = this;
    s.innermost = this;
}

VGXErrorManager::Collector::~Collector() {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    // Usually the innermost one ends, but collectors on different threads may end in any order.
    if (m_inner)
        m_inner->m_outer = m_outer;
    else
        s.innermost = m_outer;
    if (m_outer)
        m_outer->m_inner = m_inner;
}

// Reads and writes of m_errors happen under the manager's mutex.
QList<VGXErrorRecord> VGXErrorManager::Collector::errors() const {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    return m_errors;
}

bool VGXErrorManager::Collector::isEmpty() const {
    ErrorState& s = state();
    QMutexLocker lock(&s.mutex);
    return m_errors.isEmpty();
}

void VGXErrorManager::Collector::add(const VGXErrorRecord& record) {
    m_errors.append(record);
}

} // namespace MvQARN
