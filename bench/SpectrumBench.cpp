// The recorder's power spectrum against the bare transforms it is made of: convertIqToSpectrum on
// 16384 words with 2048 points (8 whole blocks averaged) and, alone, the 8 executions of an FFTW plan
// of the same size and kind. The ratio is what the unpacking, window, averaging and dB conversion cost
// on top; the goal is at most 1.3. The two sides are timed back to back in each round, which of them
// goes first alternating, and the ratio printed is the median of the rounds' ratios, so load from
// elsewhere on the machine falls on both sides and a burst of it on one round is left out. The times
// printed are each side's best round.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fftw3.h>
#include <functional>
#include <numbers>
#include <vector>

#include "host/numerics/VGXGraphNumerics.h"
#include "host/util/VGXIqWord.h"

using namespace MvQARN;

namespace {

constexpr int kWords = 16384;
constexpr int kPoints = 2048;
constexpr int kCallsPerRound = 20;
constexpr int kRounds = 601;

// Time of one call in a round of calls, in microseconds.
double roundMicros(const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < kCallsPerRound; ++k)
        call();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / kCallsPerRound;
}

} // namespace

int main() {
    // A tone in noise-like dither, so the transform works on ordinary data.
    std::vector<qint32> words(kWords);
    unsigned seed = 12345;
    for (int k = 0; k < kWords; ++k) {
        seed = seed * 1103515245u + 12345u;
        const double dither = double(seed >> 16 & 0xff) - 128.0;
        const double phase = 2.0 * std::numbers::pi * 0.1 * k;
        words[size_t(k)] = qint32(VGXIqWord::pack(qint16(std::lround(20000 * std::cos(phase) + dither)),
                                                  qint16(std::lround(20000 * std::sin(phase) - dither))));
    }

    VGXGraphNumerics numerics;
    VGXGraphFloatArray spectrum;
    numerics.convertIqToSpectrum(spectrum, words.data(), kWords, kPoints, 0.0); // plans the size
    const auto spectrumCall = [&] {
        numerics.convertIqToSpectrum(spectrum, words.data(), kWords, kPoints, 0.0);
        benchmark::DoNotOptimize(spectrum.data());
    };

    fftwf_complex* in = fftwf_alloc_complex(kPoints);
    fftwf_complex* out = fftwf_alloc_complex(kPoints);
    fftwf_plan plan = fftwf_plan_dft_1d(kPoints, in, out, FFTW_FORWARD, FFTW_MEASURE);
    for (int k = 0; k < kPoints; ++k) {
        in[k][0] = float(VGXIqWord::inphase(quint32(words[size_t(k)])));
        in[k][1] = float(VGXIqWord::quadrature(quint32(words[size_t(k)])));
    }
    const auto transformCall = [&] {
        for (int b = 0; b < kWords / kPoints; ++b)
            fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
    };
    double whole = 1e300, transforms = 1e300;
    std::vector<double> ratios;
    for (int r = 0; r < kRounds; ++r) {
        double w = 0, t = 0;
        if (r % 2 == 0) {
            w = roundMicros(spectrumCall);
            t = roundMicros(transformCall);
        } else {
            t = roundMicros(transformCall);
            w = roundMicros(spectrumCall);
        }
        whole = std::min(whole, w);
        transforms = std::min(transforms, t);
        ratios.push_back(w / t);
    }
    std::sort(ratios.begin(), ratios.end());
    const double ratio = ratios[ratios.size() / 2];
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);

    std::printf("convertIqToSpectrum (%d words, %d points): %.2f us\n", kWords, kPoints, whole);
    std::printf("FFTW alone (%d executes of %d points):      %.2f us\n", kWords / kPoints, kPoints,
                transforms);
    std::printf("ratio: %.3f, median of %d rounds (goal <= 1.3)\n", ratio, kRounds);
    return 0;
}
