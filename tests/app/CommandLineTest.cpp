// The vgxhost command line as a user meets it: help, version, refused values and start-up failures.
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/VgxhostRun.h"

using namespace vgxtest;

namespace {

// A plug-in path that cannot exist, so runs that get past the command line stop at start-up with 1.
QString missingPlugin(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("no-such-libkobra.so"));
}

} // namespace

TEST(VgxhostCommandLine, HelpListsEveryOptionWithItsValue) {
    const HostRun run = runHost({QStringLiteral("--help")});
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0);
    const QStringList expected = {
        QStringLiteral("--headless"),
        QStringLiteral("--scpi-port <N>"),
        QStringLiteral("--scpi-listen <ADDR>"),
        QStringLiteral("--family <HEX>"),
        QStringLiteral("--sim <FILE>"),
        QStringLiteral("--plugin <PATH>"),
        QStringLiteral("--settings-dir <DIR>"),
        QStringLiteral("--exec <CMDS>"),
        QStringLiteral("--quit"),
        QStringLiteral("--trace"),
        QStringLiteral("--version"),
        QStringLiteral("--help"),
    };
    for (const QString& option : expected)
        EXPECT_TRUE(run.out.contains(option)) << option.toStdString() << " missing in:\n"
                                              << run.out.toStdString();
    // The default plug-in is the one built next to the binary.
    EXPECT_TRUE(run.out.contains(QStringLiteral("/plugins/libkobra.so"))) << run.out.toStdString();
}

TEST(VgxhostCommandLine, VersionPrintsNameAndVersion) {
    const HostRun run = runHost({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^vgxhost \\d+\\.\\d+\\.\\d+\\n$")).match(run.out).hasMatch())
        << run.out.toStdString();
}

TEST(VgxhostCommandLine, InvalidValuesExitTwoAndSayWhatIsWrong) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plugin = missingPlugin(dir);
    struct Case {
        QStringList args;
        QString message;
    };
    const QList<Case> cases = {
        {{QStringLiteral("--family"), QStringLiteral("xyz")}, QStringLiteral("invalid --family 'xyz'")},
        {{QStringLiteral("--family"), QStringLiteral("0x")}, QStringLiteral("invalid --family '0x'")},
        {{QStringLiteral("--family"), QStringLiteral("0x1g000")},
         QStringLiteral("invalid --family '0x1g000'")},
        {{QStringLiteral("--family"), QStringLiteral("0x100000000")},
         QStringLiteral("invalid --family '0x100000000'")},
        {{QStringLiteral("--family"), QStringLiteral("-10000")}, QStringLiteral("invalid --family '-10000'")},
        {{QStringLiteral("--scpi-port"), QStringLiteral("65536")},
         QStringLiteral("invalid --scpi-port '65536'")},
        {{QStringLiteral("--scpi-port"), QStringLiteral("50x")}, QStringLiteral("invalid --scpi-port '50x'")},
        {{QStringLiteral("--scpi-listen"), QStringLiteral("300.1.1.1")},
         QStringLiteral("invalid --scpi-listen '300.1.1.1'")},
        {{QStringLiteral("--sim"), dir.filePath(QStringLiteral("absent.json"))},
         QStringLiteral("invalid --sim")},
        {{QStringLiteral("--settings-dir"), QStringLiteral(VGX_BUILD_DIR "/bin/vgxhost")},
         QStringLiteral("invalid --settings-dir")},
        {{QStringLiteral("--no-such-option")}, QStringLiteral("no-such-option")},
        {{QStringLiteral("stray")}, QStringLiteral("unexpected argument 'stray'")},
        {{QStringLiteral("--family")}, QStringLiteral("family")},
    };
    for (const Case& c : cases) {
        // The plug-in goes first, so an option without its value can come last.
        const HostRun run = runHost(QStringList{QStringLiteral("--plugin"), plugin} + c.args);
        const std::string args = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.exitStatus, QProcess::NormalExit) << args;
        EXPECT_EQ(run.exitCode, 2) << args << "\n" << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << args << "\n" << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << args;
    }
}

TEST(VgxhostCommandLine, AcceptedValuesGetPastTheCommandLine) {
    // These reach start-up, which then stops at the missing plug-in with 1, not 2.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plugin = missingPlugin(dir);
    const QList<QStringList> cases = {
        {QStringLiteral("--family"), QStringLiteral("20000")},
        {QStringLiteral("--family"), QStringLiteral("0X1abCD")},
        {QStringLiteral("--family"), QStringLiteral("0x10000")},
        {QStringLiteral("--scpi-port"), QStringLiteral("0")},
        {QStringLiteral("--scpi-port"), QStringLiteral("65535")},
        {QStringLiteral("--scpi-listen"), QStringLiteral("::1")},
        {QStringLiteral("--scpi-listen"), QStringLiteral("localhost")},
        {QStringLiteral("--settings-dir"), dir.filePath(QStringLiteral("new/settings"))},
        {QStringLiteral("--headless"), QStringLiteral("--trace")},
    };
    for (const QStringList& args : cases) {
        const HostRun run = runHost(args + QStringList{QStringLiteral("--plugin"), plugin});
        EXPECT_EQ(run.exitCode, 1) << args.join(QLatin1Char(' ')).toStdString() << "\n"
                                   << run.err.toStdString();
    }
    // A settings folder named on the command line is made when it is missing.
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("new/settings"))).isDir());
}

TEST(VgxhostCommandLine, MissingPluginExitsOneAndNamesThePath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plugin = missingPlugin(dir);
    const HostRun run =
        runHost({QStringLiteral("--headless"), QStringLiteral("--quit"), QStringLiteral("--plugin"), plugin,
                 QStringLiteral("--settings-dir"), dir.path()});
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(plugin)) << run.err.toStdString();
}

TEST(VgxhostCommandLine, ForeignLibraryIsRefusedAtStartUp) {
    // A shared library without the plug-in entry points: the host library itself.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString foreign = QStringLiteral(VGX_BUILD_DIR "/lib/libvgx.so");
    ASSERT_TRUE(QFileInfo::exists(foreign));
    const HostRun run =
        runHost({QStringLiteral("--headless"), QStringLiteral("--quit"), QStringLiteral("--plugin"), foreign,
                 QStringLiteral("--settings-dir"), dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(foreign)) << run.err.toStdString();
}

TEST(VgxhostCommandLine, ExecRunsLinesPrintsAnswersAndFailsOnErrors) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const HostRun good = runHost({QStringLiteral("--settings-dir"), dir.path(), QStringLiteral("--exec"),
                                  QStringLiteral("*IDN?\nSYSTem:ERRor?")});
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    const QStringList answers = good.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(answers.size(), 2) << good.out.toStdString();
    EXPECT_EQ(answers[0].split(QLatin1Char(',')).size(), 4) << answers[0].toStdString();
    EXPECT_EQ(answers[1], QStringLiteral("0,\"No error\""));

    const HostRun bad = runHost({QStringLiteral("--settings-dir"), dir.path(), QStringLiteral("--exec"),
                                 QStringLiteral("NOSUCH:HEADer 1")});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("-113"))) << bad.err.toStdString();
}

TEST(VgxhostCommandLine, ProtectionLevelLocksServiceCommandsUntilLowered) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString select = QStringLiteral("DIAG:KOBR:SEL 100123\n");
    const HostRun locked = runHost({QStringLiteral("--settings-dir"), dir.path(), QStringLiteral("--exec"),
                                    select + QStringLiteral("SYST:PROT:LEV?\nDIAG:KOBR:EEPR:SER:READ")});
    EXPECT_NE(locked.exitCode, 0);
    EXPECT_EQ(locked.out.trimmed(), QStringLiteral("1"));
    EXPECT_TRUE(locked.err.contains(QStringLiteral("20015"))) << locked.err.toStdString();

    const HostRun open = runHost(
        {QStringLiteral("--settings-dir"), dir.path(), QStringLiteral("--exec"),
         select + QStringLiteral("SYST:PROT:LEV 0;LEV?\nDIAG:KOBR:EEPR:SER:READ\nDIAG:KOBR:EEPR:SER?")});
    EXPECT_EQ(open.exitCode, 0) << open.err.toStdString();
    EXPECT_EQ(open.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              QStringList({QStringLiteral("0"), QStringLiteral("\"100123\"")}));

    const HostRun refused = runHost({QStringLiteral("--settings-dir"), dir.path(), QStringLiteral("--exec"),
                                     QStringLiteral("SYST:PROT:LEV 3\nSYST:PROT:LEV?")});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("-222"))) << refused.err.toStdString();
    EXPECT_EQ(refused.out.trimmed(), QStringLiteral("1"));
}
