#pragma once
// Value descriptors that every command tree needs in the same form: switches, numbers with MINimum,
// MAXimum and DEFault, frequencies and times with their units, lists, strings and bit fields.
#include "host/scpi/ScpiRecords.h"

namespace MvQARN::ScpiStandard {

inline constexpr SScpiKeyword kwEnd = {nullptr, 0, 0};
inline constexpr SScpiKeyword kwMin = {"MINimum", ScpiSpecialMin, ScpiKeywordSpecial};
inline constexpr SScpiKeyword kwMax = {"MAXimum", ScpiSpecialMax, ScpiKeywordSpecial};
inline constexpr SScpiKeyword kwDef = {"DEFault", ScpiSpecialDef, ScpiKeywordSpecial};

inline constexpr SScpiKeyword kwBool[] = {{"0", 0, 0}, {"1", 1, 0}, {"OFF", 0, 0}, {"ON", 1, 0}, kwEnd};
inline constexpr SScpiKeyword kwNum[] = {kwMin, kwMax, kwDef, {"OFF", 0, 0}, kwEnd};
// UP and DOWN step whatever their flag.
inline constexpr SScpiKeyword kwFreq[] = {
    kwMin, kwMax, kwDef, {"UP", ScpiSpecialUp, 0}, {"DOWN", ScpiSpecialDown, 0}, {"OFF", 0, 0}, kwEnd};

constexpr int hz(int powerOfTen) {
    return scpiUnitCode(ScpiQuantityFrequency, powerOfTen);
}
constexpr int sec(int powerOfTen) {
    return scpiUnitCode(ScpiQuantityTime, powerOfTen);
}
inline constexpr SScpiUnit unFreq[] = {{"HZ", hz(0)},  {"KHZ", hz(3)},  {"MHZ", hz(6)}, {"MAHZ", hz(6)},
                                       {"GHZ", hz(9)}, {"THZ", hz(12)}, {nullptr, 0}};
inline constexpr SScpiUnit unTime[] = {{"S", sec(0)},   {"MS", sec(-3)},  {"US", sec(-6)},
                                       {"NS", sec(-9)}, {"PS", sec(-12)}, {nullptr, 0}};
static_assert(hz(6) == 0x2706 && sec(-12) == 0x34F4, "unit codes: quantity byte, power-of-ten byte");

// Numbers take units and the special keywords.
inline constexpr unsigned kNumberType = ScpiValNumeric | ScpiValChar | ScpiValKeyword;
static_assert(kNumberType == 0xF02 && (ScpiValChar | ScpiValKeyword) == 0x102, "descriptor type words");

inline constexpr SScpiValDesc dBool = {
    .type = ScpiValChar | ScpiValKeyword, .format = ScpiFormatPlain, .keywords = kwBool};
inline constexpr SScpiValDesc dList = {.type = ScpiValList, .format = ScpiFormatPlain};
inline constexpr SScpiValDesc dText = {.type = ScpiValString, .format = ScpiFormatPlain};
inline constexpr SScpiValDesc dBits = {.type = ScpiValBits, .format = ScpiFormatBits, .count = 10};
inline constexpr SScpiValDesc dNum = {.type = kNumberType, .format = ScpiFormatNumber, .keywords = kwNum};
inline constexpr SScpiValDesc dFreq = {
    .type = kNumberType, .format = ScpiFormatNumber, .units = unFreq, .keywords = kwFreq};
inline constexpr SScpiValDesc dTime = {
    .type = kNumberType, .format = ScpiFormatNumber, .units = unTime, .keywords = kwNum};

} // namespace MvQARN::ScpiStandard
