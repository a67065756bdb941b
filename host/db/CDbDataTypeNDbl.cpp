#include "host/db/CDbDataTypeNDbl.h"

#include <QStringList>

namespace MvQARN {

QString CDbDataTypeNDbl::toText() const {
    QStringList parts;
    parts.reserve(m_val.size());
    for (double v : m_val)
        parts << QString::number(v, 'g', 17);
    return parts.join(QLatin1Char(','));
}

} // namespace MvQARN
