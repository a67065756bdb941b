#pragma once
// Records a module uses to describe its SCPI command subtree as constant data, and the call that
// turns one command array into a parse table of the host parser.
//
// Fields keep the order of the host's record layout; byte sizes are asserted in 32-bit builds only.
//
// How the host parser reads the records
// -------------------------------------
// Mnemonic: long form as written, short form = every character that is not a lower-case letter
// ("SOURce" -> "SOUR", "PPCVersion" -> "PPCV"). Headers match either form in any case.
//
// Kind (ScpiKind*): node 0x4; query 0x10; event with a text argument 0x20; setting 0x30 (set form with
// one argument, query form reads the value); event without argument 0xC0. Bit 0x4 (ScpiKindSub) on a
// leaf kind (0x14, 0x24, 0x34) says the record also has a sub-level. Every command record must name a
// parameter.
//
// Flags A: not read by this parser (ScpiFlagsAGroup or 0).
// Flags B: bit 0x10 (ScpiFlagBBothSides) on any record of a command's path (a node or the command
// itself) says the interface selector of the path sets both path and side; without it the selector
// sets the path only and the side is In unless a fixed side word in the path says otherwise. Bit 31
// (ScpiFlagBFirmware) and the other bits are not read.
//
// Suffix word (ScpiSuffix*): what a node's numeric suffix selects in the instance tuple
// (t0 path, t1 side, t2, t3 list index). All effects along the path combine; a fixed side wins over
// the side an interface selector gives, whatever their order.
//   0      the node takes no suffix; "1" is tolerated as the default, anything else is a
//          header suffix error.
//   0x001  interface selector, n = 1..4 (default 1), k = n - 1: t0 = k mod 2, t1 = k div 2
//          (SOURce<n>, DIAGnostic<n>).
//   0x002  list selector, n = 1..ScpiMaxListSuffix (default 1): t3 = n - 1 (INST<n>).
//   0x100  fixed: the node takes no suffix and sets one tuple element instead. Bit 0x002 names t3,
//          bit 0x004 names the side t1; bit 0x008 says the transmit/output direction, its absence
//          the receive/input direction. Side: input -> t1 = 0 (In), output -> t1 = 1 (Out).
//          Link list: transmit -> t3 = 0, receive -> t3 = 1.
//          So 258 (0x102, LVDS:RX) -> t3 = 1; 266 (0x10A, LVDS:TX) -> t3 = 0;
//          268 (0x10C, IQ:OUTPut:EXTernal) -> side Out; 260 (0x104) would force side In.
//
// Value descriptor type word (bits may combine; a further descriptor is tried when the first does
// not take the argument):
//   0x00000002, 0x00000100  character data: keywords of the keyword table
//   0x00000E00              decimal numbers (units from the unit table, SI prefixes on its base units);
//                           keywords with flag 1 are special values: value 1 MINimum, 2 DEFault,
//                           3 MAXimum, 4 UP, 5 DOWN (a keyword "UP"/"DOWN" steps whatever its flag);
//                           other keywords stand for their value ("OFF" 0)
//   0x0001C000              bit data: #H hex, #B binary, #Q octal, a quoted bit string "0101" or a
//                           definite-length block
//   0x00020000              string data in single or double quotes, quotes doubled inside
//   0x00400000              a list of texts (answers only)
// Format word and count word: not read; answers follow the value read and the descriptor: keywords
// answer their short form in upper case, numbers in the shortest form that reads back exactly,
// bools 0/1, texts quoted, lists as quoted texts joined by ",", bits as #H (or #B when the length is
// no multiple of 4).
//
// Keyword record: text, value, flag (bit 0 = special value, see above). Keyword tables end with a
// null text. Unit record: text, code; high byte quantity, low byte signed power of ten. Unit tables end
// with a null text.
#include <cstdint>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct SScpiParseTable; // built by MakeParseTable, owned by the host parser library

struct SScpiKeyword {
    const char* text;
    int value;
    int flag;
};

struct SScpiUnit {
    const char* text;
    int code;
};

// The records below are meant for designated initialisers: every field left out is zero or null.
struct SScpiValDesc {
    unsigned type = 0;
    unsigned format = 0;
    const SScpiUnit* units = nullptr;
    const SScpiKeyword* keywords = nullptr;
    const SScpiValDesc* further = nullptr;
    int count = 0;
};

struct SScpiCmd {
    const char* mnemonic = nullptr; // null ends an array
    int code = 0;                   // unique command code, 0 for pure nodes
    unsigned flagsA = 0;
    unsigned flagsB = 0;
    int kind = 0;
    SScpiParseTable** sub = nullptr; // slot of the sub-level table, or null
    const SScpiValDesc* arg = nullptr;
    const char* param = nullptr;
    int suffix = 0;
    const SScpiValDesc* answer = nullptr; // null: the argument descriptor serves
};

#if UINTPTR_MAX == 0xffffffffu
static_assert(sizeof(SScpiCmd) == 40);
static_assert(sizeof(SScpiValDesc) == 24);
static_assert(sizeof(SScpiKeyword) == 12);
static_assert(sizeof(SScpiUnit) == 8);
#endif

// Kind word: bit ScpiKindSub says the record has a sub-level (alone it is a pure node); a query form,
// a set form with one argument, both (a setting), or an event without argument.
enum EScpiKind : int {
    ScpiKindSub = 0x4,
    ScpiKindNode = ScpiKindSub,
    ScpiKindQuery = 0x10,
    ScpiKindEventText = 0x20,
    ScpiKindSetting = ScpiKindQuery | ScpiKindEventText,
    ScpiKindEvent = 0xC0,
    ScpiKindQuerySub = ScpiKindQuery | ScpiKindSub,
    ScpiKindEventTextSub = ScpiKindEventText | ScpiKindSub,
    ScpiKindSettingSub = ScpiKindSetting | ScpiKindSub,
};

// Flags A: the word most command groups carry; the parser does not read it.
inline constexpr unsigned ScpiFlagsAGroup = 0xC1;

enum EScpiFlagB : unsigned {
    ScpiFlagBBothSides = 0x10,
    // Marks the firmware installed/update commands; not read by the parser.
    ScpiFlagBFirmware = 0x80000000u,
};

enum EScpiSuffix : int {
    ScpiSuffixNone = 0,
    ScpiSuffixInterface = 0x001,
    ScpiSuffixList = 0x002,
    ScpiSuffixSide = 0x004,
    ScpiSuffixOutput = 0x008,
    ScpiSuffixFixed = 0x100,
    // The fixed words in use: receive link (LVDS:RX), transmit link (LVDS:TX), output side.
    ScpiSuffixReceiveLink = ScpiSuffixFixed | ScpiSuffixList,
    ScpiSuffixTransmitLink = ScpiSuffixFixed | ScpiSuffixList | ScpiSuffixOutput,
    ScpiSuffixOutputSide = ScpiSuffixFixed | ScpiSuffixSide | ScpiSuffixOutput,
};

inline constexpr int ScpiMaxListSuffix = 64;

enum EScpiValType : unsigned {
    ScpiValKeyword = 0x00000002,
    ScpiValChar = 0x00000100,
    ScpiValNumeric = 0x00000E00,
    ScpiValBits = 0x0001C000,
    ScpiValString = 0x00020000,
    ScpiValList = 0x00400000,
};

// Format words of the descriptors in use; the parser does not read them.
enum EScpiValFormat : unsigned {
    ScpiFormatPlain = 0x100,
    ScpiFormatNumber = 0x101,
    ScpiFormatBits = 0x200,
};

// Unit code: quantity in the high byte, signed power of ten in the low byte.
enum EScpiQuantity : int {
    ScpiQuantityFrequency = 0x27,
    ScpiQuantityTime = 0x34,
};

constexpr int scpiUnitCode(EScpiQuantity quantity, int powerOfTen) {
    return (int(quantity) << 8) | (powerOfTen & 0xFF);
}

enum EScpiKeywordFlag {
    ScpiKeywordSpecial = 0x1,
};

enum EScpiSpecialValue {
    ScpiSpecialMin = 1,
    ScpiSpecialDef = 2,
    ScpiSpecialMax = 3,
    ScpiSpecialUp = 4,
    ScpiSpecialDown = 5,
};

// Builds the parse table of a command array (ended by a null mnemonic), stores it in *slot and returns
// it. Sub-level slots are read when a command is parsed, so tables may be made in any order.
VGX_EXPORT SScpiParseTable* MakeParseTable(SScpiParseTable** slot, const SScpiCmd* array);
// Frees a table made by MakeParseTable and clears the slot it was stored in.
VGX_EXPORT void FreeParseTable(SScpiParseTable* table);

} // namespace MvQARN
