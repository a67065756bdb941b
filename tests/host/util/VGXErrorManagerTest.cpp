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

TEST_F(VGXErrorManagerTest, CollectorsSeeOnlyTheSignalsOfTheirLifetime) {
    VGXErrorManager::signal(1, "before");
    VGXErrorManager::Collector outer;
    VGXErrorManager::signal(2, "outer");
    {
        VGXErrorManager::Collector inner;
        EXPECT_TRUE(inner.isEmpty());
        VGXErrorManager::signal(3, "both");
        ASSERT_EQ(inner.errors().size(), 1);
        EXPECT_EQ(inner.errors()[0].code, 3);
        EXPECT_EQ(inner.errors()[0].text, "both");
    }
    VGXErrorManager::signal(4, "after inner");
    QList<int> codes;
    for (const VGXErrorRecord& r : outer.errors())
        codes << r.code;
    EXPECT_EQ(codes, (QList<int>{2, 3, 4}));
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
