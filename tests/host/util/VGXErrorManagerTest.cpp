// Error manager: subscribers, per-request collectors and the history across threads.
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>

#include "host//util/VGXErrorManager.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

class VGXErrorManagerTest : public ::testing::Test {
protected:
    void SetUp() override { VGXErrorManager::clearHistory(); }
};

TEST_F(VGXErrorManagerTest, SubscribersHearSignalsUntilTheyUnsubscribeEvenFromTheirCallback) {
    QList<int> a, b;
    int ha = 0;
    ha = VGXErrorManager::subscribe([&](const VGXErrorRecord& r) {
        a << r.code;
        VGXErrorManager::unsubscribe(ha);
        if (r.code == 1)
            VGXErrorManager::signal(11, "follow-up");
    });
    const int hb = VGXErrorManager::subscribe([&](const VGXErrorRecord& r) { b << r.code; });
    VGXErrorManager::signal(1, "x");
    VGXErrorManager::signal(2, "y");
    VGXErrorManager::unsubscribe(hb);
    VGXErrorManager::signal(3, "z");
    EXPECT_EQ(a, QList<int>{1});
    std::sort(b.begin(), b.end()); // the follow-up arrives while 1 is still being delivered
    EXPECT_EQ(b, (QList<int>{1, 2, 11}));
    EXPECT_EQ(VGXErrorManager::history().size(), 4);
}

TEST_F(VGXErrorManagerTest, SignalsFromAnotherThreadReachCollectorAndHistory) {
    VGXErrorManager::Collector collector;
    QThread* worker = QThread::create([] {
        for (int i = 0; i < 200; ++i)
            VGXErrorManager::signal(50299, QStringLiteral("worker %1").arg(i));
    });
    worker->start();
    for (int i = 0; i < 200; ++i)
        VGXErrorManager::signal(50298, QStringLiteral("gui %1").arg(i));
    worker->wait();
    delete worker;
    EXPECT_EQ(collector.errors().size(), 400);
    EXPECT_EQ(VGXErrorManager::history().size(), 400);
}
