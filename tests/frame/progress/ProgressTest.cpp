// The progress service: the window on its own, and watching a framework operation: the worker polls
// the progress query, the window follows, the watch ends at 100 %, on failure, on Abort or on close.
#include <QCoreApplication>
#include <QLabel>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <climits>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "frame/KobraProgress.h"
#include "frame/KobraProgressCallbackIfc.h"
#include "frame/KobraProgressDlg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlProgressStatus.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXErrorManager.h"
#include "support/FakeCommands.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

// Keeps the GUI thread's events flowing until pred holds. The deadline only guards against a hang;
// no test depends on how fast anything happens.
bool waitUntil(const std::function<bool()>& pred) {
    return QTest::qWaitFor(pred, 60000);
}

// One answer of the scripted framework to the progress query: a status record, or with progress
// Refused a false answer, with NoRecord a true answer without a record.
constexpr int Refused = INT_MIN, NoRecord = INT_MIN + 1;
using ScriptEntry = COlProgressStatus;

// Answers command 41 from a script, one entry per query of the worker thread. When the script is
// used up it keeps answering the last record's phase with no news. The query the caller sends when
// a watch starts (from the GUI thread) is recorded but does not consume the script.
class ScriptedCommand : public COlCommandIfc {
public:
    struct Call {
        int index1;
        bool fromGuiThread;
    };
    void setScript(std::deque<ScriptEntry> script) {
        QMutexLocker lock(&m_mutex);
        m_script = std::move(script);
    }
    bool execute(int code, COlCommandData* data) override {
        QMutexLocker lock(&m_mutex);
        if (code != OlCmdProgress || !data)
            return false;
        const bool gui = QThread::currentThread() == QCoreApplication::instance()->thread();
        m_calls.append({data->index1, gui});
        if (gui)
            return true; // the start notice; its answer is ignored
        ScriptEntry e{m_lastPhase, "no news", COlProgressStatus::NoNews};
        if (!m_script.empty()) {
            e = m_script.front();
            m_script.pop_front();
        }
        if (e.progress == Refused)
            return false;
        data->text = nullptr;
        if (e.progress == NoRecord)
            return true;
        m_lastPhase = e.phaseTitle;
        // Records stay alive for the whole test, so the worker may read them after the call.
        m_records.push_back(e);
        data->text = &m_records.back();
        return true;
    }
    QList<Call> calls() const {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    QList<Call> workerCalls() const {
        QList<Call> out;
        for (const Call& c : calls())
            if (!c.fromGuiThread)
                out << c;
        return out;
    }
    int scriptLeft() const {
        QMutexLocker lock(&m_mutex);
        return int(m_script.size());
    }

private:
    mutable QMutex m_mutex;
    std::deque<ScriptEntry> m_script;
    std::string m_lastPhase;
    std::deque<COlProgressStatus> m_records;
    QList<Call> m_calls;
};

// The window's bar rows in the order they were opened (a status label, a bar and a text label, created
// in this order), each as "status value text"; a hidden text shows as "(text hidden)".
QStringList rows(const QWidget* dlg) {
    QStringList out;
    const QObjectList& children = dlg->children();
    for (int i = 1; i + 1 < children.size(); ++i) {
        const auto* bar = qobject_cast<const QProgressBar*>(children.at(i));
        const auto* status = qobject_cast<const QLabel*>(children.at(i - 1));
        const auto* text = qobject_cast<const QLabel*>(children.at(i + 1));
        if (bar && status && text)
            out << QStringLiteral("%1 %2 %3")
                       .arg(status->text())
                       .arg(bar->value())
                       .arg(text->isHidden() ? QStringLiteral("(text hidden)") : text->text());
    }
    return out;
}

// The worker's signals as they reach the GUI thread: the bars opened ("title|text"), the progress of
// each update and the number of hides. The signals are protected; a derived class may name them.
struct WorkerSignals : KobraProgress {
    using KobraProgress::createProgressBar, KobraProgress::hideProgress, KobraProgress::updateProgressBar;
};
struct SignalRecorder : QObject {
    explicit SignalRecorder(KobraProgress* w) {
        const auto queued = Qt::QueuedConnection;
        connect(
            w, &WorkerSignals::createProgressBar, this,
            [this](QString t, QString x) { creates << t + "|" + x; }, queued);
        connect(
            w, &WorkerSignals::updateProgressBar, this, [this](int p, QString) { updates << p; }, queued);
        connect(
            w, &WorkerSignals::hideProgress, this, [this] { ++hides; }, queued);
    }
    QStringList creates;
    QList<int> updates;
    int hides = 0;
};

// A host runtime with an empty settings folder (so the window reads the host's default display
// size), the scripted framework behind the anchor, one progress window, the worker with tiny poll
// periods and a recorder of its signals.
class ProgressWatch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_settings.isValid());
        KobraProgress::setPollPeriodMs(1);
        KobraProgress::setFlagPollMs(1);
        VGXHostRuntime::Options options;
        options.settingsDir = m_settings.path();
        m_runtime = std::make_unique<VGXHostRuntime>(options);
        m_runtime->setOlManager(&m_manager);
        m_dlg = new KobraProgressDlg(nullptr);
        m_progress = KobraProgress::getInstance();
        m_recorder = std::make_unique<SignalRecorder>(m_progress);
    }
    void TearDown() override {
        m_recorder.reset();
        delete m_progress; // closes a running watch first
        m_progress = nullptr;
        delete m_dlg;
        m_dlg = nullptr;
        QCoreApplication::processEvents();
        m_runtime->setOlManager(nullptr);
        m_runtime.reset();
    }

    QTemporaryDir m_settings;
    ScriptedCommand m_command;
    testsupport::FakeOlManager m_manager{&m_command};
    std::unique_ptr<VGXHostRuntime> m_runtime;
    KobraProgressDlg* m_dlg = nullptr;
    KobraProgress* m_progress = nullptr;
    std::unique_ptr<SignalRecorder> m_recorder;
};

constexpr unsigned kOp = 0x4711;

struct CountingCallback : KobraProgressCallbackIfc {
    void progressAborted() override { ++count; }
    int count = 0;
};

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
        m_recorder = std::make_unique<SignalRecorder>(m_progress);
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

    auto* abort = m_dlg->findChild<QPushButton*>();
    ASSERT_TRUE(abort && abort->isVisible() && abort->text() == QStringLiteral("&Abort"));
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

// The window on its own: a fixed size of half the width and a third of the height of the parent (or
// of the host's display), published while it lives; hiding deletes the rows, so late updates change
// nothing.
TEST_F(ProgressWatch, WindowSizePublicationAndRows) {
    delete m_dlg; // the fixture's window
    m_dlg = nullptr;
    EXPECT_EQ(Kobra::g_progressDialog, nullptr);
    {
        QWidget parent;
        parent.resize(901, 601);
        KobraProgressDlg child(&parent);
        EXPECT_EQ(child.size(), QSize(450, 200));
    }
    KobraProgressDlg dlg;
    EXPECT_EQ(dlg.size(), QSize(400, 200));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize()) << "fixed size";
    EXPECT_EQ(Kobra::g_progressDialog, &dlg);
    EXPECT_TRUE(dlg.isModal());
    dlg.createProgressBar(QStringLiteral("First"), QStringLiteral("one"));
    dlg.updateProgressBar(120, QStringLiteral("over")); // beyond 100 counts as done, a full bar
    EXPECT_EQ(rows(&dlg), QStringList({"Done. 100 over"}));
    dlg.showProgress(false);
    dlg.hideProgress();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.findChildren<QLabel*>().isEmpty()) << "the rows' widgets are deleted, not only hidden";
    dlg.updateProgressBar(50, QStringLiteral("late"));
    EXPECT_TRUE(rows(&dlg).isEmpty());
}

} // namespace
