#pragma once
// A descriptor tells the host's generic views (tables, property lists) how to show and edit one
// parameter: which control, with which texts. Entries are handed to VGXDescriptors, which owns them.
#include <QString>

#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorEntry {
public:
    VGXDescriptorEntry(const VGXUserDbAttributes& binding, bool enabled, const QString& translatorContext);
    VGXDescriptorEntry(const VGXDescriptorEntry&) = delete;
    VGXDescriptorEntry& operator=(const VGXDescriptorEntry&) = delete;
    virtual ~VGXDescriptorEntry();

    // Short kind word: "checkbox", "combobox", "number", "text", "string", "nbit".
    virtual const char* kind() const = 0;
    // One line: kind, parameter name, then what the kind adds ("checkbox IdPDbX "Off" "On"").
    virtual QString describe() const;

    const VGXUserDbAttributes& binding() const { return m_binding; }
    const char* parameterName() const { return m_binding.name().constData(); }
    bool isEnabled() const { return m_enabled; }
    const QString& translatorContext() const { return m_translatorContext; }

protected:
    // A user-visible text in the entry's translator context (unchanged without a context).
    QString translated(const QString& text) const;

private:
    VGXUserDbAttributes m_binding;
    bool m_enabled;
    QString m_translatorContext;
};

} // namespace MvQARN
