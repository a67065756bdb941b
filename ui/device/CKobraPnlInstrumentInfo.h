#pragma once
// The instrument joined to a box on one of its instrument links: how it is reached (TCP/IP, GPIB
// or USB, with the address of that channel) and what it reported of itself.
#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXPanel;
class VGXTextParameter;

class VGX_EXPORT CKobraPnlInstrumentInfo : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    // The characters an address of the TCP/IP channel may hold.
    static const char* const TcpAddressPattern;

    // Interface (path, side) and instrument link.
    CKobraPnlInstrumentInfo(QWidget* parent, int path, int side, int link);
    ~CKobraPnlInstrumentInfo() override;

    VGXTextParameter* tcpAddress() const { return m_tcp; }
    VGXPanel* hardwareGroup() const { return m_hardware; }

    void processDataEvent(VGXDataEvent* event) override;

private:
    void applyChannel();

    VGXTextParameter* m_tcp = nullptr;
    QWidget* m_gpib = nullptr;
    QWidget* m_usb = nullptr;
    VGXPanel* m_hardware = nullptr;
    VGXDatabaseConnectorEntry* m_channel = nullptr;
    VGXAdjustTwoColumns m_columns;
};

} // namespace MvQARN
