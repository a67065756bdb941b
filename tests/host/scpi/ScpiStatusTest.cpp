// The error queue and the status registers.

#include "ScpiFixture.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "support/ScpiErrorLine.h"

using namespace MvQARN;

TEST_F(ScpiFixture, ErrorQueueIsFirstInFirstOut) {
    EXPECT_EQ(run("SYST:ERR?"), scpiErrorLine(ScpiNoError));
    run("FOO");
    run("BBIN:EXT:DATA:SIZE 99");
    run("BBIN:EXT:DIR 'x'");
    EXPECT_EQ(run("SYST:ERR:COUN?"), "3");
    EXPECT_EQ(run("SYST:ERR?"), scpiErrorLine(ScpiErrUndefinedHeader, "FOO"));
    EXPECT_EQ(run("SYSTem:ERRor:NEXT?"), scpiErrorLine(ScpiErrDataOutOfRange));
    EXPECT_EQ(run("syst:err:next?"), scpiErrorLine(ScpiErrDataType));
    EXPECT_EQ(run("SYST:ERR?"), scpiErrorLine(ScpiNoError));
    EXPECT_EQ(run("SYST:ERR:COUN?"), "0");

    run("FOO");
    run("BBIN:EXT:DATA:SIZE 99");
    EXPECT_EQ(run("SYST:ERR:ALL?"),
              scpiErrorLine(ScpiErrUndefinedHeader, "FOO") + "," + scpiErrorLine(ScpiErrDataOutOfRange));
    EXPECT_EQ(run("SYST:ERR:ALL?"), scpiErrorLine(ScpiNoError));
}

TEST_F(ScpiFixture, FullQueueTurnsTheNewestEntryIntoAnOverflow) {
    for (int i = 0; i < 25; ++i)
        run(i % 2 ? "BBIN:EXT:DATA:SIZE 99" : "FOO");
    EXPECT_EQ(run("SYST:ERR:COUN?"), "20");
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(run("SYST:ERR?").section(QLatin1Char(','), 0, 0).toInt(),
                  i % 2 ? ScpiErrDataOutOfRange : ScpiErrUndefinedHeader)
            << i;
    EXPECT_EQ(run("SYST:ERR?"), scpiErrorLine(ScpiErrQueueOverflow));
    EXPECT_EQ(run("SYST:ERR?"), scpiErrorLine(ScpiNoError));
    // Room again: errors queue as before.
    run("FOO");
    EXPECT_EQ(run("SYST:ERR?").section(QLatin1Char(','), 0, 0).toInt(), ScpiErrUndefinedHeader);
}

TEST_F(ScpiFixture, ClsClearsAndRstDoesNot) {
    ok("BBIN:EXT:CLOC:RATE 20MHZ;:SOUR4:KOBR:USER:DIR TRAN");
    run("FOO");
    run("*RST");
    EXPECT_DOUBLE_EQ(num("TstClocRate"), 10e6);
    EXPECT_EQ(sel("TstDirection", tup(1, 1)), 0);
    EXPECT_EQ(ScpiTest::observed().presetCalls, 0); // actions are no settings
    EXPECT_EQ(run("SYST:ERR:COUN?"), "1");
    EXPECT_NE(run("*ESR?"), "0");
    run("FOO");
    run("*CLS");
    EXPECT_EQ(run("SYST:ERR:COUN?;*ESR?;*STB?"), "0;0;0");
}

TEST_F(ScpiFixture, ErrorsSetEventStatusBitsByClass) {
    for (const auto& [line, esr] : {std::pair{"FOO", "32"},
                                    {"BBIN:EXT:DATA:SIZE 99", "16"},
                                    {"KOBR:USER:CONF ON", "8"},
                                    {"KOBR:USER:ALAR ON", "8"},
                                    {"*OPC", "1"},
                                    {"*IDN?", "0"}}) {
        run(line);
        EXPECT_EQ(run("*ESR?;*ESR?"), QStringLiteral("%1;0").arg(esr)) << line; // reading clears
    }
}

TEST_F(ScpiFixture, StatusByteSummarisesQueueAndEnabledEvents) {
    // Each line, then what *STB? answers after it.
    for (const auto& [line, stb] : {std::pair{"", "0"},
                                    {"FOO", "4"},
                                    {"*ESE 32", "36"},
                                    {"*SRE 32", "100"},
                                    {"*ESR?", "4"}, // ESR read: no summary, no service request
                                    {"*SRE 4", "68"},
                                    {"SYST:ERR?", "0"}}) {
        run(line);
        EXPECT_EQ(run("*STB?"), stb) << line;
    }
    ok("*ESE 32;*SRE 255");
    EXPECT_EQ(run("*SRE?"), "191"); // bit 6 cannot be enabled

    refusedAll(ScpiErrDataOutOfRange, {"*ESE 256", "*ESE -1"});
    refusedAll(ScpiErrParameterNotAllowed, {"*SRE 1,2", "*OPC? 1"});
    refusedAll(ScpiErrUndefinedHeader, {"*IDN", "*FOO?"});
    refused("*ESE 3 V", ScpiErrInvalidSuffix);
    EXPECT_EQ(run("*ESE?"), "32");
}
