#pragma once
#include <QByteArray>

#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbDataTypeNByte : public CDbDataType {
public:
    explicit CDbDataTypeNByte(const QByteArray& v = QByteArray()) : m_val(v) {}
    int getType() const override { return DbTypeNByte; }
    CDbDataType* clone() const override { return new CDbDataTypeNByte(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeNByte && static_cast<const CDbDataTypeNByte&>(o).m_val == m_val;
    }
    QString toText() const override { return QString::fromLatin1(m_val.toHex()); }
    const QByteArray& getValBytes() const { return m_val; }

private:
    QByteArray m_val;
};

} // namespace MvQARN
