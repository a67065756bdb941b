// Message boxes for other threads: the box runs on the GUI thread while the asking thread waits,
// and the pressed button comes back to it.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "ProgressTestSupport.h"
#include "frame/KobraProgress.h"
#include "frame/KobraProgressDlg.h"

using namespace MvQARN;
using namespace progresstest;

namespace {

// Answers every message box that comes up with the given button and notes what it showed.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton press) : m_press(press) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible())
                    continue;
                shown.append({box->icon(), box->windowTitle(), box->text(),
                              box->defaultButton() != nullptr ? box->standardButton(box->defaultButton())
                                                              : QMessageBox::NoButton});
                if (QAbstractButton* b = box->button(m_press))
                    b->click();
            }
        });
        m_timer.start();
    }
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButton defaultButton;
    };
    QList<Shown> shown;

private:
    QMessageBox::StandardButton m_press;
    QTimer m_timer;
};

// Runs showInformation on a thread of its own while the GUI thread keeps serving events.
QMessageBox::StandardButton askFromThread(KobraProgress* progress, MB_TYPES type, const QString& title,
                                          const QString& info, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton) {
    std::atomic<bool> done{false};
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    std::thread asker([&] {
        answer = progress->showInformation(title, info, type, buttons, defaultButton);
        done = true;
    });
    const bool finished = waitUntil([&] { return done.load(); });
    if (!finished) {
        ADD_FAILURE() << "the asking thread did not get an answer";
        asker.detach();
        return QMessageBox::NoButton;
    }
    asker.join();
    return answer;
}

using ProgressInformation = ProgressServiceTest;

TEST_F(ProgressInformation, AnotherThreadGetsTheButtonPressedInEachKindOfBox) {
    BoxAnswerer answerer(QMessageBox::No);
    const struct {
        MB_TYPES type;
        QMessageBox::Icon icon;
    } kinds[] = {
        {MB_INFORMATION, QMessageBox::Information},
        {MB_WARNING, QMessageBox::Warning},
        {MB_CRITICAL, QMessageBox::Critical},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(int(k.type));
        const int before = int(answerer.shown.size());
        const QMessageBox::StandardButton answer =
            askFromThread(m_progress, k.type, QStringLiteral("Box"), QStringLiteral("Replace the file?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        EXPECT_EQ(answer, QMessageBox::No);
        ASSERT_GT(answerer.shown.size(), before);
        const BoxAnswerer::Shown& s = answerer.shown.last();
        EXPECT_EQ(s.icon, k.icon);
        EXPECT_EQ(s.title + QLatin1Char('|') + s.text, QStringLiteral("Box|Replace the file?"));
        EXPECT_EQ(s.defaultButton, QMessageBox::Yes);
        EXPECT_EQ(m_dlg->lastAnswer(), int(QMessageBox::No));
    }
}

TEST_F(ProgressInformation, AnUnknownKindShowsNothingAndAnswersThePreviousAnswerAlsoOnTheGuiThread) {
    BoxAnswerer answerer(QMessageBox::Retry);
    // Before any box the previous answer is 0.
    EXPECT_EQ(askFromThread(m_progress, MB_TYPES(5), QStringLiteral("t"), QStringLiteral("i"),
                            QMessageBox::Ok, QMessageBox::Ok),
              QMessageBox::StandardButton(0));
    EXPECT_TRUE(answerer.shown.isEmpty());

    EXPECT_EQ(askFromThread(m_progress, MB_WARNING, QStringLiteral("t"), QStringLiteral("i"),
                            QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel),
              QMessageBox::Retry);
    const int boxes = int(answerer.shown.size());
    EXPECT_EQ(askFromThread(m_progress, MB_TYPES(5), QStringLiteral("t"), QStringLiteral("i"),
                            QMessageBox::Ok, QMessageBox::Ok),
              QMessageBox::Retry);
    EXPECT_EQ(answerer.shown.size(), boxes);

    // On the GUI thread the answer comes without waiting (a wait would never end: the GUI thread is
    // the one that has to answer).
    EXPECT_EQ(m_progress->showInformation(QStringLiteral("t"), QStringLiteral("i"), MB_CRITICAL,
                                          QMessageBox::Abort | QMessageBox::Retry, QMessageBox::Abort),
              QMessageBox::Retry);
    EXPECT_EQ(answerer.shown.size(), boxes + 1);
    EXPECT_EQ(m_progress->showInformation(QStringLiteral("t"), QStringLiteral("i"), MB_TYPES(7),
                                          QMessageBox::Ok, QMessageBox::Ok),
              QMessageBox::Retry);
}

TEST_F(ProgressInformation, WithoutAWindowTheAnswerIsOk) {
    delete m_dlg;
    m_dlg = nullptr;
    EXPECT_EQ(m_progress->showInformation(QStringLiteral("t"), QStringLiteral("i"), MB_WARNING,
                                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
              QMessageBox::Ok);
    EXPECT_EQ(askFromThread(m_progress, MB_WARNING, QStringLiteral("t"), QStringLiteral("i"),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
              QMessageBox::Ok);
}

} // namespace
