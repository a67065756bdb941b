#pragma once
// The few facts about database records that the GUI framework needs beyond what a connector entry
// offers, in one place so the framework depends on the database engine only here.
#include <QByteArray>
#include <QString>

#include "host/db/DbDefs.h"

namespace MvQARN::VGXDbAccess {

// True when the parameter is defined at the instance.
bool exists(const QByteArray& name, const SDbInstTupel& tupel);
// Type code of the record holding the instance (EDbType); 0 when there is none.
int recordType(const QByteArray& name, const SDbInstTupel& tupel);
// Unit code of that record (EDbUnit); 0 when none.
int recordUnit(const QByteArray& name, const SDbInstTupel& tupel);
// The folder settings files live in.
QString userSettingsFolder();

} // namespace MvQARN::VGXDbAccess
