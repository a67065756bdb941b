#pragma once
#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

// The value of an action parameter: it carries no data, writing it runs the action.
class VGX_EXPORT CDbDataTypeEvent : public CDbDataType {
public:
    int getType() const override { return DbTypeEvent; }
    CDbDataType* clone() const override { return new CDbDataTypeEvent; }
    bool isEqual(const CDbDataType& o) const override { return o.getType() == DbTypeEvent; }
    QString toText() const override { return QString(); }
};

} // namespace MvQARN
