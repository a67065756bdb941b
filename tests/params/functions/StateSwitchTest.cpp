// Switching an interface on and off: the user-interface state IdPDbLynxState expands into the box
// type, mode and state; the box state itself is checked by the loadable module of the box type.
#include <QPair>
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"
#include "frame/CKobraPlugInDllModuleImplementation.h"
#include "host/db/CDbCnct.h"
#include "host/runtime/CDefaultLoadableModuleImplementation.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/CUtilXferData.h"

using namespace MvQARN;
using namespace fntest;

namespace {

const QList<QByteArray> kSwitchNames{"IdPDbKobraType", "IdPDbKobraMode", "IdPDbKobraState"};

class StateSwitch : public FunctionTest {
protected:
    // Type, mode and state of the box of an interface.
    QList<int> box(int t0, int t1) {
        return {storedInt("IdPDbKobraType", tup(t0, t1)), storedInt("IdPDbKobraMode", tup(t0, t1)),
                storedInt("IdPDbKobraState", tup(t0, t1))};
    }
    // Runs the box of an interface in a type without asking any module (the state is not the head).
    void runBoxAs(int t0, int t1, int type) {
        CDbMsgList msgs;
        msgs.append(new CDbMsg(4, 4, "IdPDbKobraType", type, DbMsgSet, 0u, 0, t0, t1, 0, 0));
        msgs.append(new CDbMsg(4, 4, "IdPDbKobraState", 1, DbMsgSet, 0u, 0, t0, t1, 0, 0));
        ASSERT_EQ(db().write(msgs, &m_answer), 0);
    }
};

TEST_F(StateSwitch, SwitchingOnWithoutABoxIsRefusedAndChangesNothing) {
    setSerials({100123});
    unlockService();
    const Snapshot before = snapshot();
    EXPECT_EQ(writeInt("IdPDbLynxState", tup(0, 1), 1), DbErrNoBox);
    EXPECT_EQ(errorCodes(), QList<int>({DbErrNoBox}));
    EXPECT_TRUE(unchanged(before));
}

TEST_F(StateSwitch, SwitchingOnWritesTypeModeAndStateInThisOrder) {
    setSerials({100123, 100456});
    unlockService();
    setInt("IdPDbKobraSelected", tup(1, 1), 2);
    // Start from values that all change, so that each write shows.
    setInt("IdPDbKobraType", tup(1, 1), 3);
    setInt("IdPDbKobraMode", tup(1, 1), 2);
    ASSERT_EQ(box(1, 1), QList<int>({3, 2, 0}));

    ChangeRecorder changes;
    ASSERT_EQ(writeInt("IdPDbLynxState", tup(1, 1), 1), 0);
    EXPECT_EQ(changes.of(kSwitchNames), kSwitchNames);
    ASSERT_EQ(changes.batches.size(), 1); // one request
    // Mode = direction of the Out side; the user-interface state itself stores nothing.
    EXPECT_EQ(box(1, 1), QList<int>({0, 1, 1}));
    EXPECT_FALSE(changes.changed("IdPDbLynxState"));
    EXPECT_EQ(readInt("IdPDbLynxState", tup(1, 1)), 1);
    // Only this interface; the In side runs its box as receiver.
    EXPECT_EQ(box(1, 0), QList<int>({0, 1, 0}));
    switchOn(1, 0, 1);
    EXPECT_EQ(box(1, 0), QList<int>({0, 0, 1}));
}

TEST_F(StateSwitch, UserInterfaceReadsOnOnlyWhileTheBoxRunsUserDefined) {
    setSerials({100123});
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 0)), 0);
    runBoxAs(0, 0, 2);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 0)), 0);
    runBoxAs(0, 0, 0);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 0)), 1);
    setInt("IdPDbKobraState", tup(0, 0), 0);
    EXPECT_EQ(readInt("IdPDbLynxState", tup(0, 0)), 0);
}

TEST_F(StateSwitch, SwitchingOffIsRefusedWhileTheBoxRunsAnotherType) {
    runBoxAs(1, 0, 4);
    const Snapshot before = snapshot();
    EXPECT_EQ(writeInt("IdPDbLynxState", tup(1, 0), 0), DbErrUiStateOff);
    EXPECT_EQ(errorCodes(), QList<int>({DbErrUiStateOff}));
    EXPECT_TRUE(unchanged(before));
    EXPECT_EQ(box(1, 0), QList<int>({4, 1, 1}));

    runBoxAs(1, 0, 0);
    ChangeRecorder changes;
    EXPECT_EQ(writeInt("IdPDbLynxState", tup(1, 0), 0), 0);
    EXPECT_EQ(storedInt("IdPDbKobraState", tup(1, 0)), 0);
    EXPECT_EQ(changes.of(kSwitchNames), QList<QByteArray>({"IdPDbKobraState"}));
}

// ---- the box state and the module of the box type -----------------------------------------------

// A box-family loadable that records the requests and answers with a preset result.
class BoxTypeModule : public CDefaultLoadableModuleImplementation {
public:
    BoxTypeModule(int id, int result) : m_result(result) {
        setModuleName("BoxTypeModule");
        setModuleId(id);
    }
    int xferCommand(int code, CUtilXferData& data) override {
        int on = -1;
        if (data.cnct)
            data.cnct->getValue().toInt(on);
        received.append({code, data.parmName});
        valuesSeen.append(on);
        data.result = m_result;
        return 0;
    }
    QList<QPair<int, QByteArray>> received;
    QList<int> valuesSeen;

private:
    int m_result;
};

class BoxStateCheck : public StateSwitch {
protected:
    void SetUp() override {
        StateSwitch::SetUp();
        m_runtime = std::make_unique<VGXHostRuntime>(VGXHostRuntime::Options{});
        // The plug-in's own module 2028, created outside the database context: it answers requests
        // but registers nothing.
        ASSERT_TRUE(m_runtime->addModule(new CKobraPlugInDllModuleImplementation(-1), nullptr));
        m_cpri = new BoxTypeModule(2029, DbErrSsiLogic);
        ASSERT_TRUE(m_runtime->addModule(m_cpri, nullptr));
        setSerials({100123, 100456});
    }
    void TearDown() override {
        m_runtime->shutdown();
        m_runtime.reset();
        StateSwitch::TearDown();
    }

    std::unique_ptr<VGXHostRuntime> m_runtime;
    BoxTypeModule* m_cpri = nullptr;
};

TEST_F(BoxStateCheck, UserDefinedBoxIsCheckedByThePlugInModule) {
    setInt("IdPDbKobraSelected", tup(0, 1), 1);
    unlockService();
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(0, 1), 1), 0);
    EXPECT_EQ(storedInt("IdPDbKobraState", tup(0, 1)), 1);

    // With protection on, the plug-in module asks for the breakout board and its text comes back.
    setInt("IdPDbKobraState", tup(0, 1), 0);
    setInt("IdPDbProtLevState", tup(0, 0), 1);
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(0, 1), 1), 1);
    EXPECT_EQ(errorTexts(), QStringList({"Internal breakout board detection error."}));
    EXPECT_EQ(storedInt("IdPDbKobraState", tup(0, 1)), 0);
}

TEST_F(BoxStateCheck, OtherBoxTypesAreForwardedToTheirModule) {
    setInt("IdPDbKobraSelected", tup(1, 0), 2);
    setInt("IdPDbKobraType", tup(1, 0), 2); // CPRI: module 2029
    const Snapshot before = snapshot();
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(1, 0), 1), DbErrSsiLogic);
    EXPECT_TRUE(unchanged(before));
    ASSERT_EQ(m_cpri->received.size(), 1);
    EXPECT_EQ(m_cpri->received[0], qMakePair(-1, QByteArray("IdPDbKobraState")));
    EXPECT_EQ(m_cpri->valuesSeen, QList<int>({1})); // the module sees the request's context

    auto* accepting = new BoxTypeModule(2031, 0);
    ASSERT_TRUE(m_runtime->addModule(accepting, nullptr));
    setInt("IdPDbKobraType", tup(1, 0), 4); // DigRF: module 2031
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(1, 0), 1), 0);
    EXPECT_EQ(storedInt("IdPDbKobraState", tup(1, 0)), 1);
    EXPECT_EQ(accepting->received.size(), 1);
}

TEST_F(BoxStateCheck, WithoutABoxOrAModuleForTheTypeTheStateIsRefused) {
    setInt("IdPDbKobraType", tup(1, 0), 2);
    const Snapshot before = snapshot();
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(1, 0), 1), DbErrNoBox);
    EXPECT_TRUE(unchanged(before));
    setInt("IdPDbKobraSelected", tup(0, 0), 1);
    setInt("IdPDbKobraType", tup(0, 0), 3); // OBSAI: module 2030 is not loaded
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(0, 0), 1), DbErrNoModule);
    setInt("IdPDbKobraType", tup(0, 0), 1); // SSI: no module in the table
    EXPECT_EQ(writeInt("IdPDbKobraState", tup(0, 0), 1), DbErrNoModule);
    EXPECT_EQ(storedInt("IdPDbKobraState", tup(0, 0)), 0);
    EXPECT_TRUE(m_cpri->received.isEmpty());
}

} // namespace
