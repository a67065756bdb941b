// Command 41: progress of framework operations, as the progress service polls it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

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

TEST_F(OlFrameworkProgress, PhasesAndProgressReachThePollerOnceThenNoNews) {
    // The registry does not depend on the driver: a poll never waits for a box.
    ASSERT_FALSE(fw.isStarted());
    const unsigned op = ops.newOperationId();
    ASSERT_NE(op, 0u);
    ASSERT_TRUE(ops.begin(op, {"Erase", "Program"}));
    COlProgressStatus s;
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(s.phaseTitle, "Erase");
    EXPECT_EQ(s.progress, 0);
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(s.progress, COlProgressStatus::NoNews);
    EXPECT_EQ(s.phaseTitle, "Erase") << "no news keeps the phase, so no new bar opens";

    ASSERT_TRUE(ops.report(op, "Erase", "Erasing flash", 60));
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(s.progress, 60);
    EXPECT_EQ(s.message, "Erasing flash");
    ASSERT_TRUE(ops.report(op, "Program", "Writing bitstream", 10));
    ASSERT_TRUE(poll(op, s, COlProgressStatus::NoNews));
    EXPECT_EQ(s.phaseTitle, "Program");
    EXPECT_EQ(s.message, "Writing bitstream");
    EXPECT_EQ(s.progress, 10);
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(s.progress, COlProgressStatus::NoNews);
}

TEST_F(OlFrameworkProgress, ReportsOutsideTheOperationsPhasesOrRangeAndPollsOfUnknownOperationsAreRefused) {
    const unsigned op = ops.newOperationId();
    ASSERT_TRUE(ops.begin(op, {"Load"}));
    COlProgressStatus s;
    ASSERT_TRUE(poll(op, s));
    EXPECT_FALSE(ops.report(op, "Verify", "not a phase of this operation", 50));
    EXPECT_FALSE(ops.report(op, "Load", "too far", 101));
    EXPECT_FALSE(ops.report(op, "Load", "negative", -5));
    EXPECT_FALSE(ops.report(op + 1, "Load", "unknown operation", 5));
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(s.progress, COlProgressStatus::NoNews) << "refused reports are no news";
    EXPECT_FALSE(ops.begin(0, {"Load"}));
    EXPECT_FALSE(ops.begin(op, {}));

    // Unknown and ended operations are refused.
    EXPECT_FALSE(poll(0, s));
    EXPECT_FALSE(poll(0x7777, s));
    EXPECT_FALSE(fw.execute(OlCmdProgress, nullptr));
    ops.end(op);
    EXPECT_FALSE(poll(op, s));
    EXPECT_NE(ops.newOperationId(), ops.newOperationId());
}

TEST_F(OlFrameworkProgress, AFailureIsReportedWithItsMessageOnEveryPoll) {
    const unsigned op = ops.newOperationId();
    ASSERT_TRUE(ops.begin(op, {"Load"}));
    ASSERT_TRUE(ops.fail(op, "Configuration file damaged"));
    COlProgressStatus s;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(poll(op, s));
        EXPECT_EQ(s.progress, COlProgressStatus::Failed);
        EXPECT_EQ(s.message, "Configuration file damaged");
    }
    EXPECT_FALSE(ops.report(op, "Load", "too late", 50)) << "a failed operation stays failed";
}

TEST_F(OlFrameworkProgress, RunPhasesWithoutDurationEndsAtTheLastPhaseDone) {
    const unsigned op = ops.newOperationId();
    ASSERT_TRUE(ops.runPhases(op, {"Erase", "Program", "Verify"}, 0));
    COlProgressStatus s;
    ASSERT_TRUE(poll(op, s));
    EXPECT_EQ(s.phaseTitle, "Verify");
    EXPECT_EQ(s.progress, 100);
    EXPECT_EQ(s.message, "Done.");
}

TEST_F(OlFrameworkProgress, APollerOnAnotherThreadSeesPhasesInOrderWithRisingProgress) {
    const unsigned op = ops.newOperationId();
    const std::vector<std::string> phases = {"Erase", "Program", "Verify"};
    ASSERT_TRUE(ops.begin(op, {"Erase", "Program", "Verify"}));
    std::vector<COlProgressStatus> seen;
    std::atomic<bool> done{false};
    std::thread poller([&] {
        COlFramework* f = &fw;
        for (;;) {
            const bool last = done.load();
            COlCommandData d;
            d.index1 = int(op);
            if (f->execute(OlCmdProgress, &d) && d.text) {
                const auto& st = *static_cast<const COlProgressStatus*>(d.text);
                if (st.progress != COlProgressStatus::NoNews)
                    seen.push_back(st);
            }
            if (last)
                break;
            std::this_thread::yield();
        }
    });
    ASSERT_TRUE(ops.runPhases(op, {"Erase", "Program", "Verify"}, 30));
    done = true;
    poller.join();

    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().phaseTitle, "Verify");
    EXPECT_EQ(seen.back().progress, 100);
    size_t phase = 0;
    int progress = -1;
    for (const COlProgressStatus& st : seen) {
        while (phase < phases.size() && phases[phase] != st.phaseTitle)
            ++phase, progress = -1;
        ASSERT_LT(phase, phases.size()) << "phase " << st.phaseTitle << " out of order";
        EXPECT_GE(st.progress, progress) << "progress fell within phase " << st.phaseTitle;
        progress = st.progress;
    }
}

} // namespace
