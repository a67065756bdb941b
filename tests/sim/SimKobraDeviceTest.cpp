// The simulated box's driver device: what it keeps of its programming, its call log, its test
// switches, the FPGA load as a framework operation, and how the box set hands devices out.
#include <gtest/gtest.h>

#include <cstring>
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

TEST(SimKobraDevice, ConfigurationFilesFollowDirectionAndLogicType) {
    SimKobraDevice dev(100123);
    KobraDrvInterfaceIfc* ifc = dev.interfaceAccess();
    ASSERT_NE(ifc, nullptr);
    QString file;
    double reserved = 0;
    EXPECT_EQ(ifc->getFpgaFile(1, 8, &reserved, &file), 0);
    EXPECT_EQ(file, "/opt/kobra/fpga/kobra_out_8.bit");

    // Directions and logic types the box does not know leave the text alone.
    file = "untouched";
    for (const auto& [direction, logic] : {std::pair{2, 0}, {-1, 0}, {0, 9}, {0, -1}})
        EXPECT_EQ(ifc->getFpgaFile(direction, logic, &reserved, &file), SimKobraDevice::BadArgument);
    EXPECT_EQ(file, "untouched");

    EXPECT_EQ(ifc->loadFpgaConfiguration(1, 3, 0, 0), 0);
    EXPECT_EQ(dev.loadedFpgaFile(), "/opt/kobra/fpga/kobra_out_3.bit");
    const SimKobraProgramming p = dev.programming();
    EXPECT_EQ(std::tuple(p.fpgaDirection, p.fpgaLogicType, p.fpgaLoads), std::tuple(1, 3, 1));
}

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

TEST(SimKobraDevice, ArbTableAndSourcesKeepSlotsAndEnables) {
    SimKobraDevice dev(100123);
    KobraDrvArbIfc* arb = dev.arbAccess();
    EXPECT_EQ(dev.arbSourceAccess(4), nullptr);

    char names[KobraDrvArbIfc::SlotCount][KobraDrvArbIfc::SlotSize] = {};
    int64_t samples[KobraDrvArbIfc::SlotCount] = {0, 0, 1000, 0};
    std::strcpy(names[2], "/data/wave.wv");
    // A slot filled to its last byte without terminator is read up to the slot's end, no further.
    std::memset(names[3], 'x', sizeof names[3]);
    EXPECT_EQ(arb->setWaveforms(1, names, samples), 0);
    ASSERT_EQ(dev.arbSourceAccess(2)->loadWaveform("/data/wave.wv"), 0);
    dev.arbSourceAccess(2)->enable(true);
    dev.arbSourceAccess(0)->enable(false);
    EXPECT_EQ(dev.arbSourceAccess(1)->loadWaveform(""), SimKobraDevice::BadArgument);

    const SimKobraProgramming p = dev.programming();
    EXPECT_EQ(p.arbCount, 1);
    EXPECT_EQ(std::tuple(p.arb[2].file, p.arb[2].samples, p.arb[2].loaded, p.arb[2].enabled),
              std::tuple("/data/wave.wv", 1000, "/data/wave.wv", true));
    EXPECT_EQ(p.arb[3].file.size(), KobraDrvArbIfc::SlotSize);
    EXPECT_TRUE(p.arb[1].loaded.isEmpty());
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
