#pragma once
// The numeric work behind the recorder's plots: unpacking a block of I/Q words (host/util/VGXIqWord.h
// says how a 32-bit word holds I and Q), the CCDF of its power and its averaged power spectrum.
//
// Spectrum: the block is cut into whole blocks of fftPoints samples (a block shorter than fftPoints is
// taken once, zero-padded); each is weighted with a four-term Blackman-Harris window (side lobes
// about 92 dB down), transformed with FFTW and its power |X|^2 averaged over the blocks. The result is
// in dB relative to full scale: a complex tone of amplitude 32767 in the middle of a bin reads 0 dB.
// Values run from -fs/2 to just below +fs/2 (bin N/2 first), the order of a frequency axis. The FFTW
// plan and window of a size are made on first use and kept by the object.
#include <QtGlobal>
#include <map>
#include <memory>
#include <vector>

#include "host/numerics/VGXGraphArray.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT VGXGraphNumerics {
public:
    enum Status : int {
        Ok = 0,
        BadArgument = 1, // no words, a count, bin number or FFT size out of range
        NoPower = 2,     // the block holds only zeros: no power to relate to
    };
    // FFT sizes: powers of two in this range.
    static constexpr int MinFftPoints = 2;
    static constexpr int MaxFftPoints = 1 << 16;
    // The CCDF spans at least this many dB above the average power.
    static constexpr double MinCcdfSpanDb = 1.0;

    VGXGraphNumerics();
    ~VGXGraphNumerics();
    VGXGraphNumerics(const VGXGraphNumerics&) = delete;
    VGXGraphNumerics& operator=(const VGXGraphNumerics&) = delete;

    // Fills i and q with count values each: the word's I and Q times scale. swapIq exchanges the two
    // halves (for data whose Q comes first). Without words (null or count <= 0) both arrays are empty.
    static void convertToIQ(VGXGraphFloatArray& i, VGXGraphFloatArray& q, const qint32* words, int count,
                            float scale, bool swapIq);

    // Complementary cumulative distribution of the instantaneous power over its average. ratio gets
    // `bins` power ratios (linear) evenly spaced in dB from 0 dB (ratio 1) to the block's peak ratio
    // (at least MinCcdfSpanDb); probability[k] is the fraction of samples whose power ratio is at least
    // ratio[k] (0 .. 1). Returns Ok, BadArgument (bins < 2, no words) or NoPower; on failure the
    // arrays are left as they were.
    static int CalculateCCDF(int count, const qint32* words, int bins, VGXGraphDoubleArray& ratio,
                             VGXGraphDoubleArray& probability);

    // Averaged power spectrum of the block (see above) into spectrum, fftPoints values in dB relative
    // to full scale plus levelOffsetDb. Returns Ok or BadArgument (then spectrum is empty).
    int convertIqToSpectrum(VGXGraphFloatArray& spectrum, const qint32* words, int count, int fftPoints,
                            double levelOffsetDb);

    // The instruction sets the spectrum's per-sample loops are built for. Every machine has Plain; an
    // object starts on the last of availablePaths(), the fastest this processor runs. Picking another
    // is for comparing them (tests, benchmarks): the results agree to rounding.
    enum class Path { Plain, Avx2, Avx512 };
    static std::vector<Path> availablePaths();
    // False, and nothing changes, when this processor cannot run the path.
    bool usePath(Path path);
    Path path() const { return m_path; }
    static const char* pathName(Path path);

    // FFT sizes planned so far.
    int plannedSizes() const { return int(m_plans.size()); }

private:
    struct SPlan;
    SPlan& plan(int points);

    std::map<int, std::unique_ptr<SPlan>> m_plans;
    Path m_path;
};

} // namespace MvQARN
