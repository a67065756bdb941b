// The set of simulated boxes: hot-plug, and what each box model answers.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "sim/SimBoxes.h"

using namespace MvQARN;
using vgxsim::SimBox;
using vgxsim::SimBoxes;

namespace {

class Recorder : public COlBoxDriverListener {
public:
    void boxConnected(int serial) override { events.push_back(serial); }
    void boxDisconnected(int serial) override { events.push_back(-serial); }
    std::vector<int> events;
};

TEST(SimBoxes, HotPlugChangesTheSetAndTellsTheListener) {
    SimBoxes boxes;
    Recorder rec;
    boxes.setListener(&rec);
    QString error;
    ASSERT_TRUE(boxes.connect(100789, &error));
    EXPECT_EQ(boxes.connectedSerials(), (QList<int>{100123, 100456, 100789}));
    const SimBox fresh = *boxes.box(100789);
    EXPECT_EQ(fresh.variant(), 0) << "an unknown box comes as a basic box";
    ASSERT_TRUE(boxes.disconnect(100123, &error));
    EXPECT_EQ(boxes.connectedSerials(), (QList<int>{100456, 100789}));
    EXPECT_TRUE(boxes.box(100123).has_value()) << "a box that went stays known";
    ASSERT_TRUE(boxes.connect(100123, &error));
    EXPECT_EQ(boxes.box(100123)->partNumber, "7730.1192K04") << "it comes back as itself";
    EXPECT_EQ(rec.events, (std::vector<int>{100789, -100123, 100123}));

    EXPECT_FALSE(boxes.connect(100123, &error));
    EXPECT_EQ(error, "box 100123 is already connected");
    EXPECT_FALSE(boxes.disconnect(4711, &error));
    EXPECT_EQ(error, "box 4711 is not connected");
    EXPECT_FALSE(boxes.connect(0, &error));
    EXPECT_EQ(error, "serial number 0 is not a positive integer");
    EXPECT_EQ(rec.events.size(), 3u) << "refused requests tell nobody";
    boxes.setListener(nullptr);

    for (int i = 0; i < SimBoxes::MaxConnected - 3; ++i)
        ASSERT_TRUE(boxes.connect(500 + i));
    EXPECT_FALSE(boxes.connect(999, &error));
    EXPECT_EQ(error, "no room for box 999: 20 boxes are connected");
    ASSERT_TRUE(boxes.disconnect(500));
    EXPECT_TRUE(boxes.connect(999));
}

} // namespace
