// The recorder's graph numerics on signals whose answer is known: a bin-centred full-scale tone, a
// constant envelope, complex Gaussian noise, and samples that went through a waveform file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "host/listadm/WaveformFile.h"
#include "host/numerics/VGXGraphNumerics.h"

using namespace MvQARN;

namespace {

constexpr double kClock = 10e6;

QVector<qint32> words(const QVector<WaveformFile::SSample>& samples) {
    return WaveformFile::toWords(samples);
}

QVector<qint32> tone(int samples, double frequency, double levelDb = 0.0) {
    QVector<WaveformFile::SSample> s;
    QString error;
    EXPECT_TRUE(WaveformFile::sine(samples, kClock, frequency, levelDb, s, &error)) << error.toStdString();
    return words(s);
}

// Every instruction-set path this machine runs gives the same known answers.
TEST(GraphNumerics, ToneLandsInItsBinAtItsLevelInDbfsOnEveryPath) {
    struct Row {
        int points, count, bin; // bin of the tone, signed
        int lobe;               // bins beside the peak that the window's main lobe may fill
        double levelDb;
    };
    const Row rows[] = {
        {2048, 16384, 100, 4, 0.0},        // 8 whole blocks averaged
        {256, 256 * 3 + 17, -37, 4, -6.0}, // a partial block at the end is left out
        {2048, 1001, 300, 10, -47.3},      // fewer words than points: one padded block, wider lobe
        {8, 24, 1, 8, -0.5},               // shorter than a vector step: the window's lobe is all
    };
    for (VGXGraphNumerics::Path path : VGXGraphNumerics::availablePaths()) {
        VGXGraphNumerics numerics;
        ASSERT_TRUE(numerics.usePath(path));
        for (const Row& r : rows) {
            SCOPED_TRACE(testing::Message() << VGXGraphNumerics::pathName(path) << ": " << r.points
                                            << " points, " << r.count << " words, bin " << r.bin);
            const QVector<qint32> w = tone(r.count, kClock * r.bin / r.points, r.levelDb);
            VGXGraphFloatArray spectrum;
            ASSERT_EQ(numerics.convertIqToSpectrum(spectrum, w.data(), r.count, r.points, 0.0),
                      VGXGraphNumerics::Ok);
            ASSERT_EQ(spectrum.size(), r.points);
            const int peak =
                int(std::max_element(spectrum.data(), spectrum.data() + r.points) - spectrum.data());
            EXPECT_EQ(peak, r.bin + r.points / 2); // index 0 is -fs/2
            EXPECT_NEAR(spectrum[peak], r.levelDb, 0.05);
            float rest = -1000;
            for (int k = 0; k < r.points; ++k)
                if (std::abs(k - peak) > r.lobe)
                    rest = std::max(rest, spectrum[k]);
            EXPECT_LT(rest, -80.0f);
        }
        // The offset moves the whole curve.
        const QVector<qint32> w = tone(2048, kClock * 5 / 2048);
        VGXGraphFloatArray a, b;
        numerics.convertIqToSpectrum(a, w.data(), 2048, 2048, 0.0);
        numerics.convertIqToSpectrum(b, w.data(), 2048, 2048, -10.0);
        EXPECT_NEAR(b[5 + 1024], a[5 + 1024] - 10.0f, 1e-3);
    }
}

TEST(GraphNumerics, RefusesWhatItCannotCompute) {
    VGXGraphNumerics numerics;
    const QVector<qint32> w = tone(512, 1e6);
    const QVector<qint32> zeros(512, 0);
    VGXGraphFloatArray spectrum;
    spectrum.realloc(7);
    for (int points : {0, 1, 1000, VGXGraphNumerics::MaxFftPoints * 2}) {
        EXPECT_EQ(numerics.convertIqToSpectrum(spectrum, w.data(), 512, points, 0.0),
                  VGXGraphNumerics::BadArgument)
            << points;
        EXPECT_TRUE(spectrum.isEmpty());
    }
    EXPECT_EQ(numerics.convertIqToSpectrum(spectrum, nullptr, 512, 256, 0.0), VGXGraphNumerics::BadArgument);
    EXPECT_EQ(numerics.convertIqToSpectrum(spectrum, w.data(), 0, 256, 0.0), VGXGraphNumerics::BadArgument);
    VGXGraphDoubleArray ratio, probability;
    EXPECT_EQ(VGXGraphNumerics::CalculateCCDF(512, w.data(), 1, ratio, probability),
              VGXGraphNumerics::BadArgument);
    EXPECT_EQ(VGXGraphNumerics::CalculateCCDF(0, w.data(), 500, ratio, probability),
              VGXGraphNumerics::BadArgument);
    EXPECT_EQ(VGXGraphNumerics::CalculateCCDF(512, zeros.data(), 500, ratio, probability),
              VGXGraphNumerics::NoPower);
    EXPECT_TRUE(ratio.isEmpty());
}

// The curve starts at the average power and rises; a tone's constant envelope never exceeds it (a
// step at 0 dB); complex Gaussian noise's power over its average is exponential, P(X >= r) = exp(-r).
TEST(GraphNumerics, CcdfOfAToneIsAStepAtZeroDbAndOfGaussianNoiseTheExponential) {
    std::mt19937 random(11);
    std::normal_distribution<double> normal(0.0, 32767.0 / 6.0);
    QVector<WaveformFile::SSample> s(20000);
    for (WaveformFile::SSample& x : s)
        x = {qint16(std::lround(normal(random))), qint16(std::lround(normal(random)))};
    for (const bool noise : {false, true}) {
        const QVector<qint32> w = noise ? words(s) : tone(4000, 0.37e6);
        VGXGraphDoubleArray ratio, probability;
        ASSERT_EQ(VGXGraphNumerics::CalculateCCDF(int(w.size()), w.data(), 500, ratio, probability), 0);
        ASSERT_EQ(ratio.size(), 500);
        ASSERT_EQ(probability.size(), 500);
        EXPECT_DOUBLE_EQ(ratio[0], 1.0);
        EXPECT_GT(10 * std::log10(ratio[499]), noise ? 8.0 : 0.0); // the span reaches the peak
        for (int k = 1; k < 500; ++k) {
            ASSERT_GT(ratio[k], ratio[k - 1]);
            const double dB = 10 * std::log10(ratio[k]);
            if (noise ? dB < 8.0 : dB > 0.01) {
                ASSERT_NEAR(probability[k], noise ? std::exp(-ratio[k]) : 0.0, noise ? 0.015 : 0.0)
                    << dB << " dB";
            }
        }
    }
}

TEST(GraphNumerics, ConvertToIqSplitsWordsAsTheWaveformFileStoresThem) {
    const QVector<WaveformFile::SSample> samples{{0, 0},          {1, -1},   {-32768, 32767},
                                                 {32767, -32768}, {-2, 300}, {12345, -23456}};
    // A word as the waveform file stores a sample, read little-endian: I in the low half, Q in the high.
    QVector<qint32> w;
    for (const WaveformFile::SSample& x : samples)
        w.append(qint32(quint32(quint16(x.i)) | quint32(quint16(x.q)) << 16));
    EXPECT_EQ(w, words(samples));
    struct Row {
        float scale;
        bool swap;
    };
    for (const Row& r : {Row{1.0f, false}, Row{float(1.0 / 32767), false}, Row{1.0f, true}}) {
        VGXGraphFloatArray i, q;
        VGXGraphNumerics::convertToIQ(i, q, w.data(), int(w.size()), r.scale, r.swap);
        ASSERT_EQ(i.size(), samples.size());
        ASSERT_EQ(q.size(), samples.size());
        for (int k = 0; k < samples.size(); ++k) {
            const float wantI = (r.swap ? samples[k].q : samples[k].i) * r.scale;
            const float wantQ = (r.swap ? samples[k].i : samples[k].q) * r.scale;
            EXPECT_EQ(i[k], wantI) << k;
            EXPECT_EQ(q[k], wantQ) << k;
        }
    }
    VGXGraphFloatArray i, q;
    VGXGraphNumerics::convertToIQ(i, q, nullptr, 5, 1.0f, false);
    EXPECT_TRUE(i.isEmpty() && q.isEmpty());
}

} // namespace
