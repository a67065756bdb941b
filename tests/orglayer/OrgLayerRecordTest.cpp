// The driver records the layer fills from an interface's parameters: the data settings and the
// clock settings with their codes, as the simulated box receives them.
#include <gtest/gtest.h>

#include "OrgLayerTestSupport.h"
#include "host/runtime/impl/VGXHostRuntime.h"

using namespace oltest;

namespace {

using Layer = CKobraOrgLayer;

class OrgLayerRecords : public OrgLayerTest {
protected:
    KobraDataSettings sentData() {
        const auto p = m_device.programming();
        EXPECT_TRUE(p.data.has_value());
        return p.data.value_or(KobraDataSettings{});
    }
    KobraClockSettings sentClock() {
        const auto p = m_device.programming();
        EXPECT_TRUE(p.clock.has_value());
        return p.clock.value_or(KobraClockSettings{});
    }
};

TEST_F(OrgLayerRecords, DataSettingsComeFromTheInterfaceWithTheAlignmentInverted) {
    const SDbInstTupel out = tup(1, 1);
    setNumber("IdPDbLynxDataWordSize", out, 14.7);
    setInt("IdPDbLynxDataBitOrder", out, 0);
    setInt("IdPDbLynxDataWordAlign", out, 0);
    setInt("IdPDbLynxDataNumForm", out, 1);
    setInt("IdPDbLynxDataNegI", out, 1);
    setInt("IdPDbLynxDataNegQ", out, 0);
    setInt("IdPDbLynxDataIQPol", out, 1);
    setInt("IdPDbLynxDataStrobPol", out, 1);
    setNumber("IdPDbLynxDataStrobPos", out, 3.9);
    ASSERT_EQ(setKobra(1, 1, Layer::ActData), 0);
    // direction, signal type, data type, word size, bit order, alignment (inverted), number format,
    // negate I and Q, IQ and strobe polarity, strobe position.
    auto fields = [](const KobraDataSettings& d) {
        return QList<int>{d.direction, d.signalType,    d.dataType,       d.wordSize,
                          d.bitOrder,  d.wordAlignment, d.numberFormat,   d.negateI,
                          d.negateQ,   d.iqPolarity,    d.strobePolarity, d.strobePosition};
    };
    EXPECT_EQ(fields(sentData()), QList<int>({1, 0, 0, 14, 0, 1, 1, 1, 0, 1, 1, 3}));
    setInt("IdPDbLynxDataWordAlign", out, 1);
    ASSERT_EQ(setKobra(1, 1, Layer::ActData), 0);
    EXPECT_EQ(sentData().wordAlignment, 0);

    // The In side is the receiver.
    ASSERT_EQ(setKobra(0, 0, Layer::ActData), 0);
    EXPECT_EQ(sentData().direction, 0);
}

TEST_F(OrgLayerRecords, DataValuesOutsideTheirChoicesAndFailedReads) {
    m_table.set("IdPDbLynxDirection", 5);
    m_table.set("IdPDbLynxDataWordAlign", 3);
    m_table.set("IdPDbLynxDataBitOrder", 2);
    ASSERT_EQ(setKobra(0, 0, Layer::ActData, &m_table), 0);
    KobraDataSettings d = sentData();
    EXPECT_EQ(d.direction, 2);
    EXPECT_EQ(d.wordAlignment, 0);
    EXPECT_EQ(d.bitOrder, 0);

    // An unreadable negate-Q flag does not count; any other failed read keeps the record back.
    m_table.set("IdPDbLynxDataNegQ", 1);
    ASSERT_EQ(setKobra(0, 0, Layer::ActData, &m_table), 0);
    EXPECT_EQ(sentData().negateQ, 1);
    m_table.fail("IdPDbLynxDataNegQ", 20009);
    ASSERT_EQ(setKobra(0, 0, Layer::ActData, &m_table), 0);
    EXPECT_EQ(sentData().negateQ, 0);
    m_device.clearCalls();
    m_table.fail("IdPDbLynxDataStrobPos", 20008);
    EXPECT_EQ(setKobra(0, 0, Layer::ActData, &m_table), 20008);
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(OrgLayerRecords, ClockSettingsWithSkewsInPicoseconds) {
    const SDbInstTupel in = tup(1, 0);
    setNumber("IdPDbLynxClocRate", in, 12.5e6);
    setInt("IdPDbLynxClocSour", in, 1);
    setInt("IdPDbLynxClocPhas", in, 3);
    setInt("IdPDbLynxSCRatio", in, 4);
    setNumber("IdPDbLynxClocSkew", in, 1.2345e-10);
    setNumber("IdPDbLynxClocInSkew", in, 1.2345e-10);
    setInt("IdPDbLynxClocPol", in, 1);
    setInt("IdPDbKobraVariant", in, 1);
    ASSERT_EQ(setKobra(1, 0, Layer::ActClock), 0);
    EXPECT_EQ(calls(), (QList<QByteArray>{"setClockSettings", "setClockRatio"}));
    const KobraClockSettings c = sentClock();
    EXPECT_EQ(c.clockRate, 12.5e6);
    // The sample rate as the database answers it: the clock with the sample-to-clock ratio applied.
    double rate = 0;
    ASSERT_EQ(hostDb()->getNumber("IdPDbLynxSampRate", rate, 1, 0, 0, 0), 0);
    EXPECT_NE(rate, 12.5e6);
    EXPECT_EQ(c.sampleRate, rate);
    // Source, phase, ratio, skew and input skew in picoseconds (the input skew counts the other
    // way), polarity.
    EXPECT_EQ(
        QList<int>({c.clockSource, c.clockPhase, c.clockRatio, c.clockSkew, c.clockInSkew, c.clockPolarity}),
        QList<int>({1, 3, 4, 123, -123, 1}));
    EXPECT_EQ(m_device.programming().clockRatio, 4);

    // Truncation goes towards zero; the basic variant has no input skew.
    setNumber("IdPDbLynxClocSkew", in, -1.239e-10);
    setInt("IdPDbKobraVariant", in, 0);
    ASSERT_EQ(setKobra(1, 0, Layer::ActClock), 0);
    EXPECT_EQ(sentClock().clockSkew, -123);
    EXPECT_EQ(sentClock().clockInSkew, 0);
}

TEST_F(OrgLayerRecords, ClockCodesOfSourcePhaseAndRatio) {
    struct Case {
        int source, phase, ratio;
        int sourceCode, flag, phaseCode, ratioCode;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 1},    {2, 2, 5, 0, 1, 2, 5},
        {3, 4, 6, 0, 1, 0, 0}, {-1, -1, -1, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        m_table.set("IdPDbLynxClocSour", c.source);
        m_table.set("IdPDbLynxClocPhas", c.phase);
        m_table.set("IdPDbLynxSCRatio", c.ratio);
        ASSERT_EQ(setKobra(0, 0, Layer::ActClock, &m_table), 0);
        const KobraClockSettings s = sentClock();
        EXPECT_EQ(s.clockSource, c.sourceCode) << "source " << c.source;
        EXPECT_EQ(s.referenceFlag, c.flag) << "source " << c.source;
        EXPECT_EQ(s.clockPhase, c.phaseCode) << "phase " << c.phase;
        EXPECT_EQ(s.clockRatio, c.ratioCode) << "ratio " << c.ratio;
        EXPECT_EQ(m_device.programming().clockRatio, c.ratioCode);
    }
}

TEST_F(OrgLayerRecords, ReferenceCodeComesFromTheReferenceSelectionOfTheFamily) {
    // The internal clock needs no reference: code 1 whatever is selected.
    setInt("IdPDbLynxClocSour", tup(1, 1), 0);
    setInt("IdPDbLynxExtRefFreq", tup(0, 0), 2);
    ASSERT_EQ(setKobra(1, 1, Layer::ActClock), 0);
    EXPECT_EQ(sentClock().referenceFlag, 0);
    EXPECT_EQ(sentClock().refFrequency, 1);

    // REF IN: the box's own reference selection, read at the first instance.
    setInt("IdPDbLynxClocSour", tup(1, 1), 2);
    for (const auto& [selection, code] : QList<QPair<int, int>>{{0, 0}, {1, 1}, {2, 2}}) {
        setInt("IdPDbLynxExtRefFreq", tup(0, 0), selection);
        setInt("IdPDbLynxExtRefFreq", tup(1, 1), selection == 0 ? 2 : 0);
        ASSERT_EQ(setKobra(1, 1, Layer::ActClock), 0);
        EXPECT_EQ(sentClock().referenceFlag, 1);
        EXPECT_EQ(sentClock().refFrequency, code) << "selection " << selection;
        EXPECT_EQ(sentClock().clockSource, 0);
    }

    // Other generator families take the host's external reference instead.
    VGXHostRuntime::Options options;
    options.family = 0x121;
    VGXHostRuntime otherFamily(options);
    setInt("IdPDbLynxExtRefFreq", tup(0, 0), 2);
    setInt("IdPDbRoscFreqExt", tup(0, 0), 0);
    ASSERT_EQ(setKobra(1, 1, Layer::ActClock), 0);
    EXPECT_EQ(sentClock().refFrequency, 0);
}

TEST_F(OrgLayerRecords, TriggerSourceAndTruncatedDelay) {
    setInt("IdPDbLynxTriggerSource", tup(0, 1), 1);
    setNumber("IdPDbLynxTriggerDelay", tup(0, 1), 250.8);
    ASSERT_EQ(setKobra(0, 1, Layer::ActTrigger), 0);
    const auto p = m_device.programming();
    ASSERT_TRUE(p.trigger.has_value());
    EXPECT_EQ(p.trigger->source, 1);
    EXPECT_EQ(p.trigger->delay, 250);
}

} // namespace
