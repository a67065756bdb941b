// vgxhost with --sim: the boxes of the file reach the plug-in's serial list; a bad file stops the start.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/VgxhostRun.h"

using namespace vgxtest;

namespace {

// vgxhost with a simulation file of this content and the extra arguments.
HostRun runWithSim(const QByteArray& content, const QStringList& extra, QString* simPath = nullptr) {
    QTemporaryDir dir;
    const QString path = dir.filePath("boxes.json");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    if (simPath)
        *simPath = path;
    return runHost(QStringList{"--settings-dir", dir.filePath("s"), "--sim", path} + extra);
}

} // namespace

TEST(VgxhostSimulationFile, ThreeBoxesGiveFourSerialEntries) {
    const HostRun run = runWithSim(R"({"boxes": [
        {"serial": 100123, "partNumber": "7730.1192K04"},
        {"serial": 100456, "partNumber": "7730.1192.02"},
        {"serial": 100789, "partNumber": "7730.1192K04"}]})",
                                   {"--exec", "KOBR:CATalog?"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), "\"None\",\"100123\",\"100456\",\"100789\"");
}

TEST(VgxhostSimulationFile, MalformedFileIsNamedAndStopsTheStart) {
    const QStringList quit = {"--headless", "--quit", "--scpi-port", "0"};
    QString path;
    const HostRun broken = runWithSim(R"({"boxes": [ {"serial": 1})", quit, &path);
    EXPECT_NE(broken.exitCode, 0);
    EXPECT_TRUE(broken.err.contains(path)) << broken.err.toStdString();
    EXPECT_TRUE(broken.err.contains("not valid JSON")) << broken.err.toStdString();
}
