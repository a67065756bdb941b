#include "host/numerics/VGXGraphNumerics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fftw3.h>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VGX_HAVE_X86_PATHS 1
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

// The per-sample loops below are most of the work besides the transforms. Each path builds them for
// its instruction set: the plain loops are written so the compiler vectorises them, and where it does
// badly (it takes the complex values apart and puts them together again) AVX2 and AVX-512 versions do
// the leading multiple of their step by hand, leaving the rest to the plain loops.
//
// Interleaved re, im of n words times the window (one value per sample). In memory the words are I, Q
// pairs of 16-bit integers (host/util/VGXIqWord.h), so this is one straight run. Besides the transform,
// the per-block data (words, window, transform in and out, power) is what has to stay in the first-level
// cache, so the window and the power hold one float per sample, not per value.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the words are read as pairs of 16-bit integers");
#define VGX_INLINE inline __attribute__((always_inline))
VGX_INLINE void unpackWindowed(const qint16* __restrict values, const float* __restrict w,
                               float* __restrict out, int n) {
    for (int k = 0; k < n; ++k) {
        out[2 * k] = float(values[2 * k]) * w[k];
        out[2 * k + 1] = float(values[2 * k + 1]) * w[k];
    }
}

// power[k] (+)= |x[k]|^2 of n interleaved complex values; the first block stores, the others add, so
// the sum needs no clearing.
VGX_INLINE void sumPower(const float* __restrict x, float* __restrict power, int n, bool add) {
    if (add)
        for (int k = 0; k < n; ++k)
            power[k] += x[2 * k] * x[2 * k] + x[2 * k + 1] * x[2 * k + 1];
    else
        for (int k = 0; k < n; ++k)
            power[k] = x[2 * k] * x[2 * k] + x[2 * k + 1] * x[2 * k + 1];
}

// 10 log10(v) + offset for positive normal v, to about 2e-5 dB (float rounding), without a
// division: v is split as 2^e * m with m in [sqrt(1/2), sqrt(2)), and 10 log10(m) = x * P(x) with
// x = m - 1 and P of degree 6 interpolating 10 log10(1 + x) / x at the Chebyshev nodes of that range.
VGX_INLINE float tenLog10(float v, float offset) {
    constexpr std::uint32_t sqrtHalf = 0x3f3504f3u; // the bits of sqrt(1/2)
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const std::uint32_t shifted = bits - sqrtHalf;
    const float exponent = float(std::int32_t(shifted) >> 23);
    const std::uint32_t mbits = (shifted & 0x7fffffu) + sqrtHalf;
    float m;
    std::memcpy(&m, &mbits, sizeof m);
    const float x = m - 1.0f;
    const float p = 4.342949281e+00f +
                    x * (-2.171510514e+00f +
                         x * (1.446789671e+00f +
                              x * (-1.082276453e+00f +
                                   x * (8.914086902e-01f + x * (-8.066516277e-01f + x * 5.062920879e-01f)))));
    constexpr float tenLog10Of2 = float(3.0102999566398120);
    return exponent * tenLog10Of2 + offset + x * p;
}

// out[k] = 10 log10(power[k] * scale) + offset.
VGX_INLINE void powerToDb(const float* __restrict power, float scale, float offset, float* __restrict out,
                          int n) {
    for (int k = 0; k < n; ++k)
        out[k] = tenLog10(power[k] * scale + 1e-20f, offset);
}

// The loops of one path.
struct SLoops {
    void (*unpack)(const qint16* values, const float* w, float* out, int n);
    void (*power)(const float* x, float* power, int n, bool add);
    void (*toDb)(const float* power, float scale, float offset, float* out, int n);
};

void unpackPlain(const qint16* values, const float* w, float* out, int n) {
    unpackWindowed(values, w, out, n);
}
void powerPlain(const float* x, float* power, int n, bool add) {
    sumPower(x, power, n, add);
}
void toDbPlain(const float* power, float scale, float offset, float* out, int n) {
    powerToDb(power, scale, offset, out, n);
}
constexpr SLoops kPlainLoops{unpackPlain, powerPlain, toDbPlain};

#ifdef VGX_HAVE_X86_PATHS
// By hand: a window value is spread onto its I and Q lanes with one permute, and the squares of re and
// im are paired with shuffles. (The intrinsics start from undefined registers, which this compiler's
// uninitialised-use check flags inside its own headers.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#define VGX_AVX2 __attribute__((target("avx2,fma")))
#define VGX_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512dq,avx2,fma")))

VGX_AVX2 void unpackAvx2(const qint16* values, const float* w, float* out, int n) {
    const __m256i low = _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3);
    const __m256i high = _mm256_setr_epi32(4, 4, 5, 5, 6, 6, 7, 7);
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256 ww = _mm256_loadu_ps(w + k);
        const __m128i* raw = reinterpret_cast<const __m128i*>(values + 2 * k);
        const __m256 a = _mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm_loadu_si128(raw)));
        const __m256 b = _mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm_loadu_si128(raw + 1)));
        _mm256_storeu_ps(out + 2 * k, _mm256_mul_ps(a, _mm256_permutevar8x32_ps(ww, low)));
        _mm256_storeu_ps(out + 2 * k + 8, _mm256_mul_ps(b, _mm256_permutevar8x32_ps(ww, high)));
    }
    unpackWindowed(values + 2 * k, w + k, out + 2 * k, n - k);
}

VGX_AVX2 void powerAvx2(const float* x, float* power, int n, bool add) {
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256 a = _mm256_loadu_ps(x + 2 * k);     // values 0 1 | 2 3
        const __m256 b = _mm256_loadu_ps(x + 2 * k + 8); // values 4 5 | 6 7
        const __m256 re = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
        const __m256 im = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
        // Squares in the order 0 1 4 5 | 2 3 6 7: the middle pairs change places.
        const __m256 sum = _mm256_fmadd_ps(re, re, _mm256_mul_ps(im, im));
        __m256 ordered =
            _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(sum), _MM_SHUFFLE(3, 1, 2, 0)));
        if (add)
            ordered = _mm256_add_ps(_mm256_loadu_ps(power + k), ordered);
        _mm256_storeu_ps(power + k, ordered);
    }
    sumPower(x + 2 * k, power + k, n - k, add);
}

VGX_AVX2 void toDbAvx2(const float* power, float scale, float offset, float* out, int n) {
    powerToDb(power, scale, offset, out, n);
}

VGX_AVX512 void unpackAvx512(const qint16* values, const float* w, float* out, int n) {
    const __m512i spread = _mm512_set_epi32(7, 7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0);
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256i raw = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(values + 2 * k));
        const __m512 v = _mm512_cvtepi32_ps(_mm512_cvtepi16_epi32(raw));
        const __m512 ww = _mm512_permutexvar_ps(spread, _mm512_castps256_ps512(_mm256_loadu_ps(w + k)));
        _mm512_storeu_ps(out + 2 * k, _mm512_mul_ps(v, ww));
    }
    unpackWindowed(values + 2 * k, w + k, out + 2 * k, n - k);
}

VGX_AVX512 void powerAvx512(const float* x, float* power, int n, bool add) {
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
    sumPower(x + 2 * k, power + k, n - k, add);
}

VGX_AVX512 void toDbAvx512(const float* power, float scale, float offset, float* out, int n) {
    powerToDb(power, scale, offset, out, n);
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

constexpr SLoops kAvx2Loops{unpackAvx2, powerAvx2, toDbAvx2};
constexpr SLoops kAvx512Loops{unpackAvx512, powerAvx512, toDbAvx512};
#endif

const SLoops& loopsOf(VGXGraphNumerics::Path path) {
#ifdef VGX_HAVE_X86_PATHS
    if (path == VGXGraphNumerics::Path::Avx512)
        return kAvx512Loops;
    if (path == VGXGraphNumerics::Path::Avx2)
        return kAvx2Loops;
#endif
    (void)path;
    return kPlainLoops;
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
    void accumulate(const SLoops& loops, const qint32* words, int n, const float* w, int block) {
        fftwf_complex* src = block % 2 ? out : in;
        fftwf_complex* dst = block % 2 ? in : out;
        float* x = reinterpret_cast<float*>(src);
        loops.unpack(reinterpret_cast<const qint16*>(words), w, x, n);
        std::fill(x + 2 * n, x + 2 * points, 0.0f);
        fftwf_execute_dft(plan, src, dst);
        loops.power(reinterpret_cast<const float*>(dst), power.data(), points, block > 0);
    }

    int points;
    double gain = 0.0; // sum of the window: the transform of a full-bin tone of amplitude 1
    std::vector<float> window;
    std::vector<float> power; // |X|^2 of every bin, summed over the blocks
    fftwf_complex* in = nullptr;
    fftwf_complex* out = nullptr;
    fftwf_plan plan = nullptr;
};

VGXGraphNumerics::VGXGraphNumerics() : m_path(availablePaths().back()) {}
VGXGraphNumerics::~VGXGraphNumerics() = default;

std::vector<VGXGraphNumerics::Path> VGXGraphNumerics::availablePaths() {
    std::vector<Path> paths{Path::Plain};
#ifdef VGX_HAVE_X86_PATHS
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    static const bool avx512 = avx2 && __builtin_cpu_supports("avx512f") &&
                               __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
                               __builtin_cpu_supports("avx512dq");
    if (avx2)
        paths.push_back(Path::Avx2);
    if (avx512)
        paths.push_back(Path::Avx512);
#endif
    return paths;
}

bool VGXGraphNumerics::usePath(Path path) {
    const std::vector<Path> paths = availablePaths();
    if (std::find(paths.begin(), paths.end(), path) == paths.end())
        return false;
    m_path = path;
    return true;
}

const char* VGXGraphNumerics::pathName(Path path) {
    switch (path) {
    case Path::Avx2:
        return "AVX2";
    case Path::Avx512:
        return "AVX-512";
    default:
        return "plain";
    }
}

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
    const SLoops& loops = loopsOf(m_path);
    const int blocks = count / fftPoints;
    double gain = p.gain;
    if (blocks > 0) {
        for (int b = 0; b < blocks; ++b)
            p.accumulate(loops, words + qsizetype(b) * fftPoints, fftPoints, p.window.data(), b);
    } else {
        // Fewer words than points: the window spans the words that are there.
        const std::vector<float> w = blackmanHarris(count, gain);
        p.accumulate(loops, words, count, w.data(), 0);
    }
    // Full scale: a complex tone of amplitude 32767 in the middle of a bin gives |X| = 32767 * gain.
    const double reference = VGXIqWord::FullScale * gain;
    const double norm = 1.0 / (reference * reference * std::max(blocks, 1));
    spectrum.realloc(fftPoints);
    // The bins from -fs/2 upwards: the upper half of the transform first.
    const int half = fftPoints / 2;
    float* db = spectrum.data();
    loops.toDb(p.power.data() + half, float(norm), float(levelOffsetDb), db, half);
    loops.toDb(p.power.data(), float(norm), float(levelOffsetDb), db + half, half);
    return Ok;
}

} // namespace MvQARN
