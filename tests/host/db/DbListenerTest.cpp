// Data events after a request: once per changed instance, values through conversion-out, bindings
// to the current instance, observers after listeners, observers and connections that end during delivery.
#include <gtest/gtest.h>

#include <memory>

#include "DbTestSupport.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"

using namespace MvQARN;
using namespace dbtest;

namespace {

struct SSeen {
    int code;
    VGXDatabaseConnectorEntry* source;
    QString value;
    SDbInstTupel tupel;
    int depth; // engine nesting while the event was delivered
};

class CRecorder : public VGXDataListener {
public:
    explicit CRecorder(std::string tag = "L") : m_tag(std::move(tag)) {}
    VGXDatabaseConnectorEntry* bind(const char* name, int t0, int t3, int t1, int t2 = 0) {
        return VGXDataObject::connectDatabase(this, VGXUserDbAttributes(name, t0, t3, t1, t2));
    }
    void processDataEvent(VGXDataEvent* ev) override {
        seen.push_back(SSeen{ev->getCode(), ev->getSourceEntry(),
                             ev->getEntryData() ? ev->getEntryData()->getStringData() : QString("-"),
                             ev->getTupel(), CDbEngine::instance().depth()});
        trace().push_back(m_tag + ":" + ev->getSourceEntry()->getName().toStdString());
        if (onEvent)
            onEvent(ev);
    }
    std::vector<SSeen> seen;
    std::function<void(VGXDataEvent*)> onEvent;

private:
    std::string m_tag;
};

class CTestUpdate : public CDbUpdFunc {
public:
    typedef int (CTestUpdate::*Fn)(CDbCnct&, const CDbAllType&);
    explicit CTestUpdate(Fn fn) : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(fn)) {}
    // B is written three times (the last one twice), A once more.
    int writeB(CDbCnct& c, const CDbAllType&) {
        double a = 0;
        c.getValue().toDouble(a);
        for (double v : {a + 1, a + 2, a + 2}) {
            c.giveMsg(new CDbMsg(4, 4, "B", v, DbMsgSet, 0, 0, c.t0(), c.t1(), 0, 0));
            c.updData(true);
        }
        return 0;
    }
};

class CTestConvOut : public CDbCnvOutFunc {
public:
    typedef void (CTestConvOut::*Fn)(CDbCnct&);
    explicit CTestConvOut(Fn fn) : CDbCnvOutFunc(static_cast<CDbCnvOutFunc::Member>(fn)) {}
    void twice(CDbCnct& c) {
        double v = 0;
        c.getValue().toDouble(v);
        c.getAnswerBuffer().createAnswer(new CDbDataTypeNumber(2 * v));
    }
};

class ListenerTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        VGXUserDbAttributes::setCurrentInstance(0);
        VGXUserDbAttributes::setCurrentChannel(0);
        VGXUserDbAttributes::setCurrentDirection(0);
        VGXUserDbAttributes::setCurrentStation(0);
    }
};

TEST_F(ListenerTest, OneEventPerChangedInstanceAfterTheWholeRequestThenTheObservers) {
    CTestUpdate upd(&CTestUpdate::writeB);
    defs.number("A", 0, 100, 0, {2, 2, 1, 1}).c.upd = &upd;
    defs.number("B", 0, 100, 0, {2, 2, 1, 1});
    auto& serials = defs.list("Serials", {2, 2, 1, 1});
    for (int i = 0; i < 4; ++i)
        serials.c.countB[i] = 1; // one value for every instance
    ASSERT_EQ(defs.registerAll(), 0);
    CRecorder l;
    VGXDatabaseConnectorEntry* a = l.bind("A", 0, 0, 1);
    VGXDatabaseConnectorEntry* b = l.bind("B", 0, 0, 1);
    CRecorder other;
    other.bind("B", 1, 0, 1);
    std::vector<QVector<SDbChange>> batches;
    const int id = e.addRequestObserver([&](const QVector<SDbChange>& c) {
        trace().push_back("observer");
        batches.push_back(c);
    });

    ASSERT_EQ(putNum("A", 5, {0, 1, 0, 0}), 0);
    EXPECT_EQ(trace(), std::vector<std::string>({"L:A", "L:B", "observer"}));
    ASSERT_EQ(batches.size(), 1u);
    ASSERT_EQ(batches[0].size(), 2); // B once, though written three times
    EXPECT_EQ(std::pair(batches[0][0].name, batches[0][1].name), std::pair(QByteArray("A"), QByteArray("B")));
    e.removeRequestObserver(id);
    ASSERT_EQ(l.seen.size(), 2u);
    EXPECT_EQ(std::pair(l.seen[0].source, l.seen[0].value), std::pair(a, QString("5")));
    // The final value, once, though B was written three times.
    EXPECT_EQ(std::pair(l.seen[1].source, l.seen[1].value), std::pair(b, QString("7")));
    EXPECT_EQ(std::pair(l.seen[1].code, l.seen[1].depth), std::pair(int(VGXDataEvent::DataChanged), 0));
    EXPECT_TRUE(other.seen.empty());

    // An unchanged value makes no event; neither does a refused write.
    l.seen.clear();
    ASSERT_EQ(putNum("B", 7, {0, 1, 0, 0}), 0);
    EXPECT_EQ(putNum("B", 700, {0, 1, 0, 0}), DbErrOutOfRange);
    EXPECT_TRUE(l.seen.empty());

    // A value stored once for all instances notifies the binding of every instance.
    CRecorder l11;
    l11.bind("Serials", 1, 0, 1);
    ASSERT_EQ(put("Serials", {0, 1, 0, 0}, CDbAllType(new CDbDataTypeNString({"None", "1"}))), 0);
    EXPECT_EQ(l11.seen.size(), 1u);
}

TEST_F(ListenerTest, BindingWithCurrentIndicesFollowsTheCurrentInstanceAndReadsThroughConversionOut) {
    CTestConvOut out(&CTestConvOut::twice);
    defs.number("P", 0, 100, 0, {2, 2, 1, 2}).c.cnvOut = &out;
    ASSERT_EQ(defs.registerAll(), 0);
    VGXUserDbAttributes::setCurrentInstance(1);
    VGXUserDbAttributes::setCurrentChannel(1);
    CRecorder l;
    VGXDatabaseConnectorEntry* entry =
        VGXDataObject::connectDatabase(&l, VGXUserDbAttributes("P", -1, -1, -1, -1));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->getTupel(), (SDbInstTupel{1, 0, 0, 1}));

    ASSERT_EQ(putNum("P", 3, {1, 0, 0, 1}), 0);
    ASSERT_EQ(putNum("P", 4, {0, 0, 0, 1}), 0);
    ASSERT_EQ(l.seen.size(), 1u);
    EXPECT_EQ(l.seen[0].value, "6");
    EXPECT_EQ(entry->getDoubleData(), 6.0);

    // After the current instance moves, its changes are delivered too.
    VGXUserDbAttributes::setCurrentInstance(0);
    VGXUserDbAttributes::setCurrentDirection(1);
    ASSERT_EQ(putNum("P", 8, {0, 1, 0, 1}), 0);
    ASSERT_EQ(l.seen.size(), 2u);
    EXPECT_EQ(l.seen[1].tupel, (SDbInstTupel{0, 1, 0, 1}));
}

TEST_F(ListenerTest, ObserversSignOnOnceAndThoseSignedOffDuringABatchGetNoFurtherCalls) {
    defs.number("A", 0, 100, 0);
    ASSERT_EQ(defs.registerAll(), 0);
    struct CCounter : CDbChangeObserver {
        void dbChanged(const QVector<SDbChange>&) override {
            ++batches;
            if (onBatch)
                onBatch();
        }
        int batches = 0;
        std::function<void()> onBatch;
    } first, second;
    CDbChangeSource& source = e.changeSource();
    source.addChangeObserver(&first);
    source.addChangeObserver(&first);
    source.addChangeObserver(&second);
    first.onBatch = [&] { source.removeChangeObserver(&second); };
    int selfRemoving = 0;
    int id = 0;
    id = e.addRequestObserver([&](const QVector<SDbChange>&) {
        ++selfRemoving;
        e.removeRequestObserver(id);
    });

    ASSERT_EQ(putNum("A", 1), 0);
    ASSERT_EQ(putNum("A", 2), 0);
    EXPECT_EQ(first.batches, 2);
    EXPECT_EQ(second.batches, 0);
    EXPECT_EQ(selfRemoving, 1);
    source.removeChangeObserver(&first);
    ASSERT_EQ(putNum("A", 3), 0);
    EXPECT_EQ(first.batches, 2);
}

TEST_F(ListenerTest, ListenersMayDisconnectOthersAndWriteWhileEventsAreDelivered) {
    defs.number("A", 0, 100, 0);
    defs.number("B", 0, 100, 0);
    ASSERT_EQ(defs.registerAll(), 0);
    auto victim = std::make_unique<CRecorder>("V");
    victim->bind("A", 0, 0, 0);
    CRecorder first("F");
    first.bind("A", 0, 0, 0);
    // connected first, so it runs first: deletes the victim and writes B
    first.onEvent = [&](VGXDataEvent*) {
        victim.reset();
        putNum("B", 9);
    };
    CRecorder watcher("W");
    watcher.bind("B", 0, 0, 0);
    // the victim was connected before "first"; reconnect it after to make the order matter
    VGXDataObject::disconnectDatabase(victim.get());
    victim->bind("A", 0, 0, 0);
    const int before = VGXDataObject::connectionCount();

    ASSERT_EQ(putNum("A", 1), 0);
    EXPECT_EQ(trace(), std::vector<std::string>({"F:A", "W:B"}));
    EXPECT_EQ(num("B"), 9);
    EXPECT_EQ(VGXDataObject::connectionCount(), before - 1);
}

} // namespace
