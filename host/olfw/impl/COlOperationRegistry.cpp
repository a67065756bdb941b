#include "host/olfw/impl/COlOperationRegistry.h"

#include <chrono>
#include <thread>

namespace MvQARN {

unsigned COlOperationRegistry::newOperationId() {
    std::lock_guard<std::mutex> lock(m_mutex);
    do {
        ++m_nextId;
    } while (m_nextId == 0 || m_operations.contains(m_nextId));
    return m_nextId;
}

bool COlOperationRegistry::begin(unsigned operation, const QStringList& phases) {
    if (operation == 0 || phases.isEmpty())
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    Operation op;
    op.phases = phases;
    op.phase = phases.first();
    op.reported = 1; // the start itself is news
    m_operations.insert(operation, op);
    return true;
}

bool COlOperationRegistry::report(unsigned operation, const QString& phase, const QString& message,
                                  int progress) {
    if (progress < 0 || progress > 100)
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_operations.find(operation);
    if (it == m_operations.end() || !it->phases.contains(phase) || it->failed)
        return false;
    it->phase = phase;
    it->message = message;
    it->progress = progress;
    ++it->reported;
    return true;
}

bool COlOperationRegistry::fail(unsigned operation, const QString& message) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_operations.find(operation);
    if (it == m_operations.end())
        return false;
    it->failed = true;
    it->message = message;
    it->progress = COlProgressStatus::Failed;
    ++it->reported;
    return true;
}

void COlOperationRegistry::end(unsigned operation) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_operations.remove(operation);
}

bool COlOperationRegistry::isKnown(unsigned operation) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_operations.contains(operation);
}

bool COlOperationRegistry::query(unsigned operation, COlProgressStatus& out) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_operations.find(operation);
    if (it == m_operations.end())
        return false;
    out.phaseTitle = it->phase.toStdString();
    out.message = it->message.toStdString();
    // A failure stays a failure however often it is asked for.
    if (it->failed || it->reported != it->delivered)
        out.progress = it->progress;
    else
        out.progress = COlProgressStatus::NoNews;
    it->delivered = it->reported;
    return true;
}

bool COlOperationRegistry::runPhases(unsigned operation, const QStringList& phases, int durationMs) {
    if (!begin(operation, phases))
        return false;
    constexpr int stepsPerPhase = 4;
    const int steps = int(phases.size()) * stepsPerPhase;
    const auto pause = std::chrono::milliseconds(durationMs > 0 ? durationMs / steps : 0);
    for (const QString& phase : phases) {
        for (int step = 1; step <= stepsPerPhase; ++step) {
            if (pause.count() > 0)
                std::this_thread::sleep_for(pause);
            const int progress = step * 100 / stepsPerPhase;
            const QString message =
                progress < 100 ? QStringLiteral("%1 ...").arg(phase) : QStringLiteral("Done.");
            if (!report(operation, phase, message, progress))
                return false; // failed from elsewhere meanwhile
        }
    }
    return true;
}

} // namespace MvQARN
