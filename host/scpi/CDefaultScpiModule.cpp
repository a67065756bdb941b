#include "host/scpi/CDefaultScpiModule.h"

#include "host/scpi/impl/CScpiRegistry.h"

namespace MvQARN {

CDefaultScpiModule::CDefaultScpiModule(int moduleNumber, int* tableCount, SScpiParseTable** tableList,
                                       SScpiParseTable** rootSlot, FScpiTableBuilder builder)
    : m_moduleNumber(moduleNumber), m_tableCount(tableCount), m_tableList(tableList), m_rootSlot(rootSlot),
      m_builder(builder) {}

CDefaultScpiModule::~CDefaultScpiModule() {
    exitBase();
}

int CDefaultScpiModule::initBase() {
    if (!m_tableCount || !m_tableList || !m_rootSlot)
        return -1;
    // Tables are shared static data of the module's library: build them once.
    if (*m_tableCount == 0 && m_builder)
        m_builder(m_tableCount, m_tableList);
    if (!*m_rootSlot)
        return -1;
    CScpiRegistry::instance().registerModule(this);
    m_registered = true;
    return 0;
}

void CDefaultScpiModule::exitBase() {
    if (m_registered) {
        CScpiRegistry::instance().unregisterModule(this);
        m_registered = false;
    }
    // The tables go with the module; a module made again builds them again.
    if (m_tableCount && m_tableList) {
        for (int i = 0; i < *m_tableCount; ++i) {
            FreeParseTable(m_tableList[i]);
            m_tableList[i] = nullptr;
        }
        *m_tableCount = 0;
    }
}

} // namespace MvQARN
