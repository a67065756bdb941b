#include "ui/ifc/CLynxSetupDialog.h"

#include <QBoxLayout>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "ui/ifc/CLynxPanelBase.h"

namespace MvQARN {

namespace {
constexpr int kDialogMode = 16;
}

CLynxSetupDialog::CLynxSetupDialog(const QString& name, int instance, int direction,
                                   const QString& titleSuffix, const QString& shortSuffix,
                                   bool watchLogicType)
    : KobraDialog(name, -1, -1, kDialogMode), m_instance(instance), m_direction(direction) {
    const QString port = CLynxPanelBase::portName(direction);
    setTitles(QStringLiteral("KOBRA - ") + port + titleSuffix,
              QStringLiteral("KOBRA\n") + port + shortSuffix);
    setAttributes(VGXDialog::FitHeight | VGXDialog::FitWidth);
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    m_deviceState = VGXDataObject::connectDatabase(
        this, VGXUserDbAttributes("IdPDbLynxDeviceState", instance, -1, direction, -1));
    if (watchLogicType)
        m_logicType = VGXDataObject::connectDatabase(
            this, VGXUserDbAttributes("IdPDbLynxLogicType", instance, -1, direction, -1));
}

CLynxSetupDialog::~CLynxSetupDialog() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

void CLynxSetupDialog::setPanel(QWidget* panel) {
    // Height the dialog has to spare goes below the groups, not between their rows.
    if (auto* flow = qobject_cast<QBoxLayout*>(panel->layout()))
        flow->addStretch(1);
    setContentPanel(panel);
}

void CLynxSetupDialog::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged || !event->getEntryData())
        return;
    const int value = event->getEntryData()->getIntegerData();
    // On the user family the box is not switched away under an open dialog.
    const bool boxGone =
        event->getSourceEntry() == m_deviceState && value == 0 && !CLynxPanelBase::isUserFamily();
    const bool typeMismatch = m_logicType && event->getSourceEntry() == m_logicType && logicTypeCloses(value);
    if (boxGone || typeMismatch)
        close();
}

} // namespace MvQARN
