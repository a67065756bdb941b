// Waveform files: what the writer puts in them, what the tag scanner reads back, and that the scanner
// never reads the samples.
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "host/listadm/WaveformFile.h"

using namespace MvQARN;
using Samples = QVector<WaveformFile::SSample>;

namespace {

// A file whose reads are counted, to see how much of it a tag scan touches (opened unbuffered, so
// every read of the scanner reaches it as asked).
class CountingFile : public QFile {
public:
    using QFile::QFile;
    qint64 bytesRead = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = QFile::readData(data, maxSize);
        if (n > 0)
            bytesRead += n;
        return n;
    }
};

class Waveform : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString raw(const QString& name, const QByteArray& content) const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path(name);
    }
    static WaveformFile::STagScan scan(const QString& file, bool* ok = nullptr) {
        WaveformFile::STagScan s;
        const bool r = WaveformFile::scanTags(file, s);
        if (ok)
            *ok = r;
        return s;
    }
    static double magnitude(const WaveformFile::SSample& s) { return std::hypot(double(s.i), double(s.q)); }
    QTemporaryDir m_dir;
};

TEST_F(Waveform, ASineWrittenToAFileReadsBackTagsAndSamples) {
    QString error;
    Samples sine;
    ASSERT_TRUE(WaveformFile::sine(1000, 10e6, 1e6, -3.0, sine, &error)) << error.toStdString();
    ASSERT_EQ(sine.size(), 1000);
    // One turn every ten samples, counter-clockwise, at -3 dB of full scale.
    const double a = WaveformFile::FullScale * std::pow(10.0, -3.0 / 20.0);
    for (const auto& [k, i] : {std::pair{0, a}, {5, -a}, {10, a}}) {
        EXPECT_NEAR(sine[k].i, i, 1.0) << k;
        EXPECT_NEAR(sine[k].q, 0.0, 1.0) << k;
    }
    EXPECT_GT(sine[2].q, 0);
    for (const auto& s : sine)
        ASSERT_NEAR(magnitude(s), a, 1.0);

    const QString file = path("sine.wv");
    ASSERT_TRUE(WaveformFile::write(file, sine, 10e6, "test tone", &error)) << error.toStdString();
    bool ok = false;
    const WaveformFile::STagScan s = scan(file, &ok);
    ASSERT_TRUE(ok && s.typeOk) << s.error.toStdString();
    QStringList names;
    for (const auto& t : s.tags)
        names << t.name;
    EXPECT_EQ(names, QStringList({"TYPE", "CLOCK", "SAMPLES", "LEVEL OFFS", "COMMENT", "WAVEFORM-4001"}));
    EXPECT_EQ(s.value("TYPE"), QStringLiteral("VGX-WV, %1").arg(WaveformFile::checksum(sine)));
    EXPECT_EQ(s.value("CLOCK").toDouble(), 10e6);
    EXPECT_EQ(s.value("samples"), "1000") << "tag names are not case-sensitive";
    EXPECT_EQ(s.value("LEVEL OFFS"), "3.00,3.00");
    EXPECT_EQ(s.value("COMMENT"), "test tone");
    EXPECT_TRUE(s.hasData && s.dataBytes == 4000) << s.dataBytes;

    Samples back;
    ASSERT_TRUE(WaveformFile::readSamples(file, back, &error)) << error.toStdString();
    ASSERT_EQ(back.size(), sine.size());
    for (qsizetype k = 0; k < back.size(); ++k)
        ASSERT_TRUE(back[k].i == sine[k].i && back[k].q == sine[k].q) << k;
    EXPECT_TRUE(WaveformFile::verify(file, &error)) << error.toStdString();
}

TEST_F(Waveform, SamplesAreLittleEndianPairsBehindTheHashAndTheFileEndsWithABrace) {
    const Samples s = {{0x0102, -2}, {-32768, 32767}};
    QString error;
    const QString file = path("bytes.wv");
    ASSERT_TRUE(WaveformFile::write(file, s, 1e3, QString(), &error)) << error.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    EXPECT_TRUE(all.startsWith("{TYPE: VGX-WV, ")) << all.left(40).toStdString();
    EXPECT_FALSE(all.contains("COMMENT")) << "no comment tag without a comment";
    const QByteArray tail = QByteArray::fromHex("0201feff0080ff7f") + "}";
    EXPECT_TRUE(all.endsWith("{WAVEFORM-9: #" + tail));
}

TEST_F(Waveform, LevelOffsetsAreRmsAndPeakBelowFullScale) {
    // One full-scale sample and one zero: peak at full scale, half the power on average.
    WaveformFile::SLevels lv = WaveformFile::levels({{32767, 0}, {0, 0}});
    EXPECT_NEAR(lv.rmsOffset, 10.0 * std::log10(2.0), 1e-9);
    EXPECT_NEAR(lv.pepOffset, 0.0, 1e-9);
    lv = WaveformFile::levels({{3277, 0}, {0, -3277}}); // constant magnitude a tenth of full scale
    EXPECT_NEAR(lv.rmsOffset, 20.0, 0.01);
    EXPECT_NEAR(lv.pepOffset, 20.0, 0.01);
}

TEST_F(Waveform, PrbsSequencesRepeatWithTheirPeriodAndStayInsideFullScale) {
    QString error;
    Samples p;
    ASSERT_TRUE(WaveformFile::prbs(9, 0, 0.0, p, &error)) << error.toStdString();
    ASSERT_EQ(p.size(), 511) << "one period by default";
    Samples two;
    ASSERT_TRUE(WaveformFile::prbs(9, 1022, 0.0, two, &error));
    int positiveI = 0;
    for (int k = 0; k < 511; ++k) {
        ASSERT_TRUE(two[k].i == two[k + 511].i && two[k].q == two[k + 511].q) << k;
        ASSERT_TRUE(p[k].i == two[k].i && p[k].q == two[k].q) << k;
        positiveI += p[k].i > 0;
    }
    // Over a period every bit of the 511-bit sequence lands on I once: 256 ones, 255 zeros.
    EXPECT_EQ(positiveI, 256);
    // The sequence does not repeat any earlier.
    bool shorter = false;
    for (int period : {7, 73}) {
        bool same = true;
        for (int k = 0; k + period < 511 && same; ++k)
            same = p[k].i == p[k + period].i && p[k].q == p[k + period].q;
        shorter = shorter || same;
    }
    EXPECT_FALSE(shorter);
    for (const auto& s : p)
        ASSERT_LE(magnitude(s), WaveformFile::FullScale);

    const WaveformFile::SLevels lv = WaveformFile::levels(p);
    EXPECT_GE(lv.pepOffset, 0.0);
    EXPECT_LT(lv.pepOffset, 0.001);
    EXPECT_NEAR(lv.rmsOffset, lv.pepOffset, 1e-9) << "PRBS has a constant magnitude";

    Samples q;
    EXPECT_TRUE(WaveformFile::prbs(7, 0, -6.0, q, &error));
    EXPECT_EQ(q.size(), 127);
    EXPECT_NEAR(WaveformFile::levels(q).pepOffset, 6.0, 0.01);
    EXPECT_FALSE(WaveformFile::prbs(8, 0, 0.0, q, &error));
    EXPECT_FALSE(WaveformFile::prbs(31, 0, 0.0, q, &error)) << "one period of PRBS31 is too long";
    EXPECT_FALSE(WaveformFile::prbs(9, 100, 1.0, q, &error)) << "above full scale";
}

TEST_F(Waveform, GeneratorsRefuseWhatTheyCannotMake) {
    Samples s;
    QString error;
    EXPECT_FALSE(WaveformFile::sine(0, 1e6, 1e3, 0.0, s, &error));
    EXPECT_FALSE(WaveformFile::sine(100, 0.0, 1e3, 0.0, s, &error));
    EXPECT_FALSE(WaveformFile::sine(100, 1e6, 6e5, 0.0, s, &error)) << "above half the clock";
    EXPECT_FALSE(WaveformFile::sine(100, 1e6, 1e3, 0.5, s, &error));
    EXPECT_FALSE(WaveformFile::write(path("zero.wv"), Samples(10), 1e6, QString(), &error)) << "all zeros";
    EXPECT_FALSE(WaveformFile::write(path("c.wv"), {{1, 1}}, 1e6, "a {b}", &error));
    EXPECT_FALSE(WaveformFile::write(path("k.wv"), {{1, 1}}, -1.0, QString(), &error));
    EXPECT_FALSE(QFile::exists(path("zero.wv")));
}

TEST_F(Waveform, CsvGivesFractionsOfFullScaleOrRawIntegers) {
    Samples s;
    QString error;
    ASSERT_TRUE(WaveformFile::parseCsv("I,Q\r\n# comment\n0.5,-0.5\n\n1;0\n-1 \t 0.25\n", false, s, &error))
        << error.toStdString();
    auto pairs = [](const Samples& samples) {
        QList<std::pair<int, int>> out;
        for (const auto& x : samples)
            out.append({x.i, x.q});
        return out;
    };
    // 0.5 * 32767 rounded.
    EXPECT_EQ(pairs(s), (QList<std::pair<int, int>>{{16384, -16384}, {32767, 0}, {-32767, 8192}}));

    ASSERT_TRUE(WaveformFile::parseCsv("-32768,32767\n12,-13\n", true, s, &error)) << error.toStdString();
    EXPECT_EQ(pairs(s), (QList<std::pair<int, int>>{{-32768, 32767}, {12, -13}}));

    EXPECT_FALSE(WaveformFile::parseCsv("0.1,0.2\n1.5,0\n", false, s, &error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
    EXPECT_FALSE(WaveformFile::parseCsv("0.1,0.2\n0.3\n", false, s, &error)) << "one value";
    EXPECT_FALSE(WaveformFile::parseCsv("0.1,0.2\nI,Q\n", false, s, &error))
        << "only the first line may be a header";
    EXPECT_FALSE(WaveformFile::parseCsv("1.5,2\n", true, s, &error)) << "no integer";
    EXPECT_FALSE(WaveformFile::parseCsv("40000,0\n", true, s, &error));
    EXPECT_FALSE(WaveformFile::parseCsv("I,Q\n", false, s, &error)) << "no samples";

    // The file round trip.
    QFile csv(path("in.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("0.25,0.5\n-0.25,-0.5\n");
    csv.close();
    ASSERT_TRUE(WaveformFile::readCsv(csv.fileName(), false, s, &error));
    ASSERT_TRUE(WaveformFile::write(path("csv.wv"), s, 2e6, QString(), &error));
    Samples back;
    ASSERT_TRUE(WaveformFile::readSamples(path("csv.wv"), back, &error));
    EXPECT_EQ(pairs(back), (QList<std::pair<int, int>>{{8192, 16384}, {-8192, -16384}}));
}

TEST_F(Waveform, TagScanningStopsAtTheSamplesHoweverLargeTheyClaimToBe) {
    // Tags claiming a gigabyte of samples, of which the file holds four bytes.
    const QByteArray head = "{TYPE: VGX-WV, 1}{CLOCK: 1e9}{SAMPLES: 268435456}{LEVEL OFFS: 1,0}"
                            "{WAVEFORM-1073741825: #";
    const QString truncated = raw("truncated.wv", head + "abcd");
    CountingFile f(truncated);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    WaveformFile::STagScan s;
    ASSERT_TRUE(WaveformFile::scanTags(f, s)) << s.error.toStdString();
    EXPECT_EQ(s.value("SAMPLES"), "268435456");
    EXPECT_EQ(s.dataBytes, 1073741824);
    EXPECT_EQ(s.dataOffset, head.size());
    EXPECT_LE(f.bytesRead, 1024);

    // A real (sparse) gigabyte behind the tags: the same few reads.
    const QString big = raw("big.wv", head);
    QFile grow(big);
    ASSERT_TRUE(grow.open(QIODevice::ReadWrite));
    ASSERT_TRUE(grow.resize(head.size() + 1073741824));
    grow.close();
    CountingFile g(big);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    ASSERT_TRUE(WaveformFile::scanTags(g, s)) << s.error.toStdString();
    EXPECT_EQ(s.value("CLOCK"), "1e9");
    EXPECT_LE(g.bytesRead, 1024);

    // Verification does read the samples, and finds the truncated file short.
    QString error;
    EXPECT_FALSE(WaveformFile::verify(truncated, &error));
    Samples none;
    EXPECT_FALSE(WaveformFile::readSamples(truncated, none, &error));
}

TEST_F(Waveform, AnEndlessTagSectionIsCutOffWithoutReadingTheRest) {
    // Blanks for ever: the scanner gives up after its bounded tag section.
    const QString file = raw("blanks.wv", "{TYPE: VGX-WV, 1}" + QByteArray(1 << 20, ' '));
    CountingFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    WaveformFile::STagScan s;
    EXPECT_FALSE(WaveformFile::scanTags(f, s));
    EXPECT_EQ(s.value("TYPE"), "VGX-WV, 1");
    EXPECT_LE(f.bytesRead, WaveformFile::MaxTagSection + 1024);
    EXPECT_FALSE(s.error.isEmpty());
}

TEST_F(Waveform, FilesThatAreNoWaveformsAreRecognised) {
    struct Case {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"no TYPE tag first", "{CLOCK: 1e6}{TYPE: VGX-WV, 0}{WAVEFORM-1: #}"},
        {"a foreign type", "{TYPE: OTHER-WV, 0}{CLOCK: 1e6}{WAVEFORM-1: #}"},
        {"no tags", "just text"},
        {"empty", ""},
        {"samples before any tag", "{WAVEFORM-5: #abcd}"},
        {"a brace inside a value", "{TYPE: VGX-WV{, 0}"},
    };
    for (const Case& c : cases) {
        bool ok = true;
        const WaveformFile::STagScan s = scan(raw("damaged.wv", c.content), &ok);
        EXPECT_FALSE(ok) << c.what;
        EXPECT_FALSE(s.typeOk) << c.what;
        EXPECT_FALSE(s.error.isEmpty()) << c.what;
    }
    // Without a required type any first tag will do.
    QBuffer buffer;
    buffer.setData("{CLOCK: 5}{WAVEFORM-1: #}");
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    WaveformFile::STagScan s;
    EXPECT_TRUE(WaveformFile::scanTags(buffer, s, QString()));
    EXPECT_EQ(s.value("CLOCK"), "5");
}

TEST_F(Waveform, VerificationFindsDamagedSamples) {
    QString error;
    const QString file = path("v.wv");
    ASSERT_TRUE(WaveformFile::write(file, {{100, -100}, {200, 50}}, 1e6, QString(), &error));
    ASSERT_TRUE(WaveformFile::verify(file, &error)) << error.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray all = f.readAll();
    f.seek(all.size() - 3); // a sample byte
    f.write("\x7f");
    f.close();
    EXPECT_FALSE(WaveformFile::verify(file, &error));
    EXPECT_TRUE(error.contains("checksum")) << error.toStdString();
}

} // namespace
