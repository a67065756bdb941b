// How the simulated box set hands its driver devices out. What a device keeps of its programming, its
// call log and its faults are seen through the organisation layer tests, which read them.
#include <gtest/gtest.h>

#include "host/olfw/impl/COlFramework.h"
#include "sim/SimBoxes.h"
#include "sim/SimKobraDevice.h"

using namespace MvQARN;
using vgxsim::SimBoxes;
using vgxsim::SimKobraDevice;

namespace {

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
