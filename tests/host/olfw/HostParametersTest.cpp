// The host's own parameters that the plug-in reads and writes.
#include <gtest/gtest.h>

#include "host/db/CDbDataTypeEvent.h"
#include "host/db/impl/CDbEngine.h"
#include "host/olfw/impl/HostParameters.h"

using namespace MvQARN;

namespace {

class HostParameters : public ::testing::Test {
protected:
    void SetUp() override {
        engine.reset();
        registerHostParameters();
    }
    void TearDown() override { engine.reset(); }

    double read(const char* name, SDbInstTupel t = {}) {
        CDbAllType v;
        EXPECT_EQ(engine.read(name, t, v), 0) << name;
        double out = -999;
        v.toDouble(out);
        return out;
    }
    int write(const char* name, SDbInstTupel t, const CDbAllType& v) { return engine.write(name, t, v); }

    CDbEngine& engine = CDbEngine::instance();
};

TEST_F(HostParameters, ProtectionLevelStartsLockedAndIsOneValueForEveryTuple) {
    // The service check and the breakout-board check ask at different tuples.
    EXPECT_EQ(read("IdPDbProtLevState", {0, 1, 0, 0}), 1);
    EXPECT_EQ(read("IdPDbProtLevState", {0, 0, 0, 3}), 1);
    ASSERT_EQ(write("IdPDbProtLevState", {0, 1, 0, 0}, CDbAllType::fromInt(0)), 0);
    EXPECT_EQ(read("IdPDbProtLevState", {0, 0, 0, 3}), 0);
    EXPECT_EQ(read("IdPDbProtLevState"), 0);
    EXPECT_NE(write("IdPDbProtLevState", {}, CDbAllType::fromInt(7)), 0);
    EXPECT_EQ(read("IdPDbProtLevState", {0, 1, 0, 0}), 0);
    // Registering again keeps the values.
    registerHostParameters();
    EXPECT_EQ(read("IdPDbProtLevState", {0, 1, 0, 0}), 0);
    EXPECT_EQ(engine.records("IdPDbProtLevState").size(), 1);
}

TEST_F(HostParameters, BasebandReferenceAndStandardParametersStartAtTheirDefaultsPerPath) {
    const std::pair<const char*, double> defaults[] = {
        {"IdPDbBbinState", 0},        {"IdPDbBboutState", 0}, {"IdPDbBbinSampRateMode", 0},
        {"IdPDbBboutClocSour", 0},    {"IdPDbBbinMode", 0},   {"IdPDbBbinSampRateActual", 100e6},
        {"IdPDbBboutSampRate", 100e6}};
    for (int path = 0; path < 2; ++path)
        for (const auto& [name, value] : defaults)
            EXPECT_EQ(read(name, {path, 0, 0, 0}), value) << name << " path " << path;
    for (const auto& [name, value] : {std::pair{"IdPDbRoscSource", 0},
                                      {"IdPDbRoscFreqExt", 1}, // 10 MHz
                                      {"IdPDbCpriState", 0},
                                      {"IdPDbDigRfState", 0}})
        EXPECT_EQ(read(name), value) << name;
    ASSERT_EQ(write("IdPDbBboutState", {1, 0, 0, 0}, CDbAllType::fromInt(1)), 0);
    EXPECT_EQ(read("IdPDbBboutState", {1, 0, 0, 0}), 1);
    EXPECT_EQ(read("IdPDbBboutState", {0, 0, 0, 0}), 0) << "paths A and B are separate";
    CDbAllType v;
    EXPECT_NE(engine.read("IdPDbBbinState", {2, 0, 0, 0}, v), 0) << "there are two paths only";
}

TEST_F(HostParameters, WritesStayInsideTheRangesAndChoices) {
    // The plug-in mirrors its clock source into these: 2 = digital interface, 1 = rate from it.
    const std::tuple<const char*, CDbAllType, bool> writes[] = {
        {"IdPDbBbinSampRateActual", CDbAllType::fromDouble(400.0), true},
        {"IdPDbBbinSampRateActual", CDbAllType::fromDouble(399.0), false},
        {"IdPDbBboutSampRate", CDbAllType::fromDouble(100.5e6), false},
        {"IdPDbBboutClocSour", CDbAllType::fromInt(2), true},
        {"IdPDbBboutClocSour", CDbAllType::fromInt(3), false},
        {"IdPDbBbinSampRateMode", CDbAllType::fromInt(1), true},
        {"IdPDbBbinSampRateMode", CDbAllType::fromInt(2), false},
        {"IdPDbBbinMode", CDbAllType::fromInt(4), true},
        {"IdPDbRoscFreqExt", CDbAllType::fromInt(3), false},
        {"IdPDbCpriState", CDbAllType::fromInt(1), true}};
    for (const auto& [name, value, accepted] : writes)
        EXPECT_EQ(write(name, {}, value) == 0, accepted) << name << " " << value.toText().toStdString();
    EXPECT_EQ(read("IdPDbBbinSampRateActual"), 400.0);
    EXPECT_EQ(read("IdPDbBboutSampRate"), 100e6);
    EXPECT_EQ(read("IdPDbCpriState"), 1);
}

TEST_F(HostParameters, RecallAndNoneAreEvents) {
    for (const char* name : {"IdPDbDbRecall", "IdPDbNone"}) {
        const SDbDefCommon* rec = engine.findRecord(name, SDbInstTupel{});
        ASSERT_NE(rec, nullptr) << name;
        EXPECT_EQ(rec->type, DbTypeEvent) << name;
        EXPECT_EQ(write(name, {}, CDbAllType(new CDbDataTypeEvent())), 0) << name;
    }
}

} // namespace
