#pragma once
// The box's hardware configuration record (command 35): 1500 bytes of zero-terminated 8-bit texts at
// fixed offsets. The caller hands a zeroed area; the framework fills the fields it knows.
#include <cstddef>
#include <cstring>
#include <string>

namespace MvQARN {
namespace KobraHwConfig {

inline constexpr int Size = 1500;

// Field offsets.
inline constexpr int PartNumber = 0;
inline constexpr int SerialNumber = 100;
inline constexpr int FirmwareVersion = 200;
inline constexpr int FpgaVersion = 300;
inline constexpr int BoardPartNumber = 400;
inline constexpr int BoardSerialNumber = 500;
inline constexpr int BoardRevision = 600;
inline constexpr int CpldVersion = 700;
inline constexpr int PpcVersion = 800;
inline constexpr int DigIoFpgaVersion = 900;
inline constexpr int BobFpgaVersion = 1000;
inline constexpr int BobType = 1100;
inline constexpr int BobRevision = 1200;   // "major.minor", decimal
inline constexpr int BobPartNumber = 1300; // decimal digits
inline constexpr int BobSerialNumber = 1400;
inline constexpr int Controller = 1450;

// Room of a field, its terminating zero included: up to the next field or the record's end.
constexpr int fieldSize(int offset) {
    return offset >= BobSerialNumber
               ? (offset >= Controller ? Size - Controller : Controller - BobSerialNumber)
               : 100;
}

// The text of a field; never reads past the field even when its terminator is missing.
inline std::string text(const char* record, int offset) {
    const char* f = record + offset;
    return std::string(f, strnlen(f, size_t(fieldSize(offset))));
}

// Stores a text in a field, cut to the field's room, and zero-fills the rest of the field.
inline void setText(char* record, int offset, const std::string& value) {
    const size_t room = size_t(fieldSize(offset));
    const size_t n = value.size() < room ? value.size() : room - 1;
    std::memset(record + offset, 0, room);
    std::memcpy(record + offset, value.data(), n);
}

} // namespace KobraHwConfig
} // namespace MvQARN
