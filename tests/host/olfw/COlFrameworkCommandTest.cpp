// The framework's numbered commands answered by the simulated boxes, read the way the calling code
// reads them: record fields at their offsets, texts through the text word, the read-out table
// through the buffer word, the test verdict through arg3.
#include <gtest/gtest.h>

#include <QRegularExpression>
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

namespace {

constexpr int Full = 100123;
constexpr int Basic = 100456;
constexpr int DigRf = 100777;

SimBox digRfBox() {
    SimBox b(DigRf);
    b.partNumber = "7730.1192K04";
    b.board.type = "KOBRA-B81";
    b.board.partNumber = SimBox::DigRfBoardPartNumber;
    b.board.revision = "2.0";
    b.board.serial = 300777;
    return b;
}

class OlFrameworkCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fw.setParameterWriter([](const CDbMsg&) { return 0; });
        ASSERT_TRUE(fw.execute(OlCmdStart, nullptr));
    }

    // Runs a command on a fresh block.
    bool run(int code, COlCommandData& d) { return fw.execute(code, &d); }
    std::string text(const COlCommandData& d) const {
        return d.text ? *static_cast<const std::string*>(d.text) : std::string("<null>");
    }
    std::string readText(int code, int serial, int index2) {
        COlCommandData d;
        d.index1 = serial;
        d.index2 = index2;
        if (!run(code, d))
            return "<refused>";
        return text(d);
    }
    SKobraLvdsResult lvds(int serial) {
        COlCommandData d;
        d.index1 = serial;
        EXPECT_TRUE(run(OlCmdLvdsResult, d));
        return d.text ? *static_cast<const SKobraLvdsResult*>(d.text) : SKobraLvdsResult{-1, -1, -1, -1, -1};
    }
    bool lvdsTest(int serial, int link, int start, int source) {
        COlCommandData d;
        d.index1 = serial;
        d.index2 = link;
        d.arg3 = start;
        d.arg4 = source;
        return run(OlCmdLvdsTest, d);
    }
    std::string readout(int serial, int code) {
        COlCommandData d;
        d.index1 = serial;
        d.index2 = code;
        if (!run(OlCmdReadout, d) || !d.buffer)
            return "<refused>";
        const char* t = static_cast<const SKobraReadoutTable*>(d.buffer)->textOf(code);
        return t ? t : "<missing>";
    }

    SimBoxes boxes;
    COlFramework fw{&boxes};
};

TEST(OlCommandData, StartsZeroedAndCopiesEveryWord) {
    COlCommandData d;
    EXPECT_EQ(d.index1, 0);
    EXPECT_EQ(d.index2, 0);
    EXPECT_EQ(d.arg3, 0);
    EXPECT_EQ(d.arg4, 0);
    EXPECT_EQ(d.arg5, 0);
    EXPECT_EQ(d.buffer, nullptr);
    EXPECT_EQ(d.value, 0);
    EXPECT_EQ(d.text, nullptr);
    int x = 0;
    d.index1 = 1;
    d.index2 = 2;
    d.arg3 = 3;
    d.arg4 = 4;
    d.arg5 = 5;
    d.buffer = &x;
    d.value = 7;
    d.text = &x;
    COlCommandData* heap = new COlCommandData(d);
    EXPECT_EQ(heap->arg5, 5);
    EXPECT_EQ(heap->value, 7);
    EXPECT_EQ(heap->text, &x);
    delete heap; // through the virtual destructor, as callers do
}

TEST_F(OlFrameworkCommands, HardwareRecordHoldsIdentityVersionsAndBoard) {
    char rec[KobraHwConfig::Size] = {};
    COlCommandData d;
    d.index1 = Full;
    d.buffer = rec;
    ASSERT_TRUE(run(OlCmdHwConfig, d));
    namespace H = KobraHwConfig;
    EXPECT_EQ(H::text(rec, H::PartNumber), "7730.1192K04");
    EXPECT_EQ(H::text(rec, H::SerialNumber), "100123");
    EXPECT_EQ(H::text(rec, H::BobType), "Breakout Board for CPRI");
    EXPECT_EQ(H::text(rec, H::BobRevision), "1.3");
    EXPECT_EQ(H::text(rec, H::BobPartNumber), "77308421");
    EXPECT_EQ(H::text(rec, H::BobSerialNumber), "200123");
    for (int field :
         {H::FirmwareVersion, H::FpgaVersion, H::BoardPartNumber, H::BoardSerialNumber, H::BoardRevision,
          H::CpldVersion, H::PpcVersion, H::DigIoFpgaVersion, H::BobFpgaVersion, H::Controller})
        EXPECT_FALSE(H::text(rec, field).empty()) << "field at offset " << field;

    char basic[KobraHwConfig::Size] = {};
    d.index1 = Basic;
    d.buffer = basic;
    ASSERT_TRUE(run(OlCmdHwConfig, d));
    EXPECT_EQ(H::text(basic, H::PartNumber), "7730.1192.02");
    EXPECT_EQ(H::text(basic, H::SerialNumber), "100456");
    EXPECT_EQ(H::text(basic, H::BobType), "Single Ended/Differential/Customer");
    EXPECT_EQ(H::text(basic, H::BobPartNumber), "");
    EXPECT_EQ(H::text(basic, H::BobRevision), "");
}

TEST_F(OlFrameworkCommands, HardwareRecordFieldsStayInsideTheirRoom) {
    // A long text must not run into the next field.
    boxes.modifyBox(Full, [](SimBox& b) { b.partNumber = QString(300, 'X'); });
    char rec[KobraHwConfig::Size] = {};
    COlCommandData d;
    d.index1 = Full;
    d.buffer = rec;
    ASSERT_TRUE(run(OlCmdHwConfig, d));
    EXPECT_EQ(KobraHwConfig::text(rec, KobraHwConfig::PartNumber), std::string(99, 'X'));
    EXPECT_EQ(KobraHwConfig::text(rec, KobraHwConfig::SerialNumber), "100123");
}

TEST_F(OlFrameworkCommands, InstrumentBlocksNameTheInstrumentOnLinkZeroOnly) {
    SKobraInstrumentBlocks blocks;
    COlCommandData d;
    d.index1 = Full;
    d.buffer = &blocks;
    ASSERT_TRUE(run(OlCmdInstrumentInfo, d));
    EXPECT_EQ(blocks.text[0], QByteArray("[infoblock]\r\n[device]\r\nname=VGX Signal Analyzer\r\n"
                                         "serial number=104711\r\nport=Digital IQ In\r\n"));
    // No instrument: a block without a device name.
    EXPECT_EQ(blocks.text[1], QByteArray("[infoblock]\r\n"));

    SKobraInstrumentBlocks none;
    d.index1 = Basic;
    d.buffer = &none;
    ASSERT_TRUE(run(OlCmdInstrumentInfo, d));
    EXPECT_FALSE(none.text[0].contains("name="));
    EXPECT_FALSE(none.text[1].contains("name="));
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
    EXPECT_EQ(readout(Full, 39), "<refused>");
    EXPECT_EQ(readout(Full, 45), "<refused>");
}

TEST_F(OlFrameworkCommands, EepromModesReadWriteCopyAndPersistAcrossReconnect) {
    auto eeprom = [&](int serial, int mode, int value) {
        COlCommandData d;
        d.index1 = serial;
        d.index2 = mode;
        d.arg3 = value;
        return run(OlCmdEeprom, d) ? text(d) : std::string("<refused>");
    };
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "100123");
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 555123), "555123");
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "555123");
    EXPECT_EQ(eeprom(Basic, OlEepromRead, 0), "100456") << "each box has its own EEPROM";
    EXPECT_EQ(eeprom(Full, OlEepromCopyDeviceSerial, 0), "100123");
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "100123");

    EXPECT_EQ(eeprom(Full, OlEepromBobRead, 0), "200123");
    EXPECT_EQ(eeprom(Full, OlEepromBobWrite, 200999), "200999");
    EXPECT_EQ(eeprom(Full, OlEepromBobRead, 0), "200999");
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "100123") << "board and box EEPROM are separate";

    // Values written stay while the host runs, also over a disconnect.
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 777), "777");
    ASSERT_TRUE(boxes.disconnect(Full));
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "<refused>");
    ASSERT_TRUE(boxes.connect(Full));
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "777");
    EXPECT_EQ(eeprom(Full, OlEepromBobRead, 0), "200999");

    // The basic box's board has no EEPROM; unknown modes and a zero serial are refused.
    EXPECT_EQ(eeprom(Basic, OlEepromBobRead, 0), "<refused>");
    EXPECT_EQ(eeprom(Basic, OlEepromBobWrite, 5), "<refused>");
    EXPECT_EQ(eeprom(Full, 5, 0), "<refused>");
    EXPECT_EQ(eeprom(Full, OlEepromWrite, 0), "<refused>");
    EXPECT_EQ(eeprom(Full, OlEepromRead, 0), "777");
}

TEST_F(OlFrameworkCommands, DiagnosticPointsGivePlausibleValueTexts) {
    const QRegularExpression volts(QStringLiteral("^-?\\d+\\.\\d{3} V$"));
    const QRegularExpression degrees(QStringLiteral("^\\d+\\.\\d degC$"));
    for (int p = 0; p < SimBox::DiagPoints; ++p) {
        const QString t = QString::fromStdString(readText(OlCmdDiagPoint, Full, p));
        EXPECT_TRUE((p == 16 ? degrees : volts).match(t).hasMatch())
            << "point " << p << ": " << t.toStdString();
    }
    const double v25 = std::stod(readText(OlCmdDiagPoint, Full, 1)); // "2,5V"
    EXPECT_NEAR(v25, 2.5, 0.02);
    const double v24 = std::stod(readText(OlCmdDiagPoint, Full, 6)); // "24,0V"
    EXPECT_NEAR(v24, 24.0, 0.1);
    const double gnd = std::stod(readText(OlCmdDiagPoint, Full, 7));
    EXPECT_NEAR(gnd, 0.0, 0.005);
    const double temp = std::stod(readText(OlCmdDiagPoint, Full, 16));
    EXPECT_NEAR(temp, 41.5, 1.0);
    EXPECT_EQ(readText(OlCmdDiagPoint, Full, SimBox::DiagPoints), "<refused>");
    EXPECT_EQ(readText(OlCmdDiagPoint, Full, -1), "<refused>");
}

TEST_F(OlFrameworkCommands, DigRfPointsAndFpgaNeedTheDigRfBoard) {
    EXPECT_EQ(readText(OlCmdDiagPointDigRf, Full, 0), "<refused>");
    COlCommandData on;
    on.index1 = Full;
    on.arg3 = 1;
    EXPECT_FALSE(run(OlCmdDigRfFpga, on));
    COlCommandData off;
    off.index1 = Full;
    EXPECT_TRUE(run(OlCmdDigRfFpga, off)) << "switching off always works";

    boxes.setBoxes({digRfBox()}, {DigRf});
    const double minus5 = std::stod(readText(OlCmdDiagPointDigRf, DigRf, 0));
    EXPECT_NEAR(minus5, -5.0, 0.05);
    EXPECT_NE(readText(OlCmdDiagPointDigRf, DigRf, 31), "<refused>");
    EXPECT_EQ(readText(OlCmdDiagPointDigRf, DigRf, 32), "<refused>");
    on.index1 = DigRf;
    EXPECT_TRUE(run(OlCmdDigRfFpga, on));
    EXPECT_TRUE(boxes.box(DigRf)->ledTest);
    off.index1 = DigRf;
    EXPECT_TRUE(run(OlCmdDigRfFpga, off));
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
    EXPECT_EQ(b.errors, 0.0);
    EXPECT_EQ(b.pll, 1);
    EXPECT_EQ(b.dcm, 1);
    EXPECT_EQ(b.noData, 0);

    ASSERT_TRUE(lvdsTest(Full, 0, 0, 0));
    const SKobraLvdsResult stopped1 = lvds(Full);
    const SKobraLvdsResult stopped2 = lvds(Full);
    EXPECT_EQ(stopped1.received, b.received);
    EXPECT_EQ(stopped2.received, b.received);
    EXPECT_EQ(stopped2.noData, 1);

    ASSERT_TRUE(lvdsTest(Full, 0, 1, 1)); // again, with the counter pattern
    const SKobraLvdsResult again = lvds(Full);
    EXPECT_GT(again.received, 0.0);
    EXPECT_LT(again.received, b.received) << "a new start counts from zero";
    EXPECT_EQ(again.errors, 0.0);
    EXPECT_FALSE(lvdsTest(Full, 4, 1, 0));
    EXPECT_FALSE(lvdsTest(Full, -1, 1, 0));
    EXPECT_FALSE(lvdsTest(Full, 0, 1, 2));
}

TEST_F(OlFrameworkCommands, LvdsErrorsFollowTheBoxErrorRate) {
    boxes.modifyBox(Basic, [](SimBox& box) { box.lvdsErrorRate = 1e-3; });
    ASSERT_TRUE(lvdsTest(Basic, 1, 1, 0));
    const SKobraLvdsResult r = lvds(Basic);
    EXPECT_GT(r.errors, 0.0);
    EXPECT_NEAR(r.errors / r.received, 1e-3, 1e-5);
}

TEST_F(OlFrameworkCommands, ServiceTestsReportTheVerdictThroughArg3AndTheLog) {
    auto test = [&](int code, int serial, int entryFlag, int interactive, std::string& log) {
        COlCommandData d;
        d.index1 = serial;
        d.index2 = interactive;
        d.arg3 = entryFlag;
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
    std::string first;
    std::string second;
    EXPECT_EQ(test(OlCmdDigRfTest1, DigRf, 1, 0, first), 0) << first;
    EXPECT_EQ(test(OlCmdDigRfTest2, DigRf, 1, 0, second), 0) << second;
    EXPECT_EQ(first.find("FAILED"), std::string::npos);
    EXPECT_NE(first, second) << "the two DigRF tests are different tests";

    // Interactive runs (index2 = 1) log every step in detail.
    std::string detailed;
    test(OlCmdDigRfTest1, DigRf, 1, 1, detailed);
    EXPECT_GT(detailed.size(), first.size());
    EXPECT_EQ(detailed.rfind(first.substr(0, first.find('\n')), 0), 0u);
}

TEST_F(OlFrameworkCommands, SsiDataReadsWhatTheInterfaceHoldsAndSpiReadsBackWhatWasWritten) {
    auto ssi = [&](int path, int side) {
        SKobraSerialData area{{1u, 1u}};
        COlCommandData d;
        d.index1 = path;
        d.index2 = side;
        d.buffer = &area;
        EXPECT_TRUE(run(OlCmdSsiRead, d));
        return area;
    };
    SKobraSerialData def = ssi(0, 0);
    EXPECT_EQ(def.words[0], 0xA5A5A5A5u);
    EXPECT_EQ(def.words[1], 0u);
    ASSERT_TRUE(boxes.setSsiData(1, 1, SKobraSerialData{{0x12345678u, 0x9A000000u}}));
    EXPECT_EQ(ssi(1, 1).words[0], 0x12345678u);
    EXPECT_EQ(ssi(1, 1).words[1], 0x9A000000u);
    EXPECT_EQ(ssi(0, 1).words[0], 0xA5A5A5A5u) << "interfaces hold their own data";

    SKobraSerialData out{{0xDEADBEEFu, 0xAB000000u}};
    COlCommandData w;
    w.index1 = 0;
    w.index2 = 1;
    w.buffer = &out;
    ASSERT_TRUE(run(OlCmdSpiWrite, w));
    SKobraSerialData in{};
    COlCommandData r;
    r.index1 = 0;
    r.index2 = 1;
    r.buffer = &in;
    ASSERT_TRUE(run(OlCmdSpiRead, r));
    EXPECT_EQ(in.words[0], 0xDEADBEEFu);
    EXPECT_EQ(in.words[1], 0xAB000000u);
    r.index2 = 0;
    ASSERT_TRUE(run(OlCmdSpiRead, r));
    EXPECT_EQ(in.words[0], 0u) << "another interface's SPI data is untouched";

    COlCommandData bad;
    bad.index1 = 2;
    bad.buffer = &in;
    EXPECT_FALSE(run(OlCmdSsiRead, bad));
    EXPECT_FALSE(run(OlCmdSpiWrite, bad));
    COlCommandData noBuffer;
    EXPECT_FALSE(run(OlCmdSsiRead, noBuffer));
    EXPECT_FALSE(run(OlCmdSpiRead, noBuffer));
    EXPECT_FALSE(run(OlCmdSpiWrite, noBuffer));
}

TEST_F(OlFrameworkCommands, SpiFileSendGoesToTheAddressedInterface) {
    COlCommandData d;
    d.index1 = 1;
    d.index2 = 0;
    ASSERT_TRUE(run(OlCmdSpiFileSend, d));
    ASSERT_TRUE(run(OlCmdSpiFileSend, d));
    EXPECT_EQ(boxes.spiFileSends(1, 0), 2);
    EXPECT_EQ(boxes.spiFileSends(0, 0), 0);
    d.index2 = -1;
    EXPECT_FALSE(run(OlCmdSpiFileSend, d));
}

TEST_F(OlFrameworkCommands, RefusesUnknownCodesMissingBlocksAndBoxesThatAreNotThere) {
    COlCommandData d;
    d.index1 = Full;
    for (int code : {0, 30, 36, 40, 43, 44, 48, 49, 53, 58, 59, 62, 99, -1})
        EXPECT_FALSE(run(code, d)) << "code " << code;

    char rec[KobraHwConfig::Size] = {};
    COlCommandData unknown;
    unknown.index1 = 999999;
    unknown.buffer = rec;
    EXPECT_FALSE(run(OlCmdHwConfig, unknown));
    EXPECT_EQ(rec[0], 0) << "a refused command leaves the area alone";
    unknown.index1 = 0;
    EXPECT_FALSE(run(OlCmdHwConfig, unknown));
    for (int code : {int(OlCmdCpriTest), int(OlCmdEeprom), int(OlCmdDiagPoint), int(OlCmdLvdsResult),
                     int(OlCmdReadout), int(OlCmdDigRfFpga), int(OlCmdLvdsTest)}) {
        COlCommandData u;
        u.index1 = 424242;
        EXPECT_FALSE(run(code, u)) << "code " << code;
        EXPECT_EQ(u.text, nullptr);
    }
    EXPECT_FALSE(fw.execute(OlCmdHwConfig, nullptr));
    COlCommandData noBuffer;
    noBuffer.index1 = Full;
    EXPECT_FALSE(run(OlCmdHwConfig, noBuffer));
    EXPECT_FALSE(run(OlCmdInstrumentInfo, noBuffer));

    // A box that went is refused like one that never was.
    ASSERT_TRUE(boxes.disconnect(Basic));
    COlCommandData gone;
    gone.index1 = Basic;
    gone.buffer = rec;
    EXPECT_FALSE(run(OlCmdHwConfig, gone));
}

TEST_F(OlFrameworkCommands, BoxCommandsRunOnlyBetweenStartAndStop) {
    char rec[KobraHwConfig::Size] = {};
    COlCommandData d;
    d.index1 = Full;
    d.buffer = rec;
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
    COlCommandData mine;
    mine.index1 = Full;
    mine.index2 = OlEepromRead;
    ASSERT_TRUE(run(OlCmdEeprom, mine));
    const std::string* before = static_cast<const std::string*>(mine.text);
    std::string otherText;
    std::thread other([&] {
        COlCommandData d;
        d.index1 = Full;
        d.index2 = 16;
        if (fw.execute(OlCmdDiagPoint, &d))
            otherText = *static_cast<const std::string*>(d.text);
    });
    other.join();
    EXPECT_NE(otherText.find("degC"), std::string::npos);
    EXPECT_EQ(*before, "100123") << "another thread's command does not overwrite this thread's result";
}

} // namespace
