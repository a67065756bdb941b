#include "host/gui/VGXDescriptorNBitEntry.h"

namespace MvQARN {

VGXDescriptorNBitEntry::VGXDescriptorNBitEntry(const VGXUserDbAttributes& binding, bool enabled, int bits,
                                               const QString& translatorContext)
    : VGXDescriptorEntry(binding, enabled, translatorContext), m_bits(qMax(0, bits)) {}

QString VGXDescriptorNBitEntry::describe() const {
    return VGXDescriptorEntry::describe() + QStringLiteral(" %1").arg(m_bits);
}

} // namespace MvQARN
