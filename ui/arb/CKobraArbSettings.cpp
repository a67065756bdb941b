#include "ui/arb/CKobraArbSettings.h"

#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "ui/arb/CKobraTblArb.h"

namespace MvQARN {

namespace {

// Fixed height of the table: the header and four rows, without a scroll bar.
constexpr int kTableHeight = 140;
// The box's ARB memory in MSamples.
constexpr int kArbMemoryMSamples = 64;

void registerDescriptors(const SKobraArbSettingsNames& names) {
    for (const char* event : {names.preset, names.reload})
        if (event)
            VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
                VGXUserDbAttributes(event), true, QStringLiteral("Off"), QStringLiteral("On")));
    if (names.samplesTotal)
        VGXDescriptors::addDescriptor(
            new VGXDescriptorNumberEntry(VGXUserDbAttributes(names.samplesTotal), true, 4));
}

} // namespace

CKobraArbSettings::CKobraArbSettings(QWidget* parent, int instance, int direction, const QString& name,
                                     const SKobraArbSettingsNames& names)
    : VGXNavigationPanel(parent) {
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    registerDescriptors(names);
    const QString panelName = !name.isEmpty()  ? name
                              : direction == 0 ? QStringLiteral("BBIN")
                                               : QStringLiteral("BBOUT");
    setObjectName(panelName);
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));

    auto* sources = new VGXPanel(this);
    sources->setTitleBorder(QStringLiteral("ARB Sources"));
    sources->setOnlineKey("IdPDbArbTable");
    m_table = new CKobraTblArb(sources, new CKobraTblDscrArb(panelName, names.table, this));
    m_table->setFixedHeight(kTableHeight);
    sources->add(m_table);
    add(sources);

    if (names.preset) {
        m_reset = new VGXButtonParameter(this, QStringLiteral("Reset ARB Settings"),
                                         VGXUserDbAttributes(names.preset));
        add(m_reset);
    }
    if (names.reload) {
        m_reload = new VGXButtonParameter(this, QStringLiteral("Reload Wave Files"),
                                          VGXUserDbAttributes(names.reload));
        add(m_reload);
    }
    if (names.samplesTotal) {
        auto* row = new VGXPanel(this);
        row->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
        m_total = new VGXLabelParameter(row, QStringLiteral("Total Samples:    "),
                                        VGXUserDbAttributes(names.samplesTotal));
        row->add(m_total);
        row->add(new VGXLabel(row, QStringLiteral("%1 MSamples").arg(double(kArbMemoryMSamples), 0, 'g')));
        add(row);
    }
}

CKobraArbSettings::~CKobraArbSettings() = default;

CKobraTblDscrArb* CKobraArbSettings::descriptor() const {
    return m_table->descriptor();
}

} // namespace MvQARN
