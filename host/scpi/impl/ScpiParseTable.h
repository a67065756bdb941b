#pragma once
// The host parser's form of a command table: the records of one command array (or the host's own
// commands) with their mnemonic forms prepared for matching.
#include <QByteArray>
#include <cstring>
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
    // Every header element is matched against whole tables, so most comparisons fail: the length
    // and the first byte settle nearly all of them without a call.
    bool matches(const QByteArray& upper) const { return same(upper, longForm) || same(upper, shortForm); }
    static bool same(const QByteArray& a, const QByteArray& b) {
        const qsizetype n = a.size();
        return n == b.size() && (n == 0 || (a.constData()[0] == b.constData()[0] &&
                                            std::memcmp(a.constData(), b.constData(), size_t(n)) == 0));
    }
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
