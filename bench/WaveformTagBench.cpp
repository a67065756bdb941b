// Tag reads of waveform files: a small file and a 1 GiB one must cost the same, because reading the
// tags stops at the sample data. The big file is sparse, so it takes no disk space.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/listadm/WaveformFile.h"

using namespace MvQARN;

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kGiB = 1024 * 1024 * 1024;

// A file of exactly `size` bytes whose WAVEFORM tag claims all bytes behind the tags. Blanks in
// front of the first tag make up the difference, so the size comes out exact.
bool makeFile(const QString& path, qint64 size) {
    const qint64 samples = (size - 200) / 4;
    const QByteArray head = QStringLiteral("{TYPE: VGX-WV, 0}{CLOCK: 100000000}{SAMPLES: %1}"
                                           "{LEVEL OFFS: 3.01,0.00}{COMMENT: tag benchmark}{WAVEFORM-%2: #")
                                .arg(samples)
                                .arg(samples * 4 + 1)
                                .toUtf8();
    const qint64 pad = size - head.size() - samples * 4 - 1;
    if (pad < 0)
        return false;
    const QByteArray front = QByteArray(pad, ' ') + head;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(front) != front.size())
        return false;
    // The samples stay a hole in the file.
    return f.resize(size - 1) && f.seek(size - 1) && f.write("}") == 1;
}

void scanTags(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        WaveformFile::STagScan scan;
        const bool ok = WaveformFile::scanTags(path, scan);
        benchmark::DoNotOptimize(ok);
        if (!ok || scan.value(QStringLiteral("CLOCK")).isEmpty()) {
            state.SkipWithError("tags not read");
            break;
        }
    }
}

// The way the plug-in asks: one list administration query per tag.
void getTag(benchmark::State& state, const QString& path) {
    static const SListTypeEntry waveform = {192,     "wv", "DATA_NONE", "LaDirNone", {0, 1, 1, 1, 1, 1},
                                            "VGX-WV"};
    CListAdmMainExtend listAdm;
    listAdm.registerListType(waveform);
    CDbMsg msg;
    msg.giveAuxData(CListAdmMainExtend::AuxFileName, new CDbDataTypeString(path));
    msg.giveAuxData(CListAdmMainExtend::AuxTagName, new CDbDataTypeString(QStringLiteral("SAMPLES")));
    for (auto _ : state) {
        std::unique_ptr<CDbDataTypeString> v(listAdm.getTag(192, msg));
        if (!v) {
            state.SkipWithError("no SAMPLES tag");
            break;
        }
        benchmark::DoNotOptimize(v->getValStringQ().size());
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.wv"));
    const QString big = dir.filePath(QStringLiteral("big.wv"));
    if (!dir.isValid() || !makeFile(small, kKiB) || !makeFile(big, kGiB)) {
        fprintf(stderr, "cannot create the benchmark files in %s\n", qPrintable(dir.path()));
        return 1;
    }
    fprintf(stdout, "files: %s %lld bytes, %s %lld bytes\n", qPrintable(small), QFile(small).size(),
            qPrintable(big), QFile(big).size());
    benchmark::RegisterBenchmark("ScanTags/1KiB", scanTags, small);
    benchmark::RegisterBenchmark("ScanTags/1GiB", scanTags, big);
    benchmark::RegisterBenchmark("GetTag/1KiB", getTag, small);
    benchmark::RegisterBenchmark("GetTag/1GiB", getTag, big);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
