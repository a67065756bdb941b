#pragma once
// An OFF/ON parameter shown as a check box with a text for each state.
#include "host/gui/VGXDescriptorEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorCheckboxEntry : public VGXDescriptorEntry {
public:
    VGXDescriptorCheckboxEntry(const VGXUserDbAttributes& binding, bool enabled, const QString& offText,
                               const QString& onText, const QString& translatorContext = QString());

    const char* kind() const override { return "checkbox"; }
    QString describe() const override;

    const QString& offText() const { return m_offText; }
    const QString& onText() const { return m_onText; }
    // The translated text of a state.
    QString stateText(bool on) const { return translated(on ? m_onText : m_offText); }

private:
    QString m_offText;
    QString m_onText;
};

} // namespace MvQARN
