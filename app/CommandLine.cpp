#include "app/CommandLine.h"

#include <QFileInfo>
#include <QHostAddress>

namespace vgxapp {

namespace {
const QString kHeadless = QStringLiteral("headless");
const QString kScpiPort = QStringLiteral("scpi-port");
const QString kScpiListen = QStringLiteral("scpi-listen");
const QString kFamily = QStringLiteral("family");
const QString kSim = QStringLiteral("sim");
const QString kPlugin = QStringLiteral("plugin");
const QString kSettingsDir = QStringLiteral("settings-dir");
const QString kExec = QStringLiteral("exec");
const QString kQuit = QStringLiteral("quit");
const QString kTrace = QStringLiteral("trace");
const QString kListDialogs = QStringLiteral("list-dialogs");
const QString kScreenshot = QStringLiteral("screenshot");
} // namespace

CommandLine::CommandLine(const QString& defaultPlugin) : m_defaultPlugin(defaultPlugin) {
    m_parser.setApplicationDescription(
        QStringLiteral("Host application of the KOBRA plug-in: loads the plug-in, offers it the host's "
                       "services and drives simulated boxes. Shows a main window when a display is "
                       "there, otherwise runs headless."));
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")},
        {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and exit.")},
        {kHeadless, QStringLiteral("Run without a main window, even when a display is there.")},
        {kScpiPort, QStringLiteral("TCP port of the SCPI server; 0 switches it off (default 5025)."),
         QStringLiteral("N"), QStringLiteral("5025")},
        {kScpiListen, QStringLiteral("Address the SCPI server listens on (default 127.0.0.1)."),
         QStringLiteral("ADDR"), QStringLiteral("127.0.0.1")},
        {kFamily, QStringLiteral("Generator family code, hexadecimal with or without 0x (default 0x10000)."),
         QStringLiteral("HEX"), QStringLiteral("0x10000")},
        {kSim, QStringLiteral("JSON file describing the simulated boxes (default: two built-in boxes)."),
         QStringLiteral("FILE")},
        {kPlugin,
         QStringLiteral("Plug-in library to load; repeat for several (default %1).").arg(m_defaultPlugin),
         QStringLiteral("PATH")},
        {kSettingsDir,
         QStringLiteral("Folder for the documents and the settings store (default: the user's own)."),
         QStringLiteral("DIR")},
        {kExec,
         QStringLiteral("Run these SCPI lines (one per line; '-' reads them from standard input, '@FILE' "
                        "from a file), print answers and errors, exit non-zero on an error. Repeatable."),
         QStringLiteral("CMDS")},
        {kQuit, QStringLiteral("Start up completely, then shut down in order and exit.")},
        {kTrace, QStringLiteral("Print host trace messages and every registration to stderr.")},
        {kListDialogs, QStringLiteral("Print the dialogs the plug-ins registered (and 'main'), then exit.")},
        {kScreenshot,
         QStringLiteral("After start-up and --exec, open the dialog NAME (a menu item such as :KOBRA, a "
                        "dialog class name, or 'main' for the main window), save a picture of it to "
                        "the PNG file given after NAME, and exit."),
         QStringLiteral("NAME")},
    });
    m_parser.addPositionalArgument(QStringLiteral("FILE.png"),
                                   QStringLiteral("The picture --screenshot writes."),
                                   QStringLiteral("[FILE.png]"));
}

bool CommandLine::fail(const QString& text) {
    m_error = text;
    return false;
}

bool CommandLine::parseFamily(const QString& text, int* family) {
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty())
        return false;
    for (const QChar c : digits) {
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, 16);
    if (!ok || value > 0x7fffffffULL)
        return false;
    *family = static_cast<int>(value);
    return true;
}

bool CommandLine::parsePort(const QString& text, int* port) {
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return false;
    for (const QChar c : digits) {
        if (!c.isDigit())
            return false;
    }
    bool ok = false;
    const uint value = digits.toUInt(&ok, 10);
    if (!ok || value > 65535)
        return false;
    *port = static_cast<int>(value);
    return true;
}

bool CommandLine::parseListenAddress(const QString& text, QString* address) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        *address = QStringLiteral("127.0.0.1");
        return true;
    }
    if (t.compare(QLatin1String("any"), Qt::CaseInsensitive) == 0) {
        *address = QStringLiteral("0.0.0.0");
        return true;
    }
    QHostAddress host;
    if (!host.setAddress(t))
        return false;
    *address = host.toString();
    return true;
}

CommandLine::Outcome CommandLine::parse(const QStringList& arguments) {
    m_options = HostOptions{};
    m_error.clear();
    if (!m_parser.parse(arguments)) {
        fail(m_parser.errorText());
        return Outcome::Error;
    }
    if (m_parser.isSet(QStringLiteral("help")))
        return Outcome::ShowHelp;
    if (m_parser.isSet(QStringLiteral("version")))
        return Outcome::ShowVersion;
    QStringList positional = m_parser.positionalArguments();
    if (m_parser.isSet(kScreenshot)) {
        m_options.screenshotName = m_parser.values(kScreenshot).constLast();
        if (m_options.screenshotName.trimmed().isEmpty()) {
            fail(QStringLiteral("invalid --screenshot '': expected a dialog name"));
            return Outcome::Error;
        }
        if (positional.isEmpty() ||
            !positional.constFirst().endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
            fail(QStringLiteral(
                     "--screenshot %1: expected the picture's file name ending in .png after the name")
                     .arg(m_options.screenshotName));
            return Outcome::Error;
        }
        m_options.screenshotFile = QFileInfo(positional.takeFirst()).absoluteFilePath();
    }
    if (!positional.isEmpty()) {
        fail(QStringLiteral("unexpected argument '%1'").arg(positional.constFirst()));
        return Outcome::Error;
    }

    HostOptions& o = m_options;
    o.listDialogs = m_parser.isSet(kListDialogs);
    o.headless = m_parser.isSet(kHeadless);
    o.quit = m_parser.isSet(kQuit);
    o.trace = m_parser.isSet(kTrace);

    // An option given twice takes the last value, as the user typed it last; values() falls back to
    // the option's default when it is not given.
    const QString port = m_parser.values(kScpiPort).constLast();
    if (!parsePort(port, &o.scpiPort)) {
        fail(QStringLiteral("invalid --scpi-port '%1': expected a port number from 0 to 65535").arg(port));
        return Outcome::Error;
    }
    const QString listen = m_parser.values(kScpiListen).constLast();
    if (!parseListenAddress(listen, &o.scpiListen)) {
        fail(QStringLiteral("invalid --scpi-listen '%1': expected an IPv4 or IPv6 address, 'localhost' "
                            "or 'any'")
                 .arg(listen));
        return Outcome::Error;
    }
    const QString family = m_parser.values(kFamily).constLast();
    if (!parseFamily(family, &o.family)) {
        fail(
            QStringLiteral("invalid --family '%1': expected a hexadecimal code such as 0x10000").arg(family));
        return Outcome::Error;
    }
    if (m_parser.isSet(kSim)) {
        o.simFile = m_parser.values(kSim).constLast();
        const QFileInfo sim(o.simFile);
        if (!sim.isFile() || !sim.isReadable()) {
            fail(QStringLiteral("invalid --sim '%1': no such readable file").arg(o.simFile));
            return Outcome::Error;
        }
        o.simFile = sim.absoluteFilePath();
    }
    o.pluginPaths = m_parser.values(kPlugin);
    for (const QString& p : std::as_const(o.pluginPaths)) {
        if (p.trimmed().isEmpty()) {
            fail(QStringLiteral("invalid --plugin '': expected the path of a plug-in library"));
            return Outcome::Error;
        }
    }
    if (o.pluginPaths.isEmpty())
        o.pluginPaths << m_defaultPlugin;
    if (m_parser.isSet(kSettingsDir)) {
        o.settingsDir = m_parser.values(kSettingsDir).constLast();
        const QFileInfo dir(o.settingsDir);
        if (o.settingsDir.trimmed().isEmpty() || (dir.exists() && !dir.isDir())) {
            fail(QStringLiteral("invalid --settings-dir '%1': expected a folder").arg(o.settingsDir));
            return Outcome::Error;
        }
        o.settingsDir = dir.absoluteFilePath();
    }
    if (m_parser.isSet(kExec)) {
        o.hasExec = true;
        o.execSources = m_parser.values(kExec);
    }
    return Outcome::Run;
}

} // namespace vgxapp
