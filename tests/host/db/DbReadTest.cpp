// Reads: conversion-out answers, the read interface and its tuple order, and the bound on reads that
// read themselves.
#include <cstring>
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "host/db/CDbDataTypeNumber.h"

using namespace MvQARN;
using namespace dbtest;

namespace {

class CTestConvOut : public CDbCnvOutFunc {
public:
    typedef void (CTestConvOut::*Fn)(CDbCnct&);
    explicit CTestConvOut(Fn fn) : CDbCnvOutFunc(static_cast<CDbCnvOutFunc::Member>(fn)) {}

    // Rate x 2 in mode 1, Rate in mode 0, no answer in mode 2.
    void sampleRate(CDbCnct& c) {
        CDbDataBaseIfc* db = c.getDataBaseIfc();
        double rate = 0;
        int mode = 0;
        if (db->getNumber("Rate", rate, c.t0(), 0, 0, c.t1()) != 0 ||
            db->getSelect("Mode", mode, c.t0(), 0, 0, c.t1()) != 0)
            return;
        if (mode == 2)
            return;
        const double answer = mode == 1 ? 2 * rate : rate;
        c.getAnswerBuffer().createAnswer(new CDbDataTypeNumber(answer));
    }
    void readSelf(CDbCnct& c) {
        calls++;
        double v = 0;
        if (c.getDataBaseIfc()->getNumber(c.getName(), v, c.t0(), c.t3(), c.t2(), c.t1()) == 0)
            c.getAnswerBuffer().createAnswer(new CDbDataTypeNumber(v + 1));
    }
    int calls = 0;
};

class ReadTest : public DbTest {};

TEST_F(ReadTest, ConversionOutAnswersOrLeavesTheStoredValue) {
    CTestConvOut out(&CTestConvOut::sampleRate);
    defs.number("Rate", 0, 1e9, 1000, {2, 2, 1, 1});
    defs.select("Mode", 0, 2, 0, {2, 2, 1, 1});
    defs.number("Samp", 0, 1e9, 7, {2, 2, 1, 1}).c.cnvOut = &out;
    ASSERT_EQ(defs.registerAll(), 0);

    EXPECT_EQ(num("Samp"), 1000);
    ASSERT_EQ(putSel("Mode", 1, {0, 1, 0, 0}), 0);
    EXPECT_EQ(num("Samp", {0, 1, 0, 0}), 2000);
    EXPECT_EQ(num("Samp", {1, 1, 0, 0}), 1000);
    ASSERT_EQ(putSel("Mode", 2), 0);
    EXPECT_EQ(num("Samp"), 7); // no answer: the stored value
    CDbAllType stored;
    ASSERT_EQ(e.readStored("Samp", {0, 1, 0, 0}, stored), 0);
    EXPECT_EQ(stored.toText(), "7");
}

TEST_F(ReadTest, ReadInterfaceTakesTheTupelAsT0T3T2T1) {
    defs.number("P", 0, 100, 0, {2, 2, 1, 4});
    defs.number("Frac", 0, 10, 2.6);
    defs.select("S", 0, 9, 4);
    ASSERT_EQ(defs.registerAll(), 0);

    // Every instance gets its own value: 10 t0 + 20 t1 + t3.
    for (int t0 = 0; t0 < 2; ++t0)
        for (int t1 = 0; t1 < 2; ++t1)
            for (int t3 = 0; t3 < 4; ++t3)
                ASSERT_EQ(putNum("P", 10 * t0 + 20 * t1 + t3, {t0, t1, 0, t3}), 0);

    CDbDataBaseIfc* db = e.dataBaseIfc();
    double d = -1;
    ASSERT_EQ(db->getNumber("P", d, 1, 2, 0, 0), 0); // t0 = 1, t3 = 2, t1 = 0
    EXPECT_EQ(d, 12);
    ASSERT_EQ(db->getNumber("P", d, 0, 3, 0, 1), 0);
    EXPECT_EQ(d, 23);

    int i = -1;
    ASSERT_EQ(db->getSelect("Frac", i), 0);
    EXPECT_EQ(i, 3); // numbers round
    ASSERT_EQ(db->getNumber("S", d), 0);
    EXPECT_EQ(d, 4); // selections read as numbers
    QString s = "unchanged";
    EXPECT_EQ(db->getString("P", s), DbErrWrongType);
    EXPECT_EQ(s, "unchanged");
    EXPECT_EQ(db->getNumber("Nope", d), DbErrUnknownParameter);
}

// Reads remember where a name was found; the memory must follow the text in the caller's buffer and
// the records registered now, never an earlier answer.
TEST_F(ReadTest, ReadsFollowTheNameTextAndTheRecordsRegisteredNow) {
    defs.number("RateA", 0, 1e9, 100, {2, 1, 1, 1});
    defs.number("RateB", 0, 1e9, 200, {2, 1, 1, 1});
    ASSERT_EQ(defs.registerAll(4), 0);
    CDbDataBaseIfc* db = e.dataBaseIfc();
    char name[8] = "RateA";
    double d = 0;
    for (int round = 0; round < 2; ++round) {
        std::memcpy(name, "RateA", 6);
        ASSERT_EQ(db->getNumber(name, d, 1), DbOk);
        EXPECT_EQ(d, 100);
        std::memcpy(name, "RateB", 6); // same buffer, same instance, another name
        ASSERT_EQ(db->getNumber(name, d, 1), DbOk);
        EXPECT_EQ(d, 200);
    }
    e.unregisterModule(4);
    EXPECT_EQ(db->getNumber(name, d, 1), DbErrUnknownParameter);
    Defs again;
    again.number("RateB", 0, 1e9, 300, {2, 1, 1, 1});
    ASSERT_EQ(again.registerAll(5), 0);
    ASSERT_EQ(db->getNumber(name, d, 1), DbOk);
    EXPECT_EQ(d, 300);
    e.unregisterModule(5); // its records point into again
}

} // namespace
