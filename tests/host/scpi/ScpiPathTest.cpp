// Header resolution: path rules, mnemonic forms, numeric suffixes and the instance a command reaches.
#include "ScpiFixture.h"
#include "host/scpi/impl/CScpiHostCall.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/ScpiErrors.h"

using namespace MvQARN;

// ---- Path rules --------------------------------------------------------------------------------

TEST_F(ScpiFixture, SemicolonContinuesAtTheLevelOfTheLastCommandAndColonAtTheRoot) {
    ok("BBIN:EXT:CLOC:RATE 20MHz;SKEW 1ns;PHAS 90");
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE?;SKEW?;PHAS?"), "20000000;1e-09;90");
    // Common commands keep the level.
    ok("BBIN:EXT:CLOC:RATE 30MHz;*CLS;SKEW 2ns;*ESE 0;PHAS 180");
    EXPECT_DOUBLE_EQ(num("TstClocSkew"), 2e-9);
    EXPECT_EQ(sel("TstClocPhas"), 2);
    ok("BBIN:EXT:CLOC:RATE 20MHz;:KOBR:USER:DIR TRAN;:BBIN:EXT:DATA:SIZE 8");
    EXPECT_EQ(sel("TstDirection"), 1);
    EXPECT_EQ(num("TstDataSize"), 8);

    // DATA is not below CLOCk: the continuation does not find it, and the command error ends the line.
    refused("BBIN:EXT:CLOC:RATE 30MHz;DATA:SIZE 4;:BBIN:EXT:DIR REC", ScpiErrUndefinedHeader);
    EXPECT_DOUBLE_EQ(num("TstClocRate"), 30e6);
    EXPECT_EQ(num("TstDataSize"), 8);
    EXPECT_EQ(sel("TstDirection"), 1);
    // Every line starts at the root.
    refused("SKEW 3ns", ScpiErrUndefinedHeader);
}

TEST_F(ScpiFixture, LongAndShortFormsInAnyCaseButNothingInBetween) {
    stores("BbIn:ExTernal:cLoC:rAtE", "TstClocRate", {{"2e6", 2e6}});
    stores("SOURCE:BBIN:EXTERNAL:DIRECTION", "TstDirection", {{"TRANSMITTER", 1}});
    refusedAll(ScpiErrUndefinedHeader,
               {"BBIN:EXTe:CLOC:RATE?", "BBIN:EXT:CLO:RATE?", "BBIN:EXT:CLOCKS:RATE?"});
}

TEST_F(ScpiFixture, WrongFormOfACommandIsAnUndefinedHeader) {
    // A node alone, a query-only command set, an event queried.
    refusedAll(ScpiErrUndefinedHeader,
               {"BBIN:EXT", "BBIN:EXT?", "KOBR:STAT 0", "KOBR:USER:PRES?", "KOBR:USER:SETT:STOR?"});
    // A setting with a sub-level is a command and a node at once.
    ok("BBIN:EXT:LOG CMOS33");
    EXPECT_EQ(run("BBIN:EXT:LOG?;LOG:TYPE?"), "CMOS33;CMOS33");
    stores("BBIN:EXT:LOG:TYPE", "TstLogic", {{"CMOS12", 8}});
}

// ---- Addressing ---------------------------------------------------------------------------------

TEST_F(ScpiFixture, SourceSuffixSelectsPathAndSideWhereBothAreUsed) {
    const struct {
        const char* prefix;
        int t0, t1;
    } cases[] = {{"", 0, 0},       {"SOUR:", 0, 0},  {"SOUR1:", 0, 0},
                 {"SOUR2:", 1, 0}, {"SOUR3:", 0, 1}, {"SOURce4:", 1, 1}};
    int expectedCalls = 0;
    for (const auto& c : cases) {
        ok(QStringLiteral("%1KOBR:USER:PRES").arg(QLatin1String(c.prefix)));
        EXPECT_EQ(ScpiTest::observed().presetCalls, ++expectedCalls);
        EXPECT_EQ(ScpiTest::observed().presetTupel, tup(c.t0, c.t1)) << c.prefix;
    }
    // The KOBR level's own commands use both as well.
    ok("SOUR3:KOBR:SEL 2");
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 1)), 2);
    EXPECT_EQ(sel("TstKobrSelect"), 0);
    // The same parameter with or without the optional SOURce node.
    stores("SOURce1:KOBR:USER:DIRection", "TstDirection", {{"TRANsmitter", 1}});
    stores("KOBR:USER:DIRection", "TstDirection", {{"RECeiver", 0}});
}

TEST_F(ScpiFixture, BbinIsAlwaysTheInSideAndIqOutputAlwaysTheOutSide) {
    ok("SOUR4:BBIN:EXT:DIR TRAN;:SOUR3:BBIN:EXT:DATA:SIZE 9");
    EXPECT_EQ(sel("TstDirection", tup(1, 0)), 1);
    EXPECT_EQ(sel("TstDirection", tup(1, 1)), 0);
    EXPECT_EQ(num("TstDataSize"), 9);
    EXPECT_EQ(num("TstDataSize", tup(0, 1)), 12);
    for (const auto& [line, t0, size] : {std::tuple{"IQ:OUTP:EXT:DATA:SIZE 5", 0, 5},
                                         {"SOUR2:IQ:OUTP:EXT:DATA:SIZE 6", 1, 6},
                                         {"SOUR1:IQ:OUTPut:EXTernal:DATA:SIZE 7", 0, 7}}) {
        ok(line);
        EXPECT_EQ(num("TstDataSize", tup(t0, 1)), size) << line;
    }
    EXPECT_EQ(num("TstDataSize"), 9);

    // CLOCk is one table below all three interface levels: the side comes from the path.
    ok("SOUR4:KOBR:USER:CLOC:RATE 5MHZ;:SOUR4:BBIN:EXT:CLOC:RATE 6MHZ;:SOUR4:IQ:OUTP:EXT:CLOC:RATE 7MHZ");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(1, 1)), 7e6);
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(1, 0)), 6e6);
    ok("SOUR4:KOBR:USER:CLOC:RATE 5MHZ");
    EXPECT_EQ(run("SOUR4:IQ:OUTP:EXT:CLOC:RATE?;:SOUR2:BBIN:EXT:CLOC:RATE?"), "5000000;6000000");
}

TEST_F(ScpiFixture, InstAndLvdsSelectTheListIndex) {
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(CDbEngine::instance().write("TstInstName", tup(0, 0, i),
                                              CDbAllType::fromString(QStringLiteral("link%1").arg(i))),
                  0);
    EXPECT_EQ(run("KOBR:INST:NAME?;:KOBR:INST1:NAME?;:KOBR:INST3:NAME?;:SOUR2:KOBR:INST4:NAME?"),
              "\"link0\";\"link0\";\"link2\";\"link3\"");

    ok("DIAG:KOBR:LVDS:RX:STAT ON;:DIAGnostic2:KOBR:LVDS:TX:STATe 1");
    EXPECT_EQ(sel("TstLvdsStart", tup(0, 0, 1)), 1);
    EXPECT_EQ(sel("TstLvdsStart", tup(1, 0, 0)), 1);
    EXPECT_EQ(sel("TstLvdsStart", tup(0, 0, 0)), 0);
    EXPECT_EQ(run("DIAG2:KOBR:LVDS:TX:STAT?;:DIAG:KOBR:LVDS:RX:STAT?;:DIAG:KOBR:LVDS:TX:STAT?"), "1;1;0");
    ok("DIAG:KOBR:LVDS:RX:STAT OFF");
    EXPECT_EQ(run("DIAG:KOBR:LVDS:RX:STAT?"), "0");
}

TEST_F(ScpiFixture, SuffixesOutOfRangeAreRefused) {
    // INST5 is inside the selector's range, but the parameter has four links.
    refusedAll(ScpiErrHeaderSuffix,
               {"SOUR0:KOBR:USER:DIR?", "SOUR5:KOBR:USER:DIR?", "SOUR99999999999:KOBR:USER:DIR?",
                "KOBR:INST0:NAME?", "KOBR:INST65:NAME?", "KOBR:INST5:NAME?", "DIAG:KOBR:LVDS:RX2:STAT?",
                "KOBR:USER:DIR2?", "BBIN2:EXT:DIR?", "DIAG5:KOBR:LVDS:RX:STAT?"});
    // Suffix 1 is the default of a node without a selector.
    EXPECT_EQ(run("KOBR1:USER1:DIR1?"), "REC");
    EXPECT_TRUE(codes().isEmpty());
}

TEST_F(ScpiFixture, HeadersResolvedBeforeFollowHostCommandsAddedLater) {
    CScpiRegistry& reg = CScpiRegistry::instance();
    auto answering = [](const QString& a) { return [a](CScpiHostCall& call) { call.setAnswer(a); }; };
    // MEMO:ABC names the command MEMO:ABCd by its short form. Running it adds a query named MEMO:ABC,
    // a level below it and enough commands beside it to move the entries of MEMO.
    QStringList added{"MEMO:ABC?", "MEMO:ABC:B?"};
    for (int i = 0; i < 40; ++i)
        added << QStringLiteral("MEMO:X%1%2?").arg(QChar('A' + i % 26), QChar('A' + i / 26));
    ASSERT_TRUE(reg.registerHostCommand("MEMO:ABCd", [&](CScpiHostCall&) {
        for (int i = 0; i < added.size(); ++i)
            reg.registerHostCommand(added.at(i), answering(i == 0 ? "abc" : QString::number(i)));
    }));
    EXPECT_EQ(run("MEMO:ABC;:MEMO:ABC?;:MEMO:ABC:B?;:memo:xca?"), "abc;1;4");
    EXPECT_TRUE(codes().isEmpty());
    added << "MEMO:ABCd";
    for (const QString& p : std::as_const(added))
        reg.unregisterHostCommand(p);
}
