// Behaviour the catalogue's records give the parameters once the database holds them: records that
// narrow others, values stored once for several instances, shared USB device lists, defaults.
#include <QStringList>
#include <gtest/gtest.h>

#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/impl/CDbEngine.h"
#include "params/KobraDbInfo.h"

using namespace MvQARN;

namespace {

class KobraCatalogueEngine : public ::testing::Test {
protected:
    void SetUp() override {
        CDbEngine::instance().reset();
        ASSERT_EQ(CDbEngine::instance().registerDescriptor(Kobra::g_devDbInfo.descriptor, 2028), 0);
    }
    void TearDown() override { CDbEngine::instance().reset(); }

    static CDbEngine& db() { return CDbEngine::instance(); }

    static int readInt(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        int out = -1;
        EXPECT_TRUE(v.toInt(out)) << name;
        return out;
    }
    static double readNumber(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        double out = -1;
        EXPECT_TRUE(v.toDouble(out)) << name;
        return out;
    }
    static QStringList readList(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        if (v.getType() != DbTypeNString)
            return {"<not a list>"};
        return static_cast<const CDbDataTypeNString*>(v.get())->getValList();
    }
    static QString readText(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        QString out = "<not a text>";
        v.toString(out);
        return out;
    }
    static QList<SDbInstTupel> interfaces() {
        return {{0, 0, 0, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}};
    }
};

TEST_F(KobraCatalogueEngine, DirectionIsFixedBySide) {
    for (int t0 = 0; t0 < 2; ++t0) {
        const SDbInstTupel in{t0, 0, 0, 0};
        const SDbInstTupel out{t0, 1, 0, 0};
        EXPECT_EQ(readInt("IdPDbLynxDirection", in), 0);
        EXPECT_EQ(readInt("IdPDbLynxDirection", out), 1);
        EXPECT_EQ(db().choices("IdPDbLynxDirection", in), QVector<int>({0}));
        EXPECT_EQ(db().choices("IdPDbLynxDirection", out), QVector<int>({1}));

        // Whatever is written, In stays 0 and Out stays 1.
        for (int v : {0, 1}) {
            db().write("IdPDbLynxDirection", in, CDbAllType::fromInt(v));
            db().write("IdPDbLynxDirection", out, CDbAllType::fromInt(v));
            EXPECT_EQ(readInt("IdPDbLynxDirection", in), 0) << "after writing " << v;
            EXPECT_EQ(readInt("IdPDbLynxDirection", out), 1) << "after writing " << v;
        }
        EXPECT_NE(db().write("IdPDbLynxDirection", in, CDbAllType::fromInt(1)), 0);
        EXPECT_NE(db().write("IdPDbLynxDirection", out, CDbAllType::fromInt(0)), 0);
    }
}

TEST_F(KobraCatalogueEngine, StoredOnceRowsShowOneValueOnAllInterfaces) {
    const QStringList content = {"None", "100123", "100456"};
    for (const char* name :
         {"IdPDbKobraSerials", "IdPDbKobraArbCatName", "IdPDbKobraRecCatName", "IdPDbLynxCatName"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(db().write(name, SDbInstTupel{1, 1, 0, 0}, CDbAllType(CDbDataTypeNString(content))), 0);
        for (const SDbInstTupel& t : interfaces())
            EXPECT_EQ(readList(name, t), content);
    }
    ASSERT_EQ(db().write("IdPDbLynxFirmSupported", SDbInstTupel{0, 1, 0, 0}, CDbAllType::fromString("2.10")),
              0);
    for (const SDbInstTupel& t : interfaces())
        EXPECT_EQ(readText("IdPDbLynxFirmSupported", t), "2.10");
}

TEST_F(KobraCatalogueEngine, SsiFileCatalogueIsPerInterface) {
    const QList<SDbInstTupel> all = interfaces();
    for (int i = 0; i < all.size(); ++i) {
        const QStringList files = {QString("gain%1.hex").arg(i)};
        ASSERT_EQ(db().write("IdPDbLynxSsiHexFileCat", all[i], CDbAllType(CDbDataTypeNString(files))), 0);
    }
    for (int i = 0; i < all.size(); ++i)
        EXPECT_EQ(readList("IdPDbLynxSsiHexFileCat", all[i]), QStringList{QString("gain%1.hex").arg(i)});
}

TEST_F(KobraCatalogueEngine, StringListsHoldAtMostHundredEntries) {
    QStringList hundred;
    for (int i = 0; i < 100; ++i)
        hundred << QString::number(100000 + i);
    EXPECT_EQ(db().write("IdPDbKobraSerials", SDbInstTupel{}, CDbAllType(CDbDataTypeNString(hundred))), 0);
    EXPECT_NE(db().write("IdPDbKobraSerials", SDbInstTupel{},
                         CDbAllType(CDbDataTypeNString(hundred + QStringList{"x"}))),
              0);
    EXPECT_EQ(readList("IdPDbKobraSerials", SDbInstTupel{}).size(), 100);
}

TEST_F(KobraCatalogueEngine, InformationTextDefaults) {
    const char* const dashes[] = {
        "IdPDbKobraConfigPartNumber",    "IdPDbKobraConfigSerialNumber", "IdPDbKobraConfigFirmVers",
        "IdPDbKobraConfigController",    "IdPDbKobraConfigBoardPN",      "IdPDbKobraConfigBoardSN",
        "IdPDbKobraConfigBoardRev",      "IdPDbKobraConfigCpldVers",     "IdPDbKobraConfigFpgaVers",
        "IdPDbKobraConfigFpgaDigIoVers", "IdPDbKobraConfigFpgaBobVers",  "IdPDbKobraConfigPpcVers",
        "IdPDbKobraConfigBobType",       "IdPDbKobraConfigBobSN",        "IdPDbKobraConfigBobRev",
        "IdPDbKobraDiagValue",           "IdPDbKobraDiagValueDigRf"};
    for (const char* name : dashes) {
        const QString text = readText(name, SDbInstTupel{});
        EXPECT_EQ(text, "---") << name;
        EXPECT_EQ(text.size(), 3) << name;
    }
    for (int t0 = 0; t0 < 2; ++t0) {
        for (int t1 = 0; t1 < 2; ++t1) {
            for (int link = 0; link < 2; ++link) {
                const SDbInstTupel t{t0, t1, 0, link};
                for (const char* name :
                     {"IdPDbKobraInstrType", "IdPDbKobraInstrPort", "IdPDbKobraInstrSerialNumber"})
                    EXPECT_EQ(readText(name, t), "-") << name;
                EXPECT_EQ(readText("IdPDbKobraInstrumentName", t), "not connected");
                EXPECT_EQ(readText("IdPDbKobraInstrTcpAddress", t), "localhost");
            }
        }
    }
}

TEST_F(KobraCatalogueEngine, RecorderDataSourceNeverOffersSix) {
    for (int t3 = 0; t3 < 2; ++t3) {
        const SDbInstTupel t{1, 0, 0, t3};
        const QVector<int> offered = db().choices("IdPDbKobraTranRecDataSource", t);
        EXPECT_FALSE(offered.isEmpty());
        EXPECT_FALSE(offered.contains(6));
        for (int id : offered)
            EXPECT_TRUE(id >= 0 && id <= 7) << id;
        EXPECT_NE(db().write("IdPDbKobraTranRecDataSource", t, CDbAllType::fromInt(6)), 0);
        EXPECT_EQ(readInt("IdPDbKobraTranRecDataSource", t), 0);
    }
}

TEST_F(KobraCatalogueEngine, UsbDeviceRowsShareOneListOverAllInterfaces) {
    // Device 5 written through Out B is device 5 of every interface; device 6 stays untouched.
    ASSERT_EQ(
        db().write("IdPDbLynxUsbDevSerialNumber", SDbInstTupel{1, 1, 0, 5}, CDbAllType::fromDouble(100456)),
        0);
    ASSERT_EQ(
        db().write("IdPDbLynxUsbDevFirmInstalled", SDbInstTupel{0, 1, 0, 5}, CDbAllType::fromString("2.3")),
        0);
    for (const SDbInstTupel& base : interfaces()) {
        SDbInstTupel t = base;
        t.t3 = 5;
        EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxUsbDevSerialNumber", t), 100456.0);
        EXPECT_EQ(readText("IdPDbLynxUsbDevFirmInstalled", t), "2.3");
        t.t3 = 6;
        EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxUsbDevSerialNumber", t), 0.0);
        EXPECT_EQ(readText("IdPDbLynxUsbDevFirmInstalled", t), "");
    }
    // Other per-interface rows keep one value per interface.
    ASSERT_EQ(db().write("IdPDbLynxFirmInstalled", SDbInstTupel{1, 1, 0, 0}, CDbAllType::fromString("1.9")),
              0);
    EXPECT_EQ(readText("IdPDbLynxFirmInstalled", SDbInstTupel{1, 1, 0, 0}), "1.9");
    EXPECT_EQ(readText("IdPDbLynxFirmInstalled", SDbInstTupel{0, 0, 0, 0}), "");
}

TEST_F(KobraCatalogueEngine, NumberLimitsRefuseValuesOutsideTheRange) {
    // Static limits of plain rows (no check function): the catalogue's range is the database's.
    const SDbInstTupel t{0, 1, 0, 0};
    EXPECT_EQ(db().write("IdPDbLynxSsiWordSize", t, CDbAllType::fromDouble(24)), 0);
    EXPECT_NE(db().write("IdPDbLynxSsiWordSize", t, CDbAllType::fromDouble(25)), 0);
    EXPECT_NE(db().write("IdPDbLynxSsiWordSize", t, CDbAllType::fromDouble(3)), 0);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbLynxSsiWordSize", t), 24.0);
    double min = 0, max = 0;
    ASSERT_TRUE(db().limits("IdPDbKobraTranRecDecFactor", SDbInstTupel{0, 0, 0, 1}, min, max));
    EXPECT_DOUBLE_EQ(min, 1.0);
    EXPECT_DOUBLE_EQ(max, 65536.0);
}

} // namespace
