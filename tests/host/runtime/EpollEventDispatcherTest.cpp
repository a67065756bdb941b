// The headless host's epoll loop, run on a thread of its own: timers, socket notifiers that vanish
// while a wake-up is being handed out, wake-ups from other threads and leaving a loop.
#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "host/runtime/impl/EpollEventDispatcher.h"

namespace {

// Runs body on a thread whose event loop is an EpollEventDispatcher; body returns when it is done.
void onEpollThread(const std::function<void()>& body) {
    QThread thread;
    auto* dispatcher = new MvQARN::EpollEventDispatcher;
    ASSERT_TRUE(dispatcher->isValid());
    thread.setEventDispatcher(dispatcher);
    QObject::connect(&thread, &QThread::started, [&] {
        body();
        thread.quit();
    });
    thread.start();
    ASSERT_TRUE(thread.wait(20000)) << "the loop never returned";
}

TEST(EpollEventDispatcher, TimersFireAsScheduledAndStopWhenKilled) {
    int repeats = 0, singles = 0, killed = 0, wakes = 0;
    onEpollThread([&] {
        QEventLoop loop;
        // Announced to whoever listens.
        QObject::connect(QThread::currentThread()->eventDispatcher(), &QAbstractEventDispatcher::awake,
                         [&] { ++wakes; });
        QTimer repeat, single, victim;
        single.setSingleShot(true);
        QObject::connect(&repeat, &QTimer::timeout, [&] {
            if (++repeats == 5)
                loop.quit();
        });
        QObject::connect(&single, &QTimer::timeout, [&] { ++singles; });
        QObject::connect(&victim, &QTimer::timeout, [&] { ++killed; });
        // Stopped by the earlier timer's handler before it is due.
        QTimer::singleShot(1, [&] { victim.stop(); });
        victim.start(30);
        single.start(0);
        repeat.start(10);
        EXPECT_GE(repeat.remainingTime(), 0);
        loop.exec();
    });
    EXPECT_EQ(repeats, 5);
    EXPECT_EQ(singles, 1);
    EXPECT_EQ(killed, 0);
    EXPECT_GE(wakes, repeats);
}

TEST(EpollEventDispatcher, NotifierRemovedByAnotherHandlerIsNotTold) {
    int pairA[2], pairB[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pairA), 0);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pairB), 0);
    int told = 0;
    onEpollThread([&] {
        QEventLoop loop;
        // Both ready in the same wake-up; whichever is told first deletes the other.
        QPointer<QSocketNotifier> a = new QSocketNotifier(pairA[0], QSocketNotifier::Read);
        QPointer<QSocketNotifier> b = new QSocketNotifier(pairB[0], QSocketNotifier::Read);
        auto handler = [&](int fd, QPointer<QSocketNotifier>& other) {
            char byte;
            ASSERT_EQ(::read(fd, &byte, 1), 1);
            ++told;
            delete other.data();
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
        };
        QObject::connect(a, &QSocketNotifier::activated, [&] { handler(pairA[0], b); });
        QObject::connect(b, &QSocketNotifier::activated, [&] { handler(pairB[0], a); });
        ASSERT_EQ(::write(pairA[1], "x", 1), 1);
        ASSERT_EQ(::write(pairB[1], "x", 1), 1);
        loop.exec();
        delete a.data();
        delete b.data();
    });
    EXPECT_EQ(told, 1);
    for (int fd : {pairA[0], pairA[1], pairB[0], pairB[1]})
        ::close(fd);
}

TEST(EpollEventDispatcher, AnotherThreadWakesAWaitingLoop) {
    std::atomic<bool> delivered{false};
    onEpollThread([&] {
        QEventLoop loop;
        QObject target;
        // No timer is pending: only the wake-up can end the wait.
        std::thread poster([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            QMetaObject::invokeMethod(&target, [&] {
                delivered = true;
                loop.quit();
            });
        });
        loop.exec();
        poster.join();
    });
    EXPECT_TRUE(delivered);
}

} // namespace
