#include "host/db/impl/CDbChangeBroadcast.h"

#include <QList>
#include <QVarLengthArray>
#include <algorithm>

#include "host/db/impl/CDbListenerHub.h"
#include "host/db/impl/CDbRecord.h"

namespace MvQARN {

namespace {

// Listeners and observers that write start new requests; past this many rounds of changes caused
// by change handlers the rest is dropped rather than looping forever.
constexpr int kMaxDispatchRounds = 64;
// Pending changes up to this many are checked for a repeat one by one, without the key set.
constexpr qsizetype kDirectCheck = 8;

class CFunctionObserver : public CDbChangeObserver {
public:
    explicit CFunctionObserver(std::function<void(const QVector<SDbChange>&)> fn) : m_fn(std::move(fn)) {}
    void dbChanged(const QVector<SDbChange>& changes) override { m_fn(changes); }

private:
    std::function<void(const QVector<SDbChange>&)> m_fn;
};

} // namespace

CDbChangeBroadcast::CDbChangeBroadcast() = default;

CDbChangeBroadcast::~CDbChangeBroadcast() = default;

void CDbChangeBroadcast::reset() {
    if (m_hub)
        m_hub->clear();
    m_changes.clear();
    m_changeKeys.clear();
    while (!m_observers.empty())
        remove(m_observers.begin());
}

void CDbChangeBroadcast::note(const CDbRecord* rec, const SDbInstTupel& stored) {
    // A request mostly changes a few instances: those are checked in the batch itself; the key set
    // takes over once the batch grows, so a large preset stays fast.
    if (m_changes.size() < kDirectCheck) {
        for (const SDbChange& c : std::as_const(m_changes))
            if (c.record == rec->def() && CDbRecord::keyOf(c.tupel) == CDbRecord::keyOf(stored))
                return;
    } else {
        if (m_changeKeys.empty())
            for (const SDbChange& c : std::as_const(m_changes))
                m_changeKeys.insert({c.record, CDbRecord::keyOf(c.tupel)});
        if (!m_changeKeys.insert({rec->def(), CDbRecord::keyOf(stored)}).second)
            return;
    }
    m_changes.append(SDbChange{rec->name(), stored, rec->def()});
}

void CDbChangeBroadcast::deliver() {
    // Handlers that write start requests of their own; their changes are collected and delivered in
    // the next round of this loop instead of recursively.
    m_delivering = true;
    for (int round = 0; round < kMaxDispatchRounds && !m_changes.isEmpty(); ++round) {
        QVector<SDbChange> batch;
        batch.swap(m_changes);
        m_changeKeys.clear();
        if (m_hub)
            m_hub->dbChanged(batch);
        QVarLengthArray<int, 16> ids;
        for (const SEntry& e : m_observers)
            ids.append(e.id);
        for (int id : ids) {
            auto it = std::find_if(m_observers.begin(), m_observers.end(),
                                   [id](const SEntry& e) { return e.id == id; });
            if (it != m_observers.end())
                it->observer->dbChanged(batch);
        }
        // The next request's changes go into the room of this batch, unless an observer kept it.
        if (m_changes.isEmpty()) {
            batch.clear();
            m_changes.swap(batch);
        }
    }
    m_changes.clear();
    m_changeKeys.clear();
    m_delivering = false;
    m_retired.clear();
}

int CDbChangeBroadcast::add(CDbChangeObserver* observer, std::unique_ptr<CDbChangeObserver> owned) {
    const int id = m_nextId++;
    m_observers.push_back(SEntry{id, observer, std::move(owned)});
    return id;
}

void CDbChangeBroadcast::remove(std::vector<SEntry>::iterator it) {
    if (it->owned && m_delivering)
        m_retired.push_back(std::move(it->owned));
    m_observers.erase(it);
}

void CDbChangeBroadcast::addChangeObserver(CDbChangeObserver* observer) {
    if (!observer || std::any_of(m_observers.begin(), m_observers.end(),
                                 [observer](const SEntry& e) { return e.observer == observer; }))
        return;
    add(observer, nullptr);
}

void CDbChangeBroadcast::removeChangeObserver(CDbChangeObserver* observer) {
    auto it = std::find_if(m_observers.begin(), m_observers.end(),
                           [observer](const SEntry& e) { return e.observer == observer && !e.owned; });
    if (it != m_observers.end())
        remove(it);
}

int CDbChangeBroadcast::addObserver(std::function<void(const QVector<SDbChange>&)> fn) {
    auto owned = std::make_unique<CFunctionObserver>(std::move(fn));
    CDbChangeObserver* observer = owned.get();
    return add(observer, std::move(owned));
}

void CDbChangeBroadcast::removeObserver(int id) {
    auto it =
        std::find_if(m_observers.begin(), m_observers.end(), [id](const SEntry& e) { return e.id == id; });
    if (it != m_observers.end())
        remove(it);
}

} // namespace MvQARN
