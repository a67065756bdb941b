// The simulated box's driver device: what it keeps of its programming, its call log, its faults, the
// FPGA load as a framework operation, and how the box set hands devices out.
#include <gtest/gtest.h>

#include <tuple>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlProgressStatus.h"
#include "host/olfw/impl/COlFramework.h"
#include "sim/SimBoxes.h"
#include "sim/SimKobraDevice.h"

using namespace MvQARN;
using vgxsim::SimBoxes;
using vgxsim::SimKobraDevice;
using vgxsim::SimKobraProgramming;

namespace {

TEST(SimKobraDevice, KeepsWhatItWasProgrammedWithLogsEveryCallAndAFaultChangesNothing) {
    SimKobraDevice dev(100123);
    KobraDrvInterfaceIfc* ifc = dev.interfaceAccess();
    const int one = 1, zero = 0;
    KobraDataSettings data{};
    data.wordSize = 14;
    EXPECT_EQ(ifc->setFormat(&one), 0);
    EXPECT_EQ(ifc->setDataSettings(&data), 0);
    EXPECT_EQ(ifc->setTrigger(1, 250), 0);
    EXPECT_EQ(ifc->armTrigger(), 0);
    EXPECT_EQ(ifc->armTrigger(), 0);
    EXPECT_EQ(ifc->setTestTx(true, 5), 0);
    EXPECT_EQ(ifc->setTestSine(true, 0.5, 1e6, 20e6), 0); // replaces the transmit test's source
    const SimKobraProgramming p = dev.programming();
    ASSERT_TRUE(p.data.has_value() && p.trigger.has_value() && p.testTx.has_value());
    EXPECT_EQ(std::tuple(p.format, p.data->wordSize, p.trigger->delay, p.triggerArms),
              std::tuple(1, 14, 250, 2));
    EXPECT_EQ(std::tuple(p.testTx->source, p.testTx->linearGain), std::tuple(2, 0.5));
    const QList<vgxsim::SimDrvCall> calls = dev.calls();
    EXPECT_EQ(calls[1].args.value(3).toInt(), 14) << "records are logged field by field";
    EXPECT_EQ(calls[2].args, (QVariantList{1, 250}));

    dev.clearCalls();
    dev.setFault("setFormat", 17);
    dev.setFault("loadFpgaConfiguration", 9);
    EXPECT_EQ(ifc->setFormat(&zero), 17);
    EXPECT_EQ(ifc->loadFpgaConfiguration(0, 1, 0, 0), 9);
    EXPECT_EQ(ifc->setRateMode(&zero), 0) << "other calls are not affected";
    EXPECT_EQ(dev.programming().format, 1);
    EXPECT_TRUE(dev.loadedFpgaFile().isEmpty());
    EXPECT_EQ(dev.callNames(), (QList<QByteArray>{"setFormat", "loadFpgaConfiguration", "setRateMode"}))
        << "refused calls are logged too";
    dev.setFault("setFormat", 0);
    EXPECT_EQ(ifc->setFormat(&zero), 0);
    EXPECT_EQ(dev.programming().format, 0);
}

TEST(SimKobraDevice, FpgaLoadRunsAsAFrameworkOperationWithTwoPhases) {
    SimKobraDevice dev(100123);
    EXPECT_EQ(dev.fpgaLoadOperation(), 0u) << "without a framework nobody can follow the load";

    COlFramework framework;
    framework.setOperationDurationMs(0);
    dev.setFramework(&framework);
    const unsigned op = dev.fpgaLoadOperation();
    ASSERT_NE(op, 0u);
    EXPECT_EQ(dev.fpgaLoadOperation(), op) << "every load of the box runs under one identifier";

    ASSERT_EQ(dev.interfaceAccess()->loadFpgaConfiguration(0, 2, 0, 0), 0);
    COlCommandData d;
    d.index1 = int(op);
    ASSERT_TRUE(framework.execute(OlCmdProgress, &d));
    ASSERT_NE(d.text, nullptr);
    const auto* status = static_cast<const COlProgressStatus*>(d.text);
    EXPECT_EQ(status->phaseTitle, "Configuring");
    EXPECT_EQ(status->progress, 100);

    // A refused load does not claim progress.
    framework.operations().end(op);
    dev.setFault("loadFpgaConfiguration", 5);
    EXPECT_EQ(dev.interfaceAccess()->loadFpgaConfiguration(1, 2, 0, 0), 5);
    EXPECT_FALSE(framework.operations().isKnown(op));
}

TEST(SimBoxes, EveryConnectedBoxHasItsDeviceWhichForgetsItsProgrammingWhenItGoes) {
    SimBoxes boxes;
    COlFramework framework(&boxes);
    KobraDrvDeviceIfc* full = framework.device(100123);
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full, boxes.simDevice(100123));
    EXPECT_NE(framework.device(100456), full);
    EXPECT_EQ(framework.device(4711), nullptr);
    EXPECT_NE(full->fpgaLoadOperation(), 0u) << "the box set hands its framework to the devices";

    ASSERT_EQ(full->interfaceAccess()->loadFpgaConfiguration(0, 1, 0, 0), 0);
    ASSERT_TRUE(boxes.disconnect(100123));
    EXPECT_EQ(framework.device(100123), nullptr);
    vgxsim::SimKobraDevice* kept = boxes.simDevice(100123);
    ASSERT_EQ(kept, full) << "the device outlives the connection";
    EXPECT_FALSE(kept->isConnected());
    EXPECT_TRUE(kept->loadedFpgaFile().isEmpty());
    const int one = 1;
    EXPECT_EQ(kept->setFormat(&one), SimKobraDevice::NotConnected);

    ASSERT_TRUE(boxes.connect(100123));
    EXPECT_EQ(framework.device(100123), full);
    EXPECT_EQ(kept->setFormat(&one), 0);
}

} // namespace
