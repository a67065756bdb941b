#pragma once
// Cuts a client's byte stream into program messages. A message ends at LF (a CR just before it is
// dropped), except inside block data: a definite block "#<n><length><bytes>" may carry any byte, LF
// and CR included, and an indefinite block "#0<bytes>" runs to the LF that ends the message. A '#'
// inside a quoted string ('...' or "...") starts no block; a LF inside one still ends the message
// (the parser then reports the open string). The stream may be cut anywhere, a block header too.
//
// A message longer than the limit is dropped up to its end; its place in the stream is kept as an
// overrun, so the error it raises comes in order with the lines around it.
#include "host/util/VGXExport.h"
#include <QByteArray>
#include <QList>

namespace MvQARN {

class VGX_EXPORT CScpiLineReader {
public:
    struct SMessage {
        QByteArray bytes;     // without the LF
        bool overrun = false; // the message was too long and is gone
    };

    explicit CScpiLineReader(int maxLine) : m_maxLine(maxLine) {}
    void setMaxLine(int bytes) { m_maxLine = bytes; }

    // Takes the next bytes of the stream; every message they complete (and every overrun) is appended
    // to out.
    void feed(const char* data, qsizetype size, QList<SMessage>& out);
    // Bytes of the message not yet complete.
    qsizetype pendingBytes() const { return m_partial.size(); }

private:
    enum State { Plain, Quoted, Hash, LengthDigits, Definite, Indefinite };
    void endMessage(QList<SMessage>& out);
    void keep(const char* data, qsizetype size, QList<SMessage>& out);

    int m_maxLine;
    State m_state = Plain;
    char m_quote = 0;
    int m_digitsLeft = 0;
    qint64 m_blockLeft = 0;    // definite block: length while its digits come, then the bytes left
    qsizetype m_blockEnd = 0;  // bytes of the message up to the end of its last definite block
    bool m_discarding = false; // the message is too long: its bytes are dropped up to its LF
    QByteArray m_partial;
};

} // namespace MvQARN
