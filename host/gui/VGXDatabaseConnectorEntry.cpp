#include "host/gui/VGXDatabaseConnectorEntry.h"

#include "host/db/impl/CDbEngine.h"
#include "host/db/impl/CDbForwardAnswerBuffer.h"
#include "host/gui/VGXDataContainer.h"

namespace MvQARN {

VGXDatabaseConnectorEntry::VGXDatabaseConnectorEntry(VGXDataListener* listener,
                                                     const VGXUserDbAttributes& binding)
    : m_listener(listener), m_binding(binding), m_tupel(binding.resolve()) {}

VGXDatabaseConnectorEntry::~VGXDatabaseConnectorEntry() = default;

int VGXDatabaseConnectorEntry::setData(VGXDataContainer* takeOwnership, int msgType, unsigned flags) {
    std::unique_ptr<VGXDataContainer> data(takeOwnership);
    CDbRequestPipeline& requests = CDbEngine::instance().requests();
    CDbForwardAnswerBuffer answer(requests.errorSink());
    const CDbAllType value = data ? data->getValue() : CDbAllType();
    m_lastError = requests.write(m_binding.name().constData(), m_tupel, value, &answer, msgType, flags);
    m_lastErrorText.clear();
    for (const auto& e : answer.getErrors())
        if (e.code == m_lastError) {
            m_lastErrorText = e.text;
            break;
        }
    if (m_lastError != 0 && m_lastErrorText.isEmpty())
        m_lastErrorText = QString::fromLatin1(dbErrorText(m_lastError));
    m_reportedError = m_lastError;
    m_reportedErrorText = m_lastErrorText;
    if (m_reportedError == 0 && !answer.getErrors().isEmpty()) {
        m_reportedError = answer.getErrors().first().code;
        m_reportedErrorText = answer.getErrors().first().text;
    }
    return m_lastError;
}

VGXDataContainer* VGXDatabaseConnectorEntry::getData() {
    CDbAllType v;
    if (CDbEngine::instance().requests().read(m_binding.name().constData(), m_tupel, v) != 0) {
        m_data.reset();
        return nullptr;
    }
    m_data = std::make_unique<VGXDataContainer>(v);
    return m_data.get();
}

bool VGXDatabaseConnectorEntry::hasData() {
    return getData() != nullptr;
}

int VGXDatabaseConnectorEntry::getIntegerData() {
    const VGXDataContainer* d = getData();
    return d ? d->getIntegerData() : 0;
}

double VGXDatabaseConnectorEntry::getDoubleData() {
    const VGXDataContainer* d = getData();
    return d ? d->getDoubleData() : 0.0;
}

QString VGXDatabaseConnectorEntry::getStringData() {
    const VGXDataContainer* d = getData();
    return d ? d->getStringData() : QString();
}

bool VGXDatabaseConnectorEntry::getLimits(double& min, double& max) const {
    return CDbEngine::instance().requests().limits(m_binding.name().constData(), m_tupel, min, max);
}

QVector<int> VGXDatabaseConnectorEntry::getChoices() const {
    return CDbEngine::instance().requests().choices(m_binding.name().constData(), m_tupel);
}

} // namespace MvQARN
