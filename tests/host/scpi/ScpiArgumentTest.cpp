// Arguments: numbers with units and SI prefixes, special values, keywords, booleans, strings, bit data,
// and the refusals of wrong kinds and out-of-range values.
#include <cstring>
#include <random>

#include "ScpiFixture.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/scpi/impl/CScpiLexer.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "support/ScpiErrorLine.h"

using namespace MvQARN;

TEST_F(ScpiFixture, NumbersKeywordsAndBooleansStoreTheirValues) {
    // Units from the command's table, SI prefixes on its base units, any number notation.
    stores("BBIN:EXT:CLOC:RATE", "TstClocRate",
           {{"10 MHz", 10e6},
            {"1.5E+7", 15e6},
            {"2.5e3 kHz", 2.5e6},
            {"10 MAHZ", 10e6},
            {"+.5e6", 5e5},
            {"#H3E8", 1000}});
    stores("BBIN:EXT:CLOC:SKEW", "TstClocSkew", {{"500PS", 5e-10}, {"-1.5NS", -1.5e-9}, {"4000 FS", 4e-12}});
    stores("KOBR:SEL", "TstKobrSelect", {{"1.6", 2}}); // selections round
    // Keywords store their value, not their position, in long, short and numeric forms.
    stores("BBIN:EXT:LOG", "TstLogic", {{"CMOS12", 8}, {"lvtt", 1}, {"LVTTL", 1}});
    stores("BBIN:EXT:CLOC:PHAS", "TstClocPhas", {{"270", 3}, {"90.0", 1}});
    stores("BBIN:EXT:SSI:SPI:FREQ", "TstSpiFreq", {{"8.333 mhz", 3}});
    stores("BBIN:EXT:DATA:INEG", "TstNegI", {{"ON", 1}, {"0", 0}, {"1", 1}, {"off", 0}});
}

TEST_F(ScpiFixture, SpecialValuesResolveThroughTheCurrentLimitsAndDefault) {
    // MAX is the check function's limit, not the record's.
    stores("BBIN:EXT:CLOC:RATE", "TstClocRate",
           {{"MAX", 200e6}, {"minimum", 1e3}, {"DEF", 10e6}, {"UP;RATE UP", 10000002}, {"DOWN", 10000001}});
    stores("BBIN:EXT:DATA:SIZE", "TstDataSize", {{"MIN", 4}});
    stores("KOBR:SEL", "TstKobrSelect", {{"MAX", 3}, {"OFF", 0}});
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE? MAX;RATE? MIN;RATE? DEFault;RATE?"),
              "200000000;1000;10000000;10000001");
    ok("BBIN:EXT:CLOC:RATE MAX");
    refused("BBIN:EXT:CLOC:RATE UP", ScpiErrDataOutOfRange);
    EXPECT_DOUBLE_EQ(num("TstClocRate"), 200e6);
    // A special value is no argument of a plain query.
    refused("BBIN:EXT:DIR? MAX", ScpiErrParameterNotAllowed);
}

TEST_F(ScpiFixture, BitDataInEveryNotation) {
    auto bits = [&]() {
        const CDbAllType v = stored("TstSsiCmData", {});
        const auto* b = static_cast<const CDbDataTypeNBit*>(v.get());
        return qMakePair(b->getLength(), b->getWords().value(0));
    };
    const struct {
        QByteArray arg;
        int length;
        quint32 word;
    } cases[] = {{"#b0101", 4, 0x50000000u},
                 {"#Q17", 6, 0x3C000000u},
                 {"\"110\"", 3, 0xC0000000u},
                 {QByteArray("#3003\xff\x00\n", 8), 24, 0xFF000A00u}, // any byte, even NUL and LF
                 {"#HdeadBEEF0", 36, 0xDEADBEEFu}};
    for (const auto& c : cases) {
        QString answer;
        EXPECT_FALSE(session.execLine("BBIN:EXT:SSI:CMD " + c.arg, answer));
        EXPECT_TRUE(codes().isEmpty()) << c.arg.toHex().toStdString();
        EXPECT_EQ(bits(), qMakePair(c.length, c.word)) << c.arg.toHex().toStdString();
    }
    refused("BBIN:EXT:SSI:CMD #B012", ScpiErrInvalidNumberChar);
    refused("BBIN:EXT:SSI:CMD '01x1'", ScpiErrInvalidStringData);
    refused("BBIN:EXT:SSI:CMD #H00000000000000001", ScpiErrDataOutOfRange);
    refused("BBIN:EXT:SSI:CMD #15abc", ScpiErrInvalidBlockData);
    refused("BBIN:EXT:SSI:CMD 12", ScpiErrDataType);
    EXPECT_EQ(bits(), qMakePair(36, 0xDEADBEEFu));
}

TEST_F(ScpiFixture, WrongArgumentsAreRefusedAndChangeNothing) {
    // Units where the command has none, or of another table.
    refusedAll(ScpiErrInvalidSuffix, {"BBIN:EXT:DATA:SIZE 8 HZ", "BBIN:EXT:CLOC:RATE 10 MV",
                                      "BBIN:EXT:CLOC:RATE 5 NS", "BBIN:EXT:CLOC:SKEW 3 nanos"});
    // Keywords the command does not have.
    refusedAll(ScpiErrIllegalParameterValue,
               {"BBIN:EXT:LOG LVT", "BBIN:EXT:LOG CMOS", "BBIN:EXT:CLOC:PHAS 45", "BBIN:EXT:DATA:INEG 2",
                "BBIN:EXT:SSI:SPI:FREQ 3MHZ"});
    // Wrong kinds and counts.
    refusedAll(ScpiErrDataType, {"BBIN:EXT:DATA:SIZE 'abc'", "BBIN:EXT:DIR 5", "BBIN:EXT:SSI:FSEL abc",
                                 "BBIN:EXT:DIR \"REC\""});
    refusedAll(ScpiErrMissingParameter, {"BBIN:EXT:DIR", "KOBR:USER:SETT:STOR"});
    refusedAll(ScpiErrParameterNotAllowed, {"BBIN:EXT:DIR REC,TRAN", "KOBR:STAT? 1", "KOBR:USER:PRES 1"});
    refused("BBIN:EXT:DIR REC TRAN", ScpiErrInvalidSeparator);
    refusedAll(ScpiErrSyntax, {"BBIN:EXT:DIR REC,,TRAN", "BBIN:EXT:DIR REC,"});
    // Malformed and out-of-range numbers.
    refused("BBIN:EXT:DATA:SIZE 1.2.3", ScpiErrInvalidNumberChar);
    refusedAll(ScpiErrNumericData, {"BBIN:EXT:DATA:SIZE 1e999", "BBIN:EXT:DATA:SIZE -"});
    refusedAll(ScpiErrDataOutOfRange,
               {"BBIN:EXT:DATA:SIZE 17", "BBIN:EXT:DATA:SIZE -4", "BBIN:EXT:CLOC:RATE 220MHZ", "KOBR:SEL 4"});
    // Nothing of it reached the database.
    for (const char* param :
         {"TstDirection", "TstClocSkew", "TstLogic", "TstClocPhas", "TstNegI", "TstKobrSelect"})
        EXPECT_EQ(num(param), 0) << param;
    EXPECT_EQ(num("TstDataSize"), 12);
    EXPECT_DOUBLE_EQ(num("TstClocRate"), 10e6);
    EXPECT_EQ(str("TstSsiFile"), "gain.hex");
    EXPECT_TRUE(ScpiTest::observed().savedNames.isEmpty());
    EXPECT_EQ(ScpiTest::observed().presetCalls, 0);
}

TEST_F(ScpiFixture, RefusalsAndSignalsOfTheRequestReachTheQueueWithTheirTexts) {
    EXPECT_EQ(run("KOBR:USER:CONF ON"), "");
    EXPECT_EQ(run("SYST:ERR?"), R"(20025,"ARB settings conflict, User Defined is switched off")");
    EXPECT_EQ(sel("TstConflict"), 0);
    ok("KOBR:USER:CONF OFF");

    EXPECT_EQ(run("KOBR:USER:ALAR ON;:KOBR:USER:DIR TRAN"), "");
    EXPECT_EQ(run("SYST:ERR?;ERR?"),
              R"(50298,"Box ""100123"" does not answer";)" + scpiErrorLine(ScpiNoError));
    EXPECT_EQ(sel("TstAlarm"), 1); // a signal is no refusal
    EXPECT_EQ(sel("TstDirection"), 1);

    EXPECT_EQ(run("KOBR:USER:GHOS 1"), "");
    const QStringList e = errors();
    ASSERT_EQ(e.size(), 1);
    EXPECT_TRUE(e[0].startsWith(scpiErrorEntry(ScpiErrExecution))) << e[0].toStdString();
}

// Numbers read to the same double as the full conversion, bit for bit: on both sides of the short
// path's limits (15 significant digits, powers of ten up to 22), with signs, fractions and exponents.
TEST(ScpiNumberText, ReadsTheDoubleTheFullConversionReads) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const int intDigits = int(rng() % 10), fracDigits = int(rng() % 10);
        QByteArray text = rng() % 3 == 0 ? "-" : "";
        for (int d = 0; d < intDigits; ++d)
            text += char('0' + rng() % 10);
        if (fracDigits > 0 || intDigits == 0) {
            text += '.';
            for (int d = 0; d < std::max(fracDigits, 1); ++d)
                text += char('0' + rng() % 10);
        }
        if (rng() % 2)
            text += "E" + QByteArray::number(int(rng() % 60) - 30);
        CScpiLexer lexer("X " + text);
        SScpiCommandUnit unit;
        ASSERT_EQ(lexer.next(unit), 0) << text.constData();
        const double expected = text.toDouble();
        EXPECT_EQ(std::memcmp(&unit.args[0].number, &expected, sizeof(double)), 0)
            << text.constData() << " read as " << unit.args[0].number;
    }
}
