// vgxhost with the real KOBRA plug-in: start-up registrations and the order of the shutdown.
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/VgxhostRun.h"

using namespace vgxtest;

namespace {

QStringList lines(const QString& text) {
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Index of the first line at or after from that ends with text (trace lines carry a prefix); -1 if none.
qsizetype findLine(const QStringList& all, const QString& text, qsizetype from = 0) {
    for (qsizetype i = from; i < all.size(); ++i)
        if (all[i].endsWith(text))
            return i;
    return -1;
}

// The lines of one kind of registration, without the kind word.
QStringList registrations(const QStringList& all, const QString& kind) {
    QStringList out;
    const QString prefix = kind + QLatin1Char(' ');
    for (const QString& l : all)
        if (l.startsWith(prefix))
            out << l.mid(prefix.size());
    return out;
}

// True when expected appears in list as one consecutive run, in order.
bool containsRun(const QStringList& list, const QStringList& expected) {
    for (qsizetype start = 0; start + expected.size() <= list.size(); ++start)
        if (list.mid(start, expected.size()) == expected)
            return true;
    return false;
}

const QStringList kShutdownOrder = {
    QStringLiteral("CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver ..."),
    QStringLiteral(
        "CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver complete !!!"),
    QStringLiteral("CKobraPlugInDllModuleImplementation::exitusGui(): OK. exitusGui() complete !!!"),
    QStringLiteral("~CKobraPlugInDllModuleImplementation()"),
    QStringLiteral("progressbar deleted"),
    QStringLiteral("~CKobraPlugInDllModuleImplementation() complete"),
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

const QStringList kDialogItems = {
    QStringLiteral("\":KOBRA\" \"CKobraDlgMain\" 4"),
    QStringLiteral("\":KOBRA_TRANREC0\" \"CKobraDlgTranRecChannel0\" 4"),
    QStringLiteral("\":KOBRA_TRANREC1\" \"CKobraDlgTranRecChannel1\" 4"),
    QStringLiteral("\":KOBRA_DEVICE\" \"CKobraDlgDeviceManager\" 4"),
};

const QStringList kFileTypes = {
    QStringLiteral("\"KOBRA User Defined Setting (*.lynx)\" \"*.lynx\" 0"),
    QStringLiteral("\"ARB Setting File (*.wv)\" \"*.wv\" 0"),
    QStringLiteral("\"ARB Wave File (*.wv)\" \"*.wv\" 0"),
    QStringLiteral("\"Recorder File (*.wv)\" \"*.wv\" 0"),
    QStringLiteral("\"Service test log file (*.txt)\" \"*.txt\" 1"),
    QStringLiteral("\"KOBRA User Defined Setting (*.lynx)\" \"*.lynx\" 0"),
    QStringLiteral("\"HexCoded Data (*.hex)\" \"*.hex\" 0"),
};

// File type lines end with the handle the host gave ("-> 3"); the handle is the host's business.
QStringList withoutHandles(const QStringList& fileTypes) {
    QStringList out;
    static const QRegularExpression handle(QStringLiteral(" -> \\d+$"));
    for (QString t : fileTypes)
        out << t.remove(handle);
    return out;
}

class VgxhostLifecycle : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_settings.isValid()); }
    QStringList args(const QStringList& extra) const {
        return QStringList{QStringLiteral("--quit"),         QStringLiteral("--trace"),
                           QStringLiteral("--scpi-port"),    QStringLiteral("0"),
                           QStringLiteral("--settings-dir"), m_settings.path()} +
               extra;
    }
    QTemporaryDir m_settings;
};

} // namespace

TEST_F(VgxhostLifecycle, HeadlessQuitStartsAndShutsDownInOrder) {
    const HostRun run = runHost(args({QStringLiteral("--headless")}));
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    expectShutdownInOrder(run.err);

    // The default family 0x10000 adds the user-defined interface dialog to the four common items.
    const QStringList all = lines(run.err);
    const QStringList items = registrations(all, QStringLiteral("addDialogItem"));
    EXPECT_TRUE(containsRun(items, kDialogItems)) << run.err.toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("\":KOBRA_USER\" \"CBasebandLynxMainInOutDialog\" 4")))
        << run.err.toStdString();
    // Registration happens before the shutdown starts.
    EXPECT_LT(findLine(all, QStringLiteral("\"CKobraDlgDeviceManager\" 4")),
              findLine(all, kShutdownOrder.first()));
}

TEST_F(VgxhostLifecycle, WindowModeQuitShutsDownInOrder) {
    // No --headless with a (offscreen) display: the main window's menu lists the registered items in
    // their order.
    const HostRun run = runHost(args({}));
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList menu =
        lines(run.err).filter(QRegularExpression(QStringLiteral("^vgxhost: menu KOBRA item ")));
    const QStringList expected = {
        QStringLiteral("vgxhost: menu KOBRA item \"KOBRA\" opens \"CKobraDlgMain\""),
        QStringLiteral("vgxhost: menu KOBRA item \"KOBRA_TRANREC0\" opens \"CKobraDlgTranRecChannel0\""),
        QStringLiteral("vgxhost: menu KOBRA item \"KOBRA_TRANREC1\" opens \"CKobraDlgTranRecChannel1\""),
        QStringLiteral("vgxhost: menu KOBRA item \"KOBRA_DEVICE\" opens \"CKobraDlgDeviceManager\""),
        QStringLiteral("vgxhost: menu KOBRA item \"KOBRA_USER\" opens \"CBasebandLynxMainInOutDialog\""),
    };
    EXPECT_EQ(menu, expected) << run.err.toStdString();
    expectShutdownInOrder(run.err);
}

TEST_F(VgxhostLifecycle, OtherFamilyRegistersCommonItemsButNoUserDialog) {
    const HostRun run =
        runHost(args({QStringLiteral("--headless"), QStringLiteral("--family"), QStringLiteral("0x20000")}));
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList all = lines(run.err);

    const QStringList items = registrations(all, QStringLiteral("addDialogItem"));
    EXPECT_TRUE(containsRun(items, kDialogItems)) << run.err.toStdString();
    for (const QString& item : items)
        EXPECT_FALSE(item.contains(QStringLiteral(":KOBRA_USER"))) << item.toStdString();

    const QStringList fileTypes = withoutHandles(registrations(all, QStringLiteral("registerFileType")));
    EXPECT_TRUE(containsRun(fileTypes, kFileTypes)) << run.err.toStdString();

    const QStringList descriptors = registrations(all, QStringLiteral("addDescriptor"));
    EXPECT_EQ(
        descriptors
            .filter(QRegularExpression(QStringLiteral("^checkbox IdPDbLynxDeviceState .*\"Off\" \"On\"$")))
            .size(),
        1)
        << run.err.toStdString();

    // Without the family's progress dialog the destructor still runs its whole sequence.
    expectShutdownInOrder(run.err);
}

TEST_F(VgxhostLifecycle, TerminationSignalShutsDownInOrder) {
    QProcess process;
    process.setProcessEnvironment(hostEnvironment());
    process.setReadChannel(QProcess::StandardError);
    process.start(vgxhostPath(),
                  {QStringLiteral("--headless"), QStringLiteral("--trace"), QStringLiteral("--scpi-port"),
                   QStringLiteral("0"), QStringLiteral("--settings-dir"), m_settings.path()});
    ASSERT_TRUE(process.waitForStarted(-1));
    QString err;
    while (!err.contains(QStringLiteral("stop with Ctrl+C"))) {
        if (!process.waitForReadyRead(-1))
            break;
        err += QString::fromLocal8Bit(process.readAllStandardError());
    }
    ASSERT_TRUE(err.contains(QStringLiteral("stop with Ctrl+C"))) << err.toStdString();
    process.terminate(); // SIGTERM
    ASSERT_TRUE(process.waitForFinished(-1));
    err += QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << err.toStdString();
    expectShutdownInOrder(err);
}
