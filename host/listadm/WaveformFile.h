#pragma once
// Waveform files (*.wv): a few tags in braces at the start of the file, then the samples.
//
//   {TYPE: VGX-WV, <checksum>}{CLOCK: <Hz>}{SAMPLES: <n>}{LEVEL OFFS: <rms dB>,<pep dB>}
//   {COMMENT: <text>}{WAVEFORM-<n>: #<samples>}
//
// Samples are I,Q pairs of signed 16-bit little-endian integers; n counts the '#' and the sample
// bytes. The checksum is the CRC-32 of the sample bytes. The level offsets say how far the RMS and the
// peak magnitude lie below full scale (32767), in dB, so they are positive for any waveform that
// stays inside full scale.
//
// Reading tags stops at the WAVEFORM tag and never touches the sample data; the tag section is
// bounded, so a file of any size answers in the same time.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include "host/util/VGXModuleInterface.h"

class QFile;
class QIODevice;

namespace MvQARN {

class VGX_EXPORT WaveformFile {
public:
    static constexpr const char* TypeTag = "VGX-WV";
    static constexpr double FullScale = 32767.0;
    // Tags beyond this many bytes from the start are not read; a real tag section is far shorter.
    static constexpr qint64 MaxTagSection = 64 * 1024;
    // The box's ARB holds 64 MSamples; no single waveform needs more.
    static constexpr qint64 MaxSamples = 64 * 1024 * 1024;

    struct SSample {
        qint16 i = 0;
        qint16 q = 0;
    };

    struct STag {
        QString name;  // as written, e.g. "LEVEL OFFS" or "WAVEFORM-4001"
        QString value; // trimmed
    };

    // What a tag scan found. The samples start at dataOffset and are dataBytes long as the
    // WAVEFORM tag declares them; the scan does not check that the file really holds them.
    struct STagScan {
        QList<STag> tags;
        bool typeOk = false;    // the first tag is TYPE with the waveform type tag
        bool hasData = false;   // the WAVEFORM tag was reached
        qint64 dataOffset = -1; // offset of the first sample byte
        qint64 dataBytes = 0;   // declared sample bytes
        QString error;          // why the tag section is malformed; empty when it is not
        // Value of a tag by name (case-insensitive); null when absent.
        QString value(const QString& name) const;
        bool has(const QString& name) const;
    };

    struct SLevels {
        double rmsOffset = 0.0;
        double pepOffset = 0.0;
    };

    // Scans the tags of a file or device from its current position. False when the file cannot be
    // opened or the tag section is malformed; tags read before the fault are still in out.tags.
    // typeTag empty: the TYPE tag is not required.
    static bool scanTags(const QString& path, STagScan& out, const QString& typeTag = QLatin1String(TypeTag));
    static bool scanTags(QIODevice& device, STagScan& out, const QString& typeTag = QLatin1String(TypeTag));

    // Writing. clock in Hz (> 0); comment optional (no braces). Writes to a temporary file and renames
    // it into place, so a failed write leaves no half file.
    static bool write(const QString& path, const QVector<SSample>& samples, double clock,
                      const QString& comment, QString* error);

    // Reads the samples back and checks count and checksum against the tags. Before any sample is
    // read, the sizes must agree: the SAMPLES tag, the length of the WAVEFORM tag (a whole number of
    // I,Q pairs, at most MaxSamples) and the file, which holds the tags, the samples and the closing
    // brace, nothing more. The QFile forms take a file open for reading, at its start.
    static bool verify(const QString& path, QString* error);
    static bool verify(QFile& file, QString* error);
    // Reads the samples after the same size checks; the checksum is left to the caller (verify).
    static bool readSamples(const QString& path, QVector<SSample>& out, QString* error);
    static bool readSamples(QFile& file, QVector<SSample>& out, QString* error);

    // Generators. levelDb is the level of the peak magnitude against full scale (<= 0).
    // Sine: a complex exponential of the given frequency (negative turns the other way).
    static bool sine(qint64 samples, double clock, double frequency, double levelDb, QVector<SSample>& out,
                     QString* error);
    // PRBS: two successive bits of the sequence make the signs of I and Q. Orders 7, 9, 11, 15, 20, 23,
    // 31; samples 0 means one period of the sequence.
    static bool prbs(int order, qint64 samples, double levelDb, QVector<SSample>& out, QString* error);
    static QList<int> prbsOrders();
    // CSV: one "I,Q" pair a line (',' ';' or blanks between them); blank lines, lines starting with
    // '#' and a first line that holds no numbers are skipped. Values are fractions of full scale in
    // -1 .. 1, or raw 16-bit integers when int16 is set.
    static bool parseCsv(const QByteArray& text, bool int16, QVector<SSample>& out, QString* error);
    static bool readCsv(const QString& path, bool int16, QVector<SSample>& out, QString* error);

    // The samples as recorder words (host/util/VGXIqWord.h), one 32-bit word per I,Q pair.
    static QVector<qint32> toWords(const QVector<SSample>& samples);

    static SLevels levels(const QVector<SSample>& samples);
    static quint32 checksum(const QVector<SSample>& samples);
    static quint32 crc32(quint32 crc, const char* data, qint64 size);
    // The tag section for these samples (everything before the sample bytes, ending in '#').
    static QByteArray header(const QVector<SSample>& samples, double clock, const QString& comment,
                             QString* error);
};

} // namespace MvQARN
