#include "frame/KobraProgress.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <memory>

#include "frame/KobraAnchorCommand.h"
#include "frame/KobraDebugChannel.h"
#include "frame/KobraProgressCallbackIfc.h"
#include "frame/KobraProgressDlg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlProgressStatus.h"
#include "host/util/VGXErrorManager.h"

namespace MvQARN {

namespace {

constexpr int kErrProgress = 50299;
constexpr int kMaxFillWithoutOperation = 99;

std::atomic<int> s_pollPeriodMs{500};
std::atomic<int> s_flagPollMs{50};

// The window, for callers on the GUI thread.
KobraProgressDlg* dialog() {
    return Kobra::g_progressDialog;
}

} // namespace

KobraProgress* KobraProgress::m_instance = nullptr;
QMutex KobraProgress::s_mutex;
QWaitCondition KobraProgress::s_infoConfirmed;
quint64 KobraProgress::s_confirmations = 0;

KobraProgress* KobraProgress::getInstance() {
    if (!m_instance)
        m_instance = new KobraProgress;
    return m_instance;
}

KobraProgress::KobraProgress() : QThread(nullptr), m_title(QStringLiteral("Processing")) {}

KobraProgress::~KobraProgress() {
    close();
    if (m_instance == this)
        m_instance = nullptr;
}

void KobraProgress::setPollPeriodMs(int ms) {
    s_pollPeriodMs = qMax(0, ms);
}

int KobraProgress::pollPeriodMs() {
    return s_pollPeriodMs;
}

void KobraProgress::setFlagPollMs(int ms) {
    s_flagPollMs = qMax(0, ms);
}

int KobraProgress::flagPollMs() {
    return s_flagPollMs;
}

void KobraProgress::dialogDestroyed() {
    if (m_instance)
        m_instance->m_connected = false;
}

bool KobraProgress::initDialog() {
    KobraProgressDlg* dlg = dialog();
    if (!dlg)
        return false;
    // Automatic: queued when the worker emits, direct when the GUI thread does. Unique, because a
    // showInformation from another thread may connect at the same time as the GUI thread.
    const auto type = Qt::ConnectionType(Qt::AutoConnection | Qt::UniqueConnection);
    connect(this, &KobraProgress::showProgress, dlg, &KobraProgressDlg::showProgress, type);
    connect(this, &KobraProgress::createProgressBar, dlg, &KobraProgressDlg::createProgressBar, type);
    connect(this, &KobraProgress::updateProgressBar, dlg, &KobraProgressDlg::updateProgressBar, type);
    connect(this, &KobraProgress::hideProgress, dlg, &KobraProgressDlg::hideProgress, type);
    connect(this, &KobraProgress::setProgressTitle, dlg, &KobraProgressDlg::setProgressTitle, type);
    connect(this, &KobraProgress::showMessageBox, dlg, &KobraProgressDlg::showMessageBox, type);
    m_connected = true;
    return true;
}

bool KobraProgress::ensureConnected() {
    if (!dialog())
        return false;
    return m_connected || initDialog();
}

void KobraProgress::waitForWorker() {
    while (m_running)
        QThread::msleep(unsigned(s_flagPollMs.load()));
    // The worker has left its loop; let it finish so that a new watch can start the thread again.
    wait();
}

void KobraProgress::flushDialogSignals() {
    KobraProgressDlg* dlg = dialog();
    if (dlg && QThread::currentThread() == dlg->thread())
        QCoreApplication::sendPostedEvents(dlg, QEvent::MetaCall);
}

void KobraProgress::showProgressDialog(unsigned operation, const QString& title, bool followPhases,
                                       KobraProgressCallbackIfc* callback) {
    KobraProgressDlg* dlg = dialog();
    if (m_running || !dlg)
        return;
    // A watch that ended by itself may still have its last signals queued; they must not reach
    // the window after the new watch has shown it.
    wait();
    flushDialogSignals();
    dlg->setCallback(callback);
    ensureConnected();
    emit setProgressTitle(title);

    m_followPhases = followPhases;
    m_operation = operation;
    m_title = title;

    if (!m_command)
        m_command = Kobra::anchorCommandInterface();
    if (m_command && operation != 0) {
        // Tells the framework a watch begins; its answer does not matter.
        COlCommandData data;
        data.index1 = int(operation);
        data.index2 = 0;
        m_command->execute(OlCmdProgress, &data);
    }

    m_keepGoing = false;
    waitForWorker();

    // Raised here rather than only in run(), so that a close() arriving before the thread gets to
    // run is not lost and a second call sees the watch at once.
    m_running = true;
    m_keepGoing = true;
    start();

    emit showProgress(callback != nullptr);
}

void KobraProgress::run() {
    m_running = true;
    int p = 1;
    QString text;
    QString lastPhase;
    bool barShown = false;

    Kobra::debugPrint(Kobra::kDebugTrace,
                      QStringLiteral("KobraProgress::run(): begin, operation %1").arg(m_operation));
    if (m_operation == 0)
        emit createProgressBar(m_title, QString());

    for (;;) {
        if (p >= 100 && !m_followPhases)
            break;
        if (!m_command || !m_keepGoing)
            break;

        if (m_operation == 0) {
            emit updateProgressBar(p, QString());
            p = qMin(p + 1, kMaxFillWithoutOperation);
            QThread::msleep(unsigned(s_pollPeriodMs.load()));
            continue;
        }

        auto data = std::make_unique<COlCommandData>();
        data->index1 = int(m_operation);
        data->index2 = p;
        if (!m_command->execute(OlCmdProgress, data.get())) {
            QThread::msleep(unsigned(s_pollPeriodMs.load()));
            continue;
        }

        if (const auto* status = static_cast<const COlProgressStatus*>(data->text)) {
            text = QString::fromStdString(status->message);
            p = status->progress;
            const QString phase = QString::fromStdString(status->phaseTitle);
            if (phase != lastPhase) {
                if (!barShown || m_followPhases) {
                    if (m_followPhases)
                        m_title = phase;
                    if (barShown)
                        emit updateProgressBar(100, QString());
                    emit createProgressBar(m_title, phase);
                    barShown = true;
                }
                lastPhase = phase;
            }
        }

        if (p == COlProgressStatus::Failed) {
            Kobra::debugPrint(
                Kobra::kDebugError,
                QStringLiteral("KobraProgress::run(): operation %1 failed: %2").arg(m_operation).arg(text));
            VGXErrorManager::signal(kErrProgress, text);
            break;
        }
        if (p != COlProgressStatus::NoNews)
            emit updateProgressBar(p, text);

        data.reset();
        QThread::msleep(unsigned(s_pollPeriodMs.load()));
    }

    Kobra::debugPrint(Kobra::kDebugTrace,
                      QStringLiteral("KobraProgress::run(): end, operation %1").arg(m_operation));
    m_running = false;
    emit hideProgress();
}

void KobraProgress::close() {
    m_keepGoing = false;
    waitForWorker();
    // On the GUI thread the window follows at once, so a watch started right after this does
    // not get the old watch's hide.
    flushDialogSignals();
}

QMessageBox::StandardButton KobraProgress::showInformation(const QString& title, const QString& info,
                                                           MB_TYPES type,
                                                           QMessageBox::StandardButtons buttons,
                                                           QMessageBox::StandardButton defaultButton) {
    QMutexLocker lock(&s_mutex);
    KobraProgressDlg* dlg = Kobra::g_progressDialog;
    if (!dlg || !ensureConnected())
        return QMessageBox::Ok;

    if (QThread::currentThread() == dlg->thread()) {
        // On the GUI thread the connection is direct: the box runs inside the emit and its
        // answer is there when it returns. Waiting would block the thread that has to answer.
        lock.unlock();
        emit showMessageBox(int(type), title, info, int(buttons), int(defaultButton));
        lock.relock();
        dlg = Kobra::g_progressDialog;
        return dlg ? QMessageBox::StandardButton(dlg->answer) : QMessageBox::Ok;
    }

    // The mutex is taken before the emit, so an answer given before the wait begins is not missed.
    const quint64 ticket = s_confirmations;
    emit showMessageBox(int(type), title, info, int(buttons), int(defaultButton));
    while (s_confirmations == ticket)
        s_infoConfirmed.wait(&s_mutex);
    dlg = Kobra::g_progressDialog;
    return dlg ? QMessageBox::StandardButton(dlg->answer) : QMessageBox::Ok;
}

void KobraProgress::showProgressDialogDirect(const QString& title) {
    KobraProgressDlg* dlg = dialog();
    if (m_running || !dlg)
        return;
    wait();
    flushDialogSignals();
    ensureConnected();
    dlg->setProgressTitle(title);
    dlg->createProgressBar(title, QString());
    dlg->showProgress(false);
    QCoreApplication::processEvents();
}

void KobraProgress::setProgressDirect(int progress, const QString& text) const {
    KobraProgressDlg* dlg = dialog();
    if (!dlg)
        return;
    dlg->updateProgressBar(progress, text);
    QCoreApplication::processEvents();
}

} // namespace MvQARN
