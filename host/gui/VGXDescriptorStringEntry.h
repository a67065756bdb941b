#pragma once
// A string parameter shown as an editable line with a length limit.
#include "host/gui/VGXDescriptorEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorStringEntry : public VGXDescriptorEntry {
public:
    VGXDescriptorStringEntry(const VGXUserDbAttributes& binding, bool enabled, int maxLength = 256,
                             const QString& translatorContext = QString());

    const char* kind() const override { return "string"; }
    QString describe() const override;

    int maxLength() const { return m_maxLength; }

private:
    int m_maxLength;
};

} // namespace MvQARN
