#pragma once
// Instance-index function of the USB device rows: all four interface instances address one list of
// devices, so the path and side of the tuple are folded to 0 and only the device index t3 remains.
#include "host/db/DbDefs.h"

namespace Kobra {

int idxUsbDevice(MvQARN::SDbInstTupel& tupel);

} // namespace Kobra
