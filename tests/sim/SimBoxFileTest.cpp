// The simulation file: boxes described in JSON, and errors that name the file and the field.
#include <gtest/gtest.h>

#include <tuple>

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

TEST(SimBoxFile, ThreeBoxesWithEveryKindOfField) {
    const Parsed p = parse(kThreeBoxes);
    ASSERT_TRUE(p.ok) << p.error.toStdString();
    ASSERT_EQ(p.boxes.size(), 3u);
    EXPECT_EQ(p.connected, (QList<int>{100123, 100777})) << "the second box is known but not plugged in";

    const SimBox& cpri = p.boxes[0];
    EXPECT_EQ(std::tuple(cpri.serial, cpri.hasCpriBoard(), cpri.board.revision, cpri.board.serial),
              std::tuple(100123, true, "1.3", 200123u));
    ASSERT_TRUE(cpri.instruments[0].has_value());
    EXPECT_EQ(cpri.instruments[0]->serialNumber, "104711") << "a number is taken as text";

    const SimBox& basic = p.boxes[1];
    EXPECT_EQ(std::tuple(basic.variant(), basic.versions.firmware, basic.versions.controller),
              std::tuple(0, "9.9.9", "PPC440"));
    EXPECT_FALSE(basic.versions.cpld.isEmpty()) << "unlisted versions keep their defaults";

    const SimBox& digrf = p.boxes[2];
    EXPECT_TRUE(digrf.hasDigRfBoard());
    EXPECT_GT(digrf.board.serial, 0u) << "a board with part number gets a serial number";
    EXPECT_FALSE(digrf.instruments[0].has_value());
    EXPECT_EQ(
        std::tuple(digrf.eepromSerial, digrf.extRefFrequency, digrf.lvdsErrorRate, digrf.triggerRunning),
        std::tuple(4242u, 13e6, 0.001, true));
}

TEST(SimBoxFile, IllTypedFieldsAreNamedWithTheirPath) {
    // The fields of a second box after a good first one, and the error after "sim file /x.json: boxes[1]".
    const std::pair<const char*, const char*> second[] = {
        {R"("serial": "abc", "partNumber": "x")", ".serial: expected a positive integer"},
        {R"("serial": 2, "partNumber": "x", "serail": 3)", ".serail: unknown field"},
        {R"("serial": 1, "partNumber": "x")", ".serial: serial number 1 appears twice"},
    };
    std::vector<std::pair<QByteArray, QString>> cases;
    for (const auto& [fields, error] : second)
        cases.emplace_back(R"({"boxes": [ {"serial": 1, "partNumber": "7730.1192.02"}, {)" +
                               QByteArray(fields) + "}]}",
                           QString("boxes[1]") + error);
    for (const auto& [json, error] :
         {std::pair{R"({"boxes": [ {"serial": 1, "partNumber": "p"}, 17]})", "boxes[1]: expected an object"},
          {R"([1, 2])", "top level: expected an object with the field \"boxes\""}})
        cases.emplace_back(json, error);
    for (const auto& [json, error] : cases) {
        const Parsed p = parse(json);
        EXPECT_FALSE(p.ok) << json.toStdString();
        EXPECT_EQ(p.error.toStdString(), ("sim file /x.json: " + error).toStdString()) << json.toStdString();
        EXPECT_TRUE(p.boxes.empty());
    }
    EXPECT_TRUE(parse(R"({"boxes": [ {"serial": 1})").error.startsWith("sim file /x.json: not valid JSON"));
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

} // namespace
