// The vgxhost command line as a user meets it: refused values, start-up failures and --exec runs.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "app/VgxhostRun.h"
#include "host/listadm/WaveformFile.h"
#include "support/ScpiErrorLine.h"
#include "support/TestFiles.h"

using namespace vgxtest;

namespace {

class VgxhostCommandLine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // A plug-in path that cannot exist, so runs that get past the command line stop at start-up with 1.
    QString missingPlugin() const { return dir.filePath("no-such-libkobra.so"); }
    // A run of --exec lines with its own settings folder.
    HostRun exec(const QString& lines) const {
        return runHost({"--settings-dir", dir.path(), "--exec", lines});
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(VgxhostCommandLine, InvalidValuesExitTwoAndSayWhatIsWrong) {
    const QList<std::pair<QStringList, QString>> cases = {
        {{"--family", "xyz"}, "invalid --family 'xyz'"},
        {{"--scpi-port", "65536"}, "invalid --scpi-port '65536'"},
        {{"--scpi-listen", "300.1.1.1"}, "invalid --scpi-listen '300.1.1.1'"},
        {{"--sim", dir.filePath("absent.json")}, "invalid --sim"},
        {{"--settings-dir", VGX_BUILD_DIR "/bin/vgxhost"}, "invalid --settings-dir"},
        {{"--no-such-option"}, "no-such-option"},
        {{"stray"}, "unexpected argument 'stray'"},
    };
    for (const auto& [args, message] : cases) {
        // The plug-in goes first, so an option without its value can come last.
        const HostRun run = runHost(QStringList{"--plugin", missingPlugin()} + args);
        const std::string what = args.join(' ').toStdString() + "\n" + run.err.toStdString();
        EXPECT_EQ(run.exitStatus, QProcess::NormalExit) << what;
        EXPECT_EQ(run.exitCode, 2) << what;
        EXPECT_TRUE(run.err.contains(message)) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
    }
}

TEST_F(VgxhostCommandLine, AcceptedValuesGetPastTheCommandLine) {
    // These reach start-up, which then stops at the missing plug-in with 1, not 2 (the plug-in's
    // refusal itself, naming the path, is the host runtime test's).
    const QList<QStringList> cases = {{"--family", "0X1abCD"},
                                      {"--scpi-port", "65535"},
                                      {"--scpi-listen", "::1"},
                                      {"--settings-dir", dir.filePath("new/settings")},
                                      {"--headless", "--trace"}};
    for (const QStringList& args : cases) {
        const HostRun run = runHost(args + QStringList{"--plugin", missingPlugin()});
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString() << "\n" << run.err.toStdString();
    }
    // A settings folder named on the command line is made when it is missing.
    EXPECT_TRUE(QFileInfo(dir.filePath("new/settings")).isDir());
}

TEST_F(VgxhostCommandLine, ExecRunsLinesPrintsAnswersAndFailsOnErrors) {
    const HostRun good = exec("*IDN?\nSYSTem:ERRor?");
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    const QStringList answers = good.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(answers.size(), 2) << good.out.toStdString();
    EXPECT_EQ(answers[0].split(',').size(), 4) << answers[0].toStdString();
    EXPECT_EQ(answers[1], scpiErrorLine(MvQARN::ScpiNoError));

    const HostRun bad = exec("NOSUCH:HEADer 1");
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.err.contains(QString::number(MvQARN::ScpiErrUndefinedHeader))) << bad.err.toStdString();
}

TEST_F(VgxhostCommandLine, ExecReadsScriptsFromFilesAndStandardInputInOrder) {
    // A script with CR LF endings and a last line without its LF, then standard input, then a literal.
    const QString script = dir.filePath("script.scpi");
    ASSERT_TRUE(testsupport::writeFile(script, "SYST:PROT:LEV?\r\n\nSYST:PROT:LEV 0\nSYST:PROT:LEV?"));
    const HostRun run = runHost(
        {"--settings-dir", dir.path(), "--exec", "@" + script, "--exec", "-", "--exec", "SYST:PROT:LEV?"},
        "SYST:PROT:LEV 1\nNOSUCH\nSYST:PROT:LEV?\n");
    EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts), QStringList({"1", "0", "1", "1"}))
        << run.out.toStdString();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count("error:"), 1) << run.err.toStdString();

    // An over-long last line of one source raises its error and leaves the next source's lines alone.
    const HostRun overrun = runHost({"--settings-dir", dir.path(), "--exec", "-", "--exec", "*OPC?"},
                                    QByteArray(2 * 1024 * 1024, 'A'));
    EXPECT_EQ(overrun.out.trimmed(), "1");
    EXPECT_TRUE(overrun.err.contains(QString::number(MvQARN::ScpiErrInputBufferOverrun)))
        << overrun.err.toStdString();

    const HostRun missing = exec("@" + dir.filePath("absent.scpi"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("absent.scpi")) << missing.err.toStdString();
}

TEST_F(VgxhostCommandLine, RecorderRunsContinuouslyUntilDiscarded) {
    // Free Run (1) while it runs, not Wait For Trigger (3) as a single recording would be; Record is
    // no reason to leave it; Discard goes back to Idle (0).
    const HostRun run = exec("SYST:REC:SOUR 7\nSYST:REC:RUN\nSYST:REC:STAT?\nSYST:REC:REC\nSYST:REC:STAT?\n"
                             "SYST:REC:DISC\nSYST:REC:STAT?\nSYST:REC:RUN\nSYST:REC:STAT?");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts), QStringList({"1", "1", "0", "1"}));
}

TEST_F(VgxhostCommandLine, RecorderLengthSetByAScriptSizesTheBlockAndARefusedOneChangesNothing) {
    // The database's limits refuse a length it cannot take, with its own error, and keep the last one.
    const QString file = dir.filePath("rec.wv");
    const HostRun run =
        exec(QStringLiteral("SYST:REC:LENG 1024\nSYST:REC:LENG 4096\nSYST:REC:LENG 511\n"
                            "SYST:REC:LENG?\nSYST:REC:SOUR 7\nSYST:REC:REC\nSYST:REC:SAVE \"%1\"")
                 .arg(file));
    EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts), QStringList{"1024"});
    EXPECT_EQ(run.err.count(scpiErrorLine(MvQARN::ScpiErrDataOutOfRange)), 2) << run.err.toStdString();
    QVector<MvQARN::WaveformFile::SSample> samples;
    QString error;
    ASSERT_TRUE(MvQARN::WaveformFile::readSamples(file, samples, &error)) << error.toStdString();
    EXPECT_EQ(samples.size(), 1024);
}

TEST_F(VgxhostCommandLine, ASaveBeyondTheFileSizeLimitFailsSayingSoAndTheHostGoesOn) {
    // The limit stands for a full disk; the host's small settings files still fit under it.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const HostRun run = exec(QStringLiteral("SYST:REC:LENG 2048\nSYST:REC:SOUR 7\nSYST:REC:REC\n"
                                            "SYST:REC:SAVE \"%1\"\nSYST:REC:LENG?")
                                 .arg(dir.filePath("rec.wv")));
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no room for the file on the disk")) << run.err.toStdString();
    EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts), QStringList{"2048"});
    EXPECT_TRUE(QDir(dir.path()).entryList({"*rec.wv*"}, QDir::Files | QDir::Hidden).isEmpty());
}
