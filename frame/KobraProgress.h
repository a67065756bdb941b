#pragma once
// The progress service: while a long operation of the organisation-layer framework runs elsewhere,
// a worker thread polls the framework for the operation's phase and percentage and drives the
// progress window through queued signals. It also lets threads other than the GUI thread ask the
// user a question through a message box and wait for the answer.
//
// One instance, created on the GUI thread by the first getInstance(); whoever owns it at the end
// (the organisation layer) closes and deletes it. The worker never touches a widget.
#include <QMessageBox>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>
#include <atomic>

#include "frame/KobraMbTypes.h"

namespace MvQARN {

class COlCommandIfc;
class KobraProgressCallbackIfc;
class KobraProgressDlg;

class KobraProgress : public QThread {
    Q_OBJECT

public:
    // Not thread-safe: the first call happens on the GUI thread while the module is built.
    static KobraProgress* getInstance();
    // Stops a running watch and forgets the instance; the next getInstance() makes a new one.
    ~KobraProgress() override;
    KobraProgress(const KobraProgress&) = delete;
    KobraProgress& operator=(const KobraProgress&) = delete;

    // Starts watching a framework operation (0: none, the bar then just fills up to 99 %). With
    // followPhases every new phase finishes the current bar and opens a new one titled with the
    // phase, and the watch lasts until close(); without it the watch ends by itself at 100 %. The
    // Abort button is shown only with a callback. Ignored while a watch runs or without a window.
    void showProgressDialog(unsigned operation, const QString& title, bool followPhases,
                            KobraProgressCallbackIfc* callback);
    // A bar without the worker, for callers that drive the progress themselves on the GUI thread.
    void showProgressDialogDirect(const QString& title);
    void setProgressDirect(int progress, const QString& text) const;

    // Shows a message box on the GUI thread and answers the pressed button. From another thread
    // the caller waits for the user; on the GUI thread the box runs directly and its answer is
    // returned without waiting (so it never blocks there). Without a window: Ok. A type other
    // than information, warning or critical shows nothing and answers the previous answer.
    QMessageBox::StandardButton showInformation(const QString& title, const QString& info, MB_TYPES type,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton);

    // Ends the watch and waits for the worker (at most about one poll period).
    void close();

    // Poll periods, for tests and tools: the framework is asked every pollPeriodMs (500), and the
    // start and stop handshakes look at the worker's flag every flagPollMs (50).
    static void setPollPeriodMs(int ms);
    static int pollPeriodMs();
    static void setFlagPollMs(int ms);
    static int flagPollMs();

protected:
    void run() override;

    // Connected to the window's slots of the same names.
    Q_SIGNAL void showProgress(bool showAbortButton);
    Q_SIGNAL void createProgressBar(QString title, QString text);
    Q_SIGNAL void updateProgressBar(int progress, QString text);
    Q_SIGNAL void hideProgress();
    Q_SIGNAL void setProgressTitle(QString title);
    Q_SIGNAL void showMessageBox(int type, QString title, QString info, int buttons, int defaultButton);

private:
    friend class KobraProgressDlg;

    KobraProgress();

    // Connects the signals to the current window; false when there is none.
    bool initDialog();
    // Connects when not yet connected to the current window; false when there is none.
    bool ensureConnected();
    // Polls m_running every flagPollMs until the worker has left its loop, then waits for the
    // thread to finish.
    void waitForWorker();
    // Delivers the signals still queued for the window, when called on the window's thread.
    void flushDialogSignals();
    // The window is going away: its connections go with it.
    static void dialogDestroyed();

    COlCommandIfc* m_command = nullptr;
    unsigned m_operation = 0;
    QString m_title;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_keepGoing{false};
    bool m_followPhases = false;
    std::atomic<bool> m_connected{false};

    static KobraProgress* m_instance;
    // Hands a message-box answer from the GUI thread to a waiting thread.
    static QMutex s_mutex;
    static QWaitCondition s_infoConfirmed;
    // Boxes answered so far (guarded by s_mutex): a waiter waits until it changes, so neither an
    // early answer nor a spurious wake-up is mistaken.
    static quint64 s_confirmations;
};

} // namespace MvQARN
