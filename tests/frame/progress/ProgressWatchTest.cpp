// Watching a framework operation: the worker polls the progress query, the window follows it with
// one bar (or one bar per phase), and the watch ends at 100 %, on failure or when closed.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ProgressTestSupport.h"
#include "frame/KobraProgress.h"
#include "frame/KobraProgressCallbackIfc.h"
#include "frame/KobraProgressDlg.h"
#include "host/olfw/impl/COlFramework.h"
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

TEST_F(ProgressWatch, WithoutOperationTheBarFillsOnePercentAPassAndWaitsAt99UntilClosed) {
    m_progress->showProgressDialog(0, QStringLiteral("Busy"), false, nullptr);
    m_recorder = new SignalRecorder(m_progress, m_dlg);

    ASSERT_TRUE(waitUntil([&] { return m_recorder->of(QStringLiteral("update")).size() >= 120; }));
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Busy"));
    EXPECT_EQ(describeRows(m_dlg), QStringList({"Working ... 99 "}));

    // No query without an operation: the worker only counts.
    EXPECT_TRUE(m_command.calls().isEmpty());

    // Consecutive passes: one percent more each time, never past 99.
    const QList<Seen> updates = m_recorder->of(QStringLiteral("update"));
    for (int i = 1; i < updates.size(); ++i) {
        SCOPED_TRACE(i);
        const int before = updates[i - 1].progress;
        EXPECT_EQ(updates[i].progress, before < 99 ? before + 1 : 99);
    }
    EXPECT_EQ(updates.last().progress, 99);

    // Closing on the GUI thread hides the window before it returns.
    m_progress->close();
    EXPECT_FALSE(m_progress->isRunning());
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(dialogRows().isEmpty());
}

TEST_F(ProgressWatch, WithoutPhaseFollowingTheWatchEndsByItselfAt100WithDone) {
    // The second phase keeps the one bar and the watch's title.
    m_command.setScript({ScriptEntry::status("Load", "Step 10", 10),
                         ScriptEntry::status("Verify", "Step 50", 50),
                         ScriptEntry::status("Verify", "Finished", 100)});
    startWatch(kOp, QStringLiteral("Loading"), false);

    ASSERT_TRUE(waitUntil([&] { return !m_recorder->of(QStringLiteral("hide")).isEmpty(); }));
    ASSERT_TRUE(waitUntil([&] { return !m_progress->isRunning(); }));

    // One bar, opened with the phase as its text and the watch's title.
    const QList<Seen> creates = m_recorder->of(QStringLiteral("create"));
    ASSERT_EQ(creates.size(), 1);
    EXPECT_EQ(creates[0].a, QStringLiteral("Loading"));
    EXPECT_EQ(creates[0].b, QStringLiteral("Load"));

    const QList<Seen> updates = m_recorder->of(QStringLiteral("update"));
    ASSERT_EQ(updates.size(), 3);
    const int expected[] = {10, 50, 100};
    const char* texts[] = {"Step 10", "Step 50", "Finished"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(updates[i].progress, expected[i]);
        EXPECT_EQ(describe(updates[i].rows), QStringList(QStringLiteral("%1 %2 %3")
                                                             .arg(i < 2 ? "Working ..." : "Done.")
                                                             .arg(expected[i])
                                                             .arg(texts[i])));
        EXPECT_TRUE(updates[i].visible);
        EXPECT_EQ(updates[i].title, QStringLiteral("Loading"));
    }

    // The start notice carries progress 0; each query then reports the last progress seen.
    const QList<ScriptedCommand::Call> calls = m_command.calls();
    ASSERT_EQ(calls.size(), 4);
    EXPECT_TRUE(calls[0].fromGuiThread);
    EXPECT_EQ(calls[0].index2, 0);
    const int lastSeen[] = {1, 10, 50};
    for (int i = 1; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(calls[i].fromGuiThread);
        EXPECT_EQ(calls[i].index1, int(kOp));
        EXPECT_EQ(calls[i].index2, lastSeen[i - 1]);
    }

    // The hide removed the row.
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(dialogRows().isEmpty());

    // Right after a watch ended by itself the next one starts.
    m_command.setScript({ScriptEntry::status("Again", "Once more", 40)});
    m_progress->showProgressDialog(kOp + 1, QStringLiteral("Second"), false, nullptr);
    ASSERT_TRUE(waitUntil([&] { return describeRows(m_dlg) == QStringList({"Working ... 40 Once more"}); }));
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Second"));
}

TEST_F(ProgressWatch, PhaseFollowingOpensOneBarPerPhaseAndContinuesAfter100UntilClosed) {
    m_command.setScript(
        {ScriptEntry::status("Erase", "erasing", 50), ScriptEntry::status("Erase", "erased", 100),
         ScriptEntry::status("Program", "writing", 30), ScriptEntry::status("Program", "written", 100)});
    startWatch(kOp, QStringLiteral("FPGA load"), true);

    ASSERT_TRUE(waitUntil([&] { return m_command.scriptLeft() == 0; }));
    // Well past the end of the script the watch still runs.
    const int afterScript = int(m_command.workerCalls().size());
    ASSERT_TRUE(waitUntil([&] { return m_command.workerCalls().size() >= afterScript + 20; }));
    ASSERT_TRUE(waitUntil([&] { return m_recorder->of(QStringLiteral("update")).size() >= 5; }));
    EXPECT_TRUE(m_progress->isRunning());
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_TRUE(m_recorder->of(QStringLiteral("hide")).isEmpty());

    // Each phase opened its own bar, titled with the phase, below the finished bar of the one before.
    const QList<Seen> creates = m_recorder->of(QStringLiteral("create"));
    ASSERT_EQ(creates.size(), 2);
    EXPECT_EQ(QStringList({creates[0].a, creates[0].b, creates[1].a, creates[1].b}),
              QStringList({"Erase", "Erase", "Program", "Program"}));
    EXPECT_EQ(describe(creates[1].rows), QStringList({"Done. 100 (text hidden)", "Working ... 0 Program"}));
    EXPECT_EQ(describeRows(m_dlg), QStringList({"Done. 100 (text hidden)", "Done. 100 written"}));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Program"));

    m_progress->close();
    EXPECT_FALSE(m_progress->isRunning());
    ASSERT_TRUE(waitUntil([&] { return !m_dlg->isVisible(); }));
    EXPECT_TRUE(dialogRows().isEmpty());
}

TEST_F(ProgressWatch, NoNewsRefusalsAndMissingRecordsChangeNothing) {
    m_command.setScript({ScriptEntry::status("Load", "half", 40),
                         ScriptEntry::status("Load", "must not show", COlProgressStatus::NoNews),
                         ScriptEntry::refuse(), ScriptEntry::noRecord(),
                         ScriptEntry::status("Load", "must not show", COlProgressStatus::NoNews),
                         ScriptEntry::refuse()});
    startWatch(kOp, QStringLiteral("Loading"), false);

    ASSERT_TRUE(waitUntil([&] { return m_command.scriptLeft() == 0; }));
    const int afterScript = int(m_command.workerCalls().size());
    ASSERT_TRUE(waitUntil([&] { return m_command.workerCalls().size() >= afterScript + 10; }));
    QCoreApplication::processEvents();

    const QList<Seen> updates = m_recorder->of(QStringLiteral("update"));
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates[0].progress, 40);
    EXPECT_EQ(describeRows(m_dlg), QStringList({"Working ... 40 half"}));
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_TRUE(m_progress->isRunning());
}

TEST_F(ProgressWatch, FailureRaises50299WithTheMessageAndHides) {
    VGXErrorManager::Collector errors;
    m_command.setScript({ScriptEntry::status("Erase", "erasing", 30),
                         ScriptEntry::status("Erase", "Flash erase failed", -1)});
    startWatch(kOp, QStringLiteral("FPGA load"), true);

    ASSERT_TRUE(waitUntil([&] { return !m_recorder->of(QStringLiteral("hide")).isEmpty(); }));
    ASSERT_TRUE(waitUntil([&] { return !m_progress->isRunning(); }));
    const QList<VGXErrorRecord> raised = errors.errors();
    ASSERT_EQ(raised.size(), 1);
    EXPECT_EQ(raised[0].code, 50299);
    EXPECT_EQ(raised[0].text, QStringLiteral("Flash erase failed"));
    // The failure is not shown as progress.
    const QList<Seen> updates = m_recorder->of(QStringLiteral("update"));
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates[0].progress, 30);
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(dialogRows().isEmpty());
    // The worker stopped querying.
    EXPECT_EQ(m_command.workerCalls().size(), 2);
}

TEST_F(ProgressWatch, AbortCallsTheCallbackOnceAndHides) {
    CountingCallback callback;
    m_command.setScript({ScriptEntry::status("Load", "working", 20)});
    startWatch(kOp, QStringLiteral("Loading"), false, &callback);
    ASSERT_TRUE(waitUntil([&] { return describeRows(m_dlg) == QStringList({"Working ... 20 working"}); }));
    QPushButton* abort = abortButton(m_dlg);
    ASSERT_NE(abort, nullptr);
    ASSERT_TRUE(abort->isVisible());

    QTest::mouseClick(abort, Qt::LeftButton);
    EXPECT_EQ(callback.count, 1);
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(dialogRows().isEmpty());
    // Closing the watch afterwards does not call back again.
    m_progress->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(callback.count, 1);
}

TEST_F(ProgressWatch, ASecondShowWhileAWatchRunsIsIgnored) {
    CountingCallback first;
    CountingCallback second;
    startWatch(kOp, QStringLiteral("First"), false, &first);
    ASSERT_TRUE(waitUntil([&] { return m_dlg->isVisible() && m_command.workerCalls().size() >= 3; }));

    m_progress->showProgressDialog(kOp + 1, QStringLiteral("Second"), true, &second);
    ASSERT_TRUE(waitUntil([&] { return m_command.workerCalls().size() >= 10; }));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("First"));
    for (const ScriptedCommand::Call& c : m_command.calls())
        EXPECT_EQ(c.index1, int(kOp));

    QTest::mouseClick(abortButton(m_dlg), Qt::LeftButton);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(second.count, 0);

    // Once closed, the next watch starts.
    m_progress->close();
    m_progress->showProgressDialog(kOp + 1, QStringLiteral("Second"), false, nullptr);
    ASSERT_TRUE(waitUntil([&] {
        for (const ScriptedCommand::Call& c : m_command.workerCalls())
            if (c.index1 == int(kOp + 1))
                return true;
        return false;
    }));
    ASSERT_TRUE(waitUntil([&] { return m_dlg->isVisible(); }));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Second"));
}

TEST_F(ProgressWatch, NoFrameworkEndsTheWatchAtOnceAndNoWindowShowsNothing) {
    // Without a command interface the worker has nothing to poll.
    m_manager.setCommand(nullptr);
    m_progress->showProgressDialog(0, QStringLiteral("Busy"), false, nullptr);
    ASSERT_TRUE(waitUntil([&] { return !m_progress->isRunning(); }));
    ASSERT_TRUE(waitUntil([&] { return !m_dlg->isVisible(); }));
    EXPECT_TRUE(dialogRows().isEmpty());

    // Without a window nothing starts at all.
    delete m_dlg;
    m_dlg = nullptr;
    m_progress->showProgressDialog(0, QStringLiteral("Busy"), false, nullptr);
    EXPECT_FALSE(m_progress->isRunning());
    m_progress->showProgressDialogDirect(QStringLiteral("Direct"));
    m_progress->setProgressDirect(50, QStringLiteral("half"));
    m_progress->close();
}

// The host's own framework: an operation reports its phases through the operation registry while
// the worker polls it.
TEST_F(ProgressWatch, FollowsTheFrameworksOperationThroughItsPhases) {
    COlFramework framework;
    m_runtime->setOlManager(&framework);
    COlOperationRegistry& ops = framework.operations();
    const unsigned op = ops.newOperationId();
    ASSERT_TRUE(ops.begin(op, {QStringLiteral("Erasing flash"), QStringLiteral("Loading configuration")}));

    m_progress->showProgressDialog(op, QStringLiteral("FPGA load"), true, nullptr);
    ASSERT_TRUE(waitUntil(
        [&] { return dialogRows().size() == 1 && m_dlg->windowTitle() == QStringLiteral("Erasing flash"); }));
    EXPECT_FALSE(abortButton(m_dlg)->isVisible());

    ASSERT_TRUE(ops.report(op, QStringLiteral("Erasing flash"), QStringLiteral("Erasing sector 3"), 60));
    ASSERT_TRUE(
        waitUntil([&] { return describeRows(m_dlg) == QStringList({"Working ... 60 Erasing sector 3"}); }));
    ASSERT_TRUE(ops.report(op, QStringLiteral("Loading configuration"), QStringLiteral("Frame 12"), 50));
    // The first phase was finished when the second began, even without a report of 100 for it.
    ASSERT_TRUE(waitUntil([&] {
        return describeRows(m_dlg) == QStringList({"Done. 100 (text hidden)", "Working ... 50 Frame 12"});
    }));
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Loading configuration"));

    VGXErrorManager::Collector errors;
    ASSERT_TRUE(ops.fail(op, QStringLiteral("Configuration CRC error")));
    ASSERT_TRUE(waitUntil([&] { return !m_progress->isRunning() && !m_dlg->isVisible(); }));
    ASSERT_EQ(errors.errors().size(), 1);
    EXPECT_EQ(errors.errors()[0].code, 50299);
    EXPECT_EQ(errors.errors()[0].text, QStringLiteral("Configuration CRC error"));
    m_runtime->setOlManager(&m_manager);
}

} // namespace
