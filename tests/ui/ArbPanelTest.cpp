// The ARB settings panel (offscreen) over the catalogue and the list administration: files picked,
// what the table shows of them, the buttons, and damaged files refused.
#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTableView>
#include <cmath>
#include <gtest/gtest.h>

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXTable.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/listadm/WaveformFile.h"
#include "params/KobraDbInfo.h"
#include "ui/GuiTest.h"
#include "ui/arb/CKobraArbSettings.h"
#include "ui/arb/CKobraTblArb.h"

using namespace MvQARN;
using testsupport::tup;
using Col = CKobraTblDscrArb::EColumn;

namespace {

class ArbPanel : public uitest::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        m_listAdm.registerListTypes(Kobra::g_mdlDbInfo.listTypes, Kobra::g_mdlDbInfo.listTypeCount);
        db().setListAdm(&m_listAdm);
        VGXUserFileDialog::setAnswerHook([this](const VGXUserFileDialog& dialog) {
            m_titles << dialog.title() + QLatin1Char('|') + dialog.shortTitle();
            m_starts << dialog.startPath();
            return m_pick;
        });
        // Interface B, In side.
        m_panel = std::make_unique<CKobraArbSettings>(nullptr, 1, 0);
        m_panel->resize(700, 300);
    }
    void TearDown() override {
        m_panel.reset();
        db().setListAdm(nullptr);
        GuiTest::TearDown();
    }
    // n samples at the clock whose magnitude steps, so the peak lies above the RMS level.
    QString wave(const QString& name, int n, double clock) {
        QVector<WaveformFile::SSample> s(n);
        for (int i = 0; i < n; ++i) {
            const double a = 8000.0 * (1 + i % 3);
            s[i] = {qint16(std::lround(a * std::cos(0.3 * i))), qint16(std::lround(a * std::sin(0.3 * i)))};
        }
        const QString path = m_dir.filePath(name);
        QString error;
        EXPECT_TRUE(WaveformFile::write(path, s, clock, QString(), &error)) << error.toStdString();
        return path;
    }
    QString pick(int row, const QString& path) {
        m_pick = path;
        m_panel->descriptor()->activateCell(row, Col::ColFile);
        return readText("IdPDbLynxArbFile", tup(1, 0, 0, row));
    }
    // What the table view shows in a cell.
    QString shown(int row, int column) const {
        QAbstractItemModel* model = m_panel->table()->table()->tableView()->model();
        return model->index(row, column).data().toString();
    }
    QStringList rowShown(int row) const {
        QStringList out;
        for (int c = Col::ColSampleRate; c < Col::ColCount; ++c)
            out << shown(row, c);
        return out;
    }
    double number(const char* name, int row) { return readNumber(name, tup(1, 0, 0, row)); }

    CListAdmMainExtend m_listAdm;
    std::unique_ptr<CKobraArbSettings> m_panel;
    QString m_pick;
    QStringList m_titles, m_starts;
    uitest::ScriptedBoxes m_boxes;
};

TEST_F(ArbPanel, PickedFileIsWrittenToItsEntryAndItsRowShowsTheFilesValues) {
    const QString path = wave(QStringLiteral("sine.wv"), 1000, 30.72e6);
    ASSERT_EQ(pick(1, path), path);
    EXPECT_EQ(m_titles, QStringList{QStringLiteral("KOBRA BBIN: ARB File 2|KOBRA BBIN\n ARB File 2")});
    // The values come from the file's tags, through the file information refresh.
    const double pep = number("IdPDbLynxArbPep", 1), rms = number("IdPDbLynxArbRms", 1);
    EXPECT_GT(rms, pep);
    EXPECT_EQ(rowShown(1), (QStringList{"30.720", "1000", QString::number(pep - rms, 'f', 2),
                                        QString::number(pep, 'f', 2), "Off"}));
    EXPECT_TRUE(shown(1, Col::ColFile).endsWith(QLatin1String("sine.wv")));
    // Other entries and the other interfaces stay empty.
    EXPECT_EQ(shown(0, Col::ColFile), QStringLiteral("None"));
    EXPECT_EQ(rowShown(2), (QStringList{"0.000", "0", "0.00", "0.00", "Off"}));
    EXPECT_EQ(readText("IdPDbLynxArbFile", tup(0, 0, 0, 1)), QString());

    // The next dialog starts in the folder of the row's file, an empty row in the last folder used.
    m_pick.clear();
    m_panel->descriptor()->activateCell(1, Col::ColFile);
    m_panel->descriptor()->activateCell(3, Col::ColFile);
    EXPECT_EQ(m_starts.mid(1), (QStringList{m_dir.path(), m_dir.path()}));
    EXPECT_EQ(readText("IdPDbLynxArbFile", tup(1, 0, 0, 1)), path); // cancelled: unchanged

    // A change shows in its cell; ticking the box writes the state of that entry.
    QAbstractItemModel* model = m_panel->table()->table()->tableView()->model();
    setInt("IdPDbLynxArbState", tup(1, 0, 0, 1), 1);
    EXPECT_EQ(shown(1, Col::ColState), QStringLiteral("On"));
    EXPECT_EQ(model->index(1, Col::ColState).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_TRUE(model->setData(model->index(2, Col::ColState), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(readInt("IdPDbLynxArbState", tup(1, 0, 0, 2)), 1);
}

TEST_F(ArbPanel, LongPathIsShortenedAtItsStartSoItsEndStaysVisible) {
    const QString deep = m_dir.path() + QStringLiteral("/a_rather_long_folder_name/and_another_one");
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString path =
        wave(QStringLiteral("a_rather_long_folder_name/and_another_one/lte_20mhz_test_model.wv"), 16, 1e6);
    ASSERT_EQ(pick(0, path), path);
    QTableView* view = m_panel->table()->table()->tableView();
    const QString text = shown(0, Col::ColFile);
    EXPECT_TRUE(text.startsWith(QLatin1String("..."))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QLatin1String("/lte_20mhz_test_model.wv"))) << text.toStdString();
    EXPECT_LT(view->fontMetrics().horizontalAdvance(text), view->columnWidth(Col::ColFile));
    // A wider column shows more of the path, all of it once it fits.
    view->setColumnWidth(Col::ColFile, 4000);
    EXPECT_EQ(shown(0, Col::ColFile), path);
}

TEST_F(ArbPanel, ResetClearsTheEntriesAndReloadReadsTheFilesAgain) {
    const QString path = wave(QStringLiteral("w.wv"), 100, 10e6);
    ASSERT_EQ(pick(3, path), path);
    setInt("IdPDbLynxArbState", tup(1, 0, 0, 3), 1);
    EXPECT_EQ(shown(3, Col::ColSamples), QStringLiteral("100"));

    // The file changes on disk: only a reload shows it.
    wave(QStringLiteral("w.wv"), 250, 20e6);
    EXPECT_EQ(shown(3, Col::ColSamples), QStringLiteral("100"));
    ASSERT_NE(m_panel->reloadButton(), nullptr);
    m_panel->reloadButton()->button()->click();
    EXPECT_EQ(shown(3, Col::ColSamples), QStringLiteral("250"));
    EXPECT_EQ(shown(3, Col::ColSampleRate), QStringLiteral("20.000"));

    m_panel->resetButton()->button()->click();
    EXPECT_EQ(readText("IdPDbLynxArbFile", tup(1, 0, 0, 3)), QString());
    EXPECT_EQ(shown(3, Col::ColFile), QStringLiteral("None"));
    EXPECT_EQ(rowShown(3), (QStringList{"0.000", "0", "0.00", "0.00", "Off"}));
    EXPECT_TRUE(m_boxes.texts.isEmpty()) << m_boxes.texts.join('\n').toStdString();
}

TEST_F(ArbPanel, DamagedOrMissingFileIsRefusedWithItsReasonAndChangesNothing) {
    const QString good = wave(QStringLiteral("good.wv"), 64, 5e6);
    ASSERT_EQ(pick(0, good), good);
    const QStringList before = rowShown(0);

    QFile::copy(good, m_dir.filePath(QStringLiteral("cut.wv")));
    QFile cut(m_dir.filePath(QStringLiteral("cut.wv")));
    ASSERT_TRUE(cut.resize(cut.size() - 40));
    QFile junk(m_dir.filePath(QStringLiteral("junk.wv")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("{CLOCK: 1e6}{SAMPLES: 3}no waveform here");
    junk.close();

    const QString gone = m_dir.filePath(QStringLiteral("gone.wv"));
    for (const QString& bad : {cut.fileName(), junk.fileName(), gone}) {
        SCOPED_TRACE(bad.toStdString());
        m_boxes.texts.clear();
        EXPECT_EQ(pick(0, bad), good);
        ASSERT_EQ(m_boxes.texts.size(), 1);
        const QString why = bad == gone ? " does not exist" : " is no valid waveform";
        EXPECT_TRUE(m_boxes.texts[0].startsWith(QFileInfo(bad).fileName() + why))
            << m_boxes.texts[0].toStdString();
        EXPECT_EQ(rowShown(0), before);
        EXPECT_TRUE(shown(0, Col::ColFile).endsWith(QLatin1String("good.wv")));
    }
}

} // namespace
