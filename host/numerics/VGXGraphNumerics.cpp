#include "host/numerics/VGXGraphNumerics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fftw3.h>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VGX_HAVE_AVX512_PATH 1
#endif
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

// Four-term Blackman-Harris window over n samples; gain is its sum.
std::vector<float> blackmanHarris(int n, double& gain) {
    constexpr double a0 = 0.35875, a1 = 0.48829, a2 = 0.14128, a3 = 0.01168;
    std::vector<float> w(static_cast<size_t>(n));
    const double step = n > 1 ? 2.0 * std::numbers::pi / double(n - 1) : 0.0;
    gain = 0.0;
    for (int k = 0; k < n; ++k) {
        const double x = step * k;
        w[size_t(k)] =
            n > 1 ? float(a0 - a1 * std::cos(x) + a2 * std::cos(2 * x) - a3 * std::cos(3 * x)) : 1.0f;
        gain += w[size_t(k)];
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

// Interleaved re, im of n words times the window (one value per sample). In memory the words are I, Q
// pairs of 16-bit integers (host/util/VGXIqWord.h), so this is one straight run. Besides the transform,
// the per-block data (words, window, transform in and out, power) is what has to stay in the first-level
// cache, so the window and the power hold one float per sample, not per value.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the words are read as pairs of 16-bit integers");
VGX_SIMD_CLONES void unpackWindowed(const qint16* __restrict values, const float* __restrict w,
                                    float* __restrict out, int n) {
    for (int k = 0; k < n; ++k) {
        out[2 * k] = float(values[2 * k]) * w[k];
        out[2 * k + 1] = float(values[2 * k + 1]) * w[k];
    }
}

// power[k] (+)= |x[k]|^2 of n interleaved complex values; the first block stores, the others add, so
// the sum needs no clearing.
VGX_SIMD_CLONES void storePower(const float* __restrict x, float* __restrict power, int n) {
    for (int k = 0; k < n; ++k)
        power[k] = x[2 * k] * x[2 * k] + x[2 * k + 1] * x[2 * k + 1];
}
VGX_SIMD_CLONES void addPower(const float* __restrict x, float* __restrict power, int n) {
    for (int k = 0; k < n; ++k)
        power[k] += x[2 * k] * x[2 * k] + x[2 * k + 1] * x[2 * k + 1];
}

#ifdef VGX_HAVE_AVX512_PATH
// The same two loops by hand for AVX-512, where the compiler's versions take the complex values apart
// and put them together again: a window value is spread onto its I and Q lanes with one permute, and
// the squares of re and im are paired with two. Each does the leading multiple of its step; the
// loops above do the rest. (The intrinsics start from undefined registers, which this compiler's
// uninitialised-use check flags inside its own headers.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
__attribute__((target("avx512f,avx512bw"))) int unpackWindowedAvx512(const qint16* __restrict values,
                                                                     const float* __restrict w,
                                                                     float* __restrict out, int n) {
    const __m512i spread = _mm512_set_epi32(7, 7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0);
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256i raw = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(values + 2 * k));
        const __m512 v = _mm512_cvtepi32_ps(_mm512_cvtepi16_epi32(raw));
        const __m512 ww = _mm512_permutexvar_ps(spread, _mm512_castps256_ps512(_mm256_loadu_ps(w + k)));
        _mm512_storeu_ps(out + 2 * k, _mm512_mul_ps(v, ww));
    }
    return k;
}

__attribute__((target("avx512f"))) int powerAvx512(const float* __restrict x, float* __restrict power, int n,
                                                   bool add) {
    const __m512i even = _mm512_set_epi32(30, 28, 26, 24, 22, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 0);
    const __m512i odd = _mm512_set_epi32(31, 29, 27, 25, 23, 21, 19, 17, 15, 13, 11, 9, 7, 5, 3, 1);
    int k = 0;
    for (; k + 16 <= n; k += 16) {
        __m512 a = _mm512_loadu_ps(x + 2 * k);
        __m512 b = _mm512_loadu_ps(x + 2 * k + 16);
        a = _mm512_mul_ps(a, a);
        b = _mm512_mul_ps(b, b);
        __m512 sum = _mm512_add_ps(_mm512_permutex2var_ps(a, even, b), _mm512_permutex2var_ps(a, odd, b));
        if (add)
            sum = _mm512_add_ps(_mm512_loadu_ps(power + k), sum);
        _mm512_storeu_ps(power + k, sum);
    }
    return k;
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

bool haveAvx512() {
    static const bool have = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return have;
}
#endif

void unpack(const qint16* values, const float* w, float* out, int n) {
    int done = 0;
#ifdef VGX_HAVE_AVX512_PATH
    if (haveAvx512())
        done = unpackWindowedAvx512(values, w, out, n);
#endif
    if (done < n)
        unpackWindowed(values + 2 * done, w + done, out + 2 * done, n - done);
}

void power(const float* x, float* power, int n, bool add) {
    int done = 0;
#ifdef VGX_HAVE_AVX512_PATH
    if (haveAvx512())
        done = powerAvx512(x, power, n, add);
#endif
    if (done < n)
        (add ? addPower : storePower)(x + 2 * done, power + done, n - done);
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

// out[k] = 10 log10(power[k] * scale) + offset.
VGX_SIMD_CLONES void toDb(const float* __restrict power, float scale, float offset, float* __restrict out,
                          int n) {
    for (int k = 0; k < n; ++k)
        out[k] = tenLog10(power[k] * scale + 1e-20f) + offset;
}

} // namespace

struct VGXGraphNumerics::SPlan {
    explicit SPlan(int n) : points(n), window(blackmanHarris(n, gain)), power(size_t(n)) {
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

    // Windows `n` words (n <= points; the rest of the block is zero), transforms and stores (block 0)
    // or adds |X|^2. The two buffers swap roles from block to block: the windowed words go where the
    // previous transform wrote, which the power loop has just read, so they are stored into the
    // first-level cache rather than fetched back into it. Both come from fftwf_alloc_complex, so they
    // are aligned alike, and never coincide, as the out-of-place plan made on them requires.
    void accumulate(const qint32* words, int n, const float* w, int block) {
        fftwf_complex* src = block % 2 ? out : in;
        fftwf_complex* dst = block % 2 ? in : out;
        float* x = reinterpret_cast<float*>(src);
        unpack(reinterpret_cast<const qint16*>(words), w, x, n);
        std::fill(x + 2 * n, x + 2 * points, 0.0f);
        fftwf_execute_dft(plan, src, dst);
        MvQARN::power(reinterpret_cast<const float*>(dst), power.data(), points, block > 0);
    }

    int points;
    double gain = 0.0; // sum of the window: the transform of a full-bin tone of amplitude 1
    std::vector<float> window;
    std::vector<float> power; // |X|^2 of every bin, summed over the blocks
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
    const int blocks = count / fftPoints;
    double gain = p.gain;
    if (blocks > 0) {
        for (int b = 0; b < blocks; ++b)
            p.accumulate(words + qsizetype(b) * fftPoints, fftPoints, p.window.data(), b);
    } else {
        // Fewer words than points: the window spans the words that are there.
        const std::vector<float> w = blackmanHarris(count, gain);
        p.accumulate(words, count, w.data(), 0);
    }
    // Full scale: a complex tone of amplitude 32767 in the middle of a bin gives |X| = 32767 * gain.
    const double reference = VGXIqWord::FullScale * gain;
    const double norm = 1.0 / (reference * reference * std::max(blocks, 1));
    spectrum.realloc(fftPoints);
    // The bins from -fs/2 upwards: the upper half of the transform first.
    const int half = fftPoints / 2;
    float* db = spectrum.data();
    toDb(p.power.data() + half, float(norm), float(levelOffsetDb), db, half);
    toDb(p.power.data(), float(norm), float(levelOffsetDb), db + half, half);
    return Ok;
}

} // namespace MvQARN
