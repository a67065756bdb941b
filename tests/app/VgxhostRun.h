#pragma once
// Runs the built vgxhost binary and collects what it printed.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vgxtest {

struct HostRun {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString out;
    QString err;
};

inline QString vgxhostPath() {
    return QStringLiteral(VGX_BUILD_DIR "/bin/vgxhost");
}

// Headless runs need no display; the process must not depend on the caller's settings either.
inline QProcessEnvironment hostEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// input goes to the process's standard input, which is then closed.
inline HostRun runHost(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.setProcessEnvironment(hostEnvironment());
    process.start(vgxhostPath(), arguments);
    HostRun run;
    if (!process.waitForStarted(-1))
        return run;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    run.exitCode = process.exitCode();
    run.exitStatus = process.exitStatus();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace vgxtest
