#pragma once
// Which record and stored instance hold the value of an addressed instance of a parameter. Several
// addressed instances may share one stored value, and of several records of one name the narrowest
// that holds the instance wins; a change (SDbChange) concerns an addressed instance when both map to
// the same record and stored instance.
#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct SDbDefCommon;

class VGX_EXPORT CDbInstanceMap {
public:
    virtual ~CDbInstanceMap() = default;
    // 0 with def and stored set, or an error (unknown parameter, no such instance).
    virtual int locate(const char* name, const SDbInstTupel& t, const SDbDefCommon*& def,
                       SDbInstTupel& stored) const = 0;
};

} // namespace MvQARN
