// The plug-in's dialog base, main dialog, box block and confirmation validators (offscreen) over the
// catalogue: what the user clicks and types, against the database and what the widgets show.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "frame/OrvaneSettings.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXSaveRecallPopup.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"
#include "support/FamilyContext.h"
#include "ui/CKobraDlgMain.h"
#include "ui/CKobraUserValidator.h"
#include "ui/GuiTest.h"
#include "ui/KobraBlock.h"
#include "ui/KobrasCombo.h"

using namespace MvQARN;
using testsupport::FamilyContext;
using testsupport::tup;
using uitest::ScriptedBoxes;

namespace {

// Where a user clicks a check box: on its indicator (a box without text has nothing else to hit).
QPoint indicatorOf(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}

class KobraUi : public uitest::GuiTest {
protected:
    // A box selected on interface (t0, t1), service protection off so no breakout board is asked for.
    void selectBox(int t0, int t1) {
        setSerials({100123, 100456});
        unlockService();
        setInt("IdPDbKobraSelected", tup(t0, t1), 1);
    }
    static std::unique_ptr<CKobraDlgMain> mainDialog(int instance = 0) {
        return open<CKobraDlgMain>("CKobraDlgMain", instance, 0, QStringLiteral(":KOBRA"));
    }
};

TEST_F(KobraUi, DialogPositionIsKeptByCaptionWithoutNegativeEdges) {
    std::unique_ptr<CKobraDlgMain> dlg = mainDialog();
    ASSERT_NE(dlg, nullptr);
    const QString caption = dlg->windowTitle();
    dlg->show();
    // Dragged partly above and left of the screen: those edges are kept at 0, the far edges stay.
    dlg->setGeometry(QRect(-30, -15, 400, 200));
    dlg->close();
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(caption), QRect(0, 0, 370, 185));

    OrvaneSettings::saveDialogPosition(caption, QRect(50, 60, 420, 220));
    dlg->show();
    EXPECT_EQ(dlg->geometry(), QRect(50, 60, 420, 220));
    dlg->close();

    // A stored rectangle that is null or has a negative edge leaves the dialog where it is.
    for (const QRect& stored : {QRect(), QRect(-5, 40, 300, 200), QRect(10, -1, 300, 200)}) {
        OrvaneSettings::saveDialogPosition(caption, stored);
        dlg->move(77, 88);
        dlg->show();
        EXPECT_EQ(dlg->pos(), QPoint(77, 88)) << stored.left();
        dlg->hide();
    }
    // Destroying the dialog stores where it was.
    dlg->show();
    dlg->setGeometry(QRect(5, 6, 400, 210));
    dlg.reset();
    EXPECT_EQ(OrvaneSettings::loadDialogPosition(caption), QRect(5, 6, 400, 210));
}

TEST_F(KobraUi, GuardedStateAsksOnlyWhenSwitchingOnAndCancelKeepsEverything) {
    ScriptedBoxes boxes;
    selectBox(0, 1);
    setInt("IdPDbLynxLogicType", tup(0, 1), 8);
    CKobraUserValidator guard("internalGuiLynxState", "IdPDbLynxState", 2, 0, 0, 1, 0, 0);
    VGXCheckParameter control(nullptr, QStringLiteral("State"),
                              VGXUserDbAttributes("internalGuiLynxState", 0, 0, 1, 0));
    control.show();
    QCheckBox* box = control.checkBox();

    QTest::mouseClick(box, Qt::LeftButton, {}, indicatorOf(box));
    ASSERT_EQ(boxes.titles, QStringList({"Warning"}));
    EXPECT_TRUE(boxes.texts[0].startsWith(QStringLiteral("The current Logic Type of Kobra is <1.2V CMOS>.")))
        << boxes.texts[0].toStdString();
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 1)), 0);
    EXPECT_FALSE(box->isChecked());

    boxes.answers = {VGXMessageBox::ButtonOk};
    QTest::mouseClick(box, Qt::LeftButton, {}, indicatorOf(box));
    EXPECT_EQ(boxes.titles.size(), 2);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 1)), 1);
    EXPECT_TRUE(box->isChecked());

    QTest::mouseClick(box, Qt::LeftButton, {}, indicatorOf(box)); // switching off never asks
    EXPECT_EQ(boxes.titles.size(), 2);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 1)), 0);
    EXPECT_FALSE(box->isChecked());

    // A change made elsewhere (a remote command) shows in the guarded control at once.
    setInt("IdPDbLynxState", tup(0, 1), 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(boxes.titles.size(), 2);
}

TEST_F(KobraUi, LogicTypeAsksOnThisFamilyOnlyWhileTheUserDefinedBoxRuns) {
    ScriptedBoxes boxes;
    selectBox(1, 0);
    CKobraUserValidator guard("internalGuiLynxLogicType", "IdPDbLynxLogicType", 0, 0, 1, 0, 0, 0);
    const SDbInstTupel t = tup(1, 0);

    setInt("internalGuiLynxLogicType", t, 1); // box off: silently taken
    EXPECT_TRUE(boxes.titles.isEmpty());
    EXPECT_EQ(readInt("IdPDbLynxLogicType", t), 1);

    setInt("IdPDbLynxState", t, 1);
    setInt("internalGuiLynxLogicType", t, 0); // box on: asks, and Cancel keeps both values
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_FALSE(boxes.texts[0].contains(QLatin1String("current Logic Type")));
    EXPECT_EQ(readInt("IdPDbLynxLogicType", t), 1);
    EXPECT_EQ(readInt("internalGuiLynxLogicType", t), 1);

    // Under another family every change asks, the box off as well.
    FamilyContext other(0x20000);
    setInt("IdPDbLynxState", t, 0);
    boxes.answers = {VGXMessageBox::ButtonOk};
    setInt("internalGuiLynxLogicType", t, 3);
    EXPECT_EQ(boxes.texts.size(), 2);
    EXPECT_EQ(readInt("IdPDbLynxLogicType", t), 3);
}

TEST_F(KobraUi, MainDialogWritesTheInterfaceAndFollowsRemoteChanges) {
    selectBox(1, 0);
    std::unique_ptr<CKobraDlgMain> dlg = mainDialog(1);
    ASSERT_NE(dlg, nullptr);
    auto* toggle = dlg->findChild<VGXToggleParameter*>();
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->button()->text(), QStringLiteral("Off"));

    QTest::mouseClick(toggle->button(), Qt::LeftButton);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(1, 0)), 1);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 0)), 0);
    EXPECT_EQ(toggle->button()->text(), QStringLiteral("On"));

    setInt("IdPDbKobraState", tup(1, 0), 0);
    EXPECT_EQ(toggle->button()->text(), QStringLiteral("Off"));

    // The test field follows its parameter, which this catalogue does not offer.
    auto* test = dlg->findChild<VGXTextParameter*>();
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(test->labelText(), QStringLiteral("Test Parameter"));
    EXPECT_FALSE(test->isVisible());
}

TEST_F(KobraUi, SaveRecallPopupRoundTripsAndADamagedFileChangesNothing) {
    ScriptedBoxes boxes;
    std::unique_ptr<CKobraDlgMain> dlg = mainDialog(1);
    ASSERT_NE(dlg, nullptr);
    const QString file = m_dir.filePath(QStringLiteral("bench.lynx"));
    VGXUserFileDialog::setAnswerHook([&file](const VGXUserFileDialog&) { return file; });
    VGXSaveRecallPopup* popup = dlg->saveRecallPopup();
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_EQ(popup->actions()[0]->text(), QStringLiteral("Recall KOBRA"));

    setInt("IdPDbLynxLogicType", tup(1, 0), 4);
    ASSERT_EQ(popup->runEntry(1), file);
    ASSERT_TRUE(QFile::exists(file));
    setInt("IdPDbLynxLogicType", tup(1, 0), 1);
    ASSERT_EQ(popup->runEntry(0), file);
    EXPECT_EQ(readInt("IdPDbLynxLogicType", tup(1, 0)), 4);
    EXPECT_TRUE(boxes.texts.isEmpty());

    setInt("IdPDbLynxLogicType", tup(1, 0), 1);
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("not a settings file\n\x01\x02");
    damaged.close();
    const testsupport::Snapshot before = testsupport::snapshot();
    EXPECT_TRUE(popup->runEntry(0).isEmpty());
    EXPECT_TRUE(testsupport::unchanged(before));
    ASSERT_EQ(boxes.texts.size(), 1); // the reason is shown
    EXPECT_FALSE(boxes.texts[0].trimmed().isEmpty());
}

TEST_F(KobraUi, BlockOffersTheConnectedBoxesAndPassesClicksToItsSelector) {
    setSerials({100123, 100456});
    VGXPanel diagram;
    KobraBlock* block =
        new KobraBlock(QStringLiteral("BBOUT B"), &diagram, "IdPDbLynxState", "IdPDbKobraType", 1, 0, 1, 0);
    diagram.show();
    QComboBox* combo = block->boxSelector()->comboBox();
    EXPECT_EQ(block->boxSelector()->itemTexts(), QStringList({"None", "100123", "100456"}));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(1, 1)), 2);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", tup(0, 1)), 0);

    block->click();
    EXPECT_TRUE(combo->hasFocus() || combo->view()->isVisible());
    combo->hidePopup();
}

} // namespace
