#include "host/db/DbDefinitions.h"

namespace MvQARN {

int idxL2PDbAllX21(SDbInstTupel& tupel) {
    tupel.t0 = 0;
    tupel.t1 = 0;
    return DbOk;
}

} // namespace MvQARN
