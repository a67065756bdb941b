// The framework's side of a parameter change, with the plug-in's module in the host: which
// interfaces are programmed after a request, with which mask and on which box (what becomes of the
// corrections the layer hands back is COlChangeDispatcherTest's and OrgLayerTestSignalTest's).
#include <gtest/gtest.h>

#include "FrameworkFixture.h"
#include "frame/CKobraPlugInDllModuleImplementation.h"
#include "frame/KobraPluginGlobals.h"
#include "frame/KobraProgress.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/listadm/WaveformFile.h"
#include "host/util/VGXErrorManager.h"

using namespace oltest;

namespace {

using Calls = QList<QByteArray>;

class FrameworkDispatch : public HostWithBoxes {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        KobraProgress::setPollPeriodMs(5);
        KobraProgress::setFlagPollMs(1);
        startHost();
        {
            VGXHostRuntime::DbContextScope inDbContext;
            m_module = new CKobraPlugInDllModuleImplementation(-1);
        }
        m_orgLayer = Kobra::g_orgLayer;
        QString error;
        ASSERT_TRUE(m_runtime->addModule(m_module, &error)) << error.toStdString();
        ASSERT_TRUE(m_framework.isStarted()) << "the module starts the framework";
        listBoxes();
    }
    void TearDown() override {
        stopHost();
        delete m_orgLayer;
        Kobra::g_orgLayer = nullptr;
        VGXGuiRegistry::reset();
        KobraProgress::setPollPeriodMs(500);
        KobraProgress::setFlagPollMs(50);
    }

    CKobraPlugInDllModuleImplementation* m_module = nullptr;
    COlLoadableExtension* m_orgLayer = nullptr;
};

TEST_F(FrameworkDispatch, SwitchingOnProgramsTheSelectedBoxFullyAndAChangeSendsItsMask) {
    switchOn(0, 1, 100456);
    vgxsim::SimKobraDevice& dev = box(100456);
    EXPECT_EQ(dev.callNames().mid(0, 2), (Calls{"getFpgaFile", "loadFpgaConfiguration"}));
    EXPECT_TRUE(dev.callNames().contains("setWaveforms"));
    EXPECT_EQ(dev.programming().fpgaDirection, 1);
    EXPECT_TRUE(box(100123).calls().isEmpty()) << "the other box is not touched";

    dev.clearCalls();
    setNumber("IdPDbLynxDataWordSize", tup(0, 1), 12);
    EXPECT_EQ(dev.callNames(), interfaceMaskCalls());
    EXPECT_EQ(dev.programming().data->wordSize, 12);

    // One request changing several parameters programs the interface once, with the joint mask.
    dev.clearCalls();
    CDbMsgList both;
    both.append(new CDbMsg(4, 4, "IdPDbLynxTriggerSource", 1, DbMsgSet, 0u, 0, 0, 1, 0, 0));
    both.append(new CDbMsg(4, 4, "IdPDbLynxDataNegI", 1, DbMsgSet, 0u, 0, 0, 1, 0, 0));
    CDbAnswerBuffer answer;
    ASSERT_EQ(db().write(both, &answer), 0);
    EXPECT_EQ(dev.callNames().count("loadFpgaConfiguration"), 1) << "trigger source: everything";
    EXPECT_EQ(dev.callNames().count("setDataSettings"), 1);

    // A trigger event only arms.
    dev.clearCalls();
    setInt("IdPDbLynxTriggerArm", tup(0, 1), 0);
    EXPECT_EQ(dev.callNames(), (Calls{"armTrigger"}));
}

TEST_F(FrameworkDispatch, OnlyRunningInterfacesWithTheirBoxAreProgrammed) {
    setNumber("IdPDbLynxDataWordSize", tup(1, 0), 10);
    setNumber("IdPiDbKobraSelected", tup(1, 0), 100123);
    setNumber("IdPDbLynxDataWordSize", tup(1, 0), 11);
    EXPECT_TRUE(box(100123).calls().isEmpty());
    EXPECT_TRUE(box(100456).calls().isEmpty());

    switchOn(1, 0, 100123);
    switchOn(0, 0, 100456);
    box(100123).clearCalls();
    // Another interface's change does not reach this box; a host-wide one reaches every running one.
    setNumber("IdPDbLynxDataWordSize", tup(1, 1), 13);
    EXPECT_TRUE(box(100123).calls().isEmpty());
    box(100456).clearCalls();
    setInt("IdPDbRoscSource", tup(0, 0), 1);
    EXPECT_EQ(box(100123).callNames(), interfaceMaskCalls());
    EXPECT_EQ(box(100456).callNames(), interfaceMaskCalls());
    box(100123).clearCalls();

    // Switched off, the interface is left alone.
    setInt("IdPDbLynxState", tup(1, 0), 0);
    EXPECT_EQ(readInt("IdPDbKobraState", tup(1, 0)), 0);
    setNumber("IdPDbLynxDataWordSize", tup(1, 0), 14);
    EXPECT_TRUE(box(100123).calls().isEmpty());

    // A box that went is not programmed, and a change under it does no harm.
    setInt("IdPDbLynxState", tup(1, 0), 1);
    ASSERT_TRUE(m_boxes.disconnect(100123));
    box(100123).clearCalls();
    write("IdPDbLynxDataWordSize", tup(1, 0), CDbAllType::fromDouble(15));
    EXPECT_TRUE(box(100123).calls().isEmpty());
}

TEST_F(FrameworkDispatch, AnotherBoxIsProgrammedFullyWhenTheInterfaceIsSwitchedOnAgain) {
    switchOn(1, 1, 100123);
    box(100123).clearCalls();
    // Choosing another box stops the interface; neither box hears of it.
    setNumber("IdPiDbKobraSelected", tup(1, 1), 100456);
    EXPECT_EQ(readInt("IdPDbKobraState", tup(1, 1)), 0);
    EXPECT_TRUE(box(100456).calls().isEmpty());
    EXPECT_TRUE(box(100123).calls().isEmpty());

    setInt("IdPDbLynxState", tup(1, 1), 1);
    EXPECT_EQ(box(100456).programming().fpgaLoads, 1);
    EXPECT_TRUE(box(100456).callNames().contains("setDataSettings"));
    EXPECT_TRUE(box(100123).calls().isEmpty());
}

TEST_F(FrameworkDispatch, AFailingFpgaLoadSwitchesTheInterfaceOff) {
    box(100123).setFault("loadFpgaConfiguration", 7);
    VGXErrorManager::Collector errors;
    switchOn(0, 0, 100123);
    EXPECT_EQ(readInt("IdPDbKobraState", tup(0, 0)), 0);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 0)), 0);
    EXPECT_EQ(box(100123).callNames(), (Calls{"getFpgaFile", "loadFpgaConfiguration"}));
    EXPECT_EQ(signalsOf(errors), (QList<QPair<int, QString>>{{50298, "Booting FPGA configuration failed."}}));

    // Once the box loads, switching on again programs it.
    box(100123).clearFaults();
    box(100123).clearCalls();
    setInt("IdPDbLynxState", tup(0, 0), 1);
    EXPECT_EQ(readInt("IdPDbKobraState", tup(0, 0)), 1);
    EXPECT_TRUE(box(100123).callNames().contains("setDataSettings"));
}

TEST_F(FrameworkDispatch, TheFrameworkOffersTheLayersOperationsPerInterface) {
    setNumber("IdPiDbKobraSelected", tup(1, 0), 100456);
    setNumber("IdPDbLynxClocRate", tup(1, 0), 4e6);
    double rate = 0;
    EXPECT_EQ(m_framework.getSampleRate(1, 0, rate), 0);
    EXPECT_EQ(rate, 4e6);

    // They act on the selected box whether or not the interface runs.
    EXPECT_EQ(m_framework.loadFpga(1, 0), 0);
    EXPECT_EQ(box(100456).programming().fpgaLoads, 1);
    EXPECT_EQ(m_framework.setArb(1, 0), 0);
    EXPECT_EQ(box(100456).programming().arbCount, 0);
    box(100456).clearCalls();
    EXPECT_EQ(m_framework.setKobra(1, 0, 0x20), 0);
    EXPECT_EQ(box(100456).callNames(), (Calls{"setFormat"}));
    // Its correction (the box mode follows the In side's direction) is in the database afterwards.
    EXPECT_EQ(readInt("IdPDbKobraMode", tup(1, 0)), 0);

    // Without a selected box the layer has no device.
    EXPECT_EQ(m_framework.setKobra(0, 1, 0x20), 1);
}

TEST_F(FrameworkDispatch, TheFrameworksRecorderFindsArbFilesInTheArbFolder) {
    const SDbInstTupel rec = tup(0, 1, 0, 0);
    // An ARB file named without a folder lies in the ARB waveform folder.
    CListAdmMainExtend* listAdm = db().listAdm();
    ASSERT_NE(listAdm, nullptr);
    const QString folder = listAdm->folder(0xc0);
    ASSERT_TRUE(QDir().mkpath(folder));
    QVector<WaveformFile::SSample> samples;
    QString error;
    ASSERT_TRUE(WaveformFile::sine(600, 5e6, 1e6, -1.0, samples, &error));
    ASSERT_TRUE(WaveformFile::write(folder + "/rec.wv", samples, 5e6, QString(), &error))
        << error.toStdString();
    setText("IdPDbLynxArbFile", tup(0, 1, 0, 2), "rec");
    setInt("IdPDbKobraTranRecDataSource", rec, 4);
    setInt("IdPDbKobraTranRecTrigMode", rec, 1);
    setInt("IdPDbKobraTranRecState", rec, 1);
    ASSERT_EQ(write("IdPDbKobraTranRecTrigExec", rec, CDbAllType::fromInt(1), DbMsgExec), 0);
    EXPECT_EQ(readInt("IdPDbKobraTranRecStatus", rec), 2);
    CDbAllType block;
    double rate = 0;
    db().dataBaseIfc()->getValue("IdPDbKobraTranRecIQData", block, 0, 0, 0, 1);
    db().dataBaseIfc()->getNumber("IdPDbKobraTranRecSampRate", rate, 0, 0, 0, 1);
    const auto* words = dynamic_cast<const CDbDataTypeNInt*>(block.get());
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(words->getValues(), WaveformFile::toWords(samples).mid(0, 512));
    EXPECT_EQ(rate, 5e6);
}

} // namespace
