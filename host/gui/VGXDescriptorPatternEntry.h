#pragma once
// A string parameter typed from a small set of characters and shown in groups: for example a bit
// pattern of "0", "1" and "X" with a blank after every 4 characters. The blanks are only shown;
// the parameter holds the characters alone.
#include "host/gui/VGXDescriptorStringEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorPatternEntry : public VGXDescriptorStringEntry {
public:
    // groupSize 0 shows the text without blanks.
    VGXDescriptorPatternEntry(const VGXUserDbAttributes& binding, bool enabled, const QString& allowed,
                              int groupSize, int maxLength = 256,
                              const QString& translatorContext = QString());

    const char* kind() const override { return "pattern"; }
    QString describe() const override;

    const QString& allowed() const { return m_allowed; }
    int groupSize() const { return m_groupSize; }

    // The text with a blank after every group.
    QString grouped(const QString& plain) const;
    // The characters of typed text without the blanks; letters typed in the other case are taken
    // when only that case is allowed. False when a character is not allowed or the text is too long.
    bool accept(const QString& typed, QString& plain) const;

private:
    QString m_allowed;
    int m_groupSize;
};

} // namespace MvQARN
