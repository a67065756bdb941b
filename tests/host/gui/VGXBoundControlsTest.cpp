// Bound controls of the GUI framework on real widgets (offscreen) over a small test database:
// refused input, writes from elsewhere, availability, combo texts and values, and framework events.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnct.h"
#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXBlockPanel.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXLedButton.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXParameterAvailability.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/util/VGXErrorManager.h"
#include "support/CatalogueDb.h"
#include "support/QtGTestPrinters.h"
#include "support/TestDbDefinitions.h"

using namespace MvQARN;
using MvGuiFramework::CViewerEvent;
using testsupport::tup;

namespace {

const char* const kFreq = "IdPDbGuiTestFreq";
const char* const kSource = "IdPDbGuiTestSource";
const char* const kState = "IdPDbGuiTestState";
const char* const kFixed = "IdPDbGuiTestFixed";
const char* const kName = "IdPDbGuiTestName";
const char* const kExec = "IdPDbGuiTestExec";
const QString kReserved = QStringLiteral("13 kHz is reserved for the test");

class TestChecks : public CDbChkFunc {
public:
    explicit TestChecks(Member m) : CDbChkFunc(m) {}
    int refuseReserved(CDbCnct& c) {
        double v = 0;
        if (c.getValue().toDouble(v) && v == 13000) {
            c.errorText() = kReserved;
            return DbErrWithText;
        }
        return 0;
    }
    // Source 6 is never offered.
    int withoutSix(CDbCnct& c) {
        giveValMinMaxAvail(c, {0, 1, 2, 3, 4, 5, 7});
        return 0;
    }
};

TestChecks g_freqCheck(static_cast<CDbChkFunc::Member>(&TestChecks::refuseReserved));
TestChecks g_sourceCheck(static_cast<CDbChkFunc::Member>(&TestChecks::withoutSix));

// Texts out of value order, as a trigger source list has them.
const QStringList kSourceTexts{"Software", "Data Valid", "GP_0", "GP_1", "GP_2", "GP_3", "GP_4", "GP_5"};
const QList<int> kSourceValues{0, 1, 2, 4, 5, 6, 3, 7};

class Counter : public VGXDataListener {
public:
    void processDataEvent(VGXDataEvent* e) override {
        if (e->getCode() == VGXDataEvent::DataChanged)
            ++events;
    }
    int events = 0;
};

class BoundControlsTest : public ::testing::Test, public testsupport::DbRequests {
protected:
    void SetUp() override {
        db().reset();
        VGXGuiRegistry::reset();
        VGXParameterAvailability::clearMarks();
        VGXErrorManager::clearHistory();
        VGXUserDbAttributes::setCurrentInstance(0);
        VGXUserDbAttributes::setCurrentDirection(0);
        VGXUserDbAttributes::setCurrentStation(0);
        VGXUserDbAttributes::setCurrentChannel(0);
        dbtest::Inst two;
        two.t0 = 2;
        m_defs.number(kFreq, 1000, 1e9, 1e6, two).c.chk = &g_freqCheck;
        m_defs.select(kSource, 0, 7, 0).c.chk = &g_sourceCheck;
        m_defs.select(kState, 0, 1, 0);
        m_defs.select(kFixed, 0, 0, 0);
        m_defs.string(kName, "first");
        m_defs.event(kExec);
        ASSERT_EQ(m_defs.registerAll(), 0);
        VGXDescriptors::addDescriptor(
            new VGXDescriptorComboboxEntry(VGXUserDbAttributes(kSource), true, kSourceTexts, kSourceValues));
        m_dialog = new VGXDialog(QStringLiteral("GuiTest"));
        m_panel = new VGXNavigationPanel;
        m_dialog->setContentPanel(m_panel);
    }
    void TearDown() override {
        delete m_dialog.data();
        VGXParameterAvailability::clearMarks();
        VGXGuiRegistry::reset();
        db().reset();
    }

    template <typename T, typename... Args> T* make(Args&&... args) {
        auto* c = new T(m_panel, std::forward<Args>(args)...);
        m_panel->add(c);
        return c;
    }
    void show() {
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog));
    }
    static void type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    double stored(const char* name, const SDbInstTupel& t = tup(0, 0)) {
        CDbAllType v;
        EXPECT_EQ(db().read(name, t, v), 0);
        double d = 0;
        v.toDouble(d);
        return d;
    }

    dbtest::Defs m_defs;
    QPointer<VGXDialog> m_dialog;
    VGXNavigationPanel* m_panel = nullptr;
};

} // namespace

TEST_F(BoundControlsTest, RefusedInputShowsTheErrorAndTheStoredValueAgain) {
    auto* freq = make<VGXTextParameter>(QStringLiteral("Frequency"), VGXUserDbAttributes(kFreq), "Hz");
    show();
    QLineEdit* edit = freq->lineEdit();
    EXPECT_EQ(edit->text(), "1000000");
    QSignalSpy refused(freq, &VGXParameterControl::writeRefused);

    // A check function's refusal: its text reaches the user, the field and the parameter keep 1 MHz.
    type(edit, "13 k");
    EXPECT_EQ(std::pair(stored(kFreq), edit->text()), std::pair(1e6, QString("1000000")));
    EXPECT_EQ(freq->lastError(), int(DbErrWithText));
    EXPECT_EQ(QStringList({freq->lastErrorText(), edit->toolTip(), m_dialog->statusMessage()}),
              QStringList({kReserved, kReserved, kReserved}));
    ASSERT_FALSE(VGXErrorManager::history().isEmpty());
    EXPECT_EQ(VGXErrorManager::history().last().text, kReserved);
    EXPECT_EQ(refused.count(), 1);

    // The database's own range test and input of the wrong kind are refused the same way.
    type(edit, "5");
    EXPECT_EQ(freq->lastError(), int(DbErrOutOfRange));
    type(edit, "fast");
    EXPECT_NE(freq->lastError(), 0);
    EXPECT_EQ(std::pair(stored(kFreq), edit->text()), std::pair(1e6, QString("1000000")));

    // Accepted input (with prefix and unit) is stored and clears the error.
    type(edit, "2.5 MHz");
    EXPECT_EQ(std::pair(stored(kFreq), edit->text()), std::pair(2.5e6, QString("2500000")));
    EXPECT_EQ(freq->lastError(), 0);
    EXPECT_TRUE(m_dialog->statusMessage().isEmpty());
}

TEST_F(BoundControlsTest, AWriteFromElsewhereShowsAtOnceInEveryOpenControlOfThatInstance) {
    auto* freq = make<VGXTextParameter>(QStringLiteral("Frequency"), VGXUserDbAttributes(kFreq));
    auto* other =
        make<VGXTextParameter>(QStringLiteral("Frequency B"), VGXUserDbAttributes(kFreq, 1, 0, 0, 0));
    auto* value = make<VGXLabelParameter>(QStringLiteral("Shown"), VGXUserDbAttributes(kFreq));
    auto* source = make<VGXComboParameter>(QStringLiteral("Source"), VGXUserDbAttributes(kSource));
    auto* toggle = make<VGXToggleParameter>(QStringLiteral("State"), VGXUserDbAttributes(kState));
    auto* check = make<VGXCheckParameter>(QStringLiteral("Enabled"), VGXUserDbAttributes(kState));
    auto* led = make<VGXLedButton>(QStringLiteral("Lock"), VGXUserDbAttributes(kState));
    auto* name = make<VGXTextParameter>(QStringLiteral("Name"), VGXUserDbAttributes(kName));
    show();

    // Writes as a remote command makes them.
    setNumber(kFreq, tup(0, 0), 2e6);
    setInt(kSource, tup(0, 0), 3);
    setInt(kState, tup(0, 0), 1);
    setText(kName, tup(0, 0), "second");

    // Instance 1 did not change.
    EXPECT_EQ(QStringList({freq->text(), value->valueText(), other->text(), source->currentText(),
                           toggle->button()->text(), name->text()}),
              QStringList({"2000000", "2000000", "1000000", "GP_4", "On", "second"}));
    EXPECT_TRUE(toggle->isOn() && check->isChecked() && led->isOn());

    // A control bound to the current instance keeps its own instance when another becomes current.
    VGXUserDbAttributes::setCurrentInstance(1);
    setNumber(kFreq, tup(1, 0), 3e6);
    EXPECT_EQ(freq->text(), "2000000");
    EXPECT_EQ(other->text(), "3000000");
}

TEST_F(BoundControlsTest, ControlsFollowTheAvailabilityOfTheirParameter) {
    auto* freq = make<VGXTextParameter>(QStringLiteral("Frequency"), VGXUserDbAttributes(kFreq));
    auto* source = make<VGXComboParameter>(QStringLiteral("Source"), VGXUserDbAttributes(kSource));
    auto* hidden = make<VGXTextParameter>(QStringLiteral("Later"), VGXUserDbAttributes(kState));
    auto* fixed = make<VGXComboParameter>(QStringLiteral("Fixed"), VGXUserDbAttributes(kFixed));
    auto* missing =
        make<VGXTextParameter>(QStringLiteral("Test Parameter"), VGXUserDbAttributes("IdPDbGuiUndefined"));
    show();
    EXPECT_TRUE(freq->isVisible());
    EXPECT_FALSE(missing->isVisible()); // not defined: nothing to show
    // Only the current value is admitted: shown, but not to be changed.
    EXPECT_TRUE(fixed->isVisible());
    EXPECT_FALSE(fixed->comboBox()->isEnabled());

    VGXParameterAvailability::mark(kFreq, VGXParameterAvailability::Hidden);
    VGXParameterAvailability::mark(kSource, tup(0, 0), VGXParameterAvailability::ReadOnly);
    EXPECT_FALSE(freq->isVisible());
    EXPECT_FALSE(source->comboBox()->isEnabled());
    EXPECT_TRUE(source->isVisible());

    // The dialog's own rule to hide a control still counts when the parameter comes back.
    hidden->setVisible(false);
    VGXParameterAvailability::mark(kState, VGXParameterAvailability::Hidden);
    VGXParameterAvailability::mark(kState, VGXParameterAvailability::Available);
    EXPECT_FALSE(hidden->isVisible());

    VGXParameterAvailability::mark(kFreq, VGXParameterAvailability::ReadOnly);
    EXPECT_TRUE(freq->isVisible());
    EXPECT_TRUE(freq->lineEdit()->isReadOnly());
    type(freq->lineEdit(), "2000000");
    EXPECT_EQ(stored(kFreq), 1e6);

    VGXParameterAvailability::clearMarks();
    EXPECT_TRUE(freq->isVisible());
    EXPECT_FALSE(freq->lineEdit()->isReadOnly());
    EXPECT_TRUE(source->comboBox()->isEnabled());
    // A read-only panel makes its controls read-only whatever the parameter says.
    m_panel->setReadOnly(true);
    EXPECT_TRUE(freq->lineEdit()->isReadOnly());
    EXPECT_FALSE(source->comboBox()->isEnabled());
}

TEST_F(BoundControlsTest, ComboOffersTheDescriptorTextsAndWritesTheValueBehindTheChosenText) {
    auto* source = make<VGXComboParameter>(QStringLiteral("Source"), VGXUserDbAttributes(kSource));
    show();
    // In descriptor order, without the value the check function does not admit (6, "GP_3").
    EXPECT_EQ(source->itemTexts(),
              (QStringList{"Software", "Data Valid", "GP_0", "GP_1", "GP_2", "GP_4", "GP_5"}));
    EXPECT_EQ(source->currentText(), "Software");
    QComboBox* box = source->comboBox();
    EXPECT_EQ(source->labelWidget()->buddy(), box);

    emit box->activated(int(source->itemTexts().indexOf("GP_4")));
    EXPECT_EQ(stored(kSource), 3);
    emit box->activated(int(source->itemTexts().indexOf("GP_1")));
    EXPECT_EQ(stored(kSource), 4);
    EXPECT_EQ(source->currentText(), "GP_1");

    // A new descriptor replaces the texts; a stored value without a text shows as its number.
    source->setDescriptor(QStringList{"Zero", "One"}, QList<int>{0, 1});
    EXPECT_EQ(source->itemTexts(), (QStringList{"Zero", "One"}));
    EXPECT_EQ(source->currentText(), "4");
    emit box->activated(1);
    EXPECT_EQ(stored(kSource), 1);
    EXPECT_EQ(source->currentText(), "One");
}

TEST_F(BoundControlsTest, ButtonsRunActionsAndRaiseEventsForThePanelsAboveThem) {
    Counter executed;
    VGXDataObject::connectDatabase(&executed, VGXUserDbAttributes(kExec));
    auto* run = make<VGXButtonParameter>(QStringLiteral("Start"), VGXUserDbAttributes(kExec));
    auto* on = make<VGXButtonParameter>(QStringLiteral("Set"), VGXUserDbAttributes(kState));
    show();
    QTest::mouseClick(run->button(), Qt::LeftButton);
    QTest::mouseClick(run->button(), Qt::LeftButton);
    EXPECT_EQ(executed.events, 2);
    QTest::mouseClick(on->button(), Qt::LeftButton);
    EXPECT_EQ(stored(kState), 1);

    // User events rise through the panels until one consumes them. A click on a block raises 16 with
    // the block as source; unconsumed, it activates the block.
    class Catcher : public VGXBlockPanel {
    public:
        using VGXBlockPanel::VGXBlockPanel;
        QList<int> user, action;
        bool consume = true, consumeClicks = false;

    protected:
        void processUserEvent(CViewerEvent* e) override {
            user << e->getCode();
            if (consume)
                e->consume();
        }
        void processActionEvent(CViewerEvent* e) override {
            action << e->getCode();
            if (e->getSource() == this && (consumeClicks || e->getCode() == CViewerEvent::ActionActivated))
                e->consume();
            else
                VGXBlockPanel::processActionEvent(e);
        }
    };
    auto* outer = new Catcher(m_panel);
    auto* inner = new Catcher(outer);
    inner->consume = false;
    (new VGXDialogButton(inner, QStringLiteral("Data Setup..."), 1))->press();
    EXPECT_EQ(std::pair(inner->user, outer->user), std::pair(QList<int>{1}, QList<int>{1}));

    auto* block = new Catcher(m_panel, QStringLiteral("KOBRA A"));
    m_panel->add(block);
    block->show();
    QApplication::processEvents();
    QTest::mouseClick(block, Qt::LeftButton, {}, block->rect().center());
    EXPECT_EQ(block->action, (QList<int>{CViewerEvent::ActionClicked, CViewerEvent::ActionActivated}));
    block->action.clear();
    block->consumeClicks = true;
    QTest::mouseClick(block, Qt::LeftButton, {}, block->rect().center());
    EXPECT_EQ(block->action, QList<int>{CViewerEvent::ActionClicked});
}
