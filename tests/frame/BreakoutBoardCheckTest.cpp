// The breakout board check before a box is switched on: which board the box reports, its revision,
// the detection failures, and the hardware variant recorded on the way.
#include <QStringList>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "FrameTestRecords.h"
#include "FrameTestSupport.h"
#include "frame/OrvaneSettings.h"
#include "host/db/CDbCnct.h"
#include "host/db/impl/CDbEngine.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "host/util/impl/VGXHostAnchor.h"
#include "orglayer/KobraBreakoutBoard.h"

using namespace MvQARN;
using namespace frametest;

namespace {

const char kDetectionError[] = "Internal breakout board detection error.";

class BreakoutBoardCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerFrameTestRecords();
        OrvaneSettings::setValue(OrvaneSettings::CB, 0);
        VGXHostAnchor::instance().setOlManager(&m_manager);
        ASSERT_EQ(writeList("IdPDbKobraSerials", QStringList{"None", "100123", "100456"}), 0);
        ASSERT_EQ(writeInt("IdPDbKobraSelected", 0, 1, 2), 0);
        ASSERT_EQ(writeInt("IdPDbProtLevState", 0, 0, 1, 3), 0);
        m_command.handler = [this](int code, COlCommandData* data) {
            if (code != OlCmdHwConfig || !data || !data->buffer)
                return false;
            char* record = static_cast<char*>(data->buffer);
            // The caller hands a zeroed area.
            for (int i = 0; i < KobraHwConfig::Size; ++i)
                if (record[i] != 0)
                    return false;
            KobraHwConfig::setText(record, KobraHwConfig::PartNumber, partNumber);
            KobraHwConfig::setText(record, KobraHwConfig::BobType, boardType);
            KobraHwConfig::setText(record, KobraHwConfig::BobRevision, revision);
            KobraHwConfig::setText(record, KobraHwConfig::BobPartNumber, boardPartNumber);
            return accept;
        };
    }
    void TearDown() override {
        OrvaneSettings::setValue(OrvaneSettings::CB, 0);
        VGXHostAnchor::instance().setOlManager(nullptr);
        resetDatabase();
    }

    // Checks for the interface (0, 1); message keeps "untouched" unless the check reports.
    int check(int boardId, int major, int minor) {
        m_cnct = CDbEngine::instance().makeContext("IdPDbLynxState", {0, 1, 0, 0}, CDbAllType::fromInt(1));
        std::strcpy(message, "untouched");
        return Kobra::chkKobraBreakoutBoard(*m_cnct, boardId, major, minor, message);
    }
    // Runs what the check queued and answers the variant the interface then has.
    int variantAfterCheck() {
        m_cnct->updData(true);
        return readInt("IdPDbKobraVariant", 0, 1);
    }

    std::string partNumber = "7730.1192K04";
    std::string boardType = "Single Ended/Differential/Customer";
    std::string revision = "1.3";
    std::string boardPartNumber = "77308421";
    bool accept = true;
    char message[Kobra::BreakoutMessageSize] = {};
    RecordingCommandIfc m_command;
    FakeOlManager m_manager{&m_command};
    std::unique_ptr<CDbCnct> m_cnct;
};

TEST_F(BreakoutBoardCheckTest, NotCheckedWithoutProtectionOrWithoutBox) {
    ASSERT_EQ(writeInt("IdPDbProtLevState", 0, 0, 0, 3), 0);
    EXPECT_EQ(check(1085, 9, 9), 0);
    ASSERT_EQ(writeInt("IdPDbProtLevState", 0, 0, 1, 3), 0);
    ASSERT_EQ(writeInt("IdPDbKobraSelected", 0, 1, 0), 0);
    EXPECT_EQ(check(1085, 9, 9), 0);
    EXPECT_TRUE(m_command.calls.isEmpty());
    EXPECT_STREQ(message, "untouched");
}

TEST_F(BreakoutBoardCheckTest, DetectionFailures) {
    VGXHostAnchor::instance().setOlManager(nullptr);
    EXPECT_EQ(check(-1, 0, 0), 1);
    EXPECT_STREQ(message, kDetectionError);

    VGXHostAnchor::instance().setOlManager(&m_manager);
    accept = false;
    EXPECT_EQ(check(-1, 0, 0), 1);
    EXPECT_STREQ(message, kDetectionError);
    ASSERT_EQ(m_command.calls.size(), 1);
    EXPECT_EQ(m_command.calls[0].in.index1, 100456);

    // A board the table does not know; the record was read, so the variant is still sent.
    accept = true;
    partNumber = "7730.1192.02";
    for (int board : {1100, 7}) {
        SCOPED_TRACE(board);
        EXPECT_EQ(check(board, 0, 0), 1);
        EXPECT_STREQ(message, kDetectionError);
        EXPECT_EQ(variantAfterCheck(), 0);
    }
}

TEST_F(BreakoutBoardCheckTest, PlainBoardFitsByTypeTextOrWhenTheStoreAcceptsAnyBoard) {
    EXPECT_EQ(check(-1, 0, 0), 0);
    EXPECT_STREQ(message, "untouched");
    boardType = "xx Single Ended/Differential/Customer rev B";
    EXPECT_EQ(check(-1, 0, 0), 0);

    boardType = "Breakout Board for CPRI";
    EXPECT_EQ(check(-1, 0, 0), 20005);
    EXPECT_STREQ(message, "Missing breakout board Single Ended/Differential/Customer.");

    OrvaneSettings::setValue(OrvaneSettings::CB, 1);
    EXPECT_EQ(check(-1, 0, 0), 0);
}

TEST_F(BreakoutBoardCheckTest, BoardWithPartNumberNeedsThePartAndTheRevision) {
    EXPECT_EQ(check(1085, 1, 0), 0);
    EXPECT_STREQ(message, "untouched");

    revision = "1";
    EXPECT_EQ(check(1085, 1, 0), 20005);
    EXPECT_STREQ(message, kDetectionError);

    revision = "0.9";
    EXPECT_EQ(check(1085, 1, 0), 20005);
    EXPECT_STREQ(message,
                 "Breakout board revision 1.0 is required. The current breakout board has the revision 0.9.");

    // Major and minor are compared each on its own.
    revision = "2.0";
    EXPECT_EQ(check(1085, 1, 5), 20005);
    EXPECT_STREQ(message,
                 "Breakout board revision 1.5 is required. The current breakout board has the revision 2.0.");

    // The right revision on another board.
    revision = "1.3";
    boardPartNumber = "77308413";
    EXPECT_EQ(check(1085, 1, 0), 20005);
    EXPECT_STREQ(message,
                 "Breakout board revision 1.0 is required. The current breakout board has the revision 1.3.");
    EXPECT_EQ(check(1081, 1, 0), 0);

    // The store's acceptance applies only to the plain board.
    OrvaneSettings::setValue(OrvaneSettings::CB, 1);
    EXPECT_EQ(check(1085, 1, 0), 20005);
}

TEST_F(BreakoutBoardCheckTest, RecordsTheHardwareVariant) {
    partNumber = "7730.1192.02";
    check(-1, 0, 0);
    EXPECT_EQ(variantAfterCheck(), 0);
    partNumber = "";
    check(-1, 0, 0);
    EXPECT_EQ(variantAfterCheck(), 1);
    partNumber = "7730.1192.02";
    boardType = "other";
    EXPECT_EQ(check(-1, 0, 0), 20005);
    EXPECT_EQ(variantAfterCheck(), 0);
    // Only the checked interface gets it.
    EXPECT_EQ(readInt("IdPDbKobraVariant", 0, 0), 1);
}

} // namespace
