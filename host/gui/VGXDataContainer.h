#pragma once
// A database value handed between the GUI and the database: what a connector entry writes, and what
// it or a data event reads.
#include <QString>
#include <QStringList>

#include "host/db/CDbAllType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXDataContainer {
public:
    VGXDataContainer() = default;
    explicit VGXDataContainer(const CDbAllType& value) : m_value(value) {}
    explicit VGXDataContainer(int value);
    explicit VGXDataContainer(double value);
    explicit VGXDataContainer(const QString& value);
    explicit VGXDataContainer(const QStringList& value);

    bool hasData() const { return !m_value.isNull(); }
    int getType() const { return m_value.getType(); }
    const CDbAllType& getValue() const { return m_value; }

    // Selections and numbers (rounded); 0 for other values.
    int getIntegerData() const;
    // Numbers and selections; 0 for other values.
    double getDoubleData() const;
    // The text of a string; the display text of any other value.
    QString getStringData() const;
    QStringList getStringListData() const;

private:
    CDbAllType m_value;
};

} // namespace MvQARN
