#include "host/db/CDbDataTypeNBit.h"

namespace MvQARN {

namespace {

int wordsFor(int lengthBits) {
    return lengthBits <= 0 ? 0 : (lengthBits + 31) / 32;
}

// Clears the bits past the field's end so that equal fields compare equal word by word.
void maskTail(QVector<quint32>& words, int lengthBits) {
    const int rest = lengthBits % 32;
    if (rest != 0 && !words.isEmpty())
        words.last() &= ~quint32(0) << (32 - rest);
}

} // namespace

CDbDataTypeNBit::CDbDataTypeNBit(int lengthBits, const QVector<quint32>& words)
    : m_len(lengthBits < 0 ? 0 : lengthBits), m_words(words) {
    m_words.resize(wordsFor(m_len));
    maskTail(m_words, m_len);
}

bool CDbDataTypeNBit::isEqual(const CDbDataType& o) const {
    if (o.getType() != DbTypeNBit)
        return false;
    const auto& b = static_cast<const CDbDataTypeNBit&>(o);
    return b.m_len == m_len && b.m_words == m_words;
}

QString CDbDataTypeNBit::toText() const {
    QString s = QString::number(m_len) + QLatin1Char(':');
    for (quint32 w : m_words)
        s += QStringLiteral("%1").arg(w, 8, 16, QLatin1Char('0'));
    return s;
}

bool CDbDataTypeNBit::fromText(const QString& text, CDbDataTypeNBit& out) {
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    bool ok = false;
    const int len = text.left(colon).toInt(&ok);
    if (!ok || len < 0 || len > 1 << 20)
        return false;
    QString hex = text.mid(colon + 1);
    hex.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
    const int n = wordsFor(len);
    if (hex.size() != n * 8)
        return false;
    QVector<quint32> words(n);
    for (int i = 0; i < n; ++i) {
        const QString part = hex.mid(i * 8, 8);
        for (QChar c : part)
            if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
                return false;
        words[i] = part.toUInt(&ok, 16);
        if (!ok)
            return false;
    }
    out = CDbDataTypeNBit(len, words);
    return true;
}

bool CDbDataTypeNBit::bit(int i) const {
    if (i < 0 || i >= m_len)
        return false;
    return (m_words.at(i / 32) >> (31 - i % 32)) & 1u;
}

void CDbDataTypeNBit::setBit(int i, bool on) {
    if (i < 0 || i >= m_len)
        return;
    const quint32 m = quint32(1) << (31 - i % 32);
    if (on)
        m_words[i / 32] |= m;
    else
        m_words[i / 32] &= ~m;
}

void CDbDataTypeNBit::setLength(int lengthBits) {
    m_len = lengthBits < 0 ? 0 : lengthBits;
    m_words.resize(wordsFor(m_len));
    maskTail(m_words, m_len);
}

} // namespace MvQARN
