// Host properties: the settings folder's INI file first, then the host's own values, then the caller's.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host//util/VGXProperties.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

TEST(VGXProperties, TheFileOverridesTheBuiltInValuesWhichOverrideTheCallersDefaults) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    VGXHostRuntime::Options o;
    o.settingsDir = dir.path();
    VGXHostRuntime rt(o);
    EXPECT_EQ(VGXProperties::filePath(), dir.filePath("vgxproperties.ini"));
    auto value = [](const char* group, const char* key, const QVariant& def = QVariant()) {
        return VGXProperties::value(group, key, def);
    };
    auto writeFile = [&](const QByteArray& text) {
        QFile f(VGXProperties::filePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    EXPECT_EQ(value("GuiDimensions", "DisplayWidth", 1).toInt(), 800);
    EXPECT_EQ(value("GuiDimensions", "DisplayHeight").toInt(), 600);
    const QVariant image = value("StartupProcess", "ProgressImage", "caller");
    EXPECT_TRUE(image.isValid());
    EXPECT_EQ(image.toString(), QString());
    EXPECT_EQ(value("GuiDimensions", "Depth", 24).toInt(), 24);
    EXPECT_FALSE(value("Nowhere", "Key").isValid());

    writeFile("[GuiDimensions]\nDisplayWidth=1024\n[StartupProcess]\nProgressImage=/opt/splash.png\n"
              "[Custom]\nKey=value\n");
    EXPECT_EQ(value("GuiDimensions", "DisplayWidth").toInt(), 1024);
    EXPECT_EQ(value("GuiDimensions", "DisplayHeight").toInt(), 600); // left out by the file
    EXPECT_EQ(value("StartupProcess", "ProgressImage").toString(), "/opt/splash.png");
    EXPECT_EQ(value("Custom", "Key", 0).toString(), "value");
    // The file is read again each time.
    writeFile("[GuiDimensions]\nDisplayWidth=640\n");
    EXPECT_EQ(value("GuiDimensions", "DisplayWidth").toInt(), 640);
    EXPECT_EQ(value("Custom", "Key", 0).toInt(), 0);
}
