// Error manager: history, subscribers and per-request collectors.
#include <QThread>
#include <gtest/gtest.h>

#include "host//util/VGXErrorManager.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

class VGXErrorManagerTest : public ::testing::Test {
protected:
    void SetUp() override { VGXErrorManager::clearHistory(); }
};

TEST_F(VGXErrorManagerTest, HistoryKeepsSignalsInOrderWithRisingSerialsUpToItsLimit) {
    VGXErrorManager::signal(50298, "box not answering");
    VGXErrorManager::signal(50299, "progress");
    const QList<VGXErrorRecord> h = VGXErrorManager::history();
    ASSERT_EQ(h.size(), 2);
    EXPECT_EQ(h[0].code, 50298);
    EXPECT_EQ(h[0].text, "box not answering");
    EXPECT_EQ(h[1].code, 50299);
    EXPECT_LT(h[0].serial, h[1].serial);
    VGXErrorManager::clearHistory();
    EXPECT_TRUE(VGXErrorManager::history().isEmpty());

    // Beyond its limit the oldest go.
    const int limit = VGXErrorManager::historyLimit();
    for (int i = 0; i < limit + 5; ++i)
        VGXErrorManager::signal(i, QString());
    const QList<VGXErrorRecord> full = VGXErrorManager::history();
    ASSERT_EQ(full.size(), limit);
    EXPECT_EQ(full.first().code, 5);
    EXPECT_EQ(full.last().code, limit + 4);
}

TEST_F(VGXErrorManagerTest, SubscribersHearSignalsUntilTheyUnsubscribe) {
    QList<int> a, b;
    const int ha = VGXErrorManager::subscribe([&](const VGXErrorRecord& r) { a << r.code; });
    const int hb = VGXErrorManager::subscribe([&](const VGXErrorRecord& r) { b << r.code; });
    EXPECT_NE(ha, hb);
    VGXErrorManager::signal(1, "x");
    VGXErrorManager::unsubscribe(ha);
    VGXErrorManager::signal(2, "y");
    VGXErrorManager::unsubscribe(hb);
    VGXErrorManager::signal(3, "z");
    EXPECT_EQ(a, QList<int>{1});
    EXPECT_EQ(b, (QList<int>{1, 2}));
}

TEST_F(VGXErrorManagerTest, SubscriberMaySignalAndUnsubscribeFromItsCallback) {
    QList<int> seen;
    int handle = 0;
    handle = VGXErrorManager::subscribe([&](const VGXErrorRecord& r) {
        seen << r.code;
        VGXErrorManager::unsubscribe(handle);
        if (r.code == 10)
            VGXErrorManager::signal(11, "follow-up");
    });
    VGXErrorManager::signal(10, "first");
    EXPECT_EQ(seen, QList<int>{10});
    EXPECT_EQ(VGXErrorManager::history().size(), 2);
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
