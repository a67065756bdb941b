#pragma once
// The plug-in's SCPI command tree as constant record arrays, and the builder that makes the parse
// tables of all of them.
#include "host/scpi/ScpiRecords.h"

namespace Kobra {

// The SPI clock frequency command: its query answer is replaced by the module (frequency in Hz).
inline constexpr int ScpiCodeSpiClockFrequency = 0x5096C;
// Command codes of the commands that reach a parameter: one per parameter, all inside this range.
inline constexpr int ScpiFirstCode = 0x50910;
inline constexpr int ScpiLastCode = 0x50980;

// One command array with the slot its parse table goes to.
struct SScpiArray {
    MvQARN::SScpiParseTable** slot;
    const MvQARN::SScpiCmd* commands;
};

// Every command array of the tree, the root first; count receives their number.
const SScpiArray* scpiArrays(int& count);

// Root table slot, table counter and table list the module hands to the host.
extern MvQARN::SScpiParseTable* g_scpiRootTable;
extern int g_scpiTableCount;
inline constexpr int ScpiTableCapacity = 80;
extern MvQARN::SScpiParseTable* g_scpiTableList[ScpiTableCapacity];

// Makes the parse table of every array, root first, appending each to list and counting in count.
void buildScpiTables(int* count, MvQARN::SScpiParseTable** list);

} // namespace Kobra
