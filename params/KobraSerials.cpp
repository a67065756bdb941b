#include "params/KobraSerials.h"

#include <cmath>
#include <string>

#include "host/db/CDbDataBaseIfc.h"
#include "params/KobraSelected.h"

using namespace MvQARN;

namespace Kobra {

namespace {

constexpr qlonglong kMax = std::numeric_limits<qlonglong>::max();

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// value * 10 + digit without leaving the range.
bool appendDigit(qlonglong& value, int digit) {
    if (value > (kMax - digit) / 10)
        return false;
    value = value * 10 + digit;
    return true;
}

} // namespace

std::optional<qlonglong> parseSerial(const QString& text) {
    const QString t = text.trimmed();
    int pos = 0;
    const int n = int(t.size());
    if (pos < n && t.at(pos) == QLatin1Char('+'))
        ++pos;
    // Significant digits without leading zeros, and the power of ten of the last one.
    std::string digits;
    int scale = 0;
    bool anyDigit = false;
    for (; pos < n && isDigit(t.at(pos)); ++pos) {
        anyDigit = true;
        if (!digits.empty() || t.at(pos) != QLatin1Char('0'))
            digits.push_back(char(t.at(pos).unicode()));
    }
    if (pos < n && t.at(pos) == QLatin1Char('.')) {
        for (++pos; pos < n && isDigit(t.at(pos)); ++pos) {
            anyDigit = true;
            --scale;
            if (!digits.empty() || t.at(pos) != QLatin1Char('0'))
                digits.push_back(char(t.at(pos).unicode()));
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (pos < n && (t.at(pos) == QLatin1Char('e') || t.at(pos) == QLatin1Char('E'))) {
        ++pos;
        bool negative = false;
        if (pos < n && (t.at(pos) == QLatin1Char('+') || t.at(pos) == QLatin1Char('-')))
            negative = t.at(pos++) == QLatin1Char('-');
        if (pos >= n || !isDigit(t.at(pos)))
            return std::nullopt;
        int exponent = 0;
        for (; pos < n && isDigit(t.at(pos)); ++pos)
            exponent = qMin(exponent * 10 + t.at(pos).digitValue(), 100000);
        scale += negative ? -exponent : exponent;
    }
    if (pos != n || digits.empty())
        return std::nullopt;

    // Integer part: the digits before the decimal point the scale puts among them; the first digit
    // after it rounds.
    const int kept = int(digits.size()) + qMin(scale, 0);
    qlonglong value = 0;
    for (int i = 0; i < kept; ++i)
        if (!appendDigit(value, digits[i] - '0'))
            return std::nullopt;
    for (int i = 0; i < scale; ++i)
        if (!appendDigit(value, 0))
            return std::nullopt;
    if (kept >= 0 && kept < int(digits.size()) && digits[kept] >= '5') {
        if (value == kMax)
            return std::nullopt;
        ++value;
    }
    if (value < 1)
        return std::nullopt;
    return value;
}

std::optional<qlonglong> serialFromNumber(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::round(value);
    // 2^63 is the first double beyond the range.
    if (r < 1 || r >= 9223372036854775808.0)
        return std::nullopt;
    return qlonglong(r);
}

CKobraSerialList::CKobraSerialList(CDbDataBaseIfc& db, int t0, int t1) {
    int count = 0;
    m_status = db.getStringList("IdPDbKobraSerials", m_entries, count, t0, 0, 0, t1);
    if (m_status != DbOk)
        m_entries.clear();
}

std::optional<qlonglong> CKobraSerialList::serialAt(int index, int limit) const {
    if (index < 1 || index >= qMin(count(), limit))
        return std::nullopt;
    return parseSerial(m_entries.at(index));
}

std::optional<int> CKobraSerialList::indexOf(qlonglong serial) const {
    for (int i = 1; i < count(); ++i)
        if (parseSerial(m_entries.at(i)) == serial)
            return i;
    return std::nullopt;
}

std::optional<qlonglong> selectedSerial(CDbDataBaseIfc& db, bool configured, int t0, int t1, int* status) {
    int index = 0;
    int rc = configured ? db.getSelect("IdPDbKobraConfigSelected", index, 0, 0, 0, 0)
                        : db.getSelect("IdPDbKobraSelected", index, t0, 0, 0, t1);
    std::optional<qlonglong> serial;
    if (rc == DbOk) {
        const CKobraSerialList list(db, configured ? 0 : t0, configured ? 0 : t1);
        rc = list.status();
        serial = list.serialAt(index, SelectedSerialEntries);
    }
    if (status)
        *status = rc;
    return serial;
}

} // namespace Kobra
