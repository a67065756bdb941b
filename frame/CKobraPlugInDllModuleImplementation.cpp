#include "frame/CKobraPlugInDllModuleImplementation.h"

#include <QDialog>
#include <QStringList>
#include <cmath>
#include <new>
#include <optional>
#include <string>

#include "formats/CInfoIfcSectionInfoblock.h"
#include "frame/CKobraPlugInDfModule.h"
#include "frame/KobraAnchorCommand.h"
#include "frame/KobraModuleRequests.h"
#include "frame/KobraPluginGlobals.h"
#include "frame/KobraProgressDialogFactory.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbMsg.h"
#include "host/gui/VGXBlockDiagram.h"
#include "host/gui/VGXCommandPanelClasses.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/VGXPanelClasses.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/util/CUtilXferData.h"
#include "host/util/VGXUtility.h"
#include "orglayer/CKobraOrgLayer.h"
#include "orglayer/KobraBreakoutBoard.h"
#include "params/KobraDbInfo.h"
#include "params/KobraDeviceStateReapply.h"
#include "params/KobraSelected.h"
#include "params/KobraSerials.h"
#include "recorder/CKobraBlkTranRec.h"
#include "recorder/CKobraRecSettings.h"
#include "remote/CKobraScpiModule.h"
#include "ui/CKobraUserValidator.h"
#include "ui/KobraBlock.h"
#include "ui/cmd/InteractiveCommandPanelImplementation.h"

namespace MvQARN {

namespace {

const char kModuleName[] = "KobraPlugin";
const char kShortName[] = "KOBRA";

// Sender and receiver module of the messages the plug-in writes.
constexpr int kMsgModule = 4;
constexpr int kMenuWhere = 4;
constexpr int kFamilyWithDriver = 0x10000;
// Entries of the serial list the list maintenance works on: entry 0 ("no box") and up to 20 boxes.
constexpr int kSerialListEntries = 21;

struct SFileTypeRow {
    const char* description;
    const char* pattern;
    bool flag;
};

const SFileTypeRow kFileTypes[Kobra::FileTypeCount] = {
    {"KOBRA User Defined Setting (*.lynx)", "*.lynx", false},
    {"ARB Setting File (*.wv)", "*.wv", false},
    {"ARB Wave File (*.wv)", "*.wv", false},
    {"Recorder File (*.wv)", "*.wv", false},
    {"Service test log file (*.txt)", "*.txt", true},
    {"KOBRA User Defined Setting (*.lynx)", "*.lynx", false},
    {"HexCoded Data (*.hex)", "*.hex", false},
};

const char* const kDialogItems[][2] = {
    {":KOBRA", "CKobraDlgMain"},
    {":KOBRA_TRANREC0", "CKobraDlgTranRecChannel0"},
    {":KOBRA_TRANREC1", "CKobraDlgTranRecChannel1"},
    {":KOBRA_DEVICE", "CKobraDlgDeviceManager"},
};

struct SValidatorRow {
    const char* guiParameter;
    const char* watchedParameter;
    int mode;
};

const SValidatorRow kValidatorRows[] = {
    {"internalGuiKobraState", "IdPDbKobraState", 1},
    {"internalGuiLynxState", "IdPDbLynxState", 2},
    {"internalGuiLynxLogicType", "IdPDbLynxLogicType", 0},
};

// True while a protection-level notification is being passed on, so that another KOBRA module
// receiving it does not pass it back.
bool s_forwardingProtectionLevel = false;

void trace(const char* text) {
    VGXUtility::traceMessage(QString::fromLatin1(text));
}

long long roundSerial(double serial) {
    return std::llround(serial);
}

int runMessage(CDbCnct& cnct, CDbMsg* msg) {
    cnct.giveMsg(msg);
    return cnct.updData(true);
}

// The device keys of one instrument information block.
struct SInstrumentKeys {
    std::string name;
    std::string serialNumber;
    std::string port;
};

SInstrumentKeys instrumentKeys(const QByteArray& text) {
    SInstrumentKeys keys;
    if (text.isEmpty())
        return keys;
    CInfoIfcSectionInfoblock block;
    block.parse(text.toStdString());
    block.getText(InfoKeyDeviceName, keys.name);
    block.getText(InfoKeyDeviceSerialNumber, keys.serialNumber);
    block.getText(InfoKeyDevicePort, keys.port);
    return keys;
}

} // namespace

int CKobraPlugInDllModuleImplementation::effectiveModuleId(int requested) {
    if (requested >= 0)
        return requested;
    if (requested == -1)
        return Kobra::KobraModuleId;
    return 0;
}

CKobraPlugInDllModuleImplementation::CKobraPlugInDllModuleImplementation(int moduleId)
    : CDefaultLoadableModuleImplementation() {
    validators.clear();
    progressDialog = nullptr;

    setSelf(this);
    setModuleName(kModuleName);
    setShortName(kShortName);
    setModuleId(effectiveModuleId(moduleId));

    Kobra::g_orgLayer = nullptr;

    // Outside a host database context the object stays a bare module.
    if (hasHostDbContext()) {
        setHasDatabase(true);
        setDbInfo(&Kobra::g_mdlDbInfo, &Kobra::g_devDbInfo);
        setSection("Database");
        Kobra::g_orgLayer = new (std::nothrow) CKobraOrgLayer;
        setModuleFunction(kModuleName);
        // The remote-control command tree; the module registers it with the host parser itself.
        setScpiModule(new (std::nothrow) CKobraScpiModule);
    }
}

CKobraPlugInDllModuleImplementation::~CKobraPlugInDllModuleImplementation() {
    trace("~CKobraPlugInDllModuleImplementation()");
    if (progressDialog) {
        delete progressDialog;
        progressDialog = nullptr;
    }
    trace("progressbar deleted");
    // A host that skipped moduleExit still gets the command tree unregistered.
    exitScpi();
    trace("~CKobraPlugInDllModuleImplementation() complete");
    // Empty after exitusGui; a host that skipped it still gets its validators released.
    qDeleteAll(validators);
    validators.clear();
    validators.squeeze();
    for (VGXGuiUserValidator* link : mirrorLinks)
        delete link;
    mirrorLinks.clear();
    VGXBlockDiagram::registerBlockClass(QStringLiteral("KobraBlock"), nullptr);
    VGXPanelClasses::registerPanelClass(QStringLiteral("CKobraBlkTranRec"), nullptr);
    VGXPanelClasses::registerPanelClass(QStringLiteral("CKobraRecSettings"), nullptr);
    VGXCommandPanelClasses::registerPanelClass(QStringLiteral("InteractiveCommandPanelImplementation"),
                                               nullptr);
}

// The tree points into the plug-in library, so it leaves the host parser before the library goes.
void CKobraPlugInDllModuleImplementation::exitScpi() {
    delete getScpiModule();
    setScpiModule(nullptr);
}

void CKobraPlugInDllModuleImplementation::initusGui() {
    if (!hasDatabase() || !hostGuiComplete())
        return;

    VGXDfDialogFactory::registerModule(CKobraPlugInDfModule());

    for (const auto& row : kDialogItems)
        addDialogItem(row[0], row[1], kMenuWhere);

    for (int i = 0; i < Kobra::FileTypeCount; ++i) {
        const SFileTypeRow& row = kFileTypes[i];
        Kobra::g_fileTypes[i] = VGXMain::registerFileType(QString::fromLatin1(row.description),
                                                          QString::fromLatin1(row.pattern), row.flag);
    }

    if (VGXUtility::getSigGenFamily() == kFamilyWithDriver) {
        addDialogItem(":KOBRA_USER", "CBasebandLynxMainInOutDialog", kMenuWhere);

        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b)
                for (const SValidatorRow& row : kValidatorRows)
                    validators.append(new (std::nothrow) CKobraUserValidator(
                        row.guiParameter, row.watchedParameter, row.mode, 0, a, b, 0, 0));

        if (Kobra::createProgressDialog)
            progressDialog = Kobra::createProgressDialog(nullptr);

        if (COlCommandIfc* command = Kobra::anchorCommandInterface())
            command->execute(OlCmdStart, nullptr);
    } else {
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b)
                for (const SValidatorRow& row : kValidatorRows)
                    mirrorLinks.append(new (std::nothrow) VGXGuiUserValidator(
                        VGXUserDbAttributes(row.guiParameter, a, 0, b, 0),
                        VGXUserDbAttributes(row.watchedParameter, a, 0, b, 0), -1));
    }

    // The host's block diagram shows the box's interfaces with the box's own block.
    VGXBlockDiagram::registerBlockClass(QStringLiteral("KobraBlock"), &KobraBlock::create);
    // The recorder block for the diagram, and the general recorder panel for the host's own dialog.
    VGXPanelClasses::registerPanelClass(QStringLiteral("CKobraBlkTranRec"), &CKobraBlkTranRec::create);
    VGXPanelClasses::registerPanelClass(QStringLiteral("CKobraRecSettings"), &CKobraRecSettings::create);
    // The host's SCPI terminal and other modules build the box's command panel through its class name.
    VGXCommandPanelClasses::registerPanelClass(QStringLiteral("InteractiveCommandPanelImplementation"),
                                               &InteractiveCommandPanelImplementation::create);

    VGXDescriptors::addDescriptor(new (std::nothrow) VGXDescriptorCheckboxEntry(
        VGXUserDbAttributes("IdPDbLynxDeviceState", -1, -1, -1, -1), true, QStringLiteral("Off"),
        QStringLiteral("On"), QString()));
}

void CKobraPlugInDllModuleImplementation::exitusGui() {
    for (CKobraUserValidator* v : validators)
        delete v;
    validators.clear();
    validators.squeeze();

    trace("CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver ...");
    if (COlCommandIfc* command = Kobra::anchorCommandInterface())
        command->execute(OlCmdStop, nullptr);
    trace("CKobraPlugInDllModuleImplementation::exitusGui(): Shutdown Org Layer and Driver complete !!!");
    trace("CKobraPlugInDllModuleImplementation::exitusGui(): OK. exitusGui() complete !!!");
}

int CKobraPlugInDllModuleImplementation::notifierHook(int, int, void*, void*) {
    return 0;
}

int CKobraPlugInDllModuleImplementation::xferCommand(int code, CUtilXferData& data) {
    if (code < 0) {
        notification(data);
        return 0;
    }
    CDbCnct* cnct = data.cnct;
    switch (code) {
    case Kobra::KobraReqSwitch:
        if (cnct)
            data.result = switchRequest(*cnct, data.intArg1, data.intArg2);
        break;
    case Kobra::KobraReqIsOn:
        if (cnct)
            answerIsOn(*cnct, data.intArg1);
        break;
    case Kobra::KobraReqSetMode:
        if (cnct)
            data.result = setModeRequest(*cnct, data.intArg1, data.intArg2);
        break;
    case Kobra::KobraReqInstrumentLink:
        if (cnct)
            data.result = instrumentLink(*cnct, data.realArg, data.intArg1);
        break;
    case Kobra::KobraReqSerialList:
        if (cnct)
            data.result = serialList(*cnct, data.realArg, data.intArg1);
        break;
    case Kobra::KobraReqBoxGone:
        if (cnct)
            data.result = boxGone(*cnct, data.realArg);
        break;
    default:
        break;
    }
    return 0;
}

void CKobraPlugInDllModuleImplementation::notification(CUtilXferData& data) {
    const QByteArray& name = data.parmName;
    if (name == "IdPDbDbRecall") {
        if (data.cnct)
            reapplyDeviceStates(*data.cnct);
    } else if (name == "IdPDbKobraState") {
        data.result = data.cnct ? checkSwitchOn(*data.cnct) : 0;
    } else if (name == "IdPDbProtLevState") {
        forwardProtectionLevel(data);
    }
}

// After a recall the host baseband follows the interfaces again; the interface updates share the
// routine.
int CKobraPlugInDllModuleImplementation::reapplyDeviceStates(CDbCnct& cnct) {
    return Kobra::reapplyDeviceStates(cnct);
}

// A request that switches the box on needs a selected box and a fitting breakout board.
int CKobraPlugInDllModuleImplementation::checkSwitchOn(CDbCnct& cnct) {
    int on = 0;
    if (!cnct.getValue().toInt(on) || on == 0)
        return 0;
    if (Kobra::getKobraSelected(cnct, false) <= 0)
        return DbErrNoBox;
    char message[Kobra::BreakoutMessageSize] = {};
    const int status = Kobra::chkKobraBreakoutBoard(cnct, -1, 0, 0, message);
    if (status != 0)
        cnct.errorText() = QString::fromLatin1(message);
    return status;
}

void CKobraPlugInDllModuleImplementation::forwardProtectionLevel(CUtilXferData& data) {
    if (s_forwardingProtectionLevel)
        return;
    s_forwardingProtectionLevel = true;
    for (int id = Kobra::FirstBoxModuleId; id <= Kobra::LastBoxModuleId; ++id) {
        VGXPlugInDllModuleInterface* module = VGXUtility::getLoadableInterface(id);
        if (module && module != static_cast<VGXPlugInDllModuleInterface*>(this))
            module->xferCommand(-1, data);
    }
    s_forwardingProtectionLevel = false;
}

int CKobraPlugInDllModuleImplementation::switchRequest(CDbCnct& cnct, int boxType, int boxMode) {
    CDbMsgList& msgs = cnct.getMsgList();
    int pos = -1;
    if (CDbMsg* current = cnct.getCurrentMsg()) {
        for (int i = 0; i < msgs.count(); ++i)
            if (msgs.at(i) == current)
                pos = i;
    }
    if (pos < 0) {
        if (msgs.isEmpty())
            return 0;
        pos = 0;
    }
    CDbMsg* msg = msgs.at(pos);
    int on = 0;
    msg->getValue().toInt(on);

    if (on != 0) {
        // The request becomes: box type, box mode, box state ON, in this order.
        auto* modeMsg = new CDbMsg(*msg);
        modeMsg->setName("IdPDbKobraMode");
        modeMsg->setValue(CDbAllType::fromInt(boxMode));
        auto* stateMsg = new CDbMsg(*msg);
        stateMsg->setName("IdPDbKobraState");
        stateMsg->setValue(CDbAllType::fromInt(1));
        msg->setName("IdPDbKobraType");
        msg->setValue(CDbAllType::fromInt(boxType));
        msgs.insert(pos + 1, modeMsg);
        msgs.insert(pos + 2, stateMsg);
        return 0;
    }

    // Only the module whose type the box runs may switch it off.
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;
    int current = 0;
    const int status = db->getSelect("IdPDbKobraType", current, msg->getTupel().t0, 0, 0, msg->getTupel().t1);
    if (status != 0)
        return status;
    return current == boxType ? 0 : int(DbErrUiStateOff);
}

void CKobraPlugInDllModuleImplementation::answerIsOn(CDbCnct& cnct, int boxType) {
    int answer = 0;
    if (CDbDataBaseIfc* db = cnct.getDataBaseIfc()) {
        int state = 0;
        int type = 0;
        if (db->getSelect("IdPDbKobraState", state, cnct.t0(), 0, 0, cnct.t1()) == 0 &&
            db->getSelect("IdPDbKobraType", type, cnct.t0(), 0, 0, cnct.t1()) == 0)
            answer = (state == 1 && type == boxType) ? 1 : 0;
    }
    cnct.getAnswerBuffer().createAnswer(new CDbDataTypeSelect(answer));
}

int CKobraPlugInDllModuleImplementation::setModeRequest(CDbCnct& cnct, int boxType, int boxMode) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;
    int state = 0;
    int type = 0;
    int status = db->getSelect("IdPDbKobraState", state, cnct.t0(), 0, 0, cnct.t1());
    if (status == 0)
        status = db->getSelect("IdPDbKobraType", type, cnct.t0(), 0, 0, cnct.t1());
    if (status != 0)
        return status;
    if (state != 1 || type != boxType)
        return 0;
    return runMessage(cnct, new CDbMsg(kMsgModule, kMsgModule, "IdPDbKobraMode", boxMode, DbMsgSet, 0u, 0,
                                       cnct.t0(), cnct.t1(), 0, 0));
}

int CKobraPlugInDllModuleImplementation::instrumentLink(CDbCnct& cnct, double serial, int state) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;

    SKobraInstrumentBlocks blocks;
    if (serial > 0) {
        if (COlCommandIfc* command = Kobra::anchorCommandInterface()) {
            COlCommandData data;
            data.index1 = int(roundSerial(serial));
            data.buffer = &blocks;
            if (!command->execute(OlCmdInstrumentInfo, &data))
                return DbErrOlCommand;
        }
    }

    // The interface that has this box selected; the last match counts.
    int foundT0 = -1;
    int foundT1 = -1;
    for (int t0 = 0; t0 < 2; ++t0) {
        for (int t1 = 0; t1 < 2; ++t1) {
            int status = 0;
            const std::optional<qlonglong> s = Kobra::selectedSerial(*db, false, t0, t1, &status);
            if (status != 0)
                return status;
            if (s == roundSerial(serial)) {
                foundT0 = t0;
                foundT1 = t1;
            }
        }
    }

    if (foundT0 >= 0) {
        const int fourth = cnct.t3();
        const int link = 1 - fourth;
        const SInstrumentKeys keys = instrumentKeys(blocks.text[fourth == 1 ? 1 : 0]);
        // The name always comes from the block; a link switched off shows its type as not connected
        // and no serial number or port.
        const QString blockName = QString::fromStdString(keys.name);
        const QString blockSerial = QString::fromStdString(keys.serialNumber);
        const QString name = blockName + QStringLiteral(" (") + blockSerial + QStringLiteral(")");
        QString type = QStringLiteral("not connected");
        QString serialNumber;
        QString port;
        if (state != 0) {
            type = blockName;
            serialNumber = blockSerial;
            port = QString::fromStdString(keys.port);
        }
        const struct {
            const char* parameter;
            const QString& text;
        } writes[] = {
            {"IdPDbKobraInstrType", type},
            {"IdPDbKobraInstrSerialNumber", serialNumber},
            {"IdPDbKobraInstrPort", port},
            {"IdPDbKobraInstrumentName", name},
        };
        for (const auto& w : writes)
            cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, w.parameter, w.text, DbMsgSet, 0u, 0, foundT0,
                                    foundT1, 0, link));
    }
    return cnct.updData(true);
}

int CKobraPlugInDllModuleImplementation::serialList(CDbCnct& cnct, double serial, int flag) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;
    // A serial number is a whole number in every text: seven digits and more must neither turn into an
    // exponent nor meet another box's serial in one rounded text.
    const std::optional<qlonglong> box = Kobra::serialFromNumber(serial);
    const QString text = box ? QString::number(*box) : QString::number(serial, 'f', 0);

    QStringList serials;
    int count = 0;
    // A failed read still writes the list back (empty, or with this serial alone) before its status
    // becomes the result.
    const int status = db->getStringList("IdPDbKobraSerials", serials, count, 0, 0, 0, 0);
    if (status != 0)
        serials.clear();

    QStringList kept;
    const int n = qMin(qMin(count, int(serials.size())), kSerialListEntries);
    for (int i = 0; i < n; ++i) {
        const QString& entry = serials.at(i);
        if (entry == text || (box && Kobra::parseSerial(entry) == box))
            continue;
        kept.append(entry);
    }
    if (flag == 1)
        kept.append(text);

    cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, "IdPDbKobraSerials",
                            CDbAllType(new CDbDataTypeNString(kept)), DbMsgSet, DbFlagForGui, 0, 0, 0, 0, 0,
                            0, int(kept.size()), 127));
    cnct.updData(true);
    return status;
}

int CKobraPlugInDllModuleImplementation::boxGone(CDbCnct& cnct, double serial) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db || serial < 1)
        return 0;
    const long long gone = roundSerial(serial);

    for (int t0 = 0; t0 < 2; ++t0) {
        for (int t1 = 0; t1 < 2; ++t1) {
            if (Kobra::selectedSerial(*db, false, t0, t1) != gone)
                continue;
            runMessage(cnct, new CDbMsg(kMsgModule, kMsgModule, "IdPDbKobraState", 0, DbMsgSet, 0u, 0, t0, t1,
                                        0, 0));
            break;
        }
    }

    if (Kobra::selectedSerial(*db, true, 0, 0) == gone) {
        // Rewriting the configured selection re-runs its update, which reads the configuration again.
        int index = 0;
        if (db->getSelect("IdPDbKobraConfigSelected", index, 0, 0, 0, 0) == 0)
            return runMessage(cnct, new CDbMsg(kMsgModule, kMsgModule, "IdPDbKobraConfigSelected", index,
                                               DbMsgSet, DbFlagReapply, 0, 0, 0, 0, 0));
    }
    return 0;
}

} // namespace MvQARN
