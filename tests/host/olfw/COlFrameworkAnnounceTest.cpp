// Boxes announced to modules through the USB device parameters at start and on hot plug (the writes
// into the plug-in's records are seen end to end by the simulation-file test).
#include <gtest/gtest.h>

#include <vector>

#include "host/db/CDbMsg.h"
#include "host/olfw/impl/COlFramework.h"
#include "sim/SimBoxes.h"

using namespace MvQARN;
using vgxsim::SimBoxes;

namespace {

struct Write {
    QByteArray name;
    int t3;
    QString value;
    bool operator==(const Write&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Write& w) {
    return os << w.name.constData() << "[" << w.t3 << "]=" << w.value.toStdString();
}

class OlFrameworkAnnounce : public ::testing::Test {
protected:
    void SetUp() override {
        fw.setParameterWriter([this](const CDbMsg& m) {
            writes.push_back({m.getName(), m.getTupel().t3, m.getValue().toText()});
            EXPECT_EQ(m.getTupel().t0, 0);
            EXPECT_EQ(m.getTupel().t1, 0);
            return 0;
        });
    }
    std::vector<Write> take() {
        std::vector<Write> w;
        w.swap(writes);
        return w;
    }
    static Write serial(int slot, int sn) {
        return {"IdPDbLynxUsbDevSerialNumber", slot, QString::number(sn)};
    }
    static Write state(int slot, bool on) { return {"IdPDbLynxUsbDevState", slot, on ? "1" : "0"}; }
    static Write serialsNone() { return {"IdPDbKobraSerials", 0, "None"}; }

    SimBoxes boxes;
    COlFramework fw{&boxes};
    std::vector<Write> writes;
};

TEST_F(OlFrameworkAnnounce, StartResetsTheSerialListThenAnnouncesEachBoxSerialFirst) {
    ASSERT_TRUE(boxes.connect(100789));
    EXPECT_TRUE(take().empty()) << "nothing is announced before the framework runs";
    EXPECT_EQ(fw.start(), 0);
    EXPECT_EQ(take(), (std::vector<Write>{serialsNone(), serial(0, 100123), state(0, true), serial(1, 100456),
                                          state(1, true), serial(2, 100789), state(2, true)}));
    fw.start();
    EXPECT_TRUE(take().empty()) << "a second start announces nothing";

    // Changes while stopped are announced at the next start.
    fw.stop();
    ASSERT_TRUE(boxes.disconnect(100456));
    EXPECT_TRUE(take().empty());
    fw.start();
    EXPECT_EQ(take(), (std::vector<Write>{serialsNone(), state(1, false), serial(0, 100123), state(0, true),
                                          serial(2, 100789), state(2, true)}));
}

TEST_F(OlFrameworkAnnounce, HotPlugWritesTheDeviceOfTheBoxThatCameOrWent) {
    fw.execute(56, nullptr);
    take();
    ASSERT_TRUE(boxes.connect(100789));
    EXPECT_EQ(take(), (std::vector<Write>{serial(2, 100789), state(2, true)}));
    // Going: only the state changes, so the update still finds the serial at that index.
    ASSERT_TRUE(boxes.disconnect(100123));
    EXPECT_EQ(take(), (std::vector<Write>{state(0, false)}));

    // A new box takes an unused index; the box that went gets its old index back.
    ASSERT_TRUE(boxes.connect(100999));
    EXPECT_EQ(take(), (std::vector<Write>{serial(3, 100999), state(3, true)}));
    ASSERT_TRUE(boxes.connect(100123));
    EXPECT_EQ(take(), (std::vector<Write>{serial(0, 100123), state(0, true)}));

    // Refused hot-plug requests write nothing.
    EXPECT_FALSE(boxes.connect(100123));
    EXPECT_FALSE(boxes.disconnect(555));
    EXPECT_TRUE(take().empty());

    // The last index is used too, and a full device list reuses the index of a box that went.
    for (int i = 0; i < COlFramework::UsbDevices - 4; ++i)
        ASSERT_TRUE(boxes.connect(200000 + i));
    take();
    ASSERT_TRUE(boxes.disconnect(200015));
    EXPECT_EQ(take(), (std::vector<Write>{state(19, false)}));
    ASSERT_TRUE(boxes.connect(300000));
    EXPECT_EQ(take(), (std::vector<Write>{serial(19, 300000), state(19, true)}));
}

} // namespace
