#pragma once
// Pieces of the organisation layer tests: the host database with the host parameters and the
// plug-in's catalogue, a simulated box device that records the driver calls, a message buffer that
// keeps what the layer hands back, a table database for values and failures the catalogue would not
// allow, and a collector of error-manager signals.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"
#include "host/db/CDbMsgBuffer.h"
#include "host/util/VGXDebugServer.h"
#include "host/util/VGXErrorManager.h"
#include "orglayer/CKobraOrgLayer.h"
#include "sim/SimKobraDevice.h"
#include "support/CatalogueDb.h"
#include "support/QtGTestPrinters.h"

namespace oltest {

using namespace MvQARN;

using testsupport::kKobraModule;
using testsupport::tup;
constexpr int kErrUnknown = 20001;

// Keeps every message the layer hands back, in order; nothing reaches the database.
class RecordingMsgBuffer : public CDbMsgBuffer {
public:
    void giveAll(CDbMsgList& msgs) override {
        while (!msgs.isEmpty()) {
            std::unique_ptr<CDbMsg> m(msgs.takeAt(0));
            messages.append(*m);
        }
    }
    QList<CDbMsg> messages;
};

// Database interface answering from a table. A value may be given for one interface (path, side,
// list index) or for every tuple (-1). Names made to fail answer their error; names without a value
// are read from the fallback database, or answer an error without one.
class TableDb : public CDbDataBaseIfc {
public:
    void set(const char* name, const QVariant& value, int t0 = -1, int t1 = -1, int t3 = -1) {
        m_entries.prepend(Entry{name, t0, t1, t3, value});
    }
    void fail(const char* name, int status) { m_failures.append({name, status}); }

    int getNumber(const char* name, double& out, int t0, int t3, int t2, int t1) override {
        return lookup(
            name, t0, t1, t3, [&](const QVariant& v) { out = v.toDouble(); },
            [&] { return fallback->getNumber(name, out, t0, t3, t2, t1); });
    }
    int getSelect(const char* name, int& out, int t0, int t3, int t2, int t1) override {
        return lookup(
            name, t0, t1, t3, [&](const QVariant& v) { out = int(std::llround(v.toDouble())); },
            [&] { return fallback->getSelect(name, out, t0, t3, t2, t1); });
    }
    int getString(const char* name, QString& out, int t0, int t3, int t2, int t1) override {
        return lookup(
            name, t0, t1, t3, [&](const QVariant& v) { out = v.toString(); },
            [&] { return fallback->getString(name, out, t0, t3, t2, t1); });
    }
    int getBits(const char*, int&, QVector<quint32>&, int, int, int, int) override { return kErrUnknown; }
    int getStringList(const char*, QStringList&, int&, int, int, int, int) override { return kErrUnknown; }
    int getValue(const char*, CDbAllType&, int, int, int, int) override { return kErrUnknown; }
    unsigned getModeWord() const override { return 0x121; }
    int getModuleNumber() const override { return kKobraModule; }

    CDbDataBaseIfc* fallback = nullptr;

private:
    struct Entry {
        QByteArray name;
        int t0, t1, t3;
        QVariant value;
    };
    int lookup(const char* name, int t0, int t1, int t3, const std::function<void(const QVariant&)>& take,
               const std::function<int()>& fromFallback) {
        for (const auto& f : m_failures)
            if (f.first == name)
                return f.second;
        for (const Entry& e : m_entries) {
            if (e.name == name && (e.t0 < 0 || e.t0 == t0) && (e.t1 < 0 || e.t1 == t1) &&
                (e.t3 < 0 || e.t3 == t3)) {
                take(e.value);
                return 0;
            }
        }
        return fallback ? fromFallback() : kErrUnknown;
    }
    QList<Entry> m_entries;
    QList<QPair<QByteArray, int>> m_failures;
};

// Error-manager signals as (code, text) pairs.
inline QList<QPair<int, QString>> signalsOf(const VGXErrorManager::Collector& c) {
    QList<QPair<int, QString>> out;
    for (const VGXErrorRecord& r : c.errors())
        out.append({r.code, r.text});
    return out;
}

// The organisation layer with a simulated box, on the host database that holds the catalogue.
class OrgLayerTest : public testsupport::CatalogueDbTest {
protected:
    void SetUp() override {
        CatalogueDbTest::SetUp();
        m_table.fallback = hostDb();
    }
    void TearDown() override {
        VGXDebugServer::deactivateAll();
        CatalogueDbTest::TearDown();
    }
    static CDbDataBaseIfc* hostDb() { return db().dataBaseIfc(); }

    // The layer as the host framework reaches it.
    COlLoadableExtension& ext() { return m_layer; }
    int setKobra(int path, int side, int actions, CDbDataBaseIfc* database = nullptr) {
        return ext().setKobra(&m_device, database ? database : hostDb(), &m_msgs, path, side, actions);
    }
    QList<QByteArray> calls() const { return m_device.callNames(); }

    CKobraOrgLayer m_layer;
    vgxsim::SimKobraDevice m_device{100123};
    RecordingMsgBuffer m_msgs;
    TableDb m_table;
    VGXErrorManager::Collector m_errors;
};

// A message of the layer: from the organisation layer (5) to the database module (4), a setting
// (type 1) of the interface's instance.
inline void expectLayerMessage(const CDbMsg& m, const char* name, int value, int path, int side,
                               unsigned flags = 0) {
    int v = -9999;
    m.getValue().toInt(v);
    EXPECT_EQ(QList<int>({v, m.getSender(), m.getReceiver(), m.getMsgType(), int(m.getFlags())}),
              QList<int>({value, 5, 4, 1, int(flags)}))
        << name;
    EXPECT_EQ(m.getName(), QByteArray(name));
    EXPECT_EQ(m.getTupel(), tup(path, side));
}

// The calls of the interface mask (no FPGA, no ARB), in the order the layer makes them.
inline QList<QByteArray> interfaceMaskCalls() {
    return {"setFormat",     "setRateMode", "setInterleaveMode", "setDataSettings", "setClockSettings",
            "setClockRatio", "setTrigger",  "setTestTx",         "setTestRx"};
}

} // namespace oltest
