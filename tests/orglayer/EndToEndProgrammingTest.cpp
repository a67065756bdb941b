// The whole road from a user's parameter write to the box: the host runtime loads the plug-in
// library, the plug-in's module starts the organisation-layer framework, and the framework programs
// the simulated box through the plug-in's organisation layer.
#include <gtest/gtest.h>

#include "FrameworkFixture.h"
#include "host/gui/impl/VGXGuiRegistry.h"

using namespace oltest;

namespace {

class EndToEndProgramming : public HostWithBoxes {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        startHost({QStringLiteral(VGX_BUILD_DIR "/plugins/libkobra.so")});
        QString error;
        ASSERT_TRUE(m_runtime->start(&error)) << error.toStdString();
        ASSERT_TRUE(m_framework.isStarted()) << "the plug-in starts the framework";
        listBoxes();
    }
    void TearDown() override {
        stopHost();
        VGXGuiRegistry::reset();
    }
    double readNumber(const char* name, const SDbInstTupel& t) {
        double v = -1;
        db().dataBaseIfc()->getNumber(name, v, t.t0, t.t3, t.t2, t.t1);
        return v;
    }
};

TEST_F(EndToEndProgramming, SwitchingAnInterfaceOnProgramsItsBoxAndAChangeSendsTheInterfaceSteps) {
    const SDbInstTupel ifc = tup(0, 1); // path A, Out side
    setInt("IdPDbLynxLogicType", ifc, 4);
    setInt("IdPDbLynxTriggerSource", ifc, 1);
    setNumber("IdPDbLynxClocRate", ifc, 50e6);
    vgxsim::SimKobraDevice& dev = box(100123);
    ASSERT_TRUE(dev.calls().isEmpty()) << "nothing is sent while the interface is off";

    switchOn(0, 1, 100123);
    EXPECT_EQ(readInt("IdPDbKobraState", ifc), 1);
    const vgxsim::SimKobraProgramming p = dev.programming();
    EXPECT_EQ(p.fpgaFile, "/opt/kobra/fpga/kobra_out_4.bit");
    EXPECT_EQ(p.fpgaLoads, 1);
    EXPECT_EQ(p.format, readInt("IdPDbLynxFormat", ifc));
    EXPECT_EQ(p.rateMode, readInt("IdPDbLynxRateMode", ifc));
    EXPECT_EQ(p.interleaveMode, readInt("IdPDbLynxIleavMode", ifc));
    ASSERT_TRUE(p.data.has_value());
    EXPECT_EQ(p.data->direction, 1);
    EXPECT_EQ(p.data->wordSize, 16);
    ASSERT_TRUE(p.clock.has_value());
    EXPECT_EQ(p.clock->clockRate, 50e6);
    EXPECT_EQ(p.clock->sampleRate, readNumber("IdPDbLynxSampRate", ifc));
    ASSERT_TRUE(p.trigger.has_value());
    EXPECT_EQ(p.trigger->source, 1);
    EXPECT_TRUE(p.testRx.has_value());
    EXPECT_TRUE(p.testTx.has_value());
    EXPECT_EQ(p.arbCount, 0);
    for (const auto& entry : p.arb)
        EXPECT_FALSE(entry.enabled);
    EXPECT_TRUE(box(100456).calls().isEmpty());

    dev.clearCalls();
    setNumber("IdPDbLynxDataWordSize", ifc, 12);
    EXPECT_EQ(dev.callNames(), interfaceMaskCalls());
    EXPECT_EQ(dev.programming().data->wordSize, 12);
    EXPECT_EQ(dev.programming().fpgaLoads, 1);
}

} // namespace
