// Line framing of the SCPI server: where a client's messages end, block data and strings included.
#include <gtest/gtest.h>

#include "host/scpi/impl/CScpiLineReader.h"

using namespace MvQARN;

namespace {

QList<QByteArray> messages(const QList<CScpiLineReader::SMessage>& in) {
    QList<QByteArray> out;
    for (const CScpiLineReader::SMessage& m : in)
        out << (m.overrun ? QByteArray("<overrun>") : m.bytes);
    return out;
}

} // namespace

TEST(ScpiLineReader, MessagesEndAtLineFeedsOutsideBlocksWhereverTheStreamIsCut) {
    const QByteArray stream = "A #208ab\ncd\nef;B\r\n" // a LF inside a definite block
                              "C '#12'\n"              // '#' inside a string starts no block
                              "D \"x\"\"#1\"\n\n\r\n"  // nor inside a string with a doubled quote
                              "E #3003xyz\r\n"         // a CR after a block ends the line with the LF
                              "F #12\r\r\n"            // a CR inside a block is data
                              "G #0a\r\nb\n"           // an indefinite block runs to the LF
                              "H #1\nI #A1\nJ #12";    // malformed headers; a last line not ended
    const QList<QByteArray> expected = {"A #208ab\ncd\nef;B",
                                        "C '#12'",
                                        "D \"x\"\"#1\"",
                                        "",
                                        "",
                                        "E #3003xyz",
                                        "F #12\r\r",
                                        "G #0a",
                                        "b",
                                        "H #1",
                                        "I #A1"};
    auto feed = [&](const QList<qsizetype>& cuts) {
        CScpiLineReader reader(1000);
        QList<CScpiLineReader::SMessage> out;
        qsizetype from = 0;
        for (qsizetype cut : cuts) {
            reader.feed(stream.constData() + from, cut - from, out);
            from = cut;
        }
        reader.feed(stream.constData() + from, stream.size() - from, out);
        EXPECT_EQ(reader.pendingBytes(), 5) << "J #12 waits for its block";
        return messages(out);
    };
    EXPECT_EQ(feed({}), expected);
    for (qsizetype cut = 1; cut < stream.size(); ++cut)
        ASSERT_EQ(feed({cut}), expected) << "cut at " << cut;
    QList<qsizetype> everyByte;
    for (qsizetype cut = 1; cut < stream.size(); ++cut)
        everyByte << cut;
    EXPECT_EQ(feed(everyByte), expected);
}

TEST(ScpiLineReader, AnOverlongMessageIsDroppedToItsRealEndAndKeepsItsPlace) {
    CScpiLineReader reader(10);
    QList<CScpiLineReader::SMessage> out;
    const QByteArray stream = "first\n"
                              "much too long #15ab\ncd and more\n" // its block's LF ends nothing
                              "0123456789\n"                       // exactly at the limit
                              "x #11\n\n";
    reader.feed(stream.constData(), stream.size(), out);
    EXPECT_EQ(messages(out), (QList<QByteArray>{"first", "<overrun>", "0123456789", "x #11\n"}));
}
