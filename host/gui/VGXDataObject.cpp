#include "host/gui/VGXDataObject.h"

#include <QHash>
#include <map>
#include <memory>

#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbListenerHub.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"

namespace MvQARN {

namespace {

bool g_hubGone = false; // set when the hub is destroyed at exit; later disconnects do nothing

bool hasCurrentIndex(const VGXUserDbAttributes& b) {
    return b.instance() < 0 || b.channel() < 0 || b.direction() < 0 || b.station() < 0;
}

// Owns the connections and delivers the engine's changes to them. Connections are kept by serial
// number so that a listener that disconnects (or is deleted) while events are delivered is skipped.
class CDataHub : public CDbListenerHub {
public:
    CDataHub() { CDbEngine::instance().setListenerHub(this); }
    ~CDataHub() override {
        g_hubGone = true;
        CDbEngine::instance().setListenerHub(nullptr);
    }

    VGXDatabaseConnectorEntry* connect(VGXDataListener* l, const VGXUserDbAttributes& b) {
        auto entry = std::make_unique<VGXDatabaseConnectorEntry>(l, b);
        VGXDatabaseConnectorEntry* p = entry.get();
        const quint64 id = m_next++;
        m_entries.emplace(id, std::move(entry));
        m_byName[b.name()].append(id);
        return p;
    }

    void disconnect(VGXDataListener* l) {
        removeIf([&](const VGXDatabaseConnectorEntry& e) { return e.getListener() == l; });
    }
    void disconnect(VGXDatabaseConnectorEntry* entry) {
        removeIf([&](const VGXDatabaseConnectorEntry& e) { return &e == entry; });
    }
    int count() const { return int(m_entries.size()); }

    void clear() override {
        m_entries.clear();
        m_byName.clear();
    }

    void dbChanged(const QVector<SDbChange>& changes) override {
        CDbEngine& engine = CDbEngine::instance();
        for (const SDbChange& ch : changes) {
            const QList<quint64> ids = m_byName.value(ch.name); // copy: handlers may connect or disconnect
            for (quint64 id : ids) {
                auto it = m_entries.find(id);
                if (it == m_entries.end())
                    continue;
                VGXDatabaseConnectorEntry* entry = it->second.get();
                if (!entry->getListener())
                    continue;
                // The instance fixed at connect time, and for -1 bindings the one current now.
                QVector<SDbInstTupel> candidates{entry->getTupel()};
                if (hasCurrentIndex(entry->getBinding()) &&
                    !(entry->getBinding().resolve() == entry->getTupel()))
                    candidates.append(entry->getBinding().resolve());
                for (const SDbInstTupel& t : candidates) {
                    const SDbDefCommon* def = nullptr;
                    SDbInstTupel stored;
                    if (engine.locate(ch.name.constData(), t, def, stored) != 0 || def != ch.record ||
                        !(stored == ch.tupel))
                        continue;
                    CDbAllType v;
                    auto* data = engine.read(ch.name.constData(), t, v) == 0 ? new VGXDataContainer(v)
                                                                             : new VGXDataContainer();
                    VGXDataEvent event(VGXDataEvent::DataChanged, entry, data, t);
                    entry->getListener()->processDataEvent(&event);
                    break; // one event per changed instance and connection
                }
            }
        }
    }

private:
    template <typename Pred> void removeIf(Pred pred) {
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            if (pred(*it->second)) {
                QList<quint64>& ids = m_byName[it->second->getName()];
                ids.removeAll(it->first);
                if (ids.isEmpty())
                    m_byName.remove(it->second->getName());
                it = m_entries.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::map<quint64, std::unique_ptr<VGXDatabaseConnectorEntry>> m_entries;
    QHash<QByteArray, QList<quint64>> m_byName;
    quint64 m_next = 1;
};

CDataHub& hub() {
    CDbEngine::instance(); // made first so that it outlives the hub at exit
    static CDataHub h;
    return h;
}

} // namespace

VGXDatabaseConnectorEntry* VGXDataObject::connectDatabase(VGXDataListener* listener,
                                                          const VGXUserDbAttributes& binding) {
    if (binding.name().isEmpty() || g_hubGone)
        return nullptr;
    return hub().connect(listener, binding);
}

void VGXDataObject::disconnectDatabase(VGXDataListener* listener) {
    if (!g_hubGone && listener)
        hub().disconnect(listener);
}

void VGXDataObject::disconnectDatabase(VGXDatabaseConnectorEntry* entry) {
    if (!g_hubGone && entry)
        hub().disconnect(entry);
}

int VGXDataObject::connectionCount() {
    return g_hubGone ? 0 : hub().count();
}

} // namespace MvQARN
