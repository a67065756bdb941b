// Update functions of the box list and the settings: selection of a box per interface, the list of
// connected boxes, the configuration read, the USB device lists, and preset, save and recall of one
// interface.
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <string>

#include "formats/CInfoIfcSectionInfoblock.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeString.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/util/VGXSafeFile.h"
#include "params/CKobraSaveRecallFunc.h"
#include "params/CKobraUpdateFunc.h"
#include "params/CKobraUpdateFuncHelpers.h"
#include "params/KobraSelected.h"
#include "params/KobraSerials.h"

namespace MvQARN {

using namespace KobraUpdate;

namespace {

// Preset mask of all interface settings.
constexpr unsigned kPresetMaskAll = 0xFFFF0000u;
constexpr int kRecallKind = 5;
constexpr int kAuxRecallPath = 9;
const char kSingleBoxPartNumber[] = "7730.1192.02";
const char kNotConnected[] = "not connected";
const char kNoHwInfo[] = "---";
const char kLogicChangedText[] =
    "Because logic type has been changed, the standard was switched OFF to avoid hardware damages.";

// Hardware configuration record of a box (command 35); false when the box does not answer.
bool readHwConfig(COlCommandIfc& command, int serial, QByteArray& record) {
    record = QByteArray(KobraHwConfig::Size, '\0');
    COlCommandData data;
    data.index1 = serial;
    data.buffer = record.data();
    return command.execute(OlCmdHwConfig, &data);
}

QString hwText(const QByteArray& record, int offset) {
    return QString::fromStdString(KobraHwConfig::text(record.constData(), offset));
}

int variantOf(const QByteArray& record) {
    return hwText(record, KobraHwConfig::PartNumber) == QLatin1String(kSingleBoxPartNumber) ? 0 : 1;
}

// The hardware information texts of the configured box and where the record holds them.
const struct {
    const char* parameter;
    int offset;
} kHwFields[] = {
    {"IdPDbKobraConfigPartNumber", KobraHwConfig::PartNumber},
    {"IdPDbKobraConfigSerialNumber", KobraHwConfig::SerialNumber},
    {"IdPDbKobraConfigFirmVers", KobraHwConfig::FirmwareVersion},
    {"IdPDbKobraConfigFpgaVers", KobraHwConfig::FpgaVersion},
    {"IdPDbKobraConfigBoardPN", KobraHwConfig::BoardPartNumber},
    {"IdPDbKobraConfigBoardSN", KobraHwConfig::BoardSerialNumber},
    {"IdPDbKobraConfigBoardRev", KobraHwConfig::BoardRevision},
    {"IdPDbKobraConfigCpldVers", KobraHwConfig::CpldVersion},
    {"IdPDbKobraConfigPpcVers", KobraHwConfig::PpcVersion},
    {"IdPDbKobraConfigFpgaDigIoVers", KobraHwConfig::DigIoFpgaVersion},
    {"IdPDbKobraConfigFpgaBobVers", KobraHwConfig::BobFpgaVersion},
    {"IdPDbKobraConfigBobType", KobraHwConfig::BobType},
    {"IdPDbKobraConfigBobSN", KobraHwConfig::BobSerialNumber},
    {"IdPDbKobraConfigBobRev", KobraHwConfig::BobRevision},
};

// Configuration read of the box chosen for configuration. Without one, the texts go back to the
// "---" of no box, so nothing of a box that was unplugged or deselected stays on show.
int readConfiguration(CDbCnct& cnct) {
    const int serial = Kobra::getKobraSelected(cnct, true);
    if (serial < 1) {
        for (const auto& f : kHwFields)
            queueText(cnct, f.parameter, QString::fromLatin1(kNoHwInfo), 0, 0);
        return finish(cnct, DbOk);
    }
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return DbOk;
    QByteArray record;
    if (!readHwConfig(*command, serial, record))
        return DbErrOlCommand;
    queueInt(cnct, "IdPDbKobraConfigVariant", variantOf(record), 0, 0);
    for (const auto& f : kHwFields)
        queueText(cnct, f.parameter, hwText(record, f.offset), 0, 0);
    return finish(cnct, DbOk);
}

// The texts of one instrument link from its information block.
void queueInstrumentLink(CDbCnct& cnct, const QByteArray& block, int link) {
    std::string name;
    std::string serialNumber;
    std::string port;
    if (!block.isEmpty()) {
        CInfoIfcSectionInfoblock info;
        info.parse(block.toStdString());
        info.getText(InfoKeyDeviceName, name);
        info.getText(InfoKeyDeviceSerialNumber, serialNumber);
        info.getText(InfoKeyDevicePort, port);
    }
    QString type = QString::fromStdString(name);
    QString serial = QString::fromStdString(serialNumber);
    QString portText = QString::fromStdString(port);
    QString full;
    if (name.empty()) {
        type = QLatin1String(kNotConnected);
        full = type;
        serial.clear();
        portText.clear();
    } else {
        full = type + QStringLiteral(" (") + serial + QStringLiteral(")");
    }
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    queueText(cnct, "IdPDbKobraInstrumentName", full, t0, t1, 0, link);
    queueText(cnct, "IdPDbKobraInstrType", type, t0, t1, 0, link);
    queueText(cnct, "IdPDbKobraInstrSerialNumber", serial, t0, t1, 0, link);
    queueText(cnct, "IdPDbKobraInstrPort", portText, t0, t1, 0, link);
}

// New position of an old selection in a new serial list; 0 when its box is gone.
int repoint(const QStringList& oldList, const QStringList& newList, int index) {
    if (index <= 0 || index >= oldList.size())
        return 0;
    const int pos = newList.indexOf(oldList.at(index));
    return pos > 0 && pos <= Kobra::SelectedSerialEntries ? pos : 0;
}

QStringList listOf(const CDbAllType& v) {
    if (v.getType() == DbTypeNString)
        return static_cast<const CDbDataTypeNString*>(v.get())->getValList();
    return QStringList();
}

void presetBeforeRecall(CDbCnct& cnct) {
    presetInterface(cnct, kPresetMaskAll);
}

// A preset or recall that changed the logic type under a running interface switches the box off.
void logicTypeSafety(CDbCnct& cnct, CDbDataBaseIfc& db, int oldLogic) {
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    int state = 0;
    if (db.getSelect("IdPDbLynxState", state, t0, 0, 0, t1) != DbOk || state != 1)
        return;
    int logic = 0;
    if (db.getSelect("IdPDbLynxLogicType", logic, t0, 0, 0, t1) != DbOk || logic == oldLogic)
        return;
    const int module = db.getModuleNumber();
    cnct.giveMsg(new CDbMsg(module, module, "IdPDbKobraState", 0, DbMsgSet, 0u, 0, t0, t1, 0, 0));
    cnct.updData(true);
    cnct.getAnswerBuffer().errOut(DbErrWithText, t0, QString::fromLatin1(kLogicChangedText));
}

// The settings file a save or recall names, in the user's folder; empty for a name it cannot take.
QString settingsFilePath(CDbCnct& cnct) {
    QString name;
    cnct.getValue().toString(name);
    return cnct.appendUserPathFile(name, true);
}

// Keeps the host's list of settings files current after a save.
void refreshSettingsCatalogue(CDbCnct& cnct) {
    const QString probe = cnct.appendUserPathFile(QStringLiteral("x.lynx"), true);
    if (probe.isEmpty())
        return;
    QStringList names;
    const QFileInfoList files =
        QDir(QFileInfo(probe).absolutePath())
            .entryInfoList({QStringLiteral("*.lynx")}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    // A catalogue answer is one line: names a recall could not take are left out.
    for (const QFileInfo& f : files)
        if (VGXSafeFile::isPlainName(f.fileName()))
            names.append(f.completeBaseName());
    queue(cnct, "IdPDbLynxCatName", CDbAllType(new CDbDataTypeNString(names)), 0, 0);
    cnct.updData(true);
}

int usbRequest(CDbCnct& cnct, int code) {
    double serial = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbLynxUsbDevSerialNumber", serial, cnct.t0(),
                                                    cnct.t3(), cnct.t2(), cnct.t1());
    if (rc != DbOk)
        return rc;
    return requestModule(cnct, code, valueInt(cnct.getValue()), serial);
}

} // namespace

// ---- Box selection and configuration ---------------------------------------------------------

int CKobraUpdateFunc::updKobraSelected(CDbCnct& cnct, const CDbAllType&) {
    if (!(cnct.getChangeFlags() & 1u))
        return DbOk;
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    queueInt(cnct, "IdPDbKobraState", 0, t0, t1);
    queueInt(cnct, "IdPDbKobraTranRecStatus", 0, t0, t1, 0, 0);
    queueInt(cnct, "IdPDbKobraTranRecStatus", 0, t0, t1, 0, 1);

    COlCommandIfc* command = cnct.getOlCommand();
    const int serial = Kobra::getKobraSelected(cnct, false);
    if (!command)
        return finish(cnct, DbOk);
    SKobraInstrumentBlocks blocks;
    if (serial >= 1) {
        QByteArray record;
        if (!readHwConfig(*command, serial, record))
            return finish(cnct, DbErrOlCommand);
        queueInt(cnct, "IdPDbKobraVariant", variantOf(record), t0, t1);
        COlCommandData data;
        data.index1 = serial;
        data.buffer = &blocks;
        if (!command->execute(OlCmdInstrumentInfo, &data))
            return finish(cnct, DbErrOlCommand);
    }
    // Without a box no instrument is joined.
    queueInstrumentLink(cnct, blocks.text[1], 1);
    queueInstrumentLink(cnct, blocks.text[0], 0);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updKobraSerials(CDbCnct& cnct, const CDbAllType& previous) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const QStringList oldList = listOf(previous);
    const QStringList newList = listOf(cnct.getValue());
    const int order[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    int selected[4] = {};
    int configured = 0;
    for (int i = 0; i < 4; ++i) {
        const int rc = db->getSelect("IdPDbKobraSelected", selected[i], order[i][0], 0, 0, order[i][1]);
        if (rc != DbOk)
            return rc;
    }
    const int rc = db->getSelect("IdPDbKobraConfigSelected", configured, 0, 0, 0, 0);
    if (rc != DbOk)
        return rc;

    int index[4] = {};
    for (int i = 0; i < 4; ++i) {
        const int t0 = order[i][0];
        const int t1 = order[i][1];
        index[i] = repoint(oldList, newList, selected[i]);
        // A box named by a recalled settings file is selected once it is connected.
        const long long remembered = Kobra::rememberedSerial(t0, t1);
        if (index[i] == 0 && newList.size() > oldList.size() && newList.size() >= 2 && remembered > 0) {
            for (int e = 1; e < newList.size() && e <= Kobra::SelectedSerialEntries; ++e) {
                if (Kobra::parseSerial(newList.at(e)) == remembered) {
                    index[i] = e;
                    break;
                }
            }
        }
    }
    // A box belongs to one interface at a time: selections that move let go of their old entry
    // first, so no instance is refused an entry another instance is about to leave.
    for (int i = 0; i < 4; ++i)
        if (selected[i] != 0 && index[i] != selected[i])
            queueInt(cnct, "IdPDbKobraSelected", 0, order[i][0], order[i][1]);
    for (int i = 0; i < 4; ++i)
        queueInt(cnct, "IdPDbKobraSelected", index[i], order[i][0], order[i][1]);
    queueInt(cnct, "IdPDbKobraConfigSelected", repoint(oldList, newList, configured), 0, 0);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updConfigSelected(CDbCnct& cnct, const CDbAllType&) {
    return readConfiguration(cnct);
}

int CKobraUpdateFunc::updFpgaLoaded(CDbCnct& cnct, const CDbAllType&) {
    const int selected = Kobra::getKobraSelected(cnct, false);
    if (selected < 1 || selected != Kobra::getKobraSelected(cnct, true))
        return DbOk;
    return readConfiguration(cnct);
}

int CKobraUpdateFunc::updUsbDevState(CDbCnct& cnct, const CDbAllType&) {
    return usbRequest(cnct, Kobra::KobraReqSerialList);
}

int CKobraUpdateFunc::updUsbBobState(CDbCnct& cnct, const CDbAllType&) {
    return usbRequest(cnct, Kobra::KobraReqBoxGone);
}

int CKobraUpdateFunc::updUsbInstrumentState(CDbCnct& cnct, const CDbAllType&) {
    return usbRequest(cnct, Kobra::KobraReqInstrumentLink);
}
// ---- Preset, save and recall -------------------------------------------------------------------

int CKobraUpdateFunc::updLynxPreset(CDbCnct& cnct, const CDbAllType&) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int oldLogic = 0;
    const int rc = db->getSelect("IdPDbLynxLogicType", oldLogic, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    presetInterface(cnct, kPresetMaskAll);
    logicTypeSafety(cnct, *db, oldLogic);
    return DbOk;
}

int CKobraUpdateFunc::updLynxSav(CDbCnct& cnct, const CDbAllType&) {
    const QString path = settingsFilePath(cnct);
    if (path.isEmpty())
        return DbErrBadFileName;
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int fast = 1;
    const int rc = db->getSelect("IdPDbLynxSavFast", fast, cnct.t0(), 0, 0, 0);
    if (rc != DbOk)
        return rc;
    cnct.srSavDb(path, kPresetGroup, kPresetMaskAll, 0, "setting", "kobra", nullptr, "KobraPlugin", fast == 1,
                 -1);
    queue(cnct, "IdPDbLynxRcl", cnct.getValue(), cnct.t0(), cnct.t1(), cnct.t2(), cnct.t3(), DbFlagForGui);
    const int queued = cnct.updData(true);
    refreshSettingsCatalogue(cnct);
    return queued;
}

int CKobraUpdateFunc::updLynxRcl(CDbCnct& cnct, const CDbAllType&) {
    // A save names its file here for the dialogs; that is no recall.
    if (cnct.getMsgFlags() & DbFlagForGui)
        return DbOk;
    const QString path = settingsFilePath(cnct);
    if (path.isEmpty())
        return DbErrBadFileName;
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (CDbMsg* msg = cnct.getCurrentMsg())
        msg->giveAuxData(kAuxRecallPath, new CDbDataTypeString(path));
    int oldLogic = 0;
    const int rc = db->getSelect("IdPDbLynxLogicType", oldLogic, cnct.t0(), 0, 0, cnct.t1());
    cnct.srRcl(kRecallKind, &presetBeforeRecall);
    if (rc == DbOk)
        logicTypeSafety(cnct, *db, oldLogic);
    // The host baseband follows the recalled settings when the host notifies the module of the
    // recall (IdPDbDbRecall).
    return DbOk;
}

} // namespace MvQARN
