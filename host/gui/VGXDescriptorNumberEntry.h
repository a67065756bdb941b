#pragma once
// A number parameter shown as a numeric field with a number of decimals and a unit text.
#include "host/gui/VGXDescriptorEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorNumberEntry : public VGXDescriptorEntry {
public:
    VGXDescriptorNumberEntry(const VGXUserDbAttributes& binding, bool enabled, int decimals,
                             const QString& unit = QString(), const QString& translatorContext = QString());

    const char* kind() const override { return "number"; }
    QString describe() const override;

    int decimals() const { return m_decimals; }
    const QString& unit() const { return m_unit; }
    // The value as the field shows it: fixed decimals, then the unit.
    QString format(double value) const;

private:
    int m_decimals;
    QString m_unit;
};

} // namespace MvQARN
