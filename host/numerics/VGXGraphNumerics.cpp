#include "host/numerics/VGXGraphNumerics.h"

#include <algorithm>
#include <cmath>
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

// Four-term Blackman-Harris window over n samples.
void blackmanHarris(float* w, int n) {
    constexpr double a0 = 0.35875, a1 = 0.48829, a2 = 0.14128, a3 = 0.01168;
    if (n == 1) {
        w[0] = 1.0f;
        return;
    }
    const double step = 2.0 * std::numbers::pi / double(n - 1);
    for (int k = 0; k < n; ++k) {
        const double x = step * k;
        w[k] = float(a0 - a1 * std::cos(x) + a2 * std::cos(2 * x) - a3 * std::cos(3 * x));
    }
}

double windowSum(const float* w, int n) {
    double s = 0.0;
    for (int k = 0; k < n; ++k)
        s += w[k];
    return s;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

struct VGXGraphNumerics::SPlan {
    explicit SPlan(int n) : points(n), window(size_t(n)), power(size_t(n)) {
        in = fftwf_alloc_complex(size_t(n));
        out = fftwf_alloc_complex(size_t(n));
        {
            std::lock_guard<std::mutex> lock(plannerMutex());
            plan = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
        }
        blackmanHarris(window.data(), n);
        gain = windowSum(window.data(), n);
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
        for (int k = 0; k < n; ++k) {
            const quint32 word = quint32(words[k]);
            in[k][0] = float(VGXIqWord::inphase(word)) * w[k];
            in[k][1] = float(VGXIqWord::quadrature(word)) * w[k];
        }
        for (int k = n; k < points; ++k)
            in[k][0] = in[k][1] = 0.0f;
        fftwf_execute(plan);
        float* p = power.data();
        for (int k = 0; k < points; ++k)
            p[k] += out[k][0] * out[k][0] + out[k][1] * out[k][1];
    }

    int points;
    std::vector<float> window;
    double gain = 0.0; // sum of the window: the transform of a full-bin tone of amplitude 1
    std::vector<float> power;
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
    std::fill(p.power.begin(), p.power.end(), 0.0f);
    const int blocks = count / fftPoints;
    double gain = p.gain;
    if (blocks > 0) {
        for (int b = 0; b < blocks; ++b)
            p.accumulate(words + qsizetype(b) * fftPoints, fftPoints, p.window.data());
    } else {
        // Fewer words than points: the window spans the words that are there.
        std::vector<float> w(static_cast<size_t>(count));
        blackmanHarris(w.data(), count);
        gain = windowSum(w.data(), count);
        p.accumulate(words, count, w.data());
    }
    // Full scale: a complex tone of amplitude 32767 in the middle of a bin gives |X| = 32767 * gain.
    const double reference = VGXIqWord::FullScale * gain;
    const double norm = 1.0 / (reference * reference * std::max(blocks, 1));
    const float offset = float(levelOffsetDb);
    spectrum.realloc(fftPoints);
    float* out = spectrum.data();
    const int half = fftPoints / 2;
    for (int k = 0; k < fftPoints; ++k) {
        const float v = float(p.power[size_t((k + half) % fftPoints)] * norm);
        out[k] = 10.0f * std::log10(v + 1e-20f) + offset;
    }
    return Ok;
}

} // namespace MvQARN
