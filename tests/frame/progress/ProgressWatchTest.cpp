// Watching a framework operation: the worker polls the progress query, the window follows it with
// one bar (or one bar per phase), and the watch ends at 100 %, on failure, on Abort or when closed.
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include "ProgressTestSupport.h"
#include "frame/KobraProgress.h"
#include "frame/KobraProgressCallbackIfc.h"
#include "frame/KobraProgressDlg.h"
#include "host/util/VGXErrorManager.h"

using namespace MvQARN;
using namespace progresstest;

namespace {

constexpr unsigned kOp = 0x4711;

class CountingCallback : public KobraProgressCallbackIfc {
public:
    void progressAborted() override { ++count; }
    int count = 0;
};

using ProgressWatch = ProgressServiceTest;
const ScriptEntry kRefuse{"", "", Refused}, kNoRecord{"", "", NoRecord};

// One watch per case, driven by the framework's scripted answers: the bars the window opened, the
// progress it showed, the rows it keeps, whether the watch ended by itself and what it raised.
TEST_F(ProgressWatch, ScriptedOperations) {
    const struct {
        const char* what;
        std::deque<ScriptEntry> script;
        bool followPhases;
        QStringList creates; // "title|text" of each bar opened
        QList<int> progress; // of each update shown
        bool ends;           // by itself; otherwise it still runs well after the script
        QStringList rows;    // at the end
        QString error;       // raised as 50299
    } cases[] = {
        // clang-format off
        {"one bar: a new phase keeps the bar and the title, 100 ends the watch",
         {{"Load", "Step 10", 10}, {"Verify", "Step 50", 50},
          {"Verify", "Finished", 100}},
         false, {"Loading|Load"}, {10, 50, 100}, true, {}, {}},
        {"a bar per phase, titled with the phase, the last one finished when the next begins; "
         "100 does not end the watch",
         {{"Erase", "erasing", 50}, {"Erase", "erased", 100},
          {"Program", "writing", 30}, {"Program", "written", 100}},
         true, {"Erase|Erase", "Program|Program"}, {50, 100, 100, 30, 100}, false,
         {"Done. 100 (text hidden)", "Done. 100 written"}, {}},
        {"no news, refusals and missing records change nothing",
         {{"Load", "half", 40}, {"Load", "must not show", COlProgressStatus::NoNews},
          kRefuse, kNoRecord, {"Load", "must not show", COlProgressStatus::NoNews},
          kRefuse},
         false, {"Loading|Load"}, {40}, false, {"Working ... 40 half"}, {}},
        {"a failure is raised with its message, not shown as progress, and ends the watch",
         {{"Erase", "erasing", 30}, {"Erase", "Flash erase failed", -1}},
         true, {"Erase|Erase"}, {30}, true, {}, "Flash erase failed"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VGXErrorManager::Collector errors;
        const int callsBefore = int(m_command.workerCalls().size());
        m_command.setScript(c.script);
        QCoreApplication::processEvents();
        m_recorder->clear();
        m_progress->showProgressDialog(kOp, QStringLiteral("Loading"), c.followPhases, nullptr);
        if (c.ends) {
            ASSERT_TRUE(waitUntil([&] { return m_recorder->hides > 0; }));
            ASSERT_TRUE(waitUntil([&] { return !m_progress->isRunning(); }));
            EXPECT_FALSE(m_dlg->isVisible());
            // The worker stopped querying at the end of the script.
            EXPECT_EQ(m_command.workerCalls().size(), callsBefore + int(c.script.size()));
        } else {
            ASSERT_TRUE(waitUntil([&] { return m_command.scriptLeft() == 0; }));
            const int afterScript = int(m_command.workerCalls().size());
            ASSERT_TRUE(waitUntil([&] { return m_command.workerCalls().size() >= afterScript + 20; }));
            ASSERT_TRUE(waitUntil([&] { return m_recorder->updates.size() >= c.progress.size(); }));
            EXPECT_TRUE(m_progress->isRunning());
            EXPECT_TRUE(m_dlg->isVisible());
        }
        EXPECT_EQ(m_recorder->creates, c.creates);
        EXPECT_EQ(m_recorder->updates, c.progress);
        EXPECT_EQ(rows(m_dlg), c.rows);
        QStringList raised;
        for (const VGXErrorRecord& r : errors.errors())
            raised << QString::number(r.code) + " " + r.text;
        EXPECT_EQ(raised, c.error.isEmpty() ? QStringList() : QStringList("50299 " + c.error));
        m_progress->close();
        ASSERT_TRUE(waitUntil([&] { return !m_progress->isRunning() && !m_dlg->isVisible(); }));
        EXPECT_TRUE(rows(m_dlg).isEmpty());
    }
}

TEST_F(ProgressWatch, WithoutOperationTheBarFillsOnePercentAPassAndWaitsAt99UntilClosed) {
    m_progress->showProgressDialog(0, QStringLiteral("Busy"), false, nullptr);
    ASSERT_TRUE(waitUntil([&] { return m_recorder->updates.size() >= 120; }));
    EXPECT_EQ(rows(m_dlg), QStringList({"Working ... 99 "}));
    EXPECT_TRUE(m_command.calls().isEmpty()) << "no query without an operation";
    const QList<int>& updates = m_recorder->updates;
    for (int i = 1; i < updates.size(); ++i)
        EXPECT_EQ(updates[i], std::min(updates[i - 1] + 1, 99)) << i;
    // Closing on the GUI thread hides the window before it returns.
    m_progress->close();
    EXPECT_FALSE(m_progress->isRunning());
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(rows(m_dlg).isEmpty());
}

TEST_F(ProgressWatch, AbortCallsTheWatchsCallbackOnceAndHidesAndASecondShowMeanwhileIsIgnored) {
    CountingCallback first;
    CountingCallback second;
    m_command.setScript({{"Load", "working", 20}});
    m_progress->showProgressDialog(kOp, QStringLiteral("First"), false, &first);
    ASSERT_TRUE(waitUntil([&] { return rows(m_dlg) == QStringList({"Working ... 20 working"}); }));
    m_progress->showProgressDialog(kOp + 1, QStringLiteral("Second"), true, &second);
    ASSERT_TRUE(waitUntil([&] { return m_command.workerCalls().size() >= 10; }));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("First"));
    for (const ScriptedCommand::Call& c : m_command.calls())
        EXPECT_EQ(c.index1, int(kOp));

    QPushButton* abort = abortButton(m_dlg);
    ASSERT_TRUE(abort && abort->isVisible());
    QTest::mouseClick(abort, Qt::LeftButton);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(second.count, 0);
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(rows(m_dlg).isEmpty());
    m_progress->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(first.count, 1) << "closing after an Abort does not call back again";

    // Once closed, the next watch starts.
    m_progress->showProgressDialog(kOp + 1, QStringLiteral("Second"), false, nullptr);
    ASSERT_TRUE(waitUntil([&] {
        const QList<ScriptedCommand::Call> calls = m_command.workerCalls();
        return m_dlg->isVisible() && calls.last().index1 == int(kOp + 1);
    }));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Second"));
}

} // namespace
