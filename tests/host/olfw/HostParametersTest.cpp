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

    int readInt(const char* name, SDbInstTupel t) {
        CDbAllType v;
        const int rc = engine.read(name, t, v);
        EXPECT_EQ(rc, 0) << name;
        int out = -999;
        v.toInt(out);
        return out;
    }
    double readDouble(const char* name, SDbInstTupel t) {
        CDbAllType v;
        EXPECT_EQ(engine.read(name, t, v), 0) << name;
        double out = -999;
        v.toDouble(out);
        return out;
    }

    CDbEngine& engine = CDbEngine::instance();
};

TEST_F(HostParameters, ProtectionLevelStartsLockedAndIsOneValueForEveryTuple) {
    // The service check and the breakout-board check ask at different tuples.
    EXPECT_EQ(readInt("IdPDbProtLevState", {0, 1, 0, 0}), 1);
    EXPECT_EQ(readInt("IdPDbProtLevState", {0, 0, 0, 3}), 1);
    ASSERT_EQ(engine.write("IdPDbProtLevState", {0, 1, 0, 0}, CDbAllType::fromInt(0)), 0);
    EXPECT_EQ(readInt("IdPDbProtLevState", {0, 0, 0, 3}), 0);
    EXPECT_EQ(readInt("IdPDbProtLevState", {0, 0, 0, 0}), 0);
    EXPECT_NE(engine.write("IdPDbProtLevState", {0, 0, 0, 0}, CDbAllType::fromInt(7)), 0);
    EXPECT_EQ(readInt("IdPDbProtLevState", {0, 1, 0, 0}), 0);
}

TEST_F(HostParameters, BasebandParametersArePerPathWithTheirDefaults) {
    for (int path = 0; path < 2; ++path) {
        EXPECT_EQ(readInt("IdPDbBbinState", {path, 0, 0, 0}), 0);
        EXPECT_EQ(readInt("IdPDbBboutState", {path, 0, 0, 0}), 0);
        EXPECT_EQ(readInt("IdPDbBbinSampRateMode", {path, 0, 0, 0}), 0);
        EXPECT_EQ(readInt("IdPDbBboutClocSour", {path, 0, 0, 0}), 0);
        EXPECT_EQ(readInt("IdPDbBbinMode", {path, 0, 0, 0}), 0);
        EXPECT_EQ(readDouble("IdPDbBbinSampRateActual", {path, 0, 0, 0}), 100e6);
        EXPECT_EQ(readDouble("IdPDbBboutSampRate", {path, 0, 0, 0}), 100e6);
    }
    ASSERT_EQ(engine.write("IdPDbBboutState", {1, 0, 0, 0}, CDbAllType::fromInt(1)), 0);
    EXPECT_EQ(readInt("IdPDbBboutState", {1, 0, 0, 0}), 1);
    EXPECT_EQ(readInt("IdPDbBboutState", {0, 0, 0, 0}), 0) << "paths A and B are separate";
    CDbAllType v;
    EXPECT_NE(engine.read("IdPDbBbinState", {2, 0, 0, 0}, v), 0) << "there are two paths only";
}

TEST_F(HostParameters, SampleRatesAndChoicesKeepTheirRanges) {
    ASSERT_EQ(engine.write("IdPDbBbinSampRateActual", {0, 0, 0, 0}, CDbAllType::fromDouble(400.0)), 0);
    EXPECT_EQ(readDouble("IdPDbBbinSampRateActual", {0, 0, 0, 0}), 400.0);
    EXPECT_NE(engine.write("IdPDbBbinSampRateActual", {0, 0, 0, 0}, CDbAllType::fromDouble(399.0)), 0);
    EXPECT_NE(engine.write("IdPDbBboutSampRate", {0, 0, 0, 0}, CDbAllType::fromDouble(100.5e6)), 0);
    EXPECT_EQ(readDouble("IdPDbBbinSampRateActual", {0, 0, 0, 0}), 400.0);
    EXPECT_EQ(readDouble("IdPDbBboutSampRate", {0, 0, 0, 0}), 100e6);

    // The plug-in mirrors its clock source into these: 2 = digital interface, 1 = rate from it.
    EXPECT_EQ(engine.write("IdPDbBboutClocSour", {1, 0, 0, 0}, CDbAllType::fromInt(2)), 0);
    EXPECT_NE(engine.write("IdPDbBboutClocSour", {1, 0, 0, 0}, CDbAllType::fromInt(3)), 0);
    EXPECT_EQ(engine.write("IdPDbBbinSampRateMode", {1, 0, 0, 0}, CDbAllType::fromInt(1)), 0);
    EXPECT_NE(engine.write("IdPDbBbinSampRateMode", {1, 0, 0, 0}, CDbAllType::fromInt(2)), 0);
    EXPECT_EQ(engine.write("IdPDbBbinMode", {0, 0, 0, 0}, CDbAllType::fromInt(4)), 0);
}

TEST_F(HostParameters, ReferenceAndStandardStates) {
    EXPECT_EQ(readInt("IdPDbRoscSource", {0, 0, 0, 0}), 0);
    EXPECT_EQ(readInt("IdPDbRoscFreqExt", {0, 0, 0, 0}), 1) << "10 MHz";
    EXPECT_NE(engine.write("IdPDbRoscFreqExt", {0, 0, 0, 0}, CDbAllType::fromInt(3)), 0);
    EXPECT_EQ(readInt("IdPDbCpriState", {0, 0, 0, 0}), 0);
    EXPECT_EQ(readInt("IdPDbDigRfState", {0, 0, 0, 0}), 0);
    ASSERT_EQ(engine.write("IdPDbCpriState", {0, 0, 0, 0}, CDbAllType::fromInt(1)), 0);
    EXPECT_EQ(readInt("IdPDbCpriState", {0, 0, 0, 0}), 1);
}

TEST_F(HostParameters, RecallAndNoneAreEvents) {
    for (const char* name : {"IdPDbDbRecall", "IdPDbNone"}) {
        const SDbDefCommon* rec = engine.findRecord(name, SDbInstTupel{});
        ASSERT_NE(rec, nullptr) << name;
        EXPECT_EQ(rec->type, DbTypeEvent) << name;
        EXPECT_EQ(engine.write(name, SDbInstTupel{}, CDbAllType(new CDbDataTypeEvent())), 0) << name;
    }
}

TEST_F(HostParameters, RegisteringAgainKeepsTheValues) {
    ASSERT_EQ(engine.write("IdPDbProtLevState", {0, 0, 0, 0}, CDbAllType::fromInt(0)), 0);
    registerHostParameters();
    EXPECT_EQ(readInt("IdPDbProtLevState", {0, 1, 0, 0}), 0);
    EXPECT_EQ(engine.records("IdPDbProtLevState").size(), 1);
}

} // namespace
