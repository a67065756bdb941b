// Which internal actions a changed parameter needs, and the sample rate the layer answers: asked
// through the host's extension interface, as the framework asks.
#include <gtest/gtest.h>

#include "OrgLayerTestSupport.h"

using namespace oltest;

namespace {

using Layer = CKobraOrgLayer;
using OrgLayerActions = OrgLayerTest;

// One name for each kind of rule, and names that show how rules match: the first matching rule wins,
// "equals" rules take no longer names, "contains" rules take their part anywhere, case matters.
TEST_F(OrgLayerActions, ANameGivesTheMaskOfItsFirstMatchingRule) {
    const struct {
        const char* name;
        int actions;
    } cases[] = {
        {"IdPDbLynxLogicType", Layer::ActAll},
        {"IdPDbLynxDataWordSize", Layer::ActInterfaceMask},
        {"IdPDbLynxSsiGainFile", Layer::ActSsiGainFile},
        {"IdPDbLynxSsiCmData", Layer::ActSsi},
        {"IdPDbLynxTestTxSource", Layer::ActTestTx},
        {"IdPDbLynxTriggerArm", Layer::ActTriggerArm},
        {"IdPDbLynxArbFile", Layer::ActAll}, // any other interface parameter: everything
        {"IdPDbKobraState", 0},              // not the layer's
        {"IdPDbLynxSsiGainFileX", Layer::ActSsi},
        {"myIdPDbLynxDataAnything", Layer::ActInterfaceMask},
        {"IdPDbLynxTestRxTestTx", Layer::ActTestRx},
        {"idpdblynxdatawordsize", 0},
    };
    for (const auto& c : cases)
        for (int path = 0; path < 2; ++path)
            for (int side = 0; side < 2; ++side)
                EXPECT_EQ(ext().getInternalAction(c.name, path, side, path * 7, -side), c.actions)
                    << c.name << " at " << path << "," << side;
    EXPECT_EQ(ext().getInternalAction(nullptr, 0, 0, 0, 0), 0);
}

TEST_F(OrgLayerActions, SampleRateIsThatOfTheAskedInterfaceRaisedToItsFloor) {
    setNumber("IdPDbLynxClocRate", tup(1, 0), 2.5e6);
    setNumber("IdPDbLynxClocRate", tup(0, 1), 7.5e6);
    double rate = 0;
    EXPECT_EQ(ext().getSampleRate(hostDb(), 1, 0, 0, rate), 0);
    EXPECT_EQ(rate, 2.5e6);
    EXPECT_EQ(ext().getSampleRate(hostDb(), 0, 1, 5, rate), 0);
    EXPECT_EQ(rate, 7.5e6);
    for (const auto& [stored, answered] : {std::pair{10.0, 31.25}, {31.25, 31.25}, {100.0, 100.0}}) {
        m_table.set("IdPDbLynxSampRate", stored);
        EXPECT_EQ(ext().getSampleRate(&m_table, 0, 1, 0, rate), 0);
        EXPECT_EQ(rate, answered) << stored;
    }
    // A failed read still answers the floor, with the read's status.
    m_table.fail("IdPDbLynxSampRate", 20003);
    EXPECT_EQ(ext().getSampleRate(&m_table, 0, 1, 0, rate), 20003);
    EXPECT_EQ(rate, 31.25);
}

} // namespace
