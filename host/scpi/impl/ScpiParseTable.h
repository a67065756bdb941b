#pragma once
// The host parser's form of a command table: the records of one command array (or the host's own
// commands) with their mnemonic forms prepared for matching.
#include <QByteArray>
#include <memory>
#include <vector>

#include "host/scpi/ScpiRecords.h"
#include "host/scpi/impl/CScpiHostCall.h"

namespace MvQARN {

struct SScpiEntry {
    QByteArray longForm;           // upper case
    QByteArray shortForm;          // upper case
    const SScpiCmd* cmd = nullptr; // module record; null for host commands
    int suffixWord = 0;
    unsigned flagsB = 0;
    bool acceptsQuery = false;
    bool acceptsSet = false;                   // set form or event
    SScpiParseTable** subSlot = nullptr;       // module records: slot of the sub-level
    std::shared_ptr<SScpiParseTable> ownedSub; // host commands: the sub-level itself
    FScpiHostHandler queryHandler;             // host commands only
    FScpiHostHandler setHandler;

    const SScpiParseTable* sub() const;
    bool matches(const QByteArray& upper) const { return upper == longForm || upper == shortForm; }
};

struct SScpiParseTable {
    SScpiParseTable** slot = nullptr;
    const SScpiCmd* array = nullptr;
    std::vector<SScpiEntry> entries;
};

inline const SScpiParseTable* SScpiEntry::sub() const {
    if (ownedSub)
        return ownedSub.get();
    return subSlot ? *subSlot : nullptr;
}

} // namespace MvQARN
