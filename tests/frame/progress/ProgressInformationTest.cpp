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

// Runs showInformation with the title "Box" and the text "Replace the file?" on a thread of its own
// while the GUI thread keeps serving events.
QMessageBox::StandardButton askFromThread(KobraProgress* progress, MB_TYPES type,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton def) {
    std::atomic<bool> done{false};
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    std::thread asker([&] {
        answer = progress->showInformation(QStringLiteral("Box"), QStringLiteral("Replace the file?"), type,
                                           buttons, def);
        done = true;
    });
    if (!waitUntil([&] { return done.load(); })) {
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
    const std::pair<MB_TYPES, QMessageBox::Icon> kinds[] = {{MB_INFORMATION, QMessageBox::Information},
                                                            {MB_WARNING, QMessageBox::Warning},
                                                            {MB_CRITICAL, QMessageBox::Critical}};
    for (const auto& [type, icon] : kinds) {
        EXPECT_EQ(askFromThread(m_progress, type, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes),
                  QMessageBox::No);
        ASSERT_FALSE(answerer.shown.isEmpty());
        const BoxAnswerer::Shown s = answerer.shown.takeLast();
        EXPECT_EQ(s.icon, icon);
        EXPECT_EQ(s.title + QLatin1Char('|') + s.text, QStringLiteral("Box|Replace the file?"));
        EXPECT_EQ(s.defaultButton, QMessageBox::Yes);
        EXPECT_EQ(m_dlg->lastAnswer(), int(QMessageBox::No));
    }
}

} // namespace
