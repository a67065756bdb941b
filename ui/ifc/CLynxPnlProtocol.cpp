#include "ui/ifc/CLynxPnlProtocol.h"

#include <QLabel>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXAdjustSizes.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "ui/ifc/CLynxFrequencyLabel.h"

namespace MvQARN {

namespace {

constexpr int kFormatParallel = 1;
constexpr int kSignalIf = 1;

// The display text the registered descriptor gives a selection value.
QString choiceText(const char* name, int value) {
    const auto* d = dynamic_cast<const VGXDescriptorComboboxEntry*>(VGXDescriptors::find(name));
    return d ? d->textOf(value) : QString::number(value);
}

} // namespace

CLynxPnlProtocol::CLynxPnlProtocol(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    registerSharedDescriptors();
    addSelection("IdPDbLynxFormat", {QStringLiteral("Serial"), QStringLiteral("Parallel")});
    addSelection("IdPDbLynxRateMode", {QStringLiteral("SDR"), QStringLiteral("DDR")});
    addSelection("IdPDbLynxIleavMode", {QStringLiteral("Not Interleaved"), QStringLiteral("I/Q Interleaved"),
                                        QStringLiteral("Q/I Interleaved")});
    addSelection("IdPDbLynxSCRatio", {QStringLiteral("1"), QStringLiteral("4/5"), QStringLiteral("2/5"),
                                      QStringLiteral("1/5"), QStringLiteral("1/10"), QStringLiteral("1/20")});

    VGXPanel* protocol = section(this, QStringLiteral("Protocol"));
    addRow(protocol, new VGXComboParameter(protocol, QStringLiteral("Format"), bind("IdPDbLynxFormat")));
    addRow(protocol, new VGXComboParameter(protocol, QStringLiteral("Data Rate"), bind("IdPDbLynxRateMode")));
    addRow(protocol,
           new VGXComboParameter(protocol, QStringLiteral("Interleaving"), bind("IdPDbLynxIleavMode")));
    m_ratio = addRow(protocol, new VGXComboParameter(protocol, QStringLiteral("Sample/Clock Rate Ratio"),
                                                     bind("IdPDbLynxSCRatio")));
    m_dataSummary = summaryRow(protocol, QStringLiteral("Data Settings"), QStringLiteral("Data Setup..."),
                               EventDataSetup, "IdPDbGuiLynxDataSetup");
    m_clockSummary = summaryRow(protocol, QStringLiteral("Clock Settings"), QStringLiteral("Clock Setup..."),
                                EventClockSetup, "IdPDbGuiLynxClocSetup");
    // The two setup buttons one above the other, as wide as each other.
    VGXAdjustSizes buttons;
    for (VGXDialogButton* b : protocol->findChildren<VGXDialogButton*>())
        buttons.add(b);
    buttons.doAdjustment();
    auto* rates = new VGXPanel(protocol);
    rates->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    rates->setOnlineKey("IdPDbGuiLynxClocRate");
    addRow(rates, new CLynxFrequencyLabel(rates, QStringLiteral("Clock Rate / Sample Rate"),
                                          bind("IdPDbLynxClocRate")));
    rates->add(new CLynxFrequencyLabel(rates, QString(), bind("IdPDbLynxSampRate")));
    // Both rates as wide as each other, the room to spare after them.
    static_cast<QBoxLayout*>(rates->layout())->addStretch(1);
    protocol->add(rates);
    m_ifFreq = addRow(
        protocol, new CLynxFrequencyLabel(protocol, QStringLiteral("IF Frequency"), bind("IdPDbLynxIFFreq")));
    add(protocol);

    for (const char* name : {"IdPDbLynxFormat", "IdPDbLynxSigType", "IdPDbLynxDataWordSize",
                             "IdPDbLynxDataNumForm", "IdPDbLynxClocSour", "IdPDbLynxClocPhas"})
        listen(name);
    finishPanel();
}

CLynxPnlProtocol::~CLynxPnlProtocol() = default;

QLabel* CLynxPnlProtocol::summaryRow(VGXPanel* into, const QString& label, const QString& button, int code,
                                     const char* key) {
    auto* row = new VGXPanel(into);
    row->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    // In the label column, so the summary starts where the fields above start.
    addRow(row, new QLabel(label, row));
    auto* summary = new QLabel(row);
    summary->setAccessibleName(label);
    row->add(summary, 1);
    auto* open = new VGXDialogButton(row, button, code);
    open->setOnlineKey(key);
    row->add(open);
    into->add(row);
    return summary;
}

void CLynxPnlProtocol::applyRules() {
    m_ratio->setVisible(value("IdPDbLynxFormat") == kFormatParallel);
    m_ifFreq->setVisible(value("IdPDbLynxSigType") == kSignalIf);
    m_dataSummary->setText(QStringLiteral("%1 Bit, %2, %3")
                               .arg(value("IdPDbLynxDataWordSize"))
                               .arg(choiceText("IdPDbLynxDataNumForm", value("IdPDbLynxDataNumForm")),
                                    choiceText("IdPDbLynxSigType", value("IdPDbLynxSigType"))));
    m_clockSummary->setText(
        QStringLiteral("%1, %2").arg(choiceText("IdPDbLynxClocSour", value("IdPDbLynxClocSour")),
                                     choiceText("IdPDbLynxClocPhas", value("IdPDbLynxClocPhas"))));
}

void CLynxPnlProtocol::processUserEvent(MvGuiFramework::CViewerEvent* event) {
    const int code = event->getCode();
    if (code != EventDataSetup && code != EventClockSetup) {
        CLynxPanelBase::processUserEvent(event);
        return;
    }
    const VGXUserDialogAttributes attributes(code == EventDataSetup
                                                 ? QStringLiteral("CBasebandLynxDataDialog")
                                                 : QStringLiteral("CBasebandLynxClockDialog"),
                                             QString(), instance(), 0, direction());
    VGXDfDialogFactory::toFront(&attributes);
    event->consume();
}

} // namespace MvQARN
