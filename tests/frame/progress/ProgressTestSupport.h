#pragma once
// Pieces of the progress service tests: a scripted framework that answers the progress query from a
// list of status records, a recorder that sees the worker's signals right after the window has
// handled them, a reader of the window's rows, and a wait that keeps the event loop running.
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QWaitCondition>
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

// One answer of the scripted framework to the progress query.
struct ScriptEntry {
    enum Kind { Record, Refuse, NoRecord };
    Kind kind = Record;
    std::string phase;
    std::string message;
    int progress = MvQARN::COlProgressStatus::NoNews;

    static ScriptEntry status(const char* phase, const char* message, int progress) {
        return {Record, phase, message, progress};
    }
    // The framework answers false.
    static ScriptEntry refuse() { return {Refuse, {}, {}, 0}; }
    // The framework answers true without a status record.
    static ScriptEntry noRecord() { return {NoRecord, {}, {}, 0}; }
};

// Answers command 41 from a script, one entry per query of the worker thread. When the script is
// used up it keeps answering the last record's phase with no news. The query the caller sends when
// a watch starts (from the GUI thread) is recorded but does not consume the script. Every query
// can be held at a gate so that a test can get ready before the worker continues.
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
    void hold() {
        QMutexLocker lock(&m_mutex);
        m_held = true;
    }
    void release() {
        QMutexLocker lock(&m_mutex);
        m_held = false;
        m_gate.wakeAll();
    }

    bool execute(int code, MvQARN::COlCommandData* data) override {
        QMutexLocker lock(&m_mutex);
        if (code != MvQARN::OlCmdProgress || !data)
            return false;
        const bool gui = QThread::currentThread() == QCoreApplication::instance()->thread();
        m_calls.append({data->index1, data->index2, gui});
        if (gui)
            return true; // the start notice; its answer is ignored
        while (m_held)
            m_gate.wait(&m_mutex);
        ScriptEntry e;
        if (!m_script.empty()) {
            e = m_script.front();
            m_script.pop_front();
            if (e.kind == ScriptEntry::Record)
                m_lastPhase = e.phase;
        } else {
            e = ScriptEntry::status(m_lastPhase.c_str(), "no news", MvQARN::COlProgressStatus::NoNews);
        }
        switch (e.kind) {
        case ScriptEntry::Refuse:
            return false;
        case ScriptEntry::NoRecord:
            data->text = nullptr;
            return true;
        case ScriptEntry::Record:
            break;
        }
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
    QWaitCondition m_gate;
    bool m_held = false;
    std::deque<ScriptEntry> m_script;
    std::string m_lastPhase;
    std::deque<MvQARN::COlProgressStatus> m_records;
    QList<Call> m_calls;
};

using testsupport::FakeOlManager;

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

// What the window showed right after it handled one signal of the worker.
struct Seen {
    QString signal; // "create", "update" or "hide"
    int progress = 0;
    QString a;
    QString b;
    QStringList rows;
    QString title;
};

// The worker's signals are protected; a derived class may name them.
struct WorkerSignals : MvQARN::KobraProgress {
    static auto create() { return &WorkerSignals::createProgressBar; }
    static auto update() { return &WorkerSignals::updateProgressBar; }
    static auto hide() { return &WorkerSignals::hideProgress; }
};

// Connected after the window, with queued connections on the GUI thread: each of its handlers runs
// right after the window's slot for the same emission, so it sees the window's state then.
class SignalRecorder : public QObject {
public:
    SignalRecorder(MvQARN::KobraProgress* worker, QWidget* dlg) : m_dlg(dlg) {
        connect(
            worker, WorkerSignals::create(), this,
            [this](const QString& title, const QString& text) {
                add(QStringLiteral("create"), 0, title, text);
            },
            Qt::QueuedConnection);
        connect(
            worker, WorkerSignals::update(), this,
            [this](int progress, const QString& text) { add(QStringLiteral("update"), progress, text, {}); },
            Qt::QueuedConnection);
        connect(
            worker, WorkerSignals::hide(), this, [this]() { add(QStringLiteral("hide"), 0, {}, {}); },
            Qt::QueuedConnection);
    }
    QList<Seen> seen;
    QList<Seen> of(const QString& signal) const {
        QList<Seen> out;
        for (const Seen& s : seen)
            if (s.signal == signal)
                out << s;
        return out;
    }

private:
    void add(const QString& signal, int progress, const QString& a, const QString& b) {
        seen.append({signal, progress, a, b, rows(m_dlg), m_dlg->windowTitle()});
    }
    QWidget* m_dlg;
};

// A host runtime with an empty settings folder (so the window reads the host's default display
// size), the scripted framework behind the anchor, one progress window and the worker with tiny
// poll periods.
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
    }
    void TearDown() override {
        delete m_progress; // closes a running watch first
        m_progress = nullptr;
        delete m_recorder;
        m_recorder = nullptr;
        delete m_dlg;
        m_dlg = nullptr;
        QCoreApplication::processEvents();
        m_runtime->setOlManager(nullptr);
        m_runtime.reset();
        MvQARN::KobraProgress::setPollPeriodMs(500);
        MvQARN::KobraProgress::setFlagPollMs(50);
    }

    // Starts a watch with the recorder connected before the worker's first query is answered, so
    // it sees every signal of the watch.
    void startWatch(unsigned operation, const QString& title, bool followPhases,
                    MvQARN::KobraProgressCallbackIfc* callback = nullptr) {
        m_command.hold();
        m_progress->showProgressDialog(operation, title, followPhases, callback);
        if (!m_recorder)
            m_recorder = new SignalRecorder(m_progress, m_dlg);
        m_command.release();
    }
    QStringList dialogRows() const { return rows(m_dlg); }

    QTemporaryDir m_settings;
    ScriptedCommand m_command;
    FakeOlManager m_manager{&m_command};
    std::unique_ptr<MvQARN::VGXHostRuntime> m_runtime;
    MvQARN::KobraProgressDlg* m_dlg = nullptr;
    MvQARN::KobraProgress* m_progress = nullptr;
    SignalRecorder* m_recorder = nullptr;
};

} // namespace progresstest
