#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

namespace {

struct SErrorText {
    int code;
    const char* text;
};

constexpr SErrorText kErrorTexts[] = {
#define VGX_SCPI_ERROR_TEXT(name, code, text) {name, text},
    VGX_SCPI_ERROR_LIST(VGX_SCPI_ERROR_TEXT)
#undef VGX_SCPI_ERROR_TEXT
};

} // namespace

QString scpiErrorText(int code) {
    for (const SErrorText& e : kErrorTexts)
        if (e.code == code)
            return QString::fromLatin1(e.text);
    return code > 0 ? scpiErrorText(ScpiErrDeviceSpecific) : QStringLiteral("Error");
}

QString scpiErrorText(int code, const QString& info) {
    return scpiErrorText(code) + QLatin1Char(';') + info;
}

int scpiErrorClass(int code) {
    return code < 0 ? -(-code / 100 * 100) : 0;
}

int scpiEsrBitOf(int code) {
    if (code > 0)
        return ScpiEsrDde;
    switch (scpiErrorClass(code)) {
    case ScpiErrCommand:
        return ScpiEsrCme;
    case ScpiErrExecution:
        return ScpiEsrExe;
    case ScpiErrDeviceSpecific:
        return ScpiEsrDde;
    case ScpiErrQuery:
        return ScpiEsrQye;
    default:
        return 0;
    }
}

} // namespace MvQARN
