#pragma once
// Carrier of any database value; owns a copy of it.
#include <memory>

#include "host/db/CDbDataType.h"

namespace MvQARN {

class CDbAllType {
public:
    CDbAllType() = default;
    explicit CDbAllType(CDbDataType* takeOwnership) : m_val(takeOwnership) {}
    CDbAllType(const CDbDataType& v) : m_val(v.clone()) {}
    CDbAllType(const CDbAllType& o) : m_val(o.m_val ? o.m_val->clone() : nullptr) {}
    CDbAllType(CDbAllType&&) noexcept = default;
    CDbAllType& operator=(const CDbAllType& o) {
        if (this != &o)
            m_val.reset(o.m_val ? o.m_val->clone() : nullptr);
        return *this;
    }
    CDbAllType& operator=(CDbAllType&&) noexcept = default;

    static CDbAllType fromInt(int v);
    static CDbAllType fromDouble(double v);
    static CDbAllType fromString(const QString& v);

    bool isNull() const { return !m_val; }
    int getType() const { return m_val ? m_val->getType() : 0; }
    const CDbDataType* get() const { return m_val.get(); }
    CDbDataType* get() { return m_val.get(); }
    void set(CDbDataType* takeOwnership) { m_val.reset(takeOwnership); }
    bool isEqual(const CDbAllType& o) const {
        if (!m_val || !o.m_val)
            return !m_val && !o.m_val;
        return m_val->isEqual(*o.m_val);
    }

    // Convenience conversions; false when the value is of another kind.
    bool toDouble(double& out) const;  // number or selection
    bool toInt(int& out) const;        // selection, or a number rounded to the nearest integer
    bool toString(QString& out) const; // string only
    QString toText() const { return m_val ? m_val->toText() : QString(); }

private:
    std::unique_ptr<CDbDataType> m_val;
};

} // namespace MvQARN
