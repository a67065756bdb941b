#pragma once
// The list of connected boxes ("IdPDbKobraSerials"): entry 0 is "None", every further entry names a
// box by its serial number, written as a whole number ("100123", "123456789"). One place reads it and
// turns an entry into a serial number; entries in another number form ("1.23457e+06") still read.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <limits>
#include <optional>

namespace MvQARN {
class CDbDataBaseIfc;
}

namespace Kobra {

// Serial number an entry of the list stands for, read as an exact decimal and rounded to an integer
// (half away from zero): "1.23457e+06" is 1234570. None for a text that is no number and for numbers
// below 1 ("None", "0", "-5") or beyond the integer range.
std::optional<qlonglong> parseSerial(const QString& text);

// Serial number a numeric argument (a written twin, a module request) stands for, rounded; none when
// it is not finite, below 1 after rounding or beyond the integer range.
std::optional<qlonglong> serialFromNumber(double value);

class CKobraSerialList {
public:
    // Reads the list at the interface instance (t0, t1); a failed read leaves it empty and status()
    // keeps the database result.
    CKobraSerialList(MvQARN::CDbDataBaseIfc& db, int t0, int t1);

    int status() const { return m_status; }
    const QStringList& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }

    // Serial number at a list index among the first `limit` entries; none for entry 0, an index
    // outside them and an entry that is no serial number.
    std::optional<qlonglong> serialAt(int index, int limit = std::numeric_limits<int>::max()) const;
    // First index from 1 up whose entry has this serial number; none when no entry has it.
    std::optional<int> indexOf(qlonglong serial) const;

private:
    QStringList m_entries;
    int m_status = 0;
};

// Serial number of the box the interface instance (t0, t1) has selected ("IdPDbKobraSelected"), or of
// the box chosen for configuration ("IdPDbKobraConfigSelected") when configured is true; the index
// points into the first SelectedSerialEntries entries. None when nothing is selected or a read fails;
// status (when given) receives the result of the failed read, else 0.
std::optional<qlonglong> selectedSerial(MvQARN::CDbDataBaseIfc& db, bool configured, int t0, int t1,
                                        int* status = nullptr);

} // namespace Kobra
