#pragma once
// The definition registry: the records modules register, each with the values it stores, looked up
// by name and instance. Several records of one name may hold an instance (a record for one interface
// next to one for all of them); the narrowest wins. It also keeps the module names settings files
// carry. No functions run here: reads through conversion-out are the request pipeline's.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <memory>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/db/CDbInstanceMap.h"
#include "host/db/DbDefinitions.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbRecord;

class VGX_EXPORT CDbDefinitionRegistry : public CDbInstanceMap {
public:
    CDbDefinitionRegistry();
    ~CDbDefinitionRegistry() override;
    CDbDefinitionRegistry(const CDbDefinitionRegistry&) = delete;
    CDbDefinitionRegistry& operator=(const CDbDefinitionRegistry&) = delete;

    // Forgets every record, value and module name.
    void reset();

    // Defines every record of the descriptor's typed arrays. 0, or an error when the descriptor is
    // malformed (nothing is defined then). A record registered again is kept as it is; a record of the
    // same name and range A as an earlier one replaces it.
    int registerDescriptor(const SDbDescriptor* d, int moduleNumber);
    int registerDescriptor(const SDbDescriptor* d, int moduleNumber, const char* moduleName);
    // Removes the records of a module (before its library is unloaded).
    void unregisterModule(int moduleNumber);
    // Module name that settings files of this module carry ("KobraPlugin").
    void setModuleName(int moduleNumber, const QByteArray& name);
    QByteArray moduleName(int moduleNumber) const;
    // The module that registered last.
    int defaultModuleNumber() const { return m_defaultModule; }

    // The record holding instance t of name; null with the error when there is none.
    CDbRecord* resolve(const QByteArray& name, const SDbInstTupel& t, int& error) const;
    // As resolve, with the stored instance t maps to.
    CDbRecord* storedRecord(const char* name, const SDbInstTupel& t, SDbInstTupel& stored, int& error) const;
    // False for instances a narrower record of the same name holds: their values are never read.
    bool serves(const CDbRecord* rec, const SDbInstTupel& stored) const;
    // Every record in registration order; a copy, so that functions may register while it is walked.
    std::vector<CDbRecord*> allRecords() const;

    // Definition introspection.
    const SDbDefCommon* findRecord(const char* name, const SDbInstTupel& t) const;
    QList<const SDbDefCommon*> records(const char* name) const;
    QList<QByteArray> names() const;
    int locate(const char* name, const SDbInstTupel& t, const SDbDefCommon*& def,
               SDbInstTupel& stored) const override;

    // The stored value, without conversion-out; 0 or an error.
    int readStored(const char* name, const SDbInstTupel& t, CDbAllType& out) const;

private:
    // The last lookups that succeeded, by the caller's name pointer and instance: the plug-in reads
    // the same few names from literals over and over. Checked against the record's name, so a
    // pointer that now holds another text misses; emptied whenever records come or go. Names with
    // an index function are never kept, as its answer may change with the values. Two ways per set,
    // the older replaced, so that two names of one query falling on one set do not evict each other.
    struct SLookup {
        const char* name = nullptr;
        SDbInstTupel t;
        SDbInstTupel stored;
        CDbRecord* rec = nullptr;
    };
    static constexpr int LookupSets = 128;
    static int lookupSet(const char* name, const SDbInstTupel& t);
    void forgetLookups();

    mutable SLookup m_lookups[LookupSets][2];
    mutable unsigned char m_lookupNewer[LookupSets] = {};
    std::vector<std::unique_ptr<CDbRecord>> m_records;
    QHash<QByteArray, QList<CDbRecord*>> m_byName;
    QMap<int, QByteArray> m_moduleNames;
    int m_defaultModule = 0;
    int m_order = 0;
};

} // namespace MvQARN
