#include "ui/KobraBlock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXTitleBorder.h"
#include "params/KobraChoiceTexts.h"
#include "ui/KobrasCombo.h"

namespace MvQARN {

using MvGuiFramework::CViewerEvent;

namespace {

VGXPanel* row(QWidget* parent, int direction) {
    auto* panel = new VGXPanel(parent);
    panel->setLayout(new VGXFlowLayout(direction));
    panel->setIndents(MvGuiFramework::CBoxIndents(0));
    return panel;
}

} // namespace

KobraBlock::KobraBlock(const QString& title, QWidget* parent, const char* checkParameter,
                       const char* labelParameter, int instance, int channel, int direction, int station)
    : VGXBlockPanel(parent, title) {
    setTitleBorder(new VGXTitleBorder(title));
    setSelectedTitleBorder(new VGXTitleBorder(title));
    setColorPalette(QStringLiteral("DiagramBlock"));

    // Until the box list arrives the selector has nothing real to offer.
    VGXDescriptors::addDescriptor(new VGXDescriptorComboboxEntry(
        VGXUserDbAttributes("IdPDbKobraSelected", instance, channel, direction, station), true,
        {QStringLiteral("Undefined")}));

    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(4));

    VGXPanel* configRow = row(this, VGXFlowLayout::TopToBottom);
    m_config = new QPushButton(QStringLiteral("config..."), configRow);
    m_config->setFixedHeight(m_config->fontMetrics().height() + 6);
    m_config->setAccessibleName(title + QStringLiteral(" config..."));
    // The block's default action: the dialog it stands for, or whoever handles activation above.
    connect(m_config, &QPushButton::clicked, this,
            [this] { sendActionEvent(CViewerEvent::ActionActivated); });
    configRow->add(m_config);
    add(configRow);

    VGXPanel* comboRow = row(this, VGXFlowLayout::TopToBottom);
    m_combo = new KobrasCombo(comboRow, "IdPDbKobraSelected", "IdPDbKobraSerials", instance, channel,
                              direction, station);
    m_combo->comboBox()->setAccessibleName(title + QStringLiteral(" box"));
    comboRow->add(m_combo);
    add(comboRow);

    VGXPanel* stateRow = row(this, VGXFlowLayout::LeftToRight);
    const VGXUserDbAttributes checkBinding(checkParameter, instance, channel, direction, station);
    m_check = new VGXCheckParameter(stateRow, QString(), checkBinding);
    m_check->checkBox()->setAccessibleName(title + QStringLiteral(" on"));
    m_label =
        new VGXLabel(stateRow, VGXUserDbAttributes(labelParameter, instance, channel, direction, station));
    stateRow->add(m_check, 0);
    stateRow->add(m_label, 1);
    stateRow->setFixedHeight(m_label->sizeHint().height());
    add(stateRow);
}

KobraBlock::~KobraBlock() = default;

void KobraBlock::processActionEvent(CViewerEvent* event) {
    if (event->getCode() == CViewerEvent::ActionClicked && event->getSource() == this) {
        QComboBox* box = m_combo->comboBox();
        box->setFocus(Qt::MouseFocusReason);
        box->showPopup();
        event->consume();
        return;
    }
    VGXBlockPanel::processActionEvent(event);
}

VGXBlockPanel* KobraBlock::create(const QString& title, QWidget* parent, const char* checkParameter,
                                  const char* labelParameter, int instance, int channel, int direction,
                                  int station) {
    if (labelParameter && !VGXDescriptors::find(labelParameter)) {
        QStringList texts;
        QList<int> values;
        for (const auto& choice : Kobra::choices(labelParameter)) {
            values << choice.first;
            texts << choice.second;
        }
        if (!texts.isEmpty())
            VGXDescriptors::addDescriptor(new VGXDescriptorComboboxEntry(
                VGXUserDbAttributes(labelParameter, -1, -1, -1, -1), true, texts, values));
    }
    return new KobraBlock(title, parent, checkParameter, labelParameter, instance, channel, direction,
                          station);
}

} // namespace MvQARN
