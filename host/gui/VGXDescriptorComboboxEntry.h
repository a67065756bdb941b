#pragma once
// A selection parameter shown as a combo box: one text per selectable value.
#include <QList>
#include <QStringList>

#include "host/gui/VGXDescriptorEntry.h"

namespace MvQARN {

class VGX_EXPORT VGXDescriptorComboboxEntry : public VGXDescriptorEntry {
public:
    // values pairs with texts by position; left empty, the values are 0, 1, ...
    VGXDescriptorComboboxEntry(const VGXUserDbAttributes& binding, bool enabled, const QStringList& texts,
                               const QList<int>& values = QList<int>(),
                               const QString& translatorContext = QString());

    const char* kind() const override { return "combobox"; }
    QString describe() const override;

    const QStringList& texts() const { return m_texts; }
    const QList<int>& values() const { return m_values; }
    // Translated text of a value; empty for a value not offered.
    QString textOf(int value) const;
    // Value of an (untranslated or translated) text; -1 when not offered.
    int valueOf(const QString& text) const;

private:
    QStringList m_texts;
    QList<int> m_values;
};

} // namespace MvQARN
