// The progress window on its own: its size from the parent or the host's display size, modality and
// publication, and its rows.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "ProgressTestSupport.h"
#include "frame/KobraProgressDlg.h"
#include "host/runtime/impl/VGXHostRuntime.h"

using namespace MvQARN;
using namespace progresstest;

namespace {

// A host runtime with a settings folder of its own.
class ProgressWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_settings.isValid()); }
    void TearDown() override { m_runtime.reset(); }

    void startHost() {
        VGXHostRuntime::Options options;
        options.settingsDir = m_settings.path();
        m_runtime = std::make_unique<VGXHostRuntime>(options);
    }

    QTemporaryDir m_settings;
    std::unique_ptr<VGXHostRuntime> m_runtime;
};

// A fixed size of half the width and a third of the height of the parent, or of the host's display;
// modal, published for the progress service while it lives.
TEST_F(ProgressWindow, SizeFrameAndPublication) {
    startHost();
    EXPECT_EQ(Kobra::g_progressDialog, nullptr);
    {
        KobraProgressDlg dlg;
        EXPECT_EQ(dlg.size(), QSize(400, 200));
        EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize()) << "fixed size";
        EXPECT_EQ(Kobra::g_progressDialog, &dlg);
        EXPECT_TRUE(dlg.isModal());
    }
    EXPECT_EQ(Kobra::g_progressDialog, nullptr);
    {
        QWidget parent;
        parent.resize(901, 601);
        KobraProgressDlg dlg(&parent);
        EXPECT_EQ(dlg.size(), QSize(450, 200));
        EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    }
}

TEST_F(ProgressWindow, RowsStackUpAndHideRemovesThemAll) {
    startHost();
    KobraProgressDlg dlg;
    dlg.createProgressBar(QStringLiteral("First"), QStringLiteral("one"));
    EXPECT_EQ(rows(&dlg), QStringList({"Working ... 0 one"}));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("First"));
    dlg.updateProgressBar(99, QStringLiteral("almost"));
    EXPECT_EQ(rows(&dlg), QStringList({"Working ... 99 almost"}));
    // Beyond 100 counts as done and shows a full bar.
    dlg.updateProgressBar(120, QStringLiteral("over"));
    EXPECT_EQ(rows(&dlg), QStringList({"Done. 100 over"}));

    // An earlier row keeps its state; only the newest row shows its text.
    dlg.createProgressBar(QStringLiteral("Second"), QStringLiteral("two"));
    dlg.updateProgressBar(30, QStringLiteral("third of it"));
    EXPECT_EQ(rows(&dlg), QStringList({"Done. 100 (text hidden)", "Working ... 30 third of it"}));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Second"));

    dlg.showProgress(false);
    ASSERT_TRUE(dlg.isVisible());
    dlg.hideProgress();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.findChildren<QLabel*>().isEmpty()) << "the rows' widgets are deleted, not only hidden";

    // Updates that arrive late have nothing to change.
    dlg.updateProgressBar(50, QStringLiteral("late"));
    EXPECT_TRUE(rows(&dlg).isEmpty());
    // And the window opens its rows again afterwards.
    dlg.createProgressBar(QStringLiteral("Third"), QString());
    EXPECT_EQ(rows(&dlg).size(), 1);
}

} // namespace
