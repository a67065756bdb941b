#pragma once
// Conversions between SCPI program data and database values: mnemonic forms, keywords, units and the
// text of answers.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "host/db/CDbAllType.h"
#include "host/scpi/ScpiRecords.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

struct SScpiToken;

// Upper-case long form and short form (every character that is not a lower-case letter).
QByteArray scpiLongForm(const char* mnemonic);
QByteArray scpiShortForm(const char* mnemonic);

// The keyword of the table the token names (long or short form, any case; a plain number also matches
// a keyword that is the same number), or null. Special keywords are included.
const SScpiKeyword* scpiFindKeyword(const SScpiKeyword* table, const SScpiToken& token);
// True when one keyword of the table is written as a number ("0", "90", "2.5MHZ").
bool scpiHasNumericKeyword(const SScpiKeyword* table);
// Whether the descriptor's type word (or a further descriptor's) accepts the kind of data.
bool scpiAcceptsNumber(const SScpiValDesc* desc);
bool scpiAcceptsKeywords(const SScpiValDesc* desc);
bool scpiAcceptsString(const SScpiValDesc* desc);
bool scpiAcceptsBits(const SScpiValDesc* desc);

// Applies the token's unit suffix from the descriptor's unit tables: table texts first, then an SI
// prefix in front of a base unit of the table. Answers 0 or ScpiErrInvalidSuffix.
int scpiApplyUnit(const SScpiValDesc* desc, const QByteArray& suffix, double& value);

// Bits of a quoted bit string of 0 and 1 characters; false when it holds anything else.
bool scpiBitString(const QString& text, int& bitLength, QVector<quint32>& bits);

// A number in the shortest form that reads back to the same double; integers plain.
VGX_EXPORT QString scpiFormatNumber(double v);
// A text in double quotes, quotes inside doubled.
QString scpiQuote(const QString& text);
// "#H<hex>" when the length is a multiple of 4, "#B<bits>" otherwise; an empty field answers the empty
// bit string "".
QString scpiFormatBits(int bitLength, const QVector<quint32>& bits);
// The answer text of a value as the descriptor says (null descriptor: by the value's type).
QString scpiFormatAnswer(const CDbAllType& value, const SScpiValDesc* desc);

} // namespace MvQARN
