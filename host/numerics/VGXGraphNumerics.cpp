#include "host/numerics/VGXGraphNumerics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fftw3.h>
#include <mutex>
#include <numbers>
#include <vector>

#include "host/util/VGXIqWord.h"

namespace MvQARN {

namespace {

// FFTW's planner is not re-entrant; executing a finished plan is.
std::mutex& plannerMutex() {
    static std::mutex m;
    return m;
}

// Four-term Blackman-Harris window over n samples, each value twice (for re and im); gain is the sum
// over the n samples.
std::vector<float> blackmanHarris(int n, double& gain) {
    constexpr double a0 = 0.35875, a1 = 0.48829, a2 = 0.14128, a3 = 0.01168;
    std::vector<float> w(static_cast<size_t>(2 * n));
    const double step = n > 1 ? 2.0 * std::numbers::pi / double(n - 1) : 0.0;
    gain = 0.0;
    for (int k = 0; k < n; ++k) {
        const double x = step * k;
        const float v =
            n > 1 ? float(a0 - a1 * std::cos(x) + a2 * std::cos(2 * x) - a3 * std::cos(3 * x)) : 1.0f;
        w[size_t(2 * k)] = w[size_t(2 * k + 1)] = v;
        gain += v;
    }
    return w;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// The per-sample loops below are most of the work besides the transforms. They are written so the
// compiler vectorises them, and built for AVX-512 and AVX2 as well as the baseline, chosen when the
// library loads.
#define VGX_SIMD_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))

// Interleaved re, im of n words times the window (given per value: w[2k] = w[2k + 1]). In memory the
// words are I, Q pairs of 16-bit integers (host/util/VGXIqWord.h), so this is one straight run.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the words are read as pairs of 16-bit integers");
VGX_SIMD_CLONES void unpackWindowed(const qint16* __restrict values, const float* __restrict w,
                                    float* __restrict out, int n) {
    for (int k = 0; k < 2 * n; ++k)
        out[k] = float(values[k]) * w[k];
}

// squares[j] += x[j]^2 over interleaved re, im: the halves of |X|^2, added up once at the end.
VGX_SIMD_CLONES void addSquares(const float* __restrict x, float* __restrict squares, int n) {
    for (int j = 0; j < 2 * n; ++j)
        squares[j] += x[j] * x[j];
}

// 10 log10(v) for positive normal v, to about 1e-4 dB: the exponent from the bits, log2 of the mantissa
// m in [1, 2) from the series of atanh with t = (m - 1) / (m + 1) <= 1/3.
inline float tenLog10(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const float exponent = float(int(bits >> 23) - 127);
    const std::uint32_t mbits = (bits & 0x7fffffu) | 0x3f800000u;
    float m;
    std::memcpy(&m, &mbits, sizeof m);
    const float t = (m - 1.0f) / (m + 1.0f);
    const float t2 = t * t;
    const float series = t * (1.0f + t2 * (1.0f / 3 + t2 * (1.0f / 5 + t2 * (1.0f / 7 + t2 * (1.0f / 9)))));
    constexpr float twoOverLn2 = float(2.0 / std::numbers::ln2);
    constexpr float tenLog10Of2 = float(3.0102999566398120);
    return (exponent + twoOverLn2 * series) * tenLog10Of2;
}

// out[k] = 10 log10(|X[(k + half) mod n]|^2 * scale) + offset from the squares of re and im: the bins
// from -fs/2 upwards, in dB.
VGX_SIMD_CLONES void toDb(const float* __restrict squares, float scale, float offset, float* __restrict out,
                          int n) {
    const int half = n / 2;
    for (int k = 0; k < half; ++k) {
        const int low = k + half, high = k;
        out[k] = tenLog10((squares[2 * low] + squares[2 * low + 1]) * scale + 1e-20f) + offset;
        out[k + half] = tenLog10((squares[2 * high] + squares[2 * high + 1]) * scale + 1e-20f) + offset;
    }
}

} // namespace

struct VGXGraphNumerics::SPlan {
    explicit SPlan(int n) : points(n), window(blackmanHarris(n, gain)), squares(size_t(2 * n)) {
        in = fftwf_alloc_complex(size_t(n));
        out = fftwf_alloc_complex(size_t(n));
        {
            std::lock_guard<std::mutex> lock(plannerMutex());
            plan = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
        }
    }
    ~SPlan() {
        {
            std::lock_guard<std::mutex> lock(plannerMutex());
            fftwf_destroy_plan(plan);
        }
        fftwf_free(in);
        fftwf_free(out);
    }
    SPlan(const SPlan&) = delete;
    SPlan& operator=(const SPlan&) = delete;

    // Windows `n` words (n <= points; the rest of the block is zero), transforms and adds |X|^2.
    void accumulate(const qint32* words, int n, const float* w) {
        float* x = reinterpret_cast<float*>(in);
        unpackWindowed(reinterpret_cast<const qint16*>(words), w, x, n);
        std::fill(x + 2 * n, x + 2 * points, 0.0f);
        fftwf_execute(plan);
        addSquares(reinterpret_cast<const float*>(out), squares.data(), points);
    }

    int points;
    double gain = 0.0;          // sum of the window: the transform of a full-bin tone of amplitude 1
    std::vector<float> window;  // interleaved, see blackmanHarris
    std::vector<float> squares; // re^2 and im^2 of every bin, summed over the blocks
    fftwf_complex* in = nullptr;
    fftwf_complex* out = nullptr;
    fftwf_plan plan = nullptr;
};

VGXGraphNumerics::VGXGraphNumerics() = default;
VGXGraphNumerics::~VGXGraphNumerics() = default;

VGXGraphNumerics::SPlan& VGXGraphNumerics::plan(int points) {
    std::unique_ptr<SPlan>& p = m_plans[points];
    if (!p)
        p = std::make_unique<SPlan>(points);
    return *p;
}

void VGXGraphNumerics::convertToIQ(VGXGraphFloatArray& i, VGXGraphFloatArray& q, const qint32* words,
                                   int count, float scale, bool swapIq) {
    const int n = words && count > 0 ? count : 0;
    i.realloc(n);
    q.realloc(n);
    float* first = swapIq ? q.data() : i.data();
    float* second = swapIq ? i.data() : q.data();
    for (int k = 0; k < n; ++k) {
        const quint32 word = quint32(words[k]);
        first[k] = float(VGXIqWord::inphase(word)) * scale;
        second[k] = float(VGXIqWord::quadrature(word)) * scale;
    }
}

int VGXGraphNumerics::CalculateCCDF(int count, const qint32* words, int bins, VGXGraphDoubleArray& ratio,
                                    VGXGraphDoubleArray& probability) {
    if (!words || count <= 0 || bins < 2)
        return BadArgument;
    std::vector<double> power(static_cast<size_t>(count));
    double sum = 0.0;
    for (int k = 0; k < count; ++k) {
        const double i = VGXIqWord::inphase(quint32(words[k]));
        const double q = VGXIqWord::quadrature(quint32(words[k]));
        power[size_t(k)] = i * i + q * q;
        sum += power[size_t(k)];
    }
    if (sum <= 0.0)
        return NoPower;
    const double average = sum / count;
    std::sort(power.begin(), power.end());
    const double peakDb = 10.0 * std::log10(power.back() / average);
    const double spanDb = std::max(peakDb, MinCcdfSpanDb);

    ratio.realloc(bins);
    probability.realloc(bins);
    // Ratios rise with k, so the first sample at or above each one only moves forward.
    size_t below = 0;
    for (int k = 0; k < bins; ++k) {
        const double r = std::pow(10.0, spanDb * k / (bins - 1) / 10.0);
        while (below < power.size() && power[below] < r * average)
            ++below;
        ratio[k] = r;
        probability[k] = double(power.size() - below) / double(count);
    }
    return Ok;
}

int VGXGraphNumerics::convertIqToSpectrum(VGXGraphFloatArray& spectrum, const qint32* words, int count,
                                          int fftPoints, double levelOffsetDb) {
    if (!words || count <= 0 || fftPoints < MinFftPoints || fftPoints > MaxFftPoints ||
        !isPowerOfTwo(fftPoints)) {
        spectrum.realloc(0);
        return BadArgument;
    }
    SPlan& p = plan(fftPoints);
    std::fill(p.squares.begin(), p.squares.end(), 0.0f);
    const int blocks = count / fftPoints;
    double gain = p.gain;
    if (blocks > 0) {
        for (int b = 0; b < blocks; ++b)
            p.accumulate(words + qsizetype(b) * fftPoints, fftPoints, p.window.data());
    } else {
        // Fewer words than points: the window spans the words that are there.
        const std::vector<float> w = blackmanHarris(count, gain);
        p.accumulate(words, count, w.data());
    }
    // Full scale: a complex tone of amplitude 32767 in the middle of a bin gives |X| = 32767 * gain.
    const double reference = VGXIqWord::FullScale * gain;
    const double norm = 1.0 / (reference * reference * std::max(blocks, 1));
    spectrum.realloc(fftPoints);
    toDb(p.squares.data(), float(norm), float(levelOffsetDb), spectrum.data(), fftPoints);
    return Ok;
}

} // namespace MvQARN
