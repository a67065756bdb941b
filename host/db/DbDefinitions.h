#pragma once
// Definition records: the constant data a module hands the database to define its parameters.
// Fields keep the order of the host's record layout; their sizes are asserted in 32-bit builds only.
#include <cstddef>
#include <cstdint>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbChkFunc;
class CDbCnvInFunc;
class CDbCnvOutFunc;
class CDbUpdFunc;
class CDbPresFunc;
class CDbSavRclFunc;
class COlLoadableExtension;

// Maps an addressed instance to the stored one (for lists shared by several instances).
typedef int (*DbIdxFunc)(SDbInstTupel& tupel);

// What a record's fileOp says about a file-list parameter: a name to delete, or the list of the
// folder's files (the list administration fills it).
inline constexpr int DbFileOpDelete = 2;
inline constexpr int DbFileOpCatalogue = 7;

struct SDbDefCommon {
    const char* name;
    int firstA[4];
    int countA[4];
    int firstB[4];
    int countB[4];
    int type;
    int fileListType;
    unsigned flagL;    // 0x400000 on settable interface, recorder and service parameters
    unsigned flagExec; // 0x88000000 on the connection-test parameters
    int fileOp;
    int reserved11;
    unsigned attr;
    unsigned family; // 0x10121, 0x10000, 0x121 or 0x10169
    int reserved14[4];
    int marker14; // 0xffffff
    int unit;
    int reserved16[3];
    CDbChkFunc* chk;
    CDbCnvInFunc* cnvIn;
    CDbCnvOutFunc* cnvOut;
    CDbUpdFunc* upd;
    DbIdxFunc idx;
    CDbSavRclFunc* savRcl;
    CDbPresFunc* pres;
    int reserved20[2];
    int marker20; // -1
    int word21;
    unsigned grp; // low 16 bits group, high 16 bits sub-group flags
};

struct SDbDefEvent {
    SDbDefCommon c;
    int reserved[2];
};

struct SDbDefNBit {
    SDbDefCommon c;
    int minLen;
    int maxLen;
    int defLen;
    int one;
    int lenWords[4];
    const uint32_t* lowest;
    const uint32_t* highest;
    const uint32_t* def;
    const uint32_t* def2;
    int one2;
    int reserved[2];
};

struct SDbDefNInt {
    SDbDefCommon c;
    int minVal;
    int maxVal;
    int maxCount;
    int reserved[31];
};

struct SDbDefNString {
    SDbDefCommon c;
    int one;
    int maxEntries; // 100
    int one2;
    int one3;
    int hostLimits[10];
    int one4;
    int reserved[3];
};

struct SDbDefNumber {
    SDbDefCommon c;
    double min;
    double max;
    double def;
    double def2;
    double step;
    int reserved[3];
};

struct SDbDefSelect {
    SDbDefCommon c;
    int min;
    int max;
    int def;
    int def2;
    int step;
    int reserved[2];
    const int* ids; // choice identifiers; null means 0 .. count-1 (or min .. max)
    int idCount;
    int reserved2;
};

struct SDbDefString {
    SDbDefCommon c;
    int flag;
    int maxLen; // 256
    int defLen;
    int one;
    int hostMinLen;
    int hostMaxLen;
    int defLen2;
    int emptyLen;
    int elemLimits[2];
    int valueLimits[2];
    const char* def;
    const char* def2;
    int one2;
    int reserved[3];
};

#if UINTPTR_MAX == 0xffffffffu
static_assert(sizeof(SDbDefCommon) == 184);
static_assert(sizeof(SDbDefEvent) == 192);
static_assert(sizeof(SDbDefNBit) == 244);
static_assert(sizeof(SDbDefNInt) == 320);
static_assert(sizeof(SDbDefNString) == 256);
static_assert(sizeof(SDbDefNumber) == 236);
static_assert(sizeof(SDbDefSelect) == 224);
static_assert(sizeof(SDbDefString) == 256);
#endif

// One typed record array of a descriptor.
struct SDbDefArray {
    int type;            // EDbType of every record in the array
    const void* records; // first record
    const int* count;    // number of records
};

struct SDbDescriptor {
    const SDbDefArray* arrays;
    int arrayCount;
    int version; // 3
};

// A list type announced to the list administration.
struct SListTypeEntry {
    int type;
    const char* name;
    const char* dataKind; // "DATA_NONE"
    const char* dirKind;  // "LaDirNone"
    int flags[6];
    const char* typeTag;
};

// The device database description: the descriptor under its database module name.
struct SDevDbInfo {
    const char* moduleName; // "Database"
    const SDbDescriptor* descriptor;
    unsigned grp;      // 0x24
    const char* label; // "lynx box"
};

// The module database description; also tells the host where the organisation layer is published.
struct SMdlDbInfo {
    const SDevDbInfo* dev;
    COlLoadableExtension** orgLayer;
    const SListTypeEntry* listTypes;
    int listTypeCount;
};

// Byte size of one definition record of a type; 0 for types without a record layout.
VGX_EXPORT size_t dbRecordSize(int type);

// Host index function: every instance of the record shares the value stored at t0 = t1 = 0.
VGX_EXPORT int idxL2PDbAllX21(SDbInstTupel& tupel);

} // namespace MvQARN
