// The request pipeline: type and range tests, check functions with dynamic limits and choices,
// conversion-in, atomic refusal, store and update order, queued and nested writes, the nesting limit.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"

using namespace MvQARN;
using namespace dbtest;

namespace {

std::string msgValue(CDbCnct& c) {
    return str(c.getValue());
}

// Function objects made the way a plug-in makes them: a derived class binding its own members.
class CTestCheck : public CDbChkFunc {
public:
    typedef int (CTestCheck::*Fn)(CDbCnct&);
    explicit CTestCheck(Fn fn) : CDbChkFunc(static_cast<CDbChkFunc::Member>(fn)) {}

    int logCall(CDbCnct& c) {
        trace().push_back("chk:" + std::string(c.getName()) + "=" + msgValue(c) +
                          " stored=" + storedText(c.getName(), c.getTupel()) +
                          " head=" + c.getMsgList().head()->getName().toStdString() +
                          (c.getCurrentMsg() == c.getMsgList().head() ? " current=head" : ""));
        return 0;
    }
    // Limits 0 .. Max, from another parameter.
    int limitsFromMax(CDbCnct& c) {
        double max = 0;
        const int rc = c.getDataBaseIfc()->getNumber("Max", max, c.t0(), c.t3(), c.t2(), c.t1());
        if (rc != 0)
            return rc;
        c.setResult(new CDbDataTypeNDbl(0.0, max));
        return 0;
    }
    int evenChoices(CDbCnct& c) {
        giveValMinMaxAvail(c, {0, 2, 4});
        return 0;
    }
    int refuseWithText(CDbCnct& c) {
        c.errorText() = QStringLiteral("No box here");
        return DbErrNoBox;
    }
    int refuseWithoutText(CDbCnct&) { return DbErrProtected; }
};

class CTestConvIn : public CDbCnvInFunc {
public:
    typedef int (CTestConvIn::*Fn)(CDbCnct&);
    explicit CTestConvIn(Fn fn) : CDbCnvInFunc(static_cast<CDbCnvInFunc::Member>(fn)) {}

    int doubleValue(CDbCnct& c) {
        trace().push_back("cin:" + std::string(c.getName()) + "=" + msgValue(c) +
                          " stored=" + storedText(c.getName(), c.getTupel()));
        double v = 0;
        c.getValue().toDouble(v);
        c.getMsgList().head()->setValue(CDbAllType::fromDouble(v * 2));
        return 0;
    }
    // Front := v becomes A := v, with B := 10 v and C := v + 1 behind it.
    int expand(CDbCnct& c) {
        trace().push_back("cin:" + std::string(c.getName()));
        int v = 0;
        c.getValue().toInt(v);
        CDbMsg* head = c.getMsgList().head();
        head->setName("A");
        head->setValue(CDbAllType::fromDouble(v));
        const SDbInstTupel& t = c.getTupel();
        c.getMsgList().append(new CDbMsg(4, 4, "B", double(v * 10), DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
        c.getMsgList().append(new CDbMsg(4, 4, "C", double(v + 1), DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
        return 0;
    }
    // LoopA and LoopB become each other.
    int rename(CDbCnct& c) {
        c.getMsgList().head()->setName(std::string(c.getName()) == "LoopA" ? "LoopB" : "LoopA");
        return 0;
    }
};

class CTestUpdate : public CDbUpdFunc {
public:
    typedef int (CTestUpdate::*Fn)(CDbCnct&, const CDbAllType&);
    explicit CTestUpdate(Fn fn) : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(fn)) {}

    int logCall(CDbCnct& c, const CDbAllType& prev) {
        trace().push_back("upd:" + std::string(c.getName()) + "=" + msgValue(c) + " prev=" + str(prev) +
                          " stored=" + storedText(c.getName(), c.getTupel()) +
                          " flags=" + std::to_string(c.getChangeFlags()));
        return 0;
    }
    // B := a + 1 (or 999 when a is 50) and C := a + 2, run at once.
    int writeTwo(CDbCnct& c, const CDbAllType&) {
        double a = 0;
        c.getValue().toDouble(a);
        const SDbInstTupel& t = c.getTupel();
        c.giveMsg(new CDbMsg(4, 4, "B", a == 50 ? 999.0 : a + 1, DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
        c.giveMsg(new CDbMsg(4, 4, "C", a + 2, DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3));
        const int rc = c.updData(true);
        trace().push_back("after updData B=" + storedText("B", t) + " C=" + storedText("C", t));
        return rc;
    }
    int queueOnly(CDbCnct& c, const CDbAllType&) {
        c.giveMsg(new CDbMsg(4, 4, "B", 7.0, DbMsgSet, 0, 0, 0, 0, 0, 0));
        trace().push_back("queued B=" + storedText("B", {}));
        return 0;
    }
    int recurse(CDbCnct& c, const CDbAllType&) {
        double v = 0;
        c.getValue().toDouble(v);
        c.giveMsg(new CDbMsg(4, 4, "R", v + 1, DbMsgSet, 0, 0, 0, 0, 0, 0));
        return c.updData(true);
    }
};

class RequestTest : public DbTest {};

TEST_F(RequestTest, CheckThenConversionThenStoreThenUpdate) {
    CTestCheck chk(&CTestCheck::logCall);
    CTestConvIn cin(&CTestConvIn::doubleValue);
    CTestUpdate upd(&CTestUpdate::logCall);
    auto& p = defs.number("P", 0, 100, 1);
    p.c.chk = &chk;
    p.c.cnvIn = &cin;
    p.c.upd = &upd;
    ASSERT_EQ(defs.registerAll(), 0);

    ASSERT_EQ(putNum("P", 5), 0);
    const std::vector<std::string> first{"chk:P=5 stored=1 head=P current=head", "cin:P=5 stored=1",
                                         "upd:P=10 prev=1 stored=10 flags=1"};
    EXPECT_EQ(trace(), first);

    // The same value again still runs the update, with the change bit clear.
    trace().clear();
    ASSERT_EQ(putNum("P", 5), 0);
    ASSERT_EQ(trace().size(), 3u);
    EXPECT_EQ(trace()[2], "upd:P=10 prev=10 stored=10 flags=0");
}

TEST_F(RequestTest, TypesStaticRangesChoicesAndLengths) {
    defs.number("Num", -10, 10, 0);
    defs.number("Rate", 1000, 400e6, 10e6);
    static const int ids[] = {0, 2, 7};
    auto& s = defs.select("Sel", 0, 7, 0);
    s.ids = ids;
    s.idCount = 3;
    defs.string("Short", "ab", 4);
    auto& code = defs.string("Code", "", 256);
    code.hostMinLen = 2;
    code.hostMaxLen = 3;
    defs.list("List");
    defs.bits("Bits", 1, 32, 8);
    defs.ints("Ints");
    CTestUpdate upd(&CTestUpdate::logCall);
    defs.event("Evt").c.upd = &upd;
    ASSERT_EQ(defs.registerAll(), 0);

    // Numbers and selections take each other (a whole number only); strings, lists, bit fields and
    // integer arrays only their own kind; any value runs an event. A refusal keeps the stored value.
    const int T = DbErrWrongType, R = DbErrOutOfRange;
    const struct {
        const char* name;
        CDbAllType value;
        int rc;
    } cases[] = {
        {"Num", CDbAllType::fromInt(3), 0},
        {"Sel", CDbAllType::fromDouble(2.0000000001), 0},
        {"Sel", CDbAllType::fromDouble(2.5), T},
        {"Num", CDbAllType::fromString("3"), T},
        {"Short", CDbAllType::fromDouble(3), T},
        {"List", CDbAllType::fromString("a"), T},
        {"List", CDbAllType(new CDbDataTypeNString({"a", "b"})), 0},
        {"Bits", CDbAllType::fromInt(1), T},
        {"Bits", CDbAllType(new CDbDataTypeNBit(4, {0xF0000000u})), 0},
        {"Ints", CDbAllType(new CDbDataTypeNDbl(1, 2)), T},
        {"Ints", CDbAllType(new CDbDataTypeNInt({1, -2})), 0},
        {"Evt", CDbAllType::fromString("go"), 0},
        {"Evt", CDbAllType::fromDouble(1.5), 0},
        {"Rate", CDbAllType::fromDouble(400e6 + 0.3), 0}, // within the tolerance: pulled onto the bound
        {"Rate", CDbAllType::fromDouble(400e6 + 1), R},
        {"Rate", CDbAllType::fromDouble(999), R},
        {"Sel", CDbAllType::fromInt(1), R}, // not an offered identifier
        {"Short", CDbAllType::fromString("abcd"), 0},
        {"Short", CDbAllType::fromString("abcde"), R},
        {"Code", CDbAllType::fromString("abc"), 0},
        {"Code", CDbAllType::fromString("a"), R},
        {"Code", CDbAllType::fromString("abcd"), R},
    };
    CDbAnswerBuffer a;
    for (const auto& c : cases)
        EXPECT_EQ(put(c.name, {}, c.value, &a), c.rc) << c.name << " " << c.value.toText().toStdString();
    CDbAllType v;
    e.readStored("Num", {}, v);
    EXPECT_EQ(v.getType(), DbTypeNumber);
    e.readStored("Sel", {}, v);
    EXPECT_EQ(v.getType(), DbTypeSelect);
    EXPECT_EQ(std::tuple(sel("Sel"), text("Num"), num("Rate"), text("Short"), text("Code")),
              std::tuple(2, QString("3"), 400e6, QString("abcd"), QString("abc")));
    EXPECT_EQ(e.choices("Sel", {}), QVector<int>({0, 2, 7}));
    EXPECT_EQ(trace().size(), 2u);
    EXPECT_EQ(errorCodes(a), QList<int>({T, T, T, T, T, T, R, R, R, R, R, R}));
    EXPECT_EQ(a.getErrors().first().text, "Wrong data type");
    EXPECT_EQ(a.getErrors().last().text, "Value out of range");
}

TEST_F(RequestTest, LimitsAndChoicesOfTheCheckFunctionReplaceTheRecords) {
    CTestCheck fromMax(&CTestCheck::limitsFromMax);
    CTestCheck even(&CTestCheck::evenChoices);
    defs.number("Max", 0, 1e9, 100);
    defs.number("P", 0, 1000, 0).c.chk = &fromMax;
    defs.select("Even", 0, 5, 0).c.chk = &even;
    ASSERT_EQ(defs.registerAll(), 0);

    EXPECT_EQ(putNum("P", 500), DbErrOutOfRange); // statically fine, dynamically not
    EXPECT_EQ(num("P"), 0);
    EXPECT_EQ(putNum("P", 100), 0);
    double lo = -1, hi = -1;
    ASSERT_TRUE(e.limits("P", {}, lo, hi));
    EXPECT_EQ(std::pair(lo, hi), std::pair(0.0, 100.0));
    // A wider dynamic range wins over the record's range too.
    ASSERT_EQ(putNum("Max", 2000), 0);
    EXPECT_EQ(putNum("P", 1500), 0);
    EXPECT_EQ(num("P"), 1500);
    ASSERT_TRUE(e.limits("P", {}, lo, hi));
    EXPECT_EQ(hi, 2000);

    EXPECT_EQ(putSel("Even", 3), DbErrOutOfRange);
    EXPECT_EQ(putSel("Even", 4), 0);
    EXPECT_EQ(e.choices("Even", {}), QVector<int>({0, 2, 4}));
}

TEST_F(RequestTest, CheckRefusalKeepsTheValueAndReportsItsText) {
    CTestCheck withText(&CTestCheck::refuseWithText);
    CTestCheck withoutText(&CTestCheck::refuseWithoutText);
    CTestUpdate upd(&CTestUpdate::logCall);
    auto& p = defs.select("State", 0, 1, 0, {2, 2, 1, 1});
    p.c.chk = &withText;
    p.c.upd = &upd;
    defs.select("Service", 0, 1, 0).c.chk = &withoutText;
    ASSERT_EQ(defs.registerAll(), 0);

    CDbAnswerBuffer a;
    EXPECT_EQ(putSel("State", 1, {1, 0, 0, 0}, &a), DbErrNoBox);
    EXPECT_EQ(putSel("Service", 1, {}, &a), DbErrProtected);
    EXPECT_EQ(std::pair(sel("State", {1, 0, 0, 0}), sel("Service")), std::pair(0, 0));
    EXPECT_TRUE(trace().empty());
    ASSERT_EQ(a.getErrors().size(), 2);
    EXPECT_EQ(std::pair(a.getErrors()[0].instance, a.getErrors()[0].text),
              std::pair(1, QString("No box here")));
    EXPECT_EQ(a.getErrors()[1].text, "Service function locked by the protection level");
}

TEST_F(RequestTest, ConversionRenamesAndInsertsMessagesThatAreAllStoredAndUpdatedInOrder) {
    CTestConvIn expand(&CTestConvIn::expand);
    CTestCheck chk(&CTestCheck::logCall);
    CTestUpdate upd(&CTestUpdate::logCall);
    defs.select("Front", 0, 9, 0).c.cnvIn = &expand;
    for (const char* n : {"A", "B", "C"}) {
        auto& r = defs.number(n, 0, 100, 0, {2, 2, 1, 1});
        r.c.chk = &chk;
        r.c.upd = &upd;
    }
    ASSERT_EQ(defs.registerAll(), 0);

    ASSERT_EQ(putSel("Front", 3), 0);
    const std::vector<std::string> expected{
        "cin:Front",
        "chk:A=3 stored=0 head=A current=head",
        "chk:B=30 stored=0 head=A",
        "chk:C=4 stored=0 head=A",
        "upd:A=3 prev=0 stored=3 flags=1",
        "upd:B=30 prev=0 stored=30 flags=1",
        "upd:C=4 prev=0 stored=4 flags=1",
    };
    EXPECT_EQ(trace(), expected);
    EXPECT_EQ(sel("Front"), 0); // the renamed head is not stored under its old name
    EXPECT_EQ(std::tuple(num("A"), num("B"), num("C")), std::tuple(3.0, 30.0, 4.0));
}

TEST_F(RequestTest, ARefusedInsertedMessageStoresNothing) {
    CTestConvIn expand(&CTestConvIn::expand);
    CTestUpdate upd(&CTestUpdate::logCall);
    defs.select("Front", 0, 20, 0).c.cnvIn = &expand;
    for (const char* n : {"A", "B", "C"}) // B := 10 v is refused for v > 10
        defs.number(n, 0, 100, 0).c.upd = &upd;
    ASSERT_EQ(defs.registerAll(), 0);
    int observed = 0;
    e.addRequestObserver([&](const QVector<SDbChange>&) { ++observed; });

    CDbAnswerBuffer a;
    EXPECT_EQ(putSel("Front", 11, {}, &a), DbErrOutOfRange);
    EXPECT_EQ(std::tuple(num("A"), num("B"), num("C")), std::tuple(0.0, 0.0, 0.0));
    EXPECT_EQ(trace(), std::vector<std::string>({"cin:Front"})); // no update ran
    EXPECT_EQ(observed, 0);
    EXPECT_EQ(errorCodes(a), QList<int>({DbErrOutOfRange}));

    EXPECT_EQ(putSel("Front", 10), 0);
    EXPECT_EQ(num("B"), 100);
    EXPECT_EQ(observed, 1);
}

TEST_F(RequestTest, QueuedMessagesRunAsNestedRequestsAndReportIntoTheSameBuffer) {
    CTestUpdate upd(&CTestUpdate::writeTwo);
    CTestUpdate queueOnly(&CTestUpdate::queueOnly);
    defs.number("A", 0, 100, 0).c.upd = &upd;
    for (const char* n : {"B", "C"})
        defs.number(n, 0, 100, 0);
    defs.number("Q", 0, 100, 0).c.upd = &queueOnly;
    ASSERT_EQ(defs.registerAll(), 0);

    ASSERT_EQ(putNum("A", 5), 0);
    EXPECT_EQ(trace(), std::vector<std::string>({"after updData B=6 C=7"}));

    // B := 999 is refused on its own; C is still written; the first error comes back.
    CDbAnswerBuffer a;
    EXPECT_EQ(putNum("A", 50, {}, &a), DbErrOutOfRange);
    EXPECT_EQ(std::tuple(num("A"), num("B"), num("C")), std::tuple(50.0, 6.0, 52.0));
    EXPECT_EQ(errorCodes(a), QList<int>({DbErrOutOfRange}));

    // Messages left in the queue run when the function returns.
    trace().clear();
    ASSERT_EQ(putNum("Q", 1), 0);
    EXPECT_EQ(trace(), std::vector<std::string>({"queued B=6"}));
    EXPECT_EQ(num("B"), 7);
}

TEST_F(RequestTest, RenameLoopsAndSelfRecursiveUpdatesEndAtTheNestingLimit) {
    CTestUpdate upd(&CTestUpdate::recurse);
    CTestConvIn rename(&CTestConvIn::rename);
    defs.number("R", 0, 1000, 0).c.upd = &upd;
    for (const char* n : {"LoopA", "LoopB"})
        defs.select(n, 0, 9, 0).c.cnvIn = &rename;
    defs.number("Other", 0, 10, 0);
    ASSERT_EQ(defs.registerAll(), 0);

    CDbAnswerBuffer a;
    EXPECT_EQ(putNum("R", 1, {}, &a), DbErrNesting);
    EXPECT_EQ(num("R"), e.nestingLimit()); // every level up to the limit stored its value
    EXPECT_EQ(putSel("LoopA", 1, {}, &a), DbErrNesting);
    EXPECT_EQ(std::pair(sel("LoopA"), sel("LoopB")), std::pair(0, 0));
    EXPECT_EQ(errorCodes(a), QList<int>({DbErrNesting, DbErrNesting}));
    EXPECT_EQ(e.depth(), 0);
    EXPECT_EQ(putNum("Other", 3), 0);
    EXPECT_EQ(num("Other"), 3);
}

} // namespace
