// Slot state operations, merging and copying of information blocks, and the block's own operations.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "formats/CInfoIfcSectionInfoblock.h"

using namespace MvQARN;

namespace {

std::string textOf(const CInfoIfcSectionInfoblock& block, InfoKeyId key) {
    std::string out = "<untouched>";
    block.getText(key, out);
    return out;
}

std::string written(CInfoIfcSectionInfoblock block) {
    std::string out;
    block.write(out);
    return out;
}

} // namespace

TEST(InfoblockSlotStates, EraseMarkAcceptAndClear) {
    CInfoIfcSectionInfoblock block;
    block.setText(InfoKeyDeviceName, "N");
    block.setText(InfoKeyDevicePort, "P");
    block.setDouble(InfoKeySamplingPep, 1.0);
    block.acceptAll();
    block.setText(InfoKeyDevicePort, "Q");
    EXPECT_EQ(block.getState(InfoKeyDeviceName), InfoSlotValid);
    EXPECT_EQ(block.getState(InfoKeyDevicePort), InfoSlotChanged);

    block.erase(InfoKeyDeviceName);
    EXPECT_EQ(block.getState(InfoKeyDeviceName), InfoSlotChanged);
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "");
    block.erase(InfoKeyDeviceName);
    EXPECT_EQ(block.getState(InfoKeyDeviceName), InfoSlotUnset);
    block.erase(InfoKeyWaveformName);
    EXPECT_EQ(block.getState(InfoKeyWaveformName), InfoSlotUnset);

    block.markAllChanged();
    EXPECT_EQ(block.getState(InfoKeyDevicePort), InfoSlotChanged);
    EXPECT_EQ(block.getState(InfoKeySamplingPep), InfoSlotChanged);
    EXPECT_EQ(block.getState(InfoKeyDeviceName), InfoSlotUnset);
    EXPECT_EQ(block.getState(InfoKeyWaveformName), InfoSlotUnset);

    block.acceptAll();
    EXPECT_EQ(block.getState(InfoKeyDevicePort), InfoSlotValid);
    EXPECT_EQ(block.getState(InfoKeySamplingPep), InfoSlotValid);
    EXPECT_EQ(block.getState(InfoKeyDeviceName), InfoSlotUnset);

    block.clear();
    for (int k = 0; k < InfoKeyCount; ++k)
        EXPECT_EQ(block.getState(static_cast<InfoKeyId>(k)), InfoSlotUnset) << k;
    EXPECT_EQ(written(block), "[infoblock]\r\n");
    // Cleared values are gone, not just hidden: giving the old value again is a change.
    block.setText(InfoKeyDevicePort, "Q");
    EXPECT_EQ(block.getState(InfoKeyDevicePort), InfoSlotChanged);
}

TEST(InfoblockMerge, TakesOverGivenSlotsVersionAndRegisters) {
    CInfoIfcSectionInfoblock target;
    target.setText(InfoKeyDeviceName, "same");
    target.setText(InfoKeyDevicePort, "old port");
    target.setText(InfoKeyWaveformName, "kept");
    target.acceptAll();
    target.setText(InfoKeyDeviceName, "same"); // stays Valid
    target.markAllChanged();
    target.setList(InfoKeyLimitsMapping, {1});

    CInfoIfcSectionInfoblock source;
    source.setText(InfoKeyDeviceName, "same");
    source.setText(InfoKeyDevicePort, "new port");
    source.setInt(InfoKeyLimitsVersion, 4);
    source.setInt(InfoKeyCodingChnum, 12);
    source.setDouble(InfoKeySamplingPep, 3.5);
    source.setList(InfoKeyLimitsMode, {2, 3});
    source.acceptAll();
    source.setText(InfoKeyDevicePartNr, "");
    source.setText(InfoKeyWaveformComment, "gone");
    source.erase(InfoKeyWaveformComment);

    target.merge(source);
    EXPECT_EQ(textOf(target, InfoKeyDeviceName), "same");
    EXPECT_EQ(target.getState(InfoKeyDeviceName), InfoSlotValid);
    EXPECT_EQ(textOf(target, InfoKeyDevicePort), "new port");
    EXPECT_EQ(target.getState(InfoKeyDevicePort), InfoSlotChanged);
    // Unset in the source: untouched in the target.
    EXPECT_EQ(textOf(target, InfoKeyWaveformName), "kept");
    EXPECT_EQ(target.getState(InfoKeyWaveformName), InfoSlotChanged);
    // Given-but-empty in the source: an empty stored value is equal, so it becomes Valid.
    EXPECT_EQ(target.getState(InfoKeyDevicePartNr), InfoSlotValid);
    EXPECT_EQ(target.getState(InfoKeyWaveformComment), InfoSlotValid);
    EXPECT_EQ(target.getState(InfoKeyLimitsMode), InfoSlotChanged);

    EXPECT_EQ(target.getVersionIndex(), 4);
    EXPECT_EQ(target.getIntRegister(), 12);
    EXPECT_EQ(target.getRealRegister(), 3.5);
    EXPECT_EQ(target.getSetRegister(), (std::set<int>{1}));
    std::set<int> ids;
    target.getList(InfoKeyLimitsMode, ids);
    EXPECT_EQ(ids, (std::set<int>{2, 3}));
}

TEST(InfoblockCopy, CopiesSlotsVersionAndRegistersButNotTheSetRegister) {
    CInfoIfcSectionInfoblock source;
    source.setText(InfoKeyDeviceName, "dev");
    source.acceptAll();
    source.setText(InfoKeyDevicePort, "port");
    source.setInt(InfoKeyLimitsVersion, 3);
    source.setInt(InfoKeyCodingResolution, 14);
    source.setDouble(InfoKeyCodingClockRate, 2.5e6);
    source.setList(InfoKeyLimitsMode, {1, 4});
    ASSERT_EQ(source.getSetRegister(), (std::set<int>{1, 4}));

    const CInfoIfcSectionInfoblock copy(source);
    for (int k = 0; k < InfoKeyCount; ++k)
        EXPECT_EQ(copy.getState(static_cast<InfoKeyId>(k)), source.getState(static_cast<InfoKeyId>(k))) << k;
    EXPECT_EQ(textOf(copy, InfoKeyDeviceName), "dev");
    EXPECT_EQ(copy.getVersionIndex(), 3);
    EXPECT_EQ(copy.getIntRegister(), 14);
    EXPECT_EQ(copy.getRealRegister(), 2.5e6);
    EXPECT_TRUE(copy.getSetRegister().empty());
    EXPECT_EQ(written(copy), written(source));

    CInfoIfcSectionInfoblock assigned;
    assigned.setText(InfoKeyWaveformName, "only in target");
    assigned.setList(InfoKeyLimitsMapping, {2});
    assigned.setInt(InfoKeyLimitsVersion, 1);
    assigned = source;
    EXPECT_EQ(assigned.getState(InfoKeyWaveformName), InfoSlotUnset);
    EXPECT_EQ(assigned.getState(InfoKeyLimitsMapping), InfoSlotUnset);
    EXPECT_EQ(assigned.getState(InfoKeyDevicePort), InfoSlotChanged);
    EXPECT_EQ(assigned.getVersionIndex(), 3);
    EXPECT_EQ(assigned.getIntRegister(), 14);
    EXPECT_EQ(assigned.getRealRegister(), 2.5e6);
    EXPECT_TRUE(assigned.getSetRegister().empty());
    EXPECT_EQ(written(assigned), written(source));

    // The copies are independent of their source.
    assigned.setText(InfoKeyDeviceName, "other");
    EXPECT_EQ(textOf(source, InfoKeyDeviceName), "dev");
}

TEST(InfoblockSection, NameTypeCodeCreateAndLowerCase) {
    CInfoIfcSectionInfoblock block;
    block.setText(InfoKeyDeviceName, "dev");
    const CInfoIfcSection& section = block;
    EXPECT_STREQ(section.getName(), "infoblock");
    EXPECT_EQ(section.getTypeCode(), 2);

    CInfoIfcSection* fresh = section.create();
    ASSERT_NE(dynamic_cast<CInfoIfcSectionInfoblock*>(fresh), nullptr);
    std::string out;
    fresh->write(out);
    EXPECT_EQ(out, "[infoblock]\r\n");
    fresh->parse("[device]\r\nname=x\r\n");
    EXPECT_EQ(textOf(*static_cast<CInfoIfcSectionInfoblock*>(fresh), InfoKeyDeviceName), "x");
    fresh->release();

    const std::string mixed = std::string("AbC [DeVice] 09=_\r\n") + '\0' + "Z";
    const std::string lower = section.toLower(mixed);
    EXPECT_EQ(lower, std::string("abc [device] 09=_\r\n") + '\0' + "z");
}
