#pragma once
// Base of every value the parameter database stores or carries.
#include <QString>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbDataType {
public:
    virtual ~CDbDataType() = default;
    virtual int getType() const = 0;
    virtual CDbDataType* clone() const = 0;
    virtual bool isEqual(const CDbDataType& other) const = 0;
    // Human-readable form, also used by settings files and traces.
    virtual QString toText() const = 0;
};

} // namespace MvQARN
