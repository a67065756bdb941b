#include "host/runtime/impl/EpollEventDispatcher.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QSocketNotifier>
#include <QTimerEvent>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <qpa/qwindowsysteminterface.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace MvQARN {

namespace {

constexpr int kBatch = 64; // ready descriptors taken per wait; the rest come with the next one

} // namespace

EpollEventDispatcher::EpollEventDispatcher(QObject* parent) : QAbstractEventDispatcher(parent) {
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_epoll >= 0 && m_wake >= 0) {
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = m_wake;
        if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_wake, &ev) != 0) {
            ::close(m_wake);
            m_wake = -1;
        }
    }
}

EpollEventDispatcher::~EpollEventDispatcher() {
    if (m_wake >= 0)
        ::close(m_wake);
    if (m_epoll >= 0)
        ::close(m_epoll);
}

bool EpollEventDispatcher::processEvents(QEventLoop::ProcessEventsFlags flags) {
    m_interrupted.store(false, std::memory_order_relaxed);
    if (m_awakeReceivers.load(std::memory_order_relaxed) > 0)
        emit awake();
    QCoreApplication::sendPostedEvents();

    const bool notifiers = !(flags & QEventLoop::ExcludeSocketNotifiers);
    const bool timers = !(flags & QEventLoop::X11ExcludeTimers);
    const bool canWait = (flags & QEventLoop::WaitForMoreEvents) && !m_interrupted.load();
    if (canWait && m_aboutToBlockReceivers.load(std::memory_order_relaxed) > 0)
        emit aboutToBlock();
    if (m_interrupted.load())
        return false;

    const int timeout = waitMs(canWait && (!notifiers || m_alwaysReady.empty()), timers);
    int handled = 0;
    if (notifiers) {
        epoll_event ready[kBatch];
        const int n = ::epoll_wait(m_epoll, ready, kBatch, timeout);
        for (int i = 0; i < n; ++i) {
            const int fd = ready[i].data.fd;
            if (fd == m_wake) {
                takeWakeUp();
                ++handled;
            } else {
                handled += activateSocket(fd, ready[i].events);
            }
        }
        // Descriptors epoll cannot watch are always ready, as poll reports them.
        const std::vector<int> always = m_alwaysReady;
        for (int fd : always)
            handled += activateSocket(fd, EPOLLIN | EPOLLOUT);
    } else {
        // Only the wake-up counts while notifiers are held back; their sockets stay ready meanwhile.
        pollfd wake{m_wake, POLLIN, 0};
        if (::poll(&wake, 1, timeout) > 0) {
            takeWakeUp();
            ++handled;
        }
    }
    if (timers)
        handled += activateTimers();
    // Windows shown offscreen queue their expose and geometry events; they would pile up otherwise.
    if (QWindowSystemInterface::sendWindowSystemEvents(flags))
        ++handled;
    return handled > 0;
}

// Milliseconds the wait may last: none when it may not block, until the next timer is due otherwise.
int EpollEventDispatcher::waitMs(bool canWait, bool timers) const {
    if (!canWait)
        return 0;
    if (!timers)
        return -1;
    Clock::time_point next = Clock::time_point::max();
    for (const Timer& t : m_timers)
        if (!t.firing)
            next = std::min(next, t.due);
    if (next == Clock::time_point::max())
        return -1;
    const Clock::time_point now = Clock::now();
    if (next <= now)
        return 0;
    // Rounded up: waking before the timer is due would only wait again.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(next - now).count();
    return int(std::min<std::int64_t>(ms, 24 * 3600 * 1000));
}

int EpollEventDispatcher::activateSocket(int fd, unsigned events) {
    static constexpr unsigned kRead = EPOLLIN | EPOLLHUP | EPOLLERR | EPOLLRDHUP;
    static constexpr unsigned kWrite = EPOLLOUT | EPOLLHUP | EPOLLERR;
    static constexpr unsigned kException = EPOLLPRI | EPOLLHUP | EPOLLERR;
    int handled = 0;
    // A handler may unregister any notifier, so each is looked up afresh before it is told.
    for (auto [slot, mask] : {std::pair{&Watch::read, kRead}, std::pair{&Watch::write, kWrite},
                              std::pair{&Watch::exception, kException}}) {
        if (!(events & mask))
            continue;
        const auto it = m_watches.find(fd);
        if (it == m_watches.end())
            break;
        if (QSocketNotifier* notifier = it->second.*slot) {
            QEvent activation(QEvent::SockAct);
            QCoreApplication::sendEvent(notifier, &activation);
            ++handled;
        }
    }
    return handled;
}

int EpollEventDispatcher::activateTimers() {
    if (m_timers.empty())
        return 0;
    const Clock::time_point now = Clock::now();
    int due[16];
    int count = 0;
    for (const Timer& t : m_timers)
        if (!t.firing && t.due <= now && count < int(std::size(due)))
            due[count++] = t.id;
    int handled = 0;
    for (int i = 0; i < count; ++i) {
        auto it = findTimer(due[i]);
        if (it == m_timers.end() || it->firing)
            continue;
        it->due += std::chrono::milliseconds(it->intervalMs);
        if (it->due < now) // missed ticks are not made up for
            it->due = now + std::chrono::milliseconds(it->intervalMs);
        it->firing = true;
        QObject* object = it->object;
        QTimerEvent event(due[i]);
        QCoreApplication::sendEvent(object, &event);
        ++handled;
        it = findTimer(due[i]); // the handler may have added or removed timers
        if (it != m_timers.end())
            it->firing = false;
    }
    return handled;
}

void EpollEventDispatcher::updateWatch(int fd, Watch& watch) {
    const unsigned mask = (watch.read ? unsigned(EPOLLIN) : 0u) | (watch.write ? unsigned(EPOLLOUT) : 0u) |
                          (watch.exception ? unsigned(EPOLLPRI) : 0u);
    const auto always = std::find(m_alwaysReady.begin(), m_alwaysReady.end(), fd);
    if (mask == 0) {
        if (watch.inEpoll)
            ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
        if (always != m_alwaysReady.end())
            m_alwaysReady.erase(always);
        m_watches.erase(fd);
        return;
    }
    if (always != m_alwaysReady.end())
        return;
    epoll_event ev{};
    ev.events = mask;
    ev.data.fd = fd;
    if (watch.inEpoll && ::epoll_ctl(m_epoll, EPOLL_CTL_MOD, fd, &ev) == 0)
        return;
    // Not there yet, or the descriptor was closed and reused behind the notifier's back.
    if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &ev) == 0 ||
        (errno == EEXIST && ::epoll_ctl(m_epoll, EPOLL_CTL_MOD, fd, &ev) == 0)) {
        watch.inEpoll = true;
        return;
    }
    watch.inEpoll = false;
    if (errno == EPERM)
        m_alwaysReady.push_back(fd);
    else
        qWarning("QSocketNotifier: cannot watch descriptor %d", fd);
}

void EpollEventDispatcher::registerSocketNotifier(QSocketNotifier* notifier) {
    const int fd = int(notifier->socket());
    Watch& watch = m_watches[fd];
    QSocketNotifier** slot = notifier->type() == QSocketNotifier::Read    ? &watch.read
                             : notifier->type() == QSocketNotifier::Write ? &watch.write
                                                                          : &watch.exception;
    if (*slot && *slot != notifier)
        qWarning("QSocketNotifier: Multiple socket notifiers for same socket %d", fd);
    *slot = notifier;
    updateWatch(fd, watch);
}

void EpollEventDispatcher::unregisterSocketNotifier(QSocketNotifier* notifier) {
    const auto it = m_watches.find(int(notifier->socket()));
    if (it == m_watches.end())
        return;
    Watch& watch = it->second;
    for (QSocketNotifier** slot : {&watch.read, &watch.write, &watch.exception})
        if (*slot == notifier)
            *slot = nullptr;
    updateWatch(it->first, watch);
}

void EpollEventDispatcher::registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                                         QObject* object) {
    const qint64 ms = std::max<qint64>(0, interval);
    m_timers.push_back({timerId, ms, timerType, object, Clock::now() + std::chrono::milliseconds(ms)});
}

bool EpollEventDispatcher::unregisterTimer(int timerId) {
    const auto it = findTimer(timerId);
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

bool EpollEventDispatcher::unregisterTimers(QObject* object) {
    const auto before = m_timers.size();
    m_timers.erase(
        std::remove_if(m_timers.begin(), m_timers.end(), [&](const Timer& t) { return t.object == object; }),
        m_timers.end());
    return m_timers.size() != before;
}

QList<QAbstractEventDispatcher::TimerInfo> EpollEventDispatcher::registeredTimers(QObject* object) const {
    QList<TimerInfo> list;
    for (const Timer& t : m_timers)
        if (t.object == object)
            list.append(TimerInfo(t.id, int(t.intervalMs), t.type));
    return list;
}

int EpollEventDispatcher::remainingTime(int timerId) {
    const auto it = findTimer(timerId);
    if (it == m_timers.end())
        return -1;
    return int(std::max<std::int64_t>(
        0, std::chrono::ceil<std::chrono::milliseconds>(it->due - Clock::now()).count()));
}

std::atomic<int>* EpollEventDispatcher::receiversOf(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&QAbstractEventDispatcher::awake))
        return &m_awakeReceivers;
    if (signal == QMetaMethod::fromSignal(&QAbstractEventDispatcher::aboutToBlock))
        return &m_aboutToBlockReceivers;
    return nullptr;
}

void EpollEventDispatcher::connectNotify(const QMetaMethod& signal) {
    if (std::atomic<int>* n = receiversOf(signal))
        ++*n;
}

void EpollEventDispatcher::disconnectNotify(const QMetaMethod& signal) {
    if (std::atomic<int>* n = receiversOf(signal))
        --*n;
}

std::vector<EpollEventDispatcher::Timer>::iterator EpollEventDispatcher::findTimer(int id) {
    return std::find_if(m_timers.begin(), m_timers.end(), [id](const Timer& t) { return t.id == id; });
}

void EpollEventDispatcher::takeWakeUp() {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t r = ::read(m_wake, &count, sizeof(count));
    m_wakeUpPending.store(false);
}

void EpollEventDispatcher::wakeUp() {
    if (!m_wakeUpPending.exchange(true)) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t r = ::write(m_wake, &one, sizeof(one));
    }
}

void EpollEventDispatcher::interrupt() {
    m_interrupted.store(true);
    wakeUp();
}

} // namespace MvQARN
