#pragma once
// Pieces of the progress service tests: a scripted framework that answers the progress query from a
// list of status records, a recorder of the worker's signals, a reader of the window's rows, and a
// wait that keeps the event loop running.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <climits>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "frame/KobraProgress.h"
#include "frame/KobraProgressDlg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlProgressStatus.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "support/FakeCommands.h"
#include "support/QtGTestPrinters.h"

namespace progresstest {

// Keeps the GUI thread's events flowing until pred holds. The deadline only guards against a hang;
// no test depends on how fast anything happens.
inline bool waitUntil(const std::function<bool()>& pred, int guardMs = 60000) {
    const QDeadlineTimer guard(guardMs);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (pred())
            return true;
        if (guard.hasExpired())
            return false;
        QThread::msleep(1);
    }
}

// One answer of the scripted framework to the progress query: a status record, or with progress
// Refused a false answer, with NoRecord a true answer without a record.
constexpr int Refused = INT_MIN, NoRecord = INT_MIN + 1;
struct ScriptEntry {
    std::string phase;
    std::string message;
    int progress = MvQARN::COlProgressStatus::NoNews;
};

// Answers command 41 from a script, one entry per query of the worker thread. When the script is
// used up it keeps answering the last record's phase with no news. The query the caller sends when
// a watch starts (from the GUI thread) is recorded but does not consume the script.
class ScriptedCommand : public MvQARN::COlCommandIfc {
public:
    struct Call {
        int index1;
        int index2;
        bool fromGuiThread;
    };

    void setScript(std::deque<ScriptEntry> script) {
        QMutexLocker lock(&m_mutex);
        m_script = std::move(script);
    }

    bool execute(int code, MvQARN::COlCommandData* data) override {
        QMutexLocker lock(&m_mutex);
        if (code != MvQARN::OlCmdProgress || !data)
            return false;
        const bool gui = QThread::currentThread() == QCoreApplication::instance()->thread();
        m_calls.append({data->index1, data->index2, gui});
        if (gui)
            return true; // the start notice; its answer is ignored
        ScriptEntry e{m_lastPhase, "no news", MvQARN::COlProgressStatus::NoNews};
        if (!m_script.empty()) {
            e = m_script.front();
            m_script.pop_front();
        }
        if (e.progress == Refused)
            return false;
        data->text = nullptr;
        if (e.progress == NoRecord)
            return true;
        m_lastPhase = e.phase;
        // Records stay alive for the whole test, so the worker may read them after the call.
        m_records.push_back({e.phase, e.message, e.progress});
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
    std::deque<MvQARN::COlProgressStatus> m_records;
    QList<Call> m_calls;
};

// The window's bar rows in the order they were opened (a status label, a bar and a text label, created
// in this order), each as "status value text"; a hidden text shows as "(text hidden)".
inline QStringList rows(const QWidget* dlg) {
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

inline QPushButton* abortButton(const QWidget* dlg) {
    for (QPushButton* b : dlg->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Abort"))
            return b;
    return nullptr;
}

// The worker's signals are protected; a derived class may name them.
struct WorkerSignals : MvQARN::KobraProgress {
    static auto create() { return &WorkerSignals::createProgressBar; }
    static auto update() { return &WorkerSignals::updateProgressBar; }
    static auto hide() { return &WorkerSignals::hideProgress; }
};

// The worker's signals as they reach the GUI thread: the bars opened ("title|text"), the progress of
// each update and the number of hides.
class SignalRecorder : public QObject {
public:
    explicit SignalRecorder(MvQARN::KobraProgress* worker) {
        connect(
            worker, WorkerSignals::create(), this,
            [this](const QString& title, const QString& text) { creates << title + "|" + text; },
            Qt::QueuedConnection);
        connect(
            worker, WorkerSignals::update(), this,
            [this](int progress, const QString&) { updates << progress; }, Qt::QueuedConnection);
        connect(
            worker, WorkerSignals::hide(), this, [this]() { ++hides; }, Qt::QueuedConnection);
    }
    void clear() {
        creates.clear();
        updates.clear();
        hides = 0;
    }
    QStringList creates;
    QList<int> updates;
    int hides = 0;
};

// A host runtime with an empty settings folder (so the window reads the host's default display
// size), the scripted framework behind the anchor, one progress window, the worker with tiny poll
// periods and a recorder of its signals.
class ProgressServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_settings.isValid());
        MvQARN::KobraProgress::setPollPeriodMs(1);
        MvQARN::KobraProgress::setFlagPollMs(1);
        MvQARN::VGXHostRuntime::Options options;
        options.settingsDir = m_settings.path();
        m_runtime = std::make_unique<MvQARN::VGXHostRuntime>(options);
        m_runtime->setOlManager(&m_manager);
        m_dlg = new MvQARN::KobraProgressDlg(nullptr);
        m_progress = MvQARN::KobraProgress::getInstance();
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
        MvQARN::KobraProgress::setPollPeriodMs(500);
        MvQARN::KobraProgress::setFlagPollMs(50);
    }

    QTemporaryDir m_settings;
    ScriptedCommand m_command;
    testsupport::FakeOlManager m_manager{&m_command};
    std::unique_ptr<MvQARN::VGXHostRuntime> m_runtime;
    MvQARN::KobraProgressDlg* m_dlg = nullptr;
    MvQARN::KobraProgress* m_progress = nullptr;
    std::unique_ptr<SignalRecorder> m_recorder;
};

} // namespace progresstest
