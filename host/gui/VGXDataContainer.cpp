#include "host/gui/VGXDataContainer.h"

#include "host/db/CDbDataTypeNString.h"

namespace MvQARN {

VGXDataContainer::VGXDataContainer(int value) : m_value(CDbAllType::fromInt(value)) {}

VGXDataContainer::VGXDataContainer(double value) : m_value(CDbAllType::fromDouble(value)) {}

VGXDataContainer::VGXDataContainer(const QString& value) : m_value(CDbAllType::fromString(value)) {}

VGXDataContainer::VGXDataContainer(const QStringList& value) : m_value(new CDbDataTypeNString(value)) {}

int VGXDataContainer::getIntegerData() const {
    int v = 0;
    return m_value.toInt(v) ? v : 0;
}

double VGXDataContainer::getDoubleData() const {
    double v = 0;
    return m_value.toDouble(v) ? v : 0.0;
}

QString VGXDataContainer::getStringData() const {
    QString s;
    return m_value.toString(s) ? s : m_value.toText();
}

QStringList VGXDataContainer::getStringListData() const {
    if (m_value.getType() != DbTypeNString)
        return {};
    return static_cast<const CDbDataTypeNString*>(m_value.get())->getValList();
}

} // namespace MvQARN
