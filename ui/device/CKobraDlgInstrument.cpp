#include "ui/device/CKobraDlgInstrument.h"

#include <QBoxLayout>

#include "frame/KobraDialogRoutes.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXTabViewer.h"
#include "ui/KobraTabViewerLook.h"
#include "ui/device/CKobraPnlInstrumentInfo.h"

namespace MvQARN {

namespace {

constexpr int kDialogMode = 16;
constexpr int kLinks = 2;
const char kNotConnected[] = "not connected";

int selectedBox(int path, int side) {
    VGXDatabaseConnectorEntry* e =
        VGXDataObject::connectDatabase(nullptr, VGXUserDbAttributes("IdPDbKobraSelected", path, 0, side, 0));
    const int box = e ? e->getIntegerData() : 0;
    VGXDataObject::disconnectDatabase(e);
    return box;
}

// Instance, direction and channel of the request are the interface's path, side and the link.
VGXDialog* create(const Kobra::SDialogRequest& r) {
    return new CKobraDlgInstrument(r.instance, r.direction, r.channel, selectedBox(r.instance, r.direction));
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowInstrument] = &create, true);

} // namespace

int CKobraDlgInstrument::connectedLink(int path, int side) {
    for (int link = 0; link < kLinks; ++link) {
        VGXDatabaseConnectorEntry* e = VGXDataObject::connectDatabase(
            nullptr, VGXUserDbAttributes("IdPDbKobraInstrumentName", path, link, side, 0));
        const QString name = e ? e->getStringData() : QString();
        VGXDataObject::disconnectDatabase(e);
        if (!name.isEmpty() && name != QLatin1String(kNotConnected))
            return link;
    }
    return 0;
}

CKobraDlgInstrument::CKobraDlgInstrument(int path, int side, int link, int boxNumber)
    : KobraDialog(QStringLiteral("Instrument"), -1, -1, kDialogMode) {
    const QString number = QString::number(boxNumber);
    const QString connector = QString::number(link + 1);
    setTitles(QStringLiteral("Instrument on KOBRA ") + number + QStringLiteral(" (DIG IQ IN/OUT ") +
                  connector + QLatin1Char(')'),
              QStringLiteral("Instrument on") + QStringLiteral("\nKOBRA ") + number +
                  QStringLiteral(" (IQ ") + connector + QLatin1Char(')'));
    setAttributes(VGXDialog::FitHeight | VGXDialog::FitWidth);

    auto* content = new VGXNavigationPanel(this);
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    content->setIndents(MvGuiFramework::CBoxIndents(2));
    m_name = new VGXLabelParameter(content, QStringLiteral("Connected Instrument"),
                                   VGXUserDbAttributes("IdPDbKobraInstrumentName", path, link, side, 0));
    content->add(m_name);
    m_tabs = new VGXTabViewer(content);
    configureVGXTabViewer(m_tabs);
    m_info = new CKobraPnlInstrumentInfo(m_tabs, path, side, link);
    if (auto* box = qobject_cast<QBoxLayout*>(m_info->layout()))
        box->addStretch(1);
    m_tabs->addTab(m_info, QStringLiteral("General Information"));
    content->add(m_tabs, 1);
    setContentPanel(content);
}

CKobraDlgInstrument::~CKobraDlgInstrument() = default;

} // namespace MvQARN
