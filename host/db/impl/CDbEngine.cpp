#include "host/db/impl/CDbEngine.h"

#include "host/db/impl/CDbDataBaseIfcImpl.h"
#include "host/db/impl/CDbMsgBufferImpl.h"

namespace MvQARN {

CDbEngine& CDbEngine::instance() {
    static CDbEngine engine;
    return engine;
}

CDbEngine::CDbEngine()
    : m_requests(*this, m_registry), m_settings(m_registry, m_requests),
      m_ifc(new CDbDataBaseIfcImpl(*this, nullptr, -1)), m_msgBuffer(new CDbMsgBufferImpl(m_requests)) {}

CDbEngine::~CDbEngine() = default;

void CDbEngine::reset() {
    m_requests.reset(); // the listener hub forgets its connections first
    m_registry.reset();
    m_settings.reset();
    m_modeWord = 0x121;
    m_olCommand = nullptr;
    m_listAdm = nullptr;
    m_catalogueRefresh = nullptr;
}

CDbDataBaseIfc* CDbEngine::dataBaseIfc() {
    return m_ifc.get();
}

CDbMsgBuffer* CDbEngine::msgBuffer() {
    return m_msgBuffer.get();
}

} // namespace MvQARN
