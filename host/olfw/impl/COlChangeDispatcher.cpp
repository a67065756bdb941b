#include "host/olfw/impl/COlChangeDispatcher.h"

#include <QStringList>
#include <cmath>

#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"
#include "host/db/CDbMsgBuffer.h"
#include "host/db/DbDefinitions.h"
#include "host/db/DbHostValues.h"
#include "host/olfw/COlLoadableExtension.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

constexpr int kInterfaces = 4; // path A/B times side In/Out
constexpr int kAllActions = -1;
// Rounds of changes that arrive while a round is handled, before the rest is dropped.
constexpr int kMaxRounds = 64;
// Entry 0 of the serial list stands for "no box"; the list holds at most 20 boxes.
constexpr int kSerialListEntries = 21;

int pathOf(int k) {
    return k / 2;
}

int sideOf(int k) {
    return k % 2;
}

// Keeps the corrections of one extension call until it has returned.
class CMsgCollector : public CDbMsgBuffer {
public:
    void giveAll(CDbMsgList& msgs) override {
        while (!msgs.isEmpty())
            m_msgs.append(msgs.takeAt(0));
    }
    // Every message as a request of its own, in the order given.
    void writeAll() {
        CDbEngine& engine = CDbEngine::instance();
        while (!m_msgs.isEmpty()) {
            CDbMsgList one;
            one.append(m_msgs.takeAt(0));
            engine.write(one, engine.errorSink());
        }
    }

private:
    CDbMsgList m_msgs;
};

// Whether interface (path, side) sees the changed stored value.
bool concerns(const CDbEngine::SChange& change, int path, int side) {
    const SDbDefCommon* def = change.record;
    if (!def)
        return change.tupel.t0 == path && change.tupel.t1 == side;
    // A value of the whole host (not indexed by path or side) concerns every interface.
    if (def->countA[0] <= 1 && def->countA[1] <= 1 && def->firstA[0] == 0 && def->firstA[1] == 0)
        return true;
    const SDbDefCommon* seen = nullptr;
    SDbInstTupel stored;
    const SDbInstTupel addressed{path, side, change.tupel.t2, change.tupel.t3};
    return CDbEngine::instance().locate(change.name.constData(), addressed, seen, stored) == 0 &&
           seen == def && stored == change.tupel;
}

} // namespace

COlChangeDispatcher::COlChangeDispatcher(DeviceLookup devices) : m_devices(std::move(devices)) {}

COlChangeDispatcher::~COlChangeDispatcher() {
    detach();
}

void COlChangeDispatcher::attach() {
    if (m_observer)
        return;
    m_observer = CDbEngine::instance().addRequestObserver(
        [this](const QVector<CDbEngine::SChange>& changes) { changed(changes); });
}

void COlChangeDispatcher::detach() {
    if (!m_observer)
        return;
    CDbEngine::instance().removeRequestObserver(m_observer);
    m_observer = 0;
}

QList<COlLoadableExtension*> COlChangeDispatcher::extensions() {
    QList<COlLoadableExtension*> out;
    const VGXHostRuntime* runtime = VGXHostRuntime::current();
    if (!runtime)
        return out;
    for (VGXPlugInDllModuleInterface* module : runtime->modules()) {
        if (!module || !module->hasDatabase())
            continue;
        const SMdlDbInfo* info = module->getMdlDbInfo();
        if (info && info->orgLayer && *info->orgLayer && !out.contains(*info->orgLayer))
            out.append(*info->orgLayer);
    }
    return out;
}

int COlChangeDispatcher::selectedSerial(int path, int side) {
    CDbDataBaseIfc* db = CDbEngine::instance().dataBaseIfc();
    int index = 0;
    if (!db || db->getSelect("IdPDbKobraSelected", index, path, 0, 0, side) != 0 || index < 1)
        return 0;
    QStringList serials;
    int count = 0;
    if (db->getStringList("IdPDbKobraSerials", serials, count, path, 0, 0, side) != 0)
        return 0;
    count = qMin(qMin(count, int(serials.size())), kSerialListEntries);
    if (index >= count)
        return 0;
    bool ok = false;
    const double serial = serials.at(index).trimmed().toDouble(&ok);
    return ok && serial >= 1 && serial <= 2147483647.0 ? int(std::llround(serial)) : 0;
}

KobraDrvDeviceIfc* COlChangeDispatcher::interfaceDevice(int path, int side) const {
    const int serial = selectedSerial(path, side);
    return serial > 0 && m_devices ? m_devices(serial) : nullptr;
}

bool COlChangeDispatcher::isActive(int path, int side) const {
    CDbDataBaseIfc* db = CDbEngine::instance().dataBaseIfc();
    int state = DbHostStateOff;
    if (!db || db->getSelect("IdPDbKobraState", state, path, 0, 0, side) != 0 || state != DbHostStateOn)
        return false;
    return interfaceDevice(path, side) != nullptr;
}

int COlChangeDispatcher::withMessages(const std::function<int(CDbMsgBuffer*)>& call) {
    CMsgCollector collector;
    const int status = call(&collector);
    collector.writeAll();
    return status;
}

int COlChangeDispatcher::onFirstExtension(int path, int side, const Operation& op) {
    const QList<COlLoadableExtension*> all = extensions();
    if (all.isEmpty())
        return 1;
    COlLoadableExtension* ext = all.first();
    KobraDrvDeviceIfc* device = interfaceDevice(path, side);
    CDbDataBaseIfc* db = CDbEngine::instance().dataBaseIfc();
    return withMessages([&](CDbMsgBuffer* msgs) { return op(ext, device, db, msgs); });
}

int COlChangeDispatcher::setKobra(int path, int side, int actions) {
    return onFirstExtension(path, side, [&](auto* ext, auto* device, auto* db, auto* msgs) {
        return ext->setKobra(device, db, msgs, path, side, actions);
    });
}

int COlChangeDispatcher::loadFpga(int path, int side) {
    return onFirstExtension(path, side, [&](auto* ext, auto* device, auto* db, auto* msgs) {
        return ext->loadFpga(device, db, msgs, path, side);
    });
}

int COlChangeDispatcher::setArb(int path, int side) {
    return onFirstExtension(path, side, [&](auto* ext, auto* device, auto* db, auto* msgs) {
        return ext->setArb(device, db, msgs, path, side);
    });
}

int COlChangeDispatcher::getSampleRate(int path, int side, double& rate) {
    const QList<COlLoadableExtension*> all = extensions();
    if (all.isEmpty())
        return 1;
    return all.first()->getSampleRate(CDbEngine::instance().dataBaseIfc(), path, side, 0, rate);
}

void COlChangeDispatcher::changed(const QVector<CDbEngine::SChange>& changes) {
    // Corrections are written while a round is handled; should their changes arrive here before the
    // round is over, they are handled in the next round instead of recursively.
    if (m_busy) {
        m_pending += changes;
        return;
    }
    m_busy = true;
    QVector<CDbEngine::SChange> work = changes;
    for (int round = 0; round < kMaxRounds && !work.isEmpty(); ++round) {
        dispatch(work);
        work.clear();
        work.swap(m_pending);
    }
    if (!work.isEmpty())
        VGXTraceSink::trace(
            QStringLiteral("olfw: programming rounds exhausted, %1 changes dropped").arg(work.size()));
    m_pending.clear();
    m_busy = false;
}

void COlChangeDispatcher::dispatch(const QVector<CDbEngine::SChange>& changes) {
    const QList<COlLoadableExtension*> all = extensions();
    for (COlLoadableExtension* ext : all) {
        int masks[kInterfaces] = {};
        for (const CDbEngine::SChange& change : changes) {
            const char* name = change.name.constData();
            // A box that starts (or another box under a running interface) learns everything.
            const bool boxChange = change.name == "IdPDbKobraState" || change.name == "IdPDbKobraSelected";
            for (int k = 0; k < kInterfaces; ++k) {
                if (!concerns(change, pathOf(k), sideOf(k)))
                    continue;
                if (boxChange)
                    masks[k] = kAllActions;
                else
                    masks[k] |= ext->getInternalAction(name, pathOf(k), sideOf(k), 0, 0);
            }
        }
        for (int k = 0; k < kInterfaces; ++k) {
            if (masks[k] == 0 || !isActive(pathOf(k), sideOf(k)))
                continue;
            KobraDrvDeviceIfc* device = interfaceDevice(pathOf(k), sideOf(k));
            CDbDataBaseIfc* db = CDbEngine::instance().dataBaseIfc();
            const int path = pathOf(k);
            const int side = sideOf(k);
            const int actions = masks[k];
            withMessages(
                [&](CDbMsgBuffer* msgs) { return ext->setKobra(device, db, msgs, path, side, actions); });
        }
    }
}

} // namespace MvQARN
