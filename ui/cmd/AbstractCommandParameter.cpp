#include "ui/cmd/AbstractCommandParameter.h"

#include "host/gui/VGXMessageBox.h"

namespace MvQARN {

AbstractCommandParameter::AbstractCommandParameter(const QString& name, QMetaType::Type type)
    : m_name(name), m_type(type) {}

AbstractCommandParameter::~AbstractCommandParameter() = default;

double AbstractCommandParameter::string2Number(const QString& text) {
    bool ok = false;
    const qlonglong decimal = text.toLongLong(&ok, 10);
    if (ok)
        return double(decimal);
    const qlonglong hex = text.toLongLong(&ok, 16);
    if (ok)
        return double(hex);
    const double floating = text.toDouble(&ok);
    if (ok)
        return floating;
    VGXMessageBox box(QStringLiteral("Error"),
                      QStringLiteral("DizeriCommandParameter: Cannot convert '%1' to number!").arg(text),
                      VGXMessageBox::Critical);
    box.addDialogButton(VGXMessageBox::ButtonOk);
    box.exec();
    return 0.0;
}

void AbstractCommandParameter::setMinimum(const QString& text) {
    m_minimum = string2Number(text);
}

void AbstractCommandParameter::setMaximum(const QString& text) {
    m_maximum = string2Number(text);
}

void AbstractCommandParameter::addValue(const QVariant& value) {
    if (m_type != QMetaType::QStringList) {
        m_value = value;
        return;
    }
    m_items.append(value.toString());
    if (m_value.isNull())
        m_value = m_items;
    rebuildSelection();
}

void AbstractCommandParameter::addValue(const QVariant& value, const QString& text) {
    m_items.append(text);
    m_itemIds.append(value.toInt());
    if (m_value.isNull())
        m_value = m_items;
    rebuildSelection();
}

QString AbstractCommandParameter::listItemValue(int i) const {
    if (!m_itemIds.isEmpty() && m_itemIds.size() == m_items.size())
        return QString::number(m_itemIds.value(i));
    return m_items.value(i);
}

bool AbstractCommandParameter::checkParameterValue(QString& text) const {
    const double number = string2Number(text);
    if (number > m_maximum) {
        text = QString::number(m_maximum, 'g', 6);
        return true;
    }
    if (number < m_minimum) {
        text = QString::number(m_minimum, 'g', 6);
        return true;
    }
    return false;
}

void AbstractCommandParameter::rebuildSelection() {
    const bool withIds = m_itemIds.size() == m_items.size();
    m_selectionStorage.clear();
    m_selectionTexts.clear();
    m_selectionValues.clear();
    for (int i = 0; i < m_items.size(); ++i) {
        m_selectionStorage.append(m_items.at(i).toUtf8());
        m_selectionValues.push_back(withIds ? m_itemIds.at(i) : i);
    }
    for (const QByteArray& text : std::as_const(m_selectionStorage))
        m_selectionTexts.push_back(text.constData());
    m_selectionTexts.push_back(nullptr);
}

} // namespace MvQARN
