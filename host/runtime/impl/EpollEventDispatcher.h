#pragma once
// The headless host's event loop: one epoll set that keeps its sockets registered between waits, so a
// wake-up for a remote client's line costs one epoll_wait instead of a poll over every descriptor and
// a walk through a general-purpose loop. Timers, posted events, socket notifiers and the offscreen
// window system's events (a progress dialog the plug-in shows) are delivered as in Qt's own loops.
#include <QAbstractEventDispatcher>
#include <atomic>
#include <chrono>
#include <unordered_map>
#include <vector>

#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT EpollEventDispatcher : public QAbstractEventDispatcher {
    Q_OBJECT
public:
    explicit EpollEventDispatcher(QObject* parent = nullptr);
    ~EpollEventDispatcher() override;

    // False when the kernel refused the epoll set or the wake-up descriptor; use Qt's loop then.
    bool isValid() const { return m_epoll >= 0 && m_wake >= 0; }

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    void registerSocketNotifier(QSocketNotifier* notifier) override;
    void unregisterSocketNotifier(QSocketNotifier* notifier) override;
    void registerTimer(int timerId, qint64 interval, Qt::TimerType timerType, QObject* object) override;
    bool unregisterTimer(int timerId) override;
    bool unregisterTimers(QObject* object) override;
    QList<TimerInfo> registeredTimers(QObject* object) const override;
    int remainingTime(int timerId) override;
    void wakeUp() override;
    void interrupt() override;

protected:
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
        QSocketNotifier* exception = nullptr;
        bool inEpoll = false; // false: a descriptor epoll cannot watch (a regular file), always ready
    };
    struct Timer {
        int id;
        qint64 intervalMs;
        Qt::TimerType type;
        QObject* object;
        Clock::time_point due;
        bool firing = false; // its handler runs; a nested loop does not fire it again
    };

    void updateWatch(int fd, Watch& watch);
    std::vector<Timer>::iterator findTimer(int id);
    // Empties the wake-up descriptor; the next wakeUp() writes to it again.
    void takeWakeUp();
    std::atomic<int>* receiversOf(const QMetaMethod& signal);
    int activateSocket(int fd, unsigned events);
    int activateTimers();
    int waitMs(bool canWait, bool timers) const;

    int m_epoll = -1;
    int m_wake = -1;
    std::atomic<bool> m_wakeUpPending{false};
    std::atomic<bool> m_interrupted{false};
    // Receivers of awake and aboutToBlock: a wake-up announces itself only when someone listens.
    std::atomic<int> m_awakeReceivers{0};
    std::atomic<int> m_aboutToBlockReceivers{0};
    std::unordered_map<int, Watch> m_watches;
    std::vector<int> m_alwaysReady;
    std::vector<Timer> m_timers;
};

} // namespace MvQARN
