#include "host/gui/VGXDescriptorComboboxEntry.h"

#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

VGXDescriptorComboboxEntry::VGXDescriptorComboboxEntry(const VGXUserDbAttributes& binding, bool enabled,
                                                       const QStringList& texts, const QList<int>& values,
                                                       const QString& translatorContext)
    : VGXDescriptorEntry(binding, enabled, translatorContext), m_texts(texts), m_values(values) {
    if (m_values.isEmpty())
        for (int i = 0; i < m_texts.size(); ++i)
            m_values << i;
    // Texts and values pair by position; unpaired ones on either side are not offered.
    const qsizetype n = qMin(m_texts.size(), m_values.size());
    m_texts = m_texts.mid(0, n);
    m_values = m_values.mid(0, n);
}

QString VGXDescriptorComboboxEntry::describe() const {
    QString line = VGXDescriptorEntry::describe();
    for (qsizetype i = 0; i < m_texts.size(); ++i)
        line += QStringLiteral(" %1=%2").arg(VGXGuiRegistry::quoted(m_texts[i])).arg(m_values[i]);
    return line;
}

QString VGXDescriptorComboboxEntry::textOf(int value) const {
    const qsizetype i = m_values.indexOf(value);
    return i < 0 ? QString() : translated(m_texts[i]);
}

int VGXDescriptorComboboxEntry::valueOf(const QString& text) const {
    for (qsizetype i = 0; i < m_texts.size(); ++i)
        if (m_texts[i] == text || translated(m_texts[i]) == text)
            return m_values[i];
    return -1;
}

} // namespace MvQARN
