#include "host/scpi/impl/ScpiParseTable.h"

#include "host/scpi/impl/ScpiValues.h"

namespace MvQARN {

SScpiParseTable* MakeParseTable(SScpiParseTable** slot, const SScpiCmd* array) {
    auto* table = new SScpiParseTable;
    table->slot = slot;
    table->array = array;
    for (const SScpiCmd* c = array; c && c->mnemonic; ++c) {
        SScpiEntry e;
        e.longForm = scpiLongForm(c->mnemonic);
        e.shortForm = scpiShortForm(c->mnemonic);
        e.cmd = c;
        e.suffixWord = c->suffix;
        e.flagsB = c->flagsB;
        e.subSlot = c->sub;
        switch (c->kind & ~ScpiKindSub) {
        case ScpiKindQuery:
            e.acceptsQuery = true;
            break;
        case ScpiKindEventText:
        case ScpiKindEvent:
            e.acceptsSet = true;
            break;
        case ScpiKindSetting:
            e.acceptsSet = true;
            e.acceptsQuery = true;
            break;
        default: // a pure node
            break;
        }
        table->entries.push_back(std::move(e));
    }
    if (slot)
        *slot = table;
    return table;
}

void FreeParseTable(SScpiParseTable* table) {
    if (!table)
        return;
    if (table->slot && *table->slot == table)
        *table->slot = nullptr;
    delete table;
}

} // namespace MvQARN
