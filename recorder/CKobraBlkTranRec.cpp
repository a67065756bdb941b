#include "recorder/CKobraBlkTranRec.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "recorder/CKobraGraph.h"

namespace MvQARN {

using MvGuiFramework::CViewerEvent;

CKobraBlkTranRec::CKobraBlkTranRec(int instance, int direction, int channel, QWidget* parent)
    : VGXPanel(parent), m_instance(instance), m_direction(direction), m_channel(channel) {
    setColorPalette(QStringLiteral("diagramPalette"));
    setFontStyle(QStringLiteral("SmallTableFont"));
    setAutoFillBackground(true);
    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));

    // The recorder's channel must not stay the current one for interface controls built later.
    const VGXCurrentIndicesGuard keepIndices;
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    VGXUserDbAttributes::setCurrentStation(0);
    VGXUserDbAttributes::setCurrentChannel(channel);
    setTitleBorder(QStringLiteral("TR %1").arg(channel + 1));
    setAccessibleName(QStringLiteral("TR %1").arg(channel + 1));
    setFocusPolicy(Qt::StrongFocus);

    m_graph = new CKobraGraph(this);
    m_graph->setFocusPolicy(Qt::NoFocus);
    // Clicks on the thumbnail belong to the block.
    m_graph->setAttribute(Qt::WA_TransparentForMouseEvents);
    add(m_graph, 1000);
    // The graph's caption is made for a dialog; the block's title names the thumbnail.
    for (QLabel* caption : m_graph->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        caption->hide();
}

CKobraBlkTranRec::~CKobraBlkTranRec() = default;

VGXPanel* CKobraBlkTranRec::create(const VGXPanelClasses::SArgs& args) {
    return new CKobraBlkTranRec(args.instance, args.direction, args.channel, args.parent);
}

void CKobraBlkTranRec::processActionEvent(CViewerEvent* event) {
    if (event->getCode() != CViewerEvent::ActionActivated)
        return;
    // The dialog counts both directions of a path as instances; its qualifier is that count from 1.
    // The registry keeps dialogs by name and qualifier, so the name carries the channel: the two
    // recorders of an interface get a dialog each.
    const int dialogInstance = m_instance + 2 * m_direction;
    const VGXUserDialogAttributes attributes(QStringLiteral("CKobraDlgTranRecChannel%1").arg(m_channel),
                                             QString::number(dialogInstance + 1), dialogInstance, m_channel,
                                             m_direction, 0);
    VGXDfDialogFactory::toFront(&attributes);
    event->consume();
}

void CKobraBlkTranRec::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        sendActionEvent(CViewerEvent::ActionActivated);
        event->accept();
        return;
    }
    VGXPanel::mouseReleaseEvent(event);
}

void CKobraBlkTranRec::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        sendActionEvent(CViewerEvent::ActionActivated);
        event->accept();
        return;
    }
    VGXPanel::keyPressEvent(event);
}

} // namespace MvQARN
