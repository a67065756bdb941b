// Host properties: the settings folder's INI file first, then the host's own values, then the caller's.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host//util/VGXProperties.h"
#include "host/util/impl/VGXHostRuntime.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

TEST(VGXProperties, BuiltInValuesAndCallerDefaults) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    VGXHostRuntime::Options o;
    o.settingsDir = dir.path();
    VGXHostRuntime rt(o);
    EXPECT_EQ(VGXProperties::filePath(), dir.filePath(QStringLiteral("vgxproperties.ini")));
    EXPECT_EQ(
        VGXProperties::value(QStringLiteral("GuiDimensions"), QStringLiteral("DisplayWidth"), 1).toInt(),
        800);
    EXPECT_EQ(VGXProperties::value(QStringLiteral("GuiDimensions"), QStringLiteral("DisplayHeight")).toInt(),
              600);
    const QVariant image = VGXProperties::value(QStringLiteral("StartupProcess"),
                                                QStringLiteral("ProgressImage"), QStringLiteral("caller"));
    EXPECT_TRUE(image.isValid());
    EXPECT_EQ(image.toString(), QString());
    EXPECT_EQ(VGXProperties::value(QStringLiteral("GuiDimensions"), QStringLiteral("Depth"), 24).toInt(), 24);
    EXPECT_FALSE(VGXProperties::value(QStringLiteral("Nowhere"), QStringLiteral("Key")).isValid());
}

TEST(VGXProperties, FileInTheSettingsFolderOverridesAndIsReadAgainEachTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    VGXHostRuntime::Options o;
    o.settingsDir = dir.path();
    VGXHostRuntime rt(o);
    {
        QFile f(dir.filePath(QStringLiteral("vgxproperties.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[GuiDimensions]\nDisplayWidth=1024\n[StartupProcess]\nProgressImage=/opt/splash.png\n"
                "[Custom]\nKey=value\n");
    }
    EXPECT_EQ(VGXProperties::value(QStringLiteral("GuiDimensions"), QStringLiteral("DisplayWidth")).toInt(),
              1024);
    // Keys the file leaves out keep the built-in value.
    EXPECT_EQ(VGXProperties::value(QStringLiteral("GuiDimensions"), QStringLiteral("DisplayHeight")).toInt(),
              600);
    EXPECT_EQ(
        VGXProperties::value(QStringLiteral("StartupProcess"), QStringLiteral("ProgressImage")).toString(),
        QStringLiteral("/opt/splash.png"));
    EXPECT_EQ(VGXProperties::value(QStringLiteral("Custom"), QStringLiteral("Key"), 0).toString(),
              QStringLiteral("value"));
    {
        QFile f(dir.filePath(QStringLiteral("vgxproperties.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[GuiDimensions]\nDisplayWidth=640\n");
    }
    EXPECT_EQ(VGXProperties::value(QStringLiteral("GuiDimensions"), QStringLiteral("DisplayWidth")).toInt(),
              640);
    EXPECT_EQ(VGXProperties::value(QStringLiteral("Custom"), QStringLiteral("Key"), 0).toInt(), 0);
}
