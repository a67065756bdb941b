#pragma once
// Pieces of the organisation layer tests: the host database with the host parameters and the
// plug-in's catalogue, a simulated box device that records the driver calls, a message buffer that
// keeps what the layer hands back, a table database for values and failures the catalogue would not
// allow, and a collector of error-manager signals.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"
#include "host/db/CDbMsgBuffer.h"
#include "host/db/impl/CDbEngine.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/util/VGXErrorManager.h"
#include "orglayer/CKobraOrgLayer.h"
#include "params/KobraCatalogue.h"
#include "sim/SimKobraDevice.h"

namespace oltest {

using namespace MvQARN;

constexpr int kKobraModule = 2028;
constexpr int kErrUnknown = 20001;

inline SDbInstTupel tup(int t0, int t1, int t2 = 0, int t3 = 0) {
    return SDbInstTupel{t0, t1, t2, t3};
}

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
// list index) or for every tuple (-1). Names without a value and names made to fail answer an
// error. Every read is noted by name.
class TableDb : public CDbDataBaseIfc {
public:
    void set(const char* name, const QVariant& value, int t0 = -1, int t1 = -1, int t3 = -1) {
        m_entries.prepend(Entry{name, t0, t1, t3, value});
    }
    void fail(const char* name, int status) { m_failures.append({name, status}); }

    int getNumber(const char* name, double& out, int t0, int t3, int, int t1) override {
        QVariant v;
        const int rc = lookup(name, t0, t1, t3, v);
        if (rc == 0)
            out = v.toDouble();
        return rc;
    }
    int getSelect(const char* name, int& out, int t0, int t3, int, int t1) override {
        QVariant v;
        const int rc = lookup(name, t0, t1, t3, v);
        if (rc == 0)
            out = int(std::llround(v.toDouble()));
        return rc;
    }
    int getString(const char* name, QString& out, int t0, int t3, int, int t1) override {
        QVariant v;
        const int rc = lookup(name, t0, t1, t3, v);
        if (rc == 0)
            out = v.toString();
        return rc;
    }
    int getBits(const char*, int&, QVector<quint32>&, int, int, int, int) override { return kErrUnknown; }
    int getStringList(const char*, QStringList&, int&, int, int, int, int) override { return kErrUnknown; }
    int getValue(const char*, CDbAllType&, int, int, int, int) override { return kErrUnknown; }
    unsigned getModeWord() const override { return 0x121; }
    int getModuleNumber() const override { return kKobraModule; }

    QList<QByteArray> reads;

private:
    struct Entry {
        QByteArray name;
        int t0, t1, t3;
        QVariant value;
    };
    int lookup(const char* name, int t0, int t1, int t3, QVariant& out) {
        reads.append(name);
        for (const auto& f : m_failures)
            if (f.first == name)
                return f.second;
        for (const Entry& e : m_entries) {
            if (e.name == name && (e.t0 < 0 || e.t0 == t0) && (e.t1 < 0 || e.t1 == t1) &&
                (e.t3 < 0 || e.t3 == t3)) {
                out = e.value;
                return 0;
            }
        }
        return kErrUnknown;
    }
    QList<Entry> m_entries;
    QList<QPair<QByteArray, int>> m_failures;
};

// The values a whole programming of an interface reads, as the catalogue's defaults would give
// them; tests change what they look at.
inline void fillInterface(TableDb& db) {
    const QList<QPair<const char*, QVariant>> values = {
        {"IdPDbLynxDirection", 0},    {"IdPDbKobraMode", 0},           {"IdPDbLynxLogicType", 2},
        {"IdPDbLynxFormat", 1},       {"IdPDbLynxRateMode", 0},        {"IdPDbLynxIleavMode", 0},
        {"IdPDbLynxSigType", 0},      {"IdPDbLynxDataType", 0},        {"IdPDbLynxDataWordSize", 16.0},
        {"IdPDbLynxDataBitOrder", 1}, {"IdPDbLynxDataWordAlign", 1},   {"IdPDbLynxDataNumForm", 0},
        {"IdPDbLynxDataNegI", 0},     {"IdPDbLynxDataNegQ", 0},        {"IdPDbLynxDataIQPol", 0},
        {"IdPDbLynxDataStrobPol", 0}, {"IdPDbLynxDataStrobPos", 0.0},  {"IdPDbLynxClocRate", 10e6},
        {"IdPDbLynxSampRate", 10e6},  {"IdPDbLynxClocSour", 0},        {"IdPDbLynxClocPhas", 0},
        {"IdPDbLynxSCRatio", 0},      {"IdPDbLynxClocSkew", 0.0},      {"IdPDbKobraVariant", 1},
        {"IdPDbLynxClocInSkew", 0.0}, {"IdPDbLynxClocPol", 0},         {"IdPDbLynxExtRefFreq", 1},
        {"IdPDbRoscFreqExt", 1},      {"IdPDbLynxTriggerSource", 0},   {"IdPDbLynxTriggerDelay", 0.0},
        {"IdPDbLynxTestRxPrbs", 0},   {"IdPDbLynxTestRxSource", 0},    {"IdPDbLynxTestTxPrbs", 0},
        {"IdPDbLynxTestTxSource", 0}, {"IdPDbLynxTestSinusGain", 0.0}, {"IdPDbLynxTestSinusCwFreq", 1e6},
        {"IdPDbLynxArbState", 0},     {"IdPDbLynxArbFile", QString()}, {"IdPDbLynxArbSamples", 0.0},
    };
    for (const auto& v : values)
        db.set(v.first, v.second);
}

// Error-manager signals as (code, text) pairs.
inline QList<QPair<int, QString>> signalsOf(const VGXErrorManager::Collector& c) {
    QList<QPair<int, QString>> out;
    for (const VGXErrorRecord& r : c.errors())
        out.append({r.code, r.text});
    return out;
}

// The organisation layer with a simulated box, on the host database that holds the catalogue.
class OrgLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        db().reset();
        ASSERT_TRUE(m_dir.isValid());
        db().setUserSettingsDir(m_dir.path());
        registerHostParameters();
        ASSERT_EQ(db().registerDescriptor(&Kobra::g_dbDescriptor, kKobraModule, "KobraPlugin"), 0);
        fillInterface(m_table);
    }
    void TearDown() override { db().reset(); }

    static CDbEngine& db() { return CDbEngine::instance(); }
    static CDbDataBaseIfc* hostDb() { return db().dataBaseIfc(); }

    void set(const char* name, const SDbInstTupel& t, const CDbAllType& v) {
        CDbAnswerBuffer answer;
        ASSERT_EQ(db().write(name, t, v, &answer), 0) << name << " " << v.toText().toStdString();
    }
    void setInt(const char* name, const SDbInstTupel& t, int v) { set(name, t, CDbAllType::fromInt(v)); }
    void setNumber(const char* name, const SDbInstTupel& t, double v) {
        set(name, t, CDbAllType::fromDouble(v));
    }

    // The layer as the host framework reaches it.
    COlLoadableExtension& ext() { return m_layer; }
    int setKobra(int path, int side, int actions, CDbDataBaseIfc* database = nullptr) {
        return ext().setKobra(&m_device, database ? database : hostDb(), &m_msgs, path, side, actions);
    }
    QList<QByteArray> calls() const { return m_device.callNames(); }

    QTemporaryDir m_dir;
    CKobraOrgLayer m_layer;
    vgxsim::SimKobraDevice m_device{100123};
    RecordingMsgBuffer m_msgs;
    TableDb m_table;
    VGXErrorManager::Collector m_errors;
};

// The calls of a whole programming before the tests and after them, around the tests in between.
inline QList<QByteArray> fullHead() {
    return {"getFpgaFile",       "loadFpgaConfiguration", "setFormat",        "setRateMode",
            "setInterleaveMode", "setDataSettings",       "setClockSettings", "setClockRatio"};
}
inline QList<QByteArray> fullTail() {
    return {"setTrigger", "setWaveforms", "enable", "enable", "enable", "enable"};
}

} // namespace oltest

namespace oltest {

// A message of the layer: from the organisation layer (5) to the database module (4), a setting
// (type 1) of the interface's instance, one element, priority 127.
inline void expectLayerMessage(const CDbMsg& m, const char* name, int value, int path, int side,
                               unsigned flags = 0) {
    EXPECT_EQ(m.getName(), QByteArray(name));
    int v = -9999;
    EXPECT_TRUE(m.getValue().toInt(v)) << name;
    EXPECT_EQ(v, value) << name;
    EXPECT_EQ(m.getSender(), 5);
    EXPECT_EQ(m.getReceiver(), 4);
    EXPECT_EQ(m.getMsgType(), 1);
    EXPECT_EQ(m.getFlags(), flags);
    EXPECT_EQ(m.getUnit(), 0);
    EXPECT_EQ(m.getTupel(), tup(path, side));
    EXPECT_EQ(m.getListLen(), 1);
    EXPECT_EQ(m.getPriority(), 127);
}

} // namespace oltest
