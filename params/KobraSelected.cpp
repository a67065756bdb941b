#include "params/KobraSelected.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"

using namespace MvQARN;

namespace Kobra {

int getKobraSelected(CDbCnct& cnct, bool configured) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;
    int index = 0;
    const int rc = configured ? db->getSelect("IdPDbKobraConfigSelected", index, 0, 0, 0, 0)
                              : db->getSelect("IdPDbKobraSelected", index, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return 0;
    QStringList serials;
    int count = 0;
    const int t0 = configured ? 0 : cnct.t0();
    const int t1 = configured ? 0 : cnct.t1();
    if (db->getStringList("IdPDbKobraSerials", serials, count, t0, 0, 0, t1) != DbOk)
        return 0;
    count = qMin(qMin(count, int(serials.size())), SelectedSerialEntries);
    if (index < 1 || index >= count)
        return 0;
    // The list holds serial numbers as general-format numbers ("100123", "1.23457e+06").
    bool ok = false;
    const double v = serials.at(index).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    const double r = std::round(v);
    if (r < 0 || r > double(std::numeric_limits<int>::max()))
        return 0;
    return int(r);
}

} // namespace Kobra
