#pragma once
// Parameters the host itself defines and modules read or write: the baseband input and output,
// the reference oscillator, the protection level, the CPRI and DigRF states, the recall
// notification, the placeholder name IdPDbNone and the command line of the host's SCPI terminal.
#include "host/db/DbDefinitions.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

// Registers the host parameters with the database; the runtime calls it once at start. Calling it
// again does nothing.
VGX_EXPORT void registerHostParameters();

// The descriptor registerHostParameters hands to the database.
const SDbDescriptor& hostParameterDescriptor();

// Instance-index function of the host parameters stored once for every instance (the protection
// level): folds the whole tuple to 0.
int idxHostSingle(SDbInstTupel& tupel);

} // namespace MvQARN
