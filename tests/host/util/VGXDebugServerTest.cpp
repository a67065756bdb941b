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
    EXPECT_FALSE(VGXDebugServer::isActive(5, 1, 13));
    VGXDebugServer::activate(5, 2, 13);
    EXPECT_TRUE(VGXDebugServer::isActive(5, 1, 13));
    EXPECT_TRUE(VGXDebugServer::isActive(5, 2, 13));
    EXPECT_FALSE(VGXDebugServer::isActive(5, 3, 13));
    EXPECT_FALSE(VGXDebugServer::isActive(5, 4, 13));
    EXPECT_FALSE(VGXDebugServer::isActive(5, 1, 12));
    EXPECT_FALSE(VGXDebugServer::isActive(6, 1, 13));

    // Activating again replaces the level, in both directions.
    VGXDebugServer::activate(5, 4, 13);
    EXPECT_TRUE(VGXDebugServer::isActive(5, 4, 13));
    VGXDebugServer::activate(5, 1, 13);
    EXPECT_TRUE(VGXDebugServer::isActive(5, 1, 13));
    EXPECT_FALSE(VGXDebugServer::isActive(5, 2, 13));

    VGXDebugServer::activate(5, 0, 13);
    EXPECT_FALSE(VGXDebugServer::isActive(5, 1, 13));
    VGXDebugServer::activate(5, 3, 13);
    VGXDebugServer::deactivate(5, 13);
    EXPECT_FALSE(VGXDebugServer::isActive(5, 1, 13));
}

TEST_F(VGXDebugServerTest, PrintWritesOnlyActiveLinesWhetherOrNotTracing) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& l) { lines << l; }, false);
    VGXDebugServer::activate(5, 1, 13);
    EXPECT_FALSE(VGXDebugServer::print(5, 4, 13, QStringLiteral("progress")));
    EXPECT_TRUE(VGXDebugServer::print(5, 1, 13, QStringLiteral("load failed")));
    EXPECT_FALSE(VGXDebugServer::print(5, 1, 14, QStringLiteral("other channel")));
    EXPECT_EQ(lines, QStringList{QStringLiteral("debug 5/13/1: load failed")});
}
