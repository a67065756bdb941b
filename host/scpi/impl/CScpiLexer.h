#pragma once
// Splits one program message (a line without its terminator) into command units: header and
// argument tokens. Whitespace is space, tab and CR; every other control byte and every byte above
// 0x7E outside strings and blocks is an invalid character.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "host/util/VGXExport.h"

namespace MvQARN {

struct SScpiToken {
    enum Kind { Char, Number, String, NonDecimal, Block, Expression };
    Kind kind = Char;
    QByteArray text;       // as typed, without surrounding whitespace
    QByteArray norm;       // upper case, whitespace removed: for keyword comparison
    double number = 0.0;   // Number: the value without unit; NonDecimal: the integer value
    QByteArray suffix;     // Number: unit suffix, upper case, empty when none
    QString string;        // String: the text between the quotes, doubled quotes made single
    int bitLength = 0;     // NonDecimal: digits x bits per digit; Block: bytes x 8
    QVector<quint32> bits; // NonDecimal, Block: bits left-aligned, bit 0 = msb of word 0
    QByteArray bytes;      // Block: the data bytes
};

// full and stem do not own their bytes: they point into the unit's upper, which lives as long as
// the unit and is rewritten only by the next read into it.
struct SScpiHeaderElem {
    QByteArray full; // upper case, as typed (numeric suffix included)
    QByteArray stem; // upper case, trailing digits removed
    int suffix = -1; // value of the trailing digits; -1 none; -2 too large
};

struct SScpiCommandUnit {
    bool common = false;   // "*XXX"
    bool absolute = false; // leading ":"
    bool query = false;
    QVector<SScpiHeaderElem> elems;
    QVector<SScpiToken> args;
    QByteArray header; // as typed, for error texts
    QByteArray upper;  // the header upper-cased: the bytes the elements point into
};

class VGX_EXPORT CScpiLexer {
public:
    static constexpr int MaxMnemonicLength = 12;

    explicit CScpiLexer(const QByteArray& line) : m_line(line) {}

    // True when nothing but whitespace and empty units is left.
    bool atEnd();
    // Reads the next command unit; answers 0 or a negative error number. After an error the rest of
    // the line cannot be read: atEnd() is true from then on.
    int next(SScpiCommandUnit& out, QString* info = nullptr);

private:
    int header(SScpiCommandUnit& out, QString* info);
    int token(SScpiToken& out, QString* info);
    int number(SScpiToken& out, QString* info);
    int nonDecimal(SScpiToken& out, QString* info);
    int block(SScpiToken& out, QString* info);
    int quoted(SScpiToken& out, QString* info);
    void skipWs();
    bool peek(char& c) const;
    bool unitEnds(char& c);
    int fail(int code);

    QByteArray m_line;
    int m_pos = 0;
    bool m_failed = false;
};

// SCPI whitespace (space, tab, CR); LF reaches the lexer only inside block data.
constexpr bool scpiIsWs(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
constexpr bool scpiIsAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool scpiIsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace MvQARN
