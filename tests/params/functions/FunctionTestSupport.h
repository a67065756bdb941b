#pragma once
// Fixture of the check and conversion function tests: the host database with the host parameters
// and the plug-in's catalogue, writes and reads as a user request would make them, a recording fake
// of the organisation-layer command interface and a snapshot of every stored value.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <functional>
#include <gtest/gtest.h>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/impl/HostParameters.h"
#include "params/KobraCatalogue.h"

namespace fntest {

using namespace MvQARN;

constexpr int kKobraModule = 2028;

inline SDbInstTupel tup(int t0, int t1, int t2 = 0, int t3 = 0) {
    return SDbInstTupel{t0, t1, t2, t3};
}

inline CDbAllType bits(int length, quint32 word0, quint32 word1 = 0) {
    return CDbAllType(new CDbDataTypeNBit(length, {word0, word1}));
}

// Records every command with the block as it came in; a handler may answer (default: carried out).
class FakeCommands : public COlCommandIfc {
public:
    struct Call {
        int code;
        COlCommandData in;
    };
    using Handler = std::function<bool(int code, COlCommandData* data)>;

    bool execute(int code, COlCommandData* data) override {
        calls.append({code, data ? *data : COlCommandData()});
        return handler ? handler(code, data) : true;
    }
    QList<Call> callsOf(int code) const {
        QList<Call> out;
        for (const Call& c : calls)
            if (c.code == code)
                out.append(c);
        return out;
    }

    QList<Call> calls;
    Handler handler;
};

class FunctionTest : public ::testing::Test {
protected:
    void SetUp() override {
        db().reset();
        ASSERT_TRUE(m_dir.isValid());
        db().setUserSettingsDir(m_dir.path());
        registerHostParameters();
        ASSERT_EQ(db().registerDescriptor(&Kobra::g_dbDescriptor, kKobraModule, "KobraPlugin"), 0);
    }
    void TearDown() override { db().reset(); }

    static CDbEngine& db() { return CDbEngine::instance(); }

    // ---- writes, each one request with its errors in answer() ----

    int write(const char* name, const SDbInstTupel& t, const CDbAllType& v, int msgType = DbMsgSet,
              unsigned flags = 0) {
        m_answer.clearErrors();
        return db().write(name, t, v, &m_answer, msgType, flags);
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
    // Writes a setup value that must be taken.
    void set(const char* name, const SDbInstTupel& t, const CDbAllType& v) {
        ASSERT_EQ(write(name, t, v), 0) << name << " " << v.toText().toStdString() << " "
                                        << errorTexts().join(QLatin1String("; ")).toStdString();
    }
    void setInt(const char* name, const SDbInstTupel& t, int v) { set(name, t, CDbAllType::fromInt(v)); }
    void setNumber(const char* name, const SDbInstTupel& t, double v) {
        set(name, t, CDbAllType::fromDouble(v));
    }
    void setText(const char* name, const SDbInstTupel& t, const QString& v) {
        set(name, t, CDbAllType::fromString(v));
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

    // ---- errors reported by the last write or read ----

    QList<int> errorCodes() const {
        QList<int> out;
        for (const CDbAnswerBuffer::Error& e : m_answer.getErrors())
            out.append(e.code);
        return out;
    }
    QStringList errorTexts() const {
        QStringList out;
        for (const CDbAnswerBuffer::Error& e : m_answer.getErrors())
            out.append(e.text);
        return out;
    }

    // ---- every stored value of every parameter ----

    using Snapshot = QMap<QString, QString>;
    Snapshot snapshot() {
        Snapshot out;
        for (const QByteArray& name : db().names()) {
            for (const SDbDefCommon* r : db().records(name.constData())) {
                for (int a = 0; a < r->countA[0]; ++a)
                    for (int b = 0; b < r->countA[1]; ++b)
                        for (int c = 0; c < r->countA[2]; ++c)
                            for (int d = 0; d < r->countA[3]; ++d) {
                                const SDbInstTupel t{r->firstA[0] + a, r->firstA[1] + b, r->firstA[2] + c,
                                                     r->firstA[3] + d};
                                CDbAllType v;
                                if (db().readStored(name.constData(), t, v) != DbOk)
                                    continue;
                                out.insert(QStringLiteral("%1[%2,%3,%4,%5]")
                                               .arg(QString::fromLatin1(name))
                                               .arg(t.t0)
                                               .arg(t.t1)
                                               .arg(t.t2)
                                               .arg(t.t3),
                                           QStringLiteral("%1:%2").arg(v.getType()).arg(v.toText()));
                            }
            }
        }
        return out;
    }
    // Names of the values that differ between two snapshots.
    static QStringList differences(const Snapshot& before, const Snapshot& after) {
        QStringList out;
        for (auto it = before.constBegin(); it != before.constEnd(); ++it)
            if (after.value(it.key()) != it.value())
                out.append(it.key() + QStringLiteral(": ") + it.value() + QStringLiteral(" -> ") +
                           after.value(it.key()));
        for (auto it = after.constBegin(); it != after.constEnd(); ++it)
            if (!before.contains(it.key()))
                out.append(it.key());
        return out;
    }

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

    CDbAnswerBuffer m_answer;
    FakeCommands m_commands;
    QTemporaryDir m_dir;
};

// Names of the changed values in the order the database reports them for each request.
class ChangeRecorder {
public:
    ChangeRecorder() {
        m_id = CDbEngine::instance().addRequestObserver([this](const QVector<CDbEngine::SChange>& batch) {
            QList<QByteArray> names;
            for (const CDbEngine::SChange& c : batch)
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
