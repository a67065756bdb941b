#include "recorder/CKobraDlgTranRec.h"

#include <QLabel>

#include "frame/KobraDialogRoutes.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXNavigationPanel.h"
#include "recorder/CKobraGraph.h"
#include "recorder/CKobraTranRecSettings.h"

namespace MvQARN {

namespace {

constexpr int kFitWidthAndHeight = VGXDialog::FitHeight | VGXDialog::FitWidth;

VGXDialog* create(const Kobra::SDialogRequest& r) {
    return new CKobraDlgTranRec(r.qualifier, r.instance, r.direction, r.channel);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowTranRec] = &create, true);

} // namespace

CKobraDlgTranRec::CKobraDlgTranRec(const QString& qualifier, int instance, int direction, int channel)
    : KobraDialog(QStringLiteral("CKobraDlgTranRec%1").arg(qualifier), -1, -1, 0),
      m_captionBase(QStringLiteral("Recorded I/Q Data")) {
    // Recorders are counted from 1 over both directions of the box's paths, then by channel.
    const int number = instance + 2 * direction + 1;
    setTitles(QStringLiteral("KOBRA %1: Transient Recorder %2").arg(number).arg(channel + 1),
              QStringLiteral("KOBRA %1\nTrans Rec %2").arg(number).arg(channel + 1));

    // The recorder's channel must not stay the current one for interface controls built later.
    const VGXCurrentIndicesGuard keepIndices;
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    VGXUserDbAttributes::setCurrentStation(0);
    VGXUserDbAttributes::setCurrentChannel(channel);
    setAttributes(kFitWidthAndHeight);

    auto* content = new VGXNavigationPanel(this);
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    content->setIndents(MvGuiFramework::CBoxIndents(2));

    m_settings = new CKobraTranRecSettings(content, CKobraTranRecSettings::recorderParameters());
    content->add(m_settings, 0);

    m_graphics = new VGXPanel(content);
    m_graphics->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    m_graphics->setIndents(MvGuiFramework::CBoxIndents(2));
    m_graphics->setTitleBorder(QStringLiteral("Graphics"));
    m_caption = new QLabel(m_captionBase, m_graphics);
    m_graphics->add(m_caption, 0);
    m_graph = new CKobraGraph(m_graphics);
    m_graph->setFocusPolicy(Qt::NoFocus);
    m_graph->setIndents(MvGuiFramework::CBoxIndents(5));
    // Room for the longest title and the axis texts; the chart would otherwise open as narrow as the
    // settings column leaves it, with its title cut and no scale numbers. The I/Q view stacks two
    // diagrams: each needs the height of its longest axis title ("Quadrature Q(t)") and some.
    m_graph->setMinimumSize(460, 400);
    m_graphics->add(m_graph, 1000);
    content->add(m_graphics, 1000);
    setContentPanel(content);

    // The caption names the view the graph shows.
    m_display = VGXDataObject::connectDatabase(
        this, VGXUserDbAttributes("IdPDbKobraTranRecDisplayType", instance, channel, direction, 0));
    processDataEvent(nullptr);
}

CKobraDlgTranRec::~CKobraDlgTranRec() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

void CKobraDlgTranRec::setCaption(const QString& caption) {
    m_caption->setText(caption.isEmpty() ? m_captionBase : m_captionBase + QStringLiteral(" - ") + caption);
}

void CKobraDlgTranRec::processDataEvent(VGXDataEvent* event) {
    if (event && event->getCode() != VGXDataEvent::DataChanged)
        return;
    const auto* d =
        dynamic_cast<const VGXDescriptorComboboxEntry*>(VGXDescriptors::find("IdPDbKobraTranRecDisplayType"));
    const int view = m_display->getIntegerData();
    setCaption(d ? d->textOf(view) : QString());
}

} // namespace MvQARN
