#include "host/gui/VGXDescriptorEntry.h"

#include <QCoreApplication>

namespace MvQARN {

VGXDescriptorEntry::VGXDescriptorEntry(const VGXUserDbAttributes& binding, bool enabled,
                                       const QString& translatorContext)
    : m_binding(binding), m_enabled(enabled), m_translatorContext(translatorContext) {}

VGXDescriptorEntry::~VGXDescriptorEntry() = default;

QString VGXDescriptorEntry::describe() const {
    return QString::fromLatin1(kind()) + QLatin1Char(' ') + QString::fromUtf8(m_binding.name());
}

QString VGXDescriptorEntry::translated(const QString& text) const {
    if (m_translatorContext.isEmpty())
        return text;
    return QCoreApplication::translate(m_translatorContext.toUtf8().constData(), text.toUtf8().constData());
}

} // namespace MvQARN
