// Receive and transmit tests: what the box is told, the sine with its linear gain, and the basic box
// that cannot test.
#include <gtest/gtest.h>

#include "OrgLayerTestSupport.h"

using namespace oltest;

namespace {

using Layer = CKobraOrgLayer;

using OrgLayerTestSignals = OrgLayerTest;

TEST_F(OrgLayerTestSignals, ReceiveTestStateAndSource) {
    const SDbInstTupel t = tup(0, 1);
    setInt("IdPDbKobraVariant", t, 1);
    // A new source stops the test, so the source comes first.
    setInt("IdPDbLynxTestRxSource", t, 1);
    setInt("IdPDbLynxTestRxPrbs", t, 1);
    ASSERT_EQ(setKobra(0, 1, Layer::ActTestRx), 0);
    EXPECT_EQ(calls(), (QList<QByteArray>{"setTestRx"}));
    EXPECT_EQ(m_device.calls()[0].args, (QVariantList{true, 1}));

    setInt("IdPDbLynxTestRxSource", t, 0);
    ASSERT_EQ(setKobra(0, 1, Layer::ActTestRx), 0);
    EXPECT_EQ(m_device.calls()[1].args, (QVariantList{false, 0}));
    EXPECT_TRUE(m_msgs.messages.isEmpty());
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(OrgLayerTestSignals, TheBasicBoxRefusesBothTestsAndTheirStatesAreReset) {
    const SDbInstTupel t = tup(1, 1);
    setInt("IdPDbKobraVariant", t, 0);
    setInt("IdPDbLynxTestRxPrbs", t, 1);
    setInt("IdPDbLynxTestTxPrbs", t, 1);
    EXPECT_EQ(setKobra(1, 1, Layer::ActTestRx | Layer::ActTestTx), 0) << "a refused test is no failure";
    EXPECT_TRUE(calls().isEmpty());
    ASSERT_EQ(m_msgs.messages.size(), 2);
    expectLayerMessage(m_msgs.messages[0], "IdPDbLynxTestTxPrbs", 0, 1, 1, 4);
    expectLayerMessage(m_msgs.messages[1], "IdPDbLynxTestRxPrbs", 0, 1, 1, 4);
    EXPECT_EQ(signalsOf(m_errors),
              (QList<QPair<int, QString>>{{50298, "Tx Test is not supported by this device."},
                                          {50298, "Rx Test is not supported by this device."}}));

    // Switched off, the tests reach the basic box as well.
    m_msgs.messages.clear();
    setInt("IdPDbLynxTestRxPrbs", t, 0);
    setInt("IdPDbLynxTestTxPrbs", t, 0);
    EXPECT_EQ(setKobra(1, 1, Layer::ActTestRx | Layer::ActTestTx), 0);
    EXPECT_EQ(calls(), (QList<QByteArray>{"setTestTx", "setTestRx"}));
    EXPECT_TRUE(m_msgs.messages.isEmpty());
}

TEST_F(OrgLayerTestSignals, SineSourceSendsLinearGainFrequencyAndSampleRate) {
    const SDbInstTupel t = tup(0, 1);
    setInt("IdPDbKobraVariant", t, 1);
    setNumber("IdPDbLynxClocRate", t, 20e6);
    setNumber("IdPDbLynxTestSinusCwFreq", t, 1.5e6);
    setNumber("IdPDbLynxTestSinusGain", t, -20.0);
    setInt("IdPDbLynxTestTxSource", t, 2);
    setInt("IdPDbLynxTestTxPrbs", t, 1);
    ASSERT_EQ(setKobra(0, 1, Layer::ActTestTx), 0);
    ASSERT_EQ(calls(), (QList<QByteArray>{"setTestSine"}));
    const auto tx = m_device.programming().testTx;
    ASSERT_TRUE(tx.has_value());
    EXPECT_TRUE(tx->on);
    EXPECT_DOUBLE_EQ(tx->linearGain, 0.1);
    EXPECT_EQ(tx->cwFrequency, 1.5e6);
    EXPECT_EQ(tx->sampleRate, 20e6);

    setNumber("IdPDbLynxTestSinusGain", t, 0.0);
    setInt("IdPDbLynxTestTxPrbs", t, 0);
    ASSERT_EQ(setKobra(0, 1, Layer::ActTestTx), 0);
    EXPECT_FALSE(m_device.programming().testTx->on);
    EXPECT_DOUBLE_EQ(m_device.programming().testTx->linearGain, 1.0);
}

TEST_F(OrgLayerTestSignals, TransmitSourcesKeepTheirCodeUpToSix) {
    m_table.set("IdPDbLynxTestTxPrbs", 1);
    for (const auto& [source, code] :
         QList<QPair<int, int>>{{0, 0}, {1, 1}, {3, 3}, {6, 6}, {7, 0}, {-2, 0}}) {
        m_table.set("IdPDbLynxTestTxSource", source);
        m_device.clearCalls();
        ASSERT_EQ(setKobra(0, 1, Layer::ActTestTx, &m_table), 0);
        ASSERT_EQ(calls(), (QList<QByteArray>{"setTestTx"})) << "source " << source;
        EXPECT_EQ(m_device.calls()[0].args, (QVariantList{true, code})) << "source " << source;
    }
}

} // namespace
