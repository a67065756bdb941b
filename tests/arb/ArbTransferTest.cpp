// Transfer of an interface's four ARB entries to the box driver: what the ARB table and each entry's
// source receive, read at the right instances, and what happens to names that do not fit a slot.
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

#include "arb/KobraArbTransfer.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/olfw/KobraDrvArbIfc.h"
#include "host/olfw/KobraDrvArbSourceIfc.h"
#include "host/olfw/KobraDrvDeviceIfc.h"
#include "host/util/VGXErrorManager.h"

using namespace MvQARN;

namespace {

constexpr const char* StateName = "IdPDbLynxArbState";
constexpr const char* FileName = "IdPDbLynxArbFile";
constexpr const char* SamplesName = "IdPDbLynxArbSamples";

// Database reads answer from maps keyed by name and (t0, t3, t2, t1) as the reads name them; an
// instance without a value answers 20003 and leaves the out argument alone.
class FakeDb : public CDbDataBaseIfc {
public:
    using Key = std::tuple<QString, int, int, int, int>;
    QMap<Key, int> selects;
    QMap<Key, QString> strings;
    QMap<Key, double> numbers;
    QMap<Key, int> failures; // forced error per read
    QStringList reads;

    int getNumber(const char* name, double& out, int t0, int t3, int t2, int t1) override {
        return answer(numbers, name, out, t0, t3, t2, t1);
    }
    int getSelect(const char* name, int& out, int t0, int t3, int t2, int t1) override {
        return answer(selects, name, out, t0, t3, t2, t1);
    }
    int getString(const char* name, QString& out, int t0, int t3, int t2, int t1) override {
        return answer(strings, name, out, t0, t3, t2, t1);
    }
    int getBits(const char*, int&, QVector<quint32>&, int, int, int, int) override { return 20002; }
    int getStringList(const char*, QStringList&, int&, int, int, int, int) override { return 20002; }
    int getValue(const char*, CDbAllType&, int, int, int, int) override { return 20002; }
    unsigned getModeWord() const override { return 0x121; }
    int getModuleNumber() const override { return 4; }

private:
    template <class M, class T>
    int answer(const M& map, const char* name, T& out, int t0, int t3, int t2, int t1) {
        const Key key{QString::fromLatin1(name), t0, t3, t2, t1};
        reads << QStringLiteral("%1(%2,%3,%4,%5)")
                     .arg(QString::fromLatin1(name))
                     .arg(t0)
                     .arg(t3)
                     .arg(t2)
                     .arg(t1);
        if (failures.contains(key))
            return failures.value(key);
        if (!map.contains(key))
            return 20003;
        out = map.value(key);
        return 0;
    }
};

// The driver's ARB table: keeps what setWaveforms received and checks every slot is terminated.
class FakeArb : public KobraDrvArbIfc {
public:
    int calls = 0;
    int count = -1;
    QByteArray slot[SlotCount];
    bool terminated[SlotCount] = {};
    bool zeroTail[SlotCount] = {}; // nothing written behind the terminator
    int64_t samples[SlotCount] = {-1, -1, -1, -1};
    int result = 0;
    QStringList* log = nullptr;

    int setWaveforms(int n, const char names[SlotCount][SlotSize], const int64_t s[SlotCount]) override {
        ++calls;
        count = n;
        for (int e = 0; e < SlotCount; ++e) {
            const size_t len = strnlen(names[e], SlotSize);
            terminated[e] = len < size_t(SlotSize);
            slot[e] = QByteArray(names[e], qsizetype(len));
            zeroTail[e] = true;
            for (size_t k = len; k < size_t(SlotSize); ++k)
                zeroTail[e] = zeroTail[e] && names[e][k] == '\0';
            samples[e] = s[e];
        }
        if (log)
            *log << QStringLiteral("setWaveforms");
        return result;
    }
};

class FakeSource : public KobraDrvArbSourceIfc {
public:
    explicit FakeSource(int entry, QStringList* log) : m_entry(entry), m_log(log) {}
    int loadResult = 0;
    int loadWaveform(const char* latin1FileName) override {
        *m_log << QStringLiteral("load%1:%2").arg(m_entry).arg(QString::fromLatin1(latin1FileName));
        return loadResult;
    }
    void enable(bool on) override { *m_log << QStringLiteral("enable%1:%2").arg(m_entry).arg(on ? 1 : 0); }

private:
    int m_entry;
    QStringList* m_log;
};

class FakeDevice : public KobraDrvDeviceIfc {
public:
    FakeDevice() {
        arb.log = &log;
        for (int e = 0; e < 4; ++e)
            sources[e] = new FakeSource(e, &log);
    }
    ~FakeDevice() override {
        for (FakeSource* s : sources)
            delete s;
    }
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    QStringList log;
    FakeArb arb;
    FakeSource* sources[4];
    bool hasArb = true;
    bool hasSource[4] = {true, true, true, true};

    unsigned fpgaLoadOperation() override { return 0; }
    KobraDrvArbSourceIfc* arbSourceAccess(int entry) override {
        log << QStringLiteral("source%1").arg(entry);
        return entry >= 0 && entry < 4 && hasSource[entry] ? sources[entry] : nullptr;
    }
    KobraDrvArbIfc* arbAccess() override {
        log << QStringLiteral("arb");
        return hasArb ? &arb : nullptr;
    }
    KobraDrvInterfaceIfc* interfaceAccess() override { return nullptr; }
    bool skipProgramming() override { return false; }
    QString loadedFpgaFile() override { return QString(); }
};

class ArbTransfer : public ::testing::Test {
protected:
    // Interface path B (t0 = 1), side Out (t1 = 1) unless a test says otherwise.
    int t0 = 1;
    int t1 = 1;
    FakeDb db;
    FakeDevice device;

    FakeDb::Key key(const char* name, int entry) const {
        return {QString::fromLatin1(name), t0, entry, 0, t1};
    }
    void entry(int e, int state, const QString& file, double samples) {
        db.selects[key(StateName, e)] = state;
        db.strings[key(FileName, e)] = file;
        db.numbers[key(SamplesName, e)] = samples;
    }
    void allOff() {
        for (int e = 0; e < 4; ++e)
            entry(e, 0, QString(), 0.0);
    }
    int run() {
        return Kobra::setArbSettings(&device, &db, nullptr, t0, t1, StateName, FileName, SamplesName);
    }
    QStringList sourceCalls() const {
        QStringList out;
        for (const QString& s : device.log)
            if (s.startsWith(QLatin1String("load")) || s.startsWith(QLatin1String("enable")))
                out << s;
        return out;
    }
};

TEST_F(ArbTransfer, AllEntriesOffSendAnEmptyTableAndSwitchEverySourceOff) {
    // Files and sample counts of entries that are off are not sent.
    for (int e = 0; e < 4; ++e)
        entry(e, 0, QStringLiteral("/wave/off%1.wv").arg(e), 500.0);
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(device.arb.calls, 1);
    EXPECT_EQ(device.arb.count, 0);
    for (int e = 0; e < 4; ++e) {
        EXPECT_TRUE(device.arb.slot[e].isEmpty()) << e;
        EXPECT_TRUE(device.arb.zeroTail[e]) << e;
        EXPECT_EQ(device.arb.samples[e], 0) << e;
    }
    EXPECT_EQ(sourceCalls(), QStringList({"enable0:0", "enable1:0", "enable2:0", "enable3:0"}));
}

TEST_F(ArbTransfer, OneEntryOnKeepsItsSlotPositionAndOnlyItsSourceLoadsAndPlays) {
    allOff();
    entry(2, 1, QStringLiteral("/wave/F.wv"), 1000.9);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(device.arb.count, 1);
    EXPECT_EQ(device.arb.slot[2], QByteArray("/wave/F.wv"));
    EXPECT_TRUE(device.arb.zeroTail[2]);
    for (int e : {0, 1, 3}) {
        EXPECT_TRUE(device.arb.slot[e].isEmpty()) << e;
        EXPECT_EQ(device.arb.samples[e], 0) << e;
    }
    EXPECT_EQ(device.arb.samples[2], 1000) << "sample counts are truncated, not rounded";
    EXPECT_EQ(sourceCalls(),
              QStringList({"enable0:0", "enable1:0", "load2:/wave/F.wv", "enable2:1", "enable3:0"}));
    // The table goes to the box before any source loads.
    EXPECT_LT(device.log.indexOf("setWaveforms"), device.log.indexOf("load2:/wave/F.wv"));
}

TEST_F(ArbTransfer, SampleCountsTruncateTowardsZeroAndNamesAreCountedOnlyWhenNotEmpty) {
    entry(0, 1, QStringLiteral("/a.wv"), 1000.9);
    entry(1, 1, QStringLiteral("/b.wv"), -7.8);
    entry(2, 1, QString(), 640.0);             // on without a file: counted out, source untouched
    entry(3, 5, QStringLiteral("/d.wv"), 2.0); // any positive state is on
    run();
    EXPECT_EQ(device.arb.count, 3);
    EXPECT_EQ(device.arb.samples[0], 1000);
    EXPECT_EQ(device.arb.samples[1], -7);
    EXPECT_EQ(device.arb.samples[2], 640);
    EXPECT_EQ(device.arb.samples[3], 2);
    EXPECT_EQ(sourceCalls(), QStringList({"load0:/a.wv", "enable0:1", "load1:/b.wv", "enable1:1",
                                          "load3:/d.wv", "enable3:1"}));
}

TEST_F(ArbTransfer, ReadsAddressEachEntryAtTheInterfacesPathAndSide) {
    t0 = 1;
    t1 = 0;
    allOff();
    entry(1, 1, QStringLiteral("/w.wv"), 10.0);
    run();
    // Reads name the tuple as (t0, t3, t2, t1): the entry is the list index t3.
    for (int e = 0; e < 4; ++e)
        EXPECT_TRUE(db.reads.contains(QStringLiteral("IdPDbLynxArbState(1,%1,0,0)").arg(e))) << e;
    EXPECT_TRUE(db.reads.contains("IdPDbLynxArbFile(1,1,0,0)"));
    EXPECT_TRUE(db.reads.contains("IdPDbLynxArbSamples(1,1,0,0)"));
    // Files and counts of entries that are off are never read.
    EXPECT_FALSE(db.reads.contains("IdPDbLynxArbFile(1,0,0,0)"));
    EXPECT_FALSE(db.reads.contains("IdPDbLynxArbSamples(1,3,0,0)"));
    EXPECT_EQ(device.arb.slot[1], QByteArray("/w.wv"));
}

TEST_F(ArbTransfer, StatusesOfReadsTableAndLoadsAddUpAndTheTransferGoesOn) {
    allOff();
    entry(0, 1, QStringLiteral("/a.wv"), 1.0);
    entry(3, 1, QStringLiteral("/d.wv"), 1.0);
    db.failures[key(StateName, 1)] = 20003; // entry 1 unreadable: treated as off
    device.arb.result = 7;
    device.sources[3]->loadResult = 11;
    EXPECT_EQ(run(), 20003 + 7 + 11);
    EXPECT_EQ(device.arb.count, 2);
    EXPECT_EQ(sourceCalls(), QStringList({"load0:/a.wv", "enable0:1", "enable1:0", "enable2:0", "load3:/d.wv",
                                          "enable3:1"}));
}

TEST_F(ArbTransfer, MissingArbOrSourceInterfacesSkipTheirStep) {
    allOff();
    entry(0, 1, QStringLiteral("/a.wv"), 1.0);
    entry(1, 1, QStringLiteral("/b.wv"), 1.0);
    device.hasArb = false;
    device.hasSource[1] = false;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(device.arb.calls, 0);
    EXPECT_EQ(sourceCalls(), QStringList({"load0:/a.wv", "enable0:1", "enable2:0", "enable3:0"}));
}

TEST_F(ArbTransfer, NamesGoAsLatin1AndANameThatDoesNotFitItsSlotIsRefused) {
    const QString fits = QLatin1Char('/') + QString(254, QLatin1Char('f'));    // 255 bytes + NUL
    const QString tooLong = QLatin1Char('/') + QString(255, QLatin1Char('g')); // 256 bytes, no room for NUL
    const QString huge = QLatin1Char('/') + QString(299, QLatin1Char('h'));    // 300 characters
    const QString umlaut = QStringLiteral("/wave/M\u00fcller.wv");
    entry(0, 1, fits, 1.0);
    entry(1, 1, tooLong, 2.0);
    entry(2, 1, huge, 3.0);
    entry(3, 1, umlaut, 4.0);

    VGXErrorManager::Collector errors;
    const int rc = run();
    EXPECT_NE(rc, 0);

    for (int e = 0; e < 4; ++e)
        EXPECT_TRUE(device.arb.terminated[e] && device.arb.zeroTail[e]) << "slot " << e << " overrun";
    EXPECT_EQ(device.arb.slot[0], fits.toLatin1());
    EXPECT_TRUE(device.arb.slot[1].isEmpty());
    EXPECT_TRUE(device.arb.slot[2].isEmpty());
    EXPECT_EQ(device.arb.slot[3], QByteArray("/wave/M\xfcller.wv"));
    EXPECT_EQ(device.arb.count, 2);

    QStringList texts;
    for (const VGXErrorRecord& r : errors.errors()) {
        EXPECT_EQ(r.code, 50298);
        texts << r.text;
    }
    EXPECT_EQ(texts, QStringList({QStringLiteral("ARB file name too long: ") + tooLong,
                                  QStringLiteral("ARB file name too long: ") + huge}));
    // Refused entries are left alone by their sources, like entries without a file.
    EXPECT_EQ(sourceCalls(), QStringList({QStringLiteral("load0:") + fits, "enable0:1",
                                          QStringLiteral("load3:/wave/M\u00fcller.wv"), "enable3:1"}));
}

} // namespace
