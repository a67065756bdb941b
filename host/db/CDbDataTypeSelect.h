#pragma once
#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

// A selection identifier, an OFF/ON state or a plain integer.
class VGX_EXPORT CDbDataTypeSelect : public CDbDataType, public CDbSmallBlock {
public:
    explicit CDbDataTypeSelect(int v = 0) : m_val(v) {}
    int getType() const override { return DbTypeSelect; }
    CDbDataType* clone() const override { return new CDbDataTypeSelect(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeSelect && static_cast<const CDbDataTypeSelect&>(o).m_val == m_val;
    }
    QString toText() const override { return QString::number(m_val); }
    int getValInt() const { return m_val; }
    void setValInt(int v) { m_val = v; }

private:
    int m_val;
};

} // namespace MvQARN
