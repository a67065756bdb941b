// vgxhost with the real KOBRA plug-in: the menu of the registered items, dialog pictures and the order
// of the shutdown (which items a family registers is ModuleLifecycleTest's).
#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/VgxhostRun.h"

using namespace vgxtest;

namespace {

QStringList lines(const QString& text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

// Index of the first line at or after from that ends with text (trace lines carry a prefix); -1 if none.
qsizetype findLine(const QStringList& all, const QString& text, qsizetype from = 0) {
    for (qsizetype i = from; i < all.size(); ++i)
        if (all[i].endsWith(text))
            return i;
    return -1;
}

const QStringList kShutdownOrder = {
    "CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver ...",
    "CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver complete !!!",
    "CKobraPlugInDllModuleImplementation::exitusGui(): OK. exitusGui() complete !!!",
    "~CKobraPlugInDllModuleImplementation()",
    "progressbar deleted",
    "~CKobraPlugInDllModuleImplementation() complete",
};

void expectShutdownInOrder(const QString& err) {
    const QStringList all = lines(err);
    qsizetype at = 0;
    for (const QString& expected : kShutdownOrder) {
        const qsizetype found = findLine(all, expected, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << expected.toStdString() << "\n"
                            << err.toStdString();
        at = found + 1;
    }
}

class VgxhostLifecycle : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_settings.isValid()); }
    // A --quit run with tracing that shut down in order; its trace lines.
    QStringList quitRun(const QStringList& extra) const {
        const HostRun run = runHost(
            QStringList{"--quit", "--trace", "--scpi-port", "0", "--settings-dir", m_settings.path()} +
            extra);
        EXPECT_EQ(run.exitStatus, QProcess::NormalExit) << run.err.toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        expectShutdownInOrder(run.err);
        return lines(run.err);
    }
    QTemporaryDir m_settings;
};

} // namespace

TEST_F(VgxhostLifecycle, WindowModeGoesThroughTheRegisteredItemsForTheMenuAndShutsDownInOrder) {
    // No --headless with a (offscreen) display: the main window goes through the registered items in
    // their order, each under its key without the colon, offering those whose dialog the plug-in
    // creates and leaving out the others (MainWindowMenuTest checks which is which).
    const QStringList all = quitRun({});
    QStringList expected;
    static const QRegularExpression item("^addDialogItem \"(?::)?([^\"]*)\" (\"[^\"]*\")");
    for (const QString& l : all)
        if (const auto m = item.match(l); m.hasMatch())
            expected << QStringLiteral("\"%1\" %2").arg(m.captured(1), m.captured(2));
    ASSERT_FALSE(expected.isEmpty());
    static const QRegularExpression menuLine(
        "^vgxhost: menu KOBRA item (\"[^\"]+\") (?:opens|left out: no dialog) (\"[^\"]+\")$");
    QStringList menu;
    for (const QString& l : all)
        if (const auto m = menuLine.match(l); m.hasMatch())
            menu << m.captured(1) + ' ' + m.captured(2);
    EXPECT_EQ(menu, expected);
}

TEST_F(VgxhostLifecycle, ListsTheDialogsAndTakesPicturesOfThemWithoutADisplay) {
    const QStringList common = {"--settings-dir", m_settings.path(), "--scpi-port", "0"};
    const HostRun list = runHost(common + QStringList{"--list-dialogs"});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(lines(list.out).contains("main  (the main window)")) << list.out.toStdString();
    EXPECT_TRUE(lines(list.out).contains(":KOBRA  CKobraDlgMain")) << list.out.toStdString();

    // Every listed name renders; so does a menu key without its colon, the same dialog.
    QStringList names;
    for (const QString& l : lines(list.out))
        names << l.section(QLatin1Char(' '), 0, 0);
    names << "KOBRA";
    QMap<QString, QSize> sizes;
    for (const QString& name : names) {
        const QString file = m_settings.filePath(QStringLiteral("shot.png"));
        QFile::remove(file);
        const HostRun shot = runHost(common + QStringList{"--screenshot", name, file});
        EXPECT_EQ(shot.exitCode, 0) << name.toStdString() << ": " << shot.err.toStdString();
        const QImage picture(file);
        EXPECT_FALSE(picture.isNull()) << name.toStdString();
        sizes[name] = picture.size();
    }
    EXPECT_EQ(sizes[":KOBRA"], sizes["KOBRA"]);
    EXPECT_NE(sizes["main"], sizes[":KOBRA"]);

    const QString none = m_settings.filePath(QStringLiteral("none.png"));
    const HostRun unknown = runHost(common + QStringList{"--screenshot", "NoSuchDialog", none});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("no dialog 'NoSuchDialog'")) << unknown.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(VgxhostLifecycle, TerminationSignalShutsDownInOrder) {
    QProcess process;
    process.setProcessEnvironment(hostEnvironment());
    process.setReadChannel(QProcess::StandardError);
    process.start(vgxhostPath(),
                  {"--headless", "--trace", "--scpi-port", "0", "--settings-dir", m_settings.path()});
    ASSERT_TRUE(process.waitForStarted(-1));
    QString err;
    while (!err.contains("stop with Ctrl+C") && process.waitForReadyRead(-1))
        err += QString::fromLocal8Bit(process.readAllStandardError());
    ASSERT_TRUE(err.contains("stop with Ctrl+C")) << err.toStdString();
    process.terminate(); // SIGTERM
    ASSERT_TRUE(process.waitForFinished(-1));
    err += QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << err.toStdString();
    expectShutdownInOrder(err);
}
