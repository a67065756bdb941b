#include "host/gui/VGXDescriptorPatternEntry.h"

#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

VGXDescriptorPatternEntry::VGXDescriptorPatternEntry(const VGXUserDbAttributes& binding, bool enabled,
                                                     const QString& allowed, int groupSize, int maxLength,
                                                     const QString& translatorContext)
    : VGXDescriptorStringEntry(binding, enabled, maxLength, translatorContext), m_allowed(allowed),
      m_groupSize(qMax(0, groupSize)) {}

QString VGXDescriptorPatternEntry::describe() const {
    return VGXDescriptorStringEntry::describe() + QLatin1Char(' ') + VGXGuiRegistry::quoted(m_allowed) +
           QStringLiteral(" %1").arg(m_groupSize);
}

QString VGXDescriptorPatternEntry::grouped(const QString& plain) const {
    if (m_groupSize <= 0)
        return plain;
    QString out;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (i > 0 && i % m_groupSize == 0)
            out += QLatin1Char(' ');
        out += plain[i];
    }
    return out;
}

bool VGXDescriptorPatternEntry::accept(const QString& typed, QString& plain) const {
    plain.clear();
    for (QChar c : typed) {
        if (c == QLatin1Char(' '))
            continue;
        if (!m_allowed.contains(c)) {
            if (m_allowed.contains(c.toUpper()))
                c = c.toUpper();
            else if (m_allowed.contains(c.toLower()))
                c = c.toLower();
            else
                return false;
        }
        plain += c;
    }
    return plain.size() <= maxLength();
}

} // namespace MvQARN
