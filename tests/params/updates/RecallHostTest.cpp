// Recall of settings files through the host: what a recall leaves, what it refuses, files of the other
// side of an interface, and what the module does when the host tells it of a recall.
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

#include "orglayer/FrameworkFixture.h"
#include "support/DbSnapshot.h"
#include "support/TestFiles.h"

using namespace MvQARN;
using namespace oltest;
using testsupport::Snapshot;
using testsupport::snapshot;

namespace {

constexpr int kLogicLvttl = 1;
constexpr int kSigTypeIf = 1;
constexpr int kCounter = 1;
constexpr int kLogic18Cmos = 4;

class RecallHostTest : public HostWithBoxes {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startHostWithKobra()); }
    void TearDown() override { stopHost(); }

    QString filePath(const QString& name) const { return m_settings.path() + "/" + name + ".lynx"; }
    QByteArray fileText(const QString& name) const { return testsupport::readFile(filePath(name)); }
    void putFile(const QString& name, const QByteArray& text) {
        ASSERT_TRUE(testsupport::writeFile(filePath(name), text));
    }
    void save(const SDbInstTupel& t, const QString& name) {
        set("IdPDbLynxSav", t, CDbAllType::fromString(name));
    }
    // Recalls as a user does; the errors of the request stay in m_answer.
    void recall(const SDbInstTupel& t, const QString& name) {
        write("IdPDbLynxRcl", t, CDbAllType::fromString(name));
    }
    // Every interface value of one instance in a snapshot, keyed without the path and side.
    static Snapshot instanceValues(const Snapshot& all, const SDbInstTupel& t) {
        Snapshot out;
        const QString tag = QStringLiteral("[%1,%2,").arg(t.t0).arg(t.t1);
        for (auto it = all.constBegin(); it != all.constEnd(); ++it)
            if (it.key().startsWith(QLatin1String("IdPDbLynx")) && it.key().contains(tag))
                out.insert(QString(it.key()).replace(tag, QStringLiteral("[")), it.value());
        return out;
    }
    // Out A with settings whose limits depend on each other and a value an update function resets.
    void setDependentValues(const SDbInstTupel& t) {
        setInt("IdPDbLynxLogicType", t, kLogicLvttl);
        setInt("IdPDbLynxSigType", t, kSigTypeIf);
        setNumber("IdPDbLynxClocRate", t, 150e6);
        setNumber("IdPDbLynxDataWordSize", t, 12);
        setNumber("IdPDbLynxDataStrobPos", t, 11);
        setInt("IdPDbLynxTestTxSource", t, kCounter);
        setInt("IdPDbLynxTestTxPrbs", t, 1);
    }
};

// The value lines of a settings file in another order; header and end line stay where they are.
QByteArray shuffledValues(const QByteArray& text, unsigned seed) {
    QList<QByteArray> lines = text.split('\n');
    static const QRegularExpression valueLine(QStringLiteral("^[A-Za-z_]\\w*\\[\\d+,\\d+\\]="));
    QList<int> at;
    QList<QByteArray> values;
    for (int i = 0; i < lines.size(); ++i)
        if (valueLine.match(QString::fromUtf8(lines[i])).hasMatch()) {
            at << i;
            values << lines[i];
        }
    std::mt19937 rng(seed);
    std::shuffle(values.begin(), values.end(), rng);
    for (int k = 0; k < at.size(); ++k)
        lines[at[k]] = values[k];
    return lines.join('\n');
}

// Limits that depend on other values (clock rate on logic and signal type, strobe position on word
// size) and values that update functions reset (the PRBS of a new test source) come back as saved,
// whatever the order of the file's lines.
TEST_F(RecallHostTest, RecallLeavesExactlyTheSavedStateWhateverTheOrderOfTheLines) {
    const SDbInstTupel outA = tup(0, 1);
    setDependentValues(outA);
    save(outA, QStringLiteral("dependent"));
    const Snapshot saved = snapshot();
    const QByteArray text = fileText(QStringLiteral("dependent"));
    ASSERT_FALSE(text.isEmpty());

    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        set("IdPDbLynxPreset", outA, CDbAllType::fromInt(1));
        ASSERT_DOUBLE_EQ(number("IdPDbLynxClocRate", outA), 10e6);
        putFile(QStringLiteral("dependent"), shuffledValues(text, seed));
        recall(outA, QStringLiteral("dependent"));
        EXPECT_TRUE(errorTexts().isEmpty()) << errorTexts().join("; ").toStdString();
        EXPECT_TRUE(testsupport::unchanged(saved));
    }
}

// A file holding values that no sequence of settings could leave is refused with an error naming the
// line, and the whole database stays as it was.
TEST_F(RecallHostTest, FileWithValuesTheChecksRefuseChangesNothing) {
    const SDbInstTupel outA = tup(0, 1);
    setInt("IdPDbLynxLogicType", outA, kLogicLvttl);
    setNumber("IdPDbLynxDataWordSize", outA, 12);
    save(outA, QStringLiteral("edited"));
    const QByteArray text = fileText(QStringLiteral("edited"));
    // A different state to come back to, so that anything applied would show.
    setNumber("IdPDbLynxClocRate", outA, 20e6);
    setNumber("IdPDbLynxDataStrobPos", outA, 3);
    const struct {
        const char* line;
        const char* replacement;
        const char* name;
    } cases[] = {
        {"IdPDbLynxClocRate[0,0]=num:10000000", "IdPDbLynxClocRate[0,0]=num:250000000", "IdPDbLynxClocRate"},
        {"IdPDbLynxDataStrobPos[0,0]=num:0", "IdPDbLynxDataStrobPos[0,0]=num:16", "IdPDbLynxDataStrobPos"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(text.contains(c.line)) << text.toStdString();
        QByteArray edited = text;
        putFile(QStringLiteral("edited"), edited.replace(c.line, c.replacement));
        const Snapshot before = snapshot();
        recall(outA, QStringLiteral("edited"));
        ASSERT_EQ(errorTexts().size(), 1);
        EXPECT_TRUE(errorTexts().first().contains(QLatin1String("refused")));
        EXPECT_TRUE(errorTexts().first().contains(QLatin1String(c.name)))
            << errorTexts().first().toStdString();
        EXPECT_TRUE(testsupport::unchanged(before));
    }
}

// One catalogue offers every file to every interface: a file of the Out side recalls on the In side,
// which keeps its own direction and signal type, and the clock rate follows the signal type there as
// it does when the signal type is set; a file of the In side recalls on the Out side.
TEST_F(RecallHostTest, FileOfTheOtherSideRecallsWithTheValuesTheSideFixes) {
    const SDbInstTupel outA = tup(0, 1), inB = tup(1, 0);
    setDependentValues(outA);
    save(outA, QStringLiteral("outside"));
    ASSERT_TRUE(fileText(QStringLiteral("outside")).contains("IdPDbLynxDirection[0,0]=sel:1"));

    recall(inB, QStringLiteral("outside"));
    EXPECT_TRUE(errorTexts().isEmpty()) << errorTexts().join("; ").toStdString();
    const Snapshot now = snapshot();
    Snapshot in = instanceValues(now, inB), out = instanceValues(now, outA);
    EXPECT_EQ(in.take(QStringLiteral("IdPDbLynxDirection[0,0]")), QStringLiteral("9:0"));
    EXPECT_EQ(out.take(QStringLiteral("IdPDbLynxDirection[0,0]")), QStringLiteral("9:1"));
    EXPECT_EQ(in.take(QStringLiteral("IdPDbLynxSigType[0,0]")), QStringLiteral("9:0"));
    EXPECT_EQ(out.take(QStringLiteral("IdPDbLynxSigType[0,0]")), QStringLiteral("9:1"));
    EXPECT_EQ(in.take(QStringLiteral("IdPDbLynxClocRate[0,0]")), QStringLiteral("8:100000000"));
    EXPECT_EQ(out.take(QStringLiteral("IdPDbLynxClocRate[0,0]")), QStringLiteral("8:150000000"));
    // Names of the files used are the instance's own; only the In side has the fast-save switch.
    in.remove(QStringLiteral("IdPDbLynxSavFast[0,0]"));
    for (const char* own : {"IdPDbLynxRcl[0,0]", "IdPDbLynxSav[0,0]"}) {
        in.remove(QLatin1String(own));
        out.remove(QLatin1String(own));
    }
    EXPECT_TRUE(testsupport::differences(out, in).isEmpty())
        << testsupport::differences(out, in).join('\n').toStdString();

    // The other way round, with a file of path A's In side, which also holds the box-wide values.
    const SDbInstTupel inA = tup(0, 0), outB = tup(1, 1);
    setInt("IdPDbLynxLogicType", inA, kLogic18Cmos);
    save(inA, QStringLiteral("inside"));
    recall(outB, QStringLiteral("inside"));
    EXPECT_TRUE(errorTexts().isEmpty()) << errorTexts().join("; ").toStdString();
    EXPECT_EQ(readInt("IdPDbLynxLogicType", outB), kLogic18Cmos);
    EXPECT_EQ(readInt("IdPDbLynxDirection", outB), 1);
}

// The host tells the module of every recall it has done, and the module lets the host baseband follow
// the interfaces that drive it again; a refused recall is no recall.
TEST_F(RecallHostTest, HostNotifiesTheModuleOfADoneRecallAndItReappliesTheDeviceStates) {
    const SDbInstTupel outA = tup(0, 1), inB = tup(1, 0);
    save(inB, QStringLiteral("plain"));
    setInt("IdPDbLynxDeviceState", outA, 1);
    ASSERT_EQ(readInt("IdPDbBboutClocSour", tup(0, 0)), 0);
    ASSERT_EQ(readInt("IdPDbBboutState", tup(0, 0)), 0);
    // The host's baseband is set by hand, away from what the interface asks for.
    setInt("IdPDbBboutClocSour", tup(0, 0), 1);
    setInt("IdPDbBboutState", tup(0, 0), 1);

    QByteArray broken = fileText(QStringLiteral("plain"));
    putFile(QStringLiteral("broken"),
            broken.replace("IdPDbLynxDataStrobPos[0,0]=num:0", "IdPDbLynxDataStrobPos[0,0]=num:16"));
    recall(inB, QStringLiteral("broken"));
    ASSERT_EQ(errorTexts().size(), 1);
    EXPECT_EQ(readInt("IdPDbBboutClocSour", tup(0, 0)), 1);
    EXPECT_EQ(readInt("IdPDbBboutState", tup(0, 0)), 1);

    // A recall of another interface, which leaves Out A's settings alone.
    recall(inB, QStringLiteral("plain"));
    EXPECT_TRUE(errorTexts().isEmpty()) << errorTexts().join("; ").toStdString();
    EXPECT_EQ(readInt("IdPDbBboutClocSour", tup(0, 0)), 0);
    EXPECT_EQ(readInt("IdPDbBboutState", tup(0, 0)), 0);
}

} // namespace
