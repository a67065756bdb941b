// Menu items and file types: handles and lookups, and the registration lines the host prints.
#include <gtest/gtest.h>

#include <tuple>

#include "host//gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/util/impl/VGXTraceSink.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

class VGXRegistrationsTest : public ::testing::Test {
protected:
    void SetUp() override { VGXGuiRegistry::reset(); }
    void TearDown() override { VGXGuiRegistry::reset(); }
};

} // namespace

TEST_F(VGXRegistrationsTest, FileTypeHandlesCountUpInRegistrationOrder) {
    const std::tuple<const char*, const char*, bool> types[] = {
        {"Setting (*.lynx)", "*.lynx", false},   {"ARB Wave File (*.wv)", "*.wv", false},
        {"Recorder File (*.wv)", "*.wv", false}, {"Service test log file (*.txt)", "*.txt", true},
        {"Setting (*.lynx)", "*.lynx", false},   {"HexCoded Data (*.hex)", "*.hex", false}};
    int expected = 1;
    for (const auto& [description, pattern, flag] : types)
        EXPECT_EQ(VGXMain::registerFileType(description, pattern, flag), expected++);

    // The same type registered twice has two handles; a pattern finds its first one.
    ASSERT_NE(VGXMain::fileType(5), nullptr);
    EXPECT_EQ(VGXMain::fileType(5)->description, VGXMain::fileType(1)->description);
    for (const auto& [pattern, index] : {std::pair{"*.lynx", 1}, {"*.wv", 2}, {"*.hex", 6}, {"*.csv", -1}})
        EXPECT_EQ(VGXMain::findFileTypeIndex(pattern), index) << pattern;
    EXPECT_TRUE(VGXMain::fileType(4)->flag);
    EXPECT_FALSE(VGXMain::fileType(3)->flag);
    EXPECT_EQ(VGXMain::fileType(0), nullptr);
    EXPECT_EQ(VGXMain::fileType(7), nullptr);

    const QStringList lines = VGXGuiRegistry::lines("registerFileType");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "registerFileType \"Setting (*.lynx)\" \"*.lynx\" 0 -> 1");
    EXPECT_EQ(lines[3], "registerFileType \"Service test log file (*.txt)\" \"*.txt\" 1 -> 4");

    // Handles start again after the registry is emptied.
    VGXMain::clearFileTypes();
    EXPECT_EQ(VGXMain::registerFileType("X", "*.x", false), 1);
}

TEST_F(VGXRegistrationsTest, DialogItemsNameTheirDialogAndThePrintedLineIsStable) {
    QStringList printed;
    VGXScopedTraceCapture capture([&](const QString& l) { printed << l; });
    EXPECT_EQ(addDialogItem(":KOBRA", "CKobraDlgMain", 4), 0);
    EXPECT_EQ(addDialogItem(":KOBRA_TRANREC1", "CKobraDlgTranRecChannel1", 4), 1);
    {
        VGXGuiOwnerScope owner(2028);
        EXPECT_EQ(addDialogItem(":KOBRA", "CKobraDlgOther", 2), 2);
    }
    EXPECT_EQ(findDialogItem(":KOBRA"), "CKobraDlgOther");
    EXPECT_EQ(findDialogItem(":KOBRA_TRANREC1"), "CKobraDlgTranRecChannel1");
    EXPECT_EQ(findDialogItem(":NONE"), QString());

    const QList<VGXDialogItem> items = dialogItems();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].where, 4);
    EXPECT_EQ(items[0].owner, -1);
    EXPECT_EQ(items[2].owner, 2028);
    EXPECT_EQ(printed, (QStringList{"addDialogItem \":KOBRA\" \"CKobraDlgMain\" 4",
                                    "addDialogItem \":KOBRA_TRANREC1\" \"CKobraDlgTranRecChannel1\" 4",
                                    "addDialogItem \":KOBRA\" \"CKobraDlgOther\" 2"}));
    EXPECT_EQ(VGXGuiRegistry::lines(), printed);
}

TEST_F(VGXRegistrationsTest, QuotedTextsEscapeQuotesAndBackslashes) {
    addDialogItem("say \"hi\"", "C:\\dlg", 1);
    EXPECT_EQ(VGXGuiRegistry::lines().value(0), "addDialogItem \"say \\\"hi\\\"\" \"C:\\\\dlg\" 1");
}

TEST_F(VGXRegistrationsTest, ResetEmptiesEveryRegistry) {
    addDialogItem(":A", "A", 4);
    VGXMain::registerFileType("A", "*.a", false);
    VGXGuiRegistry::reset();
    EXPECT_TRUE(dialogItems().isEmpty());
    EXPECT_TRUE(VGXMain::fileTypes().isEmpty());
    EXPECT_TRUE(VGXGuiRegistry::records().isEmpty());
}
