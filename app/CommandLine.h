#pragma once
// The vgxhost command line: what the user asked for, checked before anything starts.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace vgxapp {

struct HostOptions {
    bool headless = false;
    int scpiPort = 5025; // 0 = no SCPI server
    QString scpiListen = QStringLiteral("127.0.0.1");
    int family = 0x10000;
    QString simFile;
    QStringList pluginPaths;
    QString settingsDir;
    // One entry per --exec: SCPI lines, "-" for standard input or "@FILE" for a script file.
    QStringList execSources;
    bool hasExec = false;
    bool quit = false;
    bool trace = false;
    bool listDialogs = false;
    QString screenshotName; // empty: no picture
    QString screenshotFile; // absolute path of the PNG
};

class CommandLine {
public:
    enum class Outcome { Run, ShowHelp, ShowVersion, Error };

    // defaultPlugin is used when no --plugin is given.
    explicit CommandLine(const QString& defaultPlugin);

    // arguments include the program name first, as QCoreApplication::arguments() gives them.
    Outcome parse(const QStringList& arguments);

    const HostOptions& options() const { return m_options; }
    // Set when parse() answered Error: one line, without the program name.
    const QString& errorText() const { return m_error; }
    // Needs a QCoreApplication (the parser prints the executable's name).
    QString helpText() const { return m_parser.helpText(); }

    // "0x20000" or "20000" (hexadecimal either way); false for anything else or a value beyond int.
    static bool parseFamily(const QString& text, int* family);
    // 0..65535, decimal.
    static bool parsePort(const QString& text, int* port);
    // An IPv4 or IPv6 address, or "localhost"/"any"; answers the literal address to listen on.
    static bool parseListenAddress(const QString& text, QString* address);

private:
    bool fail(const QString& text);

    QString m_defaultPlugin;
    QCommandLineParser m_parser;
    HostOptions m_options;
    QString m_error;
};

} // namespace vgxapp
