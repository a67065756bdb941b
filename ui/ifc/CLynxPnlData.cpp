#include "ui/ifc/CLynxPnlData.h"

#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"
#include "ui/diagrams/CBasebandLynxGraphDataBit.h"

namespace MvQARN {

namespace {
constexpr int kFormatParallel = 1;
}

CLynxPnlData::CLynxPnlData(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    registerSharedDescriptors();
    const QStringList msbLsb{QStringLiteral("MSB"), QStringLiteral("LSB")};
    const QStringList polarity{QStringLiteral("Positive"), QStringLiteral("Negative")};
    addSelection("IdPDbLynxDataWordAlign", msbLsb);
    addSelection("IdPDbLynxDataBitOrder", msbLsb);
    addSelection("IdPDbLynxDataIQPol", polarity);
    addSelection("IdPDbLynxDataStrobPol", polarity);
    addSelection("IdPDbLynxDataType", {QStringLiteral("Samples"), QStringLiteral("Pre-FIR Samples")});

    VGXPanel* word = section(this);
    addRow(word, new VGXComboParameter(word, QStringLiteral("Signal Type"), bind("IdPDbLynxSigType")));
    addRow(word, new VGXTextParameter(word, QStringLiteral("Word Size"), bind("IdPDbLynxDataWordSize")));
    m_wordAlign = addRow(
        word, new VGXComboParameter(word, QStringLiteral("Word Alignment"), bind("IdPDbLynxDataWordAlign")));
    m_bitOrder =
        addRow(word, new VGXComboParameter(word, QStringLiteral("Bit Order"), bind("IdPDbLynxDataBitOrder")));
    add(word);

    VGXPanel* bits = section(this, QStringLiteral("User Interface Bits Alignment"));
    bits->add(new CBasebandLynxGraphDataBit(bits, instance, direction));
    bits->add(new CBasebandLynxGraphDataBit(bits, instance, direction));
    add(bits);

    VGXPanel* format = section(this);
    addRow(format,
           new VGXComboParameter(format, QStringLiteral("Numeric Format"), bind("IdPDbLynxDataNumForm")));
    addRow(format, new VGXCheckParameter(format, QStringLiteral("Negate I Data"), bind("IdPDbLynxDataNegI")));
    addRow(format, new VGXCheckParameter(format, QStringLiteral("Negate Q Data"), bind("IdPDbLynxDataNegQ")));
    addRow(format, new VGXComboParameter(format, QStringLiteral("I/Q Polarity"), bind("IdPDbLynxDataIQPol")));
    add(format);

    VGXPanel* strobe = section(this, QStringLiteral("Serial Strobe"));
    addRow(strobe,
           new VGXComboParameter(strobe, QStringLiteral("Strobe Polarity"), bind("IdPDbLynxDataStrobPol")));
    addRow(strobe,
           new VGXTextParameter(strobe, QStringLiteral("Strobe Position"), bind("IdPDbLynxDataStrobPos")));
    add(strobe);

    listen("IdPDbLynxFormat");
    finishPanel();
}

CLynxPnlData::~CLynxPnlData() = default;

void CLynxPnlData::applyRules() {
    const bool parallel = value("IdPDbLynxFormat") == kFormatParallel;
    m_wordAlign->setVisible(parallel);
    m_bitOrder->setVisible(parallel);
}

} // namespace MvQARN
