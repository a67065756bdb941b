// The catalogue's records as the host database reads them: descriptor layout, the catalogue's index,
// the fixed words every record carries, ranges and defaults that agree with each other and with the
// stored start values; the behaviour the records give the parameters (narrowing records, values
// stored once for several instances, shared USB device lists); the display texts of the selections;
// and every record against the table kept in ExpectedCatalogue.h (typed by hand, not derived).
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
#include "params/KobraChoiceTexts.h"
#include "params/KobraDbInfo.h"
#include "params/KobraFunctionSlots.h"
#include "params/KobraTypes.h"
#include "params/KobraUsbDeviceIndex.h"

using namespace MvQARN;

namespace {

// Choices a selection record offers by its own data: its identifier table (or 0 .. count-1)
// narrowed to minimum .. maximum.
QList<int> recordChoices(const SDbDefSelect* s) {
    QList<int> out;
    for (int i = 0; i < s->idCount; ++i) {
        const int id = s->ids ? s->ids[i] : i;
        if (id >= s->min && id <= s->max)
            out.append(id);
    }
    return out;
}

SDbInstTupel firstInstance(const SDbDefCommon* c) {
    return SDbInstTupel{c->firstA[0], c->firstA[1], c->firstA[2], c->firstA[3]};
}

class KobraCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        db().reset();
        ASSERT_EQ(db().registerDescriptor(Kobra::g_devDbInfo.descriptor, 2028), 0);
    }
    void TearDown() override { db().reset(); }
    static CDbEngine& db() { return CDbEngine::instance(); }

    // The stored value as text (lists joined by commas); numbers and selections as plain numbers.
    static QString text(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        return v.toText();
    }
    static int put(const char* name, const SDbInstTupel& t, const CDbAllType& v) {
        return db().write(name, t, v);
    }
    static QList<SDbInstTupel> interfaces() {
        return {{0, 0, 0, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}};
    }

    // The stored start value at the record's first instance, when that instance is the record's own
    // (a wider record of a name that narrower records cover completely serves none).
    static bool startValue(const SDbDefCommon* c, CDbAllType& v) {
        const SDbInstTupel t = firstInstance(c);
        if (db().findRecord(c->name, t) != c)
            return false;
        EXPECT_EQ(db().readStored(c->name, t, v), 0) << c->name;
        return true;
    }
};

TEST_F(KobraCatalogue, DescriptorHoldsSevenTypedArraysOf181RecordsAndTheDatabaseExactlyThese) {
    const SDbDescriptor* d = Kobra::g_devDbInfo.descriptor;
    ASSERT_EQ(d, &Kobra::g_dbDescriptor);
    EXPECT_EQ(Kobra::g_mdlDbInfo.dev, &Kobra::g_devDbInfo);
    EXPECT_EQ(Kobra::g_mdlDbInfo.orgLayer, &Kobra::g_orgLayer);
    EXPECT_EQ(d->version, 3);
    ASSERT_EQ(d->arrayCount, 7);
    const int types[7] = {DbTypeEvent,  DbTypeNBit,   DbTypeNInt,  DbTypeNString,
                          DbTypeNumber, DbTypeSelect, DbTypeString};
    int total = 0;
    for (int i = 0; i < 7; ++i) {
        const SDbDefArray& a = d->arrays[i];
        EXPECT_EQ(a.type, types[i]);
        ASSERT_NE(a.count, nullptr);
        ASSERT_GT(*a.count, 0);
        const auto* first = static_cast<const char*>(a.records);
        for (int k = 0; k < *a.count; ++k)
            EXPECT_EQ(reinterpret_cast<const SDbDefCommon*>(first + k * dbRecordSize(a.type))->type, a.type);
        total += *a.count;
    }
    // 179 parameters: IdPDbLynxDirection has a record for both sides and one per side.
    EXPECT_EQ(total, 181);
    EXPECT_EQ(Kobra::catalogueEntries().size(), 181);
    EXPECT_EQ(Kobra::catalogueNames().size(), 179);
    EXPECT_EQ(Kobra::catalogueRecordCount("IdPDbLynxDirection"), 3);

    // The database holds exactly the catalogue's records.
    const QList<QByteArray> names = Kobra::catalogueNames();
    const QList<QByteArray> registered = db().names();
    EXPECT_EQ(QSet<QByteArray>(registered.begin(), registered.end()),
              QSet<QByteArray>(names.begin(), names.end()));
    for (const QByteArray& n : names) {
        const QList<const SDbDefCommon*> recs = db().records(n.constData());
        ASSERT_EQ(recs.size(), Kobra::catalogueRecordCount(n.constData())) << n.constData();
        for (int i = 0; i < recs.size(); ++i)
            EXPECT_EQ(recs[i], Kobra::catalogueRecord(n.constData(), i)) << n.constData();
    }
}

TEST_F(KobraCatalogue, FixedWordsInstanceRangesAndIndexFunctions) {
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        const SDbDefCommon* c = e.record;
        SCOPED_TRACE(c->name);
        EXPECT_EQ(QList<int>({c->reserved11, c->reserved14[0], c->reserved14[1], c->reserved14[2],
                              c->reserved14[3], c->reserved16[0], c->reserved16[1], c->reserved16[2],
                              c->reserved20[0], c->reserved20[1], c->marker14, c->marker20}),
                  QList<int>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xffffff, -1}));
        EXPECT_TRUE(c->flagL == 0 || c->flagL == 0x400000u) << c->flagL;
        EXPECT_EQ(Kobra::reservedSlots(c->name) & ~0x3fu, 0u);
        // Range B equals range A, or is a single instance: then one stored value serves them all
        // and the index function folds every instance onto it.
        bool once = true;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c->firstB[i], c->firstA[i]);
            EXPECT_GE(c->countA[i], 1);
            once = once && c->countB[i] == 1;
        }
        if (once && c->countA[0] * c->countA[1] * c->countA[2] * c->countA[3] > 1) {
            EXPECT_EQ(c->idx, &idxL2PDbAllX21);
        } else {
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(c->countB[i], c->countA[i]);
        }
        EXPECT_TRUE(c->idx == nullptr || c->idx == &idxL2PDbAllX21 || c->idx == &Kobra::idxUsbDevice);
        // USB device rows list the devices on the last axis.
        if (c->idx == &Kobra::idxUsbDevice) {
            EXPECT_EQ(c->countA[3], 20);
        }
    }
}

TEST_F(KobraCatalogue, NumbersStartAtADefaultInsideTheirRange) {
    int numbers = 0;
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        const SDbDefNumber* n = Kobra::asNumber(e.record);
        if (!n)
            continue;
        SCOPED_TRACE(e.record->name);
        ++numbers;
        EXPECT_LT(n->min, n->max);
        EXPECT_GT(n->step, 0.0);
        EXPECT_GE(n->def, n->min);
        EXPECT_LE(n->def, n->max);
        CDbAllType v;
        ASSERT_TRUE(startValue(e.record, v));
        double d = -1;
        ASSERT_TRUE(v.toDouble(d));
        EXPECT_DOUBLE_EQ(d, n->def);
    }
    EXPECT_GT(numbers, 30);
}

TEST_F(KobraCatalogue, SelectionsOfferTheirDefaultAndWithoutCheckExactlyTheirRecordsChoices) {
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        const SDbDefSelect* s = Kobra::asSelect(e.record);
        if (!s)
            continue;
        SCOPED_TRACE(e.record->name);
        const QList<int> offered = recordChoices(s);
        ASSERT_FALSE(offered.isEmpty());
        EXPECT_EQ(QSet<int>(offered.begin(), offered.end()).size(), offered.size()) << "no identifier twice";
        EXPECT_TRUE(offered.contains(s->def)) << s->def;
        EXPECT_EQ(s->step, 1);
        CDbAllType v;
        if (!startValue(e.record, v)) {
            EXPECT_GT(Kobra::catalogueRecordCount(e.record->name), 1);
            continue;
        }
        int id = -1;
        ASSERT_TRUE(v.toInt(id));
        EXPECT_EQ(id, s->def);
        if (!(e.fnSlots & Kobra::FnChk)) {
            const QVector<int> choices = db().choices(e.record->name, firstInstance(e.record));
            EXPECT_EQ(QList<int>(choices.begin(), choices.end()), offered);
        }
    }
}

// Texts carry their default with its length; bit fields start cleared within their lengths; lists hold
// up to 100 entries; the recorder's integer arrays hold its longest recording, one word per sample.
TEST_F(KobraCatalogue, TextsBitFieldsListsAndArraysAreSizedForTheirDefaults) {
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        const SDbDefCommon* c = e.record;
        SCOPED_TRACE(c->name);
        if (const SDbDefString* s = Kobra::asString(c)) {
            EXPECT_EQ(s->maxLen, 256);
            ASSERT_NE(s->def, nullptr);
            EXPECT_EQ(s->def2, s->def);
            EXPECT_EQ(s->defLen, int(std::strlen(s->def)));
            EXPECT_EQ(s->flag, s->def == DbHostEmptyText ? 0 : 1);
        } else if (c->type == DbTypeNBit) {
            const auto* b = reinterpret_cast<const SDbDefNBit*>(c);
            EXPECT_LE(b->minLen, b->maxLen);
            ASSERT_TRUE(b->lowest && b->highest && b->def);
            EXPECT_EQ(b->def2, b->def);
            EXPECT_EQ(b->def[0], 0u);
        } else if (c->type == DbTypeNString) {
            EXPECT_EQ(reinterpret_cast<const SDbDefNString*>(c)->maxEntries, 100);
        } else if (c->type == DbTypeNInt) {
            const auto* a = reinterpret_cast<const SDbDefNInt*>(c);
            EXPECT_EQ(a->minVal, INT_MIN);
            EXPECT_EQ(a->maxVal, INT_MAX);
            EXPECT_GE(a->maxCount, 2048);
        }
    }
}

// ---- behaviour the records give the parameters ----------------------------------------------------

TEST_F(KobraCatalogue, DirectionIsFixedBySide) {
    for (int t0 = 0; t0 < 2; ++t0) {
        const SDbInstTupel in{t0, 0, 0, 0};
        const SDbInstTupel out{t0, 1, 0, 0};
        EXPECT_EQ(text("IdPDbLynxDirection", in), "0");
        EXPECT_EQ(text("IdPDbLynxDirection", out), "1");
        EXPECT_EQ(db().choices("IdPDbLynxDirection", in), QVector<int>({0}));
        EXPECT_EQ(db().choices("IdPDbLynxDirection", out), QVector<int>({1}));

        // Whatever is written, In stays 0 and Out stays 1.
        for (int v : {0, 1}) {
            put("IdPDbLynxDirection", in, CDbAllType::fromInt(v));
            put("IdPDbLynxDirection", out, CDbAllType::fromInt(v));
            EXPECT_EQ(text("IdPDbLynxDirection", in), "0") << "after writing " << v;
            EXPECT_EQ(text("IdPDbLynxDirection", out), "1") << "after writing " << v;
        }
        EXPECT_NE(put("IdPDbLynxDirection", in, CDbAllType::fromInt(1)), 0);
        EXPECT_NE(put("IdPDbLynxDirection", out, CDbAllType::fromInt(0)), 0);
    }
}

TEST_F(KobraCatalogue, StoredOnceRowsShowOneValueOnAllInterfaces) {
    const QStringList content = {"None", "100123", "100456"};
    for (const char* name :
         {"IdPDbKobraSerials", "IdPDbKobraArbCatName", "IdPDbKobraRecCatName", "IdPDbLynxCatName"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(put(name, SDbInstTupel{1, 1, 0, 0}, CDbAllType(CDbDataTypeNString(content))), 0);
        for (const SDbInstTupel& t : interfaces())
            EXPECT_EQ(text(name, t), content.join(','));
    }
    ASSERT_EQ(put("IdPDbLynxFirmSupported", SDbInstTupel{0, 1, 0, 0}, CDbAllType::fromString("2.10")), 0);
    for (const SDbInstTupel& t : interfaces())
        EXPECT_EQ(text("IdPDbLynxFirmSupported", t), "2.10");
}

TEST_F(KobraCatalogue, SsiFileCatalogueIsPerInterface) {
    const QList<SDbInstTupel> all = interfaces();
    for (int i = 0; i < all.size(); ++i) {
        const QStringList files = {QString("gain%1.hex").arg(i)};
        ASSERT_EQ(put("IdPDbLynxSsiHexFileCat", all[i], CDbAllType(CDbDataTypeNString(files))), 0);
    }
    for (int i = 0; i < all.size(); ++i)
        EXPECT_EQ(text("IdPDbLynxSsiHexFileCat", all[i]), QString("gain%1.hex").arg(i));
}

TEST_F(KobraCatalogue, StringListsHoldAtMostHundredEntries) {
    QStringList hundred;
    for (int i = 0; i < 100; ++i)
        hundred << QString::number(100000 + i);
    EXPECT_EQ(put("IdPDbKobraSerials", SDbInstTupel{}, CDbAllType(CDbDataTypeNString(hundred))), 0);
    EXPECT_NE(
        put("IdPDbKobraSerials", SDbInstTupel{}, CDbAllType(CDbDataTypeNString(hundred + QStringList{"x"}))),
        0);
    EXPECT_EQ(text("IdPDbKobraSerials", SDbInstTupel{}), hundred.join(','));
}

TEST_F(KobraCatalogue, UsbDeviceRowsShareOneListOverAllInterfaces) {
    // Device 5 written through Out B is device 5 of every interface; device 6 stays untouched.
    ASSERT_EQ(put("IdPDbLynxUsbDevSerialNumber", SDbInstTupel{1, 1, 0, 5}, CDbAllType::fromDouble(100456)),
              0);
    ASSERT_EQ(put("IdPDbLynxUsbDevFirmInstalled", SDbInstTupel{0, 1, 0, 5}, CDbAllType::fromString("2.3")),
              0);
    for (const SDbInstTupel& base : interfaces()) {
        SDbInstTupel t = base;
        t.t3 = 5;
        EXPECT_EQ(text("IdPDbLynxUsbDevSerialNumber", t), "100456");
        EXPECT_EQ(text("IdPDbLynxUsbDevFirmInstalled", t), "2.3");
        t.t3 = 6;
        EXPECT_EQ(text("IdPDbLynxUsbDevSerialNumber", t), "0");
        EXPECT_EQ(text("IdPDbLynxUsbDevFirmInstalled", t), "");
    }
    // Other per-interface rows keep one value per interface.
    ASSERT_EQ(put("IdPDbLynxFirmInstalled", SDbInstTupel{1, 1, 0, 0}, CDbAllType::fromString("1.9")), 0);
    EXPECT_EQ(text("IdPDbLynxFirmInstalled", SDbInstTupel{1, 1, 0, 0}), "1.9");
    EXPECT_EQ(text("IdPDbLynxFirmInstalled", SDbInstTupel{0, 0, 0, 0}), "");
}

// ---- display texts --------------------------------------------------------------------------------

TEST(KobraChoiceTexts, ASelectionWithTextsHasOneForEveryOfferedIdentifierInOfferedOrder) {
    int withTexts = 0;
    for (const QByteArray& name : Kobra::catalogueNames()) {
        const SDbDefSelect* s = Kobra::asSelect(Kobra::catalogueRecord(name.constData()));
        if (!s)
            continue;
        SCOPED_TRACE(name.constData());
        const QList<QPair<int, QString>> texts = Kobra::choices(name.constData());
        if (s->ids == DbHostStateList) {
            EXPECT_EQ(texts, (QList<QPair<int, QString>>{{0, "OFF"}, {1, "ON"}}));
            continue;
        }
        if (texts.isEmpty())
            continue;
        ++withTexts;
        QList<int> ids;
        for (const auto& t : texts) {
            ids.append(t.first);
            EXPECT_FALSE(t.second.isEmpty()) << t.first;
            EXPECT_EQ(Kobra::choiceText(name.constData(), t.first), t.second);
        }
        EXPECT_EQ(ids, recordChoices(s));
    }
    EXPECT_GT(withTexts, 30);
}

TEST(KobraChoiceTexts, IdentifiersNotOfferedHaveNoText) {
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraTranRecDataSource", 6), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraTranRecDataSource", 7), "Sine Test Signal");
    EXPECT_EQ(Kobra::choiceText("IdPDbLynxSsiSpiClocPhas", 1), QString());
    EXPECT_EQ(Kobra::choiceText("IdPiDbKobraTranRecDataLength", 0), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraDiagPoint", 19), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraDiagPointDigRf", 32), QString());
    EXPECT_EQ(Kobra::choiceText("IdPDbLynxExtRefSour", 0), QString());
    EXPECT_TRUE(Kobra::choices("IdPDbNoSuchParameter").isEmpty());
    EXPECT_TRUE(Kobra::choices("IdPDbLynxClocRate").isEmpty());
    // The exported type and mode tables are closed where the selections end.
    EXPECT_EQ(Kobra::choices("IdPDbKobraType").size(), 5);
    EXPECT_EQ(Kobra::exLynxTypeIds[5], -1);
    EXPECT_EQ(Kobra::exLynxTypeStr[5], nullptr);
    EXPECT_EQ(Kobra::choices("IdPDbKobraMode").size(), 3);
    EXPECT_EQ(Kobra::exLynxModeIds[3], -1);
    EXPECT_EQ(Kobra::exLynxModeStr[3], nullptr);
}

// ---- Against the table kept in ExpectedCatalogue.h ---------------------------------------------

using ExpectedCatalogue::Row;

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
