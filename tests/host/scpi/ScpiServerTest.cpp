// The network server: clients with their own sessions, line framing and overlong lines (junk and a
// client that vanishes mid-line are in the fuzz test).
#include <QtTest/QTest>

#include "ScpiClient.h"
#include "ScpiFixture.h"
#include "host/scpi/impl/CScpiServer.h"
#include "support/ScpiErrorLine.h"

using namespace MvQARN;

namespace {

class ScpiServerFixture : public ScpiFixture {
protected:
    void SetUp() override {
        ScpiFixture::SetUp();
        QString error;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
    }
    CScpiServer server;
};

} // namespace

TEST_F(ScpiServerFixture, EachClientHasItsOwnErrorQueue) {
    Client a(server.port()), b(server.port());
    ASSERT_TRUE(a.connected && b.connected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.clientCount() == 2; }, kGuardMs));
    a.send("FOO\nBBIN:EXT:DATA:SIZE 99\n");
    EXPECT_EQ(b.ask("SYST:ERR?"), scpiErrorLine(ScpiNoError));
    EXPECT_EQ(a.ask("SYST:ERR:COUN?"), "2");
    EXPECT_EQ(a.ask("SYST:ERR?"), scpiErrorLine(ScpiErrUndefinedHeader, "FOO"));
    b.send("BBIN:EXT:DIR 'x'\n");
    EXPECT_EQ(a.ask("SYST:ERR?"), scpiErrorLine(ScpiErrDataOutOfRange));
    EXPECT_EQ(a.ask("SYST:ERR?"), scpiErrorLine(ScpiNoError));
    EXPECT_EQ(b.ask("SYST:ERR?"), scpiErrorLine(ScpiErrDataType));
    // The database is shared: what one client sets the other reads.
    a.send("SOUR2:KOBR:USER:LOG CMOS12\n");
    EXPECT_EQ(b.ask("SOUR2:KOBR:USER:LOG?"), "CMOS12");
}

TEST_F(ScpiServerFixture, LinesEndWithLfOrCrLfAndAnswersComeWhole) {
    Client c(server.port());
    ASSERT_TRUE(c.connected);
    c.send("*OPC?\r\nSYST:VERS?\n*TST?\n");
    EXPECT_EQ(c.line(), "1");
    EXPECT_EQ(c.line(), "1999.0");
    EXPECT_EQ(c.line(), "0");
    // Settings alone answer nothing: the next answer belongs to the next query.
    c.send("BBIN:EXT:DIR TRAN\n");
    EXPECT_EQ(c.ask("BBIN:EXT:DIR?"), "TRAN");
    // Text beyond ASCII leaves as UTF-8, beside ASCII answers on the same line.
    c.send("BBIN:EXT:SSI:FSEL \"gr\xC3\xBCn\"\n");
    EXPECT_EQ(c.ask("BBIN:EXT:DIR?;SSI:FSEL?;:BBIN:EXT:DIR?"), "TRAN;\"gr\xC3\xBCn\";TRAN");
    // The whole answer line is in the first bytes that arrive.
    const QByteArray query = "BBIN:EXT:DIR?;LOG?;:KOBR:STAT?;*IDN?;:SYST:VERS?;:BBIN:EXT:SSI:FSEL?;CMD?\n";
    c.send(query);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.socket.bytesAvailable() > 0; }, kGuardMs));
    const QByteArray first = c.socket.readAll();
    EXPECT_TRUE(first.endsWith('\n')) << first.toStdString();
    EXPECT_EQ(first.count(';'), 6) << first.toStdString();
}

TEST_F(ScpiServerFixture, OverlongLineIsDroppedUpToItsEnd) {
    server.setMaxLineLength(1000);
    Client c(server.port());
    ASSERT_TRUE(c.connected);
    QByteArray longLine;
    while (longLine.size() < 5000)
        longLine += "BBIN:EXT:DATA:SIZE 5;";
    c.send(longLine.left(2500));
    c.send(longLine.mid(2500));
    c.send("\n*OPC?\n");
    EXPECT_EQ(c.line(), "1");
    EXPECT_EQ(c.ask("SYST:ERR?"), scpiErrorLine(ScpiErrInputBufferOverrun));
    EXPECT_EQ(c.ask("SYST:ERR?"), scpiErrorLine(ScpiNoError));
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 12);
    // Exactly at the limit is still a line.
    QByteArray atLimit = "BBIN:EXT:DATA:SIZE 6;";
    atLimit += QByteArray(1000 - atLimit.size() - 6, ' ') + "SIZE?";
    ASSERT_EQ(atLimit.size(), 999);
    EXPECT_EQ(c.ask(atLimit + "\r"), "6");
}

TEST(ScpiServer, ListenFailureIsReported) {
    CScpiServer first;
    ASSERT_TRUE(first.listen(QHostAddress::LocalHost, 0));
    CScpiServer second;
    QString error;
    EXPECT_FALSE(second.listen(QHostAddress::LocalHost, first.port(), &error));
    EXPECT_TRUE(error.contains(QString::number(first.port()))) << error.toStdString();
}
