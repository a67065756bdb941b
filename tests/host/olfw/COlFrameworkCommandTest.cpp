// The framework's numbered commands answered by the simulated boxes, read as the calling code reads
// them (record fields at their offsets, texts through the text word), and the commands it refuses.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/olfw/impl/COlFramework.h"
#include "sim/SimBoxes.h"

using namespace MvQARN;
using vgxsim::SimBox;
using vgxsim::SimBoxes;
namespace H = KobraHwConfig;

namespace {

constexpr int Full = 100123;
constexpr int Basic = 100456;
const std::string Refused = "<refused>";

// A command block with its leading words filled.
COlCommandData block(int index1, int index2 = 0, int arg3 = 0, void* buffer = nullptr) {
    COlCommandData d;
    d.index1 = index1;
    d.index2 = index2;
    d.arg3 = arg3;
    d.buffer = buffer;
    return d;
}

class OlFrameworkCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fw.setParameterWriter([](const CDbMsg&) { return 0; });
        ASSERT_TRUE(fw.execute(OlCmdStart, nullptr));
    }

    bool run(int code, COlCommandData& d) { return fw.execute(code, &d); }
    bool run(int code, COlCommandData&& d) { return fw.execute(code, &d); }
    static std::string text(const COlCommandData& d) {
        return d.text ? *static_cast<const std::string*>(d.text) : std::string("<null>");
    }
    // The result text of a command, or Refused.
    std::string readText(int code, int serial, int index2, int arg3 = 0) {
        COlCommandData d = block(serial, index2, arg3);
        return run(code, d) ? text(d) : Refused;
    }
    // The hardware configuration record of a box, or an empty text when refused.
    std::string hwField(int serial, int field) {
        char rec[H::Size] = {};
        return run(OlCmdHwConfig, block(serial, 0, 0, rec)) ? H::text(rec, field) : std::string("<refused>");
    }
    SimBoxes boxes;
    COlFramework fw{&boxes};
};

TEST_F(OlFrameworkCommands, HardwareRecordFieldsStayInTheirRoomAndInstrumentBlocksFollowTheLinks) {
    for (const auto& [serial, field, expected] : {std::tuple{Full, H::SerialNumber, "100123"},
                                                  {Full, H::BobSerialNumber, "200123"},
                                                  {Basic, H::SerialNumber, "100456"},
                                                  {Basic, H::BobPartNumber, ""}})
        EXPECT_EQ(hwField(serial, field), expected) << serial << " field at offset " << field;
    // A long text must not run into the next field.
    boxes.modifyBox(Full, [](SimBox& b) { b.partNumber = QString(300, 'X'); });
    EXPECT_EQ(hwField(Full, H::PartNumber), std::string(99, 'X'));
    EXPECT_EQ(hwField(Full, H::SerialNumber), "100123");

    SKobraInstrumentBlocks blocks;
    ASSERT_TRUE(run(OlCmdInstrumentInfo, block(Full, 0, 0, &blocks)));
    EXPECT_TRUE(blocks.text[0].startsWith("[infoblock]\r\n[device]\r\nname="))
        << blocks.text[0].toStdString();
    EXPECT_EQ(blocks.text[1], QByteArray("[infoblock]\r\n")) << "no instrument on link 1";
}

TEST_F(OlFrameworkCommands, EepromWritesPersistAcrossReconnectAndBoardAndBoxAreSeparate) {
    auto eeprom = [&](int serial, int mode, int value = 0) {
        return readText(OlCmdEeprom, serial, mode, value);
    };
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 555123), "555123");
    EXPECT_EQ(eeprom(Basic, OlEepromRead), "100456") << "each box has its own EEPROM";
    EXPECT_EQ(eeprom(Full, OlEepromCopyDeviceSerial), "100123");
    EXPECT_EQ(eeprom(Full, OlEepromBobWrite, 200999), "200999");
    EXPECT_EQ(eeprom(Full, OlEepromRead), "100123") << "board and box EEPROM are separate";
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 777), "777");
    ASSERT_TRUE(boxes.disconnect(Full));
    EXPECT_EQ(eeprom(Full, OlEepromRead), Refused);
    ASSERT_TRUE(boxes.connect(Full));
    EXPECT_EQ(eeprom(Full, OlEepromRead), "777");
    EXPECT_EQ(eeprom(Full, OlEepromBobRead), "200999");
    // The basic box's board has no EEPROM; unknown modes and a zero serial are refused.
    for (const auto& [serial, mode, value] :
         {std::tuple{Basic, int(OlEepromBobRead), 0}, {Full, 5, 0}, {Full, int(OlEepromWrite), 0}})
        EXPECT_EQ(eeprom(serial, mode, value), Refused) << serial << " mode " << mode;
    EXPECT_EQ(eeprom(Full, OlEepromRead), "777");
}

TEST_F(OlFrameworkCommands, RefusesUnknownCodesMissingBlocksBoxesThatAreNotThereAndWhileStopped) {
    for (int code : {0, 30, 36, 40, 43, 44, 48, 49, 53, 58, 59, 62, 99, -1})
        EXPECT_FALSE(run(code, block(Full))) << "code " << code;
    char rec[H::Size] = {};
    EXPECT_FALSE(run(OlCmdHwConfig, block(999999, 0, 0, rec)));
    EXPECT_EQ(rec[0], 0) << "a refused command leaves the area alone";
    for (int code : {int(OlCmdCpriTest), int(OlCmdEeprom), int(OlCmdDiagPoint), int(OlCmdLvdsResult),
                     int(OlCmdReadout), int(OlCmdDigRfFpga), int(OlCmdLvdsTest)}) {
        COlCommandData u = block(424242);
        EXPECT_FALSE(run(code, u)) << "code " << code;
        EXPECT_EQ(u.text, nullptr);
    }
    EXPECT_FALSE(fw.execute(OlCmdHwConfig, nullptr));
    EXPECT_FALSE(run(OlCmdHwConfig, block(Full)));
    ASSERT_TRUE(boxes.disconnect(Basic));
    EXPECT_FALSE(run(OlCmdHwConfig, block(Basic, 0, 0, rec))) << "a box that went is refused";

    COlCommandData d = block(Full, 0, 0, rec);
    EXPECT_TRUE(fw.execute(OlCmdStop, nullptr));
    EXPECT_FALSE(run(OlCmdHwConfig, d));
    EXPECT_TRUE(fw.execute(OlCmdStart, nullptr));
    EXPECT_TRUE(run(OlCmdHwConfig, d));
}

TEST_F(OlFrameworkCommands, ResultTextsBelongToTheCallingThread) {
    COlCommandData mine = block(Full, OlEepromRead);
    ASSERT_TRUE(run(OlCmdEeprom, mine));
    std::string otherText;
    std::thread other([&] { otherText = readText(OlCmdDiagPoint, Full, 16); });
    other.join();
    EXPECT_NE(otherText.find("degC"), std::string::npos);
    EXPECT_EQ(text(mine), "100123") << "another thread's command does not overwrite this thread's result";
}

} // namespace
