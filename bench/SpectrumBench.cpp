// The recorder's power spectrum against the bare transforms it is made of: convertIqToSpectrum on
// 16384 words with 2048 points (8 whole blocks averaged) and, alone, the 8 executions of an FFTW plan
// of the same size and kind. The ratio is what the unpacking, window, averaging and dB conversion cost
// on top; the goal is at most 1.3. It is measured for every instruction-set path this processor runs
// (VGXGraphNumerics::Path), so a machine without the fastest one is seen too. Each round times every
// path and the transforms back to back, in an order that turns from round to round, and a path's ratio
// is the median of its rounds' ratios against the transforms of the same round: load from elsewhere on
// the machine falls on both sides, and a burst of it on one round is left out. The times printed are
// each side's best round.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fftw3.h>
#include <functional>
#include <memory>
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

    const std::vector<VGXGraphNumerics::Path> paths = VGXGraphNumerics::availablePaths();
    std::vector<std::unique_ptr<VGXGraphNumerics>> numerics;
    VGXGraphFloatArray spectrum;
    std::vector<std::function<void()>> calls; // one per path, then the transforms alone
    for (VGXGraphNumerics::Path path : paths) {
        numerics.push_back(std::make_unique<VGXGraphNumerics>());
        VGXGraphNumerics* n = numerics.back().get();
        n->usePath(path);
        n->convertIqToSpectrum(spectrum, words.data(), kWords, kPoints, 0.0); // plans the size
        calls.push_back([n, &words, &spectrum] {
            n->convertIqToSpectrum(spectrum, words.data(), kWords, kPoints, 0.0);
            benchmark::DoNotOptimize(spectrum.data());
        });
    }

    fftwf_complex* in = fftwf_alloc_complex(kPoints);
    fftwf_complex* out = fftwf_alloc_complex(kPoints);
    fftwf_plan plan = fftwf_plan_dft_1d(kPoints, in, out, FFTW_FORWARD, FFTW_MEASURE);
    for (int k = 0; k < kPoints; ++k) {
        in[k][0] = float(VGXIqWord::inphase(quint32(words[size_t(k)])));
        in[k][1] = float(VGXIqWord::quadrature(quint32(words[size_t(k)])));
    }
    calls.push_back([&] {
        for (int b = 0; b < kWords / kPoints; ++b)
            fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
    });

    const size_t sides = calls.size(), transforms = sides - 1;
    std::vector<double> best(sides, 1e300), took(sides);
    std::vector<std::vector<double>> ratios(paths.size());
    for (int r = 0; r < kRounds; ++r) {
        for (size_t k = 0; k < sides; ++k) {
            const size_t side = (size_t(r) + k) % sides;
            took[side] = roundMicros(calls[side]);
            best[side] = std::min(best[side], took[side]);
        }
        for (size_t p = 0; p < paths.size(); ++p)
            ratios[p].push_back(took[p] / took[transforms]);
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);

    std::printf("FFTW alone (%d executes of %d points): %.2f us\n", kWords / kPoints, kPoints,
                best[transforms]);
    for (size_t p = 0; p < paths.size(); ++p) {
        std::sort(ratios[p].begin(), ratios[p].end());
        std::printf("convertIqToSpectrum (%d words, %d points), %-7s path: %.2f us, ratio %.3f\n", kWords,
                    kPoints, VGXGraphNumerics::pathName(paths[p]), best[p], ratios[p][ratios[p].size() / 2]);
    }
    std::printf("ratios: medians of %d rounds (goal <= 1.3)\n", kRounds);
    return 0;
}
