// A hostile waveform file (*.wv): the tag reader answers or refuses whatever the bytes, reads no
// further than its bound, and what it reports lies inside what it read.
#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "host/listadm/WaveformFile.h"

using namespace MvQARN;

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_wvtags: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    WaveformFile::STagScan scan;
    // Both with the type tag required and without it.
    for (const QString& typeTag : {QString::fromLatin1(WaveformFile::TypeTag), QString()}) {
        device.seek(0);
        const bool ok = WaveformFile::scanTags(device, scan, typeTag);
        check(ok == scan.error.isEmpty(), "the answer and the error disagree");
        check(device.pos() <= WaveformFile::MaxTagSection + 1, "the reader went past its bound");
        if (ok) {
            check(scan.hasData && !scan.tags.isEmpty(), "a scan ended without the WAVEFORM tag");
            check(scan.dataOffset > 0 && scan.dataOffset <= device.pos() && scan.dataBytes >= 0,
                  "the samples start outside what was read");
            check(bytes.at(scan.dataOffset - 1) == '#', "the samples do not follow the '#'");
            if (!typeTag.isEmpty())
                check(scan.typeOk, "a file of another type passed");
        }
    }
    return 0;
}
