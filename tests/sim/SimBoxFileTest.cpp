// The simulation file: boxes described in JSON, and errors that name the file and the field.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "sim/SimBoxFile.h"
#include "sim/SimBoxes.h"

using vgxsim::SimBox;
using vgxsim::SimBoxes;
using vgxsim::SimBoxFile;

namespace {

const char* const kThreeBoxes = R"({
  "boxes": [
    { "serial": 100123, "partNumber": "7730.1192K04",
      "breakoutBoard": { "type": "Breakout Board for CPRI", "partNumber": 77308421, "revision": "1.3",
                         "serial": 200123 },
      "instruments": [ { "name": "Analyzer A", "serialNumber": 104711, "port": "IQ In" }, null ] },
    { "serial": 100456, "partNumber": "7730.1192.02", "connected": false,
      "versions": { "firmware": "9.9.9", "controller": "PPC440" } },
    { "serial": 100777, "partNumber": "7730.1192K04",
      "breakoutBoard": { "type": "KOBRA-B81", "partNumber": 77308413, "revision": "2.0" },
      "instruments": [ null, { "name": "Generator B", "serialNumber": "G-17" } ],
      "eepromSerial": 4242, "extRefFrequency": 13000000, "lvdsErrorRate": 0.001, "triggerRunning": true }
  ]
})";

struct Parsed {
    bool ok = false;
    std::vector<SimBox> boxes;
    QList<int> connected;
    QString error;
};

Parsed parse(const QByteArray& json, const QString& source = QStringLiteral("/x.json")) {
    Parsed p;
    p.ok = SimBoxFile::parse(json, source, p.boxes, p.connected, &p.error);
    return p;
}

QByteArray withSecondBox(const QByteArray& secondBox) {
    return R"({"boxes": [ {"serial": 1, "partNumber": "7730.1192.02"}, )" + secondBox + "]}";
}

TEST(SimBoxFile, ThreeBoxesWithEveryKindOfField) {
    const Parsed p = parse(kThreeBoxes);
    ASSERT_TRUE(p.ok) << p.error.toStdString();
    ASSERT_EQ(p.boxes.size(), 3u);
    EXPECT_EQ(p.connected, (QList<int>{100123, 100777})) << "the second box is known but not plugged in";

    const SimBox& cpri = p.boxes[0];
    EXPECT_EQ(cpri.serial, 100123);
    EXPECT_EQ(cpri.variant(), 1);
    EXPECT_TRUE(cpri.hasCpriBoard());
    EXPECT_EQ(cpri.board.revision, "1.3");
    EXPECT_EQ(cpri.board.serial, 200123u);
    ASSERT_TRUE(cpri.instruments[0].has_value());
    EXPECT_EQ(cpri.instruments[0]->name, "Analyzer A");
    EXPECT_EQ(cpri.instruments[0]->serialNumber, "104711");
    EXPECT_FALSE(cpri.instruments[1].has_value());

    const SimBox& basic = p.boxes[1];
    EXPECT_EQ(basic.variant(), 0);
    EXPECT_EQ(basic.board.type, "Single Ended/Differential/Customer");
    EXPECT_EQ(basic.versions.firmware, "9.9.9");
    EXPECT_EQ(basic.versions.controller, "PPC440");
    EXPECT_FALSE(basic.versions.cpld.isEmpty()) << "unlisted versions keep their defaults";

    const SimBox& digrf = p.boxes[2];
    EXPECT_TRUE(digrf.hasDigRfBoard());
    EXPECT_GT(digrf.board.serial, 0u) << "a board with part number gets a serial number";
    EXPECT_FALSE(digrf.instruments[0].has_value());
    EXPECT_EQ(digrf.instruments[1]->serialNumber, "G-17");
    EXPECT_EQ(digrf.eepromSerial, 4242u);
    EXPECT_EQ(digrf.extRefFrequency, 13e6);
    EXPECT_EQ(digrf.lvdsErrorRate, 0.001);
    EXPECT_TRUE(digrf.triggerRunning);
}

TEST(SimBoxFile, MalformedJsonNamesTheFileAndWhere) {
    const Parsed p = parse(R"({"boxes": [ {"serial": 1, } ]})", "/tmp/boxes.json");
    EXPECT_FALSE(p.ok);
    EXPECT_TRUE(p.error.startsWith("sim file /tmp/boxes.json: not valid JSON: ")) << p.error.toStdString();
    EXPECT_TRUE(p.error.contains("offset")) << p.error.toStdString();
}

TEST(SimBoxFile, IllTypedFieldsAreNamedWithTheirPath) {
    struct Case {
        QByteArray json;
        const char* error;
    };
    const Case cases[] = {
        {withSecondBox(R"({"serial": "abc", "partNumber": "x"})"),
         "sim file /x.json: boxes[1].serial: expected a positive integer"},
        {withSecondBox(R"({"serial": 12.5, "partNumber": "x"})"),
         "sim file /x.json: boxes[1].serial: expected a positive integer"},
        {withSecondBox(R"({"serial": 0, "partNumber": "x"})"),
         "sim file /x.json: boxes[1].serial: expected a positive integer"},
        {withSecondBox(R"({"serial": 3000000000, "partNumber": "x"})"),
         "sim file /x.json: boxes[1].serial: expected a positive integer"},
        {withSecondBox(R"({"partNumber": "x"})"), "sim file /x.json: boxes[1].serial: missing"},
        {withSecondBox(R"({"serial": 2})"), "sim file /x.json: boxes[1].partNumber: missing"},
        {withSecondBox(R"({"serial": 2, "partNumber": 7730})"),
         "sim file /x.json: boxes[1].partNumber: expected a non-empty text"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "serail": 3})"),
         "sim file /x.json: boxes[1].serail: unknown field"},
        {withSecondBox(R"({"serial": 1, "partNumber": "x"})"),
         "sim file /x.json: boxes[1].serial: serial number 1 appears twice"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "connected": "yes"})"),
         "sim file /x.json: boxes[1].connected: expected true or false"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "breakoutBoard": {"type": "B", "partNumber": 5,
                          "revision": "13"}})"),
         "sim file /x.json: boxes[1].breakoutBoard.revision: expected \"major.minor\", e.g. \"1.3\""},
        {withSecondBox(
             R"({"serial": 2, "partNumber": "x", "breakoutBoard": {"type": "B", "partNumber": 5}})"),
         "sim file /x.json: boxes[1].breakoutBoard.revision: missing (a board with part number has a "
         "revision)"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "breakoutBoard": {"partNumber": 5}})"),
         "sim file /x.json: boxes[1].breakoutBoard.type: missing"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "instruments": [null, null, null]})"),
         "sim file /x.json: boxes[1].instruments: expected an array of at most 2 entries (links 0 and 1)"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "instruments": [{"port": "p"}]})"),
         "sim file /x.json: boxes[1].instruments[0].name: missing"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "instruments": [7]})"),
         "sim file /x.json: boxes[1].instruments[0]: expected an object or null"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "versions": {"firmware": 3}})"),
         "sim file /x.json: boxes[1].versions.firmware: expected a text"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "lvdsErrorRate": 2})"),
         "sim file /x.json: boxes[1].lvdsErrorRate: expected a number from 0 to 1"},
        {withSecondBox(R"({"serial": 2, "partNumber": "x", "extRefFrequency": -1})"),
         "sim file /x.json: boxes[1].extRefFrequency: expected a positive number (Hz)"},
        {withSecondBox(R"(17)"), "sim file /x.json: boxes[1]: expected an object"},
        {R"({"boxes": {}})", "sim file /x.json: boxes: expected an array"},
        {R"({"box": []})", "sim file /x.json: box: unknown field"},
        {R"({})", "sim file /x.json: boxes: missing"},
        {R"([1, 2])", "sim file /x.json: top level: expected an object with the field \"boxes\""},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.json);
        EXPECT_FALSE(p.ok) << c.json.toStdString();
        EXPECT_EQ(p.error.toStdString(), c.error) << c.json.toStdString();
        EXPECT_TRUE(p.boxes.empty());
    }
}

TEST(SimBoxFile, MoreConnectedBoxesThanDeviceSlotsAreRefused) {
    QByteArray json = R"({"boxes": [)";
    for (int i = 1; i <= SimBoxes::MaxConnected + 1; ++i)
        json += (i > 1 ? "," : "") + QByteArray(R"({"serial": )") + QByteArray::number(i) +
                R"(, "partNumber": "p"})";
    json += "]}";
    const Parsed p = parse(json);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error.toStdString(),
              "sim file /x.json: boxes: at most 20 boxes can be connected, the file connects 21");
}

TEST(SimBoxFile, LoadingAFileReplacesTheBoxesAndAFailureKeepsThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath("three.json");
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kThreeBoxes);
    f.close();

    SimBoxes boxes;
    QString error;
    ASSERT_TRUE(boxes.loadFile(good, &error)) << error.toStdString();
    EXPECT_EQ(boxes.connectedSerials(), (QList<int>{100123, 100777}));
    EXPECT_TRUE(boxes.box(100456).has_value());
    EXPECT_FALSE(boxes.isConnected(100456));

    const QString missing = dir.filePath("missing.json");
    EXPECT_FALSE(boxes.loadFile(missing, &error));
    EXPECT_TRUE(error.startsWith("sim file " + missing + ": cannot be read: ")) << error.toStdString();
    EXPECT_EQ(boxes.connectedSerials(), (QList<int>{100123, 100777})) << "a failed load changes nothing";
}

} // namespace
