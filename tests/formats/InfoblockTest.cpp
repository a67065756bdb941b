// The information block: the text it writes (layout, order, encodings of each kind of value), the
// text it reads (section and key matching, conversions, words) and slot states.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>
#include <string>

#include "InfoblockTestSupport.h"

using namespace MvQARN;
using namespace infotest;

namespace {

// A value of any kind, given to a block by the setter of its key's kind.
struct Value {
    InfoKeyId key;
    double number = 0;
    const char* text = "";
    std::set<int> ids = {};
};

void give(CInfoIfcSectionInfoblock& block, const Value& v) {
    switch (CInfoIfcSectionInfoblock::getKeyKind(v.key)) {
    case InfoValueText:
        block.setText(v.key, v.text);
        break;
    case InfoValueInteger:
        block.setInt(v.key, int(v.number));
        break;
    case InfoValueReal:
        block.setDouble(v.key, v.number);
        break;
    case InfoValueList:
        block.setList(v.key, v.ids);
        break;
    }
}

} // namespace

TEST(InfoblockWrite, SectionsAndKeysInTheirOwnOrderAndWritingAcceptsThem) {
    CInfoIfcSectionInfoblock block;
    std::string out = "stale text";
    block.write(out);
    EXPECT_EQ(out, "[infoblock]\r\n");

    // Given in reverse order; empty values stay out whatever their state.
    // clang-format off
    const Value values[] = {
        {InfoKeyLimitsVersion, 4}, {InfoKeyLimitsMode, 0, "", {1, 2}}, {InfoKeyWaveformComment, 0, "wave c"},
        {InfoKeyWaveformName, 0, "wave n"}, {InfoKeyClk2Mode, 3}, {InfoKeyCodingClk2, 5e6},
        {InfoKeyCodingMode, 1}, {InfoKeyCodingFormat, 9}, {InfoKeySamplingBandUsage, 0.8},
        {InfoKeySamplingDomain, 1},
        {InfoKeySamplingSampleRate, 100e6}, {InfoKeyDevicePort, 0, "BBIN A"},
        {InfoKeyDeviceSerialNumber, 0, "100123"}, {InfoKeyDevicePartNr, 0, ""},
        {InfoKeyDeviceName, 0, "SigGen X"}, {InfoKeyLimitsMapping, 0, "", {}}};
    // clang-format on
    for (const Value& v : values)
        give(block, v);
    block.markAllChanged();
    block.write(out);
    // clang-format off
    EXPECT_EQ(out, crlfLines({"[infoblock]",
                              "[device]", "name=SigGen X", "serial number=100123", "port=BBIN A",
                              "[sampling]", "sample rate=100000000", "domain=IF", "band usage=0.8",
                              "[coding]", "mode=1", "clk2=5000000", "[clk2]", "mode=3",
                              "[limits]", "version=1.1", "mode=1,2",
                              "[waveform]", "name=wave n", "comment=wave c"}));
    // clang-format on
    // What was written is accepted; what was not written keeps its state.
    EXPECT_EQ(block.getState(InfoKeyWaveformName), InfoSlotValid);
    EXPECT_EQ(block.getState(InfoKeyLimitsMode), InfoSlotValid);
    EXPECT_EQ(block.getState(InfoKeyDevicePartNr), InfoSlotChanged);
    EXPECT_EQ(block.getState(InfoKeyCodingFormat), InfoSlotChanged);
}

TEST(InfoblockWrite, EachKindOfValueInItsEncoding) {
    const struct {
        Value value;
        int version; // given first when not 0
        const char* text;
    } cases[] = {
        // clang-format off
        {{InfoKeyCodingResolution, -16}, 0, "-16"},
        {{InfoKeyLimitsMaxInfoRate, double(INT_MAX)}, 0, "2147483647"},
        {{InfoKeyLimitsMaxInfoRate, double(INT_MIN)}, 0, "-2147483648"},
        {{InfoKeySamplingDomain, 0}, 0, "Baseband"}, {{InfoKeySamplingDomain, 2}, 0, "IF Interleaved"},
        {{InfoKeySamplingDomain, 3}, 0, "-"}, {{InfoKeySamplingDomain, -1}, 0, "-"},
        {{InfoKeyCodingMapping, 1}, 0, "map1"}, {{InfoKeyCodingMapping, 6}, 0, "map6"},
        {{InfoKeyCodingMapping, 0}, 0, "-"}, {{InfoKeyCodingMapping, 7}, 0, "-"},
        {{InfoKeyCodingFormat, 0}, 0, "int2c"}, {{InfoKeyCodingFormat, 1}, 0, "float14/4"},
        {{InfoKeyLimitsVersion, 1}, 0, "0.2"}, {{InfoKeyLimitsVersion, 3}, 0, "1.0"},
        {{InfoKeyLimitsVersion, 6}, 0, "1.3"}, {{InfoKeyLimitsVersion, 0}, 0, "inv"},
        // Reals with twelve significant digits.
        {{InfoKeySamplingPep, 1e-05}, 0, "1e-05"}, {{InfoKeySamplingPep, 0.0001}, 0, "0.0001"},
        {{InfoKeySamplingPep, 123456789012345.0}, 0, "1.23456789012e+14"},
        {{InfoKeySamplingPep, 123456789012.0}, 0, "123456789012"}, {{InfoKeySamplingPep, 1e12}, 0, "1e+12"},
        {{InfoKeySamplingPep, 2.0 / 3.0}, 0, "0.666666666667"},
        // Lists ascending; the mapping words 1 to 6 only; mode words by version, early ones before 1.0.
        {{InfoKeyLimitsMapping, 0, "", {5, 2, 9, 0}}, 0, "map2,map5"},
        {{InfoKeyLimitsMode, 0, "", {1, 3}}, 0, "4,2"},
        {{InfoKeyLimitsMode, 0, "", {1, 2, 3, 4, 5}}, 2, "4,1,2,3"},
        {{InfoKeyLimitsMode, 0, "", {4, 1}}, 3, "1,4"},
        // clang-format on
    };
    for (const auto& c : cases) {
        CInfoIfcSectionInfoblock block;
        if (c.version)
            block.setInt(InfoKeyLimitsVersion, c.version);
        give(block, c.value);
        EXPECT_EQ(writtenValue(block, c.value.key), c.text) << keyName(c.value.key) << " " << c.value.number;
    }
}

TEST(InfoblockRead, EachKindOfValueFromItsText) {
    const struct {
        InfoKeyId key;
        const char* version; // a version line before the key's line when not empty
        const char* text;
        const char* value;
    } cases[] = {
        // clang-format off
        // Numbers convert like the C library.
        {InfoKeyCodingChnum, "", "  42abc", "42"}, {InfoKeyLimitsMaxInfoRate, "", "+16", "16"},
        {InfoKeyCodingResolution, "", "-7", "-7"}, {InfoKeyCodingMode, "", "abc", "0"},
        {InfoKeySamplingSampleRate, "", "1.5e3Hz", "1500"}, {InfoKeySamplingPep, "", " -2.5", "-2.5"},
        {InfoKeySamplingRms, "", "dB", "0"}, {InfoKeySamplingIf, "", "0x10", "16"},
        // Words in any case; the interleaved domain only without a blank.
        {InfoKeySamplingDomain, "", "IF", "1"}, {InfoKeySamplingDomain, "", "BaseBand", "0"},
        {InfoKeySamplingDomain, "", "IFInterleaved", "2"}, {InfoKeySamplingDomain, "", "IF Interleaved", "0"},
        {InfoKeySamplingDomain, "", "IF ", "0"}, {InfoKeySamplingDomain, "", "rf", "0"},
        {InfoKeyCodingMapping, "", "MAP3", "3"}, {InfoKeyCodingMapping, "", "map7", "0"},
        {InfoKeyCodingFormat, "", "Float14/4", "1"}, {InfoKeyCodingFormat, "", "INT2C", "0"},
        {InfoKeyLimitsVersion, "", "0.2", "1"}, {InfoKeyLimitsVersion, "", "1.3", "6"},
        {InfoKeyLimitsVersion, "", "inv", "2"}, {InfoKeyLimitsVersion, "", "2.0", "2"},
        // Mapping words anywhere in the text; mode words by the version read before them.
        {InfoKeyLimitsMapping, "", "map2,map5", "2,5"}, {InfoKeyLimitsMapping, "", "MAP6;xmap1y", "1,6"},
        {InfoKeyLimitsMode, "0.3", "4,1", "1,2"}, {InfoKeyLimitsMode, "0.2", "2,3", "3,4"},
        {InfoKeyLimitsMode, "", "4", "1"}, {InfoKeyLimitsMode, "1.0", "4,1", "1,4"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::string section =
            CInfoIfcSectionInfoblock::getSectionName(CInfoIfcSectionInfoblock::getKeySection(c.key));
        std::string in = "[" + section + "]\r\n";
        if (*c.version)
            in += std::string("version=") + c.version + "\r\n";
        CInfoIfcSectionInfoblock block;
        block.parse(in + CInfoIfcSectionInfoblock::getKeyWord(c.key) + "=" + c.text + "\r\n");
        EXPECT_EQ(block.getState(c.key), InfoSlotValid) << keyName(c.key) << " " << c.text;
        EXPECT_EQ(valueOf(block, c.key), c.value) << keyName(c.key) << " " << c.text;
    }
}

// Sections and keys match in any case, values keep theirs; nothing is trimmed around "="; a shared key
// word is taken from its own section, which starts at the first occurrence of its name (even inside
// a value) and ends at the next "["; bare CR or LF end lines.
TEST(InfoblockRead, WhichLinesBelongToWhichKey) {
    const struct {
        std::string text;
        const char* contents;
    } cases[] = {
        // clang-format off
        {crlfLines({"[InfoBlock]", "[DEVICE]", "Name=SigGen X", "Serial Number=Ab-12cD", "PORT=BbOut B",
                    "[Waveform]", "NAME=Test.WV"}),
         "device/name=SigGen X:V device/serial number=Ab-12cD:V device/port=BbOut B:V "
         "waveform/name=Test.WV:V"},
        {crlfLines({"[device]", "name = A", "partnr =B", " port=C", "serial number= D "}),
         "device/serial number= D :V"},
        {crlfLines({"[infoblock]", "[device]", "name=dev", "[coding]", "mode=3", "mapping=map2", "[clk2]",
                    "mode=5", "[limits]", "mapping=map4", "[waveform]", "name=wav"}),
         "device/name=dev:V coding/mapping=2:V coding/mode=3:V clk2/mode=5:V limits/mapping=4:V "
         "waveform/name=wav:V"},
        // A coding clk2 line comes first: the clk2 section runs from there and takes the coding mode.
        {crlfLines({"[coding]", "clk2=10", "mode=3", "[clk2]", "mode=5"}),
         "coding/mode=3:V coding/clk2=10:V clk2/mode=3:V"},
        {crlfLines({"[device]", "name=Sampling Unit", "[sampling]", "pep=3"}), "device/name=Sampling Unit:V"},
        {"device\rname=N\nport=P[1]", "device/name=N:V device/port=P[1]:V"},
        {"name=A\r\n[device]\r\nport=1", "device/port=1:V"},
        {crlfLines({"[limits]", "version=1.0", "mode=1,2"}), "limits/version=3:V limits/mode=1,2:V"},
        {crlfLines({"[other]", "name=X", "comment=Y"}) + "no sections at all = here", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        CInfoIfcSectionInfoblock block;
        block.parse(c.text);
        EXPECT_EQ(contents(block), c.contents) << c.text;
    }
}

// ---- slot states ---------------------------------------------------------------------------------

TEST(InfoblockSlots, KeysOfTheWrongKindAreRefusedAndLeftUntouched) {
    CInfoIfcSectionInfoblock block;
    for (int k = 0; k < InfoKeyCount; ++k) {
        const auto key = static_cast<InfoKeyId>(k);
        const InfoValueKind kind = CInfoIfcSectionInfoblock::getKeyKind(key);
        std::string s = "keep";
        int i = 77;
        double d = 7.5;
        std::set<int> ids{42};
        // The setter and the getter of each other kind are refused (-1; getList answers an empty list).
        const std::pair<InfoValueKind, std::function<bool()>> tries[] = {
            {InfoValueText, [&] { return block.setText(key, "x") == -1 && block.getText(key, s) == -1; }},
            {InfoValueInteger, [&] { return block.setInt(key, 1) == -1 && block.getInt(key, i) == -1; }},
            {InfoValueReal, [&] { return block.setDouble(key, 1.0) == -1 && block.getDouble(key, d) == -1; }},
            {InfoValueList, [&] { return block.setList(key, {1}) == -1 && block.getList(key, ids) == 0; }}};
        for (const auto& [other, refused] : tries)
            if (other != kind) {
                EXPECT_TRUE(refused()) << k << " as kind " << other;
            }
        EXPECT_EQ(block.getState(key), InfoSlotUnset) << k;
        EXPECT_EQ(s + " " + std::to_string(i) + " " + std::to_string(d) + " " + std::to_string(*ids.begin()),
                  "keep 77 7.500000 42")
            << k;
    }
}
