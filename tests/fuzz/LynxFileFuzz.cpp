// A hostile settings file (*.lynx): whatever the bytes, the reader answers or refuses; and what it
// accepts, written again, reads back as the same header and values.
#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "host/db/impl/CLynxFile.h"

using namespace MvQARN;

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_lynx: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    CLynxFile::SHeader h;
    QVector<CLynxFile::SEntry> entries;
    QString error;
    if (!CLynxFile::parse(bytes, h, entries, error)) {
        check(!error.isEmpty(), "a refusal without a reason");
        return 0;
    }
    check(CLynxFile::isSettingsFile(bytes), "a file accepted without the settings file's first line");

    QVector<CLynxFile::SEntry> kept;
    for (const CLynxFile::SEntry& e : entries)
        if (!CLynxFile::encodeValue(e.value).isEmpty())
            kept.append(e);
    const QByteArray again = CLynxFile::format(h, kept);
    CLynxFile::SHeader h2;
    QVector<CLynxFile::SEntry> entries2;
    QString error2;
    check(CLynxFile::parse(again, h2, entries2, error2), "a file written from accepted values is refused");
    check(h2.module == h.module && h2.section == h.section && h2.key == h.key && h2.group == h.group &&
              h2.mask == h.mask,
          "the header changed on the way back");
    check(entries2.size() == kept.size(), "values were lost on the way back");
    for (int i = 0; i < kept.size(); ++i)
        check(entries2[i].name == kept[i].name && entries2[i].t2 == kept[i].t2 &&
                  entries2[i].t3 == kept[i].t3 &&
                  CLynxFile::encodeValue(entries2[i].value) == CLynxFile::encodeValue(kept[i].value),
              "a value changed on the way back");
    return 0;
}
