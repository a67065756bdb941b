// Malformed program messages: invalid bytes, separators, headers, and how much of a line still runs.
#include "ScpiFixture.h"
#include "host/scpi/impl/ScpiErrors.h"

using namespace MvQARN;

TEST_F(ScpiFixture, MalformedHeadersAndBytesGiveCommandErrors) {
    // Bytes outside printable ASCII, anywhere in the line.
    for (const QByteArray& line : {QByteArray("\x01\x02\xff"), QByteArray("\x00*IDN?", 6),
                                   QByteArray("BBIN:EXT:DIR \x80"), QByteArray("*IDN?\x7f")}) {
        QString answer;
        EXPECT_FALSE(session.execLine(line, answer)) << line.toHex().toStdString();
        EXPECT_EQ(codes(), QList<int>{ScpiErrInvalidCharacter}) << line.toHex().toStdString();
    }
    refused("ABCDEFGHIJKLMN?", ScpiErrMnemonicTooLong);
    refusedAll(ScpiErrCommandHeader, {":", "BBIN:", "*"});
    refusedAll(ScpiErrSyntax, {"BBIN::EXT:DIR?", "1234", "BBIN:EXT:DIR @", ":*IDN?"});
    refusedAll(ScpiErrHeaderSeparator, {"BBIN:EXT:DIR,REC", "*IDN?x", "BBIN:EXT:DIR?:X"});
    refused("BBIN:EXT:DIR REC$", ScpiErrInvalidCharacterData);
    refused("BBIN:EXT:DATA:SIZE (1", ScpiErrExpression);
    EXPECT_EQ(sel("TstDirection"), 0);
    // An unterminated string: nothing is written and the rest of the line is lost with it.
    refused(R"(BBIN:EXT:SSI:FSEL "abc;:KOBR:USER:DIR TRAN)", ScpiErrInvalidStringData);
    EXPECT_EQ(str("TstSsiFile"), "gain.hex");
    EXPECT_EQ(sel("TstDirection"), 0);
}

TEST_F(ScpiFixture, CommandErrorsEndTheLineOtherErrorsOnlyTheirCommand) {
    EXPECT_EQ(run("*OPC?;FOO;*OPC?"), "1");
    EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader});
    EXPECT_EQ(run("BBIN:EXT:DATA:SIZE 99;SIZE?;:KOBR:USER:CONF ON;:KOBR:STAT?"), "12;1");
    EXPECT_EQ(codes(), (QList<int>{ScpiErrDataOutOfRange, 20025}));
    // Empty units and lines do nothing.
    ok("");
    ok(" ;; ; ");
    EXPECT_EQ(run("*OPC?;"), "1");
    EXPECT_EQ(run("  *OPC? ; *TST?\r"), "1;0");
}
