// vgxwv: makes waveform files for the ARB and shows what is in them.
//
//   vgxwv sine --clock 10e6 --samples 1000 --freq 1e6 [--level -3] [--comment TEXT] out.wv
//   vgxwv prbs --order 9 --clock 10e6 [--samples N] [--level -3] [--comment TEXT] out.wv
//   vgxwv csv in.csv --clock 10e6 [--int16] [--comment TEXT] out.wv
//   vgxwv info [--check] file.wv...
#include <QCoreApplication>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <cmath>

#include "host/listadm/WaveformFile.h"

using MvQARN::WaveformFile;

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

const char* const kUsage =
    "usage:\n"
    "  vgxwv sine --clock HZ --samples N --freq HZ [--level DB] [--comment TEXT] OUT.wv\n"
    "  vgxwv prbs --order N --clock HZ [--samples N] [--level DB] [--comment TEXT] OUT.wv\n"
    "  vgxwv csv IN.csv --clock HZ [--int16] [--comment TEXT] OUT.wv\n"
    "  vgxwv info [--check] FILE.wv...\n"
    "\n"
    "  --level    peak magnitude against full scale in dB, 0 or below (default 0)\n"
    "  --order    PRBS order: 7, 9, 11, 15, 20, 23 or 31; --samples defaults to one period\n"
    "  --int16    CSV values are raw 16-bit integers instead of fractions of full scale (-1 .. 1)\n"
    "  --check    also read the samples and check their count and checksum\n";

int usage(const QString& problem = QString()) {
    if (!problem.isEmpty())
        err() << "vgxwv: " << problem << "\n";
    err() << kUsage;
    err().flush();
    return 2;
}

int fail(const QString& problem) {
    err() << "vgxwv: " << problem << "\n";
    err().flush();
    return 1;
}

struct SArgs {
    QMap<QString, QString> options; // "--clock" -> "10e6"
    QStringList flags;              // "--int16"
    QStringList positional;
};

// Options that take a value; everything else starting with "--" is a flag.
bool parse(const QStringList& args, const QStringList& valued, const QStringList& allowedFlags, SArgs& a,
           QString& problem) {
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString& arg = args.at(k);
        if (arg.startsWith(QLatin1String("--"))) {
            if (valued.contains(arg)) {
                if (k + 1 >= args.size()) {
                    problem = arg + QStringLiteral(" needs a value");
                    return false;
                }
                a.options.insert(arg, args.at(++k));
            } else if (allowedFlags.contains(arg)) {
                a.flags << arg;
            } else {
                problem = QStringLiteral("unknown option ") + arg;
                return false;
            }
        } else {
            a.positional << arg;
        }
    }
    return true;
}

bool number(const SArgs& a, const QString& option, double& v, bool required, QString& problem) {
    if (!a.options.contains(option)) {
        if (required)
            problem = option + QStringLiteral(" is required");
        return !required;
    }
    bool ok = false;
    v = a.options.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        problem = option + QStringLiteral(": not a number: ") + a.options.value(option);
        return false;
    }
    return true;
}

bool count(const SArgs& a, const QString& option, qint64& v, bool required, QString& problem) {
    double d = double(v);
    if (!number(a, option, d, required, problem))
        return false;
    if (d != std::floor(d) || d < 0 || d > 9e15) {
        problem = option + QStringLiteral(": not a whole number: ") + a.options.value(option);
        return false;
    }
    v = qint64(d);
    return true;
}

QString dB(double v) {
    return QString::number(std::round(v * 100.0) / 100.0 + 0.0, 'f', 2);
}

int writeFile(const QString& path, const QVector<WaveformFile::SSample>& samples, double clock,
              const QString& comment) {
    QString error;
    if (!WaveformFile::write(path, samples, clock, comment, &error))
        return fail(error);
    const WaveformFile::SLevels lv = WaveformFile::levels(samples);
    out() << path << ": " << samples.size() << " samples at " << QString::number(clock, 'g', 15)
          << " Hz, RMS offset " << dB(lv.rmsOffset) << " dB, PEP offset " << dB(lv.pepOffset) << " dB\n";
    out().flush();
    return 0;
}

int runSine(const QStringList& args) {
    SArgs a;
    QString problem;
    if (!parse(args, {"--clock", "--samples", "--freq", "--level", "--comment"}, {}, a, problem))
        return usage(problem);
    if (a.positional.size() != 1)
        return usage(QStringLiteral("sine writes one file"));
    double clock = 0, freq = 0, level = 0;
    qint64 samples = 0;
    if (!number(a, "--clock", clock, true, problem) || !count(a, "--samples", samples, true, problem) ||
        !number(a, "--freq", freq, true, problem) || !number(a, "--level", level, false, problem))
        return usage(problem);
    QVector<WaveformFile::SSample> data;
    if (!WaveformFile::sine(samples, clock, freq, level, data, &problem))
        return fail(problem);
    return writeFile(a.positional.first(), data, clock, a.options.value("--comment"));
}

int runPrbs(const QStringList& args) {
    SArgs a;
    QString problem;
    if (!parse(args, {"--order", "--clock", "--samples", "--level", "--comment"}, {}, a, problem))
        return usage(problem);
    if (a.positional.size() != 1)
        return usage(QStringLiteral("prbs writes one file"));
    double clock = 0, level = 0;
    qint64 order = 0, samples = 0;
    if (!count(a, "--order", order, true, problem) || !number(a, "--clock", clock, true, problem) ||
        !count(a, "--samples", samples, false, problem) || !number(a, "--level", level, false, problem))
        return usage(problem);
    if (a.options.contains("--samples") && samples == 0)
        return usage(QStringLiteral("--samples must be at least 1"));
    QVector<WaveformFile::SSample> data;
    if (!WaveformFile::prbs(int(std::min<qint64>(order, 1000)), samples, level, data, &problem))
        return fail(problem);
    return writeFile(a.positional.first(), data, clock, a.options.value("--comment"));
}

int runCsv(const QStringList& args) {
    SArgs a;
    QString problem;
    if (!parse(args, {"--clock", "--comment"}, {"--int16"}, a, problem))
        return usage(problem);
    if (a.positional.size() != 2)
        return usage(QStringLiteral("csv reads one CSV file and writes one waveform file"));
    double clock = 0;
    if (!number(a, "--clock", clock, true, problem))
        return usage(problem);
    QVector<WaveformFile::SSample> data;
    if (!WaveformFile::readCsv(a.positional.at(0), a.flags.contains("--int16"), data, &problem))
        return fail(a.positional.at(0) + QStringLiteral(": ") + problem);
    return writeFile(a.positional.at(1), data, clock, a.options.value("--comment"));
}

int runInfo(const QStringList& args) {
    SArgs a;
    QString problem;
    if (!parse(args, {}, {"--check"}, a, problem))
        return usage(problem);
    if (a.positional.isEmpty())
        return usage(QStringLiteral("info needs a file"));
    int rc = 0;
    for (const QString& path : std::as_const(a.positional)) {
        WaveformFile::STagScan scan;
        const bool ok = WaveformFile::scanTags(path, scan);
        out() << path << ":\n";
        for (const WaveformFile::STag& t : std::as_const(scan.tags)) {
            if (t.name.startsWith(QLatin1String("WAVEFORM"), Qt::CaseInsensitive))
                out() << "  " << t.name << "  (" << scan.dataBytes << " bytes of samples at offset "
                      << scan.dataOffset << ")\n";
            else
                out() << "  " << t.name << ": " << t.value << "\n";
        }
        out().flush();
        if (!ok) {
            fail(path + QStringLiteral(": ") + scan.error);
            rc = 1;
            continue;
        }
        if (a.flags.contains("--check")) {
            QString error;
            if (WaveformFile::verify(path, &error)) {
                out() << "  check: samples and checksum agree\n";
            } else {
                fail(path + QStringLiteral(": ") + error);
                rc = 1;
            }
            out().flush();
        }
    }
    return rc;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        out() << kUsage;
        out().flush();
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("sine"))
        return runSine(args);
    if (command == QLatin1String("prbs"))
        return runPrbs(args);
    if (command == QLatin1String("csv"))
        return runCsv(args);
    if (command == QLatin1String("info"))
        return runInfo(args);
    return usage(QStringLiteral("unknown command ") + command);
}
