// The catalogue's records as the host database reads them: every record consistent, the records that
// differ from their neighbours, shared USB device lists and the display texts of the selections.
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"
#include "params/KobraCatalogue.h"
#include "params/KobraChoiceTexts.h"
#include "params/KobraDbInfo.h"
#include "params/KobraFunctionSlots.h"
#include "params/KobraUsbDeviceIndex.h"
#include "support/QtGTestPrinters.h"

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

QString hex(unsigned v) {
    return QStringLiteral("0x") + QString::number(v, 16);
}
QString num(double v) {
    return QString::number(v, 'g', 15);
}
QString axes(const int (&a)[4], char sep) {
    return QStringList(
               {QString::number(a[0]), QString::number(a[1]), QString::number(a[2]), QString::number(a[3])})
        .join(QLatin1Char(sep));
}

// A record in one line: type, instances, the common words that are not the usual ones, the function
// slots its row takes (letters C I O U P S), then what its type defines.
QString describe(const SDbDefCommon* c) {
    static const QMap<int, QString> types{
        {DbTypeEvent, "event"},   {DbTypeNBit, "bits"},     {DbTypeNInt, "ints"},    {DbTypeNString, "list"},
        {DbTypeNumber, "number"}, {DbTypeSelect, "select"}, {DbTypeString, "string"}};
    QStringList w{types.value(c->type), axes(c->countA, 'x')};
    if (c->firstA[0] || c->firstA[1] || c->firstA[2] || c->firstA[3])
        w << "from " + axes(c->firstA, ',');
    if (axes(c->countB, 'x') == "1x1x1x1" && axes(c->countA, 'x') != "1x1x1x1")
        w << "once";
    if (c->family != 0x10121)
        w << "fam=" + hex(c->family);
    w << "attr=" + hex(c->attr) << "grp=" + hex(c->grp);
    if (c->flagL)
        w << "L";
    QString fn;
    for (int i = 0; i < 6; ++i)
        if (Kobra::reservedSlots(c->name) & (1u << i))
            fn += QLatin1Char("CIOUPS"[i]);
    w << "fn=" + (fn.isEmpty() ? QStringLiteral("-") : fn);
    const QList<std::pair<const char*, unsigned>> words{{"unit=", unsigned(c->unit)},
                                                        {"list=", unsigned(c->fileListType)},
                                                        {"op=", unsigned(c->fileOp)},
                                                        {"w9=", c->flagExec},
                                                        {"w21=", unsigned(c->word21)}};
    for (const auto& [key, value] : words)
        if (value)
            w << key + hex(value);
    if (c->idx)
        w << (c->idx == &Kobra::idxUsbDevice ? "idx=usb" : c->idx == &idxL2PDbAllX21 ? "idx=all" : "idx=?");
    auto defaults = [](double a, double b) { return "def=" + num(a) + (a == b ? "" : "/" + num(b)); };
    if (const SDbDefNumber* n = Kobra::asNumber(c)) {
        w << num(n->min) + ".." + num(n->max) + "/" + num(n->step) << defaults(n->def, n->def2);
    } else if (const SDbDefSelect* s = Kobra::asSelect(c)) {
        if (s->ids == DbHostStateList || s->ids == DbHostTestResultList)
            w << (s->ids == DbHostStateList ? "states" : "results");
        QStringList ids;
        for (int id : recordChoices(s))
            ids << QString::number(id);
        w << "ids=" + ids.join(',') << defaults(s->def, s->def2);
    } else if (const SDbDefString* t = Kobra::asString(c)) {
        w << QStringLiteral("def=\"%1\"").arg(QString::fromUtf8(t->def));
    } else if (c->type == DbTypeNBit) {
        const auto* b = reinterpret_cast<const SDbDefNBit*>(c);
        w << QStringLiteral("len=%1..%2").arg(b->minLen).arg(b->maxLen);
        if (b->lowest != DbHostPatternLowest || b->highest != DbHostPatternHighest)
            w << "lowest=" + hex(b->lowest[0]) << "highest=" + hex(b->highest[0]);
    }
    return w.join(' ');
}

class KobraCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        db().reset();
        ASSERT_EQ(db().registerDescriptor(Kobra::g_devDbInfo.descriptor, 2028), 0);
    }
    void TearDown() override { db().reset(); }
    static CDbEngine& db() { return CDbEngine::instance(); }

    // The stored value as text (lists joined by commas).
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
        if (db().findRecord(c->name, firstInstance(c)) != c)
            return false;
        EXPECT_EQ(db().readStored(c->name, firstInstance(c), v), 0) << c->name;
        return true;
    }
};

// Fixed words, instance ranges and index functions; ranges that hold their defaults, and start values
// that are those defaults; selections that offer their default; texts, bit fields, lists and arrays
// sized for their contents.
TEST_F(KobraCatalogue, EveryRecordIsConsistentInItselfAndWithItsStartValue) {
    for (const Kobra::SCatalogueEntry& e : Kobra::catalogueEntries()) {
        const SDbDefCommon* c = e.record;
        SCOPED_TRACE(c->name);
        EXPECT_EQ(QList<int>({c->reserved11, c->reserved14[0], c->reserved14[1], c->reserved14[2],
                              c->reserved14[3], c->reserved16[0], c->reserved16[1], c->reserved16[2],
                              c->reserved20[0], c->reserved20[1], c->marker14, c->marker20}),
                  QList<int>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xffffff, -1}));
        EXPECT_TRUE(c->flagL == 0 || c->flagL == 0x400000u) << c->flagL;
        EXPECT_EQ(Kobra::reservedSlots(c->name) & ~0x3fu, 0u);
        // Range B equals range A, or is a single instance: then one stored value serves them all and
        // the index function folds every instance onto it.
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
        if (c->idx == &Kobra::idxUsbDevice) {
            EXPECT_EQ(c->countA[3], 20);
        }

        CDbAllType start;
        const bool own = startValue(c, start);
        if (!own) {
            EXPECT_GT(Kobra::catalogueRecordCount(c->name), 1);
        }
        if (const SDbDefNumber* n = Kobra::asNumber(c)) {
            EXPECT_LT(n->min, n->max);
            EXPECT_GT(n->step, 0.0);
            EXPECT_TRUE(n->def >= n->min && n->def <= n->max) << n->def;
            double d = -1;
            EXPECT_TRUE(own && start.toDouble(d) && d == n->def) << start.toText().toStdString();
        } else if (const SDbDefSelect* s = Kobra::asSelect(c)) {
            const QList<int> offered = recordChoices(s);
            EXPECT_EQ(QSet<int>(offered.begin(), offered.end()).size(), offered.size())
                << "no identifier twice";
            EXPECT_TRUE(offered.contains(s->def)) << s->def;
            EXPECT_EQ(s->step, 1);
            int id = -1;
            EXPECT_TRUE(!own || (start.toInt(id) && id == s->def)) << start.toText().toStdString();
            // Without a check function the database offers exactly the record's choices.
            if (own && !(e.fnSlots & Kobra::FnChk)) {
                const QVector<int> choices = db().choices(c->name, firstInstance(c));
                EXPECT_EQ(QList<int>(choices.begin(), choices.end()), offered);
            }
        } else if (const SDbDefString* t = Kobra::asString(c)) {
            EXPECT_EQ(t->maxLen, 256);
            ASSERT_NE(t->def, nullptr);
            EXPECT_EQ(t->def2, t->def);
            EXPECT_EQ(t->defLen, int(std::strlen(t->def)));
            EXPECT_EQ(t->flag, t->def == DbHostEmptyText ? 0 : 1);
            EXPECT_EQ(start.toText(), QString::fromUtf8(t->def));
        } else if (c->type == DbTypeNBit) {
            const auto* b = reinterpret_cast<const SDbDefNBit*>(c);
            EXPECT_LE(b->minLen, b->maxLen);
            ASSERT_TRUE(b->lowest && b->highest && b->def);
            EXPECT_EQ(b->def2, b->def);
            EXPECT_EQ(b->def[0], 0u);
        } else if (c->type == DbTypeNString) {
            EXPECT_EQ(reinterpret_cast<const SDbDefNString*>(c)->maxEntries, 100);
            EXPECT_EQ(start.toText(), QString());
        } else if (c->type == DbTypeNInt) {
            const auto* a = reinterpret_cast<const SDbDefNInt*>(c);
            EXPECT_EQ(a->minVal, INT_MIN);
            EXPECT_EQ(a->maxVal, INT_MAX);
            EXPECT_GE(a->maxCount, 2048); // the recorder's longest recording, one word per sample
        }
    }
}

// The records that differ from the others of their kind, typed by hand rather than derived from the
// catalogue's code.
TEST_F(KobraCatalogue, RecordsThatDifferFromTheirNeighbours) {
    const struct {
        const char* name;
        int record;
        const char* expected;
    } rows[] = {
        // clang-format off
        {"IdPDbLynxDirection", 0, "select 2x2x1x1 fam=0x10000 attr=0x20248212 grp=0x24 L fn=U ids=0,1 def=1"},
        {"IdPDbLynxDirection", 1, "select 2x1x1x1 fam=0x121 attr=0x20248212 grp=0x24 fn=U ids=0 def=0"},
        {"IdPDbLynxLogicType", 0,
         "select 2x2x1x1 attr=0x20248212 grp=0x24 L fn=U ids=0,1,2,3,4,5,6,7,8 def=2/0"},
        {"IdPDbLynxClocSour", 0, "select 2x2x1x1 attr=0x20248212 grp=0x24 L fn=CU ids=2,0,1 def=2"},
        {"IdPDbLynxSsiSpiClocPhas", 0, "select 2x2x1x1 attr=0x20248212 grp=0x24 L fn=- ids=0,2 def=0"},
        {"IdPiDbKobraTranRecDataLength", 0,
         "select 2x2x1x2 attr=0x22248000 grp=0x10 fn=IO ids=512,1024,2048 def=512"},
        {"IdPDbKobraTranRecDataSource", 0,
         "select 2x2x1x2 attr=0x20248212 grp=0x10 L fn=CP ids=0,1,2,3,4,5,7 def=0"},
        {"IdPDbLynxUsbDevFirmUpdError", 0,
         "select 2x2x1x20 attr=0x20248202 grp=0x24 fn=I w21=0x4 idx=usb states ids=0,1 def=0"},
        {"IdPDbLynxSavFast", 0, "select 2x1x1x1 attr=0x248210 grp=0x24 fn=- states ids=0,1 def=1"},
        {"IdPDbLynxClocSkew", 0,
         "number 2x2x1x1 attr=0x20648212 grp=0x24 L fn=- unit=0x34 -5e-09..5e-09/5e-11 def=0"},
        {"IdPDbLynxSampRate", 0,
         "number 2x2x1x1 attr=0x22348000 grp=0x24 fn=O unit=0x27 31.25..800000000/0.001 def=10000000/0"},
        {"IdPDbLynxSsiSpiDataWrite", 0,
         "bits 2x2x1x1 attr=0x20620212 grp=0x24 fn=IU len=8..8 lowest=0x0 highest=0xff000000"},
        {"IdPDbKobraSerials", 0, "list 2x2x1x1 once attr=0x20200200 grp=0x0 fn=U idx=all"},
        {"IdPDbLynxSsiGainFile", 0,
         "string 2x2x1x1 attr=0x20230212 grp=0x24 L fn=- list=0xb2 op=0x1 w21=0x200 def=\"\""},
        {"IdPDbKobraServiceCpriTestExec", 0, "event 2x2x1x1 attr=0x20000201 grp=0x0 fn=CU idx=all"},
        // clang-format on
    };
    for (const auto& row : rows) {
        const SDbDefCommon* c = Kobra::catalogueRecord(row.name, row.record);
        ASSERT_NE(c, nullptr) << row.name;
        EXPECT_EQ(describe(c), QLatin1String(row.expected)) << row.name << " record " << row.record;
    }
}

// ---- behaviour the records give the parameters ----------------------------------------------------

TEST_F(KobraCatalogue, UsbDeviceRowsShareOneListOverAllInterfaces) {
    // Device 5 written through Out B is device 5 of every interface; device 6 stays untouched.
    ASSERT_EQ(put("IdPDbLynxUsbDevSerialNumber", SDbInstTupel{1, 1, 0, 5}, CDbAllType::fromDouble(100456)),
              0);
    ASSERT_EQ(put("IdPDbLynxUsbDevFirmInstalled", SDbInstTupel{0, 1, 0, 5}, CDbAllType::fromString("2.3")),
              0);
    for (SDbInstTupel t : interfaces()) {
        t.t3 = 5;
        EXPECT_EQ(text("IdPDbLynxUsbDevSerialNumber", t) + " " + text("IdPDbLynxUsbDevFirmInstalled", t),
                  "100456 2.3");
        t.t3 = 6;
        EXPECT_EQ(text("IdPDbLynxUsbDevSerialNumber", t) + " " + text("IdPDbLynxUsbDevFirmInstalled", t),
                  "0 ");
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
        // An identifier the selection does not offer has no text.
        EXPECT_EQ(Kobra::choiceText(name.constData(), *std::max_element(ids.begin(), ids.end()) + 1),
                  QString());
    }
    EXPECT_GT(withTexts, 30);
    EXPECT_EQ(Kobra::choiceText("IdPDbKobraTranRecDataSource", 6), QString());
    EXPECT_TRUE(Kobra::choices("IdPDbNoSuchParameter").isEmpty());
}

} // namespace
