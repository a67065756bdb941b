#include "ui/ifc/CLynxPnlSpi.h"

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDescriptorNBitEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"
#include <QLineEdit>

namespace MvQARN {

namespace {
constexpr int kSpiByteBits = 8;
}

CLynxPnlSpi::CLynxPnlSpi(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    registerSpiDescriptors();
    VGXDescriptors::addDescriptor(
        new VGXDescriptorNBitEntry(VGXUserDbAttributes("IdPDbLynxSsiSpiDataWrite"), true, kSpiByteBits));
    VGXDescriptors::addDescriptor(
        new VGXDescriptorNBitEntry(VGXUserDbAttributes("IdPDbLynxSsiSpiDataRead"), true, kSpiByteBits));

    VGXPanel* spi = section(this);
    addRow(spi,
           new VGXComboParameter(spi, QStringLiteral("Clock Frequency"), bind("IdPDbLynxSsiSpiClocFreq")));
    addRow(spi, new VGXComboParameter(spi, QStringLiteral("Clock Phase"), bind("IdPDbLynxSsiSpiClocPhas")));
    addRow(spi, new VGXCheckParameter(spi, QStringLiteral("Chip Select"), bind("IdPDbLynxSsiChipSelStat")));
    add(spi);
    add(byteRow(QStringLiteral("Write Byte (hex)"), "IdPDbLynxSsiSpiDataWriteExec",
                "IdPDbLynxSsiSpiDataWrite"));
    add(byteRow(QStringLiteral("Read Byte (hex)"), "IdPDbLynxSsiSpiDataReadExec", "IdPDbLynxSsiSpiDataRead"));

    VGXPanel* file = section(this, QStringLiteral("SPI File Transfer"));
    file->add(new VGXLabelParameter(file, QString(), bind("IdPDbLynxSsiSpiFile")));
    auto* buttons = new VGXPanel(file);
    buttons->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    auto* select = new VGXDialogButton(buttons, QStringLiteral("Select File..."), EventSelectFile);
    select->setOnlineKey("IdPDbLynxSsiSpiFile");
    buttons->add(select);
    buttons->add(
        new VGXButtonParameter(buttons, QStringLiteral("Send"), bind("IdPDbLynxSsiSpiFileSendExec")));
    file->add(buttons);
    add(file);
    finishPanel();
}

CLynxPnlSpi::~CLynxPnlSpi() = default;

VGXPanel* CLynxPnlSpi::byteRow(const QString& text, const char* exec, const char* data) {
    auto* row = new VGXPanel(this);
    row->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    row->add(new VGXButtonParameter(row, text, bind(exec)));
    auto* field = new VGXTextParameter(row, QString(), bind(data));
    field->lineEdit()->setAccessibleName(text);
    row->add(field);
    return row;
}

void CLynxPnlSpi::processUserEvent(MvGuiFramework::CViewerEvent* event) {
    if (event->getCode() != EventSelectFile) {
        CLynxPanelBase::processUserEvent(event);
        return;
    }
    pickHexFile("IdPDbLynxSsiSpiFile", QStringLiteral("SPI"));
    event->consume();
}

} // namespace MvQARN
