// The settings-file text of every kind of value: what is encoded decodes to the same value, and text
// that is no value is refused. Bit fields and number-to-selection rounding are seen through the
// requests that use them (bit fitting of the SSI data, the database's type test).
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
