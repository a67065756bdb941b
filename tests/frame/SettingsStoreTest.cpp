// The settings store: typed keys, dialog positions, companion tool paths and the documents folder.
#include <QRect>
#include <QSettings>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "frame/OrvaneSettings.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXDebugServer.h"
#include "host/util/VGXUtility.h"

using MvQARN::OrvaneSettings;

namespace {

// A second view of the shared store (or of a companion tool's store), to write raw texts and look at
// what the facade stored.
QSettings rawStore(const char* app = "Orvane") {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Maravel"),
                     QString::fromLatin1(app));
}

void writeRawPosition(const QString& name, const QString& text) {
    rawStore().setValue(QStringLiteral("GuiPositions/") + name, text);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { clearAll(); }
    void TearDown() override { clearAll(); }
    static void clearAll() {
        for (const char* app : {"Orvane", "Wavemill", "Pellor"})
            rawStore(app).clear();
    }
};

TEST_F(SettingsStoreTest, TypedKeysUseTheirStoredNames) {
    const struct {
        OrvaneSettings::SETTING_ID id;
        const char* key;
    } rows[] = {
        {OrvaneSettings::CB, "cb"},
        {OrvaneSettings::SCPI_SERVER_PORT, "ScpiServerPort"},
        {OrvaneSettings::INFO_SERVER_PORT, "InfoServerPort"},
        {OrvaneSettings::DIGRF_SCRIPT_RECOMPILE, "DigRFScriptRecompile"},
        {OrvaneSettings::KOBRA_COUNT, "KobraCount"},
        {OrvaneSettings::PL2UL, "pl2ul"},
        {OrvaneSettings::PL4UL, "pl4ul"},
        {OrvaneSettings::SETTINGS_DIR, "SettingsDir"},
        {OrvaneSettings::BLOCK_NUM, "blockNum"},
        {OrvaneSettings::INFO_SERVER_ENABLED, "InfoServerEnabled"},
    };
    int n = 100;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_FALSE(OrvaneSettings::exists(row.id));
        EXPECT_EQ(OrvaneSettings::value(row.id, QStringLiteral("dflt")).toString(), QStringLiteral("dflt"));
        OrvaneSettings::setValue(row.id, n);
        EXPECT_TRUE(OrvaneSettings::exists(row.id));
        EXPECT_EQ(OrvaneSettings::value(row.id, -1).toInt(), n);
        EXPECT_EQ(rawStore().value(QString::fromLatin1(row.key)).toInt(), n);
        ++n;
    }
    EXPECT_EQ(rawStore().allKeys().size(), int(std::size(rows)));
}

TEST_F(SettingsStoreTest, PawnEditorAnswersOneWhateverIsStored) {
    rawStore().setValue(QStringLiteral("PawnEditorVivevi"), 0);
    EXPECT_TRUE(OrvaneSettings::exists(OrvaneSettings::PAWN_EDITOR_VIVEVI));
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::PAWN_EDITOR_VIVEVI, 7).toInt(), 1);
    OrvaneSettings::setValue(OrvaneSettings::PAWN_EDITOR_VIVEVI, 5);
    EXPECT_EQ(rawStore().value(QStringLiteral("PawnEditorVivevi")).toInt(), 5);
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::PAWN_EDITOR_VIVEVI).toInt(), 1);
}

TEST_F(SettingsStoreTest, ToolPathIdsAndUnknownIdsHaveNoKey) {
    for (int id : {11, 12, 13, 15}) {
        SCOPED_TRACE(id);
        const auto sid = OrvaneSettings::SETTING_ID(id);
        OrvaneSettings::setValue(sid, QStringLiteral("x"));
        EXPECT_FALSE(OrvaneSettings::exists(sid));
        EXPECT_TRUE(rawStore().allKeys().isEmpty());
    }
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::SETTING_ID(13), 42).toInt(), 42);
}

TEST_F(SettingsStoreTest, ToolPathsComeFromTheToolsOwnStores) {
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::WAVEMILL_PATH).toString(), QStringLiteral("/Wavemill"));
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::PELLOR_PATH).toString(), QStringLiteral("/Pellor"));
    {
        QSettings wavemill = rawStore("Wavemill");
        wavemill.setValue(QStringLiteral("Default"), QStringLiteral("/opt/wavemill"));
        // A value under the other tool's name must not be taken.
        wavemill.setValue(QStringLiteral("Path"), QStringLiteral("/wrong"));
        QSettings pellor = rawStore("Pellor");
        pellor.setValue(QStringLiteral("Path"), QStringLiteral("/usr/local/pellor"));
        pellor.setValue(QStringLiteral("Default"), QStringLiteral("/wrong"));
    }
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::WAVEMILL_PATH).toString(),
              QStringLiteral("/opt/wavemill/Wavemill"));
    EXPECT_EQ(OrvaneSettings::value(OrvaneSettings::PELLOR_PATH).toString(),
              QStringLiteral("/usr/local/pellor/Pellor"));
    // Nothing of the tools' stores lands in the shared store.
    EXPECT_TRUE(rawStore().allKeys().isEmpty());
}

TEST_F(SettingsStoreTest, WaveformToolPathIsReportedOnTheDebugChannelOnlyWhenActive) {
    {
        QSettings wavemill = rawStore("Wavemill");
        wavemill.setValue(QStringLiteral("Default"), QStringLiteral("/opt/wm"));
    }
    frametest::TraceLines out;
    MvQARN::VGXDebugServer::deactivateAll();
    OrvaneSettings::value(OrvaneSettings::WAVEMILL_PATH);
    EXPECT_TRUE(out.all().isEmpty());

    MvQARN::VGXDebugServer::activate(5, 4, 13);
    OrvaneSettings::value(OrvaneSettings::WAVEMILL_PATH);
    OrvaneSettings::value(OrvaneSettings::PELLOR_PATH);
    MvQARN::VGXDebugServer::deactivateAll();
    ASSERT_EQ(out.all().size(), 1);
    EXPECT_EQ(
        out.all().first(),
        QStringLiteral("debug 5/13/4: HKEY_CURRENT_USER\\SOFTWARE\\Maravel\\Wavemill=/opt/wm/Wavemill"));
}

TEST_F(SettingsStoreTest, DialogPositionRoundTrip) {
    const QRect r(QPoint(10, 20), QPoint(109, 219));
    OrvaneSettings::saveDialogPosition(QStringLiteral("KOBRA Main"), r);
    EXPECT_EQ(rawStore().value(QStringLiteral("GuiPositions/KOBRA Main")).toString(),
              QStringLiteral("10;20;100;200"));
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("KOBRA Main")), r);

    // Negative coordinates are kept as they are; callers decide whether to apply them.
    OrvaneSettings::saveDialogPosition(QStringLiteral("Other"), QRect(-5, -7, 30, 40));
    EXPECT_EQ(rawStore().value(QStringLiteral("GuiPositions/Other")).toString(),
              QStringLiteral("-5;-7;30;40"));
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("Other")), QRect(-5, -7, 30, 40));
    // Positions are kept per caption.
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("KOBRA Main")), r);
}

TEST_F(SettingsStoreTest, MalformedOrMissingPositionsGiveTheNullRectangle) {
    EXPECT_TRUE(OrvaneSettings::loadDialogPosition(QStringLiteral("never saved")).isNull());

    writeRawPosition(QStringLiteral("three"), QStringLiteral("10;20;100"));
    writeRawPosition(QStringLiteral("five"), QStringLiteral("10;20;;100;5"));
    writeRawPosition(QStringLiteral("empty"), QString());
    for (const char* name : {"three", "five", "empty"}) {
        SCOPED_TRACE(name);
        const QRect r = OrvaneSettings::loadDialogPosition(QString::fromLatin1(name));
        EXPECT_EQ(r, QRect());
        EXPECT_EQ(r.left(), 0);
        EXPECT_EQ(r.top(), 0);
        EXPECT_EQ(r.right(), -1);
        EXPECT_EQ(r.bottom(), -1);
    }
}

TEST_F(SettingsStoreTest, UnreadablePartsCountAsZero) {
    writeRawPosition(QStringLiteral("letters"), QStringLiteral("a;20;100;200"));
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("letters")), QRect(0, 20, 100, 200));
    // Four parts with an empty one still make a rectangle.
    writeRawPosition(QStringLiteral("hole"), QStringLiteral("10;;100;200"));
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("hole")), QRect(10, 0, 100, 200));
}

// The documents folder is computed once, from the host's documents location, and then kept.
TEST(DocumentsFolderTest, FollowsTheHostDocumentsLocationAndIsKept) {
    QString first;
    {
        MvQARN::VGXHostRuntime::Options options;
        options.settingsDir = QStringLiteral("/tmp/kobra docs\\user");
        MvQARN::VGXHostRuntime runtime(options);
        ASSERT_EQ(MvQARN::vgxDocumentsPath(), options.settingsDir);
        first = MvQARN::getMyDocumentsPath();
    }
    EXPECT_EQ(first, QStringLiteral("/tmp/kobra docs/user/Maravel/Orvane"));
    ASSERT_NE(MvQARN::vgxDocumentsPath(), QStringLiteral("/tmp/kobra docs\\user"));
    EXPECT_EQ(MvQARN::getMyDocumentsPath(), first);
}

} // namespace
