#pragma once
// One parameter of a terminal command: a typed value, optional choices (texts with or without
// numeric identifiers), a numeric range and a description.
#include <QByteArrayList>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT AbstractCommandParameter {
public:
    // type: the value's type, QMetaType::QStringList for a choice among texts.
    AbstractCommandParameter(const QString& name, QMetaType::Type type);
    ~AbstractCommandParameter();
    AbstractCommandParameter(const AbstractCommandParameter&) = delete;
    AbstractCommandParameter& operator=(const AbstractCommandParameter&) = delete;

    const QString& name() const { return m_name; }
    QMetaType::Type type() const { return m_type; }
    const QVariant& value() const { return m_value; }
    const QString& description() const { return m_description; }
    void setDescription(const QString& text) { m_description = text; }
    bool isOptional() const { return m_optional; }
    void setOptional(bool optional) { m_optional = optional; }

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    // Decimal, hexadecimal or floating-point text; text that is none of them shows an error box
    // and sets 0.
    void setMinimum(const QString& text);
    void setMaximum(const QString& text);

    // A string-list parameter gets the value's text as a further choice (the list becomes the value
    // when there was none); any other parameter takes the value.
    void addValue(const QVariant& value);
    // A choice with a numeric identifier: text is the choice, value its identifier.
    void addValue(const QVariant& value, const QString& text);
    const QStringList& values() const { return m_items; }
    const QList<int>& valueIds() const { return m_itemIds; }
    // The identifier of choice i in decimal when every choice has one, else the choice's text.
    QString listItemValue(int i) const;

    // Clamps the number in text to the range: an out-of-range text is replaced by the nearer limit
    // (6 significant digits) and the answer is true; otherwise text stays and the answer is false.
    bool checkParameterValue(QString& text) const;

    // The choices as plain arrays for a selection descriptor: texts closed by a null pointer, and
    // their values (the identifiers, or the positions when there are none).
    const char* const* selectionTexts() const { return m_selectionTexts.data(); }
    const int* selectionValues() const { return m_selectionValues.data(); }
    int selectionCount() const { return int(m_selectionValues.size()); }

private:
    static double string2Number(const QString& text);
    void rebuildSelection();

    QString m_name;
    QVariant m_value;
    QMetaType::Type m_type;
    QStringList m_items;
    QList<int> m_itemIds;
    QString m_description;
    double m_minimum = -32767.0;
    double m_maximum = 32767.0;
    bool m_optional = false;
    QByteArrayList m_selectionStorage;
    std::vector<const char*> m_selectionTexts{nullptr};
    std::vector<int> m_selectionValues;
};

} // namespace MvQARN
