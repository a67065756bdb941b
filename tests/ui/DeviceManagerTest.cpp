// The device manager, its service panel and the instrument dialog (offscreen) over the host with the
// plug-in and simulated boxes: rows per box, the Service tab, hot-plug, the test log, the address.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXMessageBox.h"
#include "host/gui/VGXTabViewer.h"
#include "host/gui/VGXTextEdit.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXUserFileDialog.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "orglayer/FrameworkFixture.h"
#include "ui/GuiTest.h"
#include "ui/KobrasCombo.h"
#include "ui/device/CKobraDlgDeviceManager.h"
#include "ui/device/CKobraDlgInstrument.h"
#include "ui/device/CKobraPnlHwInfo.h"
#include "ui/device/CKobraPnlInstrumentInfo.h"
#include "ui/device/CKobraPnlService.h"

using namespace MvQARN;
using testsupport::tup;

namespace {

class DeviceManager : public oltest::HostWithBoxes {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        ASSERT_NO_FATAL_FAILURE(startHostWithKobra());
        m_dlg = std::make_unique<CKobraDlgDeviceManager>();
        m_dlg->show();
    }
    void TearDown() override {
        VGXUserFileDialog::setAnswerHook(nullptr);
        VGXMessageBox::setAnswerHook(nullptr);
        m_dlg.reset();
        VGXGuiRegistry::reset();
        stopHost();
    }
    static void choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // The hardware rows the user sees, as "label: value".
    QStringList shownRows() const {
        QStringList rows;
        for (VGXLabelParameter* row : m_dlg->hardwarePanel()->findChildren<VGXLabelParameter*>())
            if (row->isVisible())
                rows << row->labelText().trimmed() + QStringLiteral(": ") + row->valueText();
        return rows;
    }
    QComboBox* boxes() const { return m_dlg->boxCombo()->comboBox(); }

    std::unique_ptr<CKobraDlgDeviceManager> m_dlg;
};

TEST_F(DeviceManager, HardwareRowsAreThoseOfTheConfiguredBoxVariantAndNoneWithoutABox) {
    choose(boxes(), QStringLiteral("100123"));
    EXPECT_EQ(readInt("IdPDbKobraConfigSelected", tup(0, 0)), 1);
    QStringList rows = shownRows();
    EXPECT_TRUE(rows.contains(QStringLiteral("Serial Number: 100123"))) << rows.join('|').toStdString();
    EXPECT_TRUE(rows.contains(QStringLiteral("Breakout Board Type: Breakout Board for CPRI")));
    EXPECT_EQ(rows.filter(QStringLiteral("Board Part Number")).size(), 1);
    EXPECT_TRUE(rows.filter(QStringLiteral("CPLD")).isEmpty());
    EXPECT_FALSE(m_dlg->hardwarePanel()->firmwareGroup()->isVisible());

    choose(boxes(), QStringLiteral("100456"));
    rows = shownRows();
    EXPECT_TRUE(rows.contains(QStringLiteral("Part Number: 7730.1192.02")));
    EXPECT_EQ(rows.filter(QStringLiteral("CPLD Version")).size(), 1);
    EXPECT_TRUE(rows.filter(QStringLiteral("Breakout Board")).isEmpty());
    EXPECT_TRUE(m_dlg->hardwarePanel()->firmwareGroup()->isVisible());
    EXPECT_TRUE(m_dlg->statusMessage().isEmpty());

    // Index 0 is no box: only the rows of every box, without values, and no firmware update.
    choose(boxes(), QStringLiteral("None"));
    EXPECT_EQ(m_dlg->hardwarePanel()->shownVariant(), -1);
    for (const QString& row : shownRows())
        EXPECT_TRUE(row.endsWith(QStringLiteral(": ---"))) << row.toStdString();
    EXPECT_FALSE(m_dlg->hardwarePanel()->firmwareGroup()->isVisible());
    EXPECT_EQ(m_dlg->statusMessage(), QStringLiteral("(no selected device)"));
}

TEST_F(DeviceManager, ServiceTabFollowsTheProtectionLevelWithTheSamePanel) {
    EXPECT_FALSE(m_dlg->hasServiceTab());
    EXPECT_EQ(m_dlg->tabs()->tabTitles(), QStringList{QStringLiteral("Hardware")});
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    ASSERT_TRUE(m_dlg->hasServiceTab());
    CKobraPnlService* panel = m_dlg->servicePanel();
    EXPECT_EQ(m_dlg->tabs()->tabTitles().last(), QStringLiteral("Service"));
    setInt("IdPDbProtLevState", tup(0, 0), 1);
    EXPECT_EQ(m_dlg->tabs()->indexOf(panel), -1);
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    EXPECT_EQ(m_dlg->servicePanel(), panel);
    EXPECT_EQ(m_dlg->tabs()->indexOf(panel), m_dlg->tabs()->count() - 1);
}

TEST_F(DeviceManager, HotPlugReachesEveryBoxSelectorAndAnUnpluggedBoxLeavesNoRows) {
    KobrasCombo block(nullptr, "IdPDbKobraSelected", "IdPDbKobraSerials", 0, 0, 0, 0);
    ASSERT_TRUE(m_boxes.connect(100789));
    const QStringList three{"None", "100123", "100456", "100789"};
    EXPECT_EQ(m_dlg->boxCombo()->itemTexts(), three);
    EXPECT_EQ(block.itemTexts(), three);

    choose(boxes(), QStringLiteral("100789"));
    EXPECT_TRUE(shownRows().contains(QStringLiteral("Serial Number: 100789")));
    ASSERT_TRUE(m_boxes.disconnect(100789));
    EXPECT_EQ(m_dlg->boxCombo()->itemTexts(), three.mid(0, 3));
    EXPECT_EQ(boxes()->currentText(), QStringLiteral("None"));
    EXPECT_TRUE(shownRows().filter(QStringLiteral("100789")).isEmpty())
        << shownRows().join('|').toStdString();
}

TEST_F(DeviceManager, TestLogShowsTheLastRunAndSavesToATextFileOrNotAtAll) {
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    choose(boxes(), QStringLiteral("100123"));
    CKobraPnlService* service = m_dlg->servicePanel();
    VGXButtonParameter* start = nullptr;
    for (auto* b : service->findChildren<VGXButtonParameter*>())
        if (b->binding().name() == "IdPDbKobraServiceCpriTestExec")
            start = b;
    ASSERT_NE(start, nullptr);
    ASSERT_EQ(start->press(), 0);
    const QString log = service->cpriLog()->toPlainText();
    EXPECT_TRUE(log.startsWith(QStringLiteral("CPRI service test on KOBRA 100123"))) << log.toStdString();
    // The verdicts are highlighted: the "OK" of a passed step is green.
    const QTextBlock ok = service->cpriLog()->document()->find(QStringLiteral("OK")).block();
    ASSERT_TRUE(ok.isValid());
    bool green = false;
    for (const QTextLayout::FormatRange& r : ok.layout()->formats())
        green |= ok.text().mid(r.start, r.length) == QLatin1String("OK") &&
                 r.format.foreground().color() == Qt::green;
    EXPECT_TRUE(green);
    const QString folder = m_settings.path();
    VGXUserFileDialog::setAnswerHook(
        [&](const VGXUserFileDialog&) { return folder + QStringLiteral("/cpri.txt"); });
    service->cpriSave()->press();
    QFile saved(folder + QStringLiteral("/cpri.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), log);

    // A folder that cannot take the file: the user is told why, and nothing is left behind.
    QFile blocker(folder + QStringLiteral("/logs"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    uitest::ScriptedBoxes told;
    VGXUserFileDialog::setAnswerHook(
        [&](const VGXUserFileDialog&) { return folder + QStringLiteral("/logs/cpri.txt"); });
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    service->cpriSave()->press();
    ASSERT_EQ(told.texts.size(), 1);
    EXPECT_TRUE(told.texts[0].startsWith(QStringLiteral("Log file not saved: ")))
        << told.texts[0].toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

TEST_F(DeviceManager, InstrumentDialogOpensForTheConfiguredBoxAndItsAddressRefusesForeignCharacters) {
    choose(boxes(), QStringLiteral("None"));
    EXPECT_FALSE(m_dlg->instrumentButton()->button()->isEnabled());
    setInt("IdPDbKobraSelected", tup(0, 0), 1);
    choose(boxes(), QStringLiteral("100123"));
    ASSERT_TRUE(m_dlg->instrumentButton()->button()->isEnabled());
    m_dlg->instrumentButton()->press();
    auto* dlg = dynamic_cast<CKobraDlgInstrument*>(VGXDfDialogFactory::findDialog(
        QStringLiteral("CKobraDlgInstrument"), QStringLiteral(":KOBRA_INSTRUMENT_0_0")));
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(dlg->title().startsWith(QStringLiteral("Instrument on KOBRA 1 (DIG IQ IN/OUT ")));
    EXPECT_NE(dlg->instrumentName()->valueText(), QStringLiteral("not connected"));

    QLineEdit* address = dlg->infoPanel()->tcpAddress()->lineEdit();
    address->clear();
    QTest::keyClicks(address, QStringLiteral("host_1!.lan (A)"));
    EXPECT_EQ(address->text(), QStringLiteral("host1.lan (A)"));
}

} // namespace
