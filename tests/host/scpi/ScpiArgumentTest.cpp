// Arguments: numbers with units and SI prefixes, special values, keywords, booleans, strings, bit data,
// and the refusals of wrong kinds and out-of-range values.
#include "ScpiFixture.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/scpi/impl/ScpiErrors.h"

using namespace MvQARN;

TEST_F(ScpiFixture, NumbersTakeUnitsFromTheTableAndSiPrefixesOnItsBaseUnits) {
    const struct {
        const char* arg;
        double hz;
    } rates[] = {{"10 MHz", 10e6},     {"10MHZ", 10e6},   {"1e7", 1e7},    {"1.5E+7", 15e6},
                 {"2.5e3 kHz", 2.5e6}, {"10 MAHZ", 10e6}, {"0.1GHZ", 1e8}, {"100000HZ", 1e5},
                 {"+.5e6", 5e5},       {"7000.", 7e3},    {"#H3E8", 1000}};
    for (const auto& r : rates) {
        ok(QStringLiteral("BBIN:EXT:CLOC:RATE %1").arg(QLatin1String(r.arg)));
        EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), r.hz) << r.arg;
    }
    const struct {
        const char* arg;
        double s;
    } skews[] = {{"5 ns", 5e-9},     {"500PS", 5e-10}, {"-1.5NS", -1.5e-9}, {"0.002 us", 2e-9},
                 {"4000 FS", 4e-12}, {"1e-9", 1e-9},   {"3 nanos", 0}};
    for (const auto& k : skews) {
        const QString line = QStringLiteral("BBIN:EXT:CLOC:SKEW %1").arg(QLatin1String(k.arg));
        if (k.s == 0) {
            EXPECT_EQ(run(line), "");
            EXPECT_EQ(codes(), QList<int>{ScpiErrInvalidSuffix}) << k.arg;
            continue;
        }
        ok(line);
        EXPECT_NEAR(num("TstClocSkew", tup(0, 0)), k.s, 1e-21) << k.arg;
    }
    // A unit where the command has none, or one of another table.
    for (const char* bad :
         {"BBIN:EXT:DATA:SIZE 8 HZ", "BBIN:EXT:CLOC:RATE 10 MV", "BBIN:EXT:CLOC:RATE 5 NS"}) {
        EXPECT_EQ(run(bad), "") << bad;
        EXPECT_EQ(codes(), QList<int>{ScpiErrInvalidSuffix}) << bad;
    }
}

TEST_F(ScpiFixture, SpecialValuesResolveThroughTheCurrentLimitsAndDefault) {
    ok("BBIN:EXT:CLOC:RATE MAX");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 200e6); // the check function's limit, not the record's
    ok("BBIN:EXT:CLOC:RATE minimum");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 1e3);
    ok("BBIN:EXT:CLOC:RATE DEF");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 10e6);
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE? MAX;RATE? MIN;RATE? DEFault;RATE?"),
              "200000000;1000;10000000;10000000");

    ok("BBIN:EXT:CLOC:RATE UP;RATE UP");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 12e6);
    ok("BBIN:EXT:CLOC:RATE DOWN");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 11e6);
    ok("BBIN:EXT:CLOC:RATE MAX");
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE UP"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrDataOutOfRange});
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 200e6);

    ok("BBIN:EXT:DATA:SIZE MIN");
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 4);
    ok("KOBR:SEL MAX");
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 0)), 3);
    ok("KOBR:SEL OFF");
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 0)), 0);
    // A special value is no argument of a plain query.
    EXPECT_EQ(run("BBIN:EXT:DIR? MAX"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrParameterNotAllowed});
}

TEST_F(ScpiFixture, KeywordsMatchLongShortAndNumericForms) {
    ok("BBIN:EXT:LOG CMOS12");
    EXPECT_EQ(sel("TstLogic", tup(0, 0)), 8); // the keyword's value, not its position
    ok("BBIN:EXT:LOG lvtt");
    EXPECT_EQ(sel("TstLogic", tup(0, 0)), 1);
    ok("BBIN:EXT:LOG LVTTL");
    EXPECT_EQ(sel("TstLogic", tup(0, 0)), 1);
    ok("BBIN:EXT:CLOC:PHAS 270");
    EXPECT_EQ(sel("TstClocPhas", tup(0, 0)), 3);
    ok("BBIN:EXT:CLOC:PHAS 90.0");
    EXPECT_EQ(sel("TstClocPhas", tup(0, 0)), 1);
    ok("BBIN:EXT:SSI:SPI:FREQ 2.5MHZ");
    EXPECT_EQ(sel("TstSpiFreq", tup(0, 0)), 1);
    ok("BBIN:EXT:SSI:SPI:FREQ 8.333 mhz");
    EXPECT_EQ(sel("TstSpiFreq", tup(0, 0)), 3);

    for (const char* bad :
         {"BBIN:EXT:LOG LVT", "BBIN:EXT:LOG CMOS", "BBIN:EXT:CLOC:PHAS 45", "BBIN:EXT:DATA:INEG 2",
          "BBIN:EXT:DATA:INEG MAYBE", "BBIN:EXT:SSI:SPI:FREQ 3MHZ"}) {
        EXPECT_EQ(run(bad), "") << bad;
        EXPECT_EQ(codes(), QList<int>{ScpiErrIllegalParameterValue}) << bad;
    }
    EXPECT_EQ(sel("TstLogic", tup(0, 0)), 1);
    EXPECT_EQ(sel("TstClocPhas", tup(0, 0)), 1);
}

TEST_F(ScpiFixture, BooleansAcceptOnOffAndDigits) {
    const struct {
        const char* arg;
        int v;
    } cases[] = {{"ON", 1}, {"0", 0}, {"1", 1}, {"off", 0}, {"On", 1}, {"OFF", 0}};
    for (const auto& c : cases) {
        ok(QStringLiteral("BBIN:EXT:DATA:INEG %1").arg(QLatin1String(c.arg)));
        EXPECT_EQ(sel("TstNegI", tup(0, 0)), c.v) << c.arg;
    }
}

TEST_F(ScpiFixture, StringsKeepDoubledQuotesAndSeparatorsInside) {
    ok(R"(BBIN:EXT:SSI:FSEL "my ""gain"" file.hex")");
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), R"(my "gain" file.hex)");
    ok("BBIN:EXT:SSI:FSEL 'it''s.hex'");
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), "it's.hex");
    ok(R"(BBIN:EXT:SSI:FSEL 'a"b')");
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), R"(a"b)");
    ok(R"(BBIN:EXT:SSI:FSEL "a;b,c:d?";:KOBR:USER:DIR TRAN)");
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), "a;b,c:d?");
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);
    ok(R"(BBIN:EXT:SSI:FSEL "")");
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), "");
    ok("BBIN:EXT:SSI:FSEL \"gr\xc3\xbc\xc3\x9f.hex\"");
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), QString::fromUtf8("gr\xc3\xbc\xc3\x9f.hex"));

    // Unterminated: nothing is written and the rest of the line is lost with it.
    ok("BBIN:EXT:SSI:FSEL 'keep'");
    EXPECT_EQ(run(R"(BBIN:EXT:SSI:FSEL "abc;:KOBR:USER:DIR REC)"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrInvalidStringData});
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), "keep");
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);
    // Longer than the parameter allows.
    EXPECT_EQ(run(QStringLiteral("BBIN:EXT:SSI:FSEL '%1'").arg(QString(40, QLatin1Char('x')))), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrDataOutOfRange});
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), "keep");
}

TEST_F(ScpiFixture, BitDataInEveryNotation) {
    auto bits = [&]() {
        const CDbAllType v = stored("TstSsiCmData", tup(0, 0));
        const auto* b = static_cast<const CDbDataTypeNBit*>(v.get());
        return qMakePair(b->getLength(), b->getWords().value(0));
    };
    ok("BBIN:EXT:SSI:CMD #H1F");
    EXPECT_EQ(bits(), qMakePair(8, 0x1F000000u));
    ok("BBIN:EXT:SSI:CMD #b0101");
    EXPECT_EQ(bits(), qMakePair(4, 0x50000000u));
    ok("BBIN:EXT:SSI:CMD #Q17");
    EXPECT_EQ(bits(), qMakePair(6, 0x3C000000u));
    ok("BBIN:EXT:SSI:CMD \"110\"");
    EXPECT_EQ(bits(), qMakePair(3, 0xC0000000u));
    ok("BBIN:EXT:SSI:CMD #12\x01\x7f");
    EXPECT_EQ(bits(), qMakePair(16, 0x017F0000u));
    QString answer;
    static const char withNul[] = "BBIN:EXT:SSI:CMD #3003\xff\x00\n"; // any byte, even NUL and LF
    session.execLine(QByteArray(withNul, sizeof(withNul) - 1), answer);
    EXPECT_TRUE(codes().isEmpty());
    EXPECT_EQ(bits(), qMakePair(24, 0xFF000A00u));
    ok("BBIN:EXT:SSI:CMD #HdeadBEEF0");
    EXPECT_EQ(bits(), qMakePair(36, 0xDEADBEEFu));

    const struct {
        const char* arg;
        int code;
    } bad[] = {{"#H1G", ScpiErrInvalidNumberChar},   {"#B012", ScpiErrInvalidNumberChar},
               {"'01x1'", ScpiErrInvalidStringData}, {"#H00000000000000001", ScpiErrDataOutOfRange},
               {"#15abc", ScpiErrInvalidBlockData},  {"12", ScpiErrDataType}};
    for (const auto& b : bad) {
        EXPECT_EQ(run(QStringLiteral("BBIN:EXT:SSI:CMD %1").arg(QLatin1String(b.arg))), "");
        EXPECT_EQ(codes(), QList<int>{b.code}) << b.arg;
    }
    EXPECT_EQ(bits(), qMakePair(36, 0xDEADBEEFu));
}

TEST_F(ScpiFixture, WrongKindsAndCountsOfArgumentsAreRefused) {
    const struct {
        const char* line;
        int code;
    } cases[] = {
        {"BBIN:EXT:DATA:SIZE 'abc'", ScpiErrDataType},
        {"BBIN:EXT:DIR 5", ScpiErrDataType},
        {"BBIN:EXT:SSI:FSEL 12", ScpiErrDataType},
        {"BBIN:EXT:SSI:FSEL abc", ScpiErrDataType},
        {"BBIN:EXT:DIR \"REC\"", ScpiErrDataType},
        {"BBIN:EXT:DATA:SIZE (1)", ScpiErrDataType},
        {"BBIN:EXT:DIR", ScpiErrMissingParameter},
        {"KOBR:USER:SETT:STOR", ScpiErrMissingParameter},
        {"BBIN:EXT:DIR REC,TRAN", ScpiErrParameterNotAllowed},
        {"KOBR:STAT? 1", ScpiErrParameterNotAllowed},
        {"KOBR:USER:PRES 1", ScpiErrParameterNotAllowed},
        {"BBIN:EXT:DIR REC TRAN", ScpiErrInvalidSeparator},
        {"BBIN:EXT:DIR REC,,TRAN", ScpiErrSyntax},
        {"BBIN:EXT:DIR REC,", ScpiErrSyntax},
        {"BBIN:EXT:DATA:SIZE 1.2.3", ScpiErrInvalidNumberChar},
        {"BBIN:EXT:DATA:SIZE 1e999", ScpiErrNumericData},
        {"BBIN:EXT:DATA:SIZE -", ScpiErrNumericData},
        {"BBIN:EXT:DATA:SIZE 17", ScpiErrDataOutOfRange},
        {"BBIN:EXT:DATA:SIZE -4", ScpiErrDataOutOfRange},
        {"BBIN:EXT:CLOC:RATE 220MHZ", ScpiErrDataOutOfRange},
        {"KOBR:SEL 4", ScpiErrDataOutOfRange},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(QLatin1String(c.line)), "") << c.line;
        EXPECT_EQ(codes(), QList<int>{c.code}) << c.line;
    }
    // Nothing of it reached the database.
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 0);
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 12);
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 10e6);
    EXPECT_EQ(str("TstSsiFile", tup(0, 0)), "gain.hex");
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 0)), 0);
    EXPECT_TRUE(ScpiTest::observed().savedNames.isEmpty());
    EXPECT_EQ(ScpiTest::observed().presetCalls, 0);
    // Non-decimal numbers count as numbers; selections round.
    ok("BBIN:EXT:DATA:SIZE #H0C;:KOBR:SEL 1.6");
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 12);
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 0)), 2);
}

TEST_F(ScpiFixture, EventsRunWithTheirTextAtTheAddressedInstance) {
    ok("SOUR2:KOBR:USER:SETT:STOR 'first'");
    ok("SOUR3:KOBR:USER:SETTing:STORe \"first\"");
    EXPECT_EQ(ScpiTest::observed().savedNames, (QList<QString>{"first", "first"})); // each store runs
    EXPECT_EQ(ScpiTest::observed().saveTupel, tup(0, 1));
    EXPECT_EQ(str("TstSave", tup(1, 0)), "first");
    ok("KOBR:USER:PRES;PRES");
    EXPECT_EQ(ScpiTest::observed().presetCalls, 2);
}

TEST_F(ScpiFixture, RefusalsAndSignalsOfTheRequestReachTheQueueWithTheirTexts) {
    EXPECT_EQ(run("KOBR:USER:CONF ON"), "");
    EXPECT_EQ(run("SYST:ERR?"), R"(20025,"ARB settings conflict, User Defined is switched off")");
    EXPECT_EQ(sel("TstConflict", tup(0, 0)), 0);
    ok("KOBR:USER:CONF OFF");

    EXPECT_EQ(run("KOBR:USER:ALAR ON;:KOBR:USER:DIR TRAN"), "");
    EXPECT_EQ(run("SYST:ERR?;ERR?"), R"(50298,"Box ""100123"" does not answer";0,"No error")");
    EXPECT_EQ(sel("TstAlarm", tup(0, 0)), 1); // a signal is no refusal
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);

    EXPECT_EQ(run("KOBR:USER:GHOS 1"), "");
    const QList<CScpiErrorQueue::Entry> e = session.errorQueue().entries();
    ASSERT_EQ(e.size(), 1);
    EXPECT_EQ(e[0].code, ScpiErrExecution);
    EXPECT_TRUE(e[0].text.startsWith("Execution error")) << e[0].text.toStdString();
}
