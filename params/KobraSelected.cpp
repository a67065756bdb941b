#include "params/KobraSelected.h"

#include <limits>

#include "host/db/CDbCnct.h"
#include "params/KobraSerials.h"

using namespace MvQARN;

namespace Kobra {

int getKobraSelected(CDbCnct& cnct, bool configured) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;
    const std::optional<qlonglong> serial = selectedSerial(*db, configured, cnct.t0(), cnct.t1());
    // The callers hand the serial number on as an int.
    return serial && *serial <= std::numeric_limits<int>::max() ? int(*serial) : 0;
}

} // namespace Kobra
