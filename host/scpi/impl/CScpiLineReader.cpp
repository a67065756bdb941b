#include "host/scpi/impl/CScpiLineReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace MvQARN {

namespace {

bool isSpecial(char c) {
    return c == '\n' || c == '"' || c == '\'' || c == '#';
}

} // namespace

void CScpiLineReader::keep(const char* data, qsizetype size, QList<SMessage>& out) {
    if (m_discarding || size <= 0)
        return;
    // Most lines arrive whole: one block of their size, not an append's grown one.
    if (m_partial.isEmpty())
        m_partial = QByteArray(data, size);
    else
        m_partial.append(data, size);
    if (m_partial.size() > m_maxLine) {
        m_partial = QByteArray();
        m_discarding = true;
        out.append(SMessage{QByteArray(), true});
    }
}

void CScpiLineReader::endMessage(QList<SMessage>& out) {
    if (!m_discarding) {
        // A CR before the LF belongs to the terminator, unless it is the last byte of a block.
        if (m_partial.endsWith('\r') && m_partial.size() > m_blockEnd)
            m_partial.chop(1);
        out.append(SMessage{std::exchange(m_partial, QByteArray()), false});
    }
    m_partial = QByteArray();
    m_discarding = false;
    m_state = Plain;
    m_blockEnd = 0;
}

void CScpiLineReader::feed(const char* data, qsizetype size, QList<SMessage>& out) {
    qsizetype i = 0;
    qsizetype run = 0; // data[run, i) belongs to the current message and is not kept yet
    auto lineFeed = [&] {
        keep(data + run, i - run, out);
        endMessage(out);
        run = ++i;
    };
    while (i < size) {
        switch (m_state) {
        case Definite: {
            const qsizetype n = qsizetype(std::min<qint64>(m_blockLeft, size - i));
            i += n;
            m_blockLeft -= n;
            if (m_blockLeft == 0) {
                m_state = Plain;
                m_blockEnd = m_partial.size() + (i - run);
            }
            break;
        }
        case Indefinite: {
            const void* lf = std::memchr(data + i, '\n', size_t(size - i));
            if (!lf) {
                i = size;
                break;
            }
            i = static_cast<const char*>(lf) - data;
            lineFeed();
            break;
        }
        case Plain: {
            // Most bytes change nothing: skip to the next one that may (LF, a quote, '#').
            while (i < size && !isSpecial(data[i]))
                ++i;
            if (i == size)
                break;
            const char c = data[i];
            if (c == '\n') {
                lineFeed();
                break;
            }
            if (c == '"' || c == '\'') {
                m_state = Quoted;
                m_quote = c;
            } else if (c == '#') {
                m_state = Hash;
            }
            ++i;
            break;
        }
        case Quoted: {
            const char c = data[i];
            if (c == '\n') {
                lineFeed();
                break;
            }
            if (c == m_quote) // a doubled quote leaves and enters again
                m_state = Plain;
            ++i;
            break;
        }
        case Hash: {
            const char c = data[i];
            if (c == '0') {
                m_state = Indefinite;
                ++i;
            } else if (c >= '1' && c <= '9') {
                m_state = LengthDigits;
                m_digitsLeft = c - '0';
                m_blockLeft = 0;
                ++i;
            } else {
                m_state = Plain; // no block: the byte counts as usual
            }
            break;
        }
        case LengthDigits: {
            const char c = data[i];
            if (c < '0' || c > '9') {
                m_state = Plain; // a malformed header, for the parser to report
                break;
            }
            m_blockLeft = m_blockLeft * 10 + (c - '0');
            ++i;
            if (--m_digitsLeft == 0) {
                m_state = m_blockLeft > 0 ? Definite : Plain;
                if (m_blockLeft == 0)
                    m_blockEnd = m_partial.size() + (i - run);
            }
            break;
        }
        }
    }
    keep(data + run, size - run, out);
}

} // namespace MvQARN
