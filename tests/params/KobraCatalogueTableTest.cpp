// Walks the registered catalogue and compares every definition record with the expected table.
#include <QSet>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "ExpectedCatalogue.h"
#include "ExpectedCatalogueParser.h"
#include "frame/KobraPluginGlobals.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"
#include "params/KobraCatalogue.h"
#include "params/KobraDbInfo.h"
#include "params/KobraFunctionSlots.h"
#include "params/KobraUsbDeviceIndex.h"

using namespace MvQARN;
using ExpectedCatalogue::Row;

namespace {

constexpr int kModule = 2028;

QList<Row> expectedRows() {
    QString error;
    const QList<Row> rows = ExpectedCatalogue::parse(ExpectedCatalogue::kTable, error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return rows;
}

const SDbDefCommon* matchRecord(const QList<const SDbDefCommon*>& recs, const Row& r) {
    for (const SDbDefCommon* c : recs) {
        bool same = true;
        for (int i = 0; i < 4; ++i)
            same = same && c->countA[i] == r.count[i] && c->firstA[i] == r.first[i];
        if (same)
            return c;
    }
    return nullptr;
}

int expectedType(const Row& r) {
    if (r.type == "event")
        return DbTypeEvent;
    if (r.type == "bits")
        return DbTypeNBit;
    if (r.type == "ints")
        return DbTypeNInt;
    if (r.type == "list")
        return DbTypeNString;
    if (r.type == "number")
        return DbTypeNumber;
    if (r.type == "string")
        return DbTypeString;
    return DbTypeSelect;
}

// Choices a selection record offers by its own data: its identifier table (or 0 .. count-1)
// narrowed to minimum .. maximum.
QList<int> recordChoices(const SDbDefSelect* s) {
    QList<int> base;
    if (s->ids) {
        for (int i = 0; i < s->idCount; ++i)
            base.append(s->ids[i]);
    } else {
        for (int i = 0; i < s->idCount; ++i)
            base.append(i);
    }
    QList<int> out;
    for (int id : base) {
        if (id >= s->min && id <= s->max)
            out.append(id);
    }
    return out;
}

SDbInstTupel firstInstance(const SDbDefCommon* c) {
    return SDbInstTupel{c->firstA[0], c->firstA[1], c->firstA[2], c->firstA[3]};
}

class KobraCatalogueTable : public ::testing::Test {
protected:
    void SetUp() override {
        CDbEngine::instance().reset();
        ASSERT_EQ(CDbEngine::instance().registerDescriptor(Kobra::g_devDbInfo.descriptor, kModule), 0);
        rows = expectedRows();
        ASSERT_FALSE(rows.isEmpty());
    }
    void TearDown() override { CDbEngine::instance().reset(); }

    QList<Row> rows;
};

TEST_F(KobraCatalogueTable, ExpectedTableHasTheCatalogueSize) {
    // The table itself: 181 records of 179 parameters (IdPDbLynxDirection has three records).
    QSet<QByteArray> names;
    for (const Row& r : rows)
        names.insert(r.name);
    EXPECT_EQ(rows.size(), 181);
    EXPECT_EQ(names.size(), 179);
}

TEST_F(KobraCatalogueTable, NoParameterMissingOrExtra) {
    QSet<QByteArray> expected;
    for (const Row& r : rows)
        expected.insert(r.name);
    const QList<QByteArray> registered = CDbEngine::instance().names();
    const QSet<QByteArray> actual(registered.begin(), registered.end());
    for (const QByteArray& n : expected)
        EXPECT_TRUE(actual.contains(n)) << "missing " << n.constData();
    for (const QByteArray& n : actual)
        EXPECT_TRUE(expected.contains(n)) << "extra " << n.constData();

    // Records per parameter, and the catalogue's own index agrees with what the database holds.
    int total = 0;
    for (const QByteArray& n : expected) {
        int wanted = 0;
        for (const Row& r : rows)
            wanted += r.name == n ? 1 : 0;
        EXPECT_EQ(CDbEngine::instance().records(n.constData()).size(), wanted) << n.constData();
        EXPECT_EQ(Kobra::catalogueRecordCount(n.constData()), wanted) << n.constData();
        total += wanted;
    }
    EXPECT_EQ(Kobra::catalogueEntries().size(), total);
}

TEST_F(KobraCatalogueTable, CommonPartOfEveryRecord) {
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name.constData());
        const SDbDefCommon* c = matchRecord(CDbEngine::instance().records(r.name.constData()), r);
        ASSERT_NE(c, nullptr) << "no record with this instance range";
        EXPECT_EQ(c->type, expectedType(r));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c->firstB[i], r.first[i]) << "axis " << i;
            EXPECT_EQ(c->countB[i], r.once ? 1 : r.count[i]) << "axis " << i;
        }
        EXPECT_EQ(c->fileListType, r.fileList);
        EXPECT_EQ(c->flagL, r.flagL ? 0x400000u : 0u);
        EXPECT_EQ(c->flagExec, r.word9);
        EXPECT_EQ(c->fileOp, r.fileOp);
        EXPECT_EQ(c->reserved11, 0);
        EXPECT_EQ(c->attr, r.attr);
        EXPECT_EQ(c->family, r.family);
        for (int w : c->reserved14)
            EXPECT_EQ(w, 0);
        EXPECT_EQ(c->marker14, 0xffffff);
        EXPECT_EQ(c->unit, r.unit);
        for (int w : c->reserved16)
            EXPECT_EQ(w, 0);
        if (r.idx == "all") {
            EXPECT_EQ(c->idx, &idxL2PDbAllX21);
        } else if (r.idx == "usb") {
            EXPECT_EQ(c->idx, &Kobra::idxUsbDevice);
        } else {
            EXPECT_EQ(c->idx, nullptr);
        }
        for (int w : c->reserved20)
            EXPECT_EQ(w, 0);
        EXPECT_EQ(c->marker20, -1);
        EXPECT_EQ(c->word21, r.word21);
        EXPECT_EQ(c->grp, r.grp);
        EXPECT_EQ(Kobra::reservedSlots(r.name.constData()), r.fn);
    }
}

TEST_F(KobraCatalogueTable, NumberRangesAndDefaults) {
    for (const Row& r : rows) {
        if (r.type != "number")
            continue;
        SCOPED_TRACE(r.name.constData());
        const auto* n = Kobra::asNumber(matchRecord(CDbEngine::instance().records(r.name.constData()), r));
        ASSERT_NE(n, nullptr);
        EXPECT_DOUBLE_EQ(n->min, r.min);
        EXPECT_DOUBLE_EQ(n->max, r.max);
        EXPECT_DOUBLE_EQ(n->step, r.step);
        EXPECT_DOUBLE_EQ(n->def, r.def);
        EXPECT_DOUBLE_EQ(n->def2, r.def2);

        CDbAllType v;
        ASSERT_EQ(CDbEngine::instance().readStored(r.name.constData(), firstInstance(&n->c), v), 0);
        double d = -1;
        ASSERT_TRUE(v.toDouble(d));
        EXPECT_DOUBLE_EQ(d, r.def);
    }
}

TEST_F(KobraCatalogueTable, SelectionChoicesAndDefaults) {
    for (const Row& r : rows) {
        if (!r.isSelection())
            continue;
        SCOPED_TRACE(r.name.constData());
        const auto* s = Kobra::asSelect(matchRecord(CDbEngine::instance().records(r.name.constData()), r));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(recordChoices(s), r.ids);
        EXPECT_EQ(s->step, 1);
        EXPECT_EQ(s->def, int(r.def));
        EXPECT_EQ(s->def2, int(r.def2));
        if (r.type == "onoff") {
            EXPECT_EQ(s->ids, DbHostStateList);
        }
        if (r.type == "testresult") {
            EXPECT_EQ(s->ids, DbHostTestResultList);
        }

        // Through the database, at an instance this record serves (a wider record of a name that
        // narrower records cover completely serves none). Rows without a check function offer exactly
        // their static choices there.
        const SDbInstTupel t = firstInstance(&s->c);
        if (CDbEngine::instance().findRecord(r.name.constData(), t) != &s->c) {
            EXPECT_GT(Kobra::catalogueRecordCount(r.name.constData()), 1);
            continue;
        }
        if (!(r.fn & Kobra::FnChk)) {
            const QVector<int> offered = CDbEngine::instance().choices(r.name.constData(), t);
            EXPECT_EQ(QList<int>(offered.begin(), offered.end()), r.ids);
        }
        CDbAllType v;
        ASSERT_EQ(CDbEngine::instance().readStored(r.name.constData(), t, v), 0);
        int id = -1;
        ASSERT_TRUE(v.toInt(id));
        EXPECT_EQ(id, int(r.def));
    }
}

TEST_F(KobraCatalogueTable, TextDefaultsAndLimits) {
    for (const Row& r : rows) {
        if (r.type != "string")
            continue;
        SCOPED_TRACE(r.name.constData());
        const auto* s = Kobra::asString(matchRecord(CDbEngine::instance().records(r.name.constData()), r));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->maxLen, 256);
        ASSERT_NE(s->def, nullptr);
        ASSERT_EQ(s->def2, s->def);
        EXPECT_EQ(QString::fromUtf8(s->def), r.defaultText);
        EXPECT_EQ(s->defLen, int(std::strlen(s->def)));
        EXPECT_EQ(s->flag, r.hasDefaultText ? 1 : 0);
        if (!r.hasDefaultText) {
            EXPECT_EQ(s->def, DbHostEmptyText);
        }

        // Every instance starts with the default text.
        for (int t0 = 0; t0 < r.count[0]; ++t0) {
            for (int t3 = 0; t3 < r.count[3]; ++t3) {
                CDbAllType v;
                ASSERT_EQ(CDbEngine::instance().readStored(r.name.constData(), SDbInstTupel{t0, 0, 0, t3}, v),
                          0);
                QString text;
                ASSERT_TRUE(v.toString(text));
                EXPECT_EQ(text, r.defaultText);
            }
        }
    }
}

TEST_F(KobraCatalogueTable, BitFieldsListsAndArrays) {
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name.constData());
        const SDbDefCommon* c = matchRecord(CDbEngine::instance().records(r.name.constData()), r);
        ASSERT_NE(c, nullptr);
        if (r.type == "bits") {
            const auto* b = reinterpret_cast<const SDbDefNBit*>(c);
            EXPECT_EQ(b->minLen, r.minLen);
            EXPECT_EQ(b->maxLen, r.maxLen);
            ASSERT_NE(b->lowest, nullptr);
            ASSERT_NE(b->highest, nullptr);
            ASSERT_NE(b->def, nullptr);
            EXPECT_EQ(b->def2, b->def);
            EXPECT_EQ(b->def[0], 0u);
            if (r.hasPatterns) {
                EXPECT_EQ(b->lowest[0], r.lowest);
                EXPECT_EQ(b->highest[0], r.highest);
            } else {
                EXPECT_EQ(b->lowest, DbHostPatternLowest);
                EXPECT_EQ(b->highest, DbHostPatternHighest);
            }
            CDbAllType v;
            ASSERT_EQ(CDbEngine::instance().readStored(r.name.constData(), SDbInstTupel{}, v), 0);
            ASSERT_EQ(v.getType(), DbTypeNBit);
            const auto* bitsVal = static_cast<const CDbDataTypeNBit*>(v.get());
            EXPECT_GE(bitsVal->getLength(), r.minLen);
            EXPECT_LE(bitsVal->getLength(), r.maxLen);
            for (quint32 w : bitsVal->getWords())
                EXPECT_EQ(w, 0u);
        } else if (r.type == "list") {
            const auto* l = reinterpret_cast<const SDbDefNString*>(c);
            EXPECT_EQ(l->maxEntries, 100);
            CDbAllType v;
            ASSERT_EQ(CDbEngine::instance().readStored(r.name.constData(), SDbInstTupel{}, v), 0);
            ASSERT_EQ(v.getType(), DbTypeNString);
            EXPECT_EQ(static_cast<const CDbDataTypeNString*>(v.get())->count(), 0);
        } else if (r.type == "ints") {
            const auto* a = reinterpret_cast<const SDbDefNInt*>(c);
            EXPECT_EQ(a->minVal, INT_MIN);
            EXPECT_EQ(a->maxVal, INT_MAX);
            EXPECT_GE(a->maxCount, 2048); // the longest recording, one word per sample
        }
    }
}

TEST(KobraCatalogueDescriptor, ModuleDatabaseInformation) {
    EXPECT_STREQ(Kobra::g_devDbInfo.moduleName, "Database");
    EXPECT_EQ(Kobra::g_devDbInfo.grp, 0x24u);
    EXPECT_STREQ(Kobra::g_devDbInfo.label, "lynx box");
    EXPECT_EQ(Kobra::g_mdlDbInfo.dev, &Kobra::g_devDbInfo);
    EXPECT_EQ(Kobra::g_mdlDbInfo.orgLayer, &Kobra::g_orgLayer);

    struct Expected {
        int type;
        const char* name;
        int flags[6];
        const char* tag;
    };
    const Expected expected[4] = {{188, "lynx", {0, 1, 1, 0, 1, 1}, ""},
                                  {178, "hex", {0, 1, 1, 0, 1, 1}, ""},
                                  {192, "wv", {0, 1, 1, 1, 1, 1}, "VGX-WV"},
                                  {201, "mv_rec", {0, 1, 1, 1, 1, 1}, ""}};
    ASSERT_EQ(Kobra::g_mdlDbInfo.listTypeCount, 4);
    for (int i = 0; i < 4; ++i) {
        const SListTypeEntry& e = Kobra::g_mdlDbInfo.listTypes[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(e.type, expected[i].type);
        EXPECT_STREQ(e.name, expected[i].name);
        EXPECT_STREQ(e.dataKind, "DATA_NONE");
        EXPECT_STREQ(e.dirKind, "LaDirNone");
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(e.flags[k], expected[i].flags[k]) << "flag " << k;
        EXPECT_STREQ(e.typeTag, expected[i].tag);
    }
}

} // namespace
