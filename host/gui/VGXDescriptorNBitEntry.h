#pragma once
// A bit-pattern parameter shown as a hexadecimal field of a number of bits.
#include "host/gui/VGXDescriptorEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorNBitEntry : public VGXDescriptorEntry {
public:
    VGXDescriptorNBitEntry(const VGXUserDbAttributes& binding, bool enabled, int bits,
                           const QString& translatorContext = QString());

    const char* kind() const override { return "nbit"; }
    QString describe() const override;

    int bits() const { return m_bits; }
    // Hex digits the field shows for this many bits.
    int hexDigits() const { return (m_bits + 3) / 4; }

private:
    int m_bits;
};

} // namespace MvQARN
