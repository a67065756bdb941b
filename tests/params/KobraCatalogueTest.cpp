// The catalogue's records as the host database reads them: descriptor layout, the catalogue's index,
// the fixed words every record carries, ranges and defaults that agree with each other and with the
// stored start values; the behaviour the records give the parameters (narrowing records, values
// stored once for several instances, shared USB device lists); the display texts of the selections.
#include <QSet>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "frame/KobraPluginGlobals.h"
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

} // namespace
