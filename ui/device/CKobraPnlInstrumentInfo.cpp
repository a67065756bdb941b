#include "ui/device/CKobraPnlInstrumentInfo.h"

#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"

namespace MvQARN {

namespace {

constexpr int kTextLength = 65535;
enum EChannel { ChannelTcp = 0, ChannelGpib = 1, ChannelUsb = 2 };

void registerDescriptors() {
    VGXDescriptors::addDescriptor(new VGXDescriptorComboboxEntry(
        VGXUserDbAttributes("IdPDbKobraInstrHwChannel"), true,
        {QStringLiteral("TCP/IP"), QStringLiteral("GPIB"), QStringLiteral("USB")}));
    for (const char* number : {"IdPDbKobraInstrGpibAddress", "IdPDbKobraInstrUsbAddress"})
        VGXDescriptors::addDescriptor(new VGXDescriptorNumberEntry(VGXUserDbAttributes(number), true, 0));
    for (const char* text : {"IdPDbKobraInstrType", "IdPDbKobraInstrSerialNumber", "IdPDbKobraInstrPort",
                             "IdPDbKobraInstrTcpAddress"})
        VGXDescriptors::addDescriptor(
            new VGXDescriptorStringEntry(VGXUserDbAttributes(text), true, kTextLength));
}

} // namespace

const char* const CKobraPnlInstrumentInfo::TcpAddressPattern = R"([0-9a-zA-Z\.,:\-\*\?;\n\r&\s\(\)]*)";

CKobraPnlInstrumentInfo::CKobraPnlInstrumentInfo(QWidget* parent, int path, int side, int link)
    : VGXNavigationPanel(parent) {
    registerDescriptors();
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));
    const auto bind = [&](const char* name) { return VGXUserDbAttributes(name, path, link, side, 0); };

    auto* connection = new VGXPanel(this);
    connection->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    connection->setIndents(MvGuiFramework::CBoxIndents(0));
    auto* channel = new VGXComboParameter(connection, QStringLiteral("Hardware Channel"),
                                          bind("IdPDbKobraInstrHwChannel"));
    connection->add(channel);
    m_columns.add(channel);
    m_tcp =
        new VGXTextParameter(connection, QStringLiteral("TCP/IP Address"), bind("IdPDbKobraInstrTcpAddress"));
    m_tcp->setInputPattern(QString::fromLatin1(TcpAddressPattern));
    connection->add(m_tcp);
    m_columns.add(m_tcp);
    auto* gpib =
        new VGXTextParameter(connection, QStringLiteral("GPIB Address"), bind("IdPDbKobraInstrGpibAddress"));
    connection->add(gpib);
    m_columns.add(gpib);
    m_gpib = gpib;
    auto* usb =
        new VGXTextParameter(connection, QStringLiteral("USB Address"), bind("IdPDbKobraInstrUsbAddress"));
    connection->add(usb);
    m_columns.add(usb);
    m_usb = usb;
    add(connection);

    m_hardware = new VGXPanel(this);
    m_hardware->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    m_hardware->setIndents(MvGuiFramework::CBoxIndents(2));
    m_hardware->setTitleBorder(QStringLiteral("Hardware Info"));
    const struct {
        const char* label;
        const char* parameter;
    } rows[] = {{"Instrument Type", "IdPDbKobraInstrType"},
                {"Serial Number", "IdPDbKobraInstrSerialNumber"},
                {"Port", "IdPDbKobraInstrPort"}};
    for (const auto& r : rows) {
        auto* row = new VGXLabelParameter(m_hardware, QString::fromLatin1(r.label), bind(r.parameter));
        m_hardware->add(row);
        m_columns.add(row);
    }
    add(m_hardware);
    m_columns.doAdjustment();

    m_channel = VGXDataObject::connectDatabase(this, bind("IdPDbKobraInstrHwChannel"));
    applyChannel();
}

CKobraPnlInstrumentInfo::~CKobraPnlInstrumentInfo() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

void CKobraPnlInstrumentInfo::applyChannel() {
    // Only the address of the channel in use.
    const int channel = m_channel ? m_channel->getIntegerData() : ChannelTcp;
    m_tcp->setVisible(channel == ChannelTcp);
    m_gpib->setVisible(channel == ChannelGpib);
    m_usb->setVisible(channel == ChannelUsb);
}

void CKobraPnlInstrumentInfo::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() == VGXDataEvent::DataChanged && event->getSourceEntry() == m_channel)
        applyChannel();
}

} // namespace MvQARN
