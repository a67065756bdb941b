#include "ui/ifc/CBasebandLynxPnlTrigger.h"

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"

namespace MvQARN {

CBasebandLynxPnlTrigger::CBasebandLynxPnlTrigger(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    addSelection("IdPDbLynxTriggerSource", {QStringLiteral("Auto"), QStringLiteral("SYNC IN")});

    VGXPanel* rows = section(this);
    m_controls
        << addRow(rows, new VGXComboParameter(rows, QStringLiteral("Trigger Source"),
                                              bind("IdPDbLynxTriggerSource")))
        << addRow(rows, new VGXTextParameter(rows, QStringLiteral("Trigger Delay"),
                                             bind("IdPDbLynxTriggerDelay"), QStringLiteral("Clock cycles")))
        << addRow(rows, new VGXLabelParameter(rows, QStringLiteral("Status"), bind("IdPDbLynxTriggerStatus")))
        << addRow(rows, new VGXButtonParameter(rows, QStringLiteral("Arm"), bind("IdPDbLynxTriggerArm")));
    m_execute = addRow(rows, new VGXButtonParameter(rows, QStringLiteral("Execute Trigger"),
                                                    bind("IdPDbLynxTriggerRestart")));
    m_controls << m_execute;
    add(rows);

    m_source = VGXDataObject::connectDatabase(this, bind("IdPDbLynxTriggerSource"));
    m_delay = VGXDataObject::connectDatabase(this, bind("IdPDbLynxTriggerDelay"));
    listen("IdPDbLynxDirection");
    listen("IdPDbLynxTestTxPrbs");
    finishPanel();
}

CBasebandLynxPnlTrigger::~CBasebandLynxPnlTrigger() = default;

void CBasebandLynxPnlTrigger::applyRules() {
    const bool receiver = value("IdPDbLynxDirection") == 0;
    // A receiver is not triggered: whatever was set for transmitting goes back to the start values.
    if (receiver && m_source->getIntegerData() != 0)
        m_source->setData(new VGXDataContainer(0));
    if (receiver && m_delay->getDoubleData() != 0.0)
        m_delay->setData(new VGXDataContainer(0.0));
    for (MvGuiFramework::CViewer* control : m_controls)
        control->setReadOnly(receiver);
    m_execute->setVisible(value("IdPDbLynxTestTxPrbs") == 1);
}

} // namespace MvQARN
