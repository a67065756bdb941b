#include "ui/ifc/CLynxPnlMain.h"

#include "frame/KobraPluginGlobals.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXSaveRecallPopup.h"
#include "host/gui/VGXToggleParameter.h"

namespace MvQARN {

CLynxPnlMain::CLynxPnlMain(QWidget* parent, int instance, int direction)
    : CLynxPanelBase(parent, instance, direction) {
    addOnOff("IdPDbLynxPreset");
    addOnOff("internalGuiLynxState");
    addOnOff("IdPDbLynxTriggerState");
    addSelection("IdPDbLynxDirection", {QStringLiteral("Receiver"), QStringLiteral("Transmitter")});
    QStringList types{QStringLiteral("LVDS"),      QStringLiteral("LVTTL"),     QStringLiteral("3.3V CMOS"),
                      QStringLiteral("2.5V CMOS"), QStringLiteral("1.8V CMOS"), QStringLiteral("1.5V CMOS")};
    QList<int> values{0, 1, 2, 3, 4, 5};
    if (isUserFamily()) {
        types << QStringLiteral("1.2V CMOS");
        values << 8;
    } else {
        types << QStringLiteral("1.8V SSI") << QStringLiteral("2.8V SSI");
        values << 6 << 7;
    }
    addSelection("internalGuiLynxLogicType", types, values);

    VGXPanel* rows = section(this);
    const auto logicTypeRow = [&] {
        m_logicType = addRow(rows, new VGXComboParameter(rows, QStringLiteral("Logic Type "),
                                                         bind("internalGuiLynxLogicType")));
        m_logicType->setOnlineKey("IdPDbLynxLogicType");
    };
    if (!isUserFamily()) {
        logicTypeRow();
        add(rows);
        finishPanel();
        return;
    }
    addRow(rows, new VGXButtonParameter(rows, QStringLiteral("Set To Default"), bind("IdPDbLynxPreset")));
    auto* saveRecall = new VGXDialogButton(rows, QStringLiteral("Save/Recall..."));
    saveRecall->setOnlineKey("IdPDbLynxRcl");
    VGXUserPopupList entries;
    entries.add(VGXPopupStruct::recall(QStringLiteral("Recall User"), QStringLiteral("Recall User Settings"),
                                       "IdPDbLynxRcl", "IdPDbLynxCatName"));
    entries.add(VGXPopupStruct::save(QStringLiteral("Save User"), QStringLiteral("Save User Settings"),
                                     "IdPDbLynxSav", "IdPDbLynxCatName", nullptr));
    saveRecall->setPopup(
        new VGXSaveRecallPopup(saveRecall, entries, Kobra::g_fileTypes[Kobra::FileTypeUserSettings]));
    rows->add(saveRecall);
    logicTypeRow();
    addRow(rows, new VGXComboParameter(rows, QStringLiteral("Direction"), bind("IdPDbLynxDirection")));
    m_trigger =
        addRow(rows, new VGXLabelParameter(rows, QStringLiteral("Trigger"), bind("IdPDbLynxTriggerState")));
    auto* state =
        addRow(rows, new VGXToggleParameter(rows, QStringLiteral("State    "), bind("internalGuiLynxState")));
    state->setOnlineKey("IdPDbLynxState");
    add(rows);
    finishPanel();
}

CLynxPnlMain::~CLynxPnlMain() = default;

} // namespace MvQARN
