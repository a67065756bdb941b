// Descriptor registry and entries: ownership, lookup by parameter, and what each entry kind offers.
#include <gtest/gtest.h>

#include "host//gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNBitEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/VGXDescriptorTextEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

class TrackedEntry : public VGXDescriptorTextEntry {
public:
    TrackedEntry(const char* name, int* destroyed)
        : VGXDescriptorTextEntry(VGXUserDbAttributes(name), true), m_destroyed(destroyed) {}
    ~TrackedEntry() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

class VGXDescriptorsTest : public ::testing::Test {
protected:
    void SetUp() override { VGXGuiRegistry::reset(); }
    void TearDown() override { VGXGuiRegistry::reset(); }
};

VGXUserDbAttributes all(const char* name) {
    return VGXUserDbAttributes(name, -1, -1, -1, -1);
}

} // namespace

TEST_F(VGXDescriptorsTest, RegistryOwnsEntriesAndFindsTheLatestForAName) {
    int destroyed = 0;
    EXPECT_FALSE(VGXDescriptors::addDescriptor(nullptr));
    auto* first = new TrackedEntry("IdPDbA", &destroyed);
    auto* second = new TrackedEntry("IdPDbA", &destroyed);
    EXPECT_TRUE(VGXDescriptors::addDescriptor(first));
    VGXDescriptorEntry* list[] = {new TrackedEntry("IdPDbB", &destroyed), second, nullptr};
    EXPECT_EQ(VGXDescriptors::addDescriptors(list), 2);
    EXPECT_EQ(VGXDescriptors::addDescriptors(nullptr), 0);
    EXPECT_EQ(VGXDescriptors::count(), 3);
    EXPECT_EQ(VGXDescriptors::find("IdPDbA"), second);
    EXPECT_EQ(VGXDescriptors::find("IdPDbC"), nullptr);
    EXPECT_EQ(VGXDescriptors::find(nullptr), nullptr);
    EXPECT_EQ(VGXDescriptors::descriptors().first(), first);
    EXPECT_EQ(destroyed, 0);
    VGXDescriptors::clear();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(VGXDescriptors::count(), 0);
}

TEST_F(VGXDescriptorsTest, EachKindDescribesItselfOnOneLine) {
    VGXDescriptorEntry* list[] = {
        new VGXDescriptorCheckboxEntry(all("IdPDbLynxDeviceState"), true, "Off", "On", QString()),
        new VGXDescriptorComboboxEntry(all("IdPDbKobraMode"), true, {"Receiver", "Transmitter"}),
        new VGXDescriptorNumberEntry(all("IdPDbLynxClockFreq"), false, 3, "MHz"),
        new VGXDescriptorTextEntry(all("IdPDbKobraSerial"), false),
        new VGXDescriptorStringEntry(all("IdPDbKobraComment"), true, 64),
        new VGXDescriptorNBitEntry(all("IdPDbLynxPattern"), true, 10),
        nullptr,
    };
    EXPECT_EQ(VGXDescriptors::addDescriptors(list), 6);
    EXPECT_EQ(VGXGuiRegistry::lines("addDescriptor"),
              (QStringList{
                  "addDescriptor checkbox IdPDbLynxDeviceState \"Off\" \"On\"",
                  "addDescriptor combobox IdPDbKobraMode \"Receiver\"=0 \"Transmitter\"=1",
                  "addDescriptor number IdPDbLynxClockFreq 3 \"MHz\"",
                  "addDescriptor text IdPDbKobraSerial",
                  "addDescriptor string IdPDbKobraComment 64",
                  "addDescriptor nbit IdPDbLynxPattern 10",
              }));
    const VGXDescriptorEntry* checkbox = VGXDescriptors::find("IdPDbLynxDeviceState");
    ASSERT_NE(checkbox, nullptr);
    EXPECT_TRUE(checkbox->isEnabled());
    EXPECT_EQ(checkbox->binding().instance(), -1);
    EXPECT_EQ(checkbox->binding().station(), -1);
    EXPECT_FALSE(VGXDescriptors::find("IdPDbLynxClockFreq")->isEnabled());
}

TEST_F(VGXDescriptorsTest, ComboboxPairsTextsWithValues) {
    const VGXDescriptorComboboxEntry implicit(all("IdPDbKobraMode"), true, {"Receiver", "Transmitter"});
    EXPECT_EQ(implicit.values(), (QList<int>{0, 1}));
    EXPECT_EQ(implicit.textOf(1), "Transmitter");
    EXPECT_EQ(implicit.valueOf("Receiver"), 0);

    const VGXDescriptorComboboxEntry given(all("IdPDbKobraType"), true, {"SSI", "CPRI", "Extra"}, {1, 2});
    EXPECT_EQ(given.texts().size(), 2); // the text without a value is not offered
    EXPECT_EQ(given.textOf(2), "CPRI");
    EXPECT_EQ(given.textOf(0), QString());
    EXPECT_EQ(given.valueOf("Extra"), -1);
}

TEST_F(VGXDescriptorsTest, NumberCheckboxAndBitEntriesFormatForDisplay) {
    const VGXDescriptorNumberEntry mhz(all("IdPDbLynxClockFreq"), true, 2, "MHz");
    EXPECT_EQ(mhz.format(122.88), "122.88 MHz");
    EXPECT_EQ(mhz.format(-1.005), "-1.00 MHz");
    const VGXDescriptorNumberEntry plain(all("IdPDbX"), true, 0);
    EXPECT_EQ(plain.format(3.6), "4");

    const VGXDescriptorCheckboxEntry box(all("IdPDbLynxDeviceState"), true, "Off", "On");
    EXPECT_EQ(box.stateText(false), "Off");
    EXPECT_EQ(box.stateText(true), "On");

    EXPECT_EQ(VGXDescriptorNBitEntry(all("IdPDbP"), true, 10).hexDigits(), 3);
    EXPECT_EQ(VGXDescriptorNBitEntry(all("IdPDbP"), true, 32).hexDigits(), 8);
}
