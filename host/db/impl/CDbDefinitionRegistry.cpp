#include "host/db/impl/CDbDefinitionRegistry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "host/db/impl/CDbRecord.h"
#include "host/db/impl/DbNameKey.h"

namespace MvQARN {

CDbDefinitionRegistry::CDbDefinitionRegistry() = default;

CDbDefinitionRegistry::~CDbDefinitionRegistry() = default;

int CDbDefinitionRegistry::lookupSet(const char* name, const SDbInstTupel& t) {
    const std::uint64_t key =
        std::uint64_t(std::uintptr_t(name)) ^ (unsigned(t.t0) * 0x9E37u + unsigned(t.t1) * 0x85EBu +
                                               unsigned(t.t2) * 0xC2B3u + unsigned(t.t3) * 0x27D5u);
    // The high bits of a multiplicative hash mix every bit of the pointer.
    return int((key * 0x9E3779B97F4A7C15ull) >> 57);
}

void CDbDefinitionRegistry::forgetLookups() {
    for (auto& set : m_lookups)
        set[0] = set[1] = SLookup{};
}

void CDbDefinitionRegistry::reset() {
    forgetLookups();
    m_records.clear();
    m_byName.clear();
    m_moduleNames.clear();
    m_defaultModule = 0;
    m_order = 0;
}

int CDbDefinitionRegistry::registerDescriptor(const SDbDescriptor* d, int moduleNumber) {
    forgetLookups();
    if (!d || (d->arrayCount > 0 && !d->arrays) || d->arrayCount < 0)
        return DbErrUnknownParameter;
    // Check everything first so that a malformed descriptor defines nothing.
    for (int a = 0; a < d->arrayCount; ++a) {
        const SDbDefArray& arr = d->arrays[a];
        const size_t stride = CDbRecord::strideOf(arr.type);
        if (stride == 0)
            return DbErrWrongType;
        const int n = arr.count ? *arr.count : 0;
        if (n < 0 || (n > 0 && !arr.records))
            return DbErrUnknownParameter;
        for (int i = 0; i < n; ++i) {
            const auto* c =
                reinterpret_cast<const SDbDefCommon*>(static_cast<const char*>(arr.records) + i * stride);
            if (!c->name || !*c->name)
                return DbErrUnknownParameter;
            if (c->type != arr.type)
                return DbErrWrongType;
        }
    }
    for (int a = 0; a < d->arrayCount; ++a) {
        const SDbDefArray& arr = d->arrays[a];
        const size_t stride = CDbRecord::strideOf(arr.type);
        const int n = arr.count ? *arr.count : 0;
        for (int i = 0; i < n; ++i) {
            const auto* c =
                reinterpret_cast<const SDbDefCommon*>(static_cast<const char*>(arr.records) + i * stride);
            QList<CDbRecord*>& same = m_byName[QByteArray(c->name)];
            bool known = false;
            for (CDbRecord* r : same)
                known = known || r->def() == c;
            if (known)
                continue;
            auto rec = std::make_unique<CDbRecord>(c, moduleNumber, m_order++);
            CDbRecord* replaced = nullptr;
            for (CDbRecord* r : same)
                if (std::equal(r->def()->firstA, r->def()->firstA + 4, c->firstA) &&
                    std::equal(r->def()->countA, r->def()->countA + 4, c->countA))
                    replaced = r;
            if (replaced) {
                same.replace(same.indexOf(replaced), rec.get());
                for (auto& slot : m_records)
                    if (slot.get() == replaced)
                        slot = std::move(rec);
            } else {
                same.append(rec.get());
                m_records.push_back(std::move(rec));
            }
        }
    }
    m_defaultModule = moduleNumber;
    return DbOk;
}

int CDbDefinitionRegistry::registerDescriptor(const SDbDescriptor* d, int moduleNumber,
                                              const char* moduleName) {
    const int rc = registerDescriptor(d, moduleNumber);
    if (rc == DbOk && moduleName && *moduleName)
        setModuleName(moduleNumber, moduleName);
    return rc;
}

void CDbDefinitionRegistry::unregisterModule(int moduleNumber) {
    forgetLookups();
    for (auto it = m_byName.begin(); it != m_byName.end();) {
        it->removeIf([&](CDbRecord* r) { return r->module() == moduleNumber; });
        it = it->isEmpty() ? m_byName.erase(it) : std::next(it);
    }
    std::erase_if(m_records,
                  [&](const std::unique_ptr<CDbRecord>& r) { return r->module() == moduleNumber; });
    m_moduleNames.remove(moduleNumber);
}

void CDbDefinitionRegistry::setModuleName(int moduleNumber, const QByteArray& name) {
    m_moduleNames[moduleNumber] = name;
}

QByteArray CDbDefinitionRegistry::moduleName(int moduleNumber) const {
    return m_moduleNames.value(moduleNumber);
}

CDbRecord* CDbDefinitionRegistry::resolve(const QByteArray& name, const SDbInstTupel& t, int& error) const {
    auto it = m_byName.constFind(name);
    if (it == m_byName.constEnd() || it->isEmpty()) {
        error = DbErrUnknownParameter;
        return nullptr;
    }
    CDbRecord* best = nullptr;
    for (CDbRecord* r : *it)
        if (r->holds(t) && (!best || r->widthA() < best->widthA()))
            best = r;
    error = best ? DbOk : DbErrInstance;
    return best;
}

CDbRecord* CDbDefinitionRegistry::storedRecord(const char* name, const SDbInstTupel& t, SDbInstTupel& stored,
                                               int& error) const {
    if (!name) {
        error = DbErrUnknownParameter;
        return nullptr;
    }
    const int set = lookupSet(name, t);
    for (int way = 0; way < 2; ++way) {
        const SLookup& l = m_lookups[set][way];
        if (l.name == name && l.t == t && std::strcmp(name, l.rec->name().constData()) == 0) {
            m_lookupNewer[set] = (unsigned char)way;
            stored = l.stored;
            error = DbOk;
            return l.rec;
        }
    }
    const QByteArray key = nameKey(name);
    CDbRecord* rec = resolve(key, t, error);
    if (!rec)
        return nullptr;
    error = rec->storedTupel(t, stored);
    if (error != DbOk)
        return nullptr;
    const QList<CDbRecord*> same = m_byName.value(key);
    if (std::none_of(same.cbegin(), same.cend(),
                     [](const CDbRecord* r) { return r->def()->idx != nullptr; })) {
        const int way = 1 - m_lookupNewer[set];
        m_lookups[set][way] = SLookup{name, t, stored, rec};
        m_lookupNewer[set] = (unsigned char)way;
    }
    return rec;
}

bool CDbDefinitionRegistry::serves(const CDbRecord* rec, const SDbInstTupel& stored) const {
    int e = DbOk;
    return resolve(rec->name(), stored, e) == rec;
}

std::vector<CDbRecord*> CDbDefinitionRegistry::allRecords() const {
    std::vector<CDbRecord*> out;
    out.reserve(m_records.size());
    for (const auto& r : m_records)
        out.push_back(r.get());
    return out;
}

const SDbDefCommon* CDbDefinitionRegistry::findRecord(const char* name, const SDbInstTupel& t) const {
    int e = 0;
    const CDbRecord* r = name ? resolve(nameKey(name), t, e) : nullptr;
    return r ? r->def() : nullptr;
}

QList<const SDbDefCommon*> CDbDefinitionRegistry::records(const char* name) const {
    QList<const SDbDefCommon*> out;
    if (!name)
        return out;
    for (const CDbRecord* r : m_byName.value(nameKey(name)))
        out.append(r->def());
    return out;
}

QList<QByteArray> CDbDefinitionRegistry::names() const {
    QList<QByteArray> out;
    for (const auto& r : m_records)
        if (!out.contains(r->name()))
            out.append(r->name());
    return out;
}

int CDbDefinitionRegistry::locate(const char* name, const SDbInstTupel& t, const SDbDefCommon*& def,
                                  SDbInstTupel& stored) const {
    int e = DbOk;
    if (const CDbRecord* r = storedRecord(name, t, stored, e))
        def = r->def();
    return e;
}

int CDbDefinitionRegistry::readStored(const char* name, const SDbInstTupel& t, CDbAllType& out) const {
    int e = DbOk;
    SDbInstTupel stored;
    if (const CDbRecord* rec = storedRecord(name, t, stored, e))
        out = rec->value(stored);
    return e;
}

} // namespace MvQARN
