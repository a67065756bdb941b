// The recorder's power spectrum against the bare transforms it is made of: convertIqToSpectrum on
// 16384 words with 2048 points (8 whole blocks averaged) and, alone, the 8 executions of an FFTW plan
// of the same size and kind. The ratio is what the unpacking, window, averaging and dB conversion cost
// on top; the goal is at most 1.3. The two sides are timed in alternating rounds, each as its best
// round, so load from elsewhere on the machine tilts neither.
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
constexpr int kCallsPerRound = 200;
constexpr int kRounds = 60;

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
    for (int r = 0; r < kRounds; ++r) {
        whole = std::min(whole, roundMicros(spectrumCall));
        transforms = std::min(transforms, roundMicros(transformCall));
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);

    std::printf("convertIqToSpectrum (%d words, %d points): %.2f us\n", kWords, kPoints, whole);
    std::printf("FFTW alone (%d executes of %d points):      %.2f us\n", kWords / kPoints, kPoints,
                transforms);
    std::printf("ratio: %.3f (goal <= 1.3)\n", whole / transforms);
    return 0;
}
