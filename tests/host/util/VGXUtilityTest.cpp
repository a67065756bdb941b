// Host utility functions: string building, and the answers that come from the current host runtime
// (family code, documents folder).
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host/util/VGXUtility.h"
#include "host/util/impl/VGXHostRuntime.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

TEST(VGXUtility, BuildStringConcatenatesTextsAndNumbersInDecimal) {
    EXPECT_EQ(VGXUtility::buildString(-42, "/", 2.5, "/", 4294967295u), "-42/2.5/4294967295");
    const char* nothing = nullptr;
    EXPECT_EQ(VGXUtility::buildString("a", nothing, "b"), "ab");
}

TEST(VGXUtility, AnswersComeFromTheInnermostLivingRuntime) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_EQ(VGXHostRuntime::current(), nullptr);
    EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x10000);
    EXPECT_EQ(vgxDocumentsPath(), documents);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        VGXHostRuntime::Options o;
        o.family = 0x20000;
        o.settingsDir = dir.path();
        VGXHostRuntime outer(o);
        EXPECT_EQ(std::pair(VGXUtility::getSigGenFamily(), vgxDocumentsPath()),
                  std::pair(0x20000, dir.path()));
        {
            VGXHostRuntime inner(VGXHostRuntime::Options{});
            EXPECT_EQ(std::pair(VGXUtility::getSigGenFamily(), vgxDocumentsPath()),
                      std::pair(0x10000, documents));
        }
        EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x20000);
    }
    EXPECT_EQ(VGXHostRuntime::current(), nullptr);
    EXPECT_EQ(VGXUtility::getSigGenFamily(), 0x10000);
}
