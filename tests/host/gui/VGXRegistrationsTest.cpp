// Menu items and file types: handles and lookups, and the registration lines the host prints.
#include <gtest/gtest.h>

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
    const struct {
        const char* description;
        const char* pattern;
        bool flag;
    } types[] = {
        {"KOBRA User Defined Setting (*.lynx)", "*.lynx", false},
        {"ARB Setting File (*.wv)", "*.wv", false},
        {"ARB Wave File (*.wv)", "*.wv", false},
        {"Recorder File (*.wv)", "*.wv", false},
        {"Service test log file (*.txt)", "*.txt", true},
        {"KOBRA User Defined Setting (*.lynx)", "*.lynx", false},
        {"HexCoded Data (*.hex)", "*.hex", false},
    };
    int expected = 1;
    for (const auto& t : types)
        EXPECT_EQ(VGXMain::registerFileType(QString::fromLatin1(t.description),
                                            QString::fromLatin1(t.pattern), t.flag),
                  expected++);

    // The same type registered twice has two handles; a pattern finds its first one.
    ASSERT_NE(VGXMain::fileType(6), nullptr);
    EXPECT_EQ(VGXMain::fileType(6)->description, VGXMain::fileType(1)->description);
    EXPECT_EQ(VGXMain::findFileTypeIndex(QStringLiteral("*.lynx")), 1);
    EXPECT_EQ(VGXMain::findFileTypeIndex(QStringLiteral("*.wv")), 2);
    EXPECT_EQ(VGXMain::findFileTypeIndex(QStringLiteral("*.hex")), 7);
    EXPECT_EQ(VGXMain::findFileTypeIndex(QStringLiteral("*.csv")), -1);
    EXPECT_TRUE(VGXMain::fileType(5)->flag);
    EXPECT_FALSE(VGXMain::fileType(4)->flag);
    EXPECT_EQ(VGXMain::fileType(0), nullptr);
    EXPECT_EQ(VGXMain::fileType(8), nullptr);

    const QStringList lines = VGXGuiRegistry::lines(QStringLiteral("registerFileType"));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0],
              QStringLiteral("registerFileType \"KOBRA User Defined Setting (*.lynx)\" \"*.lynx\" 0 -> 1"));
    EXPECT_EQ(lines[4],
              QStringLiteral("registerFileType \"Service test log file (*.txt)\" \"*.txt\" 1 -> 5"));

    // Handles start again after the registry is emptied.
    VGXMain::clearFileTypes();
    EXPECT_EQ(VGXMain::registerFileType(QStringLiteral("X"), QStringLiteral("*.x"), false), 1);
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
    EXPECT_EQ(findDialogItem(QStringLiteral(":KOBRA")), QStringLiteral("CKobraDlgOther"));
    EXPECT_EQ(findDialogItem(QStringLiteral(":KOBRA_TRANREC1")), QStringLiteral("CKobraDlgTranRecChannel1"));
    EXPECT_EQ(findDialogItem(QStringLiteral(":NONE")), QString());

    const QList<VGXDialogItem> items = dialogItems();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].where, 4);
    EXPECT_EQ(items[0].owner, -1);
    EXPECT_EQ(items[2].owner, 2028);
    EXPECT_EQ(printed,
              (QStringList{QStringLiteral("addDialogItem \":KOBRA\" \"CKobraDlgMain\" 4"),
                           QStringLiteral("addDialogItem \":KOBRA_TRANREC1\" \"CKobraDlgTranRecChannel1\" 4"),
                           QStringLiteral("addDialogItem \":KOBRA\" \"CKobraDlgOther\" 2")}));
    EXPECT_EQ(VGXGuiRegistry::lines(), printed);
}

TEST_F(VGXRegistrationsTest, QuotedTextsEscapeQuotesAndBackslashes) {
    addDialogItem("say \"hi\"", "C:\\dlg", 1);
    EXPECT_EQ(VGXGuiRegistry::lines().value(0),
              QStringLiteral("addDialogItem \"say \\\"hi\\\"\" \"C:\\\\dlg\" 1"));
}

TEST_F(VGXRegistrationsTest, ResetEmptiesEveryRegistry) {
    addDialogItem(":A", "A", 4);
    VGXMain::registerFileType(QStringLiteral("A"), QStringLiteral("*.a"), false);
    VGXGuiRegistry::reset();
    EXPECT_TRUE(dialogItems().isEmpty());
    EXPECT_TRUE(VGXMain::fileTypes().isEmpty());
    EXPECT_TRUE(VGXGuiRegistry::records().isEmpty());
}
