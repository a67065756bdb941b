// Typed access to information block keys: kinds, conversions, word encodings and list keys.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

#include "InfoblockTestSupport.h"

using namespace MvQARN;

using namespace infotest;

namespace {

std::string doubleText(double value) {
    CInfoIfcSectionInfoblock block;
    block.setDouble(InfoKeySamplingPep, value);
    return writtenValue(block, InfoKeySamplingPep);
}

std::string intText(InfoKeyId key, int value) {
    CInfoIfcSectionInfoblock block;
    block.setInt(key, value);
    return writtenValue(block, key);
}

int readInt(InfoKeyId key, const std::string& text) {
    int out = -12345;
    EXPECT_EQ(parsedKey(key, text).getInt(key, out), InfoSlotValid) << text;
    return out;
}

std::set<int> readList(InfoKeyId key, const std::string& version, const std::string& text) {
    std::set<int> ids{99};
    EXPECT_EQ(parsedKey(key, text, version).getList(key, ids), InfoSlotValid);
    return ids;
}

} // namespace

TEST(InfoblockTypedAccess, KeysOfTheWrongKindAreRefusedAndLeftUntouched) {
    CInfoIfcSectionInfoblock block;
    int text = 0, integer = 0, real = 0, list = 0;
    for (int k = 0; k < InfoKeyCount; ++k) {
        const auto key = static_cast<InfoKeyId>(k);
        const InfoValueKind kind = CInfoIfcSectionInfoblock::getKeyKind(key);
        std::string s = "keep";
        int i = 77;
        double d = 7.5;
        std::set<int> ids{42};
        if (kind != InfoValueText) {
            EXPECT_EQ(block.setText(key, "x"), -1) << k;
            EXPECT_EQ(block.getText(key, s), -1) << k;
        }
        if (kind != InfoValueInteger) {
            EXPECT_EQ(block.setInt(key, 1), -1) << k;
            EXPECT_EQ(block.getInt(key, i), -1) << k;
        }
        if (kind != InfoValueReal) {
            EXPECT_EQ(block.setDouble(key, 1.0), -1) << k;
            EXPECT_EQ(block.getDouble(key, d), -1) << k;
        }
        if (kind != InfoValueList) {
            EXPECT_EQ(block.setList(key, {1}), -1) << k;
            EXPECT_EQ(block.getList(key, ids), 0) << k;
        }
        EXPECT_EQ(block.getState(key), InfoSlotUnset) << k;
        EXPECT_EQ(s, "keep");
        EXPECT_EQ(i, 77);
        EXPECT_EQ(d, 7.5);
        EXPECT_EQ(ids, std::set<int>{42});
        text += kind == InfoValueText;
        integer += kind == InfoValueInteger;
        real += kind == InfoValueReal;
        list += kind == InfoValueList;
    }
    EXPECT_EQ(text, 6);
    EXPECT_EQ(integer, 9);
    EXPECT_EQ(real, 14);
    EXPECT_EQ(list, 2);
    // Same word, different sections, different kinds.
    EXPECT_EQ(CInfoIfcSectionInfoblock::getKeyKind(InfoKeyCodingMode), InfoValueInteger);
    EXPECT_EQ(CInfoIfcSectionInfoblock::getKeyKind(InfoKeyLimitsMode), InfoValueList);
    EXPECT_EQ(CInfoIfcSectionInfoblock::getKeyKind(InfoKeyCodingClk2), InfoValueReal);
}

TEST(InfoblockTypedAccess, SettersMarkChangedOrValidAndGettersFillOnlyGivenSlots) {
    CInfoIfcSectionInfoblock block;
    std::string s = "earlier";
    int i = 5;
    double d = 2.5;
    EXPECT_EQ(block.getText(InfoKeyDevicePort, s), InfoSlotUnset);
    EXPECT_EQ(block.getInt(InfoKeyCodingChnum, i), InfoSlotUnset);
    EXPECT_EQ(block.getDouble(InfoKeySamplingRms, d), InfoSlotUnset);
    EXPECT_EQ(s, "earlier");
    EXPECT_EQ(i, 5);
    EXPECT_EQ(d, 2.5);

    EXPECT_EQ(block.setText(InfoKeyDevicePort, "A"), 1);
    EXPECT_EQ(block.setInt(InfoKeyCodingChnum, -3), 1);
    EXPECT_EQ(block.setDouble(InfoKeySamplingRms, 0.25), 1);
    EXPECT_EQ(block.getText(InfoKeyDevicePort, s), InfoSlotChanged);
    EXPECT_EQ(block.getInt(InfoKeyCodingChnum, i), InfoSlotChanged);
    EXPECT_EQ(block.getDouble(InfoKeySamplingRms, d), InfoSlotChanged);
    EXPECT_EQ(s, "A");
    EXPECT_EQ(i, -3);
    EXPECT_EQ(d, 0.25);

    // Setting the stored value again accepts it; a different value is a change.
    EXPECT_EQ(block.setText(InfoKeyDevicePort, "A"), 1);
    EXPECT_EQ(block.setInt(InfoKeyCodingChnum, -3), 1);
    EXPECT_EQ(block.setDouble(InfoKeySamplingRms, 0.25), 1);
    EXPECT_EQ(slotStates(block), "device/port:V sampling/rms:V coding/chnum:V");
    block.setText(InfoKeyDevicePort, "a");
    EXPECT_EQ(slotStates(block), "device/port:C sampling/rms:V coding/chnum:V");
}

TEST(InfoblockTypedAccess, NumbersConvertLikeTheCLibrary) {
    EXPECT_EQ(readInt(InfoKeyCodingChnum, "  42abc"), 42);
    EXPECT_EQ(readInt(InfoKeyCodingResolution, "-7"), -7);
    EXPECT_EQ(readInt(InfoKeyLimitsMaxInfoRate, "+16"), 16);
    EXPECT_EQ(readInt(InfoKeyCodingMode, "abc"), 0);
    EXPECT_EQ(readInt(InfoKeyClk2Mode, "3.9"), 3);

    CInfoIfcSectionInfoblock block;
    block.parse("[sampling]\r\nsample rate=1.5e3Hz\r\npep= -2.5\r\nrms=dB\r\nif=0x10\r\n");
    double d = -1;
    block.getDouble(InfoKeySamplingSampleRate, d);
    EXPECT_EQ(d, 1500.0);
    block.getDouble(InfoKeySamplingPep, d);
    EXPECT_EQ(d, -2.5);
    block.getDouble(InfoKeySamplingRms, d);
    EXPECT_EQ(d, 0.0);
    block.getDouble(InfoKeySamplingIf, d);
    EXPECT_EQ(d, 16.0);
    EXPECT_EQ(block.getRealRegister(), 16.0);
}

TEST(InfoblockTypedAccess, RealsAreWrittenWithTwelveSignificantDigits) {
    EXPECT_EQ(doubleText(1e-05), "1e-05");
    EXPECT_EQ(doubleText(0.0001), "0.0001");
    EXPECT_EQ(doubleText(123456789012345.0), "1.23456789012e+14");
    EXPECT_EQ(doubleText(123456789012.0), "123456789012");
    EXPECT_EQ(doubleText(1e12), "1e+12");
    EXPECT_EQ(doubleText(0.1), "0.1");
    EXPECT_EQ(doubleText(100e6), "100000000");
    EXPECT_EQ(doubleText(1.0 / 3.0), "0.333333333333");
    EXPECT_EQ(doubleText(2.0 / 3.0), "0.666666666667");
    EXPECT_EQ(doubleText(-1.5), "-1.5");
    EXPECT_EQ(doubleText(0.0), "0");
    EXPECT_EQ(doubleText(1234.5678), "1234.5678");
    EXPECT_EQ(doubleText(-2.5e-9), "-2.5e-09");
}

TEST(InfoblockEncodings, IntegerKeysWithoutWordsWriteDecimal) {
    EXPECT_EQ(intText(InfoKeyCodingChnum, 0), "0");
    EXPECT_EQ(intText(InfoKeyCodingResolution, -16), "-16");
    EXPECT_EQ(intText(InfoKeyLimitsMaxInfoRate, std::numeric_limits<int>::max()), "2147483647");
    EXPECT_EQ(intText(InfoKeyLimitsMaxInfoRate, std::numeric_limits<int>::min()), "-2147483648");
}

TEST(InfoblockEncodings, DomainWords) {
    EXPECT_EQ(intText(InfoKeySamplingDomain, 0), "Baseband");
    EXPECT_EQ(intText(InfoKeySamplingDomain, 1), "IF");
    EXPECT_EQ(intText(InfoKeySamplingDomain, 2), "IF Interleaved");
    EXPECT_EQ(intText(InfoKeySamplingDomain, 3), "-");
    EXPECT_EQ(intText(InfoKeySamplingDomain, -1), "-");
    EXPECT_EQ(readInt(InfoKeySamplingDomain, "IF"), 1);
    EXPECT_EQ(readInt(InfoKeySamplingDomain, "BaseBand"), 0);
    EXPECT_EQ(readInt(InfoKeySamplingDomain, "IFInterleaved"), 2);
    // The reader knows the interleaved word only without a blank.
    EXPECT_EQ(readInt(InfoKeySamplingDomain, "IF Interleaved"), 0);
    EXPECT_EQ(readInt(InfoKeySamplingDomain, "IF "), 0);
    EXPECT_EQ(readInt(InfoKeySamplingDomain, "rf"), 0);
}

TEST(InfoblockEncodings, MappingAndFormatWords) {
    for (int v = 1; v <= 6; ++v) {
        EXPECT_EQ(intText(InfoKeyCodingMapping, v), "map" + std::to_string(v));
        EXPECT_EQ(readInt(InfoKeyCodingMapping, "MAP" + std::to_string(v)), v);
    }
    EXPECT_EQ(intText(InfoKeyCodingMapping, 0), "-");
    EXPECT_EQ(intText(InfoKeyCodingMapping, 7), "-");
    EXPECT_EQ(readInt(InfoKeyCodingMapping, "map7"), 0);
    EXPECT_EQ(readInt(InfoKeyCodingMapping, "-"), 0);

    EXPECT_EQ(intText(InfoKeyCodingFormat, 0), "int2c");
    EXPECT_EQ(intText(InfoKeyCodingFormat, 1), "float14/4");
    EXPECT_EQ(intText(InfoKeyCodingFormat, 2), "<absent>");
    EXPECT_EQ(readInt(InfoKeyCodingFormat, "Float14/4"), 1);
    EXPECT_EQ(readInt(InfoKeyCodingFormat, "INT2C"), 0);
    EXPECT_EQ(readInt(InfoKeyCodingFormat, "float"), 0);
}

TEST(InfoblockEncodings, VersionWordsSetTheVersionIndex) {
    const char* words[] = {"0.2", "0.3", "1.0", "1.1", "1.2", "1.3"};
    for (int v = 1; v <= 6; ++v) {
        EXPECT_EQ(intText(InfoKeyLimitsVersion, v), words[v - 1]);
        EXPECT_EQ(readInt(InfoKeyLimitsVersion, words[v - 1]), v);
    }
    EXPECT_EQ(intText(InfoKeyLimitsVersion, 0), "inv");
    EXPECT_EQ(intText(InfoKeyLimitsVersion, 7), "inv");
    EXPECT_EQ(readInt(InfoKeyLimitsVersion, "inv"), 2);
    EXPECT_EQ(readInt(InfoKeyLimitsVersion, "2.0"), 2);
    EXPECT_EQ(readInt(InfoKeyLimitsVersion, " 1.1"), 2);

    CInfoIfcSectionInfoblock block;
    EXPECT_EQ(block.getVersionIndex(), 0);
    block.setInt(InfoKeyLimitsVersion, 5);
    EXPECT_EQ(block.getVersionIndex(), 5);
    block.setInt(InfoKeyLimitsVersion, 9);
    EXPECT_EQ(block.getVersionIndex(), 9);
    int v = 0;
    EXPECT_EQ(block.getInt(InfoKeyLimitsVersion, v), InfoSlotChanged);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(block.getVersionIndex(), 2);
}

TEST(InfoblockLists, MappingListReadsWordsAnywhereAndWritesThemAscending) {
    EXPECT_EQ(readList(InfoKeyLimitsMapping, "", "map2,map5"), (std::set<int>{2, 5}));
    EXPECT_EQ(readList(InfoKeyLimitsMapping, "", "MAP6;xmap1y"), (std::set<int>{1, 6}));
    EXPECT_EQ(readList(InfoKeyLimitsMapping, "", "map0,map7"), (std::set<int>{}));

    CInfoIfcSectionInfoblock block;
    EXPECT_EQ(block.setList(InfoKeyLimitsMapping, {5, 2, 9, 0}), InfoSlotChanged);
    EXPECT_EQ(writtenValue(block, InfoKeyLimitsMapping), "map2,map5");
    EXPECT_EQ(block.setList(InfoKeyLimitsMapping, {2, 5}), InfoSlotValid);
    EXPECT_EQ(block.setList(InfoKeyLimitsMapping, {1, 2, 3, 4, 5, 6}), InfoSlotChanged);
    EXPECT_EQ(writtenValue(block, InfoKeyLimitsMapping), "map1,map2,map3,map4,map5,map6");

    // An unset list still replaces the caller's set.
    CInfoIfcSectionInfoblock empty;
    std::set<int> ids{3};
    EXPECT_EQ(empty.getList(InfoKeyLimitsMapping, ids), InfoSlotUnset);
    EXPECT_TRUE(ids.empty());
}

TEST(InfoblockLists, ModeListWordsDependOnTheVersion) {
    // Before version 1.0 the modes are numbered 4, 1, 2, 3.
    EXPECT_EQ(readList(InfoKeyLimitsMode, "0.3", "4,1"), (std::set<int>{1, 2}));
    EXPECT_EQ(readList(InfoKeyLimitsMode, "0.2", "2,3"), (std::set<int>{3, 4}));
    EXPECT_EQ(readList(InfoKeyLimitsMode, "", "4"), (std::set<int>{1}));
    EXPECT_EQ(readList(InfoKeyLimitsMode, "1.0", "4,1"), (std::set<int>{1, 4}));
    EXPECT_EQ(readList(InfoKeyLimitsMode, "1.3", "2,3"), (std::set<int>{2, 3}));

    CInfoIfcSectionInfoblock early;
    early.parse("[limits]\r\nversion=0.3\r\nmode=4,1\r\n");
    std::set<int> ids;
    early.getList(InfoKeyLimitsMode, ids);
    EXPECT_EQ(early.setList(InfoKeyLimitsMode, ids), InfoSlotValid);
    EXPECT_EQ(writtenValue(early, InfoKeyLimitsMode), "4,1");
    early.setList(InfoKeyLimitsMode, {1, 2, 3, 4, 5});
    EXPECT_EQ(writtenValue(early, InfoKeyLimitsMode), "4,1,2,3");

    CInfoIfcSectionInfoblock current;
    current.setInt(InfoKeyLimitsVersion, 3);
    current.setList(InfoKeyLimitsMode, {4, 1});
    EXPECT_EQ(writtenValue(current, InfoKeyLimitsMode), "1,4");

    // A block whose version was never given uses the early words.
    CInfoIfcSectionInfoblock unversioned;
    unversioned.setList(InfoKeyLimitsMode, {1, 3});
    EXPECT_EQ(writtenValue(unversioned, InfoKeyLimitsMode), "4,2");
}
