#include "ui/KobraTriggerPattern.h"

#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorPatternEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXGridLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXLineBorder.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXTitleBorder.h"

namespace MvQARN {

KobraTriggerPattern::KobraTriggerPattern(QWidget* parent, int instance, int channel, int direction,
                                         int station)
    : VGXNavigationPanel(parent), m_instance(instance), m_channel(channel), m_direction(direction),
      m_station(station) {
    setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    setIndents(MvGuiFramework::CBoxIndents(0));
}

KobraTriggerPattern::~KobraTriggerPattern() = default;

void KobraTriggerPattern::createGroup(const QString& title) {
    auto* group = new VGXPanel(this);
    group->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    group->setBorder(new VGXTitleBorder(title));
    add(group);
    m_group = group;
}

void KobraTriggerPattern::addBlock(int bitCount, const QString& title, const char* comboParameter,
                                   const char* patternParameter, const QString& further,
                                   const QStringList& texts, const QList<int>& values) {
    VGXPanel* owner = m_group ? m_group : static_cast<VGXPanel*>(this);
    auto* panel = new VGXNavigationPanel(owner);
    panel->setBorder(new VGXLineBorder());
    panel->setLayout(new VGXGridLayout(1, 4));
    panel->setAccessibleDescription(further);

    Block b;
    b.title = new VGXLabel(panel, title);
    panel->add(b.title, VGXConstraints(0, 0, 1, 1, VGXConstraints::FillNone));

    const VGXUserDbAttributes comboBinding(comboParameter, m_instance, m_channel, m_direction, m_station);
    b.combo = new VGXComboParameter(panel, QString(), comboBinding);
    b.combo->setDescriptor(new VGXDescriptorComboboxEntry(comboBinding, true, texts, values));
    panel->add(b.combo, VGXConstraints(1, 0));

    // The field takes its character set and grouping from the registered descriptor.
    const VGXUserDbAttributes patternBinding(patternParameter, m_instance, m_channel, m_direction, m_station);
    VGXDescriptors::addDescriptor(
        new VGXDescriptorPatternEntry(patternBinding, true, QStringLiteral("01X"), 4, qMax(bitCount, 1)));
    b.pattern = new VGXTextParameter(panel, QString(), patternBinding);
    b.pattern->refresh();
    panel->add(b.pattern, VGXConstraints(2, 0));

    panel->add(new VGXLabel(panel, QStringLiteral("%1 Bit").arg(bitCount)),
               VGXConstraints(3, 0, 1, 1, VGXConstraints::FillNone));

    owner->add(panel);
    m_blocks.append(b);
    ++m_count;
}

const KobraTriggerPattern::Block* KobraTriggerPattern::block(int number) const {
    if (number < 1 || number > m_blocks.size())
        return nullptr;
    return &m_blocks.at(number - 1);
}

void KobraTriggerPattern::setTitle(int number, const QString& text) {
    if (const Block* b = block(number))
        b->title->setText(text);
}

void KobraTriggerPattern::setReadOnly(int number, bool readOnly) {
    if (const Block* b = block(number))
        b->combo->setReadOnly(readOnly);
}

void KobraTriggerPattern::replaceComboDescriptor(int number, const char* comboParameter,
                                                 const QStringList& texts, const QList<int>& values) {
    if (const Block* b = block(number))
        b->combo->setDescriptor(new VGXDescriptorComboboxEntry(
            VGXUserDbAttributes(comboParameter, m_instance, m_channel, m_direction, m_station), true, texts,
            values));
}

QString KobraTriggerPattern::blockTitle(int number) const {
    const Block* b = block(number);
    return b ? b->title->text() : QString();
}

VGXComboParameter* KobraTriggerPattern::blockCombo(int number) const {
    const Block* b = block(number);
    return b ? b->combo : nullptr;
}

VGXTextParameter* KobraTriggerPattern::blockPattern(int number) const {
    const Block* b = block(number);
    return b ? b->pattern : nullptr;
}

} // namespace MvQARN
