#include "ui/device/CKobraPnlService.h"

#include <QBoxLayout>

#include "frame/KobraPluginGlobals.h"
#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTabViewer.h"
#include "host/gui/VGXTextEdit.h"
#include "host/gui/VGXTextEditPanel.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"
#include "host/gui/VGXUserFileDialog.h"
#include "ui/KobraTabViewerLook.h"
#include "ui/cmd/LogHighlighter.h"
#include "ui/device/CKobraPnlDiagPoints.h"

namespace MvQARN {

namespace {

constexpr int kSerialLength = 64;
constexpr int kLogMinimumHeight = 160;

VGXUserDbAttributes at(const char* name) {
    return VGXUserDbAttributes(name, 0, 0, 0, 0);
}

VGXPanel* panel(QWidget* parent, int direction, const QString& title = QString()) {
    auto* p = new VGXPanel(parent);
    p->setLayout(new VGXFlowLayout(direction));
    p->setIndents(MvGuiFramework::CBoxIndents(2));
    if (!title.isEmpty())
        p->setTitleBorder(title);
    return p;
}

// The page keeps its rows at the top when the viewer is taller.
template <typename Page> Page* topAligned(Page* page) {
    if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
        box->addStretch(1);
    return page;
}

} // namespace

CKobraPnlService::CKobraPnlService(QWidget* parent) : VGXNavigationPanel(parent) {
    VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes("IdPDbKobraDiagLedTest"), true, QStringLiteral("Off"), QStringLiteral("On")));
    VGXDescriptors::addDescriptor(new VGXDescriptorStringEntry(
        VGXUserDbAttributes("IdPDbKobraServiceBobEepromSn"), true, kSerialLength));
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(0));

    m_tabs = new VGXTabViewer(this);
    configureVGXTabViewer(m_tabs);
    m_diagnostics = topAligned(new CKobraPnlDiagPoints(m_tabs));
    m_tabs->addTab(m_diagnostics, QStringLiteral("General"));
    m_tabs->addTab(buildCpriPage(), QStringLiteral("CPRI"));
    m_tabs->addTab(buildDigRfPage(), QStringLiteral("DigRF"));
    // The viewer shows every page it is given; only the current one may stay visible.
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->page(i)->setVisible(i == m_tabs->currentIndex());
    add(m_tabs);
}

CKobraPnlService::~CKobraPnlService() = default;

VGXTextEdit* CKobraPnlService::cpriLog() const {
    return m_cpriLog->textEdit();
}

VGXTextEdit* CKobraPnlService::digRfLog() const {
    return m_digRfLog->textEdit();
}

VGXTextEditPanel* CKobraPnlService::logArea(QWidget* parent, const char* logParameter) {
    // The panel replaces the whole text whenever the log parameter changes.
    auto* area = new VGXTextEditPanel(parent, at(logParameter));
    area->textEdit()->setReadOnly(true);
    // Owned by the document: verdicts and test names stand out in a long log.
    new LogHighlighter(area->textEdit()->document());
    area->setMinimumHeight(kLogMinimumHeight);
    return area;
}

QWidget* CKobraPnlService::buildCpriPage() {
    VGXPanel* page = panel(m_tabs, VGXFlowLayout::TopToBottom);
    VGXPanel* buttons = panel(page, VGXFlowLayout::LeftToRight);
    buttons->setIndents(MvGuiFramework::CBoxIndents(0));
    buttons->add(
        new VGXButtonParameter(buttons, QStringLiteral("Start test"), at("IdPDbKobraServiceCpriTestExec")));
    m_cpriSave = new VGXDialogButton(buttons, QStringLiteral("Save"), EventSaveCpriLog);
    m_cpriSave->setOnlineKey("IdPDbKobraServiceCpriTestLogSave");
    buttons->add(m_cpriSave);
    page->add(buttons);
    m_cpriLog = logArea(page, "IdPDbKobraServiceCpriTestLog");
    page->add(m_cpriLog, 1);

    VGXPanel* eeprom = panel(page, VGXFlowLayout::TopToBottom, QStringLiteral("Breakout Board EEPROM"));
    eeprom->add(new VGXTextParameter(eeprom, QStringLiteral("EEPROM Serial Number"),
                                     at("IdPDbKobraServiceBobEepromSn")));
    VGXPanel* eepromButtons = panel(eeprom, VGXFlowLayout::LeftToRight);
    eepromButtons->setIndents(MvGuiFramework::CBoxIndents(0));
    eepromButtons->add(new VGXButtonParameter(eepromButtons, QStringLiteral("Read"),
                                              at("IdPDbKobraServiceBobEepromSnRead")));
    eepromButtons->add(new VGXButtonParameter(eepromButtons, QStringLiteral("Write"),
                                              at("IdPDbKobraServiceBobEepromSnWrite")));
    eeprom->add(eepromButtons);
    page->add(eeprom);
    page->add(new VGXToggleParameter(page, QStringLiteral("LED Test"), at("IdPDbKobraDiagLedTest")));
    return page;
}

QWidget* CKobraPnlService::buildDigRfPage() {
    VGXPanel* page = panel(m_tabs, VGXFlowLayout::TopToBottom);
    VGXPanel* test = panel(page, VGXFlowLayout::TopToBottom, QStringLiteral("DigRF Test"));
    VGXPanel* buttons = panel(test, VGXFlowLayout::LeftToRight);
    buttons->setIndents(MvGuiFramework::CBoxIndents(0));
    buttons->add(
        new VGXButtonParameter(buttons, QStringLiteral("Start test"), at("IdPDbKobraServiceDigRfTestExec")));
    m_digRfSave = new VGXDialogButton(buttons, QStringLiteral("Save"), EventSaveDigRfLog);
    m_digRfSave->setOnlineKey("IdPDbKobraServiceDigRfTestLogSave");
    buttons->add(m_digRfSave);
    test->add(buttons);
    m_digRfLog = logArea(test, "IdPDbKobraServiceDigRfTestLog");
    test->add(m_digRfLog, 1);
    page->add(test, 1);
    return page;
}

void CKobraPnlService::saveLog(const QString& title, const QString& shortTitle, const char* fileParameter) {
    // The log parameters are box-global.
    VGXUserDbAttributes::setCurrentInstance(0);
    VGXUserDbAttributes::setCurrentDirection(0);
    VGXUserDbAttributes::setCurrentStation(0);
    VGXUserDbAttributes::setCurrentChannel(0);
    VGXUserFileDialog dialog(this, title, shortTitle);
    // The settings file catalogue lists *.lynx files for save and recall; the log dialog leaves it
    // to them. A refused or failed write is shown by the dialog, and the file is not there.
    dialog.exec(VGXUserFileDialog::SaveFile, Kobra::g_fileTypes[Kobra::FileTypeServiceLog], nullptr,
                fileParameter);
}

void CKobraPnlService::processUserEvent(MvGuiFramework::CViewerEvent* event) {
    switch (event->getCode()) {
    case EventSaveDigRfLog:
        saveLog(QStringLiteral("DigRf Service: Select Log File"), QStringLiteral("DigRf Service\nSel Log"),
                "IdPDbKobraServiceDigRfTestLogSave");
        event->consume();
        return;
    case EventSaveCpriLog:
        saveLog(QStringLiteral("CPRI Service: Select Log File"), QStringLiteral("CPRI Service\nSel Log"),
                "IdPDbKobraServiceCpriTestLogSave");
        event->consume();
        return;
    default:
        VGXNavigationPanel::processUserEvent(event);
    }
}

} // namespace MvQARN
