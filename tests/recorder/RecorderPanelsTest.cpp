// The recorder's settings panels on real widgets (offscreen) over the plug-in's catalogue and the
// host recorder parameters: what the user chooses reaching the database, database changes reaching
// the rows that depend on them, and a recording saved to a waveform file.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "frame/CKobraPlugInDfModule.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/listadm/HostRecorderParameters.h"
#include "host/listadm/WaveformFile.h"
#include "host/util/VGXIqWord.h"
#include "params/functions/FunctionTestSupport.h"
#include "recorder/CKobraBlkTranRec.h"
#include "recorder/CKobraDlgTranRec.h"
#include "recorder/CKobraRecGraph.h"
#include "recorder/CKobraRecSettings.h"
#include "recorder/CKobraTranRecSettings.h"
#include "recorder/KobraSlider.h"
#include "recorder/VGXTriggerPosition.h"
#include "support/FullDisk.h"

using namespace MvQARN;
using testsupport::tup;

namespace {

// Counts the data events of one value: how many writes reached the database.
struct WriteCounter : VGXDataListener {
    int count = 0;
    explicit WriteCounter(const VGXUserDbAttributes& b) { VGXDataObject::connectDatabase(this, b); }
    ~WriteCounter() override { VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this)); }
    void processDataEvent(VGXDataEvent* e) override { count += e->getCode() == VGXDataEvent::DataChanged; }
};

class Recorder : public fntest::FunctionTest {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        fntest::FunctionTest::SetUp();
        registerHostRecorderParameters();
    }
    void TearDown() override {
        VGXGuiRegistry::reset();
        fntest::FunctionTest::TearDown();
    }
    static void choose(VGXComboParameter* combo, const QString& text) {
        QComboBox* box = combo->comboBox();
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        box->activated(index);
    }
    template <class T> static T* row(QWidget* panel, const QString& label) {
        for (T* c : panel->findChildren<T*>())
            if (c->labelText() == label)
                return c;
        ADD_FAILURE() << "no row " << label.toStdString();
        return nullptr;
    }
    // The host recorder panel on recorder (0, 0, channel 0).
    std::unique_ptr<CKobraRecSettings> hostPanel() {
        using namespace HostRecorderNames;
        int instance = 0, direction = 0, channel = 0;
        return std::make_unique<CKobraRecSettings>(
            nullptr, QStringLiteral("Rec"), instance, direction, channel,
            QList<QByteArray>{Signal,
                              {},
                              BoxRate,
                              BoxLength,
                              LengthUnit,
                              Time,
                              TrigSource,
                              BoxPosition,
                              LengthUnit,
                              State,
                              {},
                              File,
                              Record,
                              Abort,
                              Save},
            true, QString(), QString(), QStringList(), QList<int>(), QList<QByteArray>());
    }
};

TEST_F(Recorder, StartRecordingAndTriggerTypeFollowModeAndSourceFromEitherSide) {
    VGXUserDbAttributes::setCurrentInstance(0);
    VGXUserDbAttributes::setCurrentDirection(1);
    VGXUserDbAttributes::setCurrentChannel(1);
    CKobraTranRecSettings panel(nullptr, CKobraTranRecSettings::recorderParameters());
    const auto t = tup(0, 1, 0, 1);
    auto* mode = row<VGXComboParameter>(&panel, QStringLiteral("Trigger Mode"));
    auto* source = row<VGXComboParameter>(&panel, QStringLiteral("Trigger Source"));
    EXPECT_FALSE(panel.startRecording()->isWantedVisible());
    EXPECT_FALSE(panel.triggerType()->isWantedVisible());

    choose(mode, QStringLiteral("Single"));
    EXPECT_EQ(readInt("IdPDbKobraTranRecTrigMode", t), 1);
    EXPECT_TRUE(panel.startRecording()->isWantedVisible());
    setInt("IdPDbKobraTranRecTrigMode", t, 0); // as a remote program would
    EXPECT_FALSE(panel.startRecording()->isWantedVisible());

    // Offered in line order, numbered apart from it.
    choose(source, QStringLiteral("GP_4 (Marker 1)"));
    EXPECT_EQ(readInt("IdPDbKobraTranRecTrigSource", t), 3);
    EXPECT_TRUE(panel.triggerType()->isWantedVisible());
    choose(source, QStringLiteral("Software"));
    EXPECT_FALSE(panel.triggerType()->isWantedVisible());
    // Another recorder's settings leave this panel alone.
    setInt("IdPDbKobraTranRecTrigMode", tup(0, 1, 0, 0), 1);
    EXPECT_FALSE(panel.startRecording()->isWantedVisible());
}

TEST_F(Recorder, BlockOpensTheDialogOfItsOwnRecorder) {
    VGXDfDialogFactory::registerModule(CKobraPlugInDfModule());
    for (int channel : {1, 0}) {
        CKobraBlkTranRec block(0, 0, channel, nullptr);
        block.sendActionEvent(MvGuiFramework::CViewerEvent::ActionActivated);
        auto* dlg = dynamic_cast<CKobraDlgTranRec*>(VGXDfDialogFactory::dialogs().value(0));
        ASSERT_NE(dlg, nullptr);
        EXPECT_TRUE(dlg->title().endsWith(QStringLiteral("Transient Recorder %1").arg(channel + 1)));
        choose(row<VGXComboParameter>(dlg->settings(), QStringLiteral("Display Type")),
               QStringLiteral("CCDF"));
        EXPECT_EQ(readInt("IdPDbKobraTranRecDisplayType", tup(0, 0, 0, channel)), 2);
        EXPECT_TRUE(dlg->captionLabel()->text().endsWith(QStringLiteral(" - CCDF")));
        VGXDfDialogFactory::deleteDialogs();
    }
    // Neither a block nor its dialog leaves its recorder's indices current for controls built later
    // (an interface dialog bound to channel 1 reads nothing).
    const SDbInstTupel before = VGXUserDbAttributes("IdPDbLynxFormat").resolve();
    {
        CKobraBlkTranRec block(1, 1, 1, nullptr);
        block.sendActionEvent(MvGuiFramework::CViewerEvent::ActionActivated);
    }
    EXPECT_TRUE(VGXUserDbAttributes("IdPDbLynxFormat").resolve() == before);
    VGXDfDialogFactory::deleteDialogs();
}

TEST_F(Recorder, SliderSpansTheRecordingAndWritesOnceWhenTheDragStops) {
    const auto t = tup(0, 0, 0, 0);
    const VGXUserDbAttributes position("IdPDbKobraTranRecTrigPosition", 0, 0, 0, 0);
    VGXTriggerPosition trigger(nullptr, VGXUserDbAttributes("IdPDbKobraTranRecDataLength", 0, 0, 0, 0),
                               position);
    QSlider* slider = trigger.slider()->slider();
    for (const auto& [length, ticks] : {std::pair{512, 51}, std::pair{2048, 204}, std::pair{512, 51}}) {
        setNumber("IdPDbKobraTranRecDataLength", t, length);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), length - 1);
        EXPECT_EQ(slider->tickInterval(), ticks);
    }
    WriteCounter writes(position);
    for (int v : {100, 250, 300})
        slider->setValue(v);
    EXPECT_EQ(writes.count, 0);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraTranRecTrigPosition", t), 0.0);
    EXPECT_TRUE(trigger.timer().isActive());
    EXPECT_EQ(trigger.timer().interval(), 500);
    trigger.setData(); // what the timer runs
    EXPECT_EQ(writes.count, 1);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraTranRecTrigPosition", t), 300.0);

    // Following the parameter is no drag: nothing is written back.
    setNumber("IdPDbKobraTranRecTrigPosition", t, 42);
    EXPECT_EQ(slider->value(), 42);
    EXPECT_FALSE(trigger.timer().isActive());
}

TEST_F(Recorder, RecorderStateRulesButtonsAndLockedSettings) {
    auto panel = hostPanel();
    auto* source = row<VGXComboParameter>(panel.get(), QStringLiteral("Trigger Source"));
    for (int s : {0, 3, 5, 1, 0}) {
        setInt(HostRecorderNames::State, tup(0, 0), s);
        SCOPED_TRACE(s);
        EXPECT_EQ(panel->recordButton()->isEnabled(), s == 0);
        EXPECT_EQ(panel->abortButton()->isEnabled(), s != 0);
        EXPECT_EQ(panel->saveButton()->isEnabled(), s == 5);
        EXPECT_EQ(panel->abortButton()->text(),
                  s == 5 ? QStringLiteral("Discard Data") : QStringLiteral("Abort"));
        EXPECT_EQ(source->isEffectivelyReadOnly(), s != 0);
        EXPECT_EQ(panel->dataSourceCombo()->isEnabled(), s == 0);
        EXPECT_EQ(panel->stateGraphs().first()->lastState(), s);
    }
    panel->hideSampleRate();
    EXPECT_FALSE(panel->dataSourceCombo()->isEnabled());
    EXPECT_FALSE(panel->sampleRateRow()->isVisibleTo(panel.get()));
}

TEST_F(Recorder, ViewNeedsTheToolForTheFileKind) {
    QTemporaryDir dir;
    const QString drf = dir.filePath("capture.drf4"), wv = dir.filePath("capture.wv");
    for (const QString& f : {drf, wv}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // Installed: the viewer of DigRF files only.
    QFile viewer(dir.filePath("Pellor"));
    ASSERT_TRUE(viewer.open(QIODevice::WriteOnly));
    for (bool installed : {false, true}) {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Maravel", "Pellor")
            .setValue("Path", installed ? dir.path() : QString());
        auto panel = hostPanel();
        EXPECT_FALSE(panel->viewButton()->isEnabled());
        setText(HostRecorderNames::File, tup(0, 0), drf);
        EXPECT_EQ(panel->viewButton()->isEnabled(), installed);
        setText(HostRecorderNames::File, tup(0, 0), wv);
        EXPECT_FALSE(panel->viewButton()->isEnabled());
    }
}

TEST_F(Recorder, SaveWritesAWaveformFileOrFailsLeavingNoFile) {
    using namespace HostRecorderNames;
    const auto t = tup(0, 0);
    QVector<qint32> words;
    for (int n = 0; n < 512; ++n)
        words << qint32(
            VGXIqWord::pack(qint16(20000 * std::cos(n * 0.3)), qint16(20000 * std::sin(n * 0.3))));
    set(BoxData, t, CDbAllType(new CDbDataTypeNInt(words)));
    setNumber(BoxRate, t, 2.5e6);
    const auto save = [&] { return write(Save, t, CDbAllType(new CDbDataTypeEvent), DbMsgExec); };

    QTemporaryDir dir;
    setText(File, t, dir.filePath("rec.wv"));
    EXPECT_EQ(save(), 20025) << "nothing recorded yet";
    EXPECT_FALSE(QFile::exists(dir.filePath("rec.wv")));

    setInt(State, t, 5);
    // A folder that cannot be made: a plain file stands where it should be.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    setText(File, t, dir.filePath("blocker/rec.wv"));
    EXPECT_EQ(save(), 20025);
    EXPECT_TRUE(errorTexts().join(' ').contains("blocker/rec.wv")) << errorTexts().join(' ').toStdString();

    setText(File, t, dir.filePath("rec.wv"));
    ASSERT_EQ(save(), 0) << errorTexts().join(' ').toStdString();
    QString error;
    QVector<WaveformFile::SSample> samples;
    ASSERT_TRUE(WaveformFile::verify(dir.filePath("rec.wv"), &error)) << error.toStdString();
    ASSERT_TRUE(WaveformFile::readSamples(dir.filePath("rec.wv"), samples, &error));
    EXPECT_EQ(WaveformFile::toWords(samples), words);

    setText(File, t, dir.filePath("full.wv"));
    {
        testsupport::FullDisk full;
        EXPECT_EQ(save(), 20025);
    }
    EXPECT_EQ(errorTexts().join(' '),
              QStringLiteral("cannot save the recording as \"%1\": no room for the file "
                             "on the disk (File too large)")
                  .arg(dir.filePath("full.wv")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"blocker", "rec.wv"}));
}

} // namespace
