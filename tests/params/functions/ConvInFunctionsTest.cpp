// Conversion-in functions: writes redirected to another parameter, converted values and refusals,
// each written through the host database.
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"

using namespace MvQARN;
using namespace fntest;

namespace {

using ConvInFunctions = FunctionTest;

// Twins that take a value in another form and store the selection it stands for, elsewhere.
TEST_F(ConvInFunctions, TwinsStoreTheSelectionTheirValueStandsFor) {
    setSerials({100123, 100456});
    const struct {
        const char* twin;
        SDbInstTupel t;
        double written;
        const char* target;
        int selected;
    } cases[] = {
        {"IdPiDbLynxExtRefFreq", tup(1, 0), 13e6 - 0.0009, "IdPDbLynxExtRefFreq", 2},
        {"IdPiDbLynxExtRefFreq", tup(1, 0), 10000000.0005, "IdPDbLynxExtRefFreq", 1},
        {"IdPiDbKobraSelected", tup(1, 0), 100456, "IdPDbKobraSelected", 2},
        {"IdPiDbKobraSelected", tup(0, 1), 100123.4, "IdPDbKobraSelected", 1}, // rounded
        {"IdPiDbKobraConfigSelected", tup(0, 0), 100456, "IdPDbKobraConfigSelected", 2},
        {"IdPiDbKobraTranRecDataLength", tup(1, 1, 0, 1), 2048, "IdPDbKobraTranRecDataLength", 2048},
    };
    for (const auto& c : cases) {
        const SDbDefCommon* r = db().findRecord(c.twin, c.t);
        ASSERT_NE(r, nullptr);
        const CDbAllType value =
            r->type == DbTypeSelect ? CDbAllType::fromInt(int(c.written)) : CDbAllType::fromDouble(c.written);
        EXPECT_EQ(write(c.twin, c.t, value), 0) << c.twin << " " << c.written;
        double v = -1;
        stored(c.target, c.t).toDouble(v);
        EXPECT_EQ(v, c.selected) << c.twin << " " << c.written;
    }
    // Only the written instance moves.
    EXPECT_EQ(storedInt("IdPDbLynxExtRefFreq", tup(0, 0)), 1);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(0, 0)), 0);
    EXPECT_EQ(storedNumber("IdPDbKobraTranRecDataLength", tup(1, 1, 0, 0)), 512);
    // An unknown serial number is kept as written and selects nothing new.
    EXPECT_EQ(writeNumber("IdPiDbKobraSelected", tup(1, 0), 555), 0);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(1, 0)), 2);
    EXPECT_EQ(storedNumber("IdPiDbKobraSelected", tup(1, 0)), 555);
}

TEST_F(ConvInFunctions, TwinsRefuseValuesTheyCannotStandForAndChangeNothing) {
    setSerials({100123});
    const Snapshot before = snapshot();
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", tup(1, 0), 11e6), DbErrRefFreq);
    EXPECT_EQ(errorCodes(), QList<int>({DbErrRefFreq}));
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", tup(1, 0), 10e6 + 0.002), DbErrRefFreq);
    EXPECT_NE(writeInt("IdPiDbKobraTranRecDataLength", tup(1, 1, 0, 1), 700), 0);
    // An execute request may carry a text; the twins take numbers only.
    EXPECT_EQ(write("IdPiDbKobraSelected", tup(0, 0), CDbAllType::fromString("100123"), DbMsgExec),
              DbErrWrongType);
    EXPECT_EQ(write("IdPiDbKobraTranRecDataLength", tup(0, 0), CDbAllType::fromString("512"), DbMsgExec),
              DbErrWrongType);
    EXPECT_TRUE(unchanged(before));
}

TEST_F(ConvInFunctions, BitFieldsAreFittedToTheirConfiguredLength) {
    const SDbInstTupel out = tup(1, 1);
    const struct {
        const char* name;
        double bitLength; // of the SSI command data; -1: not set
        CDbAllType written;
        const char* stored;
    } cases[] = {
        {"IdPDbLynxSsiCmData", 12, bits(16, 0xffff0000), "12:fff00000"},   // cut
        {"IdPDbLynxSsiCmData", 12, bits(4, 0xa0000000), "12:a0000000"},    // padded with clear bits
        {"IdPDbLynxSsiCmData", 12.5, bits(16, 0xffff0000), "13:fff80000"}, // half a bit rounds up
        {"IdPDbLynxSsiCmData", 12.4, bits(16, 0xffff0000), "12:fff00000"},
        {"IdPDbLynxSsiCmData", 0, bits(20, 0x12345000), "20:12345000"}, // no length: as written
        // Short SPI patterns are right-aligned in their byte.
        {"IdPDbLynxSsiSpiDataWrite", -1, bits(4, 0xb0000000), "8:0b000000"},
        {"IdPDbLynxSsiSpiDataWrite", -1, bits(1, 0x80000000), "8:01000000"},
    };
    for (const auto& c : cases) {
        if (c.bitLength >= 0)
            setNumber("IdPDbLynxSsiCmBitLen", out, c.bitLength);
        EXPECT_EQ(write(c.name, out, c.written), 0);
        EXPECT_EQ(storedText(c.name, out), QLatin1String(c.stored)) << c.name << " " << c.bitLength;
    }
}

TEST_F(ConvInFunctions, WaveformNamesGetTheWvSuffix) {
    const SDbInstTupel slot = tup(0, 1, 0, 2);
    const std::pair<const char*, const char*> cases[] = {
        {"sine", "sine.wv"},
        {"sine.wv", "sine.wv"},
        {"multi.tone", "multi.tone.wv"},
        {"archive.wv.bak", "archive.wv.bak.wv"},
    };
    for (const auto& [written, expected] : cases) {
        writeText("IdPDbLynxArbFile", slot, QString::fromLatin1(written));
        EXPECT_EQ(storedText("IdPDbLynxArbFile", slot), QString::fromLatin1(expected)) << written;
    }
    EXPECT_EQ(storedText("IdPDbLynxArbFile", tup(0, 1, 0, 1)), QString()); // other slots untouched
}

// Queries of a result (an execute request) start what produces it; ordinary writes are stored.
TEST_F(ConvInFunctions, ResultQueriesStartTheirTestOrUpdate) {
    setNumber("IdPDbLynxUsbDevSerialNumber", tup(0, 0, 0, 3), 100456);
    setNumber("IdPDbLynxUsbDevSerialNumber", tup(0, 0, 0, 1), 100456); // same serial, not connected
    setInt("IdPDbLynxUsbDevState", tup(0, 0, 0, 3), 1);
    for (const char* name : {"IdPDbLynxFirmUpdError", "IdPDbLynxUsbDevFirmUpdError"}) {
        ChangeRecorder changes;
        EXPECT_EQ(write(name, tup(1, 1), CDbAllType::fromString("100456.004"), DbMsgExec), 0) << name;
        EXPECT_EQ(changes.of({"IdPDbKobraConfigFirmUpdExec", name}),
                  QList<QByteArray>({"IdPDbKobraConfigFirmUpdExec"}))
            << name;
        EXPECT_EQ(storedInt(name, tup(1, 1)), 0) << name;
    }
    ChangeRecorder changes;
    // No connected device with that serial number: nothing is started.
    write("IdPDbLynxFirmUpdError", tup(0, 0), CDbAllType::fromString("100457"), DbMsgExec);
    setInt("IdPDbLynxUsbDevState", tup(0, 0, 0, 3), 0);
    write("IdPDbLynxFirmUpdError", tup(0, 0), CDbAllType::fromString("100456"), DbMsgExec);
    EXPECT_EQ(writeInt("IdPDbLynxFirmUpdError", tup(1, 0), 1), 0);
    EXPECT_EQ(storedInt("IdPDbLynxFirmUpdError", tup(1, 0)), 1);
    EXPECT_FALSE(changes.changed("IdPDbKobraConfigFirmUpdExec"));

    const SDbInstTupel t = tup(1, 0);
    EXPECT_EQ(write("IdPDbTestLynxIqConnError", t, CDbAllType::fromInt(3), DbMsgExec), 0);
    EXPECT_EQ(changes.of({"IdPDbTestLynxIqConnExec", "IdPDbTestLynxIqConnError"}),
              QList<QByteArray>({"IdPDbTestLynxIqConnExec"}));
    EXPECT_EQ(writeInt("IdPDbTestLynxIqConnError", t, 0), 0); // the test's own result write
    EXPECT_EQ(storedInt("IdPDbTestLynxIqConnError", t), 0);
    EXPECT_EQ(changes.of({"IdPDbTestLynxIqConnExec"}).size(), 1);
}

} // namespace
