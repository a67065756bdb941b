#include "host/db/CDbDataTypeNInt.h"

#include <QStringList>

namespace MvQARN {

QString CDbDataTypeNInt::toText() const {
    QStringList parts;
    parts.reserve(m_val.size());
    for (qint32 v : m_val)
        parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

} // namespace MvQARN
