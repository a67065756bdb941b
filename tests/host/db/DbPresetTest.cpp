// Group preset: which records and instances a group word, a mask and an instance filter select, the
// preset function, and the updates and events that follow.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeSelect.h"

using namespace MvQARN;
using namespace dbtest;

namespace {

class CTestPreset : public CDbPresFunc {
public:
    typedef CDbDataType* (CTestPreset::*FnCtx)(CDbCnct&);
    explicit CTestPreset(FnCtx fn) : CDbPresFunc(static_cast<CDbPresFunc::MemberCtx>(fn), nullptr) {}
    // The recorder channel t3 = 1 records the Out side.
    CDbDataType* bySlot(CDbCnct& c) { return new CDbDataTypeSelect(c.t3() == 1 ? 1 : 0); }
};

class CTestCheck : public CDbChkFunc {
public:
    typedef int (CTestCheck::*Fn)(CDbCnct&);
    explicit CTestCheck(Fn fn) : CDbChkFunc(static_cast<CDbChkFunc::Member>(fn)) {}
    int refuseAll(CDbCnct&) { return DbErrProtected; }
};

class CTestUpdate : public CDbUpdFunc {
public:
    typedef int (CTestUpdate::*Fn)(CDbCnct&, const CDbAllType&);
    explicit CTestUpdate(Fn fn) : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(fn)) {}
    int logCall(CDbCnct& c, const CDbAllType& prev) {
        trace().push_back("upd:" + std::string(c.getName()) + "[" + std::to_string(c.t3()) + "] " +
                          str(prev) + "->" + str(c.getValue()) +
                          " flags=" + std::to_string(c.getChangeFlags()));
        return 0;
    }
};

const SDbInstTupel kInst[4] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {1, 1, 0, 0}};

class PresetTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        defs.number("Iface", 0, 100, 1, {2, 2, 1, 1}); // group 0x24
        defs.number("Arb", 0, 100, 2, {2, 2, 1, 4}).c.grp = 0x10024;
        defs.number("Rec", 0, 100, 3, {2, 2, 1, 2}).c.grp = 0x10;
        defs.number("Box", 0, 100, 4, {2, 2, 1, 1}).c.grp = 0;
        defs.number("Other", 0, 100, 5, {2, 2, 1, 1}).c.grp = 0x25;
        auto& shared = defs.list("Catalogue", {2, 2, 1, 1});
        for (int i = 0; i < 4; ++i)
            shared.c.countB[i] = 1;
        defs.string("Del", "", 256, {2, 2, 1, 1}).c.fileOp = 2;
        auto& exec = defs.event("PresetExec", {2, 2, 1, 1});
        exec.c.grp = 0x24;
        exec.c.upd = &log;
    }
    void setAll(double v) {
        for (const SDbInstTupel& t : kInst) {
            for (const char* n : {"Iface", "Box", "Other"})
                ASSERT_EQ(putNum(n, v, t), 0);
            for (int s = 0; s < 4; ++s)
                ASSERT_EQ(putNum("Arb", v, {t.t0, t.t1, 0, s}), 0);
            for (int s = 0; s < 2; ++s)
                ASSERT_EQ(putNum("Rec", v, {t.t0, t.t1, 0, s}), 0);
            ASSERT_EQ(putStr("Del", "x", t), 0);
        }
        ASSERT_EQ(put("Catalogue", {}, CDbAllType(new CDbDataTypeNString({"a.lynx"}))), 0);
    }
    int presetVia(int t0, int t1, unsigned mask) {
        auto c = e.makeContext("Iface", {t0, t1, 0, 0});
        return c->presetGrp(true, 36, mask, 1, false, nullptr, c->getTupel(), t0, -1, -1, t1);
    }

    CTestUpdate log{&CTestUpdate::logCall};
};

TEST_F(PresetTest, GroupMaskAndInstanceChooseWhatIsReset) {
    ASSERT_EQ(defs.registerAll(), 0);
    setAll(50);
    trace().clear();

    ASSERT_EQ(presetVia(0, 0, 0xFFFF0000u), 0); // In A, whole group 36
    for (const SDbInstTupel& t : kInst) {
        const bool inA = t.t0 == 0 && t.t1 == 0;
        EXPECT_EQ(num("Iface", t), inA ? 1 : 50);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(num("Arb", {t.t0, t.t1, 0, s}), inA ? 2 : 50);
        for (int s = 0; s < 2; ++s)
            EXPECT_EQ(num("Rec", {t.t0, t.t1, 0, s}), 50);
        EXPECT_EQ(num("Box", t), 50);
        EXPECT_EQ(num("Other", t), 50);
        EXPECT_EQ(text("Del", t), "x"); // file operations are no settings
    }
    EXPECT_EQ(text("Catalogue"), "a.lynx"); // shared by all instances: not one instance's to reset
    EXPECT_TRUE(trace().empty());           // actions are not run by a preset

    // The ARB sub-group alone, on Out B.
    ASSERT_EQ(presetVia(1, 1, 0x10000u), 0);
    EXPECT_EQ(num("Iface", {1, 1, 0, 0}), 50);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(num("Arb", {1, 1, 0, s}), 2);
        EXPECT_EQ(num("Arb", {1, 0, 0, s}), 50);
    }
}

TEST_F(PresetTest, PresetFunctionGivesTheValueAndChangedValuesRunTheirUpdates) {
    CTestPreset pres(&CTestPreset::bySlot);
    CTestCheck refuse(&CTestCheck::refuseAll);
    auto& src = defs.select("DataSource", 0, 7, 5, {2, 2, 1, 2});
    src.c.grp = 0x24;
    src.c.pres = &pres;
    src.c.chk = &refuse; // a preset is legal by definition: no check
    src.c.upd = &log;
    ASSERT_EQ(defs.registerAll(), 0);
    int batches = 0;
    e.addRequestObserver([&](const QVector<SDbChange>& c) {
        ++batches;
        EXPECT_EQ(c.size(), 2);
    });

    ASSERT_EQ(presetVia(0, 1, 0xFFFF0000u), 0);
    EXPECT_EQ(sel("DataSource", {0, 1, 0, 0}), 0);
    EXPECT_EQ(sel("DataSource", {0, 1, 0, 1}), 1);
    EXPECT_EQ(sel("DataSource", {1, 1, 0, 1}), 5);
    // t3 = 0 changed 5 -> 0 and t3 = 1 changed 5 -> 1; both say the change came from a preset.
    EXPECT_EQ(trace(),
              std::vector<std::string>({"upd:DataSource[0] 5->0 flags=2", "upd:DataSource[1] 5->1 flags=2"}));
    EXPECT_EQ(batches, 1); // one delivery for the whole preset

    trace().clear();
    ASSERT_EQ(presetVia(0, 1, 0xFFFF0000u), 0);
    EXPECT_TRUE(trace().empty()); // nothing changed, nothing to update
}

} // namespace
