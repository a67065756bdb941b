#include "host/listadm/WaveformFile.h"

#include <QFile>
#include <QIODevice>
#include <QRegularExpression>
#include <QSaveFile>
#include <QtEndian>
#include <array>
#include <cmath>

#include "host/util/VGXIqWord.h"
#include "host/util/VGXSafeFile.h"

namespace MvQARN {

namespace {

// Small reads: the tags sit in the first few hundred bytes, the samples behind them are never wanted.
constexpr qint64 kChunk = 512;
constexpr int kMaxNameLength = 64;
constexpr int kMaxValueLength = 4096;
constexpr qint64 kBytesPerSample = 4;

const QString kTypeName = QStringLiteral("TYPE");

bool setError(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Reads a device byte by byte out of small chunks and counts what it hands out.
class ByteReader {
public:
    ByteReader(QIODevice& device, qint64 limit) : m_device(device), m_limit(limit) {}
    bool next(char& c) {
        if (m_consumed >= m_limit) {
            m_overLimit = true;
            return false;
        }
        if (m_pos == m_buffer.size()) {
            m_buffer = m_device.read(kChunk);
            m_pos = 0;
            if (m_buffer.isEmpty())
                return false;
        }
        c = m_buffer.at(m_pos++);
        ++m_consumed;
        return true;
    }
    qint64 consumed() const { return m_consumed; }
    bool overLimit() const { return m_overLimit; }

private:
    QIODevice& m_device;
    qint64 m_limit;
    bool m_overLimit = false;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_consumed = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

const std::array<quint32, 256>& crcTable() {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

QByteArray sampleBytes(const QVector<WaveformFile::SSample>& samples) {
    QByteArray bytes(samples.size() * kBytesPerSample, Qt::Uninitialized);
    uchar* p = reinterpret_cast<uchar*>(bytes.data());
    for (const WaveformFile::SSample& s : samples) {
        qToLittleEndian<qint16>(s.i, p);
        qToLittleEndian<qint16>(s.q, p + 2);
        p += kBytesPerSample;
    }
    return bytes;
}

QString number(double v) {
    return QString::number(v, 'g', 15);
}

// Two decimals, and never "-0.00" for a level a hair above full scale.
QString decibels(double v) {
    return QString::number(std::round(v * 100.0) / 100.0 + 0.0, 'f', 2);
}

// Amplitude for a level against full scale; levels above full scale would clip.
bool amplitude(double levelDb, double& out, QString* error) {
    if (!std::isfinite(levelDb) || levelDb > 0.0)
        return setError(error, QStringLiteral("level must be 0 dB or below"));
    out = WaveformFile::FullScale * std::pow(10.0, levelDb / 20.0);
    return true;
}

bool sampleCount(qint64 samples, QString* error) {
    if (samples < 1 || samples > WaveformFile::MaxSamples)
        return setError(error,
                        QStringLiteral("number of samples must be 1 .. %1").arg(WaveformFile::MaxSamples));
    return true;
}

} // namespace

QString WaveformFile::STagScan::value(const QString& name) const {
    for (const STag& t : tags)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return t.value;
    return QString();
}

bool WaveformFile::STagScan::has(const QString& name) const {
    for (const STag& t : tags)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool WaveformFile::scanTags(const QString& path, STagScan& out, const QString& typeTag) {
    out = STagScan();
    QFile file;
    // Only a regular file, opened without waiting. Unbuffered: the device would otherwise fetch far
    // more than the few hundred bytes of tags.
    QString why;
    if (VGXSafeFile::openRegular(file, path, &why, true) != VGXSafeFile::Ok) {
        out.error = QStringLiteral("cannot open \"%1\": %2").arg(path, why);
        return false;
    }
    return scanTags(file, out, typeTag);
}

bool WaveformFile::scanTags(QIODevice& device, STagScan& out, const QString& typeTag) {
    out = STagScan();
    const qint64 start = device.isSequential() ? 0 : device.pos();
    ByteReader in(device, MaxTagSection);
    auto fail = [&](const QString& why) {
        out.error = in.overLimit() ? QStringLiteral("tag section longer than %1 bytes").arg(MaxTagSection)
                                   : QStringLiteral("%1 (offset %2)").arg(why).arg(in.consumed());
        return false;
    };
    char c = 0;
    for (;;) {
        bool more = in.next(c);
        while (more && isBlank(c))
            more = in.next(c);
        if (!more)
            return fail(out.tags.isEmpty() ? QStringLiteral("no tags") : QStringLiteral("no WAVEFORM tag"));
        if (c != '{')
            return fail(QStringLiteral("expected '{'"));

        QByteArray name;
        while ((more = in.next(c)) && c != ':') {
            if (c == '{' || c == '}' || c == '\n' || name.size() >= kMaxNameLength)
                return fail(QStringLiteral("malformed tag name"));
            name.append(c);
        }
        if (!more)
            return fail(QStringLiteral("unterminated tag"));
        const QString tagName = QString::fromUtf8(name).trimmed();

        if (tagName.startsWith(QLatin1String("WAVEFORM"), Qt::CaseInsensitive)) {
            if (out.tags.isEmpty())
                return fail(QStringLiteral("no TYPE tag"));
            static const QRegularExpression lengthRe(QStringLiteral("^WAVEFORM\\s*-\\s*(\\d{1,18})$"),
                                                     QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch m = lengthRe.match(tagName);
            const qint64 length = m.hasMatch() ? m.captured(1).toLongLong() : 0;
            if (length < 1)
                return fail(QStringLiteral("WAVEFORM tag without a length"));
            while ((more = in.next(c)) && (c == ' ' || c == '\t'))
                ;
            if (!more || c != '#')
                return fail(QStringLiteral("WAVEFORM data does not start with '#'"));
            out.tags.append(STag{tagName, QStringLiteral("#")});
            out.hasData = true;
            out.dataOffset = start + in.consumed();
            out.dataBytes = length - 1;
            return true;
        }

        QByteArray value;
        while ((more = in.next(c)) && c != '}') {
            if (c == '{' || value.size() >= kMaxValueLength)
                return fail(QStringLiteral("malformed value of tag \"%1\"").arg(tagName));
            value.append(c);
        }
        if (!more)
            return fail(QStringLiteral("unterminated tag \"%1\"").arg(tagName));
        out.tags.append(STag{tagName, QString::fromUtf8(value).trimmed()});

        if (out.tags.size() == 1) {
            const QString kind = out.tags.first().value.section(QLatin1Char(','), 0, 0).trimmed();
            out.typeOk = tagName.compare(kTypeName, Qt::CaseInsensitive) == 0 &&
                         (typeTag.isEmpty() || kind.compare(typeTag, Qt::CaseInsensitive) == 0);
            if (!typeTag.isEmpty() && !out.typeOk)
                return fail(QStringLiteral("not a %1 file").arg(typeTag));
        }
    }
}

quint32 WaveformFile::crc32(quint32 crc, const char* data, qint64 size) {
    const auto& table = crcTable();
    crc = ~crc;
    for (qint64 k = 0; k < size; ++k)
        crc = table[(crc ^ quint8(data[k])) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

quint32 WaveformFile::checksum(const QVector<SSample>& samples) {
    const QByteArray bytes = sampleBytes(samples);
    return crc32(0, bytes.constData(), bytes.size());
}

WaveformFile::SLevels WaveformFile::levels(const QVector<SSample>& samples) {
    SLevels out;
    if (samples.isEmpty())
        return out;
    double sum = 0.0;
    double peak = 0.0;
    for (const SSample& s : samples) {
        const double p = double(s.i) * s.i + double(s.q) * s.q;
        sum += p;
        peak = std::max(peak, p);
    }
    const double rms = std::sqrt(sum / double(samples.size()));
    if (rms > 0.0)
        out.rmsOffset = 20.0 * std::log10(FullScale / rms);
    if (peak > 0.0)
        out.pepOffset = 20.0 * std::log10(FullScale / std::sqrt(peak));
    return out;
}

QByteArray WaveformFile::header(const QVector<SSample>& samples, double clock, const QString& comment,
                                QString* error) {
    if (!std::isfinite(clock) || clock <= 0.0) {
        setError(error, QStringLiteral("clock must be above 0 Hz"));
        return QByteArray();
    }
    if (!sampleCount(samples.size(), error))
        return QByteArray();
    if (comment.contains(QLatin1Char('{')) || comment.contains(QLatin1Char('}'))) {
        setError(error, QStringLiteral("the comment must not contain braces"));
        return QByteArray();
    }
    bool anySignal = false;
    for (const SSample& s : samples)
        if (s.i != 0 || s.q != 0) {
            anySignal = true;
            break;
        }
    if (!anySignal) {
        setError(error, QStringLiteral("the waveform holds only zeros; its level is undefined"));
        return QByteArray();
    }
    const SLevels lv = levels(samples);
    QString text;
    text += QStringLiteral("{TYPE: %1, %2}").arg(QLatin1String(TypeTag)).arg(checksum(samples));
    text += QStringLiteral("{CLOCK: %1}").arg(number(clock));
    text += QStringLiteral("{SAMPLES: %1}").arg(samples.size());
    text += QStringLiteral("{LEVEL OFFS: %1,%2}").arg(decibels(lv.rmsOffset), decibels(lv.pepOffset));
    if (!comment.trimmed().isEmpty())
        text += QStringLiteral("{COMMENT: %1}").arg(comment.trimmed());
    text += QStringLiteral("{WAVEFORM-%1: #").arg(qint64(samples.size()) * kBytesPerSample + 1);
    return text.toUtf8();
}

bool WaveformFile::write(const QString& path, const QVector<SSample>& samples, double clock,
                         const QString& comment, QString* error) {
    const QByteArray head = header(samples, clock, comment, error);
    if (head.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return setError(error, QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString()));
    file.write(head);
    file.write(sampleBytes(samples));
    file.write("}");
    if (!file.commit())
        return setError(error, QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString()));
    return true;
}

// Scans the tags of a file open at its start and checks the sizes they give against each other and
// against the file, before any sample is read. Counts are compared by division: the tags may hold
// any number.
static bool scanSized(QFile& file, WaveformFile::STagScan& scan, QString* error) {
    if (!WaveformFile::scanTags(file, scan))
        return setError(error, scan.error);
    if (scan.dataBytes % kBytesPerSample != 0)
        return setError(
            error,
            QStringLiteral("sample data of %1 bytes is no whole number of I,Q pairs").arg(scan.dataBytes));
    const qint64 pairs = scan.dataBytes / kBytesPerSample;
    if (pairs > WaveformFile::MaxSamples)
        return setError(
            error, QStringLiteral("%1 samples are more than %2").arg(pairs).arg(WaveformFile::MaxSamples));
    bool ok = false;
    const qint64 samples = scan.value(QStringLiteral("SAMPLES")).toLongLong(&ok);
    if (!ok || samples != pairs)
        return setError(error, QStringLiteral("SAMPLES tag \"%1\" does not match %2 bytes of sample data")
                                   .arg(scan.value(QStringLiteral("SAMPLES")).left(40))
                                   .arg(scan.dataBytes));
    // Samples and the closing brace; dataOffset lies inside the file, as the scan read up to it.
    const qint64 behindTags = file.size() - scan.dataOffset;
    if (behindTags < scan.dataBytes + 1)
        return setError(error, QStringLiteral("file ends inside the sample data"));
    if (behindTags > scan.dataBytes + 1)
        return setError(error,
                        QStringLiteral("%1 bytes behind the sample data").arg(behindTags - scan.dataBytes));
    return true;
}

bool WaveformFile::readSamples(const QString& path, QVector<SSample>& out, QString* error) {
    out.clear();
    QFile file;
    QString why;
    return VGXSafeFile::openRegular(file, path, &why) == VGXSafeFile::Ok
               ? readSamples(file, out, error)
               : setError(error, QStringLiteral("cannot open \"%1\": %2").arg(path, why));
}

bool WaveformFile::readSamples(QFile& file, QVector<SSample>& out, QString* error) {
    out.clear();
    STagScan scan;
    if (!scanSized(file, scan, error))
        return false;
    file.seek(scan.dataOffset);
    const QByteArray bytes = file.read(scan.dataBytes);
    if (bytes.size() != scan.dataBytes)
        return setError(error, QStringLiteral("cannot read the sample data"));
    out.resize(bytes.size() / kBytesPerSample);
    const uchar* p = reinterpret_cast<const uchar*>(bytes.constData());
    for (SSample& s : out) {
        s.i = qFromLittleEndian<qint16>(p);
        s.q = qFromLittleEndian<qint16>(p + 2);
        p += kBytesPerSample;
    }
    return true;
}

bool WaveformFile::verify(const QString& path, QString* error) {
    QFile file;
    QString why;
    return VGXSafeFile::openRegular(file, path, &why) == VGXSafeFile::Ok
               ? verify(file, error)
               : setError(error, QStringLiteral("cannot open \"%1\": %2").arg(path, why));
}

bool WaveformFile::verify(QFile& file, QString* error) {
    STagScan scan;
    if (!scanSized(file, scan, error))
        return false;
    bool ok = false;
    const quint32 expected = scan.value(kTypeName).section(QLatin1Char(','), 1, 1).trimmed().toUInt(&ok);
    if (!ok)
        return setError(error, QStringLiteral("TYPE tag without a checksum"));
    file.seek(scan.dataOffset);
    quint32 crc = 0;
    qint64 left = scan.dataBytes;
    while (left > 0) {
        const QByteArray chunk = file.read(std::min<qint64>(left, 1 << 20));
        if (chunk.isEmpty())
            return setError(error, QStringLiteral("cannot read the sample data"));
        crc = crc32(crc, chunk.constData(), chunk.size());
        left -= chunk.size();
    }
    if (crc != expected)
        return setError(error,
                        QStringLiteral("checksum %1 does not match the samples (%2)").arg(expected).arg(crc));
    if (file.read(1) != "}")
        return setError(error, QStringLiteral("WAVEFORM tag not closed after the sample data"));
    return true;
}

bool WaveformFile::sine(qint64 samples, double clock, double frequency, double levelDb, QVector<SSample>& out,
                        QString* error) {
    out.clear();
    double a = 0.0;
    if (!sampleCount(samples, error) || !amplitude(levelDb, a, error))
        return false;
    if (!std::isfinite(clock) || clock <= 0.0)
        return setError(error, QStringLiteral("clock must be above 0 Hz"));
    if (!std::isfinite(frequency) || std::fabs(frequency) > clock / 2.0)
        return setError(error, QStringLiteral("frequency must lie within +/- half the clock"));
    // Rounding moves each of I and Q by up to half a step; stay that far below full scale.
    a = std::min(a, FullScale - 0.75);
    out.resize(samples);
    const double cycles = frequency / clock;
    for (qint64 n = 0; n < samples; ++n) {
        // The fraction of a turn keeps the phase exact over long waveforms.
        const double turn = std::fmod(cycles * double(n), 1.0);
        const double phase = 2.0 * M_PI * turn;
        out[n].i = qint16(std::lround(a * std::cos(phase)));
        out[n].q = qint16(std::lround(a * std::sin(phase)));
    }
    return true;
}

QList<int> WaveformFile::prbsOrders() {
    return {7, 9, 11, 15, 20, 23, 31};
}

bool WaveformFile::prbs(int order, qint64 samples, double levelDb, QVector<SSample>& out, QString* error) {
    out.clear();
    // Feedback tap k of the polynomial x^order + x^k + 1.
    int tap = 0;
    switch (order) {
    case 7:
        tap = 6;
        break;
    case 9:
        tap = 5;
        break;
    case 11:
        tap = 9;
        break;
    case 15:
        tap = 14;
        break;
    case 20:
        tap = 3;
        break;
    case 23:
        tap = 18;
        break;
    case 31:
        tap = 28;
        break;
    default:
        return setError(error, QStringLiteral("PRBS order must be one of 7, 9, 11, 15, 20, 23, 31"));
    }
    if (samples == 0)
        samples = (qint64(1) << order) - 1;
    if (samples > MaxSamples)
        return setError(error,
                        QStringLiteral("one period of PRBS%1 exceeds %2 samples: give a number of samples")
                            .arg(order)
                            .arg(MaxSamples));
    double a = 0.0;
    if (!sampleCount(samples, error) || !amplitude(levelDb, a, error))
        return false;
    // I and Q at equal magnitude: the peak magnitude is the level.
    // Rounded down: the magnitude of (v, v) must not pass full scale.
    const qint16 v = qint16(std::floor(a / std::sqrt(2.0)));
    if (v == 0)
        return setError(error, QStringLiteral("level too low for 16-bit samples"));
    const quint32 mask = (quint32(1) << order) - 1u;
    quint32 state = mask;
    auto nextBit = [&]() {
        const quint32 bit = ((state >> (order - 1)) ^ (state >> (tap - 1))) & 1u;
        state = ((state << 1) | bit) & mask;
        return bit;
    };
    out.resize(samples);
    for (SSample& s : out) {
        s.i = nextBit() ? v : qint16(-v);
        s.q = nextBit() ? v : qint16(-v);
    }
    return true;
}

bool WaveformFile::parseCsv(const QByteArray& text, bool int16, QVector<SSample>& out, QString* error) {
    out.clear();
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    const QList<QByteArray> lines = text.split('\n');
    bool firstData = true;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = QString::fromUtf8(lines.at(n)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(separators, Qt::SkipEmptyParts);
        double v[2] = {0.0, 0.0};
        bool ok = parts.size() == 2;
        for (int k = 0; ok && k < 2; ++k)
            v[k] = parts.at(k).toDouble(&ok);
        if (!ok) {
            if (firstData) { // a column header
                firstData = false;
                continue;
            }
            return setError(error, QStringLiteral("line %1: expected two numbers \"I,Q\"").arg(n + 1));
        }
        firstData = false;
        qint16 iq[2] = {0, 0};
        for (int k = 0; k < 2; ++k) {
            if (int16) {
                if (v[k] != std::floor(v[k]) || v[k] < -32768.0 || v[k] > 32767.0)
                    return setError(
                        error,
                        QStringLiteral("line %1: %2 is no 16-bit integer").arg(n + 1).arg(parts.at(k)));
                iq[k] = qint16(v[k]);
            } else {
                if (!std::isfinite(v[k]) || v[k] < -1.0 || v[k] > 1.0)
                    return setError(
                        error,
                        QStringLiteral("line %1: %2 lies outside -1 .. 1").arg(n + 1).arg(parts.at(k)));
                iq[k] = qint16(std::lround(v[k] * FullScale));
            }
        }
        if (out.size() >= MaxSamples)
            return setError(error, QStringLiteral("more than %1 samples").arg(MaxSamples));
        out.append(SSample{iq[0], iq[1]});
    }
    if (out.isEmpty())
        return setError(error, QStringLiteral("no samples"));
    return true;
}

bool WaveformFile::readCsv(const QString& path, bool int16, QVector<SSample>& out, QString* error) {
    // MaxSamples lines of raw 16-bit pairs ("-32768,-32768" and a line end) fit.
    constexpr qint64 maxCsvBytes = MaxSamples * 16;
    QByteArray text;
    QString why;
    if (VGXSafeFile::readRegular(path, maxCsvBytes, text, &why) != VGXSafeFile::Ok)
        return setError(error, QStringLiteral("cannot read \"%1\": %2").arg(path, why));
    return parseCsv(text, int16, out, error);
}

QVector<qint32> WaveformFile::toWords(const QVector<SSample>& samples) {
    QVector<qint32> out(samples.size());
    for (qsizetype k = 0; k < samples.size(); ++k)
        out[k] = qint32(VGXIqWord::pack(samples[k].i, samples[k].q));
    return out;
}

} // namespace MvQARN
