// The breakout board check before a box is switched on: which board the box reports, its revision,
// the detection failures, and the hardware variant recorded on the way.
#include <QStringList>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "FrameTestRecords.h"
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
            KobraHwConfig::setText(record, KobraHwConfig::PartNumber, box.partNumber);
            KobraHwConfig::setText(record, KobraHwConfig::BobType, box.boardType);
            KobraHwConfig::setText(record, KobraHwConfig::BobRevision, box.revision);
            KobraHwConfig::setText(record, KobraHwConfig::BobPartNumber, box.boardPartNumber);
            return box.accept;
        };
    }
    void TearDown() override {
        OrvaneSettings::setValue(OrvaneSettings::CB, 0);
        VGXHostAnchor::instance().setOlManager(nullptr);
        CDbEngine::instance().reset();
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

public:
    struct Reported { // what the box reports
        std::string partNumber = "7730.1192K04", boardType = "Single Ended/Differential/Customer",
                    revision = "1.3", boardPartNumber = "77308421";
        bool accept = true;
    } box;

protected:
    char message[Kobra::BreakoutMessageSize] = {};
    RecordingCommandIfc m_command;
    FakeOlManager m_manager{&m_command};
    std::unique_ptr<CDbCnct> m_cnct;
};

// Each case starts from interface (0, 1) with box 100456 selected, protection on, a box that answers
// with a plain board (part 77308421, revision 1.3) and a store that does not accept any board.
TEST_F(BreakoutBoardCheckTest, BoardsTheBoxReportsAgainstTheBoardRequired) {
    const char* missing = "Missing breakout board Single Ended/Differential/Customer.";
    const char* rev10 =
        "Breakout board revision 1.0 is required. The current breakout board has the revision ";
    const struct {
        const char* what;
        std::function<void(BreakoutBoardCheckTest&)> given;
        int board, major, minor;
        int rc;
        std::string message; // "untouched": the check wrote none
        int variant;         // the interface's variant afterwards, -1: not looked at
        bool asks = true;    // the box for its hardware record
    } cases[] = {
        // clang-format off
        {"protection off", [](auto&) { writeInt("IdPDbProtLevState", 0, 0, 0, 3); },
         1085, 9, 9, 0, "untouched", -1, false},
        {"no box", [](auto&) { writeInt("IdPDbKobraSelected", 0, 1, 0); },
         1085, 9, 9, 0, "untouched", -1, false},
        {"refused", [](auto& t) { t.box.accept = false; }, -1, 0, 0, 1, kDetectionError, -1},
        {"unknown board", [](auto& t) { t.box.partNumber = "7730.1192.02"; },
         1100, 0, 0, 1, kDetectionError, 0},
        {"plain board", [](auto&) {}, -1, 0, 0, 0, "untouched", 1},
        {"plain board by its text",
         [](auto& t) { t.box.boardType = "xx Single Ended/Differential/Customer rev B"; },
         -1, 0, 0, 0, "untouched", -1},
        {"another board",
         [](auto& t) { t.box.boardType = "Breakout Board for CPRI"; t.box.partNumber = "7730.1192.02"; },
         -1, 0, 0, 20005, missing, 0},
        {"another board, any accepted",
         [](auto& t) {
             t.box.boardType = "Breakout Board for CPRI";
             OrvaneSettings::setValue(OrvaneSettings::CB, 1);
         },
         -1, 0, 0, 0, "untouched", -1},
        {"revision too low", [](auto& t) { t.box.revision = "0.9"; },
         1085, 1, 0, 20005, std::string(rev10) + "0.9.", -1},
        {"minor compared on its own", [](auto& t) { t.box.revision = "2.0"; }, 1085, 1, 5, 20005,
         "Breakout board revision 1.5 is required. The current breakout board has the revision 2.0.", -1},
        {"another part", [](auto& t) { t.box.boardPartNumber = "77308413"; }, 1085, 1, 0, 20005,
         std::string(rev10) + "1.3.", -1},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        box = {};
        m_command.calls.clear();
        c.given(*this);
        EXPECT_EQ(check(c.board, c.major, c.minor), c.rc);
        EXPECT_EQ(std::string(message), c.message);
        EXPECT_EQ(m_command.calls.size(), c.asks ? 1 : 0);
        if (c.variant >= 0) {
            EXPECT_EQ(variantAfterCheck(), c.variant);
            EXPECT_EQ(readInt("IdPDbKobraVariant", 0, 0), 1) << "only the checked interface gets it";
        }
    }
    ASSERT_FALSE(m_command.calls.isEmpty());
    EXPECT_EQ(m_command.calls[0].in.index1, 100456) << "the box asked is the one selected";
}

} // namespace
