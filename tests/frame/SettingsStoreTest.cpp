// The settings store: dialog positions and companion tool paths.
#include <QRect>
#include <QSettings>
#include <gtest/gtest.h>

#include "FrameTestRecords.h"
#include "frame/OrvaneSettings.h"

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

// Positions are kept per caption as "left;top;width;height"; a text without four parts gives the null
// rectangle and an unreadable part counts as 0.
TEST_F(SettingsStoreTest, DialogPositions) {
    OrvaneSettings::saveDialogPosition(QStringLiteral("KOBRA Main"), QRect(QPoint(10, 20), QPoint(109, 219)));
    EXPECT_EQ(rawStore().value(QStringLiteral("GuiPositions/KOBRA Main")).toString(),
              QStringLiteral("10;20;100;200"));
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("KOBRA Main")), QRect(10, 20, 100, 200));
    EXPECT_TRUE(OrvaneSettings::loadDialogPosition(QStringLiteral("never saved")).isNull());
    const std::pair<const char*, QRect> cases[] = {{"10;20;100", QRect()},
                                                   {"", QRect()},
                                                   {"a;20;100;200", QRect(0, 20, 100, 200)},
                                                   {"10;;100;200", QRect(10, 0, 100, 200)}};
    for (const auto& [text, rect] : cases) {
        writeRawPosition(QStringLiteral("p"), QString::fromLatin1(text));
        EXPECT_EQ(OrvaneSettings::loadDialogPosition(QStringLiteral("p")), rect) << text;
    }
}

} // namespace
