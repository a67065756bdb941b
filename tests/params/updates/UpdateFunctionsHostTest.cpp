// Update functions, preset and save/recall through the host with the plug-in loaded and the simulated
// boxes behind the framework; every write goes through the database as a user's would.
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include "host/db/CDbDataTypeNString.h"
#include "orglayer/FrameworkFixture.h"
#include "support/DbSnapshot.h"
#include "support/TestFiles.h"

using namespace MvQARN;
using namespace oltest;
using testsupport::Snapshot;
using testsupport::snapshot;

namespace {

constexpr int kBoxA = 100123;
constexpr int kBoxB = 100456;
constexpr int kLogicLvds = 0;
constexpr int kLogicLvttl = 1;
constexpr int kRefIn = 2;
constexpr int kUserInterface = 1;
const char kLogicText[] =
    "Because logic type has been changed, the standard was switched OFF to avoid hardware damages.";

class UpdateHostTest : public HostWithBoxes {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startHostWithKobra());
        ASSERT_TRUE(m_framework.isStarted()) << "the loaded plug-in starts the framework";
    }
    void TearDown() override { stopHost(); }

    int exec(const char* name, const SDbInstTupel& t) {
        return write(name, t, CDbAllType::fromInt(1), DbMsgExec);
    }
    QStringList serials() {
        QStringList list;
        int count = 0;
        db().dataBaseIfc()->getStringList("IdPDbKobraSerials", list, count, 0, 0, 0, 0);
        return list.mid(0, count);
    }
    int selected(int path, int side) { return readInt("IdPDbKobraSelected", tup(path, side)); }
    void selectBox(int path, int side, int serial) {
        const int index = int(serials().indexOf(QString::number(serial)));
        ASSERT_GT(index, 0) << serial;
        setInt("IdPDbKobraSelected", tup(path, side), index);
    }
};

// ---- Interface dependencies -----------------------------------------------------------------------

TEST_F(UpdateHostTest, LeavingLvdsClampsTheClockRateToTheCeilingOfTheNewLogicAndSignalType) {
    setInt("IdPDbLynxLogicType", tup(0, 1), kLogicLvds);
    setNumber("IdPDbLynxClocRate", tup(0, 1), 300e6);
    setInt("IdPDbLynxLogicType", tup(0, 1), kLogicLvttl);
    EXPECT_DOUBLE_EQ(number("IdPDbLynxClocRate", tup(0, 1)), 100e6);
    // The other interfaces keep their own rates (the start value here).
    EXPECT_DOUBLE_EQ(number("IdPDbLynxClocRate", tup(0, 0)), 10e6);
}

TEST_F(UpdateHostTest, SmallerWordSizeAndRecorderLengthPullTheirPositionsIn) {
    setNumber("IdPDbLynxDataWordSize", tup(0, 0), 16);
    setNumber("IdPDbLynxDataStrobPos", tup(0, 0), 15);
    setNumber("IdPDbLynxDataWordSize", tup(0, 0), 8);
    EXPECT_DOUBLE_EQ(number("IdPDbLynxDataStrobPos", tup(0, 0)), 7);

    setNumber("IdPDbKobraTranRecDataLength", tup(0, 0, 0, 1), 2048);
    setNumber("IdPDbKobraTranRecTrigPosition", tup(0, 0, 0, 1), 2000);
    setNumber("IdPDbKobraTranRecDataLength", tup(0, 0, 0, 1), 1024);
    EXPECT_DOUBLE_EQ(number("IdPDbKobraTranRecTrigPosition", tup(0, 0, 0, 1)), 1023);

    // A position inside the new length stays.
    setNumber("IdPDbKobraTranRecTrigPosition", tup(0, 0, 0, 1), 600);
    setNumber("IdPDbKobraTranRecDataLength", tup(0, 0, 0, 1), 1024);
    EXPECT_DOUBLE_EQ(number("IdPDbKobraTranRecTrigPosition", tup(0, 0, 0, 1)), 600);
}

TEST_F(UpdateHostTest, ClockSourceAndDeviceStateDriveTheHostBasebandClock) {
    setInt("IdPDbLynxLogicType", tup(0, 0), kLogicLvttl);
    setInt("IdPDbLynxDeviceState", tup(0, 0), 1);

    setInt("IdPDbBbinSampRateMode", tup(0, 0), 0);
    setInt("IdPDbLynxClocSour", tup(0, 0), kRefIn);
    EXPECT_EQ(readInt("IdPDbBbinSampRateMode", tup(0, 0)), 1);
    // The same state again with the re-apply flag runs the host rule: REF IN is no external clock.
    ASSERT_EQ(write("IdPDbLynxDeviceState", tup(0, 0), CDbAllType::fromInt(1), DbMsgSet, DbFlagReapply), 0);
    EXPECT_EQ(readInt("IdPDbBbinSampRateMode", tup(0, 0)), 0);

    setInt("IdPDbBbinSampRateMode", tup(0, 0), 0);
    setInt("IdPDbLynxClocSour", tup(0, 0), kUserInterface);
    EXPECT_EQ(readInt("IdPDbBbinSampRateMode", tup(0, 0)), 1);
    setInt("IdPDbBbinSampRateMode", tup(0, 0), 0);
    ASSERT_EQ(write("IdPDbLynxDeviceState", tup(0, 0), CDbAllType::fromInt(1), DbMsgSet, DbFlagReapply), 0);
    EXPECT_EQ(readInt("IdPDbBbinSampRateMode", tup(0, 0)), 1);
}

// ---- Box list and selection -------------------------------------------------------------------------

TEST_F(UpdateHostTest, DefaultSimulationListsBothBoxesAndHotPlugRepointsEverySelection) {
    EXPECT_EQ(serials(), (QStringList{"None", "100123", "100456"}));

    selectBox(0, 1, kBoxA);
    selectBox(0, 0, kBoxB);
    setInt("IdPDbKobraConfigSelected", tup(0, 0), 2);

    ASSERT_TRUE(m_boxes.disconnect(kBoxA));
    EXPECT_EQ(serials(), (QStringList{"None", "100456"}));
    EXPECT_EQ(std::tuple(selected(0, 0), selected(0, 1), readInt("IdPDbKobraConfigSelected", tup(0, 0))),
              std::tuple(1, 0, 1));

    ASSERT_TRUE(m_boxes.connect(kBoxA));
    EXPECT_EQ(serials(), (QStringList{"None", "100456", "100123"}));
    EXPECT_EQ(selected(0, 0), 1);
    EXPECT_EQ(selected(0, 1), 0); // nothing remembered for Out A: no box until the user chooses
}

TEST_F(UpdateHostTest, SelectingABoxReadsItsVariantAndInstrumentLinks) {
    selectBox(1, 0, kBoxA);
    EXPECT_EQ(readInt("IdPDbKobraState", tup(1, 0)), 0);
    const QString link0 = text("IdPDbKobraInstrType", tup(1, 0, 0, 0));
    const QString link1 = text("IdPDbKobraInstrType", tup(1, 0, 0, 1));
    EXPECT_NE(link0, QStringLiteral("-"));
    EXPECT_NE(link1, QStringLiteral("-"));
    setInt("IdPDbKobraSelected", tup(1, 0), 0);
    EXPECT_EQ(text("IdPDbKobraInstrType", tup(1, 0, 0, 0)), QStringLiteral("not connected"));
    EXPECT_EQ(text("IdPDbKobraInstrumentName", tup(1, 0, 0, 1)), QStringLiteral("not connected"));
}

// ---- Preset, save and recall ------------------------------------------------------------------------

// Every value the preset group holds for the interface is back at its start value afterwards, and the
// other interfaces keep theirs.
TEST_F(UpdateHostTest, PresetOfOneInterfaceReturnsAllItsValuesAndLeavesTheOthersAlone) {
    const Snapshot start = snapshot();
    const struct {
        const char* name;
        int t3;
        CDbAllType value;
    } changes[] = {
        {"IdPDbLynxLogicType", 0, CDbAllType::fromInt(kLogicLvds)},
        {"IdPDbLynxClocRate", 0, CDbAllType::fromDouble(300e6)},
        {"IdPDbLynxClocSour", 0, CDbAllType::fromInt(kUserInterface)},
        {"IdPDbLynxClocPhas", 0, CDbAllType::fromInt(2)},
        {"IdPDbLynxIleavMode", 0, CDbAllType::fromInt(2)},
        {"IdPDbLynxSCRatio", 0, CDbAllType::fromInt(3)},
        {"IdPDbLynxDataWordSize", 0, CDbAllType::fromDouble(10)},
        {"IdPDbLynxSsiCmBitLen", 0, CDbAllType::fromDouble(8)},
        {"IdPDbLynxTriggerDelay", 0, CDbAllType::fromDouble(100)},
        {"IdPDbLynxArbState", 2, CDbAllType::fromInt(1)},
        {"IdPDbLynxArbSampRate", 3, CDbAllType::fromDouble(1e6)},
        {"IdPDbLynxArbFile", 1, CDbAllType::fromString(QStringLiteral("two"))},
    };
    for (const SDbInstTupel& ifc : {tup(0, 0), tup(1, 0)})
        for (const auto& c : changes)
            set(c.name, tup(ifc.t0, ifc.t1, 0, c.t3), c.value);
    const Snapshot changed = snapshot();
    ASSERT_EQ(exec("IdPDbLynxPreset", tup(0, 0)), 0);
    const Snapshot after = snapshot();
    QStringList wrong;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
        const bool preset = it.key().contains(QLatin1String("[0,0,"));
        const QString expected = (preset ? start : changed).value(it.key());
        if (it.value() != expected)
            wrong << it.key() + ": " + it.value() + (preset ? ", start " : ", before ") + expected;
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join('\n').toStdString();
    EXPECT_EQ(after.size(), start.size());
}

TEST_F(UpdateHostTest, SaveNamesTheFileAndRecallOfAnotherLogicTypeSwitchesARunningInterfaceOff) {
    setInt("IdPDbLynxLogicType", tup(0, 1), kLogicLvttl);
    set("IdPDbLynxSav", tup(0, 1), CDbAllType::fromString(QStringLiteral("lvttl")));
    EXPECT_EQ(text("IdPDbLynxSav", tup(0, 1)), QStringLiteral("lvttl"));
    EXPECT_TRUE(QFile::exists(m_settings.path() + QStringLiteral("/lvttl.lynx")));

    setInt("IdPDbLynxLogicType", tup(0, 1), kLogicLvds);
    switchOn(0, 1, kBoxA);
    ASSERT_EQ(readInt("IdPDbLynxState", tup(0, 1)), 1);
    ASSERT_EQ(readInt("IdPDbKobraState", tup(0, 1)), 1);

    ASSERT_EQ(write("IdPDbLynxRcl", tup(0, 1), CDbAllType::fromString(QStringLiteral("lvttl"))), 0)
        << errorTexts().join("; ").toStdString();
    EXPECT_EQ(readInt("IdPDbLynxLogicType", tup(0, 1)), kLogicLvttl) << errorTexts().join("; ").toStdString();
    EXPECT_EQ(readInt("IdPDbKobraState", tup(0, 1)), 0);
    EXPECT_EQ(errorTexts().count(QString::fromLatin1(kLogicText)), 1);
}

TEST_F(UpdateHostTest, RecalledBoxIsSelectedOnceItIsConnectedAgain) {
    selectBox(0, 1, kBoxA);
    set("IdPDbLynxSav", tup(0, 1), CDbAllType::fromString(QStringLiteral("withbox")));
    // Saving does not recall: the box stays selected.
    EXPECT_EQ(selected(0, 1), int(serials().indexOf(QStringLiteral("100123"))));

    ASSERT_TRUE(m_boxes.disconnect(kBoxA));
    ASSERT_EQ(write("IdPDbLynxRcl", tup(0, 1), CDbAllType::fromString(QStringLiteral("withbox"))), 0);
    EXPECT_EQ(selected(0, 1), 0);

    ASSERT_TRUE(m_boxes.connect(kBoxA));
    EXPECT_EQ(serials(), (QStringList{"None", "100456", "100123"}));
    EXPECT_EQ(selected(0, 1), 2);
}

// ---- Service functions ------------------------------------------------------------------------------

// A run against the simulated box writes its log, which goes to a file of the user's folder (the
// result rows and a failing run are ServiceFunctionsTest's).
TEST_F(UpdateHostTest, ServiceTestRunnerWritesTheLogThatIsSavedToAFile) {
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    setInt("IdPDbKobraConfigSelected", tup(0, 0), 1);
    ASSERT_EQ(exec("IdPDbKobraServiceCpriTestExec", tup(0, 0)), 0) << errorTexts().join("; ").toStdString();
    const QString log = text("IdPDbKobraServiceCpriTestLog", tup(0, 0));
    EXPECT_TRUE(log.startsWith(QStringLiteral("CPRI service test on KOBRA 100123"))) << log.toStdString();
    set("IdPDbKobraServiceCpriTestLogSave", tup(0, 0), CDbAllType::fromString(QStringLiteral("cpri")));
    EXPECT_EQ(QString::fromUtf8(testsupport::readFile(m_settings.path() + "/cpri.txt")), log);
}

TEST_F(UpdateHostTest, LedTestWithoutConfiguredBoxIsWrittenBackAndReported) {
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    ASSERT_NE(write("IdPDbKobraDiagLedTest", tup(0, 0), CDbAllType::fromInt(1)), 0);
    EXPECT_EQ(errorTexts().count(QStringLiteral("Cannot load DigRF FPGA!")), 1);
    EXPECT_EQ(readInt("IdPDbKobraDiagLedTest", tup(0, 0)), 0);
}

} // namespace
