// Serial numbers of the box list: how an entry's text becomes a serial number (numeric arguments are
// seen through the twins, ConvInFunctionsTest).
#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

#include "params/KobraSerials.h"

namespace {

using Kobra::parseSerial;

TEST(KobraSerials, EntryTextsReadAsExactIntegers) {
    const struct {
        const char* text;
        qlonglong serial;
    } cases[] = {
        {"100123", 100123},
        {" 100456\t", 100456},
        {"00100123", 100123},
        // Other number forms of the same serial read alike.
        {"1.23457e+06", 1234570},
        {"1e6", 1000000},
        // Fractions round half away from zero.
        {"555.5", 556},
        {"555.49", 555},
        {"0.5", 1},
        // Beyond the 53 bits a double holds exactly.
        {"9007199254740993", 9007199254740993LL},
        {"9223372036854775807", std::numeric_limits<qlonglong>::max()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseSerial(QString::fromLatin1(c.text)), std::optional<qlonglong>(c.serial));
    }
}

TEST(KobraSerials, TextsThatNameNoBoxAreNone) {
    for (const char* text :
         {"None",  "",      "  ", "0", "0.49", "-5",  "-0",   "1e-3", "12abc",
          "1.2.3", "1e",    "e5", ".", "inf",  "nan", "0x10", "1 2",  "9223372036854775808",
          "1e19",  "9.3e18"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseSerial(QString::fromLatin1(text)), std::nullopt);
    }
}

} // namespace
