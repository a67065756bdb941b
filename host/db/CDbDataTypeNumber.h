#pragma once
#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbDataTypeNumber : public CDbDataType, public CDbSmallBlock {
public:
    explicit CDbDataTypeNumber(double v = 0.0) : m_val(v) {}
    int getType() const override { return DbTypeNumber; }
    CDbDataType* clone() const override { return new CDbDataTypeNumber(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeNumber && static_cast<const CDbDataTypeNumber&>(o).m_val == m_val;
    }
    QString toText() const override { return QString::number(m_val, 'g', 17); }
    double getValDouble() const { return m_val; }
    void setValDouble(double v) { m_val = v; }

private:
    double m_val;
};

} // namespace MvQARN
