// Malformed program messages: invalid bytes, separators, headers, and how much of a line still runs.
#include "ScpiFixture.h"
#include "host/scpi/impl/CScpiLexer.h"
#include "host/scpi/impl/ScpiErrors.h"

using namespace MvQARN;

namespace {
QByteArray bytes(const char* s, int n) {
    return QByteArray(s, n);
}
} // namespace

TEST_F(ScpiFixture, MalformedHeadersAndBytesGiveCommandErrors) {
    const struct {
        QByteArray line;
        int code;
    } cases[] = {
        {bytes("\x01\x02\xff", 3), ScpiErrInvalidCharacter},
        {bytes("\x00*IDN?", 6), ScpiErrInvalidCharacter},
        {bytes("BBIN:EXT:DIR \x80", 14), ScpiErrInvalidCharacter},
        {bytes("*IDN?\x7f", 6), ScpiErrInvalidCharacter},
        {"ABCDEFGHIJKLMN?", ScpiErrMnemonicTooLong},
        {":", ScpiErrCommandHeader},
        {"BBIN:", ScpiErrCommandHeader},
        {"*", ScpiErrCommandHeader},
        {"BBIN::EXT:DIR?", ScpiErrSyntax},
        {"1234", ScpiErrSyntax},
        {"BBIN:EXT:DIR,REC", ScpiErrHeaderSeparator},
        {"*IDN?x", ScpiErrHeaderSeparator},
        {"BBIN:EXT:DIR?:X", ScpiErrHeaderSeparator},
        {"BBIN:EXT:DIR @", ScpiErrSyntax},
        {"BBIN:EXT:DIR REC$", ScpiErrInvalidCharacterData},
        {"BBIN:EXT:DATA:SIZE (1", ScpiErrExpression},
        {":*IDN?", ScpiErrSyntax},
    };
    for (const auto& c : cases) {
        QString answer;
        EXPECT_FALSE(session.execLine(c.line, answer)) << c.line.toHex().toStdString();
        EXPECT_EQ(codes(), QList<int>{c.code}) << c.line.toHex().toStdString();
    }
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 0);
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

TEST(ScpiLexer, SplitsUnitsAndKeepsTokenKinds) {
    CScpiLexer lex(R"(:SOUR2:BBIN:EXT:CLOC:RATE 10 MHz , #H1f,'a''b' ;*idn?;x:y? "q;q",#12AB,(1,2))");
    SScpiCommandUnit u;
    ASSERT_EQ(lex.next(u), 0);
    EXPECT_TRUE(u.absolute);
    ASSERT_EQ(u.elems.size(), 5);
    EXPECT_EQ(u.elems[0].stem, "SOUR");
    EXPECT_EQ(u.elems[0].suffix, 2);
    EXPECT_EQ(u.elems[0].full, "SOUR2");
    ASSERT_EQ(u.args.size(), 3);
    EXPECT_EQ(u.args[0].kind, SScpiToken::Number);
    EXPECT_EQ(u.args[0].number, 10.0);
    EXPECT_EQ(u.args[0].suffix, "MHZ");
    EXPECT_EQ(u.args[0].norm, "10MHZ");
    EXPECT_EQ(u.args[1].kind, SScpiToken::NonDecimal);
    EXPECT_EQ(u.args[1].number, 31.0);
    EXPECT_EQ(u.args[2].kind, SScpiToken::String);
    EXPECT_EQ(u.args[2].string, "a'b");
    ASSERT_EQ(lex.next(u), 0);
    EXPECT_TRUE(u.common && u.query);
    EXPECT_EQ(u.elems[0].stem, "IDN");
    ASSERT_EQ(lex.next(u), 0);
    EXPECT_TRUE(u.query);
    ASSERT_EQ(u.args.size(), 3);
    EXPECT_EQ(u.args[0].string, "q;q");
    EXPECT_EQ(u.args[1].kind, SScpiToken::Block);
    EXPECT_EQ(u.args[1].bytes, "AB");
    EXPECT_EQ(u.args[2].kind, SScpiToken::Expression);
    EXPECT_TRUE(lex.atEnd());
}
