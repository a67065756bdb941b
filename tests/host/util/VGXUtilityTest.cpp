// Host utility functions: string building, trace lines, and the answers that come from the
// current host runtime (family code, documents folder, loadable lookup).
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host//util/VGXUtility.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/impl/VGXTraceSink.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

TEST(VGXUtilityBuildString, ConcatenatesTextsAndNumbersInDecimal) {
    EXPECT_EQ(VGXUtility::buildString("serial ", 100123, " on link ", 0), "serial 100123 on link 0");
    EXPECT_EQ(VGXUtility::buildString(-42, "/", 2.5, "/", 0.125), "-42/2.5/0.125");
    EXPECT_EQ(VGXUtility::buildString("Q", QByteArray("B"), std::string("s").c_str()), "QBs");
    EXPECT_EQ(VGXUtility::buildString(1e6), "1e+06");
    EXPECT_EQ(VGXUtility::buildString(4294967295u), "4294967295");
    const char* nothing = nullptr;
    EXPECT_EQ(VGXUtility::buildString("a", nothing, "b"), "ab");
    EXPECT_EQ(VGXUtility::buildString(), QString());
}

TEST(VGXUtilityTrace, PrintsPrefixedLinesOnlyWhileTracing) {
    QStringList lines;
    {
        VGXScopedTraceCapture capture([&](const QString& l) { lines << l; }, false);
        VGXUtility::traceMessage("silent");
        VGXTraceSink::setTracing(true);
        VGXUtility::traceMessage("exitusGui(): OK");
    }
    EXPECT_EQ(lines, QStringList{"trace: exitusGui(): OK"});
}

TEST(VGXUtilityRuntime, AnswersFromTheCurrentRuntime) {
    ASSERT_EQ(VGXHostRuntime::current(), nullptr);
    EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x10000);
    EXPECT_EQ(VGXUtility::getLoadableInterface(2028), nullptr);
    EXPECT_EQ(vgxDocumentsPath(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    ASSERT_NE(VGXUtility::getAnchorInterface(), nullptr);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        VGXHostRuntime::Options o;
        o.family = 0x20000;
        o.settingsDir = dir.path();
        VGXHostRuntime outer(o);
        EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x20000);
        EXPECT_EQ(vgxDocumentsPath(), dir.path());
        {
            // A nested runtime answers while it lives, then the outer one again.
            VGXHostRuntime inner(VGXHostRuntime::Options{});
            EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x10000);
            EXPECT_EQ(vgxDocumentsPath(),
                      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        }
        EXPECT_EQ(VGXHostRuntime::current(), &outer);
        EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x20000);
    }
    EXPECT_EQ(VGXHostRuntime::current(), nullptr);
    EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x10000);
}
