#pragma once
#include <QVector>

#include "host/db/CDbDataType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

// A list of doubles; check functions publish their dynamic minimum and maximum as two elements.
class VGX_EXPORT CDbDataTypeNDbl : public CDbDataType {
public:
    CDbDataTypeNDbl() = default;
    explicit CDbDataTypeNDbl(const QVector<double>& v) : m_val(v) {}
    CDbDataTypeNDbl(double a, double b) : m_val{a, b} {}
    int getType() const override { return DbTypeNDbl; }
    CDbDataType* clone() const override { return new CDbDataTypeNDbl(m_val); }
    bool isEqual(const CDbDataType& o) const override {
        return o.getType() == DbTypeNDbl && static_cast<const CDbDataTypeNDbl&>(o).m_val == m_val;
    }
    QString toText() const override;
    const QVector<double>& getValues() const { return m_val; }
    int count() const { return int(m_val.size()); }
    double at(int i) const { return m_val.at(i); }

private:
    QVector<double> m_val;
};

} // namespace MvQARN
