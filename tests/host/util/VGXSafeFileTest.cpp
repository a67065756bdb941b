// Files named by possibly hostile clients: what reading opens and how much it reads, what writing
// may replace, and which names can travel on one line.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "host/util/VGXSafeFile.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

using namespace MvQARN;

namespace {

void put(const QString& path, const QByteArray& data) {
    ASSERT_TRUE(testsupport::writeFile(path, data)) << path.toStdString();
}
using testsupport::readFile;

class SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid() && outside.isValid());
        d = dir.path();
    }
    QTemporaryDir dir, outside;
    QString d;
};

// A FIFO without a writer would block a plain open; a character device never ends; a link leads
// anywhere. Each is refused at once, and a regular file is read only up to the bound.
TEST_F(SafeFile, ReadingOpensOnlyRegularFilesWithoutWaitingAndReadsABoundedAmount) {
    put(d + "/ten", "0123456789");
    put(outside.path() + "/secret", "secret");
    ASSERT_EQ(::mkfifo(QFile::encodeName(d + "/fifo").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(outside.path() + "/secret", d + "/link"));
    ASSERT_TRUE(QFile::link("/dev/zero", d + "/zero"));

    const struct {
        QString path;
        VGXSafeFile::Result expected;
    } cases[] = {
        {d + "/fifo", VGXSafeFile::NotRegular}, {"/dev/zero", VGXSafeFile::NotRegular},
        {d + "/zero", VGXSafeFile::NotRegular}, {d + "/link", VGXSafeFile::NotRegular},
        {d, VGXSafeFile::NotRegular},           {d + "/none", VGXSafeFile::Missing},
        {d + "/ten/x", VGXSafeFile::Missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QByteArray data = "old";
        QString why;
        EXPECT_EQ(VGXSafeFile::readRegular(c.path, 1 << 20, data, &why), c.expected);
        EXPECT_TRUE(data.isEmpty());
        EXPECT_FALSE(why.isEmpty());
        QFile f;
        EXPECT_EQ(VGXSafeFile::openRegular(f, c.path), c.expected);
        EXPECT_FALSE(f.isOpen());
    }

    QByteArray data;
    EXPECT_EQ(VGXSafeFile::readRegular(d + "/ten", 10, data), VGXSafeFile::Ok);
    EXPECT_EQ(data, "0123456789");
    EXPECT_EQ(VGXSafeFile::readRegular(d + "/ten", 9, data), VGXSafeFile::TooLarge);
    EXPECT_TRUE(data.isEmpty());
    QFile f;
    ASSERT_EQ(VGXSafeFile::openRegular(f, d + "/ten"), VGXSafeFile::Ok);
    EXPECT_EQ(f.readAll(), "0123456789");
}

// A replacing write goes through no link, replaces no link, FIFO or folder, and no regular file the
// caller says is of another kind; a refused or failed write leaves everything as it was.
TEST_F(SafeFile, WritingReplacesOnlyARegularFileOfItsOwnKindAndFollowsNoLink) {
    auto settingsOnly = [](const QByteArray& head) { return head.startsWith("# mine"); };
    put(outside.path() + "/target", "outside");
    ASSERT_TRUE(QFile::link(outside.path() + "/target", d + "/evil"));
    ASSERT_TRUE(QFile::link(outside.path() + "/missing", d + "/dangling"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(d + "/fifo").constData(), 0600), 0);
    ASSERT_TRUE(QDir(d).mkdir("sub"));
    put(d + "/foreign", "[section]\nkey=1\n");
    put(d + "/mine", "# mine\nold\n");

    for (const char* name : {"evil", "dangling", "fifo", "sub", "foreign"}) {
        SCOPED_TRACE(name);
        QString why;
        EXPECT_EQ(VGXSafeFile::writeReplacing(d + "/" + name, "# mine\nnew\n", &why, settingsOnly),
                  VGXSafeFile::Refused);
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_EQ(readFile(outside.path() + "/target"), "outside");
    EXPECT_FALSE(QFile::exists(outside.path() + "/missing"));
    EXPECT_EQ(readFile(d + "/foreign"), "[section]\nkey=1\n");

    ASSERT_EQ(::chmod(QFile::encodeName(d + "/mine").constData(), 0640), 0);
    EXPECT_EQ(VGXSafeFile::writeReplacing(d + "/mine", "# mine\nnew\n", nullptr, settingsOnly),
              VGXSafeFile::Ok);
    EXPECT_EQ(readFile(d + "/mine"), "# mine\nnew\n");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(d + "/mine").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
    EXPECT_EQ(VGXSafeFile::writeReplacing(d + "/new/made", "x"), VGXSafeFile::Ok) << "the folder is made";
    EXPECT_EQ(readFile(d + "/new/made"), "x");
    // Nothing left behind: no temporary file beside the targets.
    EXPECT_EQ(QDir(d).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList({"dangling", "evil", "fifo", "foreign", "mine", "new", "sub"}));
}

// Every save through a replacing write (settings, recordings, plots, logs) meets a full disk the same
// way: a failure that says so, the earlier file untouched, no part of the new one under any name.
TEST_F(SafeFile, AFullDiskFailsTheWriteSayingSoAndLeavesNoPartOfTheFile) {
    put(d + "/old", "old");
    const QByteArray big(4096, 'x');
    for (const char* name : {"new", "old"}) {
        SCOPED_TRACE(name);
        QString why;
        {
            testsupport::FullDisk full;
            EXPECT_EQ(VGXSafeFile::writeReplacing(d + "/" + name, big, &why), VGXSafeFile::Failed);
        }
        EXPECT_TRUE(why.startsWith("no room for the file on the disk")) << why.toStdString();
        EXPECT_EQ(QDir(d).entryList(QDir::Files | QDir::Hidden), QStringList{"old"});
        EXPECT_EQ(readFile(d + "/old"), "old");
    }
    EXPECT_EQ(VGXSafeFile::writeReplacing(d + "/old", big), VGXSafeFile::Ok) << "the guard let go";
}

// A name in a catalogue answer or a file name parameter is one line a client can send back.
TEST_F(SafeFile, NamesThatCannotTravelOnOneLineOrLeadElsewhereAreRefused) {
    for (const char* good : {"a.lynx", "with blank.lynx", "quote\".lynx", "ümlaut.lynx", "a..b"})
        EXPECT_TRUE(VGXSafeFile::isPlainName(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", ".", "..", ".hidden.lynx", "a/b.lynx", "a\\b", "line\nfeed", "carriage\rr",
                            "del\x7f", "nel\u0085", "ls\u2028", " lead", "trail ", "tab\t"})
        EXPECT_FALSE(VGXSafeFile::isPlainName(QString::fromUtf8(bad))) << bad;
    EXPECT_TRUE(VGXSafeFile::isListableName(".hidden.lynx"));
    EXPECT_FALSE(VGXSafeFile::isListableName("line\nfeed"));

    const QString lynx = QStringLiteral("lynx");
    EXPECT_EQ(VGXSafeFile::fileInFolder(d, "a", lynx), d + "/a.lynx");
    EXPECT_EQ(VGXSafeFile::fileInFolder(d, "a.LYNX", lynx), d + "/a.LYNX");
    EXPECT_EQ(VGXSafeFile::fileInFolder(d, d + "/abs.lynx", lynx), d + "/abs.lynx");
    for (const char* refused : {"vgxproperties.ini", "Maravel/Orvane.conf", "sub/a.lynx", "a.wv", "../a.lynx",
                                ".hidden.lynx", "/etc/a.lynx", "new\nline.lynx"})
        EXPECT_EQ(VGXSafeFile::fileInFolder(d, refused, lynx), QString()) << refused;
}

} // namespace
