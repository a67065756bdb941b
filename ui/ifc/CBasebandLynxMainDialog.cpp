#include "ui/ifc/CBasebandLynxMainDialog.h"

#include <QBoxLayout>
#include <algorithm>

#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXTabViewer.h"
#include "ui/CKobraSelectionListener.h"
#include "ui/KobraTabViewerLook.h"
#include "ui/arb/CKobraArbSettings.h"
#include "ui/diagrams/CBasebandLynxGraphProtocol.h"
#include "ui/ifc/CBasebandLynxPnlTrigger.h"
#include "ui/ifc/CLynxPnlClock.h"
#include "ui/ifc/CLynxPnlData.h"
#include "ui/ifc/CLynxPnlMain.h"
#include "ui/ifc/CLynxPnlProtocol.h"
#include "ui/ifc/CLynxPnlSsi.h"
#include "ui/ifc/CLynxPnlTest.h"

namespace MvQARN {

namespace {

constexpr int kDialogMode = 16;
constexpr int kFit = VGXDialog::FitHeight | VGXDialog::FitWidth;
constexpr int kTriggerTab = 3;
constexpr int kTestTab = 4;
constexpr int kArbTab = 5;

// The pages share the height of the tallest; the others keep their rows together at the top
// instead of spreading them over that height.
template <typename Page> Page* topAligned(Page* page) {
    if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
        box->addStretch(1);
    return page;
}

} // namespace

CBasebandLynxMainDialog::CBasebandLynxMainDialog(int instance, int path, int direction)
    : KobraDialog(QStringLiteral("KOBRA"), -1, -1, kDialogMode), m_path(path), m_direction(direction) {
    Q_UNUSED(instance);
    const QString port = CLynxPanelBase::portName(direction);
    if (CLynxPanelBase::isUserFamily())
        setTitles(QStringLiteral("KOBRA (serial number): User Defined"),
                  QStringLiteral("KOBRA\nUser Defined"));
    else
        setTitles(QStringLiteral("KOBRA - ") + port, QStringLiteral("KOBRA\n") + port);
    // Puts the box's serial number in place of the placeholder at once, and keeps it current.
    m_selection = std::make_unique<CKobraSelectionListener>(path, direction, this);
    setAttributes(kFit);
    VGXUserDbAttributes::setCurrentInstance(path);
    VGXUserDbAttributes::setCurrentDirection(direction);
    CLynxPanelBase::addOnOff("IdPDbLynxTriggerState");

    auto* content = new VGXNavigationPanel(this);
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    m_main = new CLynxPnlMain(content, path, direction);
    content->add(m_main);

    m_tabs = new VGXTabViewer(content);
    configureVGXTabViewer(m_tabs);
    m_tabs->addTab(topAligned(new CLynxPnlProtocol(m_tabs, path, direction)), QStringLiteral("Protocol"));
    m_tabs->addTab(topAligned(new CLynxPnlData(m_tabs, path, direction)), QStringLiteral("Data"));
    m_tabs->addTab(topAligned(new CLynxPnlClock(m_tabs, path, direction)), QStringLiteral("Clock"));
    // Without a parent until shown as tabs, so they never paint over the viewer.
    m_trigger = topAligned(new CBasebandLynxPnlTrigger(nullptr, path, direction));
    m_test = topAligned(new CLynxPnlTest(nullptr, path, direction));
    m_arb = topAligned(new CKobraArbSettings(nullptr, path, direction));
    content->add(m_tabs);

    m_ssi = new VGXPanel(content);
    m_ssi->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    m_ssi->add(new CBasebandLynxGraphProtocol(m_ssi, path, direction));
    m_ssi->add(new CBasebandLynxGraphProtocol(m_ssi, path, direction));
    m_ssi->add(new CLynxPnlProtocol(m_ssi, path, direction));
    m_ssi->add(new CLynxPnlSsi(m_ssi, path, direction));
    content->add(m_ssi);
    setContentPanel(content);

    const auto connect = [&](const char* name) {
        return VGXDataObject::connectDatabase(this, VGXUserDbAttributes(name, path, -1, direction, -1));
    };
    m_deviceState = connect("IdPDbLynxDeviceState");
    m_logicType = connect("IdPDbLynxLogicType");
    m_protection = connect("IdPDbProtLevState");
    m_variant = connect("IdPDbKobraVariant");
    applyVariant(m_variant->getIntegerData());
    applyLogicType(m_logicType->getIntegerData());
    applyProtection(m_protection->getIntegerData());
}

CBasebandLynxMainDialog::~CBasebandLynxMainDialog() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
    // Panels out of the viewer have no parent to delete them.
    if (m_tabs->indexOf(m_trigger) < 0)
        delete m_trigger;
    if (m_tabs->indexOf(m_test) < 0)
        delete m_test;
    if (m_tabs->indexOf(m_arb) < 0)
        delete m_arb;
}

void CBasebandLynxMainDialog::applyVariant(int variant) {
    if (variant == 1) {
        if (m_tabs->indexOf(m_trigger) < 0)
            m_tabs->addTab(m_trigger, QStringLiteral("Trigger"), kTriggerTab);
        if (m_tabs->indexOf(m_test) < 0)
            m_tabs->addTab(m_test, QStringLiteral("Test"), kTestTab);
    } else {
        m_tabs->removeTab(m_trigger);
        m_tabs->removeTab(m_test);
    }
    if (VGXLabelParameter* row = m_main->triggerRow())
        row->setVisible(variant == 1);
}

void CBasebandLynxMainDialog::applyProtection(int level) {
    if (level != 0) {
        m_tabs->removeTab(m_arb);
        return;
    }
    if (m_tabs->indexOf(m_arb) >= 0)
        return;
    // Behind Trigger and Test when they are there, else behind Clock.
    m_tabs->addTab(m_arb, QStringLiteral("ARB Settings"), std::min(kArbTab, m_tabs->count()));
}

void CBasebandLynxMainDialog::applyLogicType(int logicType) {
    const bool ssi = logicType == 6 || logicType == 7;
    if (m_ssi->isVisibleTo(this) == ssi && m_tabs->isVisibleTo(this) == !ssi)
        return;
    // The part going away first, so the dialog never holds both at once.
    (ssi ? static_cast<QWidget*>(m_tabs) : m_ssi)->hide();
    (ssi ? m_ssi : static_cast<QWidget*>(m_tabs))->show();
    // The two parts differ in size: an open dialog takes the size of the part it shows now.
    if (isVisible()) {
        // The layouts learn of the hidden part only later; they measure again now.
        contentPanel()->layout()->invalidate();
        contentPanel()->updateGeometry();
        layout()->invalidate();
        layout()->activate();
        setAttributes(kFit);
    }
}

void CBasebandLynxMainDialog::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged || !event->getEntryData())
        return;
    const int value = event->getEntryData()->getIntegerData();
    VGXDatabaseConnectorEntry* source = event->getSourceEntry();
    if (source == m_variant)
        applyVariant(value);
    else if (source == m_logicType)
        applyLogicType(value);
    else if (source == m_protection)
        applyProtection(value);
    else if (source == m_deviceState && value == 0 && !CLynxPanelBase::isUserFamily())
        close();
}

} // namespace MvQARN
