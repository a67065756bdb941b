#pragma once
// The plug-in's parameter catalogue: the definition records handed to the host database and the
// descriptor that lists them (seven typed arrays: event, bit field, integer array, string list,
// number, selection, string). Function objects are bound into the records by KobraFunctionSlots.h.
#include <QByteArray>
#include <QList>

#include "host/db/DbDefinitions.h"

namespace Kobra {

// Descriptor of all record arrays, version 3.
extern const MvQARN::SDbDescriptor g_dbDescriptor;

// One record of the catalogue and the function slots (EFnSlot bits) its row reserves.
struct SCatalogueEntry {
    const MvQARN::SDbDefCommon* record;
    unsigned fnSlots;
};

// Every record in descriptor order; a parameter defined by several records appears several times.
const QList<SCatalogueEntry>& catalogueEntries();

// The index-th record of the named parameter, or null.
const MvQARN::SDbDefCommon* catalogueRecord(const char* name, int index = 0);
// Number of records of the named parameter (0 for unknown names).
int catalogueRecordCount(const char* name);
// Distinct parameter names in descriptor order.
QList<QByteArray> catalogueNames();

// Typed view of a record; null when the record is of another type.
const MvQARN::SDbDefSelect* asSelect(const MvQARN::SDbDefCommon* record);
const MvQARN::SDbDefNumber* asNumber(const MvQARN::SDbDefCommon* record);
const MvQARN::SDbDefString* asString(const MvQARN::SDbDefCommon* record);

// Writable record for the binding code of KobraFunctionSlots.cpp; index into catalogueEntries().
MvQARN::SDbDefCommon* catalogueRecordForBinding(int entryIndex);

} // namespace Kobra
