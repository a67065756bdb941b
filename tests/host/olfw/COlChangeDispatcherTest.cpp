// The change dispatcher with a layer that asks for a correction on every call: corrections are written
// after the layer returns and come to an end (the real layer is orglayer/FrameworkDispatchTest's).
#include <gtest/gtest.h>

#include <QMap>
#include <vector>

#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsgBuffer.h"
#include "host/db/DbHostValues.h"
#include "host/olfw/COlLoadableExtension.h"
#include "host/olfw/impl/COlChangeDispatcher.h"
#include "sim/SimKobraDevice.h"
#include "support/TestDbDefinitions.h"

using namespace MvQARN;

namespace {

double stored(const char* name, int path, int side) {
    double v = -1;
    CDbEngine::instance().dataBaseIfc()->getNumber(name, v, path, 0, 0, side);
    return v;
}

int write(const char* name, int path, int side, const CDbAllType& value) {
    return CDbEngine::instance().write(name, SDbInstTupel{path, side, 0, 0}, value);
}

// Every call hands back a correction of "Corrected" to the number of calls so far, which changes it.
class CorrectingLayer : public COlLoadableExtension {
public:
    int extensionKind() const override { return 0; }
    int extensionCode() const override { return 0; }
    const char* parameterPrefix() const override { return ""; }
    int extensionOption() const override { return 0; }
    int getInternalAction(const char* name, int, int, int, int) override {
        return QMap<QByteArray, int>{{"Value", 0x2}, {"Corrected", 0x20}}.value(name, 0);
    }
    int getSampleRate(CDbDataBaseIfc*, int, int, int, double&) override { return 0; }
    int setKobra(KobraDrvDeviceIfc*, CDbDataBaseIfc*, CDbMsgBuffer* msgs, int path, int side,
                 int actions) override {
        calls.push_back({path, side, actions});
        if (correcting) {
            const double value = double(calls.size());
            CDbMsgList list;
            list.append(new CDbMsg(0, 0, "Corrected", CDbAllType::fromDouble(value), DbMsgSet, 0, 0, path,
                                   side, 0, 0));
            msgs->giveAll(list);
            writtenWhileCalled += stored("Corrected", path, side) == value ? 1 : 0;
        }
        return 0;
    }
    int loadFpga(KobraDrvDeviceIfc*, CDbDataBaseIfc*, CDbMsgBuffer*, int, int) override { return 0; }
    int setArb(KobraDrvDeviceIfc*, CDbDataBaseIfc*, CDbMsgBuffer*, int, int) override { return 0; }

    struct SCall {
        int path, side, actions;
        bool operator==(const SCall&) const = default;
    };
    std::vector<SCall> calls;
    bool correcting = true;
    int writtenWhileCalled = 0;
};

TEST(ChangeDispatcher, CorrectionsAreWrittenAfterTheLayerReturnsAndTheirChangesComeInRounds) {
    CDbEngine& db = CDbEngine::instance();
    db.reset();
    dbtest::Defs defs;
    defs.number("Value", 0, 100, 0, {2, 2});
    defs.number("Corrected", 0, 1e6, 0, {2, 2});
    defs.select("IdPDbKobraState", 0, 1, 0, {2, 2});
    defs.select("IdPDbKobraSelected", 0, 20, 0, {2, 2});
    defs.list("IdPDbKobraSerials", {2, 2});
    ASSERT_EQ(defs.registerAll(), 0);
    // Interfaces (0,0) and (0,1) have box 101 selected; only (0,0) runs it.
    for (int side = 0; side < 2; ++side) {
        ASSERT_EQ(write("IdPDbKobraSerials", 0, side, CDbAllType(new CDbDataTypeNString({"None", "101"}))),
                  0);
        ASSERT_EQ(write("IdPDbKobraSelected", 0, side, CDbAllType::fromInt(1)), 0);
    }
    ASSERT_EQ(write("IdPDbKobraState", 0, 0, CDbAllType::fromInt(DbHostStateOn)), 0);

    CorrectingLayer layer;
    vgxsim::SimKobraDevice box(101);
    COlChangeDispatcher::SServices services;
    services.changes = &db.changeSource();
    services.instances = &db.registry();
    services.database = db.dataBaseIfc();
    services.corrections = db.msgBuffer();
    services.extensions = [&] { return QList<COlLoadableExtension*>{&layer}; };
    services.devices = [&](int serial) { return serial == 101 ? &box : nullptr; };
    COlChangeDispatcher dispatcher(services);
    dispatcher.attach();
    dispatcher.attach();

    ASSERT_EQ(write("Value", 0, 0, CDbAllType::fromDouble(5)), 0);
    EXPECT_EQ(layer.writtenWhileCalled, 0);
    ASSERT_GT(layer.calls.size(), 2u);
    EXPECT_EQ(layer.calls[0], (CorrectingLayer::SCall{0, 0, 0x2}));
    EXPECT_EQ(layer.calls[1], (CorrectingLayer::SCall{0, 0, 0x20}));
    EXPECT_EQ(stored("Corrected", 0, 0), double(layer.calls.size())) << "every correction is written";

    // The next request starts afresh, once (attached once), and reaches only the running interface.
    layer.calls.clear();
    layer.correcting = false;
    ASSERT_EQ(write("Value", 0, 1, CDbAllType::fromDouble(6)), 0);
    ASSERT_EQ(write("Value", 0, 0, CDbAllType::fromDouble(7)), 0);
    EXPECT_EQ(layer.calls, (std::vector<CorrectingLayer::SCall>{{0, 0, 0x2}}));

    // Detached, it hears nothing.
    dispatcher.detach();
    ASSERT_EQ(write("Value", 0, 0, CDbAllType::fromDouble(8)), 0);
    EXPECT_EQ(layer.calls.size(), 1u);
    db.reset();
}

} // namespace
