#pragma once
// Fixture of the check and conversion function tests: the host database with the host parameters
// and the plug-in's catalogue, writes and reads as a user request would make them, a recording fake
// of the organisation-layer command interface and snapshots of every stored value.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <gtest/gtest.h>

#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "support/CatalogueDb.h"
#include "support/DbSnapshot.h"
#include "support/FakeCommands.h"
#include "support/HermeticSettings.h"
#include "support/QtGTestPrinters.h"

namespace fntest {

using namespace MvQARN;
using testsupport::Snapshot;
using testsupport::snapshot;
using testsupport::tup;
using testsupport::unchanged;
using FakeCommands = testsupport::RecordingCommands;

inline CDbAllType bits(int length, quint32 word0, quint32 word1 = 0) {
    return CDbAllType(new CDbDataTypeNBit(length, {word0, word1}));
}

class FunctionTest : public testsupport::CatalogueDbTest {
protected:
    // A database with every value at its start, for the next case of a table.
    void restart() {
        db().setOlCommand(nullptr);
        CatalogueDbTest::SetUp();
    }
    // A setup value that must be taken, as a selection or as a number as the parameter is defined.
    void setValue(const char* name, const SDbInstTupel& t, double v) {
        const SDbDefCommon* r = db().findRecord(name, t);
        ASSERT_NE(r, nullptr) << name;
        if (r->type == DbTypeSelect)
            setInt(name, t, int(v));
        else
            setNumber(name, t, v);
    }
    int writeInt(const char* name, const SDbInstTupel& t, int v) {
        return write(name, t, CDbAllType::fromInt(v));
    }
    int writeNumber(const char* name, const SDbInstTupel& t, double v) {
        return write(name, t, CDbAllType::fromDouble(v));
    }
    int writeText(const char* name, const SDbInstTupel& t, const QString& v) {
        return write(name, t, CDbAllType::fromString(v));
    }
    int writeList(const char* name, const QStringList& v) {
        return write(name, tup(0, 0), CDbAllType(new CDbDataTypeNString(v)));
    }

    // ---- reads through conversion-out, as the given message type ----

    CDbAllType read(const char* name, const SDbInstTupel& t, int msgType = DbMsgSet) {
        m_answer.clearErrors();
        CDbAllType v;
        EXPECT_EQ(db().read(name, t, v, &m_answer, msgType), 0) << name;
        return v;
    }
    int readInt(const char* name, const SDbInstTupel& t, int msgType = DbMsgSet) {
        int out = -9999;
        const CDbAllType v = read(name, t, msgType);
        EXPECT_TRUE(v.toInt(out)) << name << " is no selection: " << v.toText().toStdString();
        return out;
    }
    double readNumber(const char* name, const SDbInstTupel& t, int msgType = DbMsgSet) {
        double out = -9999;
        const CDbAllType v = read(name, t, msgType);
        EXPECT_EQ(v.getType(), DbTypeNumber) << name;
        v.toDouble(out);
        return out;
    }
    QString readText(const char* name, const SDbInstTupel& t, int msgType = DbMsgSet) {
        QString out = QStringLiteral("<no text>");
        read(name, t, msgType).toString(out);
        return out;
    }
    QString readBits(const char* name, const SDbInstTupel& t, int msgType = DbMsgSet) {
        return read(name, t, msgType).toText();
    }

    // Stored values, without conversion-out.
    CDbAllType stored(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        return v;
    }
    int storedInt(const char* name, const SDbInstTupel& t) {
        int out = -9999;
        stored(name, t).toInt(out);
        return out;
    }
    double storedNumber(const char* name, const SDbInstTupel& t) {
        double out = -9999;
        stored(name, t).toDouble(out);
        return out;
    }
    QString storedText(const char* name, const SDbInstTupel& t) { return stored(name, t).toText(); }

    // ---- common setups ----

    // The list of connected boxes: entry 0 "None", then the serial numbers.
    void setSerials(const QList<int>& serials) {
        QStringList list{QStringLiteral("None")};
        for (int s : serials)
            list.append(QString::number(s));
        ASSERT_EQ(writeList("IdPDbKobraSerials", list), 0);
    }
    void unlockService() { setInt("IdPDbProtLevState", tup(0, 0), 0); }
    // Selects the box at index of the serial list for an interface and switches its user interface
    // on (service protection off, so no breakout board is asked for).
    void switchOn(int t0, int t1, int index) {
        unlockService();
        setInt("IdPDbKobraSelected", tup(t0, t1), index);
        setInt("IdPDbLynxState", tup(t0, t1), 1);
    }
    void useCommands() { db().setOlCommand(&m_commands); }

    FakeCommands m_commands;
};

// Names of the changed values in the order the database reports them for each request.
class ChangeRecorder {
public:
    ChangeRecorder() {
        m_id = CDbEngine::instance().addRequestObserver([this](const QVector<SDbChange>& batch) {
            QList<QByteArray> names;
            for (const SDbChange& c : batch)
                names.append(c.name);
            batches.append(names);
        });
    }
    ~ChangeRecorder() { CDbEngine::instance().removeRequestObserver(m_id); }
    ChangeRecorder(const ChangeRecorder&) = delete;
    ChangeRecorder& operator=(const ChangeRecorder&) = delete;

    // Every change of all batches, only of the given names, in order.
    QList<QByteArray> of(const QList<QByteArray>& names) const {
        QList<QByteArray> out;
        for (const QList<QByteArray>& b : batches)
            for (const QByteArray& n : b)
                if (names.contains(n))
                    out.append(n);
        return out;
    }
    bool changed(const QByteArray& name) const { return !of({name}).isEmpty(); }

    QList<QList<QByteArray>> batches;

private:
    int m_id = 0;
};

} // namespace fntest
