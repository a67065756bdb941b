#include "recorder/CKobraTranRecSettings.h"

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorTextEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"

namespace MvQARN {

namespace {

constexpr int kSingleMode = 1;
constexpr int kSoftwareTrigger = 0;

void addSelection(const char* name, const QStringList& texts, const QList<int>& values = {}) {
    VGXDescriptors::addDescriptor(
        new VGXDescriptorComboboxEntry(VGXUserDbAttributes(name), true, texts, values));
}

void addCheck(const char* name) {
    VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes(name), true, QStringLiteral("Off"), QStringLiteral("On")));
}

VGXPanel* group(QWidget* parent, const QString& title, int indent) {
    auto* panel = new VGXPanel(parent);
    panel->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    panel->setIndents(MvGuiFramework::CBoxIndents(indent));
    if (!title.isEmpty())
        panel->setTitleBorder(title);
    return panel;
}

} // namespace

CKobraTranRecSettings::ParamNames CKobraTranRecSettings::recorderParameters() {
    return {"IdPDbKobraTranRecState",       "IdPDbKobraTranRecSmartState",   "IdPDbKobraTranRecDataSource",
            "IdPiDbKobraTranRecDataLength", "IdPDbKobraTranRecDecFactor",    "IdPDbKobraTranRecDisplayType",
            "IdPDbKobraTranRecTrigMode",    "IdPDbKobraTranRecTrigExec",     "IdPDbKobraTranRecTrigSource",
            "IdPDbKobraTranRecTrigType",    "IdPDbKobraTranRecTrigPosition", "IdPDbKobraTranRecTrigDelay",
            "IdPDbKobraTranRecStatus"};
}

void CKobraTranRecSettings::registerDescriptors(const ParamNames& n) {
    addCheck(n[State]);
    addCheck(n[SmartState]);
    addCheck(n[TrigExec]);
    addSelection(n[DataSource],
                 {QStringLiteral("DIG IQ IN 1"), QStringLiteral("DIG IQ OUT 2"), QStringLiteral("ARB 1"),
                  QStringLiteral("ARB 2"), QStringLiteral("ARB 3"), QStringLiteral("ARB 4"),
                  QStringLiteral("Sine Test Signal")},
                 {0, 1, 2, 3, 4, 5, 7});
    addSelection(n[DataLength], {QStringLiteral("512"), QStringLiteral("1024"), QStringLiteral("2048")},
                 {512, 1024, 2048});
    addSelection(n[DisplayType], {QStringLiteral("I/Q"), QStringLiteral("Vector"), QStringLiteral("CCDF"),
                                  QStringLiteral("Power Spectrum")});
    addSelection(n[TrigMode], {QStringLiteral("Continuous"), QStringLiteral("Single")});
    // The box numbers its trigger lines apart from the order they are offered in.
    addSelection(n[TrigSource],
                 {QStringLiteral("Software"), QStringLiteral("Data Valid"), QStringLiteral("GP_0 (Marker 0)"),
                  QStringLiteral("GP_1 (Reserve 0)"), QStringLiteral("GP_2 (Trigger 0)"),
                  QStringLiteral("GP_3 (Trigger 1)"), QStringLiteral("GP_4 (Marker 1)"),
                  QStringLiteral("GP_5 (Reserve 1)")},
                 {0, 1, 2, 4, 5, 6, 3, 7});
    addSelection(n[TrigType], {QStringLiteral("Rising Edge"), QStringLiteral("Falling Edge"),
                               QStringLiteral("High Level"), QStringLiteral("Low Level")});
    VGXDescriptors::addDescriptor(new VGXDescriptorTextEntry(VGXUserDbAttributes(n[DecFactor]), true));
    VGXDescriptors::addDescriptor(new VGXDescriptorNumberEntry(VGXUserDbAttributes(n[TrigPosition]), true, 0,
                                                               QStringLiteral("Samples")));
    addSelection(n[Status], {QStringLiteral("Stopped"), QStringLiteral("Configured"),
                             QStringLiteral("Record Done"), QStringLiteral("Recording"),
                             QStringLiteral("No Data Signal"), QStringLiteral("No Trigger Signal")});
}

CKobraTranRecSettings::CKobraTranRecSettings(QWidget* parent, const ParamNames& names)
    : VGXNavigationPanel(parent), m_names(names), m_instance(VGXUserDbAttributes::currentInstance()),
      m_channel(VGXUserDbAttributes::currentChannel()), m_direction(VGXUserDbAttributes::currentDirection()),
      m_station(VGXUserDbAttributes::currentStation()) {
    registerDescriptors(names);
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));

    auto row = [this](VGXPanel* into, auto* control) {
        into->add(control);
        m_columns.add(control);
        return control;
    };

    VGXPanel* top = group(this, QString(), 0);
    row(top, new VGXToggleParameter(top, QStringLiteral("State"), bind(State)));
    row(top, new VGXComboParameter(top, QStringLiteral("Data Source"), bind(DataSource)));
    add(top);
    addSpace();

    VGXPanel* display = group(this, QStringLiteral("Display Settings"), 2);
    row(display, new VGXCheckParameter(display, QStringLiteral("Smart Graphic"), bind(SmartState)));
    row(display, new VGXComboParameter(display, QStringLiteral("Display Type"), bind(DisplayType)));
    add(display);
    addSpace();

    VGXPanel* acquisition = group(this, QStringLiteral("Acquisition Settings"), 2);
    row(acquisition,
        new VGXComboParameter(acquisition, QStringLiteral("Aquisition Length"), bind(DataLength)));
    row(acquisition, new VGXTextParameter(acquisition, QStringLiteral("Decimation Factor"), bind(DecFactor)));
    add(acquisition);
    addSpace();

    VGXPanel* trigger = group(this, QStringLiteral("Trigger Settings"), 2);
    row(trigger, new VGXComboParameter(trigger, QStringLiteral("Trigger Mode"), bind(TrigMode)));
    m_start = row(trigger, new VGXButtonParameter(trigger, QStringLiteral("Start Recording"), bind(TrigExec),
                                                  QStringLiteral(" ")));
    row(trigger, new VGXComboParameter(trigger, QStringLiteral("Trigger Source"), bind(TrigSource)));
    m_type = row(trigger, new VGXComboParameter(trigger, QStringLiteral("Trigger Type"), bind(TrigType)));
    row(trigger, new VGXTextParameter(trigger, QStringLiteral("Trigger Position"), bind(TrigPosition)));
    add(trigger);
    addSpace();

    VGXPanel* status = group(this, QString(), 2);
    row(status, new VGXLabelParameter(status, QStringLiteral("Status"), bind(Status)));
    add(status);
    addSpace();
    // Height the dialog has to spare goes below the groups, not between their rows.
    addStretch();

    m_columns.doAdjustment();
    m_start->setVisible(false);
    m_type->setVisible(false);
    m_mode = VGXDataObject::connectDatabase(this, bind(TrigMode));
    m_source = VGXDataObject::connectDatabase(this, bind(TrigSource));
    // A dialog opened on a recorder already in single mode, or on a hardware trigger, shows the
    // controls that go with it.
    applyMode(m_mode->getIntegerData());
    applySource(m_source->getIntegerData());
}

CKobraTranRecSettings::~CKobraTranRecSettings() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

VGXUserDbAttributes CKobraTranRecSettings::bind(EParam p) const {
    return VGXUserDbAttributes(m_names[p], m_instance, m_channel, m_direction, m_station);
}

void CKobraTranRecSettings::applyMode(int mode) {
    m_start->setVisible(mode == kSingleMode);
}

void CKobraTranRecSettings::applySource(int source) {
    m_type->setVisible(source != kSoftwareTrigger);
}

void CKobraTranRecSettings::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    if (event->getSourceEntry() == m_mode)
        applyMode(m_mode->getIntegerData());
    else if (event->getSourceEntry() == m_source)
        applySource(m_source->getIntegerData());
}

} // namespace MvQARN
