// Slot state operations, merging and copying of information blocks, and the block's own operations.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "InfoblockTestSupport.h"

using namespace MvQARN;

using namespace infotest;

TEST(InfoblockSlotStates, EraseMarkAcceptAndClear) {
    CInfoIfcSectionInfoblock block;
    block.setText(InfoKeyDeviceName, "N");
    block.setText(InfoKeyDevicePort, "P");
    block.setDouble(InfoKeySamplingPep, 1.0);
    block.acceptAll();
    block.setText(InfoKeyDevicePort, "Q");
    EXPECT_EQ(slotStates(block), "device/name:V device/port:C sampling/pep:V");

    // Erasing a given value changes it to empty; erasing it again, or an unset value, leaves it unset.
    block.erase(InfoKeyDeviceName);
    EXPECT_EQ(slotStates(block), "device/name:C device/port:C sampling/pep:V");
    EXPECT_EQ(textOf(block, InfoKeyDeviceName), "");
    block.erase(InfoKeyDeviceName);
    block.erase(InfoKeyWaveformName);
    EXPECT_EQ(slotStates(block), "device/port:C sampling/pep:V");

    block.markAllChanged();
    EXPECT_EQ(slotStates(block), "device/port:C sampling/pep:C");
    block.acceptAll();
    EXPECT_EQ(slotStates(block), "device/port:V sampling/pep:V");

    block.clear();
    EXPECT_EQ(slotStates(block), "");
    EXPECT_EQ(written(block), "[infoblock]\r\n");
    // Cleared values are gone, not just hidden: giving the old value again is a change.
    block.setText(InfoKeyDevicePort, "Q");
    EXPECT_EQ(slotStates(block), "device/port:C");
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
    EXPECT_EQ(textOf(target, InfoKeyDevicePort), "new port");
    EXPECT_EQ(textOf(target, InfoKeyWaveformName), "kept");
    // A value equal to the target's is valid, another one changed; a slot unset in the source stays as
    // it was (the waveform name, changed); a given but empty one equals an empty stored value, so valid.
    EXPECT_EQ(slotStates(target), "device/name:V device/partnr:V device/port:C sampling/pep:C coding/chnum:C "
                                  "limits/version:C limits/mode:C limits/mapping:C waveform/name:C "
                                  "waveform/comment:V");

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
    CInfoIfcSectionInfoblock assigned;
    assigned.setText(InfoKeyWaveformName, "only in target");
    assigned.setList(InfoKeyLimitsMapping, {2});
    assigned.setInt(InfoKeyLimitsVersion, 1);
    assigned = source;
    for (const CInfoIfcSectionInfoblock* c :
         {&copy, static_cast<const CInfoIfcSectionInfoblock*>(&assigned)}) {
        SCOPED_TRACE(c == &copy ? "copy" : "assigned");
        for (int k = 0; k < InfoKeyCount; ++k)
            EXPECT_EQ(c->getState(static_cast<InfoKeyId>(k)), source.getState(static_cast<InfoKeyId>(k)))
                << k;
        EXPECT_EQ(textOf(*c, InfoKeyDeviceName), "dev");
        EXPECT_EQ(c->getVersionIndex(), 3);
        EXPECT_EQ(c->getIntRegister(), 14);
        EXPECT_EQ(c->getRealRegister(), 2.5e6);
        EXPECT_TRUE(c->getSetRegister().empty());
        EXPECT_EQ(written(*c), written(source));
    }

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
