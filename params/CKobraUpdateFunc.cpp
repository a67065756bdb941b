#include "params/CKobraUpdateFunc.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QVector>
#include <string>

#include "formats/CInfoIfcSectionInfoblock.h"
#include "formats/KobraArbInfo.h"
#include "frame/KobraModuleRequests.h"
#include "host/db/CDbAllType.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/olfw/KobraSerialData.h"
#include "host/util/CUtilXferData.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/VGXUtility.h"
#include "params/CKobraSaveRecallFunc.h"
#include "params/KobraDeviceStateReapply.h"
#include "params/KobraFunctionSlots.h"
#include "params/KobraSelected.h"
#include "params/KobraServiceTests.h"
#include "params/KobraSsiReadBack.h"

namespace MvQARN {

namespace {

// Sender and receiver module of the messages the plug-in writes.
constexpr int kMsgModule = 4;
// Host mode bits under which the host baseband follows the interfaces.
constexpr unsigned kHostModeBits = 0x121;
constexpr int kLogicLvds = 0;
constexpr int kSigTypeIf = 1;
constexpr int kClocSourInternal = 0;
constexpr int kClocSourUser = 1;
constexpr int kClocSourRefIn = 2;
constexpr int kSideOut = 1;
constexpr int kFormatParallel = 1;
constexpr int kArbEntries = 4;
constexpr int kSpiDataBits = 8;
constexpr int kPresetGroup = 36;
constexpr unsigned kPresetMaskAll = 0xFFFF0000u;
constexpr unsigned kPresetMaskArb = 0x10000u;
constexpr int kRecallKind = 5;
constexpr int kAuxRecallPath = 9;
constexpr int kEepromUnit = 64;
constexpr double kMinSampleRate = 400.0;
constexpr double kMaxSampleRate = 100e6;
const char kSingleBoxPartNumber[] = "7730.1192.02";
const char kNotConnected[] = "not connected";
const char kLogicChangedText[] =
    "Because logic type has been changed, the standard was switched OFF to avoid hardware damages.";

void queue(CDbCnct& cnct, const char* name, const CDbAllType& v, int t0, int t1, int t2 = 0, int t3 = 0,
           unsigned flags = 0, int unit = 0) {
    cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, name, v, DbMsgSet, flags, unit, t0, t1, t2, t3));
}

void queueInt(CDbCnct& cnct, const char* name, int v, int t0, int t1, int t2 = 0, int t3 = 0,
              unsigned flags = 0) {
    queue(cnct, name, CDbAllType::fromInt(v), t0, t1, t2, t3, flags);
}

void queueText(CDbCnct& cnct, const char* name, const QString& v, int t0, int t1, int t2 = 0, int t3 = 0,
               int unit = 0) {
    queue(cnct, name, CDbAllType::fromString(v), t0, t1, t2, t3, 0, unit);
}

bool hostMirrors(CDbDataBaseIfc& db) {
    return (db.getModeWord() & kHostModeBits) != 0;
}

// Reads in a row about one instance (t0, t1, t2, t3); after the first error the rest are skipped
// and status() keeps that error.
class Reads {
public:
    Reads(CDbDataBaseIfc& db, int t0, int t1, int t2 = 0, int t3 = 0)
        : m_db(db), m_t0(t0), m_t1(t1), m_t2(t2), m_t3(t3) {}
    Reads& select(const char* name, int& value) {
        if (m_status == DbOk)
            m_status = m_db.getSelect(name, value, m_t0, m_t3, m_t2, m_t1);
        return *this;
    }
    Reads& number(const char* name, double& value) {
        if (m_status == DbOk)
            m_status = m_db.getNumber(name, value, m_t0, m_t3, m_t2, m_t1);
        return *this;
    }
    int status() const { return m_status; }

private:
    CDbDataBaseIfc& m_db;
    int m_t0, m_t1, m_t2, m_t3;
    int m_status = DbOk;
};

int valueInt(const CDbAllType& v) {
    int out = 0;
    v.toInt(out);
    return out;
}

double clockCeiling(int logic, int sigType) {
    if (logic == kLogicLvds)
        return 400e6;
    return sigType == kSigTypeIf ? 150e6 : 100e6;
}

// The clock rate of the interface may not stay above what the logic and signal type allow.
int clampClockRate(CDbCnct& cnct, CDbDataBaseIfc& db) {
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    int logic = 0;
    int sig = 0;
    double rate = 0;
    const int rc = Reads(db, t0, t1)
                       .select("IdPDbLynxLogicType", logic)
                       .select("IdPDbLynxSigType", sig)
                       .number("IdPDbLynxClocRate", rate)
                       .status();
    if (rc != DbOk)
        return rc;
    const double ceiling = clockCeiling(logic, sig);
    if (rate > ceiling)
        queue(cnct, "IdPDbLynxClocRate", CDbAllType::fromDouble(ceiling), t0, t1);
    return DbOk;
}

// Clock-source mirroring into the host baseband of the side.
int mirrorClockSource(CDbCnct& cnct, CDbDataBaseIfc& db) {
    if (!hostMirrors(db))
        return DbOk;
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    int logic = 0;
    int state = 0;
    int source = 0;
    const int rc = Reads(db, t0, t1)
                       .select("IdPDbLynxLogicType", logic)
                       .select("IdPDbLynxDeviceState", state)
                       .select("IdPDbLynxClocSour", source)
                       .status();
    if (rc != DbOk)
        return rc;
    if (Kobra::isSsiLogicType(logic) || state != 1)
        return DbOk;
    if (t1 == kSideOut)
        queueInt(cnct, "IdPDbBboutClocSour",
                 (source == kClocSourInternal || source == kClocSourRefIn) ? 0 : 2, t0, 0);
    else
        queueInt(cnct, "IdPDbBbinSampRateMode", source != kClocSourInternal ? 1 : 0, t0, 0);
    return DbOk;
}

// Runs the queue; an earlier error of the update wins over the queue's.
int finish(CDbCnct& cnct, int rc) {
    const int queued = cnct.updData(true);
    return rc != DbOk ? rc : queued;
}

// Module request to the plug-in's own loadable module.
int requestModule(CDbCnct& cnct, int code, int arg1, double real) {
    VGXPlugInDllModuleInterface* module = VGXUtility::getLoadableInterface(Kobra::KobraModuleId);
    if (!module)
        return DbOk;
    CUtilXferData data(cnct.getName(), &cnct, arg1, 0, real);
    module->xferCommand(code, data);
    return data.result;
}

// The logic type of the interface must be an SSI type for the SSI and SPI actions.
int requireSsi(CDbCnct& cnct, CDbDataBaseIfc& db) {
    int logic = 0;
    const int rc = db.getSelect("IdPDbLynxLogicType", logic, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    return Kobra::isSsiLogicType(logic) ? int(DbOk) : int(DbErrSsiLogic);
}

int interfaceCommand(CDbCnct& cnct, int code, void* buffer = nullptr) {
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return DbOk;
    COlCommandData data;
    data.index1 = cnct.t0();
    data.index2 = cnct.t1();
    data.buffer = buffer;
    return command->execute(code, &data) ? int(DbOk) : int(DbErrOlCommand);
}

int spiWrite(CDbCnct& cnct, CDbDataBaseIfc& db) {
    int rc = requireSsi(cnct, db);
    if (rc != DbOk)
        return rc;
    int length = 0;
    QVector<quint32> words;
    rc = db.getBits("IdPDbLynxSsiSpiDataWrite", length, words, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    SKobraSerialData area{{words.value(0), words.value(1)}};
    return interfaceCommand(cnct, OlCmdSpiWrite, &area);
}

int spiFileSend(CDbCnct& cnct, CDbDataBaseIfc& db) {
    const int rc = requireSsi(cnct, db);
    return rc != DbOk ? rc : interfaceCommand(cnct, OlCmdSpiFileSend);
}

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

// Configuration read of the box chosen for configuration.
int readConfiguration(CDbCnct& cnct) {
    const int serial = Kobra::getKobraSelected(cnct, true);
    COlCommandIfc* command = cnct.getOlCommand();
    if (serial < 1 || !command)
        return DbOk;
    QByteArray record;
    if (!readHwConfig(*command, serial, record))
        return DbErrOlCommand;
    queueInt(cnct, "IdPDbKobraConfigVariant", variantOf(record), 0, 0);
    using namespace KobraHwConfig;
    const struct {
        const char* parameter;
        int offset;
    } fields[] = {
        {"IdPDbKobraConfigPartNumber", PartNumber},      {"IdPDbKobraConfigSerialNumber", SerialNumber},
        {"IdPDbKobraConfigFirmVers", FirmwareVersion},   {"IdPDbKobraConfigFpgaVers", FpgaVersion},
        {"IdPDbKobraConfigBoardPN", BoardPartNumber},    {"IdPDbKobraConfigBoardSN", BoardSerialNumber},
        {"IdPDbKobraConfigBoardRev", BoardRevision},     {"IdPDbKobraConfigCpldVers", CpldVersion},
        {"IdPDbKobraConfigPpcVers", PpcVersion},         {"IdPDbKobraConfigFpgaDigIoVers", DigIoFpgaVersion},
        {"IdPDbKobraConfigFpgaBobVers", BobFpgaVersion}, {"IdPDbKobraConfigBobType", BobType},
        {"IdPDbKobraConfigBobSN", BobSerialNumber},      {"IdPDbKobraConfigBobRev", BobRevision},
    };
    for (const auto& f : fields)
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

// Serial number a list entry stands for; 0 for texts that are no serial number.
long long serialOf(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && v > 0 ? (long long)(v + 0.5) : 0;
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

// The service test runner: one command per test, its log and result state.
struct STestRun {
    bool executed = false;
    QString log;
};

STestRun runServiceTest(CDbCnct& cnct, COlCommandIfc& command, int code) {
    STestRun run;
    COlCommandData data;
    data.index1 = Kobra::getKobraSelected(cnct, true);
    data.index2 = cnct.getMsgType() == DbMsgExec ? 1 : 0;
    data.arg3 = 1; // the framework clears it when the test passed
    run.executed = command.execute(code, &data);
    if (run.executed && data.text)
        run.log = QString::fromStdString(*static_cast<const std::string*>(data.text));
    Kobra::setServiceTestResult(code, data.arg3 != 0 ? Kobra::ServiceTestFailed : Kobra::ServiceTestPassed);
    return run;
}

int runServiceTests(CDbCnct& cnct, std::initializer_list<int> codes, const char* logParameter) {
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return DbOk;
    queueText(cnct, logParameter, QStringLiteral("running ..."), 0, 0);
    cnct.updData(true);
    QStringList logs;
    bool failed = false;
    for (int code : codes) {
        const STestRun run = runServiceTest(cnct, *command, code);
        if (!run.executed)
            failed = true;
        else if (!run.log.isEmpty())
            logs.append(run.log);
    }
    queueText(cnct, logParameter,
              failed ? QStringLiteral("Execution failed.") : logs.join(QStringLiteral("\n")), 0, 0);
    return finish(cnct, DbOk);
}

int saveLog(CDbCnct& cnct, const char* logParameter) {
    QString name;
    cnct.getValue().toString(name);
    if (name.trimmed().isEmpty())
        return DbOk;
    if (QFileInfo(name.trimmed()).suffix().isEmpty())
        name = name.trimmed() + QStringLiteral(".txt");
    const QString path = cnct.appendUserPathFile(name, false);
    if (path.isEmpty())
        return DbErrBadFileName;
    QString text;
    const int rc = cnct.getDataBaseIfc()->getString(logParameter, text, 0, 0, 0, 0);
    if (rc != DbOk)
        return rc;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return DbErrFileWrite;
    file.write(text.toUtf8());
    return file.commit() ? int(DbOk) : int(DbErrFileWrite);
}

// EEPROM serial numbers of the configured box or its breakout board (command 47).
int eeprom(CDbCnct& cnct, int mode, const char* target, const char* valueParameter = nullptr) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    unsigned value = 0;
    if (valueParameter) {
        QString text;
        const int rc = db->getString(valueParameter, text, cnct.t0(), cnct.t3(), cnct.t2(), cnct.t1());
        if (rc != DbOk)
            return rc;
        value = text.trimmed().toUInt();
    }
    QString answer;
    int rc = DbOk;
    if (COlCommandIfc* command = cnct.getOlCommand()) {
        COlCommandData data;
        data.index1 = Kobra::getKobraSelected(cnct, true);
        data.index2 = mode;
        data.arg3 = int(value);
        if (command->execute(OlCmdEeprom, &data)) {
            if (data.text)
                answer = QString::fromStdString(*static_cast<const std::string*>(data.text));
        } else {
            rc = DbErrOlCommand;
        }
    }
    queueText(cnct, target, answer, cnct.t0(), cnct.t1(), cnct.t2(), cnct.t3(), kEepromUnit);
    return finish(cnct, rc);
}

int lvds(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    const int t2 = cnct.t2();
    const int t3 = cnct.t3();
    int start = 0;
    int source = 0;
    const int rc = Reads(*db, t0, t1, t2, t3)
                       .select("IdPDbKobraServiceLvdsStart", start)
                       .select("IdPDbKobraServiceLvdsSource", source)
                       .status();
    if (rc != DbOk)
        return rc;
    if (COlCommandIfc* command = cnct.getOlCommand()) {
        COlCommandData data;
        data.index1 = Kobra::getKobraSelected(cnct, true);
        data.index2 = t1 + 2 * t3;
        data.arg3 = start;
        data.arg4 = source;
        command->execute(OlCmdLvdsTest, &data);
    }
    return rc;
}

// Group preset of the interface (path t0, side t1), as a recall runs it before applying a file.
int presetInterface(CDbCnct& cnct, unsigned mask) {
    return cnct.presetGrp(true, kPresetGroup, mask, 1, false, nullptr, cnct.getTupel(), cnct.t0(), -1, -1,
                          cnct.t1());
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

// Keeps the host's list of settings files current after a save.
void refreshSettingsCatalogue(CDbCnct& cnct) {
    const QString probe = cnct.appendUserPathFile(QStringLiteral("x.lynx"), true);
    if (probe.isEmpty())
        return;
    QStringList names;
    const QFileInfoList files = QDir(QFileInfo(probe).absolutePath())
                                    .entryInfoList({QStringLiteral("*.lynx")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files)
        names.append(f.completeBaseName());
    queue(cnct, "IdPDbLynxCatName", CDbAllType(new CDbDataTypeNString(names)), 0, 0);
    cnct.updData(true);
}

} // namespace

CKobraUpdateFunc::CKobraUpdateFunc(Fn fn) : CDbUpdFunc(static_cast<CDbUpdFunc::MemberVal>(fn)) {}

CKobraUpdateFunc::~CKobraUpdateFunc() = default;

// ---- Interface dependencies ------------------------------------------------------------------

int CKobraUpdateFunc::updLogicType(CDbCnct& cnct, const CDbAllType&) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int logic = valueInt(cnct.getValue());
    if (!Kobra::isSsiLogicType(logic)) {
        int rc = mirrorClockSource(cnct, *db);
        if (rc == DbOk)
            rc = clampClockRate(cnct, *db);
        return finish(cnct, rc);
    }
    if (!hostMirrors(*db))
        return DbOk;
    int state = 0;
    const int rc = db->getSelect("IdPDbLynxDeviceState", state, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (state != 1)
        return DbOk;
    if (cnct.t1() == kSideOut)
        queueInt(cnct, "IdPDbBboutClocSour", 2, cnct.t0(), 0);
    else
        queueInt(cnct, "IdPDbBbinSampRateMode", 1, cnct.t0(), 0);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updSigType(CDbCnct& cnct, const CDbAllType&) {
    return finish(cnct, clampClockRate(cnct, *cnct.getDataBaseIfc()));
}

int CKobraUpdateFunc::updClocSour(CDbCnct& cnct, const CDbAllType&) {
    return finish(cnct, mirrorClockSource(cnct, *cnct.getDataBaseIfc()));
}

int CKobraUpdateFunc::updFormat(CDbCnct& cnct, const CDbAllType&) {
    if (cnct.t1() == kSideOut && valueInt(cnct.getValue()) == kFormatParallel)
        return DbOk;
    int sig = 0;
    const int rc = cnct.getDataBaseIfc()->getSelect("IdPDbLynxSigType", sig, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (sig != 0)
        queueInt(cnct, "IdPDbLynxSigType", 0, cnct.t0(), cnct.t1(), 0, 0, DbFlagForGui);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updDataWordSize(CDbCnct& cnct, const CDbAllType&) {
    double size = 0;
    cnct.getValue().toDouble(size);
    double strobe = 0;
    const int rc =
        cnct.getDataBaseIfc()->getNumber("IdPDbLynxDataStrobPos", strobe, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (strobe > size - 1)
        queue(cnct, "IdPDbLynxDataStrobPos", CDbAllType::fromDouble(size - 1), cnct.t0(), cnct.t1(), 0, 0,
              DbFlagForGui);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updSsiCmBitLen(CDbCnct& cnct, const CDbAllType&) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int direction = 0;
    int rc = db->getSelect("IdPDbLynxDirection", direction, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (direction == 0)
        return DbOk;
    double length = 0;
    cnct.getValue().toDouble(length);
    int oldLength = 0;
    QVector<quint32> words;
    rc = db->getBits("IdPDbLynxSsiCmData", oldLength, words, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    CDbDataTypeNBit bits(oldLength, words);
    bits.setLength(int(length + 0.5));
    queue(cnct, "IdPDbLynxSsiCmData", CDbAllType(bits), cnct.t0(), cnct.t1(), 0, 0, DbFlagForGui);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updDirection(CDbCnct& cnct, const CDbAllType&) {
    return requestModule(cnct, Kobra::KobraReqSetMode, valueInt(cnct.getValue()), 0.0);
}

int CKobraUpdateFunc::updTestTxSource(CDbCnct& cnct, const CDbAllType&) {
    queueInt(cnct, "IdPDbLynxTestTxPrbs", 0, cnct.t0(), cnct.t1());
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updTestRxSource(CDbCnct& cnct, const CDbAllType&) {
    queueInt(cnct, "IdPDbLynxTestRxPrbs", 0, cnct.t0(), cnct.t1());
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updTranRecDataLength(CDbCnct& cnct, const CDbAllType&) {
    double length = 0;
    cnct.getValue().toDouble(length);
    double position = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbKobraTranRecTrigPosition", position, cnct.t0(),
                                                    cnct.t3(), cnct.t2(), cnct.t1());
    if (rc != DbOk)
        return rc;
    if (position > length - 1)
        queue(cnct, "IdPDbKobraTranRecTrigPosition", CDbAllType::fromDouble(length - 1), cnct.t0(), cnct.t1(),
              cnct.t2(), cnct.t3());
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updDeviceState(CDbCnct& cnct, const CDbAllType& previous) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!hostMirrors(*db))
        return DbOk;
    const int state = valueInt(cnct.getValue());
    if (state == valueInt(previous) && cnct.getMsgFlags() != DbFlagReapply)
        return DbOk;
    const int t0 = cnct.t0();
    const bool out = cnct.t1() == kSideOut;
    int logic = 0;
    int source = 0;
    int rc = Reads(*db, t0, cnct.t1())
                 .select("IdPDbLynxLogicType", logic)
                 .select("IdPDbLynxClocSour", source)
                 .status();
    if (rc != DbOk)
        return rc;
    const bool external = Kobra::isSsiLogicType(logic) || source == kClocSourUser;
    const char* clockParameter = out ? "IdPDbBboutClocSour" : "IdPDbBbinSampRateMode";

    if (state == 1) {
        if (out) {
            queueInt(cnct, "IdPDbBboutState", 0, t0, 0);
        } else {
            int mode = 0;
            if (db->getSelect("IdPDbBbinMode", mode, t0, 0, 0, 0) != DbOk || mode == 4)
                queueInt(cnct, "IdPDbBbinState", 0, t0, 0);
        }
        queueInt(cnct, clockParameter, external ? (out ? 2 : 1) : 0, t0, 0);
        return finish(cnct, DbOk);
    }

    int clock = 0;
    rc = db->getSelect(clockParameter, clock, t0, 0, 0, 0);
    if (rc != DbOk)
        return rc;
    if (clock != 0)
        return DbOk;
    const char* rateParameter = out ? "IdPDbBboutSampRate" : "IdPDbBbinSampRateActual";
    double rate = 0;
    rc = db->getNumber(rateParameter, rate, t0, 0, 0, 0);
    if (rc != DbOk)
        return rc;
    if (rate < kMinSampleRate)
        queue(cnct, rateParameter, CDbAllType::fromDouble(kMinSampleRate), t0, 0);
    else if (rate > kMaxSampleRate)
        queue(cnct, rateParameter, CDbAllType::fromDouble(kMaxSampleRate), t0, 0);
    return finish(cnct, DbOk);
}

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
                if (serialOf(newList.at(e)) == remembered) {
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

namespace {
int usbRequest(CDbCnct& cnct, int code) {
    double serial = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbLynxUsbDevSerialNumber", serial, cnct.t0(),
                                                    cnct.t3(), cnct.t2(), cnct.t1());
    if (rc != DbOk)
        return rc;
    return requestModule(cnct, code, valueInt(cnct.getValue()), serial);
}
} // namespace

int CKobraUpdateFunc::updUsbDevState(CDbCnct& cnct, const CDbAllType&) {
    return usbRequest(cnct, Kobra::KobraReqSerialList);
}

int CKobraUpdateFunc::updUsbBobState(CDbCnct& cnct, const CDbAllType&) {
    return usbRequest(cnct, Kobra::KobraReqBoxGone);
}

int CKobraUpdateFunc::updUsbInstrumentState(CDbCnct& cnct, const CDbAllType&) {
    return usbRequest(cnct, Kobra::KobraReqInstrumentLink);
}

// ---- SSI and SPI actions -----------------------------------------------------------------------

int CKobraUpdateFunc::updSsiCmDataReadExec(CDbCnct& cnct, const CDbAllType&) {
    return Kobra::ssiReadBack(cnct);
}

int CKobraUpdateFunc::updSsiSpiDataWriteExec(CDbCnct& cnct, const CDbAllType&) {
    return spiWrite(cnct, *cnct.getDataBaseIfc());
}

int CKobraUpdateFunc::updSsiSpiDataWrite(CDbCnct& cnct, const CDbAllType&) {
    if (cnct.getMsgType() != DbMsgExec)
        return DbOk;
    return spiWrite(cnct, *cnct.getDataBaseIfc());
}

int CKobraUpdateFunc::updSsiSpiDataReadExec(CDbCnct& cnct, const CDbAllType&) {
    const int rc = requireSsi(cnct, *cnct.getDataBaseIfc());
    if (rc != DbOk)
        return rc;
    if (!cnct.getOlCommand())
        return DbOk;
    SKobraSerialData area{{0u, 0u}};
    if (interfaceCommand(cnct, OlCmdSpiRead, &area) != DbOk)
        return DbErrOlCommand;
    // The box answers one left-aligned word; the SPI data are its leading bits.
    queue(cnct, "IdPDbLynxSsiSpiDataRead", CDbAllType(CDbDataTypeNBit(kSpiDataBits, {area.words[0]})),
          cnct.t0(), cnct.t1(), 0, 0, DbFlagForGui);
    return finish(cnct, DbOk);
}

int CKobraUpdateFunc::updSsiSpiFileSendExec(CDbCnct& cnct, const CDbAllType&) {
    return spiFileSend(cnct, *cnct.getDataBaseIfc());
}

int CKobraUpdateFunc::updSsiSpiFile(CDbCnct& cnct, const CDbAllType&) {
    if (cnct.getMsgType() != DbMsgExec)
        return DbOk;
    return spiFileSend(cnct, *cnct.getDataBaseIfc());
}

// ---- ARB -----------------------------------------------------------------------------------------

int CKobraUpdateFunc::updArbFile(CDbCnct& cnct, const CDbAllType&) {
    Kobra::updArbFileInfo(cnct, cnct.t3());
    return DbOk;
}

int CKobraUpdateFunc::updArbReload(CDbCnct& cnct, const CDbAllType&) {
    for (int entry = 0; entry < kArbEntries; ++entry)
        Kobra::updArbFileInfo(cnct, entry);
    return DbOk;
}

int CKobraUpdateFunc::updArbPreset(CDbCnct& cnct, const CDbAllType&) {
    presetInterface(cnct, kPresetMaskArb);
    for (int entry = 0; entry < kArbEntries; ++entry)
        Kobra::updArbFileInfo(cnct, entry);
    int state = 0;
    const int rc = cnct.getDataBaseIfc()->getSelect("IdPDbLynxState", state, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (state != 1)
        return DbOk;
    queueInt(cnct, "IdPDbKobraState", 0, cnct.t0(), cnct.t1());
    cnct.updData(true);
    cnct.getAnswerBuffer().errOut(DbErrWithText, cnct.t0(),
                                  QStringLiteral("ARB settings conflict, User Defined is switched off"));
    return DbOk;
}

// ---- Service functions ---------------------------------------------------------------------------

int CKobraUpdateFunc::updDiagLedTest(CDbCnct& cnct, const CDbAllType&) {
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return DbOk;
    const int state = valueInt(cnct.getValue());
    if (cnct.getMsgFlags() & DbFlagForGui)
        return DbOk; // the write-back of a failed switch-on
    COlCommandData data;
    data.index1 = Kobra::getKobraSelected(cnct, true);
    data.arg3 = state;
    if (command->execute(OlCmdDigRfFpga, &data))
        return DbOk;
    if (state != 0) {
        queueInt(cnct, "IdPDbKobraDiagLedTest", 0, cnct.t0(), cnct.t1(), cnct.t2(), cnct.t3(), DbFlagForGui);
        cnct.updData(true);
    }
    cnct.getAnswerBuffer().errOut(DbErrWithText, cnct.t0(), QStringLiteral("Cannot load DigRF FPGA!"));
    return DbErrWithText;
}

int CKobraUpdateFunc::updServiceLvdsStart(CDbCnct& cnct, const CDbAllType&) {
    return lvds(cnct);
}

int CKobraUpdateFunc::updServiceLvdsSource(CDbCnct& cnct, const CDbAllType&) {
    return lvds(cnct);
}

int CKobraUpdateFunc::updCpriTestExec(CDbCnct& cnct, const CDbAllType&) {
    return runServiceTests(cnct, {OlCmdCpriTest}, "IdPDbKobraServiceCpriTestLog");
}

int CKobraUpdateFunc::updDigRfTestExec(CDbCnct& cnct, const CDbAllType&) {
    return runServiceTests(cnct, {OlCmdDigRfTest1, OlCmdDigRfTest2}, "IdPDbKobraServiceDigRfTestLog");
}

int CKobraUpdateFunc::updCpriTestLogSave(CDbCnct& cnct, const CDbAllType&) {
    return saveLog(cnct, "IdPDbKobraServiceCpriTestLog");
}

int CKobraUpdateFunc::updDigRfTestLogSave(CDbCnct& cnct, const CDbAllType&) {
    return saveLog(cnct, "IdPDbKobraServiceDigRfTestLog");
}

int CKobraUpdateFunc::updEepromSnRead(CDbCnct& cnct, const CDbAllType&) {
    return eeprom(cnct, OlEepromRead, "IdPDbKobraServiceEepromSn");
}

int CKobraUpdateFunc::updEepromSnWrite(CDbCnct& cnct, const CDbAllType&) {
    return eeprom(cnct, OlEepromWrite, "IdPDbKobraServiceEepromSn", "IdPDbKobraServiceEepromSn");
}

int CKobraUpdateFunc::updEepromSnCopy(CDbCnct& cnct, const CDbAllType&) {
    return eeprom(cnct, OlEepromCopyDeviceSerial, "IdPDbKobraServiceEepromSn");
}

int CKobraUpdateFunc::updBobEepromSnRead(CDbCnct& cnct, const CDbAllType&) {
    return eeprom(cnct, OlEepromBobRead, "IdPDbKobraServiceBobEepromSn");
}

int CKobraUpdateFunc::updBobEepromSnWrite(CDbCnct& cnct, const CDbAllType&) {
    return eeprom(cnct, OlEepromBobWrite, "IdPDbKobraServiceBobEepromSn", "IdPDbKobraServiceBobEepromSn");
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
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    QString name;
    cnct.getValue().toString(name);
    const QString path = cnct.appendUserPathFile(name, true);
    if (path.isEmpty())
        return DbErrBadFileName;
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
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    QString name;
    cnct.getValue().toString(name);
    const QString path = cnct.appendUserPathFile(name, true);
    if (path.isEmpty())
        return DbErrBadFileName;
    if (CDbMsg* msg = cnct.getCurrentMsg())
        msg->giveAuxData(kAuxRecallPath, new CDbDataTypeString(path));
    int oldLogic = 0;
    const int rc = db->getSelect("IdPDbLynxLogicType", oldLogic, cnct.t0(), 0, 0, cnct.t1());
    cnct.srRcl(kRecallKind, &presetBeforeRecall);
    if (rc == DbOk)
        logicTypeSafety(cnct, *db, oldLogic);
    // The recalled interface settings decide the host baseband again.
    Kobra::reapplyDeviceStates(cnct);
    return DbOk;
}

// ---- Objects and their parameters --------------------------------------------------------------

namespace {

using U = CKobraUpdateFunc;
using Kobra::CFunctionBinding;

U s_updLogicType(&U::updLogicType);
U s_updSigType(&U::updSigType);
U s_updClocSour(&U::updClocSour);
U s_updFormat(&U::updFormat);
U s_updDataWordSize(&U::updDataWordSize);
U s_updSsiCmBitLen(&U::updSsiCmBitLen);
U s_updDirection(&U::updDirection);
U s_updTestTxSource(&U::updTestTxSource);
U s_updTestRxSource(&U::updTestRxSource);
U s_updTranRecDataLength(&U::updTranRecDataLength);
U s_updDeviceState(&U::updDeviceState);
U s_updKobraSelected(&U::updKobraSelected);
U s_updKobraSerials(&U::updKobraSerials);
U s_updConfigSelected(&U::updConfigSelected);
U s_updFpgaLoaded(&U::updFpgaLoaded);
U s_updUsbDevState(&U::updUsbDevState);
U s_updUsbBobState(&U::updUsbBobState);
U s_updUsbInstrumentState(&U::updUsbInstrumentState);
U s_updSsiCmDataReadExec(&U::updSsiCmDataReadExec);
U s_updSsiSpiDataWriteExec(&U::updSsiSpiDataWriteExec);
U s_updSsiSpiDataWrite(&U::updSsiSpiDataWrite);
U s_updSsiSpiDataReadExec(&U::updSsiSpiDataReadExec);
U s_updSsiSpiFileSendExec(&U::updSsiSpiFileSendExec);
U s_updSsiSpiFile(&U::updSsiSpiFile);
U s_updArbFile(&U::updArbFile);
U s_updArbReload(&U::updArbReload);
U s_updArbPreset(&U::updArbPreset);
U s_updDiagLedTest(&U::updDiagLedTest);
U s_updServiceLvdsStart(&U::updServiceLvdsStart);
U s_updServiceLvdsSource(&U::updServiceLvdsSource);
U s_updCpriTestExec(&U::updCpriTestExec);
U s_updDigRfTestExec(&U::updDigRfTestExec);
U s_updCpriTestLogSave(&U::updCpriTestLogSave);
U s_updDigRfTestLogSave(&U::updDigRfTestLogSave);
U s_updEepromSnRead(&U::updEepromSnRead);
U s_updEepromSnWrite(&U::updEepromSnWrite);
U s_updEepromSnCopy(&U::updEepromSnCopy);
U s_updBobEepromSnRead(&U::updBobEepromSnRead);
U s_updBobEepromSnWrite(&U::updBobEepromSnWrite);
U s_updLynxPreset(&U::updLynxPreset);
U s_updLynxSav(&U::updLynxSav);
U s_updLynxRcl(&U::updLynxRcl);

const CFunctionBinding s_updateBindings[] = {
    {&s_updLogicType, {"IdPDbLynxLogicType"}},
    {&s_updSigType, {"IdPDbLynxSigType"}},
    {&s_updClocSour, {"IdPDbLynxClocSour"}},
    {&s_updFormat, {"IdPDbLynxFormat"}},
    {&s_updDataWordSize, {"IdPDbLynxDataWordSize"}},
    {&s_updSsiCmBitLen, {"IdPDbLynxSsiCmBitLen"}},
    {&s_updDirection, {"IdPDbLynxDirection"}},
    {&s_updTestTxSource, {"IdPDbLynxTestTxSource"}},
    {&s_updTestRxSource, {"IdPDbLynxTestRxSource"}},
    {&s_updTranRecDataLength, {"IdPDbKobraTranRecDataLength"}},
    {&s_updDeviceState, {"IdPDbLynxDeviceState"}},
    {&s_updKobraSelected, {"IdPDbKobraSelected"}},
    {&s_updKobraSerials, {"IdPDbKobraSerials"}},
    {&s_updConfigSelected, {"IdPDbKobraConfigSelected"}},
    {&s_updFpgaLoaded, {"IdPDbKobraFpgaLoaded"}},
    {&s_updUsbDevState, {"IdPDbLynxUsbDevState"}},
    {&s_updUsbBobState, {"IdPDbLynxUsbBobState"}},
    {&s_updUsbInstrumentState, {"IdPDbLynxUsbInstrumentState"}},
    {&s_updSsiCmDataReadExec, {"IdPDbLynxSsiCmDataReadExec"}},
    {&s_updSsiSpiDataWriteExec, {"IdPDbLynxSsiSpiDataWriteExec"}},
    {&s_updSsiSpiDataWrite, {"IdPDbLynxSsiSpiDataWrite"}},
    {&s_updSsiSpiDataReadExec, {"IdPDbLynxSsiSpiDataReadExec"}},
    {&s_updSsiSpiFileSendExec, {"IdPDbLynxSsiSpiFileSendExec"}},
    {&s_updSsiSpiFile, {"IdPDbLynxSsiSpiFile"}},
    {&s_updArbFile, {"IdPDbLynxArbFile"}},
    {&s_updArbReload, {"IdPDbLynxArbReload"}},
    {&s_updArbPreset, {"IdPDbLynxArbPreset"}},
    {&s_updDiagLedTest, {"IdPDbKobraDiagLedTest"}},
    {&s_updServiceLvdsStart, {"IdPDbKobraServiceLvdsStart"}},
    {&s_updServiceLvdsSource, {"IdPDbKobraServiceLvdsSource"}},
    {&s_updCpriTestExec, {"IdPDbKobraServiceCpriTestExec"}},
    {&s_updDigRfTestExec, {"IdPDbKobraServiceDigRfTestExec"}},
    {&s_updCpriTestLogSave, {"IdPDbKobraServiceCpriTestLogSave"}},
    {&s_updDigRfTestLogSave, {"IdPDbKobraServiceDigRfTestLogSave"}},
    {&s_updEepromSnRead, {"IdPDbKobraServiceEepromSnRead"}},
    {&s_updEepromSnWrite, {"IdPDbKobraServiceEepromSnWrite"}},
    {&s_updEepromSnCopy, {"IdPDbKobraServiceEepromSnCopy"}},
    {&s_updBobEepromSnRead, {"IdPDbKobraServiceBobEepromSnRead"}},
    {&s_updBobEepromSnWrite, {"IdPDbKobraServiceBobEepromSnWrite"}},
    {&s_updLynxPreset, {"IdPDbLynxPreset"}},
    {&s_updLynxSav, {"IdPDbLynxSav"}},
    {&s_updLynxRcl, {"IdPDbLynxRcl"}},
};

} // namespace

} // namespace MvQARN
