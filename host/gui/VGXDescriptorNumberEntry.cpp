#include "host/gui/VGXDescriptorNumberEntry.h"

#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

VGXDescriptorNumberEntry::VGXDescriptorNumberEntry(const VGXUserDbAttributes& binding, bool enabled,
                                                   int decimals, const QString& unit,
                                                   const QString& translatorContext)
    : VGXDescriptorEntry(binding, enabled, translatorContext), m_decimals(qMax(0, decimals)), m_unit(unit) {}

QString VGXDescriptorNumberEntry::describe() const {
    return VGXDescriptorEntry::describe() + QStringLiteral(" %1 ").arg(m_decimals) +
           VGXGuiRegistry::quoted(m_unit);
}

QString VGXDescriptorNumberEntry::format(double value) const {
    const QString number = QString::number(value, 'f', m_decimals);
    return m_unit.isEmpty() ? number : number + QLatin1Char(' ') + translated(m_unit);
}

} // namespace MvQARN
