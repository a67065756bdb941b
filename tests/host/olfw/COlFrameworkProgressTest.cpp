// Command 41: progress of framework operations, as the progress service polls it.
#include <gtest/gtest.h>

#include <string>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlProgressStatus.h"
#include "host/olfw/impl/COlFramework.h"

using namespace MvQARN;

namespace {

class OlFrameworkProgress : public ::testing::Test {
protected:
    // One poll as the progress service makes it; false when refused.
    bool poll(unsigned op, COlProgressStatus& out, int lastProgress = 0) {
        COlCommandData d;
        d.index1 = int(op);
        d.index2 = lastProgress;
        if (!fw.execute(OlCmdProgress, &d) || !d.text)
            return false;
        out = *static_cast<const COlProgressStatus*>(d.text);
        return true;
    }

    COlFramework fw;
    COlOperationRegistry& ops = fw.operations();
};

TEST_F(OlFrameworkProgress, ScriptedReportsReachThePollerOnceAndFailuresStay) {
    // Each step reports (r), fails (f), ends (e) or polls (p) the operation; a poll states whether it is
    // answered and the progress, phase and message it answers (null: not checked).
    constexpr int NoNews = COlProgressStatus::NoNews, Failed = COlProgressStatus::Failed;
    const struct {
        char act;
        const char* phase;
        const char* message;
        int value;
        bool ok;
    } steps[] = {
        {'p', "Erase", nullptr, 0, true},
        {'p', "Erase", nullptr, NoNews, true}, // no news keeps the phase, so no new bar opens
        {'r', "Erase", "Erasing flash", 60, true},
        {'p', "Erase", "Erasing flash", 60, true},
        {'r', "Verify", "not a phase of this operation", 50, false},
        {'r', "Erase", "too far", 101, false},
        {'p', nullptr, nullptr, NoNews, true}, // refused reports are no news
        {'r', "Program", "Writing bitstream", 10, true},
        {'f', nullptr, "Configuration file damaged", 0, true},
        {'p', nullptr, "Configuration file damaged", Failed, true},
        {'r', "Program", "too late", 50, false}, // a failed operation stays failed
        {'e', nullptr, nullptr, 0, true},
        {'p', nullptr, nullptr, 0, false},
    };
    ASSERT_FALSE(fw.isStarted()); // the registry does not depend on the driver
    const unsigned op = ops.newOperationId();
    ASSERT_TRUE(ops.begin(op, {"Erase", "Program"}));
    int i = 0;
    for (const auto& st : steps) {
        SCOPED_TRACE(testing::Message() << "step " << i++);
        COlProgressStatus s;
        switch (st.act) {
        case 'r':
            EXPECT_EQ(ops.report(op, st.phase, st.message, st.value), st.ok);
            break;
        case 'f':
            EXPECT_EQ(ops.fail(op, st.message), st.ok);
            break;
        case 'e':
            ops.end(op);
            break;
        default:
            ASSERT_EQ(poll(op, s), st.ok);
            if (!st.ok)
                break;
            EXPECT_EQ(s.progress, st.value);
            if (st.phase) {
                EXPECT_EQ(s.phaseTitle, st.phase);
            }
            if (st.message) {
                EXPECT_EQ(s.message, st.message);
            }
        }
    }
}

TEST_F(OlFrameworkProgress, UnknownOperationsAreRefusedAndRunPhasesEndsAtTheLastPhaseDone) {
    COlProgressStatus s;
    EXPECT_FALSE(poll(0, s));
    EXPECT_FALSE(poll(0x7777, s));
    EXPECT_FALSE(fw.execute(OlCmdProgress, nullptr));
    const unsigned op = ops.newOperationId();
    EXPECT_NE(ops.newOperationId(), op);
    EXPECT_FALSE(ops.begin(0, {"Load"}));
    EXPECT_FALSE(ops.begin(op, {}));
    EXPECT_FALSE(ops.report(op, "Load", "unknown operation", 5));

    ASSERT_TRUE(ops.runPhases(op, {"Erase", "Program", "Verify"}, 0));
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(std::tuple(s.phaseTitle, s.progress, s.message), std::tuple("Verify", 100, "Done."));
}

} // namespace
