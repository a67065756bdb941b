#include "host/gui/VGXDescriptorCheckboxEntry.h"

#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

VGXDescriptorCheckboxEntry::VGXDescriptorCheckboxEntry(const VGXUserDbAttributes& binding, bool enabled,
                                                       const QString& offText, const QString& onText,
                                                       const QString& translatorContext)
    : VGXDescriptorEntry(binding, enabled, translatorContext), m_offText(offText), m_onText(onText) {}

QString VGXDescriptorCheckboxEntry::describe() const {
    return VGXDescriptorEntry::describe() + QLatin1Char(' ') + VGXGuiRegistry::quoted(m_offText) +
           QLatin1Char(' ') + VGXGuiRegistry::quoted(m_onText);
}

} // namespace MvQARN
