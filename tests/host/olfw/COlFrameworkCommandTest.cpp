// The framework's numbered commands answered by the simulated boxes, read the way the calling code
// reads them: record fields at their offsets, texts through the text word, the read-out table
// through the buffer word, the test verdict through arg3.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>
#include <string>
#include <thread>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/olfw/KobraLvdsResult.h"
#include "host/olfw/KobraReadoutTable.h"
#include "host/olfw/KobraSerialData.h"
#include "host/olfw/impl/COlFramework.h"
#include "sim/SimBoxes.h"

using namespace MvQARN;
using vgxsim::SimBox;
using vgxsim::SimBoxes;
namespace H = KobraHwConfig;

namespace {

constexpr int Full = 100123;
constexpr int Basic = 100456;
constexpr int DigRf = 100777;
const std::string Refused = "<refused>";

SimBox digRfBox() {
    SimBox b(DigRf);
    b.partNumber = "7730.1192K04";
    b.board.type = "KOBRA-B81";
    b.board.partNumber = SimBox::DigRfBoardPartNumber;
    b.board.revision = "2.0";
    b.board.serial = 300777;
    return b;
}

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
    SKobraLvdsResult lvds(int serial) {
        COlCommandData d = block(serial);
        EXPECT_TRUE(run(OlCmdLvdsResult, d));
        return d.text ? *static_cast<const SKobraLvdsResult*>(d.text) : SKobraLvdsResult{-1, -1, -1, -1, -1};
    }
    bool lvdsTest(int serial, int link, int start, int source) {
        COlCommandData d = block(serial, link, start);
        d.arg4 = source;
        return run(OlCmdLvdsTest, d);
    }
    std::string readout(int serial, int code) {
        COlCommandData d = block(serial, code);
        if (!run(OlCmdReadout, d) || !d.buffer)
            return Refused;
        const char* t = static_cast<const SKobraReadoutTable*>(d.buffer)->textOf(code);
        return t ? t : "<missing>";
    }

    SimBoxes boxes;
    COlFramework fw{&boxes};
};

TEST_F(OlFrameworkCommands, HardwareRecordHoldsIdentityVersionsAndBoardEachInItsRoom) {
    const std::tuple<int, int, const char*> fields[] = {
        {Full, H::PartNumber, "7730.1192K04"},
        {Full, H::SerialNumber, "100123"},
        {Full, H::BobType, "Breakout Board for CPRI"},
        {Full, H::BobRevision, "1.3"},
        {Full, H::BobPartNumber, "77308421"},
        {Full, H::BobSerialNumber, "200123"},
        {Basic, H::PartNumber, "7730.1192.02"},
        {Basic, H::SerialNumber, "100456"},
        {Basic, H::BobType, "Single Ended/Differential/Customer"},
        {Basic, H::BobPartNumber, ""},
        {Basic, H::BobRevision, ""}};
    for (const auto& [serial, field, expected] : fields)
        EXPECT_EQ(hwField(serial, field), expected) << serial << " field at offset " << field;
    for (int field :
         {H::FirmwareVersion, H::FpgaVersion, H::BoardPartNumber, H::BoardSerialNumber, H::BoardRevision,
          H::CpldVersion, H::PpcVersion, H::DigIoFpgaVersion, H::BobFpgaVersion, H::Controller})
        EXPECT_FALSE(hwField(Full, field).empty()) << "field at offset " << field;

    // A long text must not run into the next field.
    boxes.modifyBox(Full, [](SimBox& b) { b.partNumber = QString(300, 'X'); });
    EXPECT_EQ(hwField(Full, H::PartNumber), std::string(99, 'X'));
    EXPECT_EQ(hwField(Full, H::SerialNumber), "100123");
}

TEST_F(OlFrameworkCommands, InstrumentBlocksNameTheInstrumentOnLinkZeroOnly) {
    SKobraInstrumentBlocks blocks;
    ASSERT_TRUE(run(OlCmdInstrumentInfo, block(Full, 0, 0, &blocks)));
    EXPECT_EQ(blocks.text[0], QByteArray("[infoblock]\r\n[device]\r\nname=VGX Signal Analyzer\r\n"
                                         "serial number=104711\r\nport=Digital IQ In\r\n"));
    // No instrument: a block without a device name.
    EXPECT_EQ(blocks.text[1], QByteArray("[infoblock]\r\n"));
    SKobraInstrumentBlocks none;
    ASSERT_TRUE(run(OlCmdInstrumentInfo, block(Basic, 0, 0, &none)));
    EXPECT_FALSE(none.text[0].contains("name=") || none.text[1].contains("name="));
}

TEST_F(OlFrameworkCommands, ReadoutTableAnswersEveryCodeAndCountsWhileTheTriggerRuns) {
    EXPECT_EQ(readout(Full, KobraReadoutBer), "0");
    EXPECT_EQ(readout(Full, KobraReadoutTriggerStatus), "Idle");
    EXPECT_EQ(readout(Full, KobraReadoutTriggerState), "0");
    EXPECT_EQ(readout(Full, KobraReadoutExtRefFreq), "10000000");
    const double idle1 = std::stod(readout(Full, KobraReadoutIqWords));
    const double idle2 = std::stod(readout(Full, KobraReadoutIqWords));
    EXPECT_EQ(idle1, idle2) << "no words arrive while the trigger is idle";

    boxes.modifyBox(Full, [](SimBox& b) { b.triggerRunning = true; });
    EXPECT_EQ(readout(Full, KobraReadoutTriggerStatus), "Running");
    EXPECT_EQ(readout(Full, KobraReadoutTriggerState), "1");
    const double run1 = std::stod(readout(Full, KobraReadoutIqWords));
    const double run2 = std::stod(readout(Full, KobraReadoutIqWords));
    EXPECT_GT(run1, idle2);
    EXPECT_GT(run2, run1);

    // A code the box does not know is refused rather than answered with some other entry.
    EXPECT_EQ(readout(Full, 39), Refused);
    EXPECT_EQ(readout(Full, 45), Refused);
}

TEST_F(OlFrameworkCommands, EepromModesReadWriteCopyAndPersistAcrossReconnect) {
    auto eeprom = [&](int serial, int mode, int value = 0) {
        return readText(OlCmdEeprom, serial, mode, value);
    };
    EXPECT_EQ(eeprom(Full, OlEepromRead), "100123");
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 555123), "555123");
    EXPECT_EQ(eeprom(Full, OlEepromRead), "555123");
    EXPECT_EQ(eeprom(Basic, OlEepromRead), "100456") << "each box has its own EEPROM";
    EXPECT_EQ(eeprom(Full, OlEepromCopyDeviceSerial), "100123");
    EXPECT_EQ(eeprom(Full, OlEepromRead), "100123");

    EXPECT_EQ(eeprom(Full, OlEepromBobRead), "200123");
    EXPECT_EQ(eeprom(Full, OlEepromBobWrite, 200999), "200999");
    EXPECT_EQ(eeprom(Full, OlEepromBobRead), "200999");
    EXPECT_EQ(eeprom(Full, OlEepromRead), "100123") << "board and box EEPROM are separate";

    // Values written stay while the host runs, also over a disconnect.
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 777), "777");
    ASSERT_TRUE(boxes.disconnect(Full));
    EXPECT_EQ(eeprom(Full, OlEepromRead), Refused);
    ASSERT_TRUE(boxes.connect(Full));
    EXPECT_EQ(eeprom(Full, OlEepromRead), "777");
    EXPECT_EQ(eeprom(Full, OlEepromBobRead), "200999");

    // The basic box's board has no EEPROM; unknown modes and a zero serial are refused.
    EXPECT_EQ(eeprom(Basic, OlEepromBobRead), Refused);
    EXPECT_EQ(eeprom(Basic, OlEepromBobWrite, 5), Refused);
    EXPECT_EQ(eeprom(Full, 5), Refused);
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 0), Refused);
    EXPECT_EQ(eeprom(Full, OlEepromRead), "777");
}

TEST_F(OlFrameworkCommands, DiagnosticPointsGivePlausibleValueTexts) {
    const QRegularExpression volts("^-?\\d+\\.\\d{3} V$"), degrees("^\\d+\\.\\d degC$");
    for (int p = 0; p < SimBox::DiagPoints; ++p) {
        const QString t = QString::fromStdString(readText(OlCmdDiagPoint, Full, p));
        EXPECT_TRUE((p == 16 ? degrees : volts).match(t).hasMatch())
            << "point " << p << ": " << t.toStdString();
    }
    // 2,5V, 24,0V, ground, VIN and the temperature, near their nominal values but live readings.
    for (const auto& [point, nominal, tolerance] :
         {std::tuple{1, 2.5, 0.02}, {6, 24.0, 0.1}, {7, 0.0, 0.005}, {8, 12.0, 0.05}, {16, 41.5, 1.0}}) {
        std::set<std::string> readings;
        for (int i = 0; i < 20; ++i)
            readings.insert(readText(OlCmdDiagPoint, Full, point));
        for (const std::string& r : readings)
            EXPECT_NEAR(std::stod(r), nominal, tolerance) << point;
        EXPECT_GT(readings.size(), 1u) << "a live reading is not a constant: " << point;
    }
    EXPECT_EQ(readText(OlCmdDiagPoint, Full, SimBox::DiagPoints), Refused);
    EXPECT_EQ(readText(OlCmdDiagPoint, Full, -1), Refused);
}

TEST_F(OlFrameworkCommands, DigRfPointsAndFpgaNeedTheDigRfBoard) {
    EXPECT_EQ(readText(OlCmdDiagPointDigRf, Full, 0), Refused);
    EXPECT_FALSE(run(OlCmdDigRfFpga, block(Full, 0, 1)));
    EXPECT_TRUE(run(OlCmdDigRfFpga, block(Full))) << "switching off always works";

    boxes.setBoxes({digRfBox()}, {DigRf});
    EXPECT_NEAR(std::stod(readText(OlCmdDiagPointDigRf, DigRf, 0)), -5.0, 0.05);
    EXPECT_NE(readText(OlCmdDiagPointDigRf, DigRf, 31), Refused);
    EXPECT_EQ(readText(OlCmdDiagPointDigRf, DigRf, 32), Refused);
    EXPECT_TRUE(run(OlCmdDigRfFpga, block(DigRf, 0, 1)));
    EXPECT_TRUE(boxes.box(DigRf)->ledTest);
    EXPECT_TRUE(run(OlCmdDigRfFpga, block(DigRf)));
    EXPECT_FALSE(boxes.box(DigRf)->ledTest);
}

TEST_F(OlFrameworkCommands, LvdsCountersGrowWhileATestRunsAndStopWithIt) {
    SKobraLvdsResult r = lvds(Full);
    EXPECT_EQ(r.noData, 1) << "nothing arrives before a test starts";
    EXPECT_EQ(r.received, 0.0);

    ASSERT_TRUE(lvdsTest(Full, 0, 1, 0)); // PRBS on link 0
    const SKobraLvdsResult a = lvds(Full);
    const SKobraLvdsResult b = lvds(Full);
    EXPECT_GT(a.received, 0.0);
    EXPECT_GT(b.received, a.received);
    EXPECT_EQ(std::tuple(b.errors, b.pll, b.dcm, b.noData), std::tuple(0.0, 1, 1, 0));

    ASSERT_TRUE(lvdsTest(Full, 0, 0, 0));
    EXPECT_EQ(lvds(Full).received, b.received);
    const SKobraLvdsResult stopped = lvds(Full);
    EXPECT_EQ(stopped.received, b.received);
    EXPECT_EQ(stopped.noData, 1);

    ASSERT_TRUE(lvdsTest(Full, 0, 1, 1)); // again, with the counter pattern
    const SKobraLvdsResult again = lvds(Full);
    EXPECT_GT(again.received, 0.0);
    EXPECT_LT(again.received, b.received) << "a new start counts from zero";
    EXPECT_EQ(again.errors, 0.0);
    EXPECT_FALSE(lvdsTest(Full, 4, 1, 0));
    EXPECT_FALSE(lvdsTest(Full, -1, 1, 0));
    EXPECT_FALSE(lvdsTest(Full, 0, 1, 2));

    // Errors follow the box's error rate.
    boxes.modifyBox(Basic, [](SimBox& box) { box.lvdsErrorRate = 1e-3; });
    ASSERT_TRUE(lvdsTest(Basic, 1, 1, 0));
    const SKobraLvdsResult e = lvds(Basic);
    EXPECT_GT(e.errors, 0.0);
    EXPECT_NEAR(e.errors / e.received, 1e-3, 1e-5);
}

TEST_F(OlFrameworkCommands, ServiceTestsReportTheVerdictThroughArg3AndTheLog) {
    auto test = [&](int code, int serial, int entryFlag, int interactive, std::string& log) {
        COlCommandData d = block(serial, interactive, entryFlag);
        EXPECT_TRUE(run(code, d));
        log = text(d);
        return d.arg3;
    };
    std::string log;
    EXPECT_EQ(test(OlCmdCpriTest, Full, 1, 0, log), 0) << log;
    EXPECT_NE(log.find("OK"), std::string::npos);
    EXPECT_EQ(log.find("FAILED"), std::string::npos);

    EXPECT_NE(test(OlCmdCpriTest, Basic, 1, 0, log), 0) << "no CPRI board";
    EXPECT_NE(log.find("FAILED"), std::string::npos) << log;
    EXPECT_NE(test(OlCmdCpriTest, Basic, 0, 0, log), 0)
        << "a failure is flagged even when the flag entered 0";

    for (int code : {int(OlCmdDigRfTest1), int(OlCmdDigRfTest2)}) {
        EXPECT_NE(test(code, Full, 1, 0, log), 0) << "code " << code;
        EXPECT_NE(log.find("FAILED"), std::string::npos);
    }
    boxes.setBoxes({digRfBox()}, {DigRf});
    std::string first, second, detailed;
    EXPECT_EQ(test(OlCmdDigRfTest1, DigRf, 1, 0, first), 0) << first;
    EXPECT_EQ(test(OlCmdDigRfTest2, DigRf, 1, 0, second), 0) << second;
    EXPECT_EQ(first.find("FAILED"), std::string::npos);
    EXPECT_NE(first, second) << "the two DigRF tests are different tests";
    // Interactive runs (index2 = 1) log every step in detail.
    test(OlCmdDigRfTest1, DigRf, 1, 1, detailed);
    EXPECT_GT(detailed.size(), first.size());
    EXPECT_EQ(detailed.rfind(first.substr(0, first.find('\n')), 0), 0u);
}

TEST_F(OlFrameworkCommands, SerialDataCommandsReachTheAddressedInterface) {
    // SSI data reads what the interface holds.
    auto ssi = [&](int path, int side) {
        SKobraSerialData area{{1u, 1u}};
        EXPECT_TRUE(run(OlCmdSsiRead, block(path, side, 0, &area)));
        return std::pair(area.words[0], area.words[1]);
    };
    EXPECT_EQ(ssi(0, 0), std::pair(0xA5A5A5A5u, 0u));
    ASSERT_TRUE(boxes.setSsiData(1, 1, SKobraSerialData{{0x12345678u, 0x9A000000u}}));
    EXPECT_EQ(ssi(1, 1), std::pair(0x12345678u, 0x9A000000u));
    EXPECT_EQ(ssi(0, 1).first, 0xA5A5A5A5u) << "interfaces hold their own data";

    // SPI reads back what was written.
    SKobraSerialData out{{0xDEADBEEFu, 0xAB000000u}}, in{};
    ASSERT_TRUE(run(OlCmdSpiWrite, block(0, 1, 0, &out)));
    ASSERT_TRUE(run(OlCmdSpiRead, block(0, 1, 0, &in)));
    EXPECT_EQ(std::pair(in.words[0], in.words[1]), std::pair(0xDEADBEEFu, 0xAB000000u));
    ASSERT_TRUE(run(OlCmdSpiRead, block(0, 0, 0, &in)));
    EXPECT_EQ(in.words[0], 0u) << "another interface's SPI data is untouched";

    // The SPI file goes to the addressed interface.
    ASSERT_TRUE(run(OlCmdSpiFileSend, block(1, 0)));
    ASSERT_TRUE(run(OlCmdSpiFileSend, block(1, 0)));
    EXPECT_EQ(boxes.spiFileSends(1, 0), 2);
    EXPECT_EQ(boxes.spiFileSends(0, 0), 0);
    EXPECT_FALSE(run(OlCmdSpiFileSend, block(1, -1)));

    for (int code : {OlCmdSsiRead, OlCmdSpiWrite, OlCmdSpiRead}) {
        EXPECT_FALSE(run(code, block(2, 0, 0, &in))) << "no such interface: " << code;
        EXPECT_FALSE(run(code, block(0))) << "no buffer: " << code;
    }
}

TEST_F(OlFrameworkCommands, RefusesUnknownCodesMissingBlocksAndBoxesThatAreNotThere) {
    for (int code : {0, 30, 36, 40, 43, 44, 48, 49, 53, 58, 59, 62, 99, -1})
        EXPECT_FALSE(run(code, block(Full))) << "code " << code;

    char rec[H::Size] = {};
    EXPECT_FALSE(run(OlCmdHwConfig, block(999999, 0, 0, rec)));
    EXPECT_EQ(rec[0], 0) << "a refused command leaves the area alone";
    EXPECT_FALSE(run(OlCmdHwConfig, block(0, 0, 0, rec)));
    for (int code : {int(OlCmdCpriTest), int(OlCmdEeprom), int(OlCmdDiagPoint), int(OlCmdLvdsResult),
                     int(OlCmdReadout), int(OlCmdDigRfFpga), int(OlCmdLvdsTest)}) {
        COlCommandData u = block(424242);
        EXPECT_FALSE(run(code, u)) << "code " << code;
        EXPECT_EQ(u.text, nullptr);
    }
    EXPECT_FALSE(fw.execute(OlCmdHwConfig, nullptr));
    EXPECT_FALSE(run(OlCmdHwConfig, block(Full)));
    EXPECT_FALSE(run(OlCmdInstrumentInfo, block(Full)));

    // A box that went is refused like one that never was.
    ASSERT_TRUE(boxes.disconnect(Basic));
    EXPECT_FALSE(run(OlCmdHwConfig, block(Basic, 0, 0, rec)));
}

TEST_F(OlFrameworkCommands, BoxCommandsRunOnlyBetweenStartAndStop) {
    char rec[H::Size] = {};
    COlCommandData d = block(Full, 0, 0, rec);
    EXPECT_TRUE(fw.execute(OlCmdStop, nullptr));
    EXPECT_FALSE(fw.isStarted());
    EXPECT_FALSE(run(OlCmdHwConfig, d));
    EXPECT_TRUE(fw.execute(OlCmdStart, nullptr));
    EXPECT_TRUE(run(OlCmdHwConfig, d));

    COlFramework noDriver;
    noDriver.setParameterWriter([](const CDbMsg&) { return 0; });
    noDriver.start();
    EXPECT_FALSE(noDriver.execute(OlCmdHwConfig, &d));
    EXPECT_EQ(noDriver.commandInterface(), &noDriver);
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
