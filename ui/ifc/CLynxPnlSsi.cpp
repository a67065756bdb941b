#include "ui/ifc/CLynxPnlSsi.h"

#include <QLabel>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "ui/diagrams/CBasebandLynxGraphSsi.h"
#include "ui/diagrams/CBasebandLynxGraphSsiFrame.h"

namespace MvQARN {

namespace {

constexpr int kGainMinimumBits = 8;

VGXPanel* rowPanel(QWidget* parent) {
    auto* row = new VGXPanel(parent);
    row->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    return row;
}

} // namespace

CLynxPnlSsi::CLynxPnlSsi(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    registerSpiDescriptors();

    VGXPanel* sizes = section(this);
    addRow(sizes, new VGXTextParameter(sizes, QStringLiteral("Word Size"), bind("IdPDbLynxSsiWordSize")));
    addRow(sizes, new VGXTextParameter(sizes, QStringLiteral("C&M Size"), bind("IdPDbLynxSsiCmBitLen")));
    add(sizes);

    m_cmRow = rowPanel(this);
    m_cmRow->add(new QLabel(QStringLiteral("C&M Data"), m_cmRow));
    m_read = new VGXButtonParameter(m_cmRow, QStringLiteral("Read"), bind("IdPDbLynxSsiCmDataReadExec"));
    m_cmRow->add(m_read);
    m_cmData = new VGXTextParameter(m_cmRow, QString(), bind("IdPDbLynxSsiCmData"));
    m_cmRow->add(m_cmData, 1);
    add(m_cmRow);

    m_gainRow = rowPanel(this);
    m_gainRow->add(new VGXCheckParameter(m_gainRow, QStringLiteral("Enable Automatic Gain"),
                                         bind("IdPDbLynxSsiGainAuto"), VGXCheckParameter::LabelOnBox));
    m_gainRow->add(new VGXLabelParameter(m_gainRow, QString(), bind("IdPDbLynxSsiGainFile")), 1);
    m_gainRow->add(
        new VGXDialogButton(m_gainRow, QStringLiteral("Select Gain File..."), EventSelectGainFile));
    add(m_gainRow);

    add(new VGXCheckParameter(this, QStringLiteral("Late Frame Sync"), bind("IdPDbLynxSsiFramSyncStat"),
                              VGXCheckParameter::LabelOnBox));
    auto* spi = new VGXDialogButton(this, QStringLiteral("SPI Setup..."), EventSpiSetup);
    spi->setOnlineKey("IdPDbGuiLynxSpiSetup");
    add(spi);
    auto* spiSettings = rowPanel(this);
    spiSettings->add(new VGXLabelParameter(spiSettings, QString(), bind("IdPDbLynxSsiSpiClocFreq")));
    spiSettings->add(new VGXLabelParameter(spiSettings, QString(), bind("IdPDbLynxSsiSpiClocPhas")));
    add(spiSettings);

    VGXPanel* frame = section(this, QStringLiteral("Frame Configuration"));
    frame->add(new CBasebandLynxGraphSsiFrame(frame, instance, direction));
    frame->add(new CBasebandLynxGraphSsi(frame, instance, direction));
    add(frame);

    listen("IdPDbLynxDirection");
    listen("IdPDbLynxSsiCmBitLen");
    finishPanel();
}

CLynxPnlSsi::~CLynxPnlSsi() = default;

void CLynxPnlSsi::applyRules() {
    const bool receiver = value("IdPDbLynxDirection") == 0;
    const int cmBits = value("IdPDbLynxSsiCmBitLen");
    m_cmRow->setVisible(cmBits > 0);
    m_read->setVisible(receiver);
    // A receiver's C&M data is what the DUT sent; it is read, not written.
    m_cmData->setReadOnly(receiver);
    m_gainRow->setVisible(receiver && cmBits >= kGainMinimumBits);
}

void CLynxPnlSsi::processUserEvent(MvGuiFramework::CViewerEvent* event) {
    if (event->getCode() == EventSpiSetup) {
        const VGXUserDialogAttributes attributes(QStringLiteral("CBasebandLynxSpiDialog"), QString(),
                                                 instance(), 0, direction());
        VGXDfDialogFactory::toFront(&attributes);
        event->consume();
        return;
    }
    if (event->getCode() != EventSelectGainFile) {
        CLynxPanelBase::processUserEvent(event);
        return;
    }
    pickHexFile("IdPDbLynxSsiGainFile", QStringLiteral("Gain"));
    event->consume();
}

} // namespace MvQARN
