#include "host/db/DbDefinitions.h"

namespace MvQARN {

int idxL2PDbAllX21(SDbInstTupel& tupel) {
    tupel.t0 = 0;
    tupel.t1 = 0;
    return DbOk;
}

size_t dbRecordSize(int type) {
    switch (type) {
    case DbTypeEvent:
        return sizeof(SDbDefEvent);
    case DbTypeNBit:
        return sizeof(SDbDefNBit);
    case DbTypeNInt:
        return sizeof(SDbDefNInt);
    case DbTypeNString:
        return sizeof(SDbDefNString);
    case DbTypeNumber:
        return sizeof(SDbDefNumber);
    case DbTypeSelect:
        return sizeof(SDbDefSelect);
    case DbTypeString:
        return sizeof(SDbDefString);
    default:
        return 0;
    }
}

} // namespace MvQARN
