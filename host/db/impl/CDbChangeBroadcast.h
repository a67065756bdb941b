#pragma once
// Collects the changes of a request and delivers them as one batch once the outermost request is
// done: first to the listener hub, then to the observers in the order they signed on. GUI thread
// only.
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "host/db/CDbChangeObserver.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbListenerHub;
class CDbRecord;

class VGX_EXPORT CDbChangeBroadcast : public CDbChangeSource {
public:
    CDbChangeBroadcast();
    ~CDbChangeBroadcast() override;
    CDbChangeBroadcast(const CDbChangeBroadcast&) = delete;
    CDbChangeBroadcast& operator=(const CDbChangeBroadcast&) = delete;

    // Drops pending changes and every observer; the hub stays but forgets its connections.
    void reset();

    // Notes a changed stored instance; a second note of the same instance before delivery is dropped.
    void note(const CDbRecord* rec, const SDbInstTupel& stored);
    bool hasPending() const { return !m_changes.isEmpty(); }
    bool delivering() const { return m_delivering; }
    // Delivers what was noted, and what observers' own writes note meanwhile, in bounded rounds.
    void deliver();

    void setListenerHub(CDbListenerHub* hub) { m_hub = hub; }

    void addChangeObserver(CDbChangeObserver* observer) override;
    void removeChangeObserver(CDbChangeObserver* observer) override;
    // An observer made of a function; the answer identifies it for removeObserver.
    int addObserver(std::function<void(const QVector<SDbChange>&)> fn);
    void removeObserver(int id);

private:
    struct SEntry {
        int id;
        CDbChangeObserver* observer;
        std::unique_ptr<CDbChangeObserver> owned; // function observers
    };
    int add(CDbChangeObserver* observer, std::unique_ptr<CDbChangeObserver> owned);
    void remove(std::vector<SEntry>::iterator it);

    QVector<SDbChange> m_changes;
    std::set<std::pair<const void*, std::array<int, 4>>> m_changeKeys;
    bool m_delivering = false;
    CDbListenerHub* m_hub = nullptr;
    std::vector<SEntry> m_observers;
    // Function observers removed while a batch is delivered, possibly from inside their own call;
    // deleted once delivery is over.
    std::vector<std::unique_ptr<CDbChangeObserver>> m_retired;
    int m_nextId = 1;
};

} // namespace MvQARN
