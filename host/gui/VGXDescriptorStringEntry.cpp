#include "host/gui/VGXDescriptorStringEntry.h"

namespace MvQARN {

VGXDescriptorStringEntry::VGXDescriptorStringEntry(const VGXUserDbAttributes& binding, bool enabled,
                                                   int maxLength, const QString& translatorContext)
    : VGXDescriptorEntry(binding, enabled, translatorContext), m_maxLength(qMax(0, maxLength)) {}

QString VGXDescriptorStringEntry::describe() const {
    return VGXDescriptorEntry::describe() + QStringLiteral(" %1").arg(m_maxLength);
}

} // namespace MvQARN
