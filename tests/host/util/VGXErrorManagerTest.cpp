// Error manager: collectors and the history across threads (the main window's status bar is its one
// subscriber; nested collectors are used throughout the tests).
#include <QThread>
#include <gtest/gtest.h>

#include "host/util/VGXErrorManager.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

TEST(VGXErrorManager, SignalsFromAnotherThreadReachCollectorAndHistory) {
    VGXErrorManager::clearHistory();
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
