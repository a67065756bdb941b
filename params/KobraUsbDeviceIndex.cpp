#include "params/KobraUsbDeviceIndex.h"

namespace Kobra {

int idxUsbDevice(MvQARN::SDbInstTupel& tupel) {
    tupel.t0 = 0;
    tupel.t1 = 0;
    return 0;
}

} // namespace Kobra
