#include "ui/CKobraDlgMain.h"

#include <QPushButton>

#include "frame/KobraDialogRoutes.h"
#include "frame/KobraPluginGlobals.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXGridLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXSaveRecallPopup.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"
#include "host/gui/VGXUserDialogAttributes.h"

namespace MvQARN {

namespace {

constexpr int kDialogMode = 16;
constexpr int kFitWidthAndHeight = VGXDialog::FitHeight | VGXDialog::FitWidth;

// "KOBRA", followed by the qualifier when it names something else than the box's own menu item.
QString titleFor(const QString& qualifier) {
    QString q = qualifier;
    if (q.startsWith(QLatin1Char(':')))
        q.remove(0, 1);
    if (q.isEmpty() || q == QLatin1String("KOBRA"))
        return QStringLiteral("KOBRA");
    return QStringLiteral("KOBRA %1").arg(q);
}

VGXDialog* createMainDialog(const Kobra::SDialogRequest& request) {
    return new CKobraDlgMain(request.attributes);
}

[[maybe_unused]] const bool s_creatorSet =
    (Kobra::g_dialogCreators[Kobra::DlgRowMain] = &createMainDialog, true);

} // namespace

CKobraDlgMain::CKobraDlgMain(const VGXUserDialogAttributes* attributes)
    : KobraDialog(QStringLiteral("KOBRA"), -1, -1, kDialogMode) {
    const QString qualifier = attributes ? attributes->dialogQualifier() : QString();
    setTitles(titleFor(qualifier), QStringLiteral("KOBRA"));
    if (attributes)
        setAttributes(*attributes);
    VGXUserDbAttributes::setCurrentInstance(attributes ? attributes->instance() : 0);

    VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes("IdPDbLynxPreset"), true, QStringLiteral("Off"), QStringLiteral("On")));
    VGXDescriptors::addDescriptor(new VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes("IdPDbLynxState"), true, QStringLiteral("Off"), QStringLiteral("On")));
    VGXDescriptors::addDescriptor(
        new VGXDescriptorNumberEntry(VGXUserDbAttributes("IdPDbLynxDummy"), true, 0));

    setAttributes(kFitWidthAndHeight);
    setSizeInButtons(4);

    auto* content = new VGXNavigationPanel(this);
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    content->setIndents(MvGuiFramework::CBoxIndents(2));

    auto* grid = new VGXPanel(content);
    grid->setLayout(new VGXGridLayout(2, 2));
    grid->setIndents(MvGuiFramework::CBoxIndents(0));
    grid->add(new VGXLabel(grid, QStringLiteral("State")), VGXConstraints(0, 0));
    m_state = new VGXToggleParameter(grid, QString(), VGXUserDbAttributes("IdPDbLynxState"));
    m_state->button()->setAccessibleName(QStringLiteral("State"));
    grid->add(m_state, VGXConstraints(1, 0));
    VGXDataObject::connectDatabase(this, VGXUserDbAttributes("IdPDbKobraState"));
    VGXDataObject::connectDatabase(this, VGXUserDbAttributes("IdPDbKobraType"));
    grid->add(new VGXButtonParameter(grid, QStringLiteral("Set To Default"),
                                     VGXUserDbAttributes("IdPDbLynxPreset")),
              VGXConstraints(0, 1));

    m_saveRecall = new VGXDialogButton(grid, QStringLiteral("Save/Recall..."));
    m_saveRecall->setOnlineKey("IdPDbLynxRcl");
    VGXUserPopupList entries;
    entries.add(VGXPopupStruct::recall(QStringLiteral("Recall KOBRA"),
                                       QStringLiteral("Recall KOBRA Settings"), "IdPDbLynxRcl",
                                       "IdPDbLynxCatName"));
    entries.add(VGXPopupStruct::save(QStringLiteral("Save KOBRA"), QStringLiteral("Save KOBRA Settings"),
                                     "IdPDbLynxSav", "IdPDbLynxCatName", "IdPDbLynxSavFast"));
    m_popup = new VGXSaveRecallPopup(m_saveRecall, entries, Kobra::g_fileTypes[Kobra::FileTypeUserSettings]);
    m_saveRecall->setPopup(m_popup);
    grid->add(m_saveRecall, VGXConstraints(1, 1));
    content->add(grid);

    // Shown only while the parameter is available.
    content->add(new VGXTextParameter(content, QStringLiteral("Test Parameter"),
                                      VGXUserDbAttributes("IdPDbLynxDummy")));
    // Height the dialog has to spare goes below the rows, not between them.
    content->addStretch();
    setContentPanel(content);
}

CKobraDlgMain::~CKobraDlgMain() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

void CKobraDlgMain::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() == VGXDataEvent::DataChanged)
        m_state->refresh();
}

} // namespace MvQARN
