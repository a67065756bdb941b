// Waveform files whose sizes do not add up: the sample count of the tags, the length of the WAVEFORM
// tag and the file's real size are compared before any sample is read.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "host/listadm/WaveformFile.h"

using namespace MvQARN;

namespace {

// Counts what is read from it; opened unbuffered, every read reaches it as asked.
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

QByteArray tags(const QByteArray& samples, qint64 waveformLength) {
    return "{TYPE: VGX-WV, 0}{CLOCK: 1e6}" +
           (samples.isNull() ? QByteArray() : "{SAMPLES: " + samples + "}") + "{LEVEL OFFS: 1,0}{WAVEFORM-" +
           QByteArray::number(waveformLength) + ": #";
}

} // namespace

TEST(WaveformSizes, SizesThatDisagreeAreRefusedBeforeAnySampleIsRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray fourPairs(16, '\x11');
    struct Case {
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
    for (const Case& c : cases) {
        const QString path = dir.filePath("w.wv");
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.content);
            if (c.sparseSize > 0) {
                ASSERT_TRUE(f.resize(c.sparseSize));
            }
        }
        CountingFile v(path), r(path);
        ASSERT_TRUE(v.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        ASSERT_TRUE(r.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QString error;
        EXPECT_FALSE(WaveformFile::verify(v, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        QVector<WaveformFile::SSample> samples;
        EXPECT_FALSE(WaveformFile::readSamples(r, samples, &error)) << c.what;
        EXPECT_TRUE(samples.isEmpty()) << c.what;
        // The tag section only.
        EXPECT_LE(v.bytesRead, 1024) << c.what;
        EXPECT_LE(r.bytesRead, 1024) << c.what;
    }

    // The same checks pass a file that is what its tags say.
    const QString good = dir.filePath("good.wv");
    QString error;
    ASSERT_TRUE(WaveformFile::write(good, {{1, 2}, {3, 4}, {5, 6}, {7, 8}}, 1e6, QString(), &error));
    QFile g(good);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_TRUE(WaveformFile::verify(g, &error)) << error.toStdString();
    g.seek(0);
    QVector<WaveformFile::SSample> samples;
    EXPECT_TRUE(WaveformFile::readSamples(g, samples, &error)) << error.toStdString();
    EXPECT_EQ(samples.size(), 4);
}
