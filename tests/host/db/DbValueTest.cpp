// Value classes and the settings-file text: conversions, bit fields, escapes.
#include <gtest/gtest.h>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/impl/CLynxFile.h"

using namespace MvQARN;

namespace {

TEST(DbValueTest, NumbersRoundToSelectionsAndBitFieldsAreLeftAligned) {
    int i = 0;
    EXPECT_TRUE(CDbAllType::fromDouble(-2.5).toInt(i));
    EXPECT_EQ(i, -3);
    EXPECT_FALSE(CDbAllType::fromDouble(1e12).toInt(i));

    CDbDataTypeNBit b(12, {0xABCFFFFFu}); // bits past the length are cleared
    EXPECT_EQ(b.getWords(), QVector<quint32>({0xABC00000u}));
    EXPECT_EQ(b.toText(), "12:abc00000");
    EXPECT_TRUE(b.bit(8));
    EXPECT_FALSE(b.bit(11));
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
    for (const char* bad : {"8", "8:ff", "8:ff0000zz", "-1:", "40:ffffffff"})
        EXPECT_FALSE(CDbDataTypeNBit::fromText(bad, back)) << bad;
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

} // namespace
