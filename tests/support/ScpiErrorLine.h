#pragma once
// What SYSTem:ERRor? answers for an error of the host's list: its number, then its text (followed by
// ";" and the information, when there is one) in double quotes. The format is spelled out here rather
// than taken from the error queue, so the answer itself stays under test.
#include <QString>

#include "host/scpi/impl/ScpiErrors.h"

inline QString scpiErrorLine(int code, const QString& info = QString()) {
    const QString text = info.isEmpty() ? MvQARN::scpiErrorText(code) : MvQARN::scpiErrorText(code, info);
    return QString::number(code) + QStringLiteral(",\"") + text + QLatin1Char('"');
}

// The same error as ScpiLineRunner::errors() lists it: number, comma, text.
inline QString scpiErrorEntry(int code, const QString& info = QString()) {
    const QString text = info.isEmpty() ? MvQARN::scpiErrorText(code) : MvQARN::scpiErrorText(code, info);
    return QString::number(code) + QLatin1Char(',') + text;
}
