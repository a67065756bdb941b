// The interface panels and setup dialogs (offscreen) over the catalogue: rows that follow their
// settings, input reaching the database as SCPI would, titles naming the box, dialogs that close.
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXTabViewer.h"
#include "host/gui/VGXTextParameter.h"
#include "remote/CKobraScpiModule.h"
#include "support/FamilyContext.h"
#include "support/ScpiLineRunner.h"
#include "ui/GuiTest.h"
#include "ui/ifc/CBasebandLynxClockDialog.h"
#include "ui/ifc/CBasebandLynxDataDialog.h"
#include "ui/ifc/CBasebandLynxMainDialog.h"
#include "ui/ifc/CBasebandLynxPnlTrigger.h"
#include "ui/ifc/CBasebandLynxSpiDialog.h"
#include "ui/ifc/CBasebandLynxTestDialog.h"
#include "ui/ifc/CLynxPnlClock.h"
#include "ui/ifc/CLynxPnlData.h"
#include "ui/ifc/CLynxPnlProtocol.h"
#include "ui/ifc/CLynxPnlSsi.h"
#include "ui/ifc/CLynxPnlTest.h"

using namespace MvQARN;
using testsupport::FamilyContext;
using testsupport::Snapshot;
using testsupport::tup;

namespace {

constexpr int kUserFamily = 0x10000;
constexpr int kOtherFamily = 0x20000;

class LynxIfc : public uitest::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        setSerials({100123, 100456});
        switchOn(0, 1, 1);
    }
    static void type(VGXTextParameter* field, const QString& input) {
        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), input);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
    }
    // Chooses or types the input into the first field with this label outside the SSI part. A typed
    // number out of every range goes first: refused with its reason, the field and database as before.
    static void enter(CBasebandLynxMainDialog* dlg, const QString& label, const QString& input) {
        for (auto* c : dlg->findChildren<VGXParameterControl*>()) {
            if (c->labelText().trimmed() != label || dlg->ssiPart()->isAncestorOf(c))
                continue;
            if (auto* combo = qobject_cast<VGXComboParameter*>(c))
                return choose(combo, input);
            auto* field = qobject_cast<VGXTextParameter*>(c);
            const QString shown = field->text();
            const Snapshot before = testsupport::snapshot();
            type(field, QStringLiteral("1e300"));
            EXPECT_TRUE(field->lastError() != 0 && !field->lastErrorText().isEmpty() &&
                        field->text() == shown && field->fieldWidget()->toolTip() == field->lastErrorText() &&
                        testsupport::unchanged(before));
            return type(field, input);
        }
        ADD_FAILURE() << "no field " << label.toStdString();
    }
};

TEST_F(LynxIfc, UserTitleNamesTheSelectedBoxAndFollowsTheBoxList) {
    FamilyContext family(kUserFamily);
    auto dlg = open<CBasebandLynxMainDialog>("CBasebandLynxMainInOutDialog", 2, 0); // path A, Out side
    EXPECT_EQ(dlg->title(), QStringLiteral("KOBRA (100123): User Defined"));
    setSerials({100789, 100123}); // another box plugged in before it: the selection moves along
    EXPECT_EQ(dlg->title(), QStringLiteral("KOBRA (100123): User Defined"));
    setSerials({100789}); // its box unplugged
    EXPECT_EQ(dlg->title(), QStringLiteral("KOBRA (no selected device): User Defined"));
}

// The same change made in the interface dialog and by its SCPI command leaves the same database.
TEST_F(LynxIfc, DialogInputAndScpiCommandLeaveTheSameDatabase) {
    FamilyContext family(kUserFamily);
    const char* const cases[][3] = {
        {"Format", "Serial", "FORMat SER"},           {"Interleaving", "Q/I Interleaved", "ILE QI"},
        {"Word Size", "12", "DATA:SIZE 12"},          {"Numeric Format", "Binary Offset", "DATA:NFOR OBIN"},
        {"Clock Rate", "50", "CLOCk:RATE 50MHZ"},     {"Clock Source", "User Interface", "CLOC:SOUR EXT"},
        {"Clock Skew", "1.5", "CLOC:SKEW:OUT 1.5NS"}, {"Trigger Source", "SYNC IN", "TRIG:SOUR SYNC"},
        {"Trigger Delay", "100", "TRIG:DEL 100"},     {"Amplitude", "-6", "TEST:TX:SINE:AMPL -6"},
    };
    CKobraScpiModule tree;
    ScpiLineRunner remote;
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        Snapshot after[2];
        for (int byDialog : {1, 0}) {
            SetUp();
            auto dlg = open<CBasebandLynxMainDialog>("CBasebandLynxMainOutDialog", 0, 1);
            const Snapshot before = testsupport::snapshot();
            byDialog ? enter(dlg.get(), c[0], c[1]) : remote.ok(QStringLiteral("SOURce3:KOBR:USER:") + c[2]);
            after[byDialog] = testsupport::snapshot();
            EXPECT_FALSE(testsupport::differences(before, after[byDialog]).isEmpty());
        }
        EXPECT_EQ(testsupport::differences(after[0], after[1]), QStringList());
    }
}

TEST_F(LynxIfc, ClockSourceUnlocksItsSettingsBothFromTheComboAndFromTheDatabase) {
    auto dlg = open<CBasebandLynxClockDialog>("CBasebandLynxClockDialog", 0, 1);
    CLynxPnlClock* panel = dlg->panel();
    auto* source = row<VGXComboParameter>(panel, QStringLiteral("Clock Source"));
    ASSERT_NE(source, nullptr);
    choose(source, QStringLiteral("User Interface"));
    EXPECT_EQ(readInt("IdPDbLynxClocSour", tup(0, 1)), 1);
    EXPECT_FALSE(panel->clockInSkew()->isEffectivelyReadOnly());
    EXPECT_TRUE(panel->refFrequency()->isEffectivelyReadOnly());

    setInt("IdPDbLynxClocSour", tup(0, 1), 2); // as a remote command would
    EXPECT_EQ(source->currentText(), QStringLiteral("REF IN"));
    EXPECT_TRUE(panel->clockInSkew()->isEffectivelyReadOnly());
    EXPECT_FALSE(panel->refFrequency()->isEffectivelyReadOnly());

    setInt("IdPDbKobraVariant", tup(0, 1), 0);
    EXPECT_FALSE(panel->clockInSkew()->isWantedVisible());
    setInt("IdPDbKobraVariant", tup(0, 1), 1);
    EXPECT_TRUE(panel->clockInSkew()->isWantedVisible());
}

TEST_F(LynxIfc, ParallelOnlyRowsFollowTheFormatInEveryOpenPanel) {
    CLynxPnlData first(nullptr, 0, 1);
    CLynxPnlData second(nullptr, 0, 1);
    CLynxPnlData otherPort(nullptr, 0, 0);
    setInt("IdPDbLynxFormat", tup(0, 0), 0);
    for (int format : {1, 0}) {
        setInt("IdPDbLynxFormat", tup(0, 1), format);
        for (CLynxPnlData* p : {&first, &second}) {
            EXPECT_EQ(p->wordAlignment()->isWantedVisible(), format == 1);
            EXPECT_EQ(p->bitOrder()->isWantedVisible(), format == 1);
        }
        EXPECT_FALSE(otherPort.wordAlignment()->isWantedVisible());
    }
}

TEST_F(LynxIfc, TestSectionsFollowDirectionAndTransmitSource) {
    FamilyContext family(kUserFamily);
    CLynxPnlTest panel(nullptr, 0, 1);
    CLynxPnlTest receiver(nullptr, 0, 0);
    EXPECT_TRUE(receiver.receiveSection()->isVisibleTo(&receiver));
    EXPECT_FALSE(receiver.transmitSection()->isVisibleTo(&receiver));
    EXPECT_FALSE(panel.receiveSection()->isVisibleTo(&panel));
    EXPECT_TRUE(panel.transmitSection()->isVisibleTo(&panel));

    unlockService();
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    choose(panel.transmitSource(), QStringLiteral("Sine"));
    EXPECT_EQ(readInt("IdPDbLynxTestTxSource", tup(0, 1)), 2);
    EXPECT_TRUE(panel.sineSettings()->isVisibleTo(&panel));
    EXPECT_FALSE(panel.arbSettings()->isVisibleTo(&panel));
    choose(panel.transmitSource(), QStringLiteral("ARB2"));
    EXPECT_FALSE(panel.sineSettings()->isVisibleTo(&panel));
    EXPECT_TRUE(panel.arbSettings()->isVisibleTo(&panel));

    setInt("IdPDbProtLevState", tup(0, 0), 1);
    EXPECT_EQ(panel.transmitSource()->itemTexts(), QStringList({"PRBS", "Counter", "Sine"}));
}

// Setup dialogs come from the factory titled with their port, and close when the logic type or the
// box takes their settings away (under the user-interface family the data dialog stays).
TEST_F(LynxIfc, SetupDialogsHavePortTitlesAndCloseWhenTheLogicTypeOrTheBoxTakesTheirSettingsAway) {
    {
        FamilyContext family(kOtherFamily);
        auto clock = open<CBasebandLynxClockDialog>("CBasebandLynxClockDialog", 0, 1);
        auto spi = open<CBasebandLynxSpiDialog>("CBasebandLynxSpiDialog", 0, 1);
        auto data = open<CBasebandLynxDataDialog>("CBasebandLynxDataDialog", 0, 0);
        setInt("IdPDbLynxDeviceState", tup(0, 1), 1);
        auto test = open<CBasebandLynxTestDialog>("CBasebandLynxTestDialog", 0, 1);
        ASSERT_TRUE(clock && data && spi && test);
        EXPECT_EQ(clock->title(), QStringLiteral("KOBRA - BBOUT : Clock Setup"));
        EXPECT_EQ(data->shortTitle(), QStringLiteral("KOBRA\nBBIN Data"));
        EXPECT_EQ(spi->title(), QStringLiteral("KOBRA - BBOUT : SPI Setup"));
        EXPECT_EQ(test->shortTitle(), QStringLiteral("KOBRA\nBBOUT Test"));
        setInt("IdPDbLynxLogicType", tup(0, 1), 6);
        EXPECT_FALSE(clock->isVisible());
        EXPECT_TRUE(spi->isVisible());
        setInt("IdPDbLynxLogicType", tup(0, 1), 2);
        EXPECT_FALSE(spi->isVisible());
        EXPECT_TRUE(test->isVisible());
        setInt("IdPDbLynxDeviceState", tup(0, 1), 0);
        EXPECT_FALSE(test->isVisible());
    }
    FamilyContext family(kUserFamily);
    setInt("IdPDbLynxDeviceState", tup(0, 1), 1);
    auto data = open<CBasebandLynxDataDialog>("CBasebandLynxDataDialog", 0, 1);
    setInt("IdPDbLynxLogicType", tup(0, 1), 8);
    setInt("IdPDbLynxDeviceState", tup(0, 1), 0);
    EXPECT_TRUE(data->isVisible());
}

TEST_F(LynxIfc, ProtocolRowsAndSummariesFollowTheDatabase) {
    CLynxPnlProtocol panel(nullptr, 0, 1);
    setInt("IdPDbLynxFormat", tup(0, 1), 1);
    setInt("IdPDbLynxSigType", tup(0, 1), 1); // IF exists only on a parallel transmitter
    EXPECT_TRUE(panel.ratio()->isWantedVisible());
    EXPECT_TRUE(panel.ifFrequency()->isWantedVisible());
    setInt("IdPDbLynxSigType", tup(0, 1), 0);
    setInt("IdPDbLynxFormat", tup(0, 1), 0);
    EXPECT_FALSE(panel.ratio()->isWantedVisible());
    EXPECT_FALSE(panel.ifFrequency()->isWantedVisible());
    setInt("IdPDbLynxClocSour", tup(0, 1), 1);
    EXPECT_TRUE(panel.clockSummary()->text().startsWith(QStringLiteral("User Interface, ")));
    EXPECT_TRUE(panel.dataSummary()->text().endsWith(QStringLiteral(", IQ")));
}

TEST_F(LynxIfc, TriggerIsLockedOnTheReceiverAndManualTriggerFollowsTheTransmitTest) {
    CBasebandLynxPnlTrigger receiver(nullptr, 0, 0);
    CBasebandLynxPnlTrigger transmitter(nullptr, 0, 1);
    for (auto* control : receiver.findChildren<VGXParameterControl*>())
        EXPECT_TRUE(control->isEffectivelyReadOnly()) << control->labelText().toStdString();
    EXPECT_EQ(readInt("IdPDbLynxTriggerSource", tup(0, 0)), 0);
    EXPECT_FALSE(transmitter.findChildren<VGXParameterControl*>().at(0)->isEffectivelyReadOnly());
    for (int test : {1, 0}) {
        setInt("IdPDbLynxTestTxPrbs", tup(0, 1), test);
        EXPECT_EQ(transmitter.executeTrigger()->isWantedVisible(), test == 1);
    }
}

TEST_F(LynxIfc, MainDialogTabsFollowVariantAndLogicTypeWithoutDuplicates) {
    FamilyContext family(kOtherFamily);
    auto dlg = open<CBasebandLynxMainDialog>("CBasebandLynxMainOutDialog", 0, 1);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->title(), QStringLiteral("KOBRA - BBOUT"));
    setInt("IdPDbProtLevState", tup(0, 1), 1);
    const QStringList full{"Protocol", "Data", "Clock", "Trigger", "Test"};
    EXPECT_EQ(dlg->tabs()->tabTitles(), full);
    setInt("IdPDbKobraVariant", tup(0, 1), 0);
    EXPECT_EQ(dlg->tabs()->tabTitles(), QStringList({"Protocol", "Data", "Clock"}));
    setInt("IdPDbKobraVariant", tup(0, 1), 1);
    EXPECT_EQ(dlg->tabs()->tabTitles(), full);
    // The ARB tab is there only at protection level 0, and always stays last.
    setInt("IdPDbProtLevState", tup(0, 1), 0);
    EXPECT_EQ(dlg->tabs()->tabTitles(), full + QStringList{"ARB Settings"});
    setInt("IdPDbKobraVariant", tup(0, 1), 0);
    setInt("IdPDbKobraVariant", tup(0, 1), 1);
    EXPECT_EQ(dlg->tabs()->tabTitles(), full + QStringList{"ARB Settings"});
    setInt("IdPDbProtLevState", tup(0, 1), 1);
    EXPECT_EQ(dlg->tabs()->tabTitles(), full);

    setInt("IdPDbLynxLogicType", tup(0, 1), 6);
    EXPECT_TRUE(dlg->ssiPart()->isVisibleTo(dlg.get()));
    EXPECT_FALSE(dlg->tabs()->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->height(), dlg->sizeHint().height()); // sized to the part it shows
    setInt("IdPDbLynxLogicType", tup(0, 1), 2);
    EXPECT_FALSE(dlg->ssiPart()->isVisibleTo(dlg.get()));
    EXPECT_TRUE(dlg->tabs()->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->height(), dlg->sizeHint().height());
}

TEST_F(LynxIfc, SsiRowsFollowDirectionAndCmSize) {
    CLynxPnlSsi receiver(nullptr, 0, 0);
    CLynxPnlSsi transmitter(nullptr, 0, 1);
    setInt("IdPDbLynxSsiCmBitLen", tup(0, 0), 7);
    EXPECT_TRUE(receiver.cmRow()->isVisibleTo(&receiver));
    EXPECT_FALSE(receiver.gainRow()->isVisibleTo(&receiver));
    EXPECT_TRUE(receiver.cmData()->isEffectivelyReadOnly());
    setInt("IdPDbLynxSsiCmBitLen", tup(0, 0), 8);
    EXPECT_TRUE(receiver.gainRow()->isVisibleTo(&receiver));
    setInt("IdPDbLynxSsiCmBitLen", tup(0, 1), 0);
    EXPECT_FALSE(transmitter.cmRow()->isVisibleTo(&transmitter));
    EXPECT_FALSE(transmitter.readButton()->isWantedVisible());
    EXPECT_FALSE(transmitter.gainRow()->isVisibleTo(&transmitter));
}

} // namespace
