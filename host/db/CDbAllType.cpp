#include "host/db/CDbAllType.h"

#include <cmath>
#include <limits>

#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"

namespace MvQARN {

CDbAllType CDbAllType::fromInt(int v) {
    return CDbAllType(new CDbDataTypeSelect(v));
}

CDbAllType CDbAllType::fromDouble(double v) {
    return CDbAllType(new CDbDataTypeNumber(v));
}

CDbAllType CDbAllType::fromString(const QString& v) {
    return CDbAllType(new CDbDataTypeString(v));
}

bool CDbAllType::toDouble(double& out) const {
    switch (getType()) {
    case DbTypeNumber:
        out = static_cast<const CDbDataTypeNumber*>(m_val.get())->getValDouble();
        return true;
    case DbTypeSelect:
        out = static_cast<const CDbDataTypeSelect*>(m_val.get())->getValInt();
        return true;
    default:
        return false;
    }
}

bool CDbAllType::toInt(int& out) const {
    switch (getType()) {
    case DbTypeSelect:
        out = static_cast<const CDbDataTypeSelect*>(m_val.get())->getValInt();
        return true;
    case DbTypeNumber: {
        const double r = std::round(static_cast<const CDbDataTypeNumber*>(m_val.get())->getValDouble());
        if (!(r >= double(std::numeric_limits<int>::min()) && r <= double(std::numeric_limits<int>::max())))
            return false;
        out = int(r);
        return true;
    }
    default:
        return false;
    }
}

bool CDbAllType::toString(QString& out) const {
    if (getType() != DbTypeString)
        return false;
    out = static_cast<const CDbDataTypeString*>(m_val.get())->getValStringQ();
    return true;
}

} // namespace MvQARN
