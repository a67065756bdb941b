// What setKobra sends to the box for an action mask: the full programming and its order, the fixed
// order of single actions, the mode correction and summed statuses.
#include <gtest/gtest.h>

#include "OrgLayerTestSupport.h"

using namespace oltest;

namespace {

using Layer = CKobraOrgLayer;
using Calls = QList<QByteArray>;

using OrgLayerSequence = OrgLayerTest;

// The calls of a whole programming, with the tests in the given order.
Calls full(const Calls& tests) {
    return Calls{"getFpgaFile",       "loadFpgaConfiguration", "setFormat",        "setRateMode",
                 "setInterleaveMode", "setDataSettings",       "setClockSettings", "setClockRatio"} +
           tests + Calls{"setTrigger", "setWaveforms", "enable", "enable", "enable", "enable"};
}

TEST_F(OrgLayerSequence, EveryActionMaskSendsItsStepsInTheirFixedOrder) {
    const int singles = Layer::ActTestRx | Layer::ActTriggerArm | Layer::ActTestTx |
                        Layer::ActTriggerRestart | Layer::ActTrigger | Layer::ActClock | Layer::ActArb |
                        Layer::ActData | Layer::ActInterleave | Layer::ActRateMode | Layer::ActFormat;
    const struct {
        int path, side, actions;
        Calls calls;
    } cases[] = {
        {0, 1, Layer::ActFormat, {"setFormat"}},
        {0, 0, Layer::ActTestTx | Layer::ActTestRx, {"setTestTx", "setTestRx"}},
        {0, 1, Layer::ActTestTx | Layer::ActTestRx, {"setTestTx", "setTestRx"}},
        // A full programming runs the test of the other direction first: receiver (In side) the
        // transmit test, transmitter (Out side) the receive test. The full bit alone means the same.
        {1, 0, Layer::ActAll, full({"setTestTx", "setTestRx"})},
        {1, 1, Layer::ActFull | Layer::ActTriggerArm, full({"setTestRx", "setTestTx"})},
        {0,
         1,
         singles,
         {"setFormat", "setRateMode", "setInterleaveMode", "setDataSettings", "setWaveforms", "enable",
          "enable", "enable", "enable", "setClockSettings", "setClockRatio", "setTrigger", "restartTrigger",
          "setTestTx", "armTrigger", "setTestRx"}},
        // The interface mask is everything of a setting, without FPGA, ARB and trigger events.
        {0, 1, Layer::ActInterfaceMask, interfaceMaskCalls()},
        // SSI actions and the interface bit travel elsewhere: nothing reaches the box.
        {0,
         1,
         Layer::ActSsi | Layer::ActSsiSpiClock | Layer::ActSsiGainFile | Layer::ActSsiGainAuto |
             Layer::ActInterface,
         {}},
    };
    for (const auto& c : cases) {
        m_device.clearCalls();
        EXPECT_EQ(setKobra(c.path, c.side, c.actions), 0);
        EXPECT_EQ(calls(), c.calls) << c.path << "," << c.side << " actions 0x" << std::hex << c.actions;
    }
    EXPECT_EQ(m_device.programming().triggerArms, 1);
    EXPECT_EQ(m_device.programming().triggerRestarts, 1);
}

TEST_F(OrgLayerSequence, TheBoxModeIsCorrectedToTheDirection) {
    // The Out side runs as transmitter, as the box mode already says: no correction.
    EXPECT_EQ(setKobra(0, 1, Layer::ActFormat), 0);
    EXPECT_TRUE(m_msgs.messages.isEmpty());
    m_device.clearCalls();
    setInt("IdPDbKobraMode", tup(1, 0), 1);
    EXPECT_EQ(setKobra(1, 0, Layer::ActFormat), 0);
    EXPECT_EQ(calls(), Calls({"setFormat"}));
    ASSERT_EQ(m_msgs.messages.size(), 1);
    expectLayerMessage(m_msgs.messages[0], "IdPDbKobraMode", 0, 1, 0);
}

TEST_F(OrgLayerSequence, StatusesAddUpAndAFailingStepDoesNotStopTheOthers) {
    m_device.setFault("setFormat", 3);
    m_device.setFault("setTrigger", 40);
    EXPECT_EQ(setKobra(0, 1, Layer::ActAll), 43);
    EXPECT_EQ(calls(), full({"setTestRx", "setTestTx"}));
    EXPECT_TRUE(m_errors.isEmpty()) << "statuses are summed, not signalled";

    // A failing read ends its own step with the read's status.
    m_device.clearFaults();
    m_device.clearCalls();
    m_table.set("IdPDbKobraMode", 1, 0, 1);
    m_table.set("IdPDbLynxDirection", 1, 0, 1);
    m_table.fail("IdPDbLynxFormat", 20007);
    EXPECT_EQ(setKobra(0, 1, Layer::ActFormat | Layer::ActRateMode, &m_table), 20007);
    EXPECT_EQ(calls(), Calls({"setRateMode"}));

    // Without device or database nothing is sent.
    m_device.clearCalls();
    EXPECT_EQ(ext().setKobra(nullptr, hostDb(), &m_msgs, 0, 0, Layer::ActAll), 1);
    EXPECT_EQ(ext().setKobra(&m_device, nullptr, &m_msgs, 0, 0, Layer::ActFormat), 1);
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(OrgLayerSequence, SkippedProgrammingLeavesOutFpgaAndArbOnly) {
    m_device.setSkipProgramming(true);
    EXPECT_EQ(setKobra(0, 0, Layer::ActAll), 0);
    EXPECT_EQ(calls(), Calls({"setFormat", "setRateMode", "setInterleaveMode", "setDataSettings",
                              "setClockSettings", "setClockRatio", "setTestTx", "setTestRx", "setTrigger"}));
    m_device.clearCalls();
    EXPECT_EQ(setKobra(0, 0, Layer::ActArb), 0);
    EXPECT_EQ(ext().setArb(&m_device, hostDb(), &m_msgs, 0, 0), 0);
    EXPECT_EQ(ext().loadFpga(&m_device, hostDb(), &m_msgs, 0, 0), 0);
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(OrgLayerSequence, ArbStepSendsTheEntriesOfTheInterface) {
    m_table.set("IdPDbLynxArbState", 1, 1, 0, 1);
    m_table.set("IdPDbLynxArbFile", "/waves/entry1.wv", 1, 0, 1);
    m_table.set("IdPDbLynxArbSamples", 1000.9, 1, 0, 1);
    // Another interface's entry stays out.
    m_table.set("IdPDbLynxArbState", 1, 0, 0, 3);
    m_table.set("IdPDbLynxArbFile", "/waves/other.wv", 0, 0, 3);
    m_table.set("IdPDbLynxDirection", 0, 1, 0);
    m_table.set("IdPDbKobraMode", 0, 1, 0);
    EXPECT_EQ(setKobra(1, 0, Layer::ActArb, &m_table), 0);
    const vgxsim::SimKobraProgramming p = m_device.programming();
    EXPECT_EQ(p.arbCount, 1);
    EXPECT_EQ(p.arb[1].loaded, "/waves/entry1.wv");
    EXPECT_EQ(p.arb[1].samples, 1000);
    EXPECT_TRUE(p.arb[1].enabled);
    EXPECT_TRUE(p.arb[3].file.isEmpty());
    EXPECT_FALSE(p.arb[3].enabled);
}

} // namespace
