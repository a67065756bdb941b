// vgxhost with --sim: the boxes of the file reach the plug-in's serial list (files it refuses are
// CommandLineTest's and SimBoxFileTest's).
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/VgxhostRun.h"
#include "support/TestFiles.h"

using namespace vgxtest;

namespace {

// vgxhost with a simulation file of this content and the extra arguments.
HostRun runWithSim(const QByteArray& content, const QStringList& extra) {
    QTemporaryDir dir;
    const QString path = dir.filePath("boxes.json");
    EXPECT_TRUE(testsupport::writeFile(path, content));
    return runHost(QStringList{"--settings-dir", dir.filePath("s"), "--sim", path} + extra);
}

} // namespace

// Serial numbers of seven and more digits stay whole numbers: listed apart, selected by their own
// number and answered as they are.
TEST(VgxhostSimulationFile, LongSerialNumbersStayWholeAndApart) {
    const QStringList lines = {"KOBR:CATalog?",
                               "KOBR:SELect 1234571",
                               "SOURce2:KOBR:SELect 1234567",
                               "KOBR:SELect?;:SOURce2:KOBR:SELect?",
                               "KOBR:DEVice:SELect 123456789",
                               "KOBR:DEVice:SELect?;SERial?"};
    const HostRun run = runWithSim(R"({"boxes": [
        {"serial": 1234567, "partNumber": "7730.1192K04"},
        {"serial": 1234571, "partNumber": "7730.1192K04"},
        {"serial": 123456789, "partNumber": "7730.1192.02"}]})",
                                   {"--exec", lines.join('\n')});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed().split('\n'), QStringList({"\"None\",\"1234567\",\"1234571\",\"123456789\"",
                                                          "1234571;1234567", "123456789;\"123456789\""}))
        << run.out.toStdString();
}
