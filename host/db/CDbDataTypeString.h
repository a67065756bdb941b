#pragma once
#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbDataTypeString : public CDbDataType {
public:
    explicit CDbDataTypeString(const QString& v = QString()) : m_val(v) {}
    int getType() const override { return DbTypeString; }
    CDbDataType* clone() const override { return new CDbDataTypeString(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeString && static_cast<const CDbDataTypeString&>(o).m_val == m_val;
    }
    QString toText() const override { return m_val; }
    const QString& getValStringQ() const { return m_val; }
    void setValStringQ(const QString& v) { m_val = v; }

private:
    QString m_val;
};

} // namespace MvQARN
