#include "ui/ifc/CLynxPanelBase.h"

#include <QFileInfo>

#include "frame/KobraPluginGlobals.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXUserFileDialog.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {
constexpr int kUserFamily = 0x10000;
}

CLynxPanelBase::CLynxPanelBase(QWidget* parent, int instance, int direction)
    : VGXNavigationPanel(parent), m_instance(instance), m_direction(direction) {
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));
}

CLynxPanelBase::~CLynxPanelBase() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

QString CLynxPanelBase::portName(int direction) {
    return direction == 0 ? QStringLiteral("BBIN") : QStringLiteral("BBOUT");
}

bool CLynxPanelBase::isUserFamily() {
    return VGXUtility::getSigGenFamily() == kUserFamily;
}

void CLynxPanelBase::addSelection(const char* name, const QStringList& texts, const QList<int>& values) {
    VGXDescriptors::addDescriptor(
        new VGXDescriptorComboboxEntry(VGXUserDbAttributes(name), true, texts, values));
}

void CLynxPanelBase::addOnOff(const char* name) {
    VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes(name), true, QStringLiteral("Off"), QStringLiteral("On")));
}

void CLynxPanelBase::registerSharedDescriptors() {
    addSelection("IdPDbLynxSigType", {QStringLiteral("IQ"), QStringLiteral("IF")});
    addSelection("IdPDbLynxClocPhas", {QStringLiteral("0 deg"), QStringLiteral("90 deg"),
                                       QStringLiteral("180 deg"), QStringLiteral("270 deg")});
    addSelection("IdPDbLynxClocSour",
                 {QStringLiteral("REF IN"), QStringLiteral("Internal"), QStringLiteral("User Interface")},
                 {2, 0, 1});
    addSelection("IdPDbLynxClocPol", {QStringLiteral("Positive"), QStringLiteral("Negative")});
    addSelection("IdPDbLynxDataNumForm", {QStringLiteral("2's Complement"), QStringLiteral("Binary Offset")});
    VGXDescriptors::addDescriptor(new VGXDescriptorNumberEntry(VGXUserDbAttributes("IdPDbLynxDataWordSize"),
                                                               true, 0, QStringLiteral("Bit")));
}

void CLynxPanelBase::registerSpiDescriptors() {
    addSelection("IdPDbLynxSsiSpiClocFreq",
                 {QStringLiteral(" 1.000 MHz"), QStringLiteral(" 2.500 MHz"), QStringLiteral(" 5.000 MHz"),
                  QStringLiteral(" 8.333 MHz"), QStringLiteral("12.500 MHz"), QStringLiteral("25.000 MHz")});
    addSelection("IdPDbLynxSsiSpiClocPhas", {QStringLiteral("0 deg"), QStringLiteral("180 deg")}, {0, 2});
}

VGXUserDbAttributes CLynxPanelBase::bind(const char* name) const {
    return VGXUserDbAttributes(name, m_instance, -1, m_direction, -1);
}

void CLynxPanelBase::listen(const char* name) {
    if (!m_listened.contains(name))
        m_listened.insert(name, VGXDataObject::connectDatabase(this, bind(name)));
}

int CLynxPanelBase::value(const char* name) const {
    VGXDatabaseConnectorEntry* entry = m_listened.value(name);
    return entry ? entry->getIntegerData() : 0;
}

void CLynxPanelBase::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() == VGXDataEvent::DataChanged)
        applyRules();
}

VGXPanel* CLynxPanelBase::section(QWidget* parent, const QString& title) {
    auto* panel = new VGXPanel(parent);
    panel->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    panel->setIndents(MvGuiFramework::CBoxIndents(title.isEmpty() ? 0 : 2));
    if (!title.isEmpty())
        panel->setTitleBorder(title);
    return panel;
}

void CLynxPanelBase::addToPanel(VGXPanel* into, QWidget* control) {
    into->add(control);
}

void CLynxPanelBase::finishPanel() {
    m_columns.doAdjustment();
    applyRules();
}

QString CLynxPanelBase::pickHexFile(const char* fileParameter, const QString& what) {
    const QString port = portName(m_direction);
    // The user family names its one interface "User Defined" instead of a port.
    const bool user = isUserFamily();
    VGXUserFileDialog dialog(this,
                             user ? QStringLiteral("User Defined: Select %1 File").arg(what)
                                  : QStringLiteral("KOBRA - %1: Select %2 File").arg(port, what),
                             user ? QStringLiteral("User\n %1 File").arg(what)
                                  : QStringLiteral("KOBRA\n%1 %2 File").arg(port, what));
    VGXDatabaseConnectorEntry* current = VGXDataObject::connectDatabase(nullptr, bind(fileParameter));
    const QString file = current && current->hasData() ? current->getStringData() : QString();
    if (current)
        VGXDataObject::disconnectDatabase(current);
    if (!file.isEmpty() && QFileInfo(file).isFile())
        dialog.setStartPath(file);
    // The dialog binds to the current instance: ours, whatever other panels set meanwhile.
    VGXUserDbAttributes::setCurrentInstance(m_instance);
    VGXUserDbAttributes::setCurrentDirection(m_direction);
    return dialog.exec(VGXUserFileDialog::OpenFile, Kobra::g_fileTypes[Kobra::FileTypeHex],
                       "IdPDbLynxSsiHexFileCat", fileParameter);
}

} // namespace MvQARN
