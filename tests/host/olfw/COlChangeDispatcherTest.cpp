// The change dispatcher on its own, with the database, the organisation layer and the boxes faked:
// which interfaces a change reaches, which of them are programmed, and what happens to the
// corrections the layer hands back.
#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbInstanceMap.h"
#include "host/db/CDbMsgBuffer.h"
#include "host/db/DbDefinitions.h"
#include "host/db/DbHostValues.h"
#include "host/olfw/COlLoadableExtension.h"
#include "host/olfw/KobraDrvDeviceIfc.h"
#include "host/olfw/impl/COlChangeDispatcher.h"

using namespace MvQARN;

namespace {

class FakeDevice : public KobraDrvDeviceIfc {
public:
    unsigned fpgaLoadOperation() override { return 0; }
    KobraDrvArbSourceIfc* arbSourceAccess(int) override { return nullptr; }
    KobraDrvArbIfc* arbAccess() override { return nullptr; }
    KobraDrvInterfaceIfc* interfaceAccess() override { return nullptr; }
    bool skipProgramming() override { return false; }
    QString loadedFpgaFile() override { return QString(); }
};

// Box state and selection of each interface (path, side); the serial list is the same for all.
class FakeDatabase : public CDbDataBaseIfc {
public:
    int getNumber(const char*, double&, int, int, int, int) override { return DbErrUnknownParameter; }
    int getSelect(const char* name, int& out, int t0, int, int, int t1) override {
        const auto& values = QByteArray(name) == "IdPDbKobraState" ? state : selected;
        out = values.value({t0, t1}, 0);
        return DbOk;
    }
    int getBits(const char*, int&, QVector<quint32>&, int, int, int, int) override {
        return DbErrUnknownParameter;
    }
    int getStringList(const char* name, QStringList& out, int& count, int, int, int, int) override {
        if (QByteArray(name) != "IdPDbKobraSerials")
            return DbErrUnknownParameter;
        out = serials;
        count = int(serials.size());
        return DbOk;
    }
    int getString(const char*, QString&, int, int, int, int) override { return DbErrUnknownParameter; }
    int getValue(const char*, CDbAllType&, int, int, int, int) override { return DbErrUnknownParameter; }
    unsigned getModeWord() const override { return 0x121; }
    int getModuleNumber() const override { return 0; }

    QMap<std::pair<int, int>, int> state;
    QMap<std::pair<int, int>, int> selected;
    QStringList serials{"None", "101", "102", "103"};
};

// Records of three kinds: one value per interface, one value per path shared by both sides, and one
// value for the whole host.
class FakeInstances : public CDbInstanceMap {
public:
    enum EKind { PerInterface, PerPath, HostWide };
    const SDbDefCommon& add(const char* name, EKind kind) {
        SDbDefCommon& d = m_defs[QByteArray(name)];
        d.name = name;
        d.countA[0] = kind == HostWide ? 1 : 2;
        d.countA[1] = kind == HostWide ? 1 : 2;
        if (kind == PerPath)
            m_perPath.append(QByteArray(name));
        return d;
    }
    int locate(const char* name, const SDbInstTupel& t, const SDbDefCommon*& def,
               SDbInstTupel& stored) const override {
        auto it = m_defs.find(QByteArray(name));
        if (it == m_defs.end())
            return DbErrUnknownParameter;
        def = &it->second;
        stored = t;
        if (m_perPath.contains(QByteArray(name)))
            stored.t1 = 0;
        return DbOk;
    }

private:
    std::map<QByteArray, SDbDefCommon> m_defs;
    QList<QByteArray> m_perPath;
};

class FakeChangeSource : public CDbChangeSource {
public:
    void addChangeObserver(CDbChangeObserver* o) override { observers.push_back(o); }
    void removeChangeObserver(CDbChangeObserver* o) override { std::erase(observers, o); }
    void deliver(const QVector<SDbChange>& changes) {
        for (CDbChangeObserver* o : std::vector<CDbChangeObserver*>(observers))
            o->dbChanged(changes);
    }
    std::vector<CDbChangeObserver*> observers;
};

// Where corrections are written; onWrite stands for the database's reaction to the write.
class FakeCorrections : public CDbMsgBuffer {
public:
    void giveAll(CDbMsgList& msgs) override {
        while (!msgs.isEmpty()) {
            CDbMsg* m = msgs.takeAt(0);
            written.append(m->getName());
            delete m;
            if (onWrite)
                onWrite();
        }
    }
    QList<QByteArray> written;
    std::function<void()> onWrite;
};

class FakeLayer : public COlLoadableExtension {
public:
    int extensionKind() const override { return 0; }
    int extensionCode() const override { return 0; }
    const char* parameterPrefix() const override { return "Id"; }
    int extensionOption() const override { return 0; }
    int getInternalAction(const char* name, int, int, int, int) override { return masks.value(name, 0); }
    int getSampleRate(CDbDataBaseIfc*, int, int, int, double& rate) override {
        rate = 1;
        return 0;
    }
    int setKobra(KobraDrvDeviceIfc* device, CDbDataBaseIfc*, CDbMsgBuffer* msgs, int path, int side,
                 int actions) override {
        calls.push_back({path, side, actions, device});
        if (!correction.isEmpty()) {
            CDbMsgList list;
            list.append(new CDbMsg(0, 0, correction.constData(), CDbAllType::fromInt(1), DbMsgSet, 0, 0, path,
                                   side, 0, 0));
            const qsizetype before = corrections->written.size();
            msgs->giveAll(list);
            writtenWhileCalled += int(corrections->written.size() - before);
        }
        return 0;
    }
    int loadFpga(KobraDrvDeviceIfc*, CDbDataBaseIfc*, CDbMsgBuffer*, int, int) override { return 0; }
    int setArb(KobraDrvDeviceIfc*, CDbDataBaseIfc*, CDbMsgBuffer*, int, int) override { return 0; }

    struct SCall {
        int path, side, actions;
        KobraDrvDeviceIfc* device;
        bool operator==(const SCall&) const = default;
    };
    QMap<QByteArray, int> masks;
    std::vector<SCall> calls;
    QByteArray correction;
    FakeCorrections* corrections = nullptr;
    int writtenWhileCalled = 0;
};

class ChangeDispatcher : public ::testing::Test {
protected:
    ChangeDispatcher() {
        layer.corrections = &corrections;
        layer.masks = {{"PerInterface", 0x2}, {"PerPath", 0x4}, {"HostWide", 0x10}, {"Corrected", 0x20}};
        // Interfaces (0,0), (0,1) and (1,0) run boxes 101, 102 and 103; (1,1) is off with box 101.
        database.selected = {{{0, 0}, 1}, {{0, 1}, 2}, {{1, 0}, 3}, {{1, 1}, 1}};
        database.state = {{{0, 0}, DbHostStateOn}, {{0, 1}, DbHostStateOn}, {{1, 0}, DbHostStateOn}};
    }
    COlChangeDispatcher::SServices services() {
        COlChangeDispatcher::SServices s;
        s.changes = &source;
        s.instances = &instances;
        s.database = &database;
        s.corrections = &corrections;
        s.extensions = [this] { return QList<COlLoadableExtension*>{&layer}; };
        s.devices = [this](int serial) { return devices.count(serial) ? &devices[serial] : nullptr; };
        s.trace = [this](const QString& line) { traced.append(line); };
        return s;
    }
    static SDbChange change(const SDbDefCommon& def, int t0, int t1) {
        return SDbChange{def.name, {t0, t1, 0, 0}, &def};
    }

    FakeChangeSource source;
    FakeInstances instances;
    const SDbDefCommon& perInterface = instances.add("PerInterface", FakeInstances::PerInterface);
    const SDbDefCommon& perPath = instances.add("PerPath", FakeInstances::PerPath);
    const SDbDefCommon& hostWide = instances.add("HostWide", FakeInstances::HostWide);
    const SDbDefCommon& boxState = instances.add("IdPDbKobraState", FakeInstances::PerInterface);
    const SDbDefCommon& corrected = instances.add("Corrected", FakeInstances::PerInterface);
    FakeDatabase database;
    FakeCorrections corrections;
    FakeLayer layer;
    std::map<int, FakeDevice> devices{{101, {}}, {102, {}}, {103, {}}};
    QStringList traced;
};

using Calls = std::vector<FakeLayer::SCall>;

TEST_F(ChangeDispatcher, ProgramsEachRunningInterfaceTheChangedValueConcernsOnceWithTheCombinedMask) {
    COlChangeDispatcher dispatcher(services());
    dispatcher.attach();
    dispatcher.attach();
    ASSERT_EQ(source.observers.size(), 1u);
    FakeDevice* box101 = &devices[101];
    FakeDevice* box102 = &devices[102];
    FakeDevice* box103 = &devices[103];

    // Path 1's shared value concerns both of its sides, but (1,1) is off.
    source.deliver({change(perInterface, 0, 1), change(perPath, 1, 0), change(perInterface, 0, 1)});
    EXPECT_EQ(layer.calls, Calls({{0, 1, 0x2, box102}, {1, 0, 0x4, box103}}));

    layer.calls.clear();
    source.deliver({change(hostWide, 0, 0), change(perInterface, 0, 0)});
    EXPECT_EQ(layer.calls, Calls({{0, 0, 0x12, box101}, {0, 1, 0x10, box102}, {1, 0, 0x10, box103}}));

    // A box that starts learns everything; one that is gone is not programmed.
    layer.calls.clear();
    devices.erase(102);
    source.deliver({change(boxState, 0, 0), change(perInterface, 0, 1)});
    EXPECT_EQ(layer.calls, Calls({{0, 0, -1, box101}}));

    dispatcher.detach();
    layer.calls.clear();
    source.deliver({change(hostWide, 0, 0)});
    EXPECT_TRUE(layer.calls.empty());
    dispatcher.attach();
    {
        COlChangeDispatcher other(services());
        other.attach();
        EXPECT_EQ(source.observers.size(), 2u);
    }
    EXPECT_EQ(source.observers.size(), 1u);
}

TEST_F(ChangeDispatcher, CorrectionsAreWrittenAfterTheLayerReturnsAndTheirChangesComeInBoundedRounds) {
    COlChangeDispatcher dispatcher(services());
    dispatcher.attach();
    // Every correction changes a value of its interface again, which asks for another correction.
    layer.correction = "Corrected";
    corrections.onWrite = [&] { source.deliver({change(corrected, 0, 0)}); };

    source.deliver({change(perInterface, 0, 0)});
    EXPECT_EQ(layer.writtenWhileCalled, 0);
    ASSERT_GT(layer.calls.size(), 2u);
    EXPECT_EQ(layer.calls[0].actions, 0x2);
    EXPECT_EQ(layer.calls[1].actions, 0x20);
    EXPECT_EQ(corrections.written.size(), qsizetype(layer.calls.size()));
    ASSERT_EQ(traced.size(), 1);
    EXPECT_TRUE(traced[0].contains("dropped")) << traced[0].toStdString();

    // The next request starts afresh.
    layer.calls.clear();
    layer.correction.clear();
    source.deliver({change(perInterface, 0, 1)});
    EXPECT_EQ(layer.calls, Calls({{0, 1, 0x2, &devices[102]}}));
}

TEST_F(ChangeDispatcher, OperationsUseTheFirstLayerWithTheInterfacesBoxWhateverItsState) {
    COlChangeDispatcher dispatcher(services());
    EXPECT_EQ(dispatcher.selectedSerial(1, 0), 103);
    EXPECT_EQ(dispatcher.setKobra(1, 1, 0x8), 0);
    EXPECT_EQ(layer.calls, Calls({{1, 1, 0x8, &devices[101]}}));

    COlChangeDispatcher::SServices none = services();
    none.extensions = [] { return QList<COlLoadableExtension*>(); };
    COlChangeDispatcher bare(none);
    double rate = 0;
    EXPECT_EQ(bare.setKobra(0, 0, 0x8), 1);
    EXPECT_EQ(bare.getSampleRate(0, 0, rate), 1);
}

} // namespace
