// Boxes announced to modules through the USB device parameters: at start, and when boxes are
// plugged in or out while the framework runs.
#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"
#include "host/olfw/impl/COlFramework.h"
#include "sim/SimBoxes.h"
#include "support/TestDbDefinitions.h"

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
    EXPECT_EQ(fw.usbDeviceIndex(100456), 1);
    EXPECT_EQ(fw.usbDeviceIndex(4711), -1);

    // Changes while stopped are announced at the next start.
    fw.stop();
    ASSERT_TRUE(boxes.disconnect(100456));
    EXPECT_TRUE(take().empty());
    fw.start();
    EXPECT_EQ(take(), (std::vector<Write>{serialsNone(), state(1, false), serial(0, 100123), state(0, true),
                                          serial(2, 100789), state(2, true)}));
    // A simulation file replacing the boxes announces the change.
    boxes.setBoxes({vgxsim::SimBox(123456)}, {123456});
    EXPECT_EQ(take(),
              (std::vector<Write>{state(0, false), state(2, false), serial(3, 123456), state(3, true)}));
}

TEST_F(OlFrameworkAnnounce, HotPlugWritesTheDeviceOfTheBoxThatCameOrWent) {
    fw.execute(56, nullptr);
    take();
    ASSERT_TRUE(boxes.connect(100789));
    EXPECT_EQ(take(), (std::vector<Write>{serial(2, 100789), state(2, true)}));
    EXPECT_EQ(boxes.connectedSerials(), (QList<int>{100123, 100456, 100789}));

    // Going: only the state changes, so the update still finds the serial at that index.
    ASSERT_TRUE(boxes.disconnect(100123));
    EXPECT_EQ(take(), (std::vector<Write>{state(0, false)}));
    EXPECT_EQ(boxes.connectedSerials(), (QList<int>{100456, 100789}));

    // A new box takes an unused index; the box that went gets its old index back.
    ASSERT_TRUE(boxes.connect(100999));
    EXPECT_EQ(take(), (std::vector<Write>{serial(3, 100999), state(3, true)}));
    ASSERT_TRUE(boxes.connect(100123));
    EXPECT_EQ(take(), (std::vector<Write>{serial(0, 100123), state(0, true)}));

    // Refused hot-plug requests write nothing.
    EXPECT_FALSE(boxes.connect(100123));
    EXPECT_FALSE(boxes.disconnect(555));
    EXPECT_TRUE(take().empty());
}

TEST_F(OlFrameworkAnnounce, AFullDeviceListReusesTheIndexOfABoxThatWent) {
    fw.start();
    for (int i = 0; i < COlFramework::UsbDevices - 2; ++i)
        ASSERT_TRUE(boxes.connect(200000 + i));
    EXPECT_EQ(fw.usbDeviceIndex(200017), 19);
    ASSERT_TRUE(boxes.disconnect(100456));
    take();
    ASSERT_TRUE(boxes.connect(300000));
    EXPECT_EQ(take(), (std::vector<Write>{serial(1, 300000), state(1, true)}));
}

// The same announcement through the host database, into records shaped as the plug-in's.
int foldUsb(SDbInstTupel& t) {
    t.t0 = 0;
    t.t1 = 0;
    return 0;
}

class OlFrameworkAnnounceDb : public ::testing::Test {
protected:
    void SetUp() override {
        engine.reset();
        auto& serials = defs.list("IdPDbKobraSerials", {2, 2, 1, 1});
        for (int i = 0; i < 4; ++i)
            serials.c.countB[i] = 1; // one list for every instance
        serials.hostLimits[1] = DbHostMaxLen;
        serials.hostLimits[3] = DbHostElemMax;
        auto& number = defs.number("IdPDbLynxUsbDevSerialNumber", 0, 4294967295.0, 0, {2, 2, 1, 20});
        number.c.idx = &foldUsb;
        auto& state = defs.select("IdPDbLynxUsbDevState", 0, 1, 0, {2, 2, 1, 20});
        state.c.idx = &foldUsb;
        state.ids = DbHostStateList;
        state.idCount = 2;
        ASSERT_EQ(defs.registerAll(2028), 0);
    }
    void TearDown() override { engine.reset(); }

    double read(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(engine.read(name, t, v), 0) << name;
        double d = -1;
        v.toDouble(d);
        return d;
    }
    double serialAt(int slot) { return read("IdPDbLynxUsbDevSerialNumber", SDbInstTupel{1, 1, 0, slot}); }
    double stateAt(int slot) { return read("IdPDbLynxUsbDevState", SDbInstTupel{0, 1, 0, slot}); }

    CDbEngine& engine = CDbEngine::instance();
    dbtest::Defs defs;
};

TEST_F(OlFrameworkAnnounceDb, DeviceParametersShowTheConnectedBoxes) {
    // Something stale in the list goes at start.
    ASSERT_EQ(engine.write("IdPDbKobraSerials", SDbInstTupel{},
                           CDbAllType(new CDbDataTypeNString(QStringList{"None", "4711"}))),
              0);
    SimBoxes boxes;
    COlFramework fw(&boxes);
    EXPECT_EQ(fw.start(), 0);
    CDbAllType list;
    ASSERT_EQ(engine.read("IdPDbKobraSerials", SDbInstTupel{1, 0, 0, 0}, list), 0);
    ASSERT_EQ(list.getType(), DbTypeNString);
    EXPECT_EQ(static_cast<const CDbDataTypeNString*>(list.get())->getValList(), QStringList{"None"});
    EXPECT_EQ(std::tuple(serialAt(0), serialAt(1)), std::tuple(100123.0, 100456.0));
    EXPECT_EQ(std::tuple(stateAt(0), stateAt(1), stateAt(2)), std::tuple(1, 1, 0));

    ASSERT_TRUE(boxes.disconnect(100123));
    EXPECT_EQ(std::tuple(serialAt(0), stateAt(0)), std::tuple(100123.0, 0));
    ASSERT_TRUE(boxes.connect(100789));
    EXPECT_EQ(std::tuple(serialAt(2), stateAt(2)), std::tuple(100789.0, 1));
}

TEST_F(OlFrameworkAnnounceDb, StartWithoutTheDeviceParametersReportsTheRefusal) {
    engine.reset(); // no plug-in parameters defined
    SimBoxes boxes;
    COlFramework fw(&boxes);
    EXPECT_NE(fw.start(), 0);
    EXPECT_TRUE(fw.isStarted()) << "the framework runs without a module that listens";
}

} // namespace
