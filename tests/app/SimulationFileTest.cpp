// vgxhost with --sim: the boxes of the file reach the plug-in's serial list; a bad file stops the start.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/VgxhostRun.h"

using namespace vgxtest;

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& content) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

} // namespace

TEST(VgxhostSimulationFile, ThreeBoxesGiveFourSerialEntries) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sim = writeFile(dir, "three.json", R"({"boxes": [
        {"serial": 100123, "partNumber": "7730.1192K04"},
        {"serial": 100456, "partNumber": "7730.1192.02"},
        {"serial": 100789, "partNumber": "7730.1192K04"}]})");
    const HostRun run =
        runHost({QStringLiteral("--settings-dir"), dir.filePath(QStringLiteral("s")), QStringLiteral("--sim"),
                 sim, QStringLiteral("--exec"), QStringLiteral("KOBR:CATalog?")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("\"None\",\"100123\",\"100456\",\"100789\""));
}

TEST(VgxhostSimulationFile, MalformedFileIsNamedAndStopsTheStart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString broken = writeFile(dir, "broken.json", R"({"boxes": [ {"serial": 1})");
    const HostRun run =
        runHost({QStringLiteral("--settings-dir"), dir.filePath(QStringLiteral("s")), QStringLiteral("--sim"),
                 broken, QStringLiteral("--headless"), QStringLiteral("--quit"),
                 QStringLiteral("--scpi-port"), QStringLiteral("0")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(broken)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("not valid JSON"))) << run.err.toStdString();

    const QString badField = writeFile(dir, "field.json", R"({"boxes": [ {"serial": "x"} ]})");
    const HostRun run2 =
        runHost({QStringLiteral("--settings-dir"), dir.filePath(QStringLiteral("s")), QStringLiteral("--sim"),
                 badField, QStringLiteral("--headless"), QStringLiteral("--quit"),
                 QStringLiteral("--scpi-port"), QStringLiteral("0")});
    EXPECT_NE(run2.exitCode, 0);
    EXPECT_TRUE(run2.err.contains(QStringLiteral("boxes[0].serial"))) << run2.err.toStdString();
}
