#pragma once
#include <QVector>

#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

// An integer array, for example the recorder's I/Q words.
class VGX_EXPORT CDbDataTypeNInt : public CDbDataType {
public:
    CDbDataTypeNInt() = default;
    explicit CDbDataTypeNInt(const QVector<qint32>& v) : m_val(v) {}
    int getType() const override { return DbTypeNInt; }
    CDbDataType* clone() const override { return new CDbDataTypeNInt(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeNInt && static_cast<const CDbDataTypeNInt&>(o).m_val == m_val;
    }
    QString toText() const override;
    const QVector<qint32>& getValues() const { return m_val; }

private:
    QVector<qint32> m_val;
};

} // namespace MvQARN
