// Answers: number forms that read back exactly, keywords, booleans, texts, lists, bit data, reads
// through conversion-out, several queries on one line and the module's answer hook.
#include "ScpiFixture.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "host/scpi/impl/ScpiValues.h"

using namespace MvQARN;

TEST(ScpiNumberForm, IntegersPlainOthersShortestExact) {
    for (const auto& [v, text] : {std::pair{10e6, "10000000"},
                                  {-3.0, "-3"},
                                  {-0.0, "0"},
                                  {2.5e-9, "2.5e-09"},
                                  {1e20, "1e+20"},
                                  {0.1, "0.1"}})
        EXPECT_EQ(scpiFormatNumber(v), text);
    for (double v :
         {1.0 / 3.0, 1234567.891234567, 2.0 / 3.0 * 1e-12, 5e-324, 1.7976931348623157e308, 123456789012.5})
        EXPECT_EQ(scpiFormatNumber(v).toDouble(), v) << scpiFormatNumber(v).toStdString();
}

TEST_F(ScpiFixture, AnswersFollowTheDescriptor) {
    ok("BBIN:EXT:CLOC:RATE 12.5MHZ;SKEW 2.5ns;PHAS 270");
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE?;SKEW?;PHAS?"), "12500000;2.5e-09;270");
    ok("BBIN:EXT:CLOC:RATE 1234567.891234567");
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE?").toDouble(), num("TstClocRate"));

    ok("BBIN:EXT:LOG CMOS12;DIR TRAN;DATA:INEG ON");
    EXPECT_EQ(run("BBIN:EXT:LOG?;DIR?;DATA:INEG?;SIZE?"), "CMOS12;TRAN;1;12");
    ok(R"(BBIN:EXT:SSI:FSEL "my ""gain"" file")");
    EXPECT_EQ(run("BBIN:EXT:SSI:FSEL?"), R"("my ""gain"" file")");

    EXPECT_EQ(run("KOBR:CAT?"), "\"\"");
    ASSERT_EQ(CDbEngine::instance().write("TstCatalog", tup(0, 0),
                                          CDbDataTypeNString(QStringList{"a.lynx", "b \"x\".lynx", "c,d"})),
              0);
    EXPECT_EQ(run("KOBR:CAT?"), R"("a.lynx","b ""x"".lynx","c,d")");

    EXPECT_EQ(run("BBIN:EXT:SSI:CMD?"), "#HA5");
    ok("BBIN:EXT:SSI:CMD #Q17");
    EXPECT_EQ(run("BBIN:EXT:SSI:CMD?"), "#B001111");
    // What a query answers, a setting takes back.
    ok("SOUR2:BBIN:EXT:SSI:CMD #B001111");
    EXPECT_EQ(run("SOUR2:BBIN:EXT:SSI:CMD?"), "#B001111");
}

TEST_F(ScpiFixture, SeveralQueriesAnswerOnOneLine) {
    // Queries read through conversion-out.
    ok("SOUR2:BBIN:EXT:CLOC:RATE 20MHZ");
    EXPECT_EQ(run("SOUR2:BBIN:EXT:SRAT?;:BBIN:EXT:SRAT?"), "5000000;2500000");
    EXPECT_EQ(run("BBIN:EXT:DIR?;LOG?;:KOBR:STAT?;*OPC?;:SYST:VERS?"), "REC;LVDS;1;1;1999.0");
    // Settings between queries answer nothing (an error ending its own command only is ScpiSyntaxTest's).
    EXPECT_EQ(run("BBIN:EXT:DIR TRAN;DIR?;:KOBR:STAT?"), "TRAN;1");
}

TEST_F(ScpiFixture, TheModuleHookReplacesItsAnswers) {
    for (const auto& [arg, answer] : {std::pair{"1MHZ", "1e+06"}, {"8.333MHZ", "8.333e+06"}}) {
        ok(QStringLiteral("KOBR:USER:SSI:SPI:FREQ ") + arg);
        EXPECT_EQ(run("KOBR:USER:SSI:SPI:FREQ?"), answer) << arg;
    }
    // Other commands keep the prepared answer; host commands never reach the hook.
    const int before = module->hookCalls;
    EXPECT_EQ(run("KOBR:USER:DIR?"), "REC");
    EXPECT_EQ(module->hookCalls, before + 1);
    run("*IDN?;:SYST:ERR?");
    EXPECT_EQ(module->hookCalls, before + 1);
}
