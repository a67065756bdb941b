#include "ui/ifc/CLynxPnlTest.h"

#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"

namespace MvQARN {

namespace {

constexpr int kSourceSine = 2;
constexpr int kSourceArbFirst = 3;
constexpr int kSourceArbLast = 6;

QStringList sourcesWithoutArb() {
    return {QStringLiteral("PRBS"), QStringLiteral("Counter"), QStringLiteral("Sine")};
}

QStringList sourcesWithArb() {
    return sourcesWithoutArb() + QStringList{QStringLiteral("ARB1"), QStringLiteral("ARB2"),
                                             QStringLiteral("ARB3"), QStringLiteral("ARB4")};
}

} // namespace

CLynxPnlTest::CLynxPnlTest(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    addOnOff("IdPDbLynxTestRxPrbs");
    addOnOff("IdPDbLynxTestTxPrbs");
    addSelection("IdPDbLynxTestRxSource", {QStringLiteral("PRBS"), QStringLiteral("Counter")});
    addSelection("IdPDbLynxTestTxSource", sourcesWithArb());

    m_receive = section(this);
    addRow(m_receive,
           new VGXToggleParameter(m_receive, QStringLiteral("Rx Test"), bind("IdPDbLynxTestRxPrbs")));
    addRow(m_receive,
           new VGXComboParameter(m_receive, QStringLiteral("Test Signal"), bind("IdPDbLynxTestRxSource")));
    addRow(m_receive, new VGXLabelParameter(m_receive, QStringLiteral("Rx Received Bits"),
                                            bind("IdPDbLynxTestRxIqWords")));
    addRow(m_receive, new VGXLabelParameter(m_receive, QStringLiteral("Rx BER"), bind("IdPDbLynxTestRxBer")));
    add(m_receive);

    m_transmit = section(this);
    addRow(m_transmit,
           new VGXToggleParameter(m_transmit, QStringLiteral("Tx Test"), bind("IdPDbLynxTestTxPrbs")));
    m_txSource = addRow(m_transmit, new VGXComboParameter(m_transmit, QStringLiteral("Test Signal"),
                                                          bind("IdPDbLynxTestTxSource")));
    m_sine = section(m_transmit, QStringLiteral("Sine Signal Settings"));
    addRow(m_sine,
           new VGXTextParameter(m_sine, QStringLiteral("Frequency"), bind("IdPDbLynxTestSinusCwFreq")));
    addRow(m_sine, new VGXTextParameter(m_sine, QStringLiteral("Amplitude"), bind("IdPDbLynxTestSinusGain"),
                                        QStringLiteral("dBFS")));
    m_transmit->add(m_sine);
    m_arb = section(m_transmit, QStringLiteral("ARB Settings"));
    addRow(m_arb, new VGXLabelParameter(m_arb, QStringLiteral("Wave File"), bind("IdPDbLynxTestArbFile")));
    addRow(m_arb,
           new VGXLabelParameter(m_arb, QStringLiteral("Sample Rate"), bind("IdPDbLynxTestArbSampRate")));
    addRow(m_arb, new VGXLabelParameter(m_arb, QStringLiteral("Number Of Samples"),
                                        bind("IdPDbLynxTestArbSamples")));
    m_transmit->add(m_arb);
    add(m_transmit);

    listen("IdPDbLynxDirection");
    listen("IdPDbLynxTestTxSource");
    if (isUserFamily())
        listen("IdPDbProtLevState");
    finishPanel();
}

CLynxPnlTest::~CLynxPnlTest() = default;

void CLynxPnlTest::applyRules() {
    const int dir = value("IdPDbLynxDirection");
    m_receive->setVisible(dir == 0);
    m_transmit->setVisible(dir == 1);
    const int source = value("IdPDbLynxTestTxSource");
    m_sine->setVisible(source == kSourceSine);
    m_arb->setVisible(source >= kSourceArbFirst && source <= kSourceArbLast);
    // The ARB sources exist only while the ARB is not locked away.
    if (isUserFamily()) {
        const int protection = value("IdPDbProtLevState");
        if (protection != m_arbListState) {
            m_arbListState = protection;
            m_txSource->setDescriptor(protection == 0 ? sourcesWithArb() : sourcesWithoutArb());
        }
    }
}

} // namespace MvQARN
