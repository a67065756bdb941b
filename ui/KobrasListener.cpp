#include "ui/KobrasListener.h"

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "ui/KobrasCombo.h"

namespace MvQARN {

KobrasListener::KobrasListener(KobrasCombo* combo, const VGXUserDbAttributes& serialList) : m_combo(combo) {
    m_list = VGXDataObject::connectDatabase(this, serialList);
}

KobrasListener::~KobrasListener() {
    VGXDataObject::disconnectDatabase(this);
}

void KobrasListener::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() == VGXDataEvent::DataChanged && event->getSourceEntry() == m_list)
        update();
}

void KobrasListener::update() {
    if (!m_list)
        return;
    VGXDataContainer* data = m_list->getData();
    if (!data || !data->hasData())
        return;
    const QStringList entries = data->getStringListData();
    if (entries.isEmpty())
        return;
    QList<int> values;
    for (int i = 0; i < entries.size(); ++i)
        values << i;
    m_combo->setDescriptor(entries, values);
    m_combo->refresh();
}

} // namespace MvQARN
