// Where values live: overlapping records, values stored once for several instances, index
// functions, and instances outside the range.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "host/db/CDbDataTypeNString.h"

using namespace MvQARN;
using namespace dbtest;

namespace {

int idxUsbDevice(SDbInstTupel& t) {
    t.t0 = 0;
    t.t1 = 0;
    return 0;
}

int idxRefuse(SDbInstTupel&) {
    return 1;
}

class InstanceTest : public DbTest {};

TEST_F(InstanceTest, NarrowDirectionRecordsWinOverTheFullOne) {
    static const int states[] = {0, 1};
    auto& full = defs.select("Dir", 0, 1, 1, {2, 2, 1, 1});
    full.ids = states;
    full.idCount = 2;
    auto& in = defs.select("Dir", 0, 0, 0, {2, 1, 1, 1});
    in.ids = states;
    in.idCount = 2;
    in.c.family = 0x121;
    auto& out = defs.select("Dir", 1, 1, 1, {2, 1, 1, 1});
    out.ids = states;
    out.idCount = 2;
    out.c.firstA[1] = 1;
    out.c.firstB[1] = 1;
    ASSERT_EQ(defs.registerAll(), 0);
    ASSERT_EQ(e.records("Dir").size(), 3);

    for (int t0 = 0; t0 < 2; ++t0) {
        EXPECT_EQ(sel("Dir", {t0, 1, 0, 0}), 1);
        EXPECT_EQ(e.findRecord("Dir", {t0, 0, 0, 0}), &in.c);
        EXPECT_EQ(e.findRecord("Dir", {t0, 1, 0, 0}), &out.c);
        EXPECT_EQ(e.choices("Dir", {t0, 1, 0, 0}), QVector<int>({1}));
    }
    CDbAnswerBuffer a;
    EXPECT_EQ(putSel("Dir", 1, {0, 0, 0, 0}, &a), DbErrOutOfRange);
    EXPECT_EQ(putSel("Dir", 0, {1, 1, 0, 0}, &a), DbErrOutOfRange);
    EXPECT_EQ(putSel("Dir", 0, {1, 0, 0, 0}), 0);
    EXPECT_EQ(sel("Dir", {1, 1, 0, 0}), 1);
    EXPECT_EQ(errorCodes(a), QList<int>({DbErrOutOfRange, DbErrOutOfRange}));
}

TEST_F(InstanceTest, IndexFunctionsMapInstancesToTheStoredOne) {
    defs.number("UsbSerial", 0, 4294967295.0, 0, {2, 2, 1, 20}).c.idx = &idxUsbDevice;
    defs.select("ConfigSelected", 0, 20, 0, {2, 2, 1, 1}).c.idx = &idxL2PDbAllX21;
    defs.number("Broken", 0, 1, 0).c.idx = &idxRefuse;
    auto& serials = defs.list("Serials", {2, 2, 1, 1});
    for (int i = 0; i < 4; ++i)
        serials.c.countB[i] = 1;
    ASSERT_EQ(defs.registerAll(), 0);

    ASSERT_EQ(putNum("UsbSerial", 100123, {1, 1, 0, 5}), 0);
    ASSERT_EQ(putNum("UsbSerial", 100456, {0, 1, 0, 6}), 0);
    EXPECT_EQ(num("UsbSerial", {0, 0, 0, 5}), 100123);
    EXPECT_EQ(num("UsbSerial", {1, 0, 0, 5}), 100123);
    EXPECT_EQ(num("UsbSerial", {1, 1, 0, 6}), 100456);
    EXPECT_EQ(num("UsbSerial", {1, 1, 0, 7}), 0);

    ASSERT_EQ(putSel("ConfigSelected", 3, {1, 0, 0, 0}), 0);
    EXPECT_EQ(sel("ConfigSelected", {0, 1, 0, 0}), 3);
    // A record stored once (second counts all 1) shows one value for every instance.
    ASSERT_EQ(put("Serials", {1, 0, 0, 0}, CDbAllType(new CDbDataTypeNString({"None", "100123"}))), 0);
    EXPECT_EQ(text("Serials", {0, 1, 0, 0}), "None,100123");

    CDbAllType v;
    EXPECT_EQ(e.read("Broken", {}, v), DbErrInstance);
}

TEST_F(InstanceTest, UnknownNamesAndInstancesOutsideTheRange) {
    defs.number("P", 0, 10, 0, {2, 2, 1, 1});
    ASSERT_EQ(defs.registerAll(), 0);
    CDbAnswerBuffer a;
    CDbAllType v;
    EXPECT_EQ(putNum("Nope", 1, {}, &a), DbErrUnknownParameter);
    EXPECT_EQ(putNum("P", 1, {2, 0, 0, 0}, &a), DbErrInstance);
    EXPECT_EQ(putNum("P", 1, {0, 0, 0, 1}, &a), DbErrInstance);
    EXPECT_EQ(e.read("Nope", {}, v), DbErrUnknownParameter);
    EXPECT_EQ(e.read("P", {0, -1, 0, 0}, v), DbErrInstance);
    EXPECT_EQ(errorCodes(a), QList<int>({DbErrUnknownParameter, DbErrInstance, DbErrInstance}));
    EXPECT_EQ(e.findRecord("P", {0, 2, 0, 0}), nullptr);
}

} // namespace
