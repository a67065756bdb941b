#pragma once
// Basic types of the host parameter database shared by every interface header.
#include <cstdint>

namespace MvQARN {

// Value type codes of definition records and value objects.
enum EDbType {
    DbTypeEvent = 1,
    DbTypeNBit = 2,
    DbTypeNByte = 3,
    DbTypeNDbl = 4,
    DbTypeNInt = 5,
    DbTypeNString = 7,
    DbTypeNumber = 8,
    DbTypeSelect = 9,
    DbTypeString = 10,
};

// Unit codes carried by definition records.
enum EDbUnit {
    DbUnitNone = 0,
    DbUnitDb = 0x0e,
    DbUnitHz = 0x27,
    DbUnitSec = 0x34,
    DbUnitBit = 0x42,
    DbUnitCount = 0x52,
};

// An instance tuple: t0 path, t1 side, t2, t3 list index.
struct SDbInstTupel {
    int t0 = 0;
    int t1 = 0;
    int t2 = 0;
    int t3 = 0;
    bool operator==(const SDbInstTupel&) const = default;
};

// Instance of a parameter named in a module request.
struct SMsgParmInstTupel {
    const char* name = nullptr;
    SDbInstTupel tupel;
};

// Host error numbers. Refusals return them; 0 means accepted.
enum EDbError {
    DbOk = 0,
    DbErrNoModule = 1,
    DbErrOlCommand = 3,
    DbErrWrongType = 20000,
    DbErrOutOfRange = 20001,
    DbErrUnknownParameter = 20002,
    DbErrInstance = 20003,
    DbErrReadOnly = 20004,
    DbErrSsiLogic = 20005,
    DbErrRefFreq = 20006,
    DbErrNesting = 20010,
    DbErrFileMissing = 20012,
    DbErrBadFile = 20013,
    DbErrBadFileName = 20014,
    DbErrProtected = 20015,
    DbErrFileWrite = 20016,
    DbErrSsiDirection = 20021,
    DbErrUiStateOff = 20023,
    DbErrWithText = 20025,
    DbErrNoBox = 20039,
};

// Flag word bits of a message.
enum EDbMsgFlag : unsigned {
    DbFlagLiftSsiDirection = 0x2, // bit 1 of the flag byte: SSI data may be written in any direction
    DbFlagReapply = 32,           // a rewrite of the same value that must re-run its update
    DbFlagForGui = 0x80000000u,   // a correction made by the system, shown to the user
};

// Message types.
enum EDbMsgType {
    DbMsgSet = 1,
    DbMsgExec = 6, // an explicit execute or query from a user or remote program
};

// Text of a host error number; empty for numbers that always travel with their own text.
const char* dbErrorText(int error);

} // namespace MvQARN
