// Writing and reading the information block text: layout, section and key matching, slot states.
#include <gtest/gtest.h>

#include <string>

#include "InfoblockTestSupport.h"

using namespace MvQARN;

using namespace infotest;

namespace {

int intOf(CInfoIfcSectionInfoblock& block, InfoKeyId key) {
    int out = -12345;
    block.getInt(key, out);
    return out;
}

} // namespace

TEST(InfoblockWrite, EmptyBlockAndEmptyValuesWriteOnlyTheBlockHeader) {
    CInfoIfcSectionInfoblock block;
    std::string out = "stale text";
    block.write(out);
    EXPECT_EQ(out, "[infoblock]\r\n");

    // Empty values stay out whatever their state, and their section gets no header.
    block.setText(InfoKeyDeviceName, "");
    EXPECT_EQ(block.getState(InfoKeyDeviceName), InfoSlotValid);
    block.setText(InfoKeyWaveformComment, "c");
    block.erase(InfoKeyWaveformComment);
    EXPECT_EQ(block.getState(InfoKeyWaveformComment), InfoSlotChanged);
    block.setInt(InfoKeyCodingFormat, 9); // unknown format writes the empty text
    block.setList(InfoKeyLimitsMapping, {});
    block.markAllChanged();
    block.write(out);
    EXPECT_EQ(out, "[infoblock]\r\n");
    // Nothing was written, so nothing was accepted either.
    EXPECT_EQ(block.getState(InfoKeyWaveformComment), InfoSlotChanged);
}

TEST(InfoblockWrite, KeysFollowSectionAndKeyOrderNotSettingOrderAndWritingAcceptsThem) {
    CInfoIfcSectionInfoblock block;
    block.setInt(InfoKeyLimitsVersion, 4);
    block.setList(InfoKeyLimitsMode, {1, 2});
    block.setText(InfoKeyWaveformComment, "wave c");
    block.setText(InfoKeyWaveformName, "wave n");
    block.setInt(InfoKeyClk2Mode, 3);
    block.setDouble(InfoKeyCodingClk2, 5e6);
    block.setInt(InfoKeyCodingMode, 1);
    block.setDouble(InfoKeySamplingBandUsage, 0.8);
    block.setInt(InfoKeySamplingDomain, 1);
    block.setDouble(InfoKeySamplingSampleRate, 100e6);
    block.setText(InfoKeyDevicePort, "BBIN A");
    block.setText(InfoKeyDeviceSerialNumber, "100123");
    block.setText(InfoKeyDevicePartNr, "1141.2005.02");
    block.setText(InfoKeyDeviceName, "SigGen X");
    std::string out;
    block.write(out);
    EXPECT_EQ(out, crlfLines({"[infoblock]",
                              "[device]",
                              "name=SigGen X",
                              "partnr=1141.2005.02",
                              "serial number=100123",
                              "port=BBIN A",
                              "[sampling]",
                              "sample rate=100000000",
                              "domain=IF",
                              "band usage=0.8",
                              "[coding]",
                              "mode=1",
                              "clk2=5000000",
                              "[clk2]",
                              "mode=3",
                              "[limits]",
                              "version=1.1",
                              "mode=1,2",
                              "[waveform]",
                              "name=wave n",
                              "comment=wave c"}));
    EXPECT_EQ(slotStates(block).find(":C"), std::string::npos) << slotStates(block);
}

TEST(InfoblockParse, SectionsAndKeysMatchInAnyCaseAndValuesKeepCase) {
    CInfoIfcSectionInfoblock block;
    block.parse(crlfLines({"[InfoBlock]", "[DEVICE]", "Name=SigGen X", "Serial Number=Ab-12cD",
                           "PORT=BbOut B", "[Waveform]", "NAME=Test.WV"}));
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "SigGen X");
    EXPECT_EQ(textOf(block, InfoKeyDeviceSerialNumber), "Ab-12cD");
    EXPECT_EQ(textOf(block, InfoKeyDevicePort), "BbOut B");
    EXPECT_EQ(textOf(block, InfoKeyWaveformName), "Test.WV");
    EXPECT_EQ(slotStates(block), "device/name:V device/serial number:V device/port:V waveform/name:V");
}

TEST(InfoblockParse, NothingIsTrimmedAroundTheEqualsSign) {
    CInfoIfcSectionInfoblock block;
    block.parse(crlfLines({"[device]", "name = A", "partnr =B", " port=C", "serial number= D "}));
    EXPECT_EQ(slotStates(block), "device/serial number:V");
    EXPECT_EQ(textOf(block, InfoKeyDeviceSerialNumber), " D ");
}

TEST(InfoblockParse, SharedKeyWordsAreTakenFromTheirOwnSection) {
    CInfoIfcSectionInfoblock block;
    block.parse(
        crlfLines({"[infoblock]", "[device]", "name=dev", "[coding]", "mode=3", "mapping=map2", "[clk2]",
                   "mode=5", "[limits]", "mode=1,2", "mapping=map4", "[waveform]", "name=wav"}));
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "dev");
    EXPECT_EQ(textOf(block, InfoKeyWaveformName), "wav");
    int v = -100;
    EXPECT_EQ(block.getInt(InfoKeyCodingMode, v), InfoSlotValid);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(block.getInt(InfoKeyClk2Mode, v), InfoSlotValid);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(block.getInt(InfoKeyCodingMapping, v), InfoSlotValid);
    EXPECT_EQ(v, 2);
    std::set<int> ids;
    EXPECT_EQ(block.getList(InfoKeyLimitsMapping, ids), InfoSlotValid);
    EXPECT_EQ(ids, (std::set<int>{4}));
}

TEST(InfoblockParse, Clk2SectionStartsAtTheFirstOccurrenceOfItsName) {
    // The clk2 header comes first: each mode line lands in its own section.
    {
        CInfoIfcSectionInfoblock block;
        block.parse(crlfLines({"[clk2]", "mode=3"}));
        EXPECT_EQ(block.getState(InfoKeyCodingMode), InfoSlotUnset);
        EXPECT_EQ(intOf(block, InfoKeyClk2Mode), 3);
    }
    {
        CInfoIfcSectionInfoblock block;
        block.parse(crlfLines({"[coding]", "mode=3"}));
        EXPECT_EQ(intOf(block, InfoKeyCodingMode), 3);
        EXPECT_EQ(block.getState(InfoKeyClk2Mode), InfoSlotUnset);
    }
    // A coding clk2 key line comes first: the clk2 section runs from there to the next "[", so it
    // takes the coding mode line and misses its own.
    {
        CInfoIfcSectionInfoblock block;
        block.parse(crlfLines({"[coding]", "clk2=10", "mode=3", "[clk2]", "mode=5"}));
        double clk2 = 0;
        EXPECT_EQ(block.getDouble(InfoKeyCodingClk2, clk2), InfoSlotValid);
        EXPECT_EQ(clk2, 10.0);
        EXPECT_EQ(intOf(block, InfoKeyCodingMode), 3);
        EXPECT_EQ(intOf(block, InfoKeyClk2Mode), 3);
    }
}

TEST(InfoblockParse, SectionNameMatchesAsPlainSubstringAndEndsAtNextBracket) {
    // "sampling" first occurs inside the device name, so the sampling section ends at its own header.
    CInfoIfcSectionInfoblock block;
    block.parse(crlfLines({"[device]", "name=Sampling Unit", "[sampling]", "pep=3"}));
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "Sampling Unit");
    EXPECT_EQ(block.getState(InfoKeySamplingPep), InfoSlotUnset);

    // A key after an unknown header belongs to no known section.
    CInfoIfcSectionInfoblock other;
    other.parse(crlfLines({"[device]", "name=A", "[extra]", "port=5"}));
    EXPECT_EQ(textOf(other, InfoKeyDeviceName), "A");
    EXPECT_EQ(other.getState(InfoKeyDevicePort), InfoSlotUnset);

    // Without brackets the section runs to the end; bare CR or LF end lines; the last value runs to
    // the end of the text.
    CInfoIfcSectionInfoblock bare;
    bare.parse("device\rname=N\nport=P[1]");
    EXPECT_EQ(textOf(bare, InfoKeyDeviceName), "N");
    EXPECT_EQ(textOf(bare, InfoKeyDevicePort), "P[1]");

    // An entry before the section's name is not part of it.
    CInfoIfcSectionInfoblock before;
    before.parse("name=A\r\n[device]\r\nport=1");
    EXPECT_EQ(before.getState(InfoKeyDeviceName), InfoSlotUnset);
    EXPECT_EQ(textOf(before, InfoKeyDevicePort), "1");
}

TEST(InfoblockParse, EmptyValuesUnknownKeysAndUnknownSectionsAreIgnored) {
    CInfoIfcSectionInfoblock block;
    block.setText(InfoKeyDeviceName, "Old");
    block.setText(InfoKeyDevicePartNr, "P1");
    block.acceptAll();
    block.setText(InfoKeyDevicePartNr, "P2");

    block.parse(crlfLines({"[other]", "name=X", "comment=Y"}));
    block.parse("no sections at all = here");
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "Old");
    EXPECT_EQ(slotStates(block), "device/name:V device/partnr:C");

    block.parse(crlfLines({"[device]", "name=", "colour=red", "port=P"}));
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "Old");
    EXPECT_EQ(slotStates(block), "device/name:V device/partnr:C device/port:V");
    EXPECT_EQ(textOf(block, InfoKeyDevicePort), "P");
    // The block is not emptied before reading.
    EXPECT_EQ(textOf(block, InfoKeyDevicePartNr), "P2");
}

TEST(InfoblockParse, ReparsingMarksExactlyTheChangedKeys) {
    const std::string first =
        crlfLines({"[infoblock]", "[device]", "name=Gen", "serial number=1", "[sampling]", "sample rate=1000",
                   "pep=2", "[limits]", "version=1.1"});
    CInfoIfcSectionInfoblock block;
    block.parse(first);
    const std::string allValid =
        "device/name:V device/serial number:V sampling/sample rate:V sampling/pep:V limits/version:V";
    EXPECT_EQ(slotStates(block), allValid);
    // The same text again, even after everything was marked for re-sending, leaves all valid.
    block.markAllChanged();
    block.parse(first);
    EXPECT_EQ(slotStates(block), allValid);

    block.parse(crlfLines({"[infoblock]", "[device]", "name=Gen", "serial number=1", "[sampling]",
                           "sample rate=2000", "pep=2", "[limits]", "version=1.1"}));
    EXPECT_EQ(slotStates(block),
              "device/name:V device/serial number:V sampling/sample rate:C sampling/pep:V limits/version:V");
    double rate = 0;
    block.getDouble(InfoKeySamplingSampleRate, rate);
    EXPECT_EQ(rate, 2000.0);
}

TEST(InfoblockParse, ReadingTheVersionSetsTheVersionIndex) {
    CInfoIfcSectionInfoblock block;
    block.parse(crlfLines({"[limits]", "version=1.0", "mode=1,2"}));
    EXPECT_EQ(block.getVersionIndex(), 3);
    std::set<int> ids;
    block.getList(InfoKeyLimitsMode, ids);
    EXPECT_EQ(ids, (std::set<int>{1, 2}));

    block.parse(crlfLines({"[limits]", "version=7.7"}));
    EXPECT_EQ(block.getVersionIndex(), 2);
}
