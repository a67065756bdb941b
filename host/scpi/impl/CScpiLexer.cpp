#include "host/scpi/impl/CScpiLexer.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

namespace {

bool isPrintable(char c) {
    return c > 0x20 && c < 0x7F;
}

// The error for a byte that may not stand where it is: junk bytes are invalid characters, a misplaced
// printable one is a syntax error.
int misplaced(char c) {
    return isPrintable(c) ? ScpiErrSyntax : ScpiErrInvalidCharacter;
}

QByteArray upperNoWs(const QByteArray& in) {
    // Mostly there is nothing to change (numbers, keywords typed in capitals): then it is shared.
    bool same = true;
    for (char c : in)
        if (scpiIsWs(c) || (c >= 'a' && c <= 'z')) {
            same = false;
            break;
        }
    if (same)
        return in;
    QByteArray out;
    out.reserve(in.size());
    for (char c : in)
        if (!scpiIsWs(c))
            out.append(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
    return out;
}

// Upper-cases a mnemonic into room that the unit owns; the element's texts are views of it, so a
// header costs no allocation once the unit has held one as long.
QByteArray upperInto(char* to, const char* from, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i)
        to[i] = from[i] >= 'a' && from[i] <= 'z' ? char(from[i] - 'a' + 'A') : from[i];
    return QByteArray::fromRawData(to, n);
}

void appendBits(SScpiToken& t, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        const int pos = t.bitLength++;
        if (pos / 32 >= t.bits.size())
            t.bits.append(0);
        if ((value >> i) & 1u)
            t.bits[pos / 32] |= 0x80000000u >> (pos % 32);
    }
}

} // namespace

bool CScpiLexer::peek(char& c) const {
    if (m_pos >= m_line.size())
        return false;
    c = m_line.at(m_pos);
    return true;
}

void CScpiLexer::skipWs() {
    while (m_pos < m_line.size() && scpiIsWs(m_line.at(m_pos)))
        ++m_pos;
}

int CScpiLexer::fail(int code) {
    m_failed = true;
    m_pos = int(m_line.size());
    return code;
}

bool CScpiLexer::atEnd() {
    if (m_failed)
        return true;
    while (m_pos < m_line.size() && (scpiIsWs(m_line.at(m_pos)) || m_line.at(m_pos) == ';'))
        ++m_pos;
    return m_pos >= m_line.size();
}

// True at the end of the line or at a ';' (taken); otherwise c is the next character.
bool CScpiLexer::unitEnds(char& c) {
    if (!peek(c))
        return true;
    if (c != ';')
        return false;
    ++m_pos;
    return true;
}

int CScpiLexer::next(SScpiCommandUnit& out, QString* info) {
    // Emptied in place: a unit reused for the next command keeps the room of its lists.
    out.common = out.absolute = out.query = false;
    out.elems.clear();
    out.args.clear();
    out.header.resize(0); // keeps its room
    out.upper.resize(0);
    if (atEnd())
        return ScpiErrSyntax;
    const int start = m_pos;
    if (int rc = header(out, info))
        return fail(rc);
    out.header.resize(m_pos - start);
    std::memcpy(out.header.data(), m_line.constData() + start, size_t(m_pos - start));
    char c = 0;
    if (unitEnds(c))
        return 0;
    if (!scpiIsWs(c)) {
        if (info)
            *info = QString::fromLatin1(out.header);
        return fail(isPrintable(c) ? ScpiErrHeaderSeparator : ScpiErrInvalidCharacter);
    }
    skipWs();
    if (unitEnds(c))
        return 0;
    for (;;) {
        SScpiToken t;
        if (int rc = token(t, info))
            return fail(rc);
        out.args.append(t);
        skipWs();
        if (unitEnds(c))
            return 0;
        if (c != ',')
            return fail(isPrintable(c) ? ScpiErrInvalidSeparator : ScpiErrInvalidCharacter);
        ++m_pos;
        skipWs();
        if (!peek(c) || c == ',' || c == ';')
            return fail(ScpiErrSyntax); // an empty argument
    }
}

namespace {

// For each byte: its upper case when it belongs in a mnemonic (letters, digits, '_'), else 0.
constexpr auto kMnemonicUpper = [] {
    std::array<char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const char ch = char(c);
        if (scpiIsAlpha(ch) || scpiIsDigit(ch) || ch == '_')
            t[std::size_t(c)] = ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
    }
    return t;
}();

} // namespace

int CScpiLexer::header(SScpiCommandUnit& out, QString* info) {
    // Room for the rest of the line, so the views taken below never move.
    const int base = m_pos;
    out.upper.resize(m_line.size() - base);
    char* upper = out.upper.data();
    char c = 0;
    peek(c);
    if (c == '*') {
        out.common = true;
        ++m_pos;
        const int s = m_pos;
        while (peek(c) && scpiIsAlpha(c))
            ++m_pos;
        if (m_pos == s)
            return peek(c) ? misplaced(c) : int(ScpiErrCommandHeader);
        if (m_pos - s > CScpiLexer::MaxMnemonicLength)
            return ScpiErrMnemonicTooLong;
        SScpiHeaderElem e;
        e.full = e.stem = upperInto(upper + (s - base), m_line.constData() + s, m_pos - s);
        out.elems.append(std::move(e));
        if (peek(c) && c == '?') {
            out.query = true;
            ++m_pos;
        }
        return 0;
    }
    if (c == ':') {
        out.absolute = true;
        ++m_pos;
    }
    for (;;) {
        if (!peek(c) || scpiIsWs(c) || c == ';')
            return ScpiErrCommandHeader; // ":" with nothing after it
        if (!scpiIsAlpha(c))
            return misplaced(c);
        // Scanned and upper-cased in one pass.
        const int s = m_pos;
        const char* line = m_line.constData();
        const int end = int(m_line.size());
        char* to = upper + (s - base);
        int i = s;
        for (; i < end; ++i) {
            const char up = kMnemonicUpper[static_cast<unsigned char>(line[i])];
            if (!up)
                break;
            to[i - s] = up;
        }
        m_pos = i;
        SScpiHeaderElem e;
        e.full = QByteArray::fromRawData(to, i - s);
        const qsizetype n = e.full.size();
        qsizetype d = n;
        while (d > 0 && scpiIsDigit(e.full.at(d - 1)))
            --d;
        e.stem = d == n ? e.full : QByteArray::fromRawData(e.full.constData(), d);
        if (d < n) {
            // Nine digits always fit an int; more count as too large.
            int v = 0;
            for (qsizetype i = d; i < n && n - d <= 9; ++i)
                v = v * 10 + (e.full.at(i) - '0');
            e.suffix = n - d <= 9 ? v : -2;
        }
        if (e.stem.size() > CScpiLexer::MaxMnemonicLength) {
            if (info)
                *info = QString::fromLatin1(e.full.left(40));
            return ScpiErrMnemonicTooLong;
        }
        out.elems.append(std::move(e));
        if (peek(c) && c == ':') {
            ++m_pos;
            continue;
        }
        if (peek(c) && c == '?') {
            out.query = true;
            ++m_pos;
        }
        return 0;
    }
}

int CScpiLexer::token(SScpiToken& out, QString* info) {
    char c = 0;
    if (!peek(c))
        return ScpiErrSyntax;
    if (c == '"' || c == '\'')
        return quoted(out, info);
    if (c == '#') {
        char r = m_pos + 1 < m_line.size() ? m_line.at(m_pos + 1) : '\0';
        if (scpiIsDigit(r))
            return block(out, info);
        if (r == 'H' || r == 'h' || r == 'B' || r == 'b' || r == 'Q' || r == 'q')
            return nonDecimal(out, info);
        return r == '\0' ? int(ScpiErrSyntax) : misplaced(r);
    }
    if (scpiIsDigit(c) || c == '+' || c == '-' || c == '.')
        return number(out, info);
    if (c == '(') {
        const int s = m_pos;
        int depth = 0;
        while (peek(c)) {
            ++m_pos;
            if (c == '(')
                ++depth;
            else if (c == ')' && --depth == 0)
                break;
        }
        if (depth != 0)
            return ScpiErrExpression;
        out.kind = SScpiToken::Expression;
        out.text = m_line.mid(s, m_pos - s);
        out.norm = upperNoWs(out.text);
        return 0;
    }
    if (scpiIsAlpha(c)) {
        const int s = m_pos;
        while (peek(c) && (scpiIsAlpha(c) || scpiIsDigit(c) || c == '_'))
            ++m_pos;
        if (m_pos - s > 255)
            return ScpiErrInvalidCharacterData;
        out.kind = SScpiToken::Char;
        out.text = m_line.mid(s, m_pos - s);
        out.norm = out.text.toUpper();
        if (peek(c) && !scpiIsWs(c) && c != ',' && c != ';')
            return isPrintable(c) ? int(ScpiErrInvalidCharacterData) : int(ScpiErrInvalidCharacter);
        return 0;
    }
    return misplaced(c);
}

namespace {

// The value of a decimal number of at most 15 significant digits and a power of ten within 22: the
// digits and the power are exact doubles, so one multiplication or division rounds correctly, as a
// full conversion would. False for anything else, which the full conversion then reads.
bool exactDecimal(const char* p, qsizetype n, double& value) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* end = p + n;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    std::uint64_t digits = 0;
    int significant = 0, power = 0;
    bool fraction = false;
    for (; p < end; ++p) {
        if (*p == '.') {
            fraction = true;
            continue;
        }
        if (*p < '0' || *p > '9')
            break;
        if (significant > 0 || *p != '0')
            ++significant;
        digits = digits * 10 + std::uint64_t(*p - '0');
        power -= fraction ? 1 : 0;
        if (significant > 15)
            return false;
    }
    if (p < end) { // the exponent
        ++p;
        const bool minus = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        int e = 0;
        for (; p < end; ++p) {
            e = e * 10 + (*p - '0');
            if (e > 400)
                return false;
        }
        power += minus ? -e : e;
    }
    if (power < -22 || power > 22)
        return false;
    const double m = double(digits);
    value = power < 0 ? m / kPow10[-power] : m * kPow10[power];
    if (negative)
        value = -value;
    return true;
}

} // namespace

int CScpiLexer::number(SScpiToken& out, QString* info) {
    const int s = m_pos;
    char c = 0;
    if (peek(c) && (c == '+' || c == '-'))
        ++m_pos;
    int digits = 0;
    while (peek(c) && scpiIsDigit(c)) {
        ++m_pos;
        ++digits;
    }
    if (peek(c) && c == '.') {
        ++m_pos;
        while (peek(c) && scpiIsDigit(c)) {
            ++m_pos;
            ++digits;
        }
    }
    if (digits == 0)
        return ScpiErrNumericData;
    // An exponent needs a digit after the E and its sign; otherwise the letters are a unit.
    if (peek(c) && (c == 'e' || c == 'E')) {
        int p = m_pos + 1;
        if (p < m_line.size() && (m_line.at(p) == '+' || m_line.at(p) == '-'))
            ++p;
        if (p < m_line.size() && scpiIsDigit(m_line.at(p))) {
            m_pos = p;
            while (peek(c) && scpiIsDigit(c))
                ++m_pos;
        }
    }
    // Read in place: the conversion stops at the length given, not at a terminator.
    const QByteArray numText = QByteArray::fromRawData(m_line.constData() + s, m_pos - s);
    double v = 0;
    bool ok = exactDecimal(numText.constData(), numText.size(), v);
    if (!ok)
        v = numText.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        if (info)
            *info = QString::fromLatin1(numText.left(40));
        return ScpiErrNumericData;
    }
    out.kind = SScpiToken::Number;
    out.number = v;
    // A unit follows directly or after whitespace.
    const int afterNumber = m_pos;
    skipWs();
    if (peek(c) && scpiIsAlpha(c)) {
        const int us = m_pos;
        while (peek(c) && (scpiIsAlpha(c) || scpiIsDigit(c) || c == '/' || c == '_'))
            ++m_pos;
        out.suffix = m_line.mid(us, m_pos - us).toUpper();
    } else {
        m_pos = afterNumber;
    }
    if (peek(c) && !scpiIsWs(c) && c != ',' && c != ';')
        return isPrintable(c) ? int(ScpiErrInvalidNumberChar) : int(ScpiErrInvalidCharacter);
    out.text = m_line.mid(s, m_pos - s);
    out.norm = upperNoWs(out.text);
    return 0;
}

int CScpiLexer::nonDecimal(SScpiToken& out, QString*) {
    const int s = m_pos;
    m_pos += 1;
    const char r = char(m_line.at(m_pos) & ~0x20);
    ++m_pos;
    const int bitsPerDigit = r == 'H' ? 4 : r == 'Q' ? 3 : 1;
    const int radix = 1 << bitsPerDigit;
    out.kind = SScpiToken::NonDecimal;
    char c = 0;
    double value = 0.0;
    while (peek(c) && (scpiIsAlpha(c) || scpiIsDigit(c))) {
        int d = -1;
        if (scpiIsDigit(c))
            d = c - '0';
        else if (radix == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            d = (c | 0x20) - 'a' + 10;
        if (d < 0 || d >= radix)
            return ScpiErrInvalidNumberChar;
        appendBits(out, unsigned(d), bitsPerDigit);
        value = value * radix + d;
        ++m_pos;
    }
    if (out.bitLength == 0)
        return ScpiErrNumericData;
    if (peek(c) && !scpiIsWs(c) && c != ',' && c != ';')
        return isPrintable(c) ? int(ScpiErrInvalidNumberChar) : int(ScpiErrInvalidCharacter);
    out.number = value;
    out.text = m_line.mid(s, m_pos - s);
    out.norm = out.text.toUpper();
    return 0;
}

int CScpiLexer::block(SScpiToken& out, QString*) {
    const int s = m_pos;
    const int lenDigits = m_line.at(m_pos + 1) - '0';
    m_pos += 2;
    qsizetype n = 0;
    if (lenDigits == 0) {
        // Indefinite length: the data run to the end of the message.
        n = m_line.size() - m_pos;
    } else {
        if (m_pos + lenDigits > m_line.size())
            return ScpiErrInvalidBlockData;
        const QByteArray lenText = m_line.mid(m_pos, lenDigits);
        for (char d : lenText)
            if (!scpiIsDigit(d))
                return ScpiErrInvalidBlockData;
        n = lenText.toLongLong();
        m_pos += lenDigits;
        if (n > m_line.size() - m_pos)
            return ScpiErrInvalidBlockData;
    }
    out.kind = SScpiToken::Block;
    out.bytes = m_line.mid(m_pos, n);
    for (char b : std::as_const(out.bytes))
        appendBits(out, unsigned(quint8(b)), 8);
    m_pos += int(n);
    out.text = m_line.mid(s, m_pos - s);
    out.norm = out.text.left(2 + lenDigits);
    char c = 0;
    if (peek(c) && !scpiIsWs(c) && c != ',' && c != ';')
        return ScpiErrInvalidBlockData;
    return 0;
}

int CScpiLexer::quoted(SScpiToken& out, QString*) {
    const int s = m_pos;
    const char q = m_line.at(m_pos++);
    QByteArray content;
    for (;;) {
        if (m_pos >= m_line.size())
            return ScpiErrInvalidStringData; // the message ended inside the string
        const char c = m_line.at(m_pos++);
        if (c == q) {
            if (m_pos < m_line.size() && m_line.at(m_pos) == q) {
                content.append(q);
                ++m_pos;
                continue;
            }
            break;
        }
        content.append(c);
    }
    out.kind = SScpiToken::String;
    out.string = QString::fromUtf8(content);
    out.text = m_line.mid(s, m_pos - s);
    out.norm = out.text.toUpper();
    char c = 0;
    if (peek(c) && !scpiIsWs(c) && c != ',' && c != ';')
        return isPrintable(c) ? int(ScpiErrInvalidStringData) : int(ScpiErrInvalidCharacter);
    return 0;
}

} // namespace MvQARN
