#include "host/scpi/impl/ScpiValues.h"

#include <charconv>
#include <cmath>

#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNByte.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"
#include "host/scpi/impl/CScpiLexer.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

namespace {

bool plainNumber(const QByteArray& text, double& v) {
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (!(scpiIsDigit(c) || c == '.' || c == '+' || c == '-' || c == 'E' || c == 'e'))
            return false;
    bool ok = false;
    v = text.toDouble(&ok);
    return ok;
}

struct SiPrefix {
    const char* text;
    int power;
};

// Longest first, so "MA" (mega) wins over "M" (milli).
const SiPrefix kSiPrefixes[] = {{"EX", 18}, {"PE", 15}, {"MA", 6}, {"T", 12},  {"G", 9},   {"K", 3},
                                {"M", -3},  {"U", -6},  {"N", -9}, {"P", -12}, {"F", -15}, {"A", -18}};

double pow10(int p) {
    return std::pow(10.0, p);
}

} // namespace

QByteArray scpiLongForm(const char* mnemonic) {
    return QByteArray(mnemonic ? mnemonic : "").toUpper();
}

QByteArray scpiShortForm(const char* mnemonic) {
    QByteArray out;
    for (const char* p = mnemonic; p && *p; ++p)
        if (!(*p >= 'a' && *p <= 'z'))
            out.append(*p);
    return out;
}

namespace {

// upper (upper case) is the mnemonic's long form or its short form; compared in place, as every
// argument is matched against whole keyword tables.
bool isKeyword(const QByteArray& upper, const char* mnemonic) {
    const char* u = upper.constData();
    const qsizetype n = upper.size();
    qsizetype i = 0;
    const char* p = mnemonic;
    for (; *p && i < n; ++p, ++i)
        if ((*p >= 'a' && *p <= 'z' ? char(*p - 'a' + 'A') : *p) != u[i])
            break;
    if (!*p && i == n)
        return true;
    i = 0;
    for (p = mnemonic; *p; ++p) {
        if (*p >= 'a' && *p <= 'z')
            continue;
        if (i >= n || u[i] != *p)
            return false;
        ++i;
    }
    return i == n;
}

} // namespace

const SScpiKeyword* scpiFindKeyword(const SScpiKeyword* table, const SScpiToken& token) {
    if (!table)
        return nullptr;
    if (token.kind != SScpiToken::Char && token.kind != SScpiToken::Number)
        return nullptr;
    for (const SScpiKeyword* k = table; k->text; ++k)
        if (isKeyword(token.norm, k->text))
            return k;
    if (token.kind == SScpiToken::Number && token.suffix.isEmpty()) {
        for (const SScpiKeyword* k = table; k->text; ++k) {
            double kv = 0.0;
            if (plainNumber(QByteArray::fromRawData(k->text, qsizetype(qstrlen(k->text))), kv) &&
                kv == token.number)
                return k;
        }
    }
    return nullptr;
}

bool scpiHasNumericKeyword(const SScpiKeyword* table) {
    for (const SScpiKeyword* k = table; k && k->text; ++k)
        if (scpiIsDigit(k->text[0]) || k->text[0] == '.' || k->text[0] == '+' || k->text[0] == '-')
            return true;
    return false;
}

bool scpiAcceptsNumber(const SScpiValDesc* desc) {
    for (const SScpiValDesc* d = desc; d; d = d->further)
        if (d->type & ScpiValNumeric)
            return true;
    return false;
}

bool scpiAcceptsKeywords(const SScpiValDesc* desc) {
    for (const SScpiValDesc* d = desc; d; d = d->further)
        if (d->keywords && d->keywords->text)
            return true;
    return false;
}

bool scpiAcceptsString(const SScpiValDesc* desc) {
    for (const SScpiValDesc* d = desc; d; d = d->further)
        if (d->type & ScpiValString)
            return true;
    return false;
}

bool scpiAcceptsBits(const SScpiValDesc* desc) {
    for (const SScpiValDesc* d = desc; d; d = d->further)
        if (d->type & ScpiValBits)
            return true;
    return false;
}

int scpiApplyUnit(const SScpiValDesc* desc, const QByteArray& suffix, double& value) {
    if (suffix.isEmpty())
        return 0;
    for (const SScpiValDesc* d = desc; d; d = d->further)
        for (const SScpiUnit* u = d->units; u && u->text; ++u)
            if (suffix == QByteArray(u->text).toUpper()) {
                value *= pow10(qint8(u->code & 0xFF));
                return 0;
            }
    for (const SScpiValDesc* d = desc; d; d = d->further)
        for (const SScpiUnit* u = d->units; u && u->text; ++u) {
            if (qint8(u->code & 0xFF) != 0)
                continue;
            const QByteArray base = QByteArray(u->text).toUpper();
            if (!suffix.endsWith(base) || suffix.size() == base.size())
                continue;
            const QByteArray prefix = suffix.left(suffix.size() - base.size());
            for (const SiPrefix& p : kSiPrefixes)
                if (prefix == p.text) {
                    value *= pow10(p.power);
                    return 0;
                }
        }
    return ScpiErrInvalidSuffix;
}

bool scpiBitString(const QString& text, int& bitLength, QVector<quint32>& bits) {
    bitLength = 0;
    bits.clear();
    for (QChar c : text) {
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return false;
        const int pos = bitLength++;
        if (pos / 32 >= bits.size())
            bits.append(0);
        if (c == QLatin1Char('1'))
            bits[pos / 32] |= 0x80000000u >> (pos % 32);
    }
    return true;
}

QString scpiFormatNumber(double v) {
    if (!std::isfinite(v))
        return QStringLiteral("9.91e+37"); // the SCPI "not a number"
    if (v == std::floor(v) && std::fabs(v) < 1e15) {
        // Whole numbers are most answers; the C++ conversion skips the locale machinery.
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof(digits), qint64(v)).ptr;
        return QString::fromLatin1(digits, end - digits);
    }
    for (int p = 12; p <= 17; ++p) {
        const QString s = QString::number(v, 'g', p);
        if (s.toDouble() == v)
            return s;
    }
    return QString::number(v, 'g', 17);
}

QString scpiQuote(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString scpiFormatBits(int bitLength, const QVector<quint32>& bits) {
    if (bitLength <= 0)
        return QStringLiteral("\"\"");
    auto bit = [&](int i) {
        return i / 32 < bits.size() && (bits.at(i / 32) & (0x80000000u >> (i % 32))) != 0;
    };
    QString out;
    if (bitLength % 4 == 0) {
        out = QStringLiteral("#H");
        for (int i = 0; i < bitLength; i += 4) {
            const int d = (bit(i) << 3) | (bit(i + 1) << 2) | (bit(i + 2) << 1) | int(bit(i + 3));
            out.append(QLatin1Char("0123456789ABCDEF"[d]));
        }
    } else {
        out = QStringLiteral("#B");
        for (int i = 0; i < bitLength; ++i)
            out.append(bit(i) ? QLatin1Char('1') : QLatin1Char('0'));
    }
    return out;
}

QString scpiFormatAnswer(const CDbAllType& value, const SScpiValDesc* desc) {
    const CDbDataType* v = value.get();
    if (!v)
        return QStringLiteral("\"\"");
    const bool keywordAnswer = desc && desc->keywords && !scpiAcceptsNumber(desc);
    const bool textAnswer = desc && (desc->type & ScpiValString);
    if (keywordAnswer) {
        int iv = 0;
        double dv = 0.0;
        if (value.toDouble(dv) && dv == std::floor(dv) && std::fabs(dv) < 2e9) {
            iv = int(dv);
            for (const SScpiKeyword* k = desc->keywords; k->text; ++k)
                if (!(k->flag & ScpiKeywordSpecial) && k->value == iv)
                    return QString::fromLatin1(scpiShortForm(k->text));
        }
    }
    QString plain;
    switch (v->getType()) {
    case DbTypeNumber:
        plain = scpiFormatNumber(static_cast<const CDbDataTypeNumber*>(v)->getValDouble());
        break;
    case DbTypeSelect:
        plain = QString::number(static_cast<const CDbDataTypeSelect*>(v)->getValInt());
        break;
    case DbTypeString:
        return scpiQuote(static_cast<const CDbDataTypeString*>(v)->getValStringQ());
    case DbTypeNString: {
        const QStringList& l = static_cast<const CDbDataTypeNString*>(v)->getValList();
        if (l.isEmpty())
            return QStringLiteral("\"\"");
        QStringList q;
        for (const QString& s : l)
            q << scpiQuote(s);
        return q.join(QLatin1Char(','));
    }
    case DbTypeNBit: {
        const auto* b = static_cast<const CDbDataTypeNBit*>(v);
        plain = scpiFormatBits(b->getLength(), b->getWords());
        break;
    }
    case DbTypeNDbl: {
        QStringList q;
        for (double d : static_cast<const CDbDataTypeNDbl*>(v)->getValues())
            q << scpiFormatNumber(d);
        plain = q.join(QLatin1Char(','));
        break;
    }
    case DbTypeNInt: {
        QStringList q;
        for (qint32 d : static_cast<const CDbDataTypeNInt*>(v)->getValues())
            q << QString::number(d);
        plain = q.join(QLatin1Char(','));
        break;
    }
    case DbTypeNByte: {
        const QByteArray& b = static_cast<const CDbDataTypeNByte*>(v)->getValBytes();
        plain = b.isEmpty() ? QStringLiteral("\"\"")
                            : QStringLiteral("#H") + QString::fromLatin1(b.toHex().toUpper());
        break;
    }
    default:
        plain = v->toText();
        break;
    }
    return textAnswer ? scpiQuote(plain) : plain;
}

} // namespace MvQARN
