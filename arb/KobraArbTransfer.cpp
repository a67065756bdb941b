#include "arb/KobraArbTransfer.h"

#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "host/db/CDbDataBaseIfc.h"
#include "host/db/DbDefs.h"
#include "host/olfw/KobraDrvArbIfc.h"
#include "host/olfw/KobraDrvArbSourceIfc.h"
#include "host/olfw/KobraDrvDeviceIfc.h"
#include "host/util/VGXErrorManager.h"

using namespace MvQARN;

namespace {

constexpr int EntryCount = KobraDrvArbIfc::SlotCount;
constexpr int SlotSize = KobraDrvArbIfc::SlotSize;
constexpr int TooLongCode = 50298;

// The Latin-1 bytes of a name, or nothing when they would not fit a slot with its terminator.
bool toSlotName(const QString& name, QByteArray& latin1) {
    latin1 = name.toLatin1();
    return latin1.size() < SlotSize;
}

// Truncation towards zero; values no 64-bit count can hold become 0 rather than undefined.
int64_t toSampleCount(double samples) {
    if (!std::isfinite(samples) || samples >= 9.2e18 || samples <= -9.2e18)
        return 0;
    return static_cast<int64_t>(samples);
}

} // namespace

namespace Kobra {

int setArbSettings(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* /*msgBuffer*/, int t0, int t1,
                   const char* stateName, const char* fileName, const char* samplesName) {
    if (!device || !db)
        return 0;

    int sum = 0;
    KobraDrvArbIfc* arb = device->arbAccess();

    char names[EntryCount][SlotSize];
    std::memset(names, 0, sizeof(names));
    int64_t samples[EntryCount] = {0, 0, 0, 0};
    bool on[EntryCount] = {false, false, false, false};
    bool refused[EntryCount] = {false, false, false, false};
    int count = 0;

    for (int entry = 0; entry < EntryCount; ++entry) {
        int state = 0;
        sum += db->getSelect(stateName, state, t0, entry, 0, t1);
        if (state <= 0)
            continue;
        on[entry] = true;

        QString name;
        sum += db->getString(fileName, name, t0, entry, 0, t1);
        QByteArray latin1;
        if (toSlotName(name, latin1)) {
            std::memcpy(names[entry], latin1.constData(), static_cast<size_t>(latin1.size()));
        } else {
            // The driver's slot is fixed; a cut name would address a different file, so refuse it.
            refused[entry] = true;
            sum += DbErrBadFileName;
            VGXErrorManager::signal(TooLongCode, QStringLiteral("ARB file name too long: ") + name);
        }

        double value = 0.0;
        sum += db->getNumber(samplesName, value, t0, entry, 0, t1);
        samples[entry] = toSampleCount(value);

        if (names[entry][0] != '\0')
            ++count;
    }

    if (arb)
        sum += arb->setWaveforms(count, names, samples);

    for (int entry = 0; entry < EntryCount; ++entry) {
        KobraDrvArbSourceIfc* source = device->arbSourceAccess(entry);
        if (!source)
            continue;
        if (!on[entry]) {
            source->enable(false);
            continue;
        }
        QString name;
        sum += db->getString(fileName, name, t0, entry, 0, t1);
        if (name.isEmpty())
            continue;
        QByteArray latin1;
        // A refused name has an empty slot and is treated like one: the source is left as it is.
        if (refused[entry] || !toSlotName(name, latin1))
            continue;
        sum += source->loadWaveform(latin1.constData());
        source->enable(true);
    }
    return sum;
}

} // namespace Kobra
