// Header resolution: module tables, path rules, mnemonic forms, numeric suffixes and the instance a
// command reaches.
#include "ScpiFixture.h"
#include "host/scpi/impl/CScpiParser.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "host/scpi/impl/ScpiParseTable.h"

using namespace MvQARN;

// ---- Tables and module registration -----------------------------------------------------------

TEST_F(ScpiFixture, ModuleBuildsItsTablesOnceAndExitFreesThem) {
    EXPECT_EQ(ScpiTest::tableCount(), 21);
    ASSERT_NE(ScpiTest::rootSlot(), nullptr);
    EXPECT_EQ(module->getRootTable(), ScpiTest::rootSlot());
    EXPECT_EQ(run("KOBR:STAT?"), "1");

    // A second initBase does not build again.
    ASSERT_EQ(module->initBase(), 0);
    EXPECT_EQ(ScpiTest::tableCount(), 21);

    module->exitBase();
    EXPECT_EQ(ScpiTest::tableCount(), 0);
    EXPECT_EQ(ScpiTest::rootSlot(), nullptr);
    EXPECT_EQ(run("KOBR:STAT?"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader});

    ASSERT_EQ(module->initBase(), 0);
    EXPECT_EQ(run("KOBR:STAT?"), "1");
    module.reset(); // the destructor unregisters
    EXPECT_EQ(run("KOBR:STAT?"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader});
}

TEST(ScpiParseTable, SlotIsFilledAndClearedAndFormsArePrepared) {
    static const SScpiCmd cmds[] = {
        {"PPCVersion", 1, 0, 0, ScpiKindQuery, nullptr, nullptr, "P", 0, nullptr},
        {"FREQuency", 2, 0, 0, ScpiKindSettingSub, nullptr, nullptr, "F", 0, nullptr},
        {"ARM", 3, 0, 0, ScpiKindEvent, nullptr, nullptr, "A", 0, nullptr},
        {nullptr, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr},
    };
    SScpiParseTable* slot = nullptr;
    SScpiParseTable* t = MakeParseTable(&slot, cmds);
    ASSERT_EQ(slot, t);
    ASSERT_EQ(t->entries.size(), 3u);
    EXPECT_EQ(t->entries[0].shortForm, "PPCV");
    EXPECT_EQ(t->entries[0].longForm, "PPCVERSION");
    EXPECT_TRUE(t->entries[0].acceptsQuery);
    EXPECT_FALSE(t->entries[0].acceptsSet);
    EXPECT_TRUE(t->entries[1].acceptsQuery && t->entries[1].acceptsSet);
    EXPECT_FALSE(t->entries[2].acceptsQuery);
    EXPECT_TRUE(t->entries[2].acceptsSet);
    FreeParseTable(t);
    EXPECT_EQ(slot, nullptr);
}

// ---- Path rules --------------------------------------------------------------------------------

TEST_F(ScpiFixture, SemicolonContinuesAtTheLevelOfTheLastCommand) {
    ok("BBIN:EXT:CLOC:RATE 20MHz;SKEW 1ns;PHAS 90");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 20e6);
    EXPECT_DOUBLE_EQ(num("TstClocSkew", tup(0, 0)), 1e-9);
    EXPECT_EQ(sel("TstClocPhas", tup(0, 0)), 1);
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE?;SKEW?;PHAS?"), "20000000;1e-09;90");

    // DATA is not below CLOCk: the continuation does not find it, and the command error ends the line.
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE 30MHz;DATA:SIZE 8;:BBIN:EXT:DIR TRAN"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader});
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 30e6);
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 12);
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 0);
}

TEST_F(ScpiFixture, LeadingColonReturnsToTheRootAndCommonCommandsKeepTheLevel) {
    ok("BBIN:EXT:CLOC:RATE 20MHz;:KOBR:USER:DIR TRAN;:BBIN:EXT:DATA:SIZE 8");
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 8);

    ok("BBIN:EXT:CLOC:RATE 30MHz;*CLS;SKEW 2ns;*ESE 0;PHAS 180");
    EXPECT_DOUBLE_EQ(num("TstClocSkew", tup(0, 0)), 2e-9);
    EXPECT_EQ(sel("TstClocPhas", tup(0, 0)), 2);

    // Every line starts at the root.
    EXPECT_EQ(run("SKEW 3ns"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader});
}

TEST_F(ScpiFixture, LongAndShortFormsInAnyCaseButNothingInBetween) {
    ok("bbin:external:clock:rate 1e6");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 1e6);
    ok("BbIn:ExT:cLoC:rAtE 2e6");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(0, 0)), 2e6);
    ok("SOURCE:BBIN:EXTERNAL:DIRECTION TRANSMITTER");
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);
    EXPECT_EQ(run("sour:bbin:ext:dir?"), "TRAN");

    for (const char* bad : {"BBIN:EXTe:CLOC:RATE?", "BBIN:EXT:CLO:RATE?", "BBIN:EXT:CLOCKS:RATE?",
                            "SOURC:BBIN:EXT:DIR?", "BBIN:EXT:DIRECT?"}) {
        EXPECT_EQ(run(bad), "") << bad;
        EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader}) << bad;
    }
}

TEST_F(ScpiFixture, WrongFormOfACommandIsAnUndefinedHeader) {
    // A node alone, a query-only command set, an event queried.
    for (const char* bad :
         {"BBIN:EXT", "BBIN:EXT?", "KOBR:STAT 0", "KOBR:USER:PRES?", "KOBR:USER:SETT:STOR?"}) {
        EXPECT_EQ(run(bad), "") << bad;
        EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader}) << bad;
    }
    // A setting with a sub-level is a command and a node at once.
    ok("BBIN:EXT:LOG CMOS33");
    EXPECT_EQ(run("BBIN:EXT:LOG?;LOG:TYPE?"), "CMOS33;CMOS33");
    ok("BBIN:EXT:LOG:TYPE CMOS12");
    EXPECT_EQ(sel("TstLogic", tup(0, 0)), 8);
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
        ++expectedCalls;
        EXPECT_EQ(ScpiTest::observed().presetCalls, expectedCalls);
        EXPECT_EQ(ScpiTest::observed().presetTupel, tup(c.t0, c.t1)) << c.prefix;
    }
    // The KOBR level's own commands use both as well.
    ok("SOUR3:KOBR:SEL 2");
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 1)), 2);
    EXPECT_EQ(sel("TstKobrSelect", tup(0, 0)), 0);
    // The same parameter with or without the optional SOURce node.
    ok("SOURce1:KOBR:USER:DIRection TRANsmitter");
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);
    ok("KOBR:USER:DIRection RECeiver");
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 0);
}

TEST_F(ScpiFixture, BbinIsAlwaysTheInSideAndIqOutputAlwaysTheOutSide) {
    ok("SOUR4:BBIN:EXT:DIR TRAN");
    EXPECT_EQ(sel("TstDirection", tup(1, 0)), 1);
    EXPECT_EQ(sel("TstDirection", tup(1, 1)), 0);
    ok("SOUR3:BBIN:EXT:DATA:SIZE 9");
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 9);
    EXPECT_EQ(num("TstDataSize", tup(0, 1)), 12);

    ok("IQ:OUTP:EXT:DATA:SIZE 5");
    EXPECT_EQ(num("TstDataSize", tup(0, 1)), 5);
    ok("SOUR2:IQ:OUTP:EXT:DATA:SIZE 6");
    EXPECT_EQ(num("TstDataSize", tup(1, 1)), 6);
    ok("SOUR1:IQ:OUTPut:EXTernal:DATA:SIZE 7");
    EXPECT_EQ(num("TstDataSize", tup(0, 1)), 7);
    EXPECT_EQ(num("TstDataSize", tup(0, 0)), 9);

    // CLOCk is one table below all three interface levels: the side comes from the path.
    ok("SOUR4:KOBR:USER:CLOC:RATE 5MHZ;:SOUR4:BBIN:EXT:CLOC:RATE 6MHZ;:SOUR4:IQ:OUTP:EXT:CLOC:RATE 7MHZ");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(1, 1)), 7e6);
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(1, 0)), 6e6);
    ok("SOUR4:KOBR:USER:CLOC:RATE 5MHZ");
    EXPECT_DOUBLE_EQ(num("TstClocRate", tup(1, 1)), 5e6);
    EXPECT_EQ(run("SOUR4:IQ:OUTP:EXT:CLOC:RATE?;:SOUR2:BBIN:EXT:CLOC:RATE?"), "5000000;6000000");
}

TEST_F(ScpiFixture, InstAndLvdsSelectTheListIndex) {
    CDbEngine& db = CDbEngine::instance();
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(
            db.write("TstInstName", tup(0, 0, i), CDbAllType::fromString(QStringLiteral("link%1").arg(i))),
            0);
    EXPECT_EQ(run("KOBR:INST:NAME?"), "\"link0\"");
    EXPECT_EQ(run("KOBR:INST1:NAME?;:KOBR:INST3:NAME?;:SOUR2:KOBR:INST4:NAME?"),
              "\"link0\";\"link2\";\"link3\"");

    ok("DIAG:KOBR:LVDS:RX:STAT ON");
    EXPECT_EQ(sel("TstLvdsStart", tup(0, 0, 1)), 1);
    EXPECT_EQ(sel("TstLvdsStart", tup(0, 0, 0)), 0);
    ok("DIAGnostic2:KOBR:LVDS:TX:STATe 1");
    EXPECT_EQ(sel("TstLvdsStart", tup(1, 0, 0)), 1);
    EXPECT_EQ(sel("TstLvdsStart", tup(0, 0, 0)), 0);
    EXPECT_EQ(run("DIAG2:KOBR:LVDS:TX:STAT?;:DIAG:KOBR:LVDS:RX:STAT?;:DIAG:KOBR:LVDS:TX:STAT?"), "1;1;0");
    ok("DIAG:KOBR:LVDS:RX:STAT OFF");
    EXPECT_EQ(run("DIAG:KOBR:LVDS:RX:STAT?"), "0");
}

TEST_F(ScpiFixture, SuffixesOutOfRangeAreRefused) {
    for (const char* bad : {"SOUR0:KOBR:USER:DIR?", "SOUR5:KOBR:USER:DIR?", "SOUR99999999999:KOBR:USER:DIR?",
                            "KOBR:INST0:NAME?", "KOBR:INST65:NAME?", "DIAG:KOBR:LVDS:RX2:STAT?",
                            "KOBR:USER:DIR2?", "BBIN2:EXT:DIR?", "DIAG5:KOBR:LVDS:RX:STAT?"}) {
        EXPECT_EQ(run(bad), "") << bad;
        EXPECT_EQ(codes(), QList<int>{ScpiErrHeaderSuffix}) << bad;
    }
    // INST5 is inside the selector's range but the parameter has four links.
    EXPECT_EQ(run("KOBR:INST5:NAME?"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrHeaderSuffix});
    // Suffix 1 is the default of a node without a selector.
    EXPECT_EQ(run("KOBR1:USER1:DIR1?"), "REC");
    EXPECT_TRUE(codes().isEmpty());
}

TEST(ScpiSuffixWords, EveryWordOfTheTreeHasItsEffect) {
    using A = CScpiParser::SAddress;
    A a;
    ASSERT_TRUE(CScpiParser::applySuffix(a, 1, 4));
    EXPECT_EQ(CScpiParser::tupelOf(a), (SDbInstTupel{1, 0, 0, 0})); // side only where both are used
    a.bothSides = true;
    EXPECT_EQ(CScpiParser::tupelOf(a), (SDbInstTupel{1, 1, 0, 0}));
    ASSERT_TRUE(CScpiParser::applySuffix(a, 268, -1)); // fixed Out wins over the selector
    a.selSide = 0;
    EXPECT_EQ(CScpiParser::tupelOf(a).t1, 1);
    A b;
    b.bothSides = true;
    ASSERT_TRUE(CScpiParser::applySuffix(b, 260, -1)); // fixed In
    ASSERT_TRUE(CScpiParser::applySuffix(b, 1, 3));
    EXPECT_EQ(CScpiParser::tupelOf(b), (SDbInstTupel{0, 0, 0, 0}));
    A c;
    ASSERT_TRUE(CScpiParser::applySuffix(c, 258, -1));
    EXPECT_EQ(c.t3, 1);
    ASSERT_TRUE(CScpiParser::applySuffix(c, 266, -1));
    EXPECT_EQ(c.t3, 0);
    ASSERT_TRUE(CScpiParser::applySuffix(c, 2, 7));
    EXPECT_EQ(c.t3, 6);
    EXPECT_FALSE(CScpiParser::applySuffix(c, 258, 1));
    EXPECT_FALSE(CScpiParser::applySuffix(c, 2, 0));
    EXPECT_FALSE(CScpiParser::applySuffix(c, 0, 2));
    EXPECT_FALSE(CScpiParser::applySuffix(c, 1, -2));
}

TEST_F(ScpiFixture, ModuleLeavingMidLineSendsTheRestToTheRoot) {
    CScpiRegistry& reg = CScpiRegistry::instance();
    ASSERT_TRUE(reg.registerHostCommand("*DRP", [this](CScpiHostCall&) { module->exitBase(); }));
    // The level after DIR lives in the module's tables, which *DRP frees.
    EXPECT_EQ(run("KOBR:USER:DIR TRAN;*DRP;DIR?"), "");
    EXPECT_EQ(codes(), QList<int>{ScpiErrUndefinedHeader});
    EXPECT_TRUE(reg.unregisterHostCommand("*DRP"));
    EXPECT_EQ(sel("TstDirection", tup(0, 0)), 1);
}
