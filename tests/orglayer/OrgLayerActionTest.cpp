// Which internal actions a changed parameter needs, and the sample rate the layer answers: asked
// through the host's extension interface, as the framework asks.
#include <gtest/gtest.h>

#include "OrgLayerTestSupport.h"
#include "host/util/VGXDebugServer.h"
#include "host/util/impl/VGXTraceSink.h"

using namespace oltest;

namespace {

using Layer = CKobraOrgLayer;

struct ActionCase {
    const char* name;
    int actions;
};

using OrgLayerActions = OrgLayerTest;

TEST_F(OrgLayerActions, EveryRuleGivesItsMask) {
    const ActionCase cases[] = {
        // Logic type and direction need a full programming.
        {"IdPDbLynxLogicType", -1},
        {"IdPDbLynxDirection", -1},
        // Data and clock parameters, and the listed interface names: the interface mask.
        {"IdPDbLynxDataWordSize", 0x130007E0},
        {"IdPDbLynxDataNegQ", 0x130007E0},
        {"IdPDbLynxClocRate", 0x130007E0},
        {"IdPDbLynxClocInSkew", 0x130007E0},
        {"IdPDbRoscSource", 0x130007E0},
        {"IdPDbRoscFreqExt", 0x130007E0},
        {"IdPDbLynxExtRefFreq", 0x130007E0},
        {"IdPDbLynxExtRefSour", 0x130007E0},
        {"IdPDbLynxSCRatio", 0x130007E0},
        {"IdPDbLynxFormat", 0x130007E0},
        {"IdPDbLynxRateMode", 0x130007E0},
        {"IdPDbLynxIleavMode", 0x130007E0},
        {"IdPDbLynxSigType", 0x130007E0},
        // SSI.
        {"IdPDbLynxSsiGainFile", 0x200000},
        {"IdPDbLynxSsiGainAuto", 0x400000},
        {"IdPDbLynxSsiSpiClocFreq", 0x100000},
        {"IdPDbLynxSsiSpiClocPhas", 0x100000},
        {"IdPDbLynxSsiChipSelStat", 0x100000},
        {"IdPDbLynxSsiWordSize", 0x10000},
        {"IdPDbLynxSsiCmData", 0x10000},
        // Tests and trigger events.
        {"IdPDbLynxTestRxBer", 0x1000000},
        {"IdPDbLynxTestRxPrbs", 0x1000000},
        {"IdPDbLynxTestTxSource", 0x2000000},
        {"IdPDbLynxTestTxPrbs", 0x2000000},
        {"IdPDbLynxTriggerRestart", 0x8000000},
        {"IdPDbLynxTriggerArm", 0x800000},
        // Any other interface parameter: everything (the ARB names included).
        {"IdPDbLynxArbFile", -1},
        {"IdPDbLynxArbState", -1},
        {"IdPDbLynxArbSamples", -1},
        {"IdPDbLynxTriggerSource", -1},
        {"IdPDbLynxState", -1},
        // Not the layer's.
        {"IdPDbKobraState", 0},
        {"IdPDbKobraSelected", 0},
        {"IdPDbRoscFreq", 0},
        {"", 0},
    };
    for (const ActionCase& c : cases)
        for (int path = 0; path < 2; ++path)
            for (int side = 0; side < 2; ++side)
                EXPECT_EQ(ext().getInternalAction(c.name, path, side, 0, 0), c.actions)
                    << c.name << " at " << path << "," << side;
    EXPECT_EQ(ext().getInternalAction(nullptr, 0, 0, 0, 0), 0);
    EXPECT_EQ(Layer::ActInterfaceMask, 0x130007E0);
}

TEST_F(OrgLayerActions, FirstMatchingRuleWinsAndNamesCompareExactly) {
    const ActionCase cases[] = {
        // "equals" rules do not take longer names; those fall to later rules.
        {"IdPDbLynxFormatX", -1},
        {"IdPDbLynxLogicTypes", -1},
        {"IdPDbRoscSourceX", 0},
        {"IdPDbLynxSsiGainFileX", 0x10000},
        {"IdPDbLynxSsiGainAutoX", 0x10000},
        {"IdPDbLynxSsiChipSelStatX", 0x10000},
        // "contains" rules take the part anywhere in the name.
        {"XIdPDbLynxTestRx", 0x1000000},
        {"myIdPDbLynxDataAnything", 0x130007E0},
        {"IdPDbLynxSsiSpiClocAnything", 0x100000},
        // Earlier rules win over later ones.
        {"IdPDbLynxDataTestRx", 0x130007E0},
        {"IdPDbLynxSsiTestTx", 0x10000},
        {"IdPDbLynxTestRxTestTx", 0x1000000},
        {"IdPDbLynxTriggerRestartTriggerArm", 0x8000000},
        // Case matters.
        {"idpdblynxdatawordsize", 0},
        {"IDPDBLYNXTESTRX", 0},
    };
    for (const ActionCase& c : cases)
        EXPECT_EQ(ext().getInternalAction(c.name, 0, 0, 0, 0), c.actions) << c.name;
    // The two last arguments do not matter.
    EXPECT_EQ(ext().getInternalAction("IdPDbLynxDataWordSize", 1, 1, 7, -3), 0x130007E0);
    EXPECT_EQ(ext().getInternalAction("IdPDbLynxTriggerArm", 1, 0, 99, 99), 0x800000);
}

TEST_F(OrgLayerActions, TheQuestionIsTracedOnlyWhenTheDebugChannelWantsIt) {
    QStringList lines;
    VGXScopedTraceCapture capture([&](const QString& line) { lines.append(line); }, false);

    ext().getInternalAction("IdPDbLynxFormat", 1, 0, 0, 0);
    VGXDebugServer::activate(5, 3, 13); // below the trace level
    ext().getInternalAction("IdPDbLynxFormat", 1, 0, 0, 0);
    VGXDebugServer::activate(5, 4, 12); // another channel
    ext().getInternalAction("IdPDbLynxFormat", 1, 0, 0, 0);
    EXPECT_TRUE(lines.isEmpty()) << lines.join("\n").toStdString();

    VGXDebugServer::activate(5, 4, 13);
    ext().getInternalAction("IdPDbLynxFormat", 1, 0, 0, 0);
    EXPECT_EQ(lines, QStringList({"debug 5/13/4: CKobraOrgLayer::getInternalAction(Path=1, Drct=0): "
                                  "IdPDbLynxFormat"}));
}

TEST_F(OrgLayerActions, SampleRateIsRaisedToItsFloor) {
    double rate = -1;
    m_table.set("IdPDbLynxSampRate", 10.0);
    EXPECT_EQ(ext().getSampleRate(&m_table, 0, 1, 0, rate), 0);
    EXPECT_EQ(rate, 31.25);
    m_table.set("IdPDbLynxSampRate", 100.0);
    EXPECT_EQ(ext().getSampleRate(&m_table, 0, 1, 0, rate), 0);
    EXPECT_EQ(rate, 100.0);
    m_table.set("IdPDbLynxSampRate", 31.25);
    EXPECT_EQ(ext().getSampleRate(&m_table, 0, 1, 0, rate), 0);
    EXPECT_EQ(rate, 31.25);

    // A failed read still answers the floor, with the read's status.
    m_table.fail("IdPDbLynxSampRate", 20003);
    rate = -1;
    EXPECT_EQ(ext().getSampleRate(&m_table, 0, 1, 0, rate), 20003);
    EXPECT_EQ(rate, 31.25);
}

TEST_F(OrgLayerActions, SampleRateIsThatOfTheAskedInterface) {
    // A parallel interface at single rate samples once per clock.
    setNumber("IdPDbLynxClocRate", tup(1, 0), 2.5e6);
    setNumber("IdPDbLynxClocRate", tup(0, 1), 7.5e6);
    double rate = 0;
    EXPECT_EQ(ext().getSampleRate(hostDb(), 1, 0, 0, rate), 0);
    EXPECT_EQ(rate, 2.5e6);
    EXPECT_EQ(ext().getSampleRate(hostDb(), 0, 1, 5, rate), 0);
    EXPECT_EQ(rate, 7.5e6);
}

} // namespace
