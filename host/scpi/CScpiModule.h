#pragma once
// A module's part of the host SCPI parser: the root of its command subtree and the hook through
// which it may replace the answer the host prepared for one of its queries.
#include <QString>

#include "host/db/DbDefs.h"
#include "host/scpi/ScpiRecords.h"

namespace MvQARN {

class VGX_EXPORT CScpiModule {
public:
    CScpiModule() = default;
    CScpiModule(const CScpiModule&) = delete;
    CScpiModule& operator=(const CScpiModule&) = delete;
    virtual ~CScpiModule() = default;

    virtual int getModuleNumber() const = 0;
    // Root table of the subtree, or null before the tables are built.
    virtual SScpiParseTable* getRootTable() const = 0;
    // Builds the tables when needed and registers the root table with the host parser; 0 or an error.
    virtual int initBase() = 0;
    // Unregisters the root table and frees the tables; safe to call twice.
    virtual void exitBase() = 0;

    // Called with the answer the host prepared for a query of a command of this module; the module may
    // replace it. The default keeps it.
    virtual void answerHook(int commandCode, const SDbInstTupel& tupel, QString& answer) {
        (void)commandCode;
        (void)tupel;
        (void)answer;
    }
};

} // namespace MvQARN
