#include "ui/device/CKobraPnlHwInfo.h"

#include <QLabel>

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"

namespace MvQARN {

namespace {

constexpr int kAnyVariant = -1;
constexpr int kValueChars = 30;

// The configured box's values are box-global (one instance).
VGXUserDbAttributes global(const char* name) {
    return VGXUserDbAttributes(name, 0, 0, 0, 0);
}

VGXPanel* group(QWidget* parent, const QString& title) {
    auto* panel = new VGXPanel(parent);
    panel->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    panel->setIndents(MvGuiFramework::CBoxIndents(2));
    panel->setTitleBorder(title);
    return panel;
}

} // namespace

CKobraPnlHwInfo::CKobraPnlHwInfo(QWidget* parent) : VGXNavigationPanel(parent) {
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));

    const auto row = [this](VGXPanel* into, const QString& label, const char* parameter, int variant) {
        auto* control = new VGXLabelParameter(into, label, global(parameter));
        control->setReadOnly(true);
        // Room for the longest texts a box reports (board types), so the dialog keeps its width
        // whichever box is shown.
        control->valueLabel()->setMinimumWidth(control->fontMetrics().averageCharWidth() * kValueChars);
        into->add(control);
        m_columns.add(control);
        if (variant != kAnyVariant)
            m_rows.append({control, variant});
    };

    m_hardware = group(this, QStringLiteral("Hardware Info"));
    row(m_hardware, QStringLiteral("Part Number"), "IdPDbKobraConfigPartNumber", kAnyVariant);
    row(m_hardware, QStringLiteral("Serial Number"), "IdPDbKobraConfigSerialNumber", kAnyVariant);
    row(m_hardware, QStringLiteral("EZ-USB/ARM Firmware Version"), "IdPDbKobraConfigFirmVers", kAnyVariant);
    row(m_hardware, QStringLiteral("FPGA Version"), "IdPDbKobraConfigFpgaVers", 0);
    row(m_hardware, QStringLiteral("CPLD Version"), "IdPDbKobraConfigCpldVers", 0);
    row(m_hardware, QStringLiteral("PPC Firmware Version"), "IdPDbKobraConfigPpcVers", 1);
    row(m_hardware, QStringLiteral("FPGA Base Version"), "IdPDbKobraConfigFpgaVers", 1);
    row(m_hardware, QStringLiteral("FPGA DigIO Version"), "IdPDbKobraConfigFpgaDigIoVers", 1);
    row(m_hardware, QStringLiteral("FPGA BOB Version"), "IdPDbKobraConfigFpgaBobVers", 1);
    row(m_hardware, QStringLiteral("Board Part Number"), "IdPDbKobraConfigBoardPN", 1);
    row(m_hardware, QStringLiteral("Board Serial Number"), "IdPDbKobraConfigBoardSN", 1);
    row(m_hardware, QStringLiteral("Board Revision"), "IdPDbKobraConfigBoardRev", 1);
    row(m_hardware, QStringLiteral("Breakout Board Type"), "IdPDbKobraConfigBobType", 1);
    row(m_hardware, QStringLiteral("Breakout Board Serial Number"), "IdPDbKobraConfigBobSN", 1);
    row(m_hardware, QStringLiteral("Breakout Board Revision"), "IdPDbKobraConfigBobRev", 1);
    add(m_hardware);

    m_firmware = group(this, QStringLiteral("Update KOBRA Firmware"));
    row(m_firmware, QStringLiteral("This software supports version "), "IdPDbLynxFirmSupported", kAnyVariant);
    row(m_firmware, QStringLiteral("Installed Version"), "IdPDbKobraConfigFirmVers", kAnyVariant);
    auto* update =
        new VGXButtonParameter(m_firmware, QStringLiteral("Update"), global("IdPDbKobraConfigFirmUpdExec"));
    m_firmware->add(update);
    m_rows.append({m_firmware, 0});
    add(m_firmware);
    m_columns.doAdjustment();

    m_variant = VGXDataObject::connectDatabase(this, global("IdPDbKobraConfigVariant"));
    m_configured = VGXDataObject::connectDatabase(this, global("IdPDbKobraConfigSelected"));
    applyVariant();
}

CKobraPnlHwInfo::~CKobraPnlHwInfo() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

void CKobraPnlHwInfo::applyVariant() {
    // A variant read from a box that is gone would show that box's rows under no box.
    const bool configured = m_configured && m_configured->getIntegerData() > 0;
    const int variant = configured && m_variant ? m_variant->getIntegerData() : -1;
    m_shown = (variant == 0 || variant == 1) ? variant : -1;
    for (const SVariantRow& r : m_rows)
        r.row->setVisible(r.variant == m_shown);
}

void CKobraPnlHwInfo::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() == VGXDataEvent::DataChanged &&
        (event->getSourceEntry() == m_variant || event->getSourceEntry() == m_configured))
        applyVariant();
}

} // namespace MvQARN
