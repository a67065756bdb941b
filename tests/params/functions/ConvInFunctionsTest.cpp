// Conversion-in functions: writes redirected to another parameter, converted values and refusals,
// each written through the host database.
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"
#include "host/db/CDbDataTypeEvent.h"

using namespace MvQARN;
using namespace fntest;

namespace {

using ConvInFunctions = FunctionTest;

TEST_F(ConvInFunctions, ReferenceFrequencyInHertzSelectsTheNearestOfferedValue) {
    const SDbInstTupel t = tup(1, 0);
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", t, 10000000.0005), 0);
    EXPECT_EQ(storedInt("IdPDbLynxExtRefFreq", t), 1);
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", t, 5e6), 0);
    EXPECT_EQ(storedInt("IdPDbLynxExtRefFreq", t), 0);
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", t, 13e6 - 0.0009), 0);
    EXPECT_EQ(storedInt("IdPDbLynxExtRefFreq", t), 2);
    EXPECT_EQ(storedInt("IdPDbLynxExtRefFreq", tup(0, 0)), 1); // other instances untouched

    const Snapshot before = snapshot();
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", t, 11e6), DbErrRefFreq);
    EXPECT_EQ(errorCodes(), QList<int>({DbErrRefFreq}));
    EXPECT_EQ(writeNumber("IdPiDbLynxExtRefFreq", t, 10e6 + 0.002), DbErrRefFreq);
    EXPECT_TRUE(unchanged(before));
}

TEST_F(ConvInFunctions, SerialNumberTwinSelectsTheBoxInTheList) {
    setSerials({100123, 100456});
    EXPECT_EQ(writeNumber("IdPiDbKobraSelected", tup(1, 0), 100456), 0);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(1, 0)), 2);
    EXPECT_EQ(writeNumber("IdPiDbKobraSelected", tup(0, 1), 100123.4), 0); // rounded
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(0, 1)), 1);

    EXPECT_EQ(writeNumber("IdPiDbKobraConfigSelected", tup(0, 0), 100456), 0);
    EXPECT_EQ(storedInt("IdPDbKobraConfigSelected", tup(0, 0)), 2);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(0, 0)), 0);

    // An unknown serial number is kept as written and selects nothing.
    EXPECT_EQ(writeNumber("IdPiDbKobraSelected", tup(1, 0), 555), 0);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(1, 0)), 2);
    EXPECT_EQ(storedNumber("IdPiDbKobraSelected", tup(1, 0)), 555);
}

TEST_F(ConvInFunctions, SerialNumberTwinRefusesValuesThatAreNoNumber) {
    setSerials({100123});
    const Snapshot before = snapshot();
    // An execute request may carry a text; the twin takes numbers only.
    EXPECT_EQ(write("IdPiDbKobraSelected", tup(0, 0), CDbAllType::fromString("100123"), DbMsgExec),
              DbErrWrongType);
    EXPECT_TRUE(unchanged(before));
}

TEST_F(ConvInFunctions, RecordLengthChoiceBecomesTheNumberOfSamples) {
    const SDbInstTupel t = tup(1, 1, 0, 1);
    EXPECT_EQ(writeInt("IdPiDbKobraTranRecDataLength", t, 2048), 0);
    EXPECT_EQ(storedNumber("IdPDbKobraTranRecDataLength", t), 2048);
    EXPECT_EQ(storedNumber("IdPDbKobraTranRecDataLength", tup(1, 1, 0, 0)), 512);
    EXPECT_EQ(writeInt("IdPiDbKobraTranRecDataLength", t, 1024), 0);
    EXPECT_EQ(storedNumber("IdPDbKobraTranRecDataLength", t), 1024);

    const Snapshot before = snapshot();
    EXPECT_EQ(write("IdPiDbKobraTranRecDataLength", t, CDbAllType::fromString("512"), DbMsgExec),
              DbErrWrongType);
    EXPECT_NE(writeInt("IdPiDbKobraTranRecDataLength", t, 700), 0);
    EXPECT_TRUE(unchanged(before));
}

TEST_F(ConvInFunctions, SsiCommandDataTakesExactlyTheConfiguredBitLength) {
    const SDbInstTupel out = tup(1, 1);
    setNumber("IdPDbLynxSsiCmBitLen", out, 12);
    // Longer: cut to 12 bits.
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(16, 0xffff0000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("12:fff00000"));
    // Shorter: padded with clear bits.
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(4, 0xa0000000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("12:a0000000"));
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(32, 0x80100001)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("12:80100000"));

    // The length is rounded from half a bit up.
    setNumber("IdPDbLynxSsiCmBitLen", out, 12.5);
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(16, 0xffff0000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("13:fff80000"));
    setNumber("IdPDbLynxSsiCmBitLen", out, 12.4);
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(16, 0xffff0000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("12:fff00000"));

    // Without a bit length the field is stored as written.
    setNumber("IdPDbLynxSsiCmBitLen", out, 0);
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(20, 0x12345000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("20:12345000"));
}

TEST_F(ConvInFunctions, ShortSpiPatternsAreRightAligned) {
    const SDbInstTupel t = tup(0, 1);
    EXPECT_EQ(write("IdPDbLynxSsiSpiDataWrite", t, bits(4, 0xb0000000)), 0); // 1011
    EXPECT_EQ(storedText("IdPDbLynxSsiSpiDataWrite", t), QStringLiteral("8:0b000000"));
    EXPECT_EQ(write("IdPDbLynxSsiSpiDataWrite", t, bits(1, 0x80000000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiSpiDataWrite", t), QStringLiteral("8:01000000"));
    EXPECT_EQ(write("IdPDbLynxSsiSpiDataWrite", t, bits(8, 0xc5000000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiSpiDataWrite", t), QStringLiteral("8:c5000000"));
}

TEST_F(ConvInFunctions, WaveformNamesGetTheWvSuffix) {
    const SDbInstTupel slot = tup(0, 1, 0, 2);
    struct Case {
        const char* written;
        const char* stored;
    };
    const Case cases[] = {
        {"sine", "sine.wv"},
        {"sine.wv", "sine.wv"},
        {"folder/ramp.wv", "folder/ramp.wv"},
        {"multi.tone", "multi.tone.wv"},
        {"archive.wv.bak", "archive.wv.bak.wv"},
        {"dots.in.dir/plain", "dots.in.dir/plain.wv"},
    };
    for (const Case& c : cases) {
        writeText("IdPDbLynxArbFile", slot, QString::fromLatin1(c.written));
        EXPECT_EQ(storedText("IdPDbLynxArbFile", slot), QString::fromLatin1(c.stored)) << c.written;
    }
    EXPECT_EQ(storedText("IdPDbLynxArbFile", tup(0, 1, 0, 1)), QString()); // other slots untouched
}

TEST_F(ConvInFunctions, FirmwareUpdateErrorQueryStartsTheUpdateOfTheMatchingDevice) {
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

    // No connected device with that serial number: nothing is started.
    ChangeRecorder changes;
    write("IdPDbLynxFirmUpdError", tup(0, 0), CDbAllType::fromString("100457"), DbMsgExec);
    setInt("IdPDbLynxUsbDevState", tup(0, 0, 0, 3), 0);
    write("IdPDbLynxFirmUpdError", tup(0, 0), CDbAllType::fromString("100456"), DbMsgExec);
    EXPECT_FALSE(changes.changed("IdPDbKobraConfigFirmUpdExec"));

    // An ordinary write is stored as it is.
    EXPECT_EQ(writeInt("IdPDbLynxFirmUpdError", tup(1, 0), 1), 0);
    EXPECT_EQ(storedInt("IdPDbLynxFirmUpdError", tup(1, 0)), 1);
    EXPECT_FALSE(changes.changed("IdPDbKobraConfigFirmUpdExec"));
}

TEST_F(ConvInFunctions, ConnectionTestResultQueryRunsTheTest) {
    const SDbInstTupel t = tup(1, 0);
    ChangeRecorder changes;
    EXPECT_EQ(write("IdPDbTestLynxIqConnError", t, CDbAllType::fromInt(3), DbMsgExec), 0);
    EXPECT_EQ(changes.of({"IdPDbTestLynxIqConnExec", "IdPDbTestLynxIqConnError"}),
              QList<QByteArray>({"IdPDbTestLynxIqConnExec"}));
    EXPECT_EQ(storedInt("IdPDbTestLynxIqConnError", t), 3);

    EXPECT_EQ(writeInt("IdPDbTestLynxIqConnError", t, 0), 0); // the test's own result write
    EXPECT_EQ(storedInt("IdPDbTestLynxIqConnError", t), 0);
    EXPECT_EQ(changes.of({"IdPDbTestLynxIqConnExec"}).size(), 1);
}

} // namespace
