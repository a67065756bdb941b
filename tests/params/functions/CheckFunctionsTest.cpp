// Check functions: dynamic limits, the choices still available and the refusals of writes, each
// seen through the host database the way a user write arrives.
#include <gtest/gtest.h>

#include "FunctionTestSupport.h"
#include "host/db/CDbChkFunc.h"

using namespace MvQARN;
using namespace fntest;

namespace {

class CheckFunctions : public FunctionTest {
protected:
    std::pair<double, double> limitsOf(const char* name, const SDbInstTupel& t) {
        double min = -1, max = -1;
        EXPECT_TRUE(db().limits(name, t, min, max)) << name;
        return {min, max};
    }
};

// ---- limits ---------------------------------------------------------------------------------------

TEST_F(CheckFunctions, ClockRateCeilingFollowsLogicTypeAndSignalType) {
    const SDbInstTupel out = tup(1, 1);
    setInt("IdPDbLynxLogicType", out, 0); // LVDS
    EXPECT_EQ(limitsOf("IdPDbLynxClocRate", out), std::make_pair(1000.0, 400e6));
    EXPECT_EQ(writeNumber("IdPDbLynxClocRate", out, 400e6), 0);
    EXPECT_EQ(storedNumber("IdPDbLynxClocRate", out), 400e6);

    setInt("IdPDbLynxSigType", out, 1); // IF does not matter for LVDS
    EXPECT_EQ(limitsOf("IdPDbLynxClocRate", out), std::make_pair(1000.0, 400e6));

    setInt("IdPDbLynxLogicType", out, 1); // LVTTL with IF
    EXPECT_EQ(limitsOf("IdPDbLynxClocRate", out), std::make_pair(1000.0, 150e6));
    setNumber("IdPDbLynxClocRate", out, 150e6);
    EXPECT_NE(writeNumber("IdPDbLynxClocRate", out, 151e6), 0);
    EXPECT_EQ(storedNumber("IdPDbLynxClocRate", out), 150e6);

    setInt("IdPDbLynxSigType", out, 0); // LVTTL with IQ
    EXPECT_EQ(limitsOf("IdPDbLynxClocRate", out), std::make_pair(1000.0, 100e6));
    setNumber("IdPDbLynxClocRate", out, 100e6);
    EXPECT_NE(writeNumber("IdPDbLynxClocRate", out, 120e6), 0);
    EXPECT_EQ(storedNumber("IdPDbLynxClocRate", out), 100e6);
    EXPECT_NE(writeNumber("IdPDbLynxClocRate", out, 999), 0);
    EXPECT_EQ(storedNumber("IdPDbLynxClocRate", out), 100e6);

    // Other instances keep their own ceiling.
    EXPECT_EQ(limitsOf("IdPDbLynxClocRate", tup(0, 1)), std::make_pair(1000.0, 100e6)); // 3.3V CMOS
}

TEST_F(CheckFunctions, ClockInputSkewIsLimitedToOneClockPeriod) {
    const SDbInstTupel t = tup(0, 0);
    setInt("IdPDbLynxLogicType", t, 0);
    setNumber("IdPDbLynxClocRate", t, 100e6);
    const auto lim = limitsOf("IdPDbLynxClocInSkew", t);
    EXPECT_DOUBLE_EQ(lim.first, -1e-8);
    EXPECT_DOUBLE_EQ(lim.second, 1e-8);
    // The period replaces the static range of the record.
    EXPECT_EQ(writeNumber("IdPDbLynxClocInSkew", t, -8e-9), 0);
    EXPECT_DOUBLE_EQ(storedNumber("IdPDbLynxClocInSkew", t), -8e-9);
    EXPECT_NE(writeNumber("IdPDbLynxClocInSkew", t, 1.5e-8), 0);
    EXPECT_DOUBLE_EQ(storedNumber("IdPDbLynxClocInSkew", t), -8e-9);

    setNumber("IdPDbLynxClocRate", t, 400e6);
    EXPECT_DOUBLE_EQ(limitsOf("IdPDbLynxClocInSkew", t).second, 2.5e-9);
}

TEST_F(CheckFunctions, StrobePositionStaysBelowTheWordSize) {
    const SDbInstTupel t = tup(1, 0);
    EXPECT_EQ(limitsOf("IdPDbLynxDataStrobPos", t), std::make_pair(0.0, 15.0)); // word size 16
    setNumber("IdPDbLynxDataWordSize", t, 8);
    EXPECT_EQ(limitsOf("IdPDbLynxDataStrobPos", t), std::make_pair(0.0, 7.0));
    EXPECT_EQ(writeNumber("IdPDbLynxDataStrobPos", t, 7), 0);
    EXPECT_NE(writeNumber("IdPDbLynxDataStrobPos", t, 8), 0);
    EXPECT_EQ(storedNumber("IdPDbLynxDataStrobPos", t), 7);
}

TEST_F(CheckFunctions, SineFrequencyStaysWithinFourTenthsOfTheSampleRate) {
    const SDbInstTupel t = tup(0, 1);
    // Parallel, SDR, not interleaved, IQ, ratio 1: the sample rate is the clock rate.
    setNumber("IdPDbLynxClocRate", t, 20e6);
    EXPECT_EQ(limitsOf("IdPDbLynxTestSinusCwFreq", t), std::make_pair(-8e6, 8e6));
    EXPECT_EQ(writeNumber("IdPDbLynxTestSinusCwFreq", t, 8e6), 0);
    EXPECT_NE(writeNumber("IdPDbLynxTestSinusCwFreq", t, 8.5e6), 0);
    EXPECT_EQ(storedNumber("IdPDbLynxTestSinusCwFreq", t), 8e6);
}

TEST_F(CheckFunctions, TriggerPositionReachesUpToTheLastRecordedSample) {
    const SDbInstTupel t = tup(1, 1, 0, 1);
    EXPECT_EQ(limitsOf("IdPDbKobraTranRecTrigPosition", t), std::make_pair(-100000000.0, 511.0));
    setNumber("IdPDbKobraTranRecDataLength", t, 1024);
    EXPECT_EQ(limitsOf("IdPDbKobraTranRecTrigPosition", t), std::make_pair(-100000000.0, 1023.0));
    EXPECT_EQ(writeNumber("IdPDbKobraTranRecTrigPosition", t, 1023), 0);
    EXPECT_NE(writeNumber("IdPDbKobraTranRecTrigPosition", t, 1024), 0);
    EXPECT_EQ(storedNumber("IdPDbKobraTranRecTrigPosition", t), 1023);
    // The other recorder channel has its own length.
    EXPECT_EQ(limitsOf("IdPDbKobraTranRecTrigPosition", tup(1, 1, 0, 0)).second, 511.0);
}

// ---- choices --------------------------------------------------------------------------------------

TEST_F(CheckFunctions, DataTypeOffersSamplesOnly) {
    const SDbInstTupel t = tup(0, 0);
    EXPECT_EQ(db().choices("IdPDbLynxDataType", t), QVector<int>({0}));
    EXPECT_NE(writeInt("IdPDbLynxDataType", t, 1), 0);
    EXPECT_EQ(storedInt("IdPDbLynxDataType", t), 0);
}

TEST_F(CheckFunctions, ClockSourceOfTheBasicVariantHasNoInternalClock) {
    const SDbInstTupel t = tup(1, 0);
    EXPECT_EQ(db().choices("IdPDbLynxClocSour", t), QVector<int>({2, 0, 1}));
    setInt("IdPDbLynxClocSour", t, 0);

    setInt("IdPDbKobraVariant", t, 0);
    EXPECT_EQ(db().choices("IdPDbLynxClocSour", t), QVector<int>({2, 1}));
    setInt("IdPDbLynxClocSour", t, 1);
    EXPECT_NE(writeInt("IdPDbLynxClocSour", t, 0), 0);
    EXPECT_EQ(storedInt("IdPDbLynxClocSour", t), 1);
    // Only the variant of this interface counts.
    EXPECT_EQ(db().choices("IdPDbLynxClocSour", tup(1, 1)), QVector<int>({2, 0, 1}));
}

TEST_F(CheckFunctions, RecorderDataSourceFollowsHostStandardsAndTheUserInterface) {
    setSerials({100123});
    const SDbInstTupel rec = tup(0, 1, 0, 1);
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), QVector<int>({0, 1, 2, 3, 4, 5, 7}));

    setInt("IdPDbDigRfState", tup(0, 0), 1);
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), QVector<int>({0, 1, 2, 3, 4, 5, 7}));

    switchOn(0, 1, 1); // user interface ON comes before DigRF
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), QVector<int>({0, 1}));
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", tup(0, 0, 0, 1)),
              QVector<int>({0, 1, 2, 3, 4, 5, 7}));
    setInt("IdPDbKobraTranRecDataSource", rec, 1);
    EXPECT_NE(writeInt("IdPDbKobraTranRecDataSource", rec, 2), 0);
    EXPECT_EQ(storedInt("IdPDbKobraTranRecDataSource", rec), 1);

    setInt("IdPDbCpriState", tup(0, 0), 1); // CPRI comes first
    EXPECT_EQ(db().choices("IdPDbKobraTranRecDataSource", rec), QVector<int>({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(writeInt("IdPDbKobraTranRecDataSource", rec, 5), 0);
    EXPECT_NE(writeInt("IdPDbKobraTranRecDataSource", rec, 7), 0);
    EXPECT_EQ(storedInt("IdPDbKobraTranRecDataSource", rec), 5);
}

TEST_F(CheckFunctions, ABoxIsSelectedByOneInterfaceOnly) {
    setSerials({100123, 100456, 100789});
    const SDbInstTupel inA = tup(0, 0), outA = tup(0, 1), inB = tup(1, 0), outB = tup(1, 1);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", inB), QVector<int>({0, 1, 2, 3}));

    setInt("IdPDbKobraSelected", inA, 1);
    setInt("IdPDbKobraSelected", outB, 2);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", inB), QVector<int>({0, 3}));
    EXPECT_EQ(db().choices("IdPDbKobraSelected", outA), QVector<int>({0, 3}));
    // An interface keeps its own box on offer.
    EXPECT_EQ(db().choices("IdPDbKobraSelected", inA), QVector<int>({0, 1, 3}));
    EXPECT_EQ(db().choices("IdPDbKobraSelected", outB), QVector<int>({0, 2, 3}));

    const Snapshot before = snapshot();
    EXPECT_NE(writeInt("IdPDbKobraSelected", inB, 1), 0);
    EXPECT_NE(writeInt("IdPDbKobraSelected", inB, 2), 0);
    EXPECT_TRUE(unchanged(before));
    EXPECT_EQ(writeInt("IdPDbKobraSelected", inB, 3), 0);
    EXPECT_EQ(storedInt("IdPDbKobraSelected", inB), 3);
    EXPECT_EQ(writeInt("IdPDbKobraSelected", outA, 0), 0); // "no box" is open to all
}

TEST_F(CheckFunctions, BoxSelectionOffersAtMostTwentyBoxesAndAlwaysOneSlot) {
    QList<int> many;
    for (int i = 0; i < 25; ++i)
        many.append(200000 + i);
    setSerials(many);
    QVector<int> upTo20;
    for (int i = 0; i <= 20; ++i)
        upTo20.append(i);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", tup(0, 0)), upTo20);

    ASSERT_EQ(writeList("IdPDbKobraSerials", QStringList()), 0);
    EXPECT_EQ(db().choices("IdPDbKobraSelected", tup(1, 1)), QVector<int>({0}));
}

TEST_F(CheckFunctions, IfSignalOnlyOnTheParallelOutSide) {
    const SDbInstTupel out = tup(1, 1), in = tup(1, 0);
    EXPECT_EQ(db().choices("IdPDbLynxSigType", out), QVector<int>({0, 1})); // parallel by default
    EXPECT_EQ(db().choices("IdPDbLynxSigType", in), QVector<int>({0}));
    EXPECT_NE(writeInt("IdPDbLynxSigType", in, 1), 0);
    EXPECT_EQ(storedInt("IdPDbLynxSigType", in), 0);

    setInt("IdPDbLynxFormat", out, 0);
    EXPECT_EQ(db().choices("IdPDbLynxSigType", out), QVector<int>({0}));
    EXPECT_NE(writeInt("IdPDbLynxSigType", out, 1), 0);
    setInt("IdPDbLynxFormat", out, 1);
    EXPECT_EQ(writeInt("IdPDbLynxSigType", out, 1), 0);
    EXPECT_EQ(storedInt("IdPDbLynxSigType", out), 1);
}

// ---- refusals -------------------------------------------------------------------------------------

TEST_F(CheckFunctions, SsiDataOnTheReceivingSideNeedsTheLiftFlag) {
    const SDbInstTupel in = tup(0, 0), out = tup(0, 1);
    setNumber("IdPDbLynxSsiCmBitLen", in, 8);
    setNumber("IdPDbLynxSsiCmBitLen", out, 8);

    const Snapshot before = snapshot();
    EXPECT_EQ(write("IdPDbLynxSsiCmData", in, bits(8, 0x5a000000)), DbErrSsiDirection);
    EXPECT_EQ(errorCodes(), QList<int>({DbErrSsiDirection}));
    EXPECT_TRUE(unchanged(before));
    // Other flag bits do not lift the check.
    EXPECT_EQ(write("IdPDbLynxSsiCmData", in, bits(8, 0x5a000000), DbMsgSet, DbFlagForGui | 0x1u),
              DbErrSsiDirection);

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

    setInt("IdPDbProtLevState", tup(0, 0), 0);
    EXPECT_EQ(write("IdPDbKobraDiagPoint", tup(0, 0), CDbAllType::fromInt(5)), 0);
    EXPECT_EQ(storedInt("IdPDbKobraDiagPoint", tup(0, 0)), 5);
    EXPECT_EQ(write("IdPDbKobraServiceEepromSn", tup(0, 0, 0, 1), CDbAllType::fromString("777")), 0);
    EXPECT_EQ(storedText("IdPDbKobraServiceEepromSn", tup(0, 0, 0, 1)), QStringLiteral("777"));
    // Only level 1 locks.
    setInt("IdPDbProtLevState", tup(0, 0), 2);
    EXPECT_EQ(write("IdPDbKobraDiagPoint", tup(0, 0), CDbAllType::fromInt(6)), 0);
    setInt("IdPDbProtLevState", tup(0, 0), 1);
    EXPECT_EQ(write("IdPDbKobraDiagPoint", tup(0, 0), CDbAllType::fromInt(7)), DbErrProtected);
    EXPECT_EQ(storedInt("IdPDbKobraDiagPoint", tup(0, 0)), 6);
}

} // namespace
