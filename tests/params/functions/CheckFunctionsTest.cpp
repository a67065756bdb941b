// Check functions seen through the host database: dynamic limits, the choices still available and
// refusals, each of which leaves every stored value as it was.
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"
#include "host/db/CDbChkFunc.h"

using namespace MvQARN;
using namespace fntest;

namespace {

using CheckFunctions = FunctionTest;

struct Given {
    const char* name;
    SDbInstTupel t;
    double value;
};

// Limits that follow other parameters: both ends are taken, a value just beyond either end is refused
// and changes nothing; another instance keeps its own limits.
TEST_F(CheckFunctions, LimitsFollowTheParametersTheyDependOn) {
    const struct {
        QList<Given> setup;
        const char* name;
        SDbInstTupel t;
        double min, max, below, above;
        SDbInstTupel other;
        double otherMax;
    } cases[] = {
        // clang-format off
        // Clock rate ceiling by logic type and, for LVTTL, signal type (3.3V CMOS elsewhere).
        {{{"IdPDbLynxLogicType", tup(1, 1), 0}},
         "IdPDbLynxClocRate", tup(1, 1), 1000, 400e6, 999, 401e6, tup(0, 1), 100e6},
        {{{"IdPDbLynxSigType", tup(1, 1), 1}, {"IdPDbLynxLogicType", tup(1, 1), 1}},
         "IdPDbLynxClocRate", tup(1, 1), 1000, 150e6, 999, 151e6, tup(0, 1), 100e6},
        {{{"IdPDbLynxLogicType", tup(1, 1), 1}},
         "IdPDbLynxClocRate", tup(1, 1), 1000, 100e6, 999, 120e6, tup(0, 0), 100e6},
        // One clock period, beyond the record's own range.
        {{{"IdPDbLynxLogicType", tup(0, 0), 0}, {"IdPDbLynxClocRate", tup(0, 0), 100e6}},
         "IdPDbLynxClocInSkew", tup(0, 0), -1e-8, 1e-8, -1.5e-8, 1.5e-8, tup(1, 0), 1e-7},
        // Below the word size.
        {{{"IdPDbLynxDataWordSize", tup(1, 0), 8}},
         "IdPDbLynxDataStrobPos", tup(1, 0), 0, 7, -1, 8, tup(0, 0), 15},
        // Four tenths of the sample rate (parallel, SDR, not interleaved, IQ, ratio 1: the clock rate).
        {{{"IdPDbLynxClocRate", tup(0, 1), 20e6}},
         "IdPDbLynxTestSinusCwFreq", tup(0, 1), -8e6, 8e6, -8.5e6, 8.5e6, tup(1, 1), 4e6},
        // Up to the last recorded sample of the channel.
        {{{"IdPDbKobraTranRecDataLength", tup(1, 1, 0, 1), 1024}},
         "IdPDbKobraTranRecTrigPosition", tup(1, 1, 0, 1), -1e8, 1023, -1e8 - 1, 1024, tup(1, 1, 0, 0), 511},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " below " + std::to_string(c.max));
        restart();
        for (const Given& s : c.setup)
            setValue(s.name, s.t, s.value);
        double min = -1, max = -1;
        ASSERT_TRUE(db().limits(c.name, c.t, min, max));
        EXPECT_DOUBLE_EQ(min, c.min);
        EXPECT_DOUBLE_EQ(max, c.max);
        EXPECT_EQ(writeNumber(c.name, c.t, c.min), 0);
        EXPECT_EQ(writeNumber(c.name, c.t, c.max), 0);
        EXPECT_DOUBLE_EQ(storedNumber(c.name, c.t), c.max);
        const Snapshot before = snapshot();
        EXPECT_NE(writeNumber(c.name, c.t, c.above), 0);
        EXPECT_NE(writeNumber(c.name, c.t, c.below), 0);
        EXPECT_TRUE(unchanged(before));
        ASSERT_TRUE(db().limits(c.name, c.other, min, max));
        EXPECT_DOUBLE_EQ(max, c.otherMax);
    }
}

// Choices that follow other parameters: only those are offered, another is refused and changes
// nothing; another instance keeps its own choices.
TEST_F(CheckFunctions, ChoicesFollowTheParametersTheyDependOn) {
    const struct {
        QList<Given> setup;
        const char* name;
        SDbInstTupel t;
        QVector<int> offered;
        int refused;
        SDbInstTupel other;
        QVector<int> otherOffered;
    } cases[] = {
        // clang-format off
        {{}, "IdPDbLynxDataType", tup(0, 0), {0}, 1, tup(1, 1), {0}},
        // The basic variant has no internal clock.
        {{{"IdPDbKobraVariant", tup(1, 0), 0}, {"IdPDbLynxClocSour", tup(1, 0), 1}},
         "IdPDbLynxClocSour", tup(1, 0), {2, 1}, 0, tup(1, 1), {2, 0, 1}},
        // An IF signal only on the parallel Out side.
        {{}, "IdPDbLynxSigType", tup(1, 0), {0}, 1, tup(1, 1), {0, 1}},
        {{{"IdPDbLynxFormat", tup(1, 1), 0}}, "IdPDbLynxSigType", tup(1, 1), {0}, 1, tup(0, 1), {0, 1}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        for (const Given& s : c.setup)
            setInt(s.name, s.t, int(s.value));
        EXPECT_EQ(db().choices(c.name, c.t), c.offered);
        const Snapshot before = snapshot();
        EXPECT_NE(writeInt(c.name, c.t, c.refused), 0);
        EXPECT_TRUE(unchanged(before));
        EXPECT_EQ(db().choices(c.name, c.other), c.otherOffered);
    }
}

TEST_F(CheckFunctions, RecorderDataSourceFollowsHostStandardsAndTheUserInterface) {
    setSerials({100123});
    const SDbInstTupel rec = tup(0, 1, 0, 1);
    const QVector<int> all{0, 1, 2, 3, 4, 5, 7};
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), all);
    setInt("IdPDbDigRfState", tup(0, 0), 1);
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), all);

    switchOn(0, 1, 1); // user interface ON comes before DigRF
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), QVector<int>({0, 1}));
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", tup(0, 0, 0, 1)), all);
    setInt("IdPDbKobraTranRecDataSource", rec, 1);
    EXPECT_NE(writeInt("IdPDbKobraTranRecDataSource", rec, 2), 0);
    EXPECT_EQ(storedInt("IdPDbKobraTranRecDataSource", rec), 1);

    setInt("IdPDbCpriState", tup(0, 0), 1); // CPRI comes first
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), QVector<int>({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(writeInt("IdPDbKobraTranRecDataSource", rec, 5), 0);
    EXPECT_NE(writeInt("IdPDbKobraTranRecDataSource", rec, 7), 0);
    EXPECT_EQ(storedInt("IdPDbKobraTranRecDataSource", rec), 5);
}

TEST_F(CheckFunctions, ABoxIsSelectedByOneInterfaceOnlyAndAtMostTwentyAreOffered) {
    setSerials({100123, 100456, 100789});
    const SDbInstTupel inA = tup(0, 0), outA = tup(0, 1), inB = tup(1, 0), outB = tup(1, 1);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", inB), QVector<int>({0, 1, 2, 3}));
    setInt("IdPDbKobraSelected", inA, 1);
    setInt("IdPDbKobraSelected", outB, 2);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", inB), QVector<int>({0, 3}));
    // An interface keeps its own box on offer.
    EXPECT_EQ(db().choices("IdPDbKobraSelected", inA), QVector<int>({0, 1, 3}));
    EXPECT_EQ(db().choices("IdPDbKobraSelected", outB), QVector<int>({0, 2, 3}));

    const Snapshot before = snapshot();
    EXPECT_NE(writeInt("IdPDbKobraSelected", inB, 1), 0);
    EXPECT_NE(writeInt("IdPDbKobraSelected", inB, 2), 0);
    EXPECT_TRUE(unchanged(before));
    EXPECT_EQ(writeInt("IdPDbKobraSelected", inB, 3), 0);
    EXPECT_EQ(writeInt("IdPDbKobraSelected", outA, 0), 0); // "no box" is open to all

    QList<int> many;
    for (int i = 0; i < 25; ++i)
        many.append(200000 + i);
    setSerials(many);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", outA).size(), 21);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", outA).last(), 20);
    ASSERT_EQ(writeList("IdPDbKobraSerials", QStringList()), 0);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", tup(1, 1)), QVector<int>({0}));
}

// ---- refusals -------------------------------------------------------------------------------------

TEST_F(CheckFunctions, SsiDataOnTheReceivingSideNeedsTheLiftFlag) {
    const SDbInstTupel in = tup(0, 0), out = tup(0, 1);
    setNumber("IdPDbLynxSsiCmBitLen", in, 8);
    setNumber("IdPDbLynxSsiCmBitLen", out, 8);

    const Snapshot before = snapshot();
    EXPECT_EQ(write("IdPDbLynxSsiCmData", in, bits(8, 0x5a000000)), DbErrSsiDirection);
    EXPECT_EQ(errorCodes(), QList<int>({DbErrSsiDirection}));
    // Other flag bits do not lift the check.
    EXPECT_EQ(write("IdPDbLynxSsiCmData", in, bits(8, 0x5a000000), DbMsgSet, DbFlagForGui | 0x1u),
              DbErrSsiDirection);
    EXPECT_TRUE(unchanged(before));

    EXPECT_EQ(write("IdPDbLynxSsiCmData", in, bits(8, 0x5a000000), DbMsgSet, DbFlagLiftSsiDirection), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", in), QStringLiteral("8:5a000000"));
    EXPECT_EQ(write("IdPDbLynxSsiCmData", out, bits(8, 0xc3000000)), 0);
    EXPECT_EQ(storedText("IdPDbLynxSsiCmData", out), QStringLiteral("8:c3000000"));
}

TEST_F(CheckFunctions, ServiceFunctionsAreLockedByTheProtectionLevel) {
    ASSERT_EQ(storedInt("IdPDbProtLevState", tup(0, 1)), 1); // locked from the start
    const Snapshot before = snapshot();
    // Every record the service check guards (the diagnostic and service rows).
    const CDbChkFunc* service = Kobra::catalogueRecord("IdPDbKobraDiagState")->chk;
    int guarded = 0;
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        if (e.record->chk != service)
            continue;
        ++guarded;
        const CDbAllType value = e.record->type == DbTypeNumber   ? CDbAllType::fromDouble(1)
                                 : e.record->type == DbTypeSelect ? CDbAllType::fromInt(1)
                                 : e.record->type == DbTypeString
                                     ? CDbAllType::fromString(QStringLiteral("123456"))
                                     : CDbAllType(new CDbDataTypeNString); // an event takes any value
        EXPECT_EQ(write(e.record->name, tup(0, 0), value), DbErrProtected) << e.record->name;
        EXPECT_EQ(errorCodes(), QList<int>({DbErrProtected})) << e.record->name;
    }
    EXPECT_EQ(guarded, 20);
    EXPECT_TRUE(unchanged(before));

    // Only level 1 locks.
    for (int level : {0, 2}) {
        setInt("IdPDbProtLevState", tup(0, 0), level);
        EXPECT_EQ(write("IdPDbKobraDiagPoint", tup(0, 0), CDbAllType::fromInt(5 + level)), 0);
        EXPECT_EQ(storedInt("IdPDbKobraDiagPoint", tup(0, 0)), 5 + level);
    }
    EXPECT_EQ(write("IdPDbKobraServiceEepromSn", tup(0, 0, 0, 1), CDbAllType::fromString("777")), 0);
    EXPECT_EQ(storedText("IdPDbKobraServiceEepromSn", tup(0, 0, 0, 1)), QStringLiteral("777"));
    setInt("IdPDbProtLevState", tup(0, 0), 1);
    EXPECT_EQ(write("IdPDbKobraDiagPoint", tup(0, 0), CDbAllType::fromInt(9)), DbErrProtected);
    EXPECT_EQ(storedInt("IdPDbKobraDiagPoint", tup(0, 0)), 7);
}

} // namespace
