// Value classes and the settings-file text: conversions, bit fields, escapes, error texts.
#include <gtest/gtest.h>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/db/impl/CLynxFile.h"

using namespace MvQARN;

namespace {

TEST(DbValueTest, AllTypeConversions) {
    EXPECT_EQ(CDbAllType::fromInt(3).getType(), DbTypeSelect);
    EXPECT_EQ(CDbAllType::fromDouble(3).getType(), DbTypeNumber);
    EXPECT_EQ(CDbAllType::fromString("x").getType(), DbTypeString);

    int i = 0;
    double d = 0;
    QString s;
    EXPECT_TRUE(CDbAllType::fromDouble(2.5).toInt(i));
    EXPECT_EQ(i, 3);
    EXPECT_TRUE(CDbAllType::fromDouble(-2.5).toInt(i));
    EXPECT_EQ(i, -3);
    EXPECT_FALSE(CDbAllType::fromDouble(1e12).toInt(i));
    EXPECT_TRUE(CDbAllType::fromInt(7).toDouble(d));
    EXPECT_EQ(d, 7);
    EXPECT_FALSE(CDbAllType::fromString("7").toDouble(d));
    EXPECT_FALSE(CDbAllType::fromInt(7).toString(s));
    EXPECT_TRUE(CDbAllType::fromString("7").toString(s));
    EXPECT_EQ(s, "7");
    EXPECT_FALSE(CDbAllType().toInt(i));

    // Copies are deep.
    CDbAllType a = CDbAllType::fromDouble(1);
    CDbAllType b = a;
    static_cast<CDbDataTypeNumber*>(b.get())->setValDouble(2);
    EXPECT_EQ(a.toText(), "1");
    EXPECT_FALSE(a.isEqual(b));
    EXPECT_TRUE(CDbAllType().isEqual(CDbAllType()));
    EXPECT_FALSE(CDbAllType::fromInt(1).isEqual(CDbAllType::fromDouble(1)));
    // Lists as text.
    EXPECT_EQ(CDbDataTypeNDbl(0.5, -0.25).toText(), "0.5,-0.25");
    EXPECT_EQ(CDbDataTypeNInt({3, -4}).toText(), "3,-4");
    EXPECT_EQ(CDbDataTypeNInt().toText(), "");
}

TEST(DbValueTest, BitFieldsAreLeftAlignedAndRoundTripAsText) {
    CDbDataTypeNBit b(12, {0xABCFFFFFu}); // bits past the length are cleared
    EXPECT_EQ(b.getWords(), QVector<quint32>({0xABC00000u}));
    EXPECT_EQ(b.toText(), "12:abc00000");
    EXPECT_TRUE(b.bit(0));
    EXPECT_FALSE(b.bit(1));
    EXPECT_TRUE(b.bit(8));
    EXPECT_FALSE(b.bit(11));
    EXPECT_FALSE(b.bit(12)); // past the end
    b.setBit(1, true);
    EXPECT_EQ(b.getWords().first(), 0xEBC00000u);
    b.setLength(40);
    EXPECT_EQ(b.toText(), "40:ebc0000000000000");
    b.setBit(39, true);
    b.setLength(4);
    EXPECT_EQ(b.toText(), "4:e0000000");

    CDbDataTypeNBit back;
    ASSERT_TRUE(CDbDataTypeNBit::fromText("40:ffffffffff000000", back));
    EXPECT_EQ(back.getLength(), 40);
    EXPECT_EQ(back.getWords(), QVector<quint32>({0xFFFFFFFFu, 0xFF000000u}));
    ASSERT_TRUE(CDbDataTypeNBit::fromText("0:", back));
    EXPECT_EQ(back.getLength(), 0);
    for (const char* bad : {"8", "8:ff", "8:ff0000zz", "x:ff000000", "-1:", "40:ffffffff"})
        EXPECT_FALSE(CDbDataTypeNBit::fromText(bad, back)) << bad;
    EXPECT_TRUE(CDbDataTypeNBit(8, {0xFF000000u}).isEqual(CDbDataTypeNBit(8, {0xFF000000u})));
    EXPECT_FALSE(CDbDataTypeNBit(8, {0xFF000000u}).isEqual(CDbDataTypeNBit(9, {0xFF000000u})));
}

TEST(DbValueTest, SettingsValuesSurviveEncodingWhateverTheyContain) {
    const std::vector<CDbAllType> values{
        CDbAllType::fromDouble(-5e-11),
        CDbAllType::fromDouble(281474976710655.0),
        CDbAllType::fromInt(-7),
        CDbAllType::fromString(QString::fromUtf8("a|b\\n\nc\t\r=[0,0]\xc3\xa4")),
        CDbAllType::fromString(""),
        CDbAllType(new CDbDataTypeNString({"", "x|y", "\\", "a,b"})),
        CDbAllType(new CDbDataTypeNString()),
        CDbAllType(new CDbDataTypeNString({""})),
        CDbAllType(new CDbDataTypeNBit(33, {0xFFFFFFFFu, 0x80000000u})),
        CDbAllType(new CDbDataTypeNInt({0, -2147483647 - 1, 2147483647})),
        CDbAllType(new CDbDataTypeNDbl(QVector<double>{1.5, -2})),
    };
    for (const CDbAllType& v : values) {
        const QString encoded = CLynxFile::encodeValue(v);
        EXPECT_FALSE(encoded.contains('\n')) << encoded.toStdString();
        CDbAllType back;
        ASSERT_TRUE(CLynxFile::decodeValue(encoded, back)) << encoded.toStdString();
        EXPECT_TRUE(back.isEqual(v)) << encoded.toStdString() << " -> " << back.toText().toStdString();
    }
    EXPECT_TRUE(CLynxFile::encodeValue(CDbAllType(new CDbDataTypeEvent)).isEmpty());
    CDbAllType out;
    for (const char* bad :
         {"num:abc", "num:nan", "sel:1.5", "str:a\\", "str:\\q", "list:2|a", "ints:1,x", "what:1", "nocolon"})
        EXPECT_FALSE(CLynxFile::decodeValue(bad, out)) << bad;
}

TEST(DbValueTest, SettingsFileFormatAndParse) {
    CLynxFile::SHeader h;
    h.module = "KobraPlugin";
    h.group = 36;
    h.mask = 0xFFFF0000u;
    QVector<CLynxFile::SEntry> entries(2);
    entries[0].name = "A";
    entries[0].value = CDbAllType::fromInt(1);
    entries[1].name = "B";
    entries[1].t2 = 1;
    entries[1].t3 = 3;
    entries[1].value = CDbAllType::fromString("x");
    const QByteArray data = CLynxFile::format(h, entries);
    EXPECT_EQ(data, "# VGX settings file\nversion=1\nmodule=KobraPlugin\ngroup=36\nmask=0xffff0000\n"
                    "A[0,0]=sel:1\nB[1,3]=str:x\nend=2\n");

    CLynxFile::SHeader h2;
    QVector<CLynxFile::SEntry> e2;
    QString why;
    ASSERT_TRUE(CLynxFile::parse(QByteArray(data).replace('\n', "\r\n"), h2, e2, why)) << why.toStdString();
    EXPECT_EQ(h2.module, "KobraPlugin");
    EXPECT_EQ(h2.mask, 0xFFFF0000u);
    ASSERT_EQ(e2.size(), 2);
    EXPECT_EQ(e2[1].t3, 3);
    EXPECT_EQ(e2[1].line, 7);
    // Comments and empty lines may be added by hand; text after the end line may not.
    ASSERT_TRUE(CLynxFile::parse(QByteArray(data).replace("A[0,0]", "# note\n\nA[0,0]"), h2, e2, why));
    EXPECT_FALSE(CLynxFile::parse(data + "A[0,0]=sel:1\n", h2, e2, why));
    EXPECT_FALSE(CLynxFile::parse(QByteArray(data).replace("group=36\n", ""), h2, e2, why));
    EXPECT_FALSE(CLynxFile::parse(QByteArray(data).replace("mask=", "colour="), h2, e2, why));
}

TEST(DbValueTest, MessagesCopyTheirAuxiliaryData) {
    CDbMsg m(4, 4, "P", 5, DbMsgExec, 0x80000000u, 0, 1, 0, 0, 3);
    EXPECT_EQ(m.getValue().getType(), DbTypeSelect);
    EXPECT_EQ(m.getTupel(), (SDbInstTupel{1, 0, 0, 3}));
    m.giveAuxData(9, new CDbDataTypeString("f.lynx"));
    CDbMsg copy(m);
    m.giveAuxData(9, nullptr);
    EXPECT_EQ(m.getAuxData(9), nullptr);
    ASSERT_NE(copy.getAuxData(9), nullptr);
    EXPECT_EQ(copy.getAuxData(9)->toText(), "f.lynx");
    EXPECT_EQ(copy.getFlags(), 0x80000000u);
}

TEST(DbValueTest, HostErrorTextsNotReportedByTheRequestTests) {
    EXPECT_STREQ(dbErrorText(DbErrBadFileName), "Invalid file name");
    EXPECT_STREQ(dbErrorText(DbErrNoBox), "No box selected");
    EXPECT_STREQ(dbErrorText(DbErrWithText), "");
}

} // namespace
