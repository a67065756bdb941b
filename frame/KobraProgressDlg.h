#pragma once
// The progress window: a modal dialog with one row per bar (status label, bar, text below) and an
// Abort button. It lives on the application's main thread; the progress service's worker reaches
// its slots through queued signals, GUI-thread callers call them directly. One instance, created
// by the module's GUI registration and deleted by the module.
#include <QDialog>
#include <QString>

class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QStyle;
class QVBoxLayout;

namespace MvQARN {

class KobraProgress;
class KobraProgressCallbackIfc;

class KobraProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit KobraProgressDlg(QWidget* parent = nullptr);
    ~KobraProgressDlg() override;
    KobraProgressDlg(const KobraProgressDlg&) = delete;
    KobraProgressDlg& operator=(const KobraProgressDlg&) = delete;

    // Told when the user aborts; may be null (then the Abort button stays hidden).
    void setCallback(KobraProgressCallbackIfc* cb) { callback = cb; }
    KobraProgressCallbackIfc* getCallback() const { return callback; }
    // The button pressed in the last message box (0 before the first one).
    int lastAnswer() const;

public slots:
    // Opens a new row: earlier rows stay, only their text label is hidden.
    void createProgressBar(QString title, QString text);
    void updateProgressBar(int progress, QString text);
    void showProgress(bool withAbortBtn);
    // Removes every row and hides the window.
    void hideProgress();
    void progressAbort();
    void setProgressTitle(QString title);
    // Type 0 information, 1 warning, 2 critical; any other type shows nothing. Always releases the
    // threads waiting for an answer.
    void showMessageBox(int type, QString title, QString info, int buttons, int defaultButton);

private:
    // The service reads the answer under its mutex.
    friend class KobraProgress;

    static void clearLayout(QLayout* layout);
    static void fitStatusFont(QLabel* label);

    // The current row; null while no bar is shown.
    QProgressBar* progressBar = nullptr;
    QLabel* textLabel = nullptr;
    QLabel* statusLabel = nullptr;
    QVBoxLayout* contentLayout = nullptr;
    // Style of every progress bar (the classic flat look; Fusion draws it). Owned by the dialog.
    QStyle* motifStyle = nullptr;
    KobraProgressCallbackIfc* callback = nullptr;
    QPushButton* abortButton = nullptr;
    // Guarded by the progress service's mutex: a waiting thread reads it.
    int answer = 0;
};

} // namespace MvQARN

namespace Kobra {

// The one progress window; set by its constructor, null when there is none. Read on the GUI thread
// (other threads read it only under the progress service's mutex).
extern MvQARN::KobraProgressDlg* g_progressDialog;

} // namespace Kobra
