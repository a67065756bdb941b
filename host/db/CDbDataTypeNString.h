#pragma once
#include <QStringList>

#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbDataTypeNString : public CDbDataType {
public:
    CDbDataTypeNString() = default;
    explicit CDbDataTypeNString(const QStringList& v) : m_val(v) {}
    int getType() const override { return DbTypeNString; }
    CDbDataType* clone() const override { return new CDbDataTypeNString(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeNString && static_cast<const CDbDataTypeNString&>(o).m_val == m_val;
    }
    QString toText() const override { return m_val.join(QLatin1Char(',')); }
    const QStringList& getValList() const { return m_val; }
    int count() const { return int(m_val.size()); }

private:
    QStringList m_val;
};

} // namespace MvQARN
