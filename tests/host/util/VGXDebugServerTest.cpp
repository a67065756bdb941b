// Debug server: a line prints only on a channel activated for its module and up to the activated level.
#include <QStringList>
#include <gtest/gtest.h>

#include "host//util/VGXDebugServer.h"
#include "host/util/impl/VGXTraceSink.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

class VGXDebugServerTest : public ::testing::Test {
protected:
    void SetUp() override { VGXDebugServer::deactivateAll(); }
    void TearDown() override { VGXDebugServer::deactivateAll(); }
};

TEST_F(VGXDebugServerTest, LevelIsActiveUpToTheActivatedLevelOnThatModuleAndChannel) {
    // Module 5, channel 13: each activation (a level; -1 deactivates), then the highest active level.
    for (const auto& [level, highest] : {std::pair{-1, 0}, {2, 2}, {4, 4}, {1, 1}, {0, 0}, {3, 3}, {-1, 0}}) {
        if (level < 0)
            VGXDebugServer::deactivate(5, 13);
        else
            VGXDebugServer::activate(5, level, 13); // activating again replaces the level, both ways
        for (int l = 1; l <= 4; ++l)
            EXPECT_EQ(VGXDebugServer::isActive(5, l, 13), l <= highest)
                << "after " << level << ", level " << l;
    }
    VGXDebugServer::activate(5, 2, 13);
    EXPECT_FALSE(VGXDebugServer::isActive(5, 1, 12));
    EXPECT_FALSE(VGXDebugServer::isActive(6, 1, 13));
}

TEST_F(VGXDebugServerTest, PrintWritesOnlyActiveLinesWhetherOrNotTracing) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; }, false);
    VGXDebugServer::activate(5, 1, 13);
    EXPECT_FALSE(VGXDebugServer::print(5, 4, 13, "progress"));
    EXPECT_TRUE(VGXDebugServer::print(5, 1, 13, "load failed"));
    EXPECT_FALSE(VGXDebugServer::print(5, 1, 14, "other channel"));
    EXPECT_EQ(lines, QStringList{"debug 5/13/1: load failed"});
}
