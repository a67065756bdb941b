// The FPGA step: a progress window only for a configuration the FPGA does not hold yet, the load either
// way, and the progress service always closed (and destroyed at the layer's end).
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "OrgLayerTestSupport.h"
#include "frame/KobraProgress.h"
#include "frame/KobraProgressDlg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlManager.h"
#include "host/olfw/impl/COlFramework.h"
#include "host/util/impl/VGXHostAnchor.h"

using namespace oltest;

namespace {

// The framework's command interface as the progress service finds it, noting the operations asked
// about (from the GUI thread and from the worker).
class WatchedCommands : public COlManager, public COlCommandIfc {
public:
    explicit WatchedCommands(COlFramework& fw) : m_fw(fw) {}
    COlCommandIfc* commandInterface() override { return this; }
    bool execute(int code, COlCommandData* data) override {
        if (code == OlCmdProgress && data) {
            QMutexLocker lock(&m_mutex);
            m_operations.append(unsigned(data->index1));
        }
        return m_fw.execute(code, data);
    }
    QList<unsigned> operations() const {
        QMutexLocker lock(&m_mutex);
        return m_operations;
    }

private:
    COlFramework& m_fw;
    mutable QMutex m_mutex;
    QList<unsigned> m_operations;
};

class OrgLayerFpga : public OrgLayerTest {
protected:
    void SetUp() override {
        OrgLayerTest::SetUp();
        KobraProgress::setPollPeriodMs(5);
        KobraProgress::setFlagPollMs(1);
        VGXHostAnchor::instance().setOlManager(&m_commands);
        m_device.setFramework(&m_framework);
        m_dialog = std::make_unique<KobraProgressDlg>(nullptr);
        setInt("IdPDbLynxLogicType", tup(0, 0), 5);
    }
    void TearDown() override {
        KobraProgress::getInstance()->close();
        m_dialog.reset();
        VGXHostAnchor::instance().setOlManager(nullptr);
        m_device.setFramework(nullptr);
        KobraProgress::setPollPeriodMs(500);
        KobraProgress::setFlagPollMs(50);
        OrgLayerTest::TearDown();
    }
    int loadFpga(KobraDrvDeviceIfc* device = nullptr, CDbDataBaseIfc* database = nullptr) {
        return ext().loadFpga(device ? device : &m_device, database ? database : hostDb(), &m_msgs, 0, 0);
    }
    static bool watching() { return KobraProgress::getInstance()->isRunning(); }

    COlFramework m_framework;
    WatchedCommands m_commands{m_framework};
    std::unique_ptr<KobraProgressDlg> m_dialog;
};

TEST_F(OrgLayerFpga, OnlyANewConfigurationIsLoadedUnderTheProgressWindowAndTheServiceIsClosedEitherWay) {
    QSignalSpy shown(KobraProgress::getInstance(), SIGNAL(showProgress(bool)));
    EXPECT_EQ(loadFpga(), 0);
    EXPECT_EQ(calls(), (QList<QByteArray>{"getFpgaFile", "loadFpgaConfiguration"}));
    EXPECT_EQ(m_device.calls()[1].args, (QVariantList{0, 5, 0, 0})); // direction, logic type
    ASSERT_EQ(shown.count(), 1);
    EXPECT_FALSE(shown[0][0].toBool()) << "no callback, so no Abort button";
    ASSERT_FALSE(m_commands.operations().isEmpty());
    EXPECT_EQ(m_commands.operations().first(), m_device.fpgaLoadOperation())
        << "the window follows the box's load operation";
    EXPECT_FALSE(watching()) << "the progress service is closed after the load";

    // The configuration the FPGA holds is loaded again without the window; a watch that runs is closed
    // all the same.
    m_device.clearCalls();
    KobraProgress::getInstance()->showProgressDialog(0, "Other work", false, nullptr);
    ASSERT_TRUE(watching());
    const int shownBefore = int(shown.count());
    EXPECT_EQ(loadFpga(), 0);
    EXPECT_EQ(calls(), (QList<QByteArray>{"getFpgaFile", "loadFpgaConfiguration"}));
    EXPECT_EQ(m_device.programming().fpgaLoads, 2);
    EXPECT_EQ(shown.count(), shownBefore);
    EXPECT_FALSE(watching());
}

TEST_F(OrgLayerFpga, FailuresComeBackAsStatuses) {
    m_device.setFault("getFpgaFile", 12);
    QSignalSpy shown(KobraProgress::getInstance(), SIGNAL(showProgress(bool)));
    EXPECT_EQ(loadFpga(), 12);
    EXPECT_EQ(calls(), (QList<QByteArray>{"getFpgaFile"}));
    EXPECT_EQ(shown.count(), 0);

    m_device.clearFaults();
    m_device.clearCalls();
    m_device.setFault("loadFpgaConfiguration", 13);
    EXPECT_EQ(loadFpga(), 13);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_FALSE(watching());

    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(OrgLayerFpga, TheLayerClosesAndDestroysTheProgressServiceAtItsEnd) {
    auto layer = std::make_unique<CKobraOrgLayer>();
    QPointer<KobraProgress> service = KobraProgress::getInstance();
    service->showProgressDialog(0, "Running", false, nullptr);
    ASSERT_TRUE(service->isRunning());
    layer.reset();
    EXPECT_TRUE(service.isNull());
}

} // namespace
