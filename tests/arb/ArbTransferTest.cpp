// Transfer of an interface's four ARB entries to the box driver: what the ARB table and each entry's
// source receive, read at the right instances, and what happens to names that do not fit a slot.
#include <QStringList>
#include <gtest/gtest.h>

#include "arb/KobraArbTransfer.h"
#include "orglayer/OrgLayerTestSupport.h"

using namespace oltest;

namespace {

constexpr const char* StateName = "IdPDbLynxArbState";
constexpr const char* FileName = "IdPDbLynxArbFile";
constexpr const char* SamplesName = "IdPDbLynxArbSamples";

// A simulated box that may lack its ARB table or one entry's source.
class PartialBox : public vgxsim::SimKobraDevice {
public:
    using SimKobraDevice::SimKobraDevice;
    KobraDrvArbIfc* arbAccess() override { return hasArb ? SimKobraDevice::arbAccess() : nullptr; }
    KobraDrvArbSourceIfc* arbSourceAccess(int entry) override {
        return entry == missingSource ? nullptr : SimKobraDevice::arbSourceAccess(entry);
    }
    bool hasArb = true;
    int missingSource = -1;
};

class ArbTransfer : public ::testing::Test {
protected:
    // Values only at the interface's own instances; anything else is unreadable.
    void entry(int e, int state, const QString& file, double samples) {
        db.set(StateName, state, t0, t1, e);
        db.set(FileName, file, t0, t1, e);
        db.set(SamplesName, samples, t0, t1, e);
    }
    void allOff() {
        for (int e = 0; e < 4; ++e)
            entry(e, 0, QString(), 0.0);
    }
    int run() { return Kobra::setArbSettings(&box, &db, nullptr, t0, t1, StateName, FileName, SamplesName); }
    // The ARB table as the driver received it: entry count, slot names, sample counts.
    QVariantList table() const {
        for (const vgxsim::SimDrvCall& c : box.calls())
            if (c.name == "setWaveforms")
                return c.args;
        return {};
    }
    QStringList slotNames() const { return table().value(1).toStringList(); }
    QList<qint64> samples() const {
        QList<qint64> out;
        for (const QVariant& v : table().value(2).toList())
            out.append(v.toLongLong());
        return out;
    }
    // The sources' calls in order, as "load<entry>:<file>" and "enable<entry>:<0|1>".
    QStringList sourceCalls() const {
        QStringList out;
        for (const vgxsim::SimDrvCall& c : box.calls())
            if (c.name == "loadWaveform")
                out << QStringLiteral("load%1:%2").arg(c.args[0].toInt()).arg(c.args[1].toString());
            else if (c.name == "enable")
                out << QStringLiteral("enable%1:%2").arg(c.args[0].toInt()).arg(c.args[1].toBool() ? 1 : 0);
        return out;
    }

    // Interface path B (t0 = 1), side In (t1 = 0): a swap of path and side reads nothing. An entry
    // that is off reads no file (a read would fail and show in the status).
    int t0 = 1;
    int t1 = 0;
    TableDb db;
    PartialBox box{100123};
};

// Files and sample counts of entries that are off are not sent; their sources are switched off.
TEST_F(ArbTransfer, OneEntryOnKeepsItsSlotPositionAndOnlyItsSourceLoadsAndPlays) {
    for (int e = 0; e < 4; ++e)
        entry(e, 0, QStringLiteral("/wave/off%1.wv").arg(e), 500.0);
    entry(2, 1, QStringLiteral("/wave/F.wv"), 1000.9);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(table().value(0).toInt(), 1);
    EXPECT_EQ(slotNames(), QStringList({"", "", "/wave/F.wv", ""}));
    EXPECT_EQ(samples(), QList<qint64>({0, 0, 1000, 0})) << "sample counts are truncated, not rounded";
    EXPECT_EQ(sourceCalls(),
              QStringList({"enable0:0", "enable1:0", "load2:/wave/F.wv", "enable2:1", "enable3:0"}));
    // The table goes to the box before any source loads.
    EXPECT_LT(box.callNames().indexOf("setWaveforms"), box.callNames().indexOf("loadWaveform"));
    EXPECT_EQ(box.programming().arb[2].loaded, QStringLiteral("/wave/F.wv"));
}

TEST_F(ArbTransfer, SampleCountsTruncateTowardsZeroAndNamesAreCountedOnlyWhenNotEmpty) {
    entry(0, 1, QStringLiteral("/a.wv"), 1000.9);
    entry(1, 1, QStringLiteral("/b.wv"), -7.8);
    entry(2, 1, QString(), 640.0);             // on without a file: counted out, source untouched
    entry(3, 5, QStringLiteral("/d.wv"), 2.0); // any positive state is on
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(table().value(0).toInt(), 3);
    EXPECT_EQ(samples(), QList<qint64>({1000, -7, 640, 2}));
    EXPECT_EQ(sourceCalls(), QStringList({"load0:/a.wv", "enable0:1", "load1:/b.wv", "enable1:1",
                                          "load3:/d.wv", "enable3:1"}));
}

TEST_F(ArbTransfer, StatusesOfReadsTableAndLoadsAddUpAndTheTransferGoesOn) {
    entry(0, 1, QStringLiteral("/a.wv"), 1.0);
    entry(2, 0, QString(), 0.0);
    entry(3, 1, QStringLiteral("/d.wv"), 1.0); // entry 1 has no values: unreadable, so off
    box.setFault("setWaveforms", 7);
    box.setFault("loadWaveform", 11);
    EXPECT_EQ(run(), kErrUnknown + 7 + 2 * 11);
    EXPECT_EQ(table().value(0).toInt(), 2);
    EXPECT_EQ(sourceCalls(), QStringList({"load0:/a.wv", "enable0:1", "enable1:0", "enable2:0", "load3:/d.wv",
                                          "enable3:1"}));
}

TEST_F(ArbTransfer, MissingArbOrSourceInterfacesSkipTheirStep) {
    allOff();
    entry(0, 1, QStringLiteral("/a.wv"), 1.0);
    entry(1, 1, QStringLiteral("/b.wv"), 1.0);
    box.hasArb = false;
    box.missingSource = 1;
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(box.callNames().contains("setWaveforms"));
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
    EXPECT_NE(run(), 0);
    EXPECT_EQ(slotNames(), QStringList({fits, "", "", umlaut}));
    EXPECT_EQ(table().value(0).toInt(), 2);
    EXPECT_EQ(signalsOf(errors), (QList<QPair<int, QString>>{{50298, "ARB file name too long: " + tooLong},
                                                             {50298, "ARB file name too long: " + huge}}));
    // Refused entries are left alone by their sources, like entries without a file.
    EXPECT_EQ(sourceCalls(), QStringList({"load0:" + fits, "enable0:1", "load3:" + umlaut, "enable3:1"}));
}

} // namespace
