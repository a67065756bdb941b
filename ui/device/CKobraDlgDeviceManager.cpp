#include "ui/device/CKobraDlgDeviceManager.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

#include "frame/KobraDialogRoutes.h"
#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXTabViewer.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "ui/KobraTabViewerLook.h"
#include "ui/KobrasCombo.h"
#include "ui/device/CKobraDlgInstrument.h"
#include "ui/device/CKobraPnlHwInfo.h"
#include "ui/device/CKobraPnlService.h"

namespace MvQARN {

namespace {

constexpr int kDialogMode = 16;
constexpr int kServiceLevel = 0;

VGXDialog* create(const Kobra::SDialogRequest&) {
    return new CKobraDlgDeviceManager();
}

[[maybe_unused]] const bool s_creatorSet =
    (Kobra::g_dialogCreators[Kobra::DlgRowDeviceManager] = &create, true);

VGXUserDbAttributes global(const char* name) {
    return VGXUserDbAttributes(name, 0, 0, 0, 0);
}

// The page keeps its rows at the top when the viewer is taller.
QWidget* topAligned(QWidget* page) {
    if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
        box->addStretch(1);
    return page;
}

} // namespace

CKobraDlgDeviceManager::CKobraDlgDeviceManager()
    : KobraDialog(QStringLiteral("Device Manager"), -1, -1, kDialogMode) {
    setTitles(QStringLiteral("KOBRA ") + QStringLiteral("Device Manager"),
              QStringLiteral("KOBRA") + QStringLiteral("\nDevice Manager"));
    setAttributes(VGXDialog::FitHeight | VGXDialog::FitWidth);
    // The real entries are the connected boxes' serial numbers, which the combo follows.
    VGXDescriptors::addDescriptor(new VGXDescriptorComboboxEntry(
        VGXUserDbAttributes("IdPDbKobraConfigSelected"), true, {QStringLiteral("Undefined")}, {0}));

    auto* content = new VGXNavigationPanel(this);
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    content->setIndents(MvGuiFramework::CBoxIndents(2));

    auto* top = new VGXPanel(content);
    top->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    top->setIndents(MvGuiFramework::CBoxIndents(0));
    auto* label = new VGXLabel(top, QStringLiteral("KOBRA Device"));
    top->add(label);
    m_boxes = new KobrasCombo(top, "IdPDbKobraConfigSelected", "IdPDbKobraSerials", 0, 0, 0, 0);
    m_boxes->setOnlineKey("IdPDbKobraConfigSelected");
    m_boxes->comboBox()->setAccessibleName(QStringLiteral("KOBRA Device"));
    top->add(m_boxes, 1);
    top->addSpace();
    m_instrument = new VGXDialogButton(top, QStringLiteral("Instrument..."), EventInstrument);
    m_instrument->setOnlineKey("IdPDbKobraInstrumentName");
    top->add(m_instrument);
    content->add(top);
    content->addSpace();

    m_tabs = new VGXTabViewer(content);
    configureVGXTabViewer(m_tabs);
    m_hardware = new CKobraPnlHwInfo(m_tabs);
    m_tabs->addTab(topAligned(m_hardware), QStringLiteral("Hardware"));
    content->add(m_tabs, 1);
    setContentPanel(content);

    m_protection = VGXDataObject::connectDatabase(this, global("IdPDbProtLevState"));
    m_configured = VGXDataObject::connectDatabase(this, global("IdPDbKobraConfigSelected"));
    for (int k = 0; k < 4; ++k)
        m_selected[k] = VGXDataObject::connectDatabase(
            this, VGXUserDbAttributes("IdPDbKobraSelected", k % 2, 0, k / 2, 0));
    applyProtection(m_protection->getIntegerData());
    applyConfigured();
}

CKobraDlgDeviceManager::~CKobraDlgDeviceManager() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

int CKobraDlgDeviceManager::interfaceOfConfiguredBox() {
    VGXDatabaseConnectorEntry* configured =
        VGXDataObject::connectDatabase(nullptr, global("IdPDbKobraConfigSelected"));
    const int box = configured ? configured->getIntegerData() : 0;
    VGXDataObject::disconnectDatabase(configured);
    if (box <= 0)
        return -1;
    int found = -1;
    for (int k = 0; k < 4 && found < 0; ++k) {
        VGXDatabaseConnectorEntry* selected = VGXDataObject::connectDatabase(
            nullptr, VGXUserDbAttributes("IdPDbKobraSelected", k % 2, 0, k / 2, 0));
        if (selected && selected->getIntegerData() == box)
            found = k;
        VGXDataObject::disconnectDatabase(selected);
    }
    return found;
}

void CKobraDlgDeviceManager::applyProtection(int level) {
    if (level == kServiceLevel && !m_serviceShown) {
        if (!m_service)
            m_service = new CKobraPnlService(m_tabs);
        m_tabs->addTab(m_service, QStringLiteral("Service"));
        // The viewer shows every page it is given; only the current one may stay visible.
        m_service->setVisible(m_tabs->page(m_tabs->currentIndex()) == m_service);
        m_serviceShown = true;
    } else if (level != kServiceLevel && m_serviceShown) {
        m_tabs->removeTab(m_service);
        m_serviceShown = false;
    }
}

void CKobraDlgDeviceManager::applyConfigured() {
    const bool none = m_configured->getIntegerData() <= 0;
    showStatusMessage(none ? QStringLiteral("(no selected device)") : QString());
    // Instrument links are read for the boxes the interfaces use.
    m_instrument->setReadOnly(interfaceOfConfiguredBox() < 0);
}

void CKobraDlgDeviceManager::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    VGXDatabaseConnectorEntry* source = event->getSourceEntry();
    if (source == m_protection)
        applyProtection(m_protection->getIntegerData());
    else
        applyConfigured();
    // Rows, values and tabs that come and go change what the content asks for: once every
    // listener of this change has run and the layouts have taken the new texts, the open dialog
    // takes that size again, so no value is cut off.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            if (isVisible())
                setAttributes(attributeWord());
        },
        Qt::QueuedConnection);
}

void CKobraDlgDeviceManager::processUserEvent(MvGuiFramework::CViewerEvent* event) {
    if (event->getCode() != EventInstrument) {
        KobraDialog::processUserEvent(event);
        return;
    }
    event->consume();
    const int k = interfaceOfConfiguredBox();
    if (k < 0)
        return;
    const int path = k % 2;
    const int side = k / 2;
    const int link = CKobraDlgInstrument::connectedLink(path, side);
    const VGXUserDialogAttributes attributes(QStringLiteral("CKobraDlgInstrument"),
                                             QStringLiteral(":KOBRA_INSTRUMENT_%1_%2").arg(k).arg(link), path,
                                             link, side);
    VGXDfDialogFactory::toFront(&attributes);
}

} // namespace MvQARN
