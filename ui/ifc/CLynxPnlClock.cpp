#include "ui/ifc/CLynxPnlClock.h"

#include <QComboBox>

#include "host/gui/VGXAdjustSizes.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXTextParameter.h"
#include "ui/diagrams/CBasebandLynxGraphClock.h"

namespace MvQARN {

namespace {
constexpr int kSourceUserInterface = 1;
constexpr int kSourceRefIn = 2;
} // namespace

CLynxPnlClock::CLynxPnlClock(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    registerSharedDescriptors();
    addSelection("IdPDbLynxExtRefFreq",
                 {QStringLiteral("5 MHz"), QStringLiteral("10 MHz"), QStringLiteral("13 MHz")});

    const QStringList skewUnits{QStringLiteral("ns"), QStringLiteral("ps")};
    const QList<double> skewFactors{1e-9, 1e-12};

    VGXPanel* clock = section(this, QStringLiteral("Clock Settings"));
    auto* rate =
        addRow(clock, new VGXTextParameter(clock, QStringLiteral("Clock Rate"), bind("IdPDbLynxClocRate")));
    rate->setUnits({QStringLiteral("MHz"), QStringLiteral("kHz"), QStringLiteral("Hz")}, {1e6, 1e3, 1.0});
    addRow(clock, new VGXComboParameter(clock, QStringLiteral("Clock Source"), bind("IdPDbLynxClocSour")));
    addRow(clock, new VGXComboParameter(clock, QStringLiteral("Clock Phase"), bind("IdPDbLynxClocPhas")));
    auto* skew =
        addRow(clock, new VGXTextParameter(clock, QStringLiteral("Clock Skew"), bind("IdPDbLynxClocSkew")));
    skew->setUnits(skewUnits, skewFactors);
    m_inSkew = addRow(
        clock, new VGXTextParameter(clock, QStringLiteral("Clock In Skew"), bind("IdPDbLynxClocInSkew")));
    m_inSkew->setUnits(skewUnits, skewFactors);
    addRow(clock, new VGXComboParameter(clock, QStringLiteral("Clock Polarity"), bind("IdPDbLynxClocPol")));
    // One unit column: the rate's and the skews' fields end at one x.
    VGXAdjustSizes units;
    for (VGXTextParameter* field : {rate, skew, m_inSkew})
        units.add(field->unitCombo());
    units.doAdjustment();
    add(clock);

    VGXPanel* ref = section(this, QStringLiteral("Reference Clock"));
    m_refFreq =
        addRow(ref, new VGXComboParameter(ref, QStringLiteral("Frequency"), bind("IdPDbLynxExtRefFreq")));
    addRow(ref, new VGXTextParameter(ref, QStringLiteral("Counter"), bind("IdPDbLynxExtRefFreqVal")));
    add(ref);

    add(new CBasebandLynxGraphClock(this, instance, direction));
    add(new CBasebandLynxGraphClock(this, instance, direction));

    listen("IdPDbLynxClocSour");
    listen("IdPDbKobraVariant");
    finishPanel();
}

CLynxPnlClock::~CLynxPnlClock() = default;

void CLynxPnlClock::applyRules() {
    const int source = value("IdPDbLynxClocSour");
    m_inSkew->setReadOnly(source != kSourceUserInterface);
    m_refFreq->setReadOnly(source != kSourceRefIn);
    m_inSkew->setVisible(value("IdPDbKobraVariant") != 0);
}

} // namespace MvQARN
