// Conversion-out functions read through the host database: computed values, twins, the test signal's
// ARB entry, SSI and SPI read-back and the box read-out table.
#include <cstring>
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"
#include "host/db/CDbCnct.h"
#include "host/olfw/KobraReadoutTable.h"
#include "host/olfw/KobraSerialData.h"

using namespace MvQARN;
using namespace fntest;

namespace {

using ConvOutFunctions = FunctionTest;

// ---- interface clock ------------------------------------------------------------------------------

TEST_F(ConvOutFunctions, SampleRateFollowsTheDataFormat) {
    struct Case {
        int format, rateMode, ileav, sigType, ratio;
        double wordSize, clock, expected;
    };
    const Case cases[] = {
        // serial, word size 16, DDR, interleaved: clock x 2 x 0.5 / 16
        {0, 1, 1, 0, 0, 16, 10e6, 10e6 * 2 * 0.5 / 16},
        {0, 0, 2, 0, 3, 4, 8e6, 1e6}, // the ratio is a parallel setting
        {1, 1, 0, 0, 1, 16, 10e6, 16e6},
        {1, 0, 1, 1, 2, 16, 100e6, 100e6 * 0.5 * 0.25 * 0.4}, // IF, 2/5
        {1, 1, 2, 0, 5, 16, 40e6, 40e6 * 2 * 0.5 * 0.05},
        {1, 0, 0, 0, 4, 16, 10e6, 1e6},
    };
    const SDbInstTupel out = tup(0, 1);
    setInt("IdPDbLynxLogicType", out, 0);
    setNumber("IdPDbLynxTestSinusCwFreq", out, 0);
    for (const Case& c : cases) {
        setInt("IdPDbLynxFormat", out, c.format);
        setInt("IdPDbLynxRateMode", out, c.rateMode);
        setInt("IdPDbLynxIleavMode", out, c.ileav);
        setInt("IdPDbLynxSigType", out, c.sigType);
        setInt("IdPDbLynxSCRatio", out, c.ratio);
        setNumber("IdPDbLynxDataWordSize", out, c.wordSize);
        setNumber("IdPDbLynxClocRate", out, c.clock);
        EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxSampRate", out), c.expected)
            << "format " << c.format << " rate mode " << c.rateMode << " interleave " << c.ileav << " signal "
            << c.sigType << " ratio " << c.ratio;
    }
    // The other interfaces keep their own settings.
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxSampRate", tup(0, 0)), 10e6);
}

TEST_F(ConvOutFunctions, SampleRateReadPullsTheSineFrequencyDown) {
    const SDbInstTupel t = tup(1, 0);
    setNumber("IdPDbLynxTestSinusCwFreq", t, 3e6); // below 0.4 x 10 MHz
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxSampRate", t), 10e6);
    EXPECT_EQ(storedNumber("IdPDbLynxTestSinusCwFreq", t), 3e6);

    setInt("IdPDbLynxFormat", t, 0); // serial, 16 bits: 625 kHz
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxSampRate", t), 625000);
    EXPECT_DOUBLE_EQ(storedNumber("IdPDbLynxTestSinusCwFreq", t), 250000);
    EXPECT_TRUE(errorCodes().isEmpty()) << errorTexts().join("; ").toStdString();
    EXPECT_EQ(storedNumber("IdPDbLynxTestSinusCwFreq", tup(1, 1)), 10e6);
}

// Values computed for a read from other parameters, other instances left to their own.
TEST_F(ConvOutFunctions, ReadsComputeTheirValueFromOtherParameters) {
    const struct {
        QList<std::pair<const char*, double>> setup; // at the read's instance
        const char* name;
        SDbInstTupel t;
        double expected;
    } cases[] = {
        {{{"IdPDbLynxClocRate", 40e6}}, "IdPDbLynxIFFreq", tup(1, 1), 10e6}, // a quarter of the clock
        {{}, "IdPDbLynxIFFreq", tup(0, 1), 2.5e6},
        {{{"IdPDbLynxExtRefFreq", 0}}, "IdPiDbLynxExtRefFreq", tup(0, 1), 5e6},
        {{{"IdPDbLynxExtRefFreq", 2}}, "IdPiDbLynxExtRefFreq", tup(0, 1), 13e6},
        // The record length twin rounds up to the offered lengths.
        {{{"IdPDbKobraTranRecDataLength", 512}}, "IdPiDbKobraTranRecDataLength", tup(0, 0, 0, 1), 512},
        {{{"IdPDbKobraTranRecDataLength", 513}}, "IdPiDbKobraTranRecDataLength", tup(0, 0, 0, 1), 1024},
        {{{"IdPDbKobraTranRecDataLength", 1500}}, "IdPiDbKobraTranRecDataLength", tup(0, 0, 0, 1), 2048},
        // The trigger delay counts from the position in percent of the last sample.
        {{{"IdPDbKobraTranRecDataLength", 1024}, {"IdPDbKobraTranRecTrigPosition", 50}},
         "IdPDbKobraTranRecTrigDelay",
         tup(1, 0, 0, 1),
         0.5 * 1023},
        {{{"IdPDbKobraTranRecDataLength", 1024}, {"IdPDbKobraTranRecTrigPosition", -100}},
         "IdPDbKobraTranRecTrigDelay",
         tup(1, 0, 0, 1),
         2 * 1023},
        {{}, "IdPDbKobraTranRecTrigDelay", tup(1, 0, 0, 0), 511},
    };
    for (const auto& c : cases) {
        restart();
        for (const auto& [name, value] : c.setup)
            setValue(name, c.t, value);
        double v = -1;
        EXPECT_TRUE(read(c.name, c.t).toDouble(v)) << c.name;
        EXPECT_DOUBLE_EQ(v, c.expected) << c.name << (c.setup.isEmpty() ? "" : " after ")
                                        << (c.setup.isEmpty() ? "" : c.setup.last().first);
    }
}

// ---- twins and recorder ---------------------------------------------------------------------------

// The twins show the serial number behind an interface's (or the configuration's) selection among the
// first twenty boxes; an entry that is no number, or a list that lost the box, gives no box.
TEST_F(ConvOutFunctions, SerialNumberTwinsReadTheSelectedBoxes) {
    QStringList list{"None", "100123", "1.23457e+06", "no serial"};
    for (int i = 4; i <= 20; ++i)
        list << QString::number(300000 + i);
    ASSERT_EQ(writeList("IdPDbKobraSerials", list), 0); // 21 entries
    EXPECT_DOUBLE_EQ(readNumber("IdPiDbKobraSelected", tup(1, 1)), 0);
    const std::pair<int, int> cases[] = {{1, 100123}, {2, 1234570}, {3, 0}, {19, 300019}, {20, 0}};
    for (const auto& [index, serial] : cases) {
        setInt("IdPDbKobraSelected", tup(1, 1), index);
        EXPECT_DOUBLE_EQ(readNumber("IdPiDbKobraSelected", tup(1, 1)), serial) << index;
    }
    setInt("IdPDbKobraSelected", tup(1, 1), 1);
    setInt("IdPDbKobraConfigSelected", tup(0, 0), 2);
    EXPECT_DOUBLE_EQ(readNumber("IdPiDbKobraSelected", tup(0, 1)), 0);
    EXPECT_DOUBLE_EQ(readNumber("IdPiDbKobraConfigSelected", tup(0, 0)), 1234570);
    ASSERT_EQ(writeList("IdPDbKobraSerials", QStringList{"None"}), 0);
    EXPECT_DOUBLE_EQ(readNumber("IdPiDbKobraSelected", tup(1, 1)), 0);
}

// ---- ARB and test signal --------------------------------------------------------------------------

TEST_F(ConvOutFunctions, ArbSamplesTotalCountsTheSlotsThatAreOn) {
    const int t0 = 1, t1 = 1;
    const double samples[] = {1e6, 7e6, 2.5e6, 4e6};
    const int on[] = {1, 0, 1, 0};
    for (int slot = 0; slot < 4; ++slot) {
        setNumber("IdPDbLynxArbSamples", tup(t0, t1, 0, slot), samples[slot]);
        setInt("IdPDbLynxArbState", tup(t0, t1, 0, slot), on[slot]);
    }
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxArbSamplesTotal", tup(t0, t1, 0, 2)), 3.5);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxArbSamplesTotal", tup(0, 1, 0, 0)), 0);
}

TEST_F(ConvOutFunctions, TestSignalShowsTheArbEntryItPlays) {
    const int t0 = 0, t1 = 1;
    writeText("IdPDbLynxArbFile", tup(t0, t1, 0, 1), "two");
    setNumber("IdPDbLynxArbSampRate", tup(t0, t1, 0, 1), 7.68e6);
    setNumber("IdPDbLynxArbSamples", tup(t0, t1, 0, 1), 4096);
    setNumber("IdPDbLynxArbSampRate", tup(t0, t1, 0, 0), 1e6);

    setInt("IdPDbLynxTestTxSource", tup(t0, t1), 4); // ARB2 = slot 1
    EXPECT_EQ(readText("IdPDbLynxTestArbFile", tup(t0, t1)), QStringLiteral("two.wv"));
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestArbSampRate", tup(t0, t1)), 7.68e6);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestArbSamples", tup(t0, t1)), 4096);

    setInt("IdPDbLynxTestTxSource", tup(t0, t1), 3); // ARB1: no file
    EXPECT_EQ(readText("IdPDbLynxTestArbFile", tup(t0, t1)), QStringLiteral("None"));
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestArbSampRate", tup(t0, t1)), 1e6);

    setInt("IdPDbLynxTestTxSource", tup(t0, t1), 2); // sine
    EXPECT_EQ(readText("IdPDbLynxTestArbFile", tup(t0, t1)), QStringLiteral("None"));
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestArbSampRate", tup(t0, t1)), 0);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestArbSamples", tup(t0, t1)), 0);
}

// ---- SSI and SPI read-back ------------------------------------------------------------------------

class ReadBack : public ConvOutFunctions {
protected:
    void SetUp() override {
        ConvOutFunctions::SetUp();
        m_commands.handler = [this](int code, COlCommandData* d) {
            if ((code == OlCmdSsiRead || code == OlCmdSpiRead) && d && d->buffer) {
                auto* area = static_cast<SKobraSerialData*>(d->buffer);
                area->words[0] = boxWord;
                area->words[1] = 0;
            }
            return accept;
        };
    }
    quint32 boxWord = 0xabcd1234u;
    bool accept = true;
};

// Explicit queries (execute requests) of SSI data on the receiving side and of SPI data read them from
// the box of the interface, for an SSI logic type only; ordinary reads and the sending side answer
// what is stored. A read-back that fails changes nothing.
TEST_F(ReadBack, SsiAndSpiDataAreReadFromTheBoxOnExplicitQueries) {
    const struct {
        const char* name;
        SDbInstTupel t;
        int command;
        const char* stored;
        const char* fromBox;
    } cases[] = {
        {"IdPDbLynxSsiCmData", tup(1, 0), OlCmdSsiRead, "16:00000000", "16:abcd0000"},
        {"IdPDbLynxSsiSpiDataRead", tup(0, 1), OlCmdSpiRead, "8:00000000", "8:ab000000"},
    };
    for (const auto& c : cases) {
        restart();
        m_commands.calls.clear();
        setNumber("IdPDbLynxSsiCmBitLen", c.t, 16);
        useCommands();
        // Not an SSI logic type (3.3V CMOS at the start), then a box that refuses: nothing changes.
        const Snapshot before = snapshot();
        read(c.name, c.t, DbMsgExec);
        EXPECT_EQ(errorCodes(), QList<int>({DbErrSsiLogic})) << c.name;
        EXPECT_TRUE(m_commands.calls.isEmpty()) << c.name;
        EXPECT_TRUE(unchanged(before));
        setInt("IdPDbLynxLogicType", c.t, 6);
        const Snapshot ssi = snapshot();
        accept = false;
        read(c.name, c.t, DbMsgExec);
        EXPECT_EQ(errorCodes(), QList<int>({DbErrOlCommand})) << c.name;
        EXPECT_TRUE(unchanged(ssi));
        accept = true;
        m_commands.calls.clear();
        EXPECT_EQ(readBits(c.name, c.t), QLatin1String(c.stored)) << c.name;
        EXPECT_TRUE(m_commands.calls.isEmpty()) << c.name;
        EXPECT_EQ(readBits(c.name, c.t, DbMsgExec), QLatin1String(c.fromBox)) << c.name;
        ASSERT_EQ(m_commands.callsOf(c.command).size(), 1) << c.name;
        EXPECT_EQ(m_commands.calls[0].in.index1, c.t.t0);
        EXPECT_EQ(m_commands.calls[0].in.index2, c.t.t1);
        EXPECT_EQ(storedText(c.name, c.t), QLatin1String(c.fromBox)) << c.name;
        EXPECT_TRUE(errorCodes().isEmpty()) << errorTexts().join("; ").toStdString();
    }
    // The sending side answers what it holds, at the bit length rounded to a whole bit.
    setNumber("IdPDbLynxSsiCmBitLen", tup(0, 1), 8.5);
    m_commands.calls.clear();
    EXPECT_EQ(readBits("IdPDbLynxSsiCmData", tup(0, 1), DbMsgExec), QStringLiteral("9:00000000"));
    EXPECT_TRUE(m_commands.calls.isEmpty());
}

// ---- USB devices ----------------------------------------------------------------------------------

TEST_F(ConvOutFunctions, InstalledFirmwareOfTheConfiguredBox) {
    setSerials({100123, 100456});
    setNumber("IdPDbLynxUsbDevSerialNumber", tup(0, 0, 0, 2), 100123);
    setInt("IdPDbLynxUsbDevState", tup(0, 0, 0, 2), 1);
    setText("IdPDbLynxUsbDevFirmInstalled", tup(0, 0, 0, 2), "1.2.3");
    setNumber("IdPDbLynxUsbDevSerialNumber", tup(0, 0, 0, 5), 100456);
    setInt("IdPDbLynxUsbDevState", tup(0, 0, 0, 5), 1);
    setText("IdPDbLynxUsbDevFirmInstalled", tup(0, 0, 0, 5), "2.0");
    setNumber("IdPDbLynxUsbDevSerialNumber", tup(0, 0, 0, 1), 100456); // gone
    setText("IdPDbLynxUsbDevFirmInstalled", tup(0, 0, 0, 1), "0.9");

    setInt("IdPDbKobraConfigSelected", tup(0, 0), 2);
    EXPECT_EQ(readText("IdPDbLynxUsbDevFirmInstalled", tup(1, 1, 0, 0), DbMsgExec), QStringLiteral("2.0"));
    EXPECT_EQ(readText("IdPDbLynxUsbDevFirmInstalled", tup(0, 0, 0, 2)), QStringLiteral("1.2.3"));
    setInt("IdPDbKobraConfigSelected", tup(0, 0), 1);
    EXPECT_EQ(readText("IdPDbLynxUsbDevFirmInstalled", tup(0, 0, 0, 7), DbMsgExec), QStringLiteral("1.2.3"));
    setInt("IdPDbKobraConfigSelected", tup(0, 0), 0);
    EXPECT_EQ(readText("IdPDbLynxUsbDevFirmInstalled", tup(0, 0, 0, 2), DbMsgExec), QString());
}

// ---- box read-out ---------------------------------------------------------------------------------

class BoxReadout : public ConvOutFunctions {
protected:
    void SetUp() override {
        ConvOutFunctions::SetUp();
        m_table.count = 0;
        add(KobraReadoutBer, "2.5e-07");
        add(KobraReadoutIqWords, "123456789012");
        add(KobraReadoutTriggerStatus, "Running");
        add(KobraReadoutTriggerState, "1");
        add(KobraReadoutExtRefFreq, "9999998");
        m_commands.handler = [this](int code, COlCommandData* d) {
            if (code == OlCmdReadout && d && accept)
                d->buffer = &m_table;
            return code != OlCmdReadout || accept;
        };
        setSerials({100123, 100456});
    }
    void add(int code, const char* text) {
        SKobraReadoutEntry& e = m_table.entries[m_table.count++];
        e.code = code;
        std::strncpy(e.text, text, sizeof e.text - 1);
        e.text[sizeof e.text - 1] = '\0';
    }
    SKobraReadoutTable m_table{};
    bool accept = true;
};

// Switched off, an interface shows no values and an idle trigger; switched on, it asks its box.
TEST_F(BoxReadout, SwitchedOnInterfacesAskTheirBox) {
    useCommands();
    const SDbInstTupel t = tup(1, 0);
    EXPECT_EQ(readText("IdPDbLynxTriggerStatus", t), QStringLiteral("Idle"));
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestRxBer", t), 0);
    EXPECT_TRUE(m_commands.callsOf(OlCmdReadout).isEmpty());
    db().setOlCommand(nullptr);
    switchOn(1, 0, 2);
    useCommands();
    EXPECT_EQ(readText("IdPDbLynxTriggerStatus", t), QStringLiteral("Running"));
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestRxBer", t), 2.5e-7);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxTestRxIqWords", t), 123456789012.0);
    EXPECT_EQ(readInt("IdPDbLynxTriggerState", t), 1);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxExtRefFreqVal", t), 9999998);
    const QList<FakeCommands::Call> calls = m_commands.callsOf(OlCmdReadout);
    ASSERT_EQ(calls.size(), 5);
    const int codes[] = {42, 40, 41, 43, 44};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(calls[i].in.index1, 100456);
        EXPECT_EQ(calls[i].in.index2, codes[i]);
    }

    // A box that does not answer leaves "---".
    accept = false;
    EXPECT_EQ(readText("IdPDbLynxTriggerStatus", t), QStringLiteral("---"));
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxExtRefFreqVal", t), 0);
    // Without a framework nothing is asked.
    db().setOlCommand(nullptr);
    accept = true;
    EXPECT_EQ(readText("IdPDbLynxTriggerStatus", t), QStringLiteral("---"));
}

} // namespace
