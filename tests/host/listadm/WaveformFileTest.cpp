// Waveform files: what the writer and the generators put in them, what the tag scanner reads back,
// that the scanner never reads the samples, and what is refused as no waveform or damaged.
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "host/listadm/WaveformFile.h"
#include "support/TestFiles.h"

using namespace MvQARN;
using Samples = QVector<WaveformFile::SSample>;

namespace {

// A file whose reads are counted (opened unbuffered, so every read of the scanner reaches it).
class CountingFile : public QFile {
public:
    using QFile::QFile;
    qint64 bytesRead = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = QFile::readData(data, maxSize);
        bytesRead += qMax<qint64>(n, 0);
        return n;
    }
};

class Waveform : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString raw(const QString& name, const QByteArray& content) const {
        EXPECT_TRUE(testsupport::writeFile(m_dir.filePath(name), content));
        return m_dir.filePath(name);
    }
    QTemporaryDir m_dir;
    QString error;
};

TEST_F(Waveform, GeneratedSamplesWrittenToAFileReadBackWithTheirTags) {
    Samples sine;
    ASSERT_TRUE(WaveformFile::sine(1000, 10e6, 1e6, -3.0, sine, &error)) << error.toStdString();
    // One turn every ten samples, counter-clockwise, at -3 dB of full scale.
    const double a = WaveformFile::FullScale * std::pow(10.0, -3.0 / 20.0);
    EXPECT_NEAR(sine[5].i, -a, 1.0);
    EXPECT_GT(sine[2].q, 0);
    const QString file = m_dir.filePath("sine.wv");
    ASSERT_TRUE(WaveformFile::write(file, sine, 10e6, "test tone", &error)) << error.toStdString();
    WaveformFile::STagScan s;
    ASSERT_TRUE(WaveformFile::scanTags(file, s) && s.typeOk) << s.error.toStdString();
    EXPECT_EQ(s.value("TYPE"), QStringLiteral("VGX-WV, %1").arg(WaveformFile::checksum(sine)));
    EXPECT_EQ(s.value("samples"), "1000") << "tag names are not case-sensitive";
    EXPECT_EQ(s.value("LEVEL OFFS"), "3.00,3.00");
    Samples back;
    ASSERT_TRUE(WaveformFile::readSamples(file, back, &error)) << error.toStdString();
    ASSERT_EQ(back.size(), sine.size());
    EXPECT_TRUE(std::equal(back.begin(), back.end(), sine.begin(),
                           [](const auto& x, const auto& y) { return x.i == y.i && x.q == y.q; }));

    // Over a period every bit of PRBS9 lands on I once: 256 ones, 255 zeros; the level is constant.
    Samples p;
    ASSERT_TRUE(WaveformFile::prbs(9, 0, -6.0, p, &error)) << error.toStdString();
    ASSERT_EQ(p.size(), 511);
    EXPECT_EQ(std::count_if(p.begin(), p.end(), [](const auto& x) { return x.i > 0; }), 256);
    EXPECT_NEAR(WaveformFile::levels(p).pepOffset, 6.0, 0.01);
    EXPECT_NEAR(WaveformFile::levels({{32767, 0}, {0, 0}}).rmsOffset, 10.0 * std::log10(2.0), 1e-9);

    // Samples are little-endian I/Q pairs behind the hash, and the file ends with a brace.
    ASSERT_TRUE(WaveformFile::write(file, {{0x0102, -2}, {-32768, 32767}}, 1e3, QString(), &error));
    EXPECT_TRUE(testsupport::readFile(file).endsWith("{WAVEFORM-9: #" +
                                                     QByteArray::fromHex("0201feff0080ff7f") + "}"));
}

TEST_F(Waveform, TagScanningStopsAtTheSamplesAndAtTheEndOfItsBoundedSection) {
    // A real (sparse) gigabyte of samples behind the tags: a few reads.
    const QByteArray head = "{TYPE: VGX-WV, 1}{CLOCK: 1e9}{WAVEFORM-1073741825: #";
    const QString big = raw("big.wv", head);
    ASSERT_TRUE(QFile::resize(big, head.size() + 1073741824));
    CountingFile g(big);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    WaveformFile::STagScan s;
    ASSERT_TRUE(WaveformFile::scanTags(g, s)) << s.error.toStdString();
    EXPECT_EQ(std::pair(s.dataBytes, s.dataOffset), std::pair(qint64(1073741824), qint64(head.size())));
    EXPECT_LE(g.bytesRead, 1024);
    // Blanks for ever: the scanner gives up after its bounded tag section.
    CountingFile f(raw("blanks.wv", "{TYPE: VGX-WV, 1}" + QByteArray(1 << 20, ' ')));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    EXPECT_FALSE(WaveformFile::scanTags(f, s));
    EXPECT_LE(f.bytesRead, WaveformFile::MaxTagSection + 1024);
    // Verification does read the samples, and finds a truncated file short.
    EXPECT_FALSE(WaveformFile::verify(raw("truncated.wv", head + "abcd"), &error));
    // A FIFO would wait for a writer and a device never ends: neither is opened, by any reader.
    const QString fifo = m_dir.filePath("fifo.wv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QString("/dev/zero")}) {
        EXPECT_FALSE(WaveformFile::scanTags(path, s)) << path.toStdString();
        EXPECT_TRUE(s.error.endsWith("not a regular file")) << s.error.toStdString();
        EXPECT_FALSE(WaveformFile::verify(path, &error));
        Samples samples;
        EXPECT_FALSE(WaveformFile::readSamples(path, samples, &error));
        EXPECT_FALSE(WaveformFile::readCsv(path, false, samples, &error));
    }
}

TEST_F(Waveform, FilesThatAreNoWaveformsOrDamagedAreRecognised) {
    for (const char* content :
         {"{CLOCK: 1e6}{TYPE: VGX-WV, 0}{WAVEFORM-1: #}", "{TYPE: OTHER-WV, 0}{CLOCK: 1e6}{WAVEFORM-1: #}",
          "just text", "", "{WAVEFORM-5: #abcd}", "{TYPE: VGX-WV{, 0}"}) {
        WaveformFile::STagScan s;
        EXPECT_FALSE(WaveformFile::scanTags(raw("no.wv", content), s)) << content;
        EXPECT_FALSE(s.typeOk || s.error.isEmpty()) << content;
    }
    const QString file = m_dir.filePath("v.wv");
    ASSERT_TRUE(WaveformFile::write(file, {{100, -100}, {200, 50}}, 1e6, QString(), &error));
    ASSERT_TRUE(WaveformFile::verify(file, &error)) << error.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() - 3); // a sample byte
    f.write("\x7f");
    f.close();
    EXPECT_FALSE(WaveformFile::verify(file, &error));
    EXPECT_TRUE(error.contains("checksum")) << error.toStdString();
}

// Sizes that do not add up (the sample count of the tags, the length of the WAVEFORM tag, the file's
// real size) are refused before any sample is read.
TEST_F(Waveform, SizesThatDisagreeAreRefusedBeforeAnySampleIsRead) {
    auto tags = [](const QByteArray& samples, qint64 waveformLength) {
        return "{TYPE: VGX-WV, 0}{CLOCK: 1e6}" +
               (samples.isNull() ? QByteArray() : "{SAMPLES: " + samples + "}") +
               "{LEVEL OFFS: 1,0}{WAVEFORM-" + QByteArray::number(waveformLength) + ": #";
    };
    const QByteArray fourPairs(16, '\x11');
    const struct {
        const char* what;
        QByteArray content;
        qint64 sparseSize; // > 0: the file is grown to this size
    } cases[] = {
        {"a count whose bytes overflow 64 bits", tags("4611686018427387904", 17) + fourPairs + "}", 0},
        {"a count that is no number", tags("four", 17) + fourPairs + "}", 0},
        {"a negative count", tags("-4", 17) + fourPairs + "}", 0},
        {"no count", tags(QByteArray(), 17) + fourPairs + "}", 0},
        {"a count above the data", tags("5", 17) + fourPairs + "}", 0},
        {"no whole number of pairs", tags("4", 16) + fourPairs.left(15) + "}", 0},
        {"a file shorter than its tags say", tags("4", 17) + fourPairs.left(8), 0},
        {"samples behind the declared ones", tags("2", 9) + fourPairs + "}", 0},
        {"bytes behind the closing brace", tags("4", 17) + fourPairs + "}junk", 0},
        // Agreeing tags and a real (sparse) file, but more samples than any waveform has.
        {"2 GiB of samples", tags("536870912", 2147483649), 2147483649 + 200},
    };
    for (const auto& c : cases) {
        const QString path = raw("w.wv", c.content);
        if (c.sparseSize > 0) {
            ASSERT_TRUE(QFile::resize(path, c.sparseSize));
        }
        CountingFile v(path), r(path);
        ASSERT_TRUE(v.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        ASSERT_TRUE(r.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        EXPECT_FALSE(WaveformFile::verify(v, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        Samples samples;
        EXPECT_FALSE(WaveformFile::readSamples(r, samples, &error)) << c.what;
        EXPECT_TRUE(samples.isEmpty()) << c.what;
        EXPECT_LE(v.bytesRead + r.bytesRead, 2048) << c.what << ": the tag section only";
    }
}

} // namespace
