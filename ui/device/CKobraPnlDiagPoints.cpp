#include "ui/device/CKobraPnlDiagPoints.h"

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXLedButton.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"
#include "params/KobraChoiceTexts.h"

namespace MvQARN {

namespace {

constexpr int kTx = 0;
constexpr int kRx = 1;
constexpr int kSerialLength = 64;

VGXUserDbAttributes at(const char* name, int entry = 0) {
    return VGXUserDbAttributes(name, 0, entry, 0, 0);
}

void addChoices(const char* name) {
    QStringList texts;
    QList<int> values;
    for (const auto& [id, text] : Kobra::choices(name)) {
        values << id;
        texts << text;
    }
    VGXDescriptors::addDescriptor(
        new VGXDescriptorComboboxEntry(VGXUserDbAttributes(name), true, texts, values));
}

void addOnOff(const char* name) {
    VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes(name), true, QStringLiteral("Off"), QStringLiteral("On")));
}

VGXPanel* panel(QWidget* parent, int direction, const QString& title = QString()) {
    auto* p = new VGXPanel(parent);
    p->setLayout(new VGXFlowLayout(direction));
    p->setIndents(MvGuiFramework::CBoxIndents(title.isEmpty() ? 0 : 2));
    if (!title.isEmpty())
        p->setTitleBorder(title);
    return p;
}

} // namespace

void CKobraPnlDiagPoints::registerDescriptors() {
    addOnOff("IdPDbKobraDiagState");
    addOnOff("IdPDbKobraServiceLvdsStart");
    addChoices("IdPDbKobraDiagPoint");
    addChoices("IdPDbKobraDiagPointDigRf");
    addChoices("IdPDbKobraServiceLvdsSource");
    VGXDescriptors::addDescriptor(
        new VGXDescriptorStringEntry(VGXUserDbAttributes("IdPDbKobraServiceEepromSn"), true, kSerialLength));
}

CKobraPnlDiagPoints::CKobraPnlDiagPoints(QWidget* parent) : VGXNavigationPanel(parent) {
    registerDescriptors();
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));
    const auto row = [this](VGXPanel* into, auto* control) {
        into->add(control);
        m_columns.add(control);
        return control;
    };

    auto* state = panel(this, VGXFlowLayout::TopToBottom);
    row(state, new VGXToggleParameter(state, QStringLiteral("State"), at("IdPDbKobraDiagState")));
    add(state);

    VGXPanel* box = panel(this, VGXFlowLayout::TopToBottom, QStringLiteral("KOBRA Diagnostic Points"));
    row(box, new VGXComboParameter(box, QStringLiteral("Diagnostic Point"), at("IdPDbKobraDiagPoint")));
    row(box, new VGXLabelParameter(box, QStringLiteral("Value (V)"), at("IdPDbKobraDiagValue")));
    add(box);

    VGXPanel* bob = panel(this, VGXFlowLayout::TopToBottom, QStringLiteral("DigRF BOB Diagnostic Points"));
    row(bob, new VGXComboParameter(bob, QStringLiteral("Diagnostic Point"), at("IdPDbKobraDiagPointDigRf")));
    row(bob, new VGXLabelParameter(bob, QStringLiteral("Value (V)"), at("IdPDbKobraDiagValueDigRf")));
    add(bob);

    VGXPanel* eeprom = panel(this, VGXFlowLayout::TopToBottom, QStringLiteral("KOBRA EEPROM"));
    row(eeprom, new VGXTextParameter(eeprom, QStringLiteral("EEPROM Serial Number"),
                                     at("IdPDbKobraServiceEepromSn")));
    VGXPanel* eepromButtons = panel(eeprom, VGXFlowLayout::LeftToRight);
    eepromButtons->add(
        new VGXButtonParameter(eepromButtons, QStringLiteral("Read"), at("IdPDbKobraServiceEepromSnRead")));
    eepromButtons->add(
        new VGXButtonParameter(eepromButtons, QStringLiteral("Write"), at("IdPDbKobraServiceEepromSnWrite")));
    eeprom->add(eepromButtons);
    add(eeprom);

    m_lvds = panel(this, VGXFlowLayout::TopToBottom, QStringLiteral("LVDS Test"));
    row(m_lvds, new VGXToggleParameter(m_lvds, QStringLiteral("Tx LVDS Test"),
                                       at("IdPDbKobraServiceLvdsStart", kTx)));
    row(m_lvds,
        new VGXComboParameter(m_lvds, QStringLiteral("Tx Pattern"), at("IdPDbKobraServiceLvdsSource", kTx)));
    auto* rxStart = row(m_lvds, new VGXToggleParameter(m_lvds, QStringLiteral("Rx LVDS Test"),
                                                       at("IdPDbKobraServiceLvdsStart", kRx)));
    rxStart->setOnlineKey("IdPDbKobraServiceLvdsStart2");
    VGXPanel* lamps = panel(m_lvds, VGXFlowLayout::LeftToRight);
    const struct {
        const char* text;
        const char* parameter;
    } leds[] = {{"PLL lock", "IdPDbKobraServiceLvdsPll"},
                {"DCM lock", "IdPDbKobraServiceLvdsDcm"},
                {"Only Zeroes", "IdPDbKobraServiceLvdsNoData"}};
    for (const auto& l : leds) {
        auto* led = new VGXLedButton(lamps, QString::fromLatin1(l.text), at(l.parameter));
        // The box reports these; they are not switched here.
        led->setReadOnly(true);
        lamps->add(led);
    }
    m_lvds->add(lamps);
    auto* rxSource = row(m_lvds, new VGXComboParameter(m_lvds, QStringLiteral("Rx Pattern"),
                                                       at("IdPDbKobraServiceLvdsSource", kRx)));
    rxSource->setOnlineKey("IdPDbKobraServiceLvdsSource2");
    row(m_lvds,
        new VGXLabelParameter(m_lvds, QStringLiteral("Received"), at("IdPDbKobraServiceLvdsReceived")));
    row(m_lvds, new VGXLabelParameter(m_lvds, QStringLiteral("Errors"), at("IdPDbKobraServiceLvdsErrors")));
    row(m_lvds,
        new VGXLabelParameter(m_lvds, QStringLiteral("Bit Error Rate"), at("IdPDbKobraServiceLvdsBer")));
    add(m_lvds);
    m_columns.doAdjustment();
}

CKobraPnlDiagPoints::~CKobraPnlDiagPoints() = default;

} // namespace MvQARN
