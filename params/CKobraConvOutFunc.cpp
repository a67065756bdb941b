#include "params/CKobraConvOutFunc.h"

#include <QString>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraLvdsResult.h"
#include "host/olfw/KobraReadoutTable.h"
#include "host/olfw/KobraSerialData.h"
#include "params/KobraSelected.h"
#include "params/KobraServiceTests.h"
#include "params/KobraSsiReadBack.h"

namespace MvQARN {

namespace {

constexpr int kMsgModule = 4;
constexpr int kUsbDevices = 20;
constexpr int kArbSlots = 4;
constexpr double kSerialTolerance = 0.01;
constexpr double kCwFreqShare = 0.4;
constexpr int kSsiBitsUnread = 32;
constexpr int kSpiDataBits = 8;
// Test signal sources 3 .. 6 play ARB slots 0 .. 3.
constexpr int kTestSourceArb1 = 3;
constexpr int kTestSourceArb4 = 6;
// Samples-to-clock ratios of IdPDbLynxSCRatio 1 .. 5 (0 is 1:1).
constexpr double kSCRatio[] = {1.0, 0.8, 0.4, 0.2, 0.1, 0.05};
const char kNoValue[] = "---";
const char kBobTypeDigRf[] = "KOBRA-B81";

// Set while the sample-rate read corrects the CW frequency: the CW frequency's check reads the
// sample rate again, and that read must not start another correction.
bool s_correctingCwFreq = false;

class CorrectionScope {
public:
    CorrectionScope() { s_correctingCwFreq = true; }
    ~CorrectionScope() { s_correctingCwFreq = false; }
    CorrectionScope(const CorrectionScope&) = delete;
    CorrectionScope& operator=(const CorrectionScope&) = delete;
};

void answerNumber(CDbCnct& cnct, double v) {
    cnct.getAnswerBuffer().createAnswer(new CDbDataTypeNumber(v));
}

void answerSelect(CDbCnct& cnct, int v) {
    cnct.getAnswerBuffer().createAnswer(new CDbDataTypeSelect(v));
}

void answerText(CDbCnct& cnct, const QString& v) {
    cnct.getAnswerBuffer().createAnswer(new CDbDataTypeString(v));
}

// A refusal of a read that carries out an explicit query (message type 6).
void refuse(CDbCnct& cnct, int error) {
    cnct.getAnswerBuffer().errOut(error, cnct.t0(), QString::fromLatin1(dbErrorText(error)));
}

void queue(CDbCnct& cnct, const char* name, const CDbAllType& value, int t0, int t1, int t2, int t3,
           unsigned flags = 0) {
    cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, name, value, DbMsgSet, flags, 0, t0, t1, t2, t3));
}

QString resultText(const COlCommandData& data) {
    const auto* text = static_cast<const std::string*>(data.text);
    return text ? QString::fromLatin1(text->c_str()) : QString();
}

// Computes the sample rate of a path-side instance; false when a setting cannot be read.
bool sampleRate(CDbDataBaseIfc& db, int t0, int t1, double& rate) {
    int rateMode = 0;
    int ileav = 0;
    int format = 0;
    if (db.getSelect("IdPDbLynxRateMode", rateMode, t0, 0, 0, t1) != DbOk ||
        db.getSelect("IdPDbLynxIleavMode", ileav, t0, 0, 0, t1) != DbOk ||
        db.getSelect("IdPDbLynxFormat", format, t0, 0, 0, t1) != DbOk)
        return false;
    double f = rateMode == 1 ? 2.0 : 1.0; // DDR takes two samples per clock
    if (ileav == 1 || ileav == 2)
        f *= 0.5; // I and Q share one data line
    if (format == 1) {
        int sigType = 0;
        int ratio = 0;
        if (db.getSelect("IdPDbLynxSigType", sigType, t0, 0, 0, t1) != DbOk ||
            db.getSelect("IdPDbLynxSCRatio", ratio, t0, 0, 0, t1) != DbOk)
            return false;
        if (sigType == 1)
            f *= 0.25;
        if (ratio >= 1 && ratio < int(std::size(kSCRatio)))
            f *= kSCRatio[ratio];
    } else if (format == 0) {
        double wordSize = 0;
        if (db.getNumber("IdPDbLynxDataWordSize", wordSize, t0, 0, 0, t1) != DbOk || wordSize <= 0)
            return false;
        f /= wordSize; // a serial word carries one sample
    }
    double clock = 0;
    if (db.getNumber("IdPDbLynxClocRate", clock, t0, 0, 0, t1) != DbOk)
        return false;
    rate = f * clock;
    return true;
}

// The serial numbers of the USB devices that are connected; index of the first that matches.
int findUsbDevice(CDbDataBaseIfc& db, int t0, int t1, double serial, int& rc) {
    rc = DbOk;
    for (int i = 0; i < kUsbDevices; ++i) {
        int state = 0;
        rc = db.getSelect("IdPDbLynxUsbDevState", state, t0, i, 0, t1);
        if (rc != DbOk)
            return -1;
        if (state != 1)
            continue;
        double deviceSerial = 0;
        rc = db.getNumber("IdPDbLynxUsbDevSerialNumber", deviceSerial, t0, i, 0, t1);
        if (rc != DbOk)
            return -1;
        if (std::fabs(deviceSerial - serial) <= kSerialTolerance)
            return i;
    }
    return -1;
}

// Test signal source of an interface as ARB slot; -1 when the source is no ARB, -2 when unreadable.
int testArbSlot(CDbCnct& cnct) {
    int source = 0;
    if (cnct.getDataBaseIfc()->getSelect("IdPDbLynxTestTxSource", source, cnct.t0(), 0, 0, cnct.t1()) != DbOk)
        return -2;
    return source >= kTestSourceArb1 && source <= kTestSourceArb4 ? source - kTestSourceArb1 : -1;
}

enum EReadoutAnswer { ReadoutNumber, ReadoutSelect, ReadoutText };

struct SReadoutRow {
    const char* name;
    int code;
    EReadoutAnswer answer;
};

const SReadoutRow kReadoutRows[] = {
    {"IdPDbLynxTestRxBer", KobraReadoutBer, ReadoutNumber},
    {"IdPDbLynxTestRxIqWords", KobraReadoutIqWords, ReadoutNumber},
    {"IdPDbLynxTriggerStatus", KobraReadoutTriggerStatus, ReadoutText},
    {"IdPDbLynxTriggerState", KobraReadoutTriggerState, ReadoutSelect},
    {"IdPDbLynxExtRefFreqVal", KobraReadoutExtRefFreq, ReadoutNumber},
};

} // namespace

CKobraConvOutFunc::CKobraConvOutFunc(Fn fn, const char* name)
    : CDbCnvOutFunc(static_cast<Member>(fn), name) {}

CKobraConvOutFunc::~CKobraConvOutFunc() = default;

void CKobraConvOutFunc::cnvoSampRate(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    double rate = 0;
    if (!sampleRate(*db, t0, t1, rate))
        return;
    answerNumber(cnct, rate);
    if (s_correctingCwFreq)
        return;
    // The sine test signal must stay below 0.4 times the sample rate.
    double cw = 0;
    if (db->getNumber("IdPDbLynxTestSinusCwFreq", cw, t0, 0, 0, t1) != DbOk || cw <= kCwFreqShare * rate)
        return;
    CorrectionScope correcting;
    queue(cnct, "IdPDbLynxTestSinusCwFreq", CDbAllType::fromDouble(kCwFreqShare * rate), t0, t1, 0, 0);
    cnct.updData(true);
}

void CKobraConvOutFunc::cnvoIFFreq(CDbCnct& cnct) {
    double clock = 0;
    if (cnct.getDataBaseIfc()->getNumber("IdPDbLynxClocRate", clock, cnct.t0(), 0, 0, cnct.t1()) == DbOk)
        answerNumber(cnct, clock * 0.25);
}

void CKobraConvOutFunc::cnvoLynxState(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int state = 0;
    int type = 0;
    if (db->getSelect("IdPDbKobraState", state, cnct.t0(), 0, 0, cnct.t1()) != DbOk ||
        db->getSelect("IdPDbKobraType", type, cnct.t0(), 0, 0, cnct.t1()) != DbOk)
        return;
    // The user interface is on while the box runs as "User Defined".
    answerSelect(cnct, state == 1 && type == 0 ? 1 : 0);
}

void CKobraConvOutFunc::cnvoExtRefFreq(CDbCnct& cnct) {
    int index = 1;
    if (cnct.getDataBaseIfc()->getSelect("IdPDbLynxExtRefFreq", index, cnct.t0(), 0, 0, cnct.t1()) != DbOk)
        index = 1;
    answerNumber(cnct, index == 0 ? 5e6 : index == 2 ? 13e6 : 10e6);
}

void CKobraConvOutFunc::cnvoSelectedSerial(CDbCnct& cnct) {
    const bool configured = std::strcmp(cnct.getName(), "IdPiDbKobraConfigSelected") == 0;
    answerNumber(cnct, Kobra::getKobraSelected(cnct, configured));
}

void CKobraConvOutFunc::cnvoTranRecDataLength(CDbCnct& cnct) {
    double length = 0;
    if (cnct.getDataBaseIfc()->getNumber("IdPDbKobraTranRecDataLength", length, cnct.t0(), cnct.t3(),
                                         cnct.t2(), cnct.t1()) != DbOk)
        return;
    answerSelect(cnct, length <= 512 ? 512 : length <= 1024 ? 1024 : length <= 2048 ? 2048 : 512);
}

void CKobraConvOutFunc::cnvoTranRecTrigDelay(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    double position = 0;
    double length = 0;
    if (db->getNumber("IdPDbKobraTranRecTrigPosition", position, cnct.t0(), cnct.t3(), cnct.t2(),
                      cnct.t1()) != DbOk ||
        db->getNumber("IdPDbKobraTranRecDataLength", length, cnct.t0(), cnct.t3(), cnct.t2(), cnct.t1()) !=
            DbOk)
        return;
    answerNumber(cnct, (1.0 - position * 0.01) * (length - 1.0));
}

void CKobraConvOutFunc::cnvoArbSamplesTotal(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    double total = 0;
    for (int slot = 0; slot < kArbSlots; ++slot) {
        int state = 0;
        if (db->getSelect("IdPDbLynxArbState", state, cnct.t0(), slot, 0, cnct.t1()) != DbOk)
            return;
        if (state != 1)
            continue;
        double samples = 0;
        if (db->getNumber("IdPDbLynxArbSamples", samples, cnct.t0(), slot, 0, cnct.t1()) != DbOk)
            return;
        total += samples;
    }
    answerNumber(cnct, total * 1e-6);
}

void CKobraConvOutFunc::cnvoTestArbFile(CDbCnct& cnct) {
    const int slot = testArbSlot(cnct);
    if (slot == -2)
        return;
    QString name;
    if (slot >= 0 &&
        cnct.getDataBaseIfc()->getString("IdPDbLynxArbFile", name, cnct.t0(), slot, 0, cnct.t1()) != DbOk)
        return;
    answerText(cnct, name.isEmpty() ? QStringLiteral("None") : name);
}

void CKobraConvOutFunc::cnvoTestArbSampRate(CDbCnct& cnct) {
    const int slot = testArbSlot(cnct);
    if (slot == -2)
        return;
    double rate = 0;
    if (slot >= 0 &&
        cnct.getDataBaseIfc()->getNumber("IdPDbLynxArbSampRate", rate, cnct.t0(), slot, 0, cnct.t1()) != DbOk)
        return;
    answerNumber(cnct, rate);
}

void CKobraConvOutFunc::cnvoTestArbSamples(CDbCnct& cnct) {
    const int slot = testArbSlot(cnct);
    if (slot == -2)
        return;
    double samples = 0;
    if (slot >= 0 && cnct.getDataBaseIfc()->getNumber("IdPDbLynxArbSamples", samples, cnct.t0(), slot, 0,
                                                      cnct.t1()) != DbOk)
        return;
    answerNumber(cnct, samples);
}

void CKobraConvOutFunc::cnvoSsiCmData(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    CDbDataTypeNBit bits;
    if (cnct.getValue().getType() == DbTypeNBit)
        bits = *static_cast<const CDbDataTypeNBit*>(cnct.getValue().get());
    if (cnct.getMsgType() == DbMsgExec) {
        int direction = 0;
        if (db->getSelect("IdPDbLynxDirection", direction, cnct.t0(), 0, 0, cnct.t1()) != DbOk)
            return;
        if (direction == 0) {
            // An explicit query on the receiving side asks the box what it holds.
            const int rc = Kobra::ssiReadBack(cnct, &bits);
            if (rc == DbErrSsiLogic || rc == DbErrOlCommand)
                refuse(cnct, rc);
            if (rc != DbOk)
                return;
        }
    }
    double bitLen = 0;
    int length = kSsiBitsUnread;
    if (db->getNumber("IdPDbLynxSsiCmBitLen", bitLen, cnct.t0(), 0, 0, cnct.t1()) == DbOk)
        length = int(bitLen + 0.5);
    if (length >= 1)
        bits.setLength(length);
    cnct.getAnswerBuffer().createAnswer(new CDbDataTypeNBit(bits));
}

void CKobraConvOutFunc::cnvoSsiSpiDataRead(CDbCnct& cnct) {
    if (cnct.getMsgType() != DbMsgExec)
        return; // the stored data of the last read
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int logic = 0;
    if (db->getSelect("IdPDbLynxLogicType", logic, cnct.t0(), 0, 0, cnct.t1()) != DbOk)
        return;
    if (!Kobra::isSsiLogicType(logic)) {
        refuse(cnct, DbErrSsiLogic);
        return;
    }
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return;
    SKobraSerialData area{{0u, 0u}};
    COlCommandData data;
    data.index1 = cnct.t0();
    data.index2 = cnct.t1();
    data.buffer = &area;
    if (!command->execute(OlCmdSpiRead, &data)) {
        refuse(cnct, DbErrOlCommand);
        return;
    }
    // The box answers one left-aligned word; the SPI data are its leading bits.
    const CDbDataTypeNBit bits(kSpiDataBits, {area.words[0]});
    queue(cnct, "IdPDbLynxSsiSpiDataRead", CDbAllType(bits), cnct.t0(), cnct.t1(), 0, 0, DbFlagForGui);
    cnct.updData(true);
    cnct.getAnswerBuffer().createAnswer(new CDbDataTypeNBit(bits));
}

void CKobraConvOutFunc::cnvoUsbDevFirmInstalled(CDbCnct& cnct) {
    if (cnct.getMsgType() != DbMsgExec)
        return; // the stored text of the device
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int serial = Kobra::getKobraSelected(cnct, true);
    int rc = DbOk;
    const int device = findUsbDevice(*db, cnct.t0(), cnct.t1(), serial, rc);
    if (rc != DbOk)
        return;
    QString text;
    if (device >= 0 &&
        db->getString("IdPDbLynxUsbDevFirmInstalled", text, cnct.t0(), device, 0, cnct.t1()) != DbOk)
        return;
    answerText(cnct, text);
}

void CKobraConvOutFunc::cnvoDiagValue(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    QString value = QString::fromLatin1(kNoValue);
    int state = 0;
    if (db->getSelect("IdPDbKobraDiagState", state, cnct.t0(), cnct.t3(), cnct.t2(), cnct.t1()) != DbOk)
        return;
    COlCommandIfc* command = cnct.getOlCommand();
    if (state != 1 || !command) {
        answerText(cnct, value);
        return;
    }
    int point = 0;
    if (db->getSelect("IdPDbKobraDiagPoint", point, cnct.t0(), cnct.t3(), cnct.t2(), cnct.t1()) != DbOk)
        return;
    const int serial = Kobra::getKobraSelected(cnct, true);
    COlCommandData data;
    data.index1 = serial;
    data.index2 = point;
    if (command->execute(OlCmdDiagPoint, &data))
        value = resultText(data);
    answerText(cnct, value);

    // A DigRF breakout board has diagnostic points of its own.
    QString bobType;
    if (db->getString("IdPDbKobraConfigBobType", bobType, 0, 0, 0, 0) != DbOk ||
        bobType != QLatin1String(kBobTypeDigRf))
        return;
    int digRfPoint = 0;
    if (db->getSelect("IdPDbKobraDiagPointDigRf", digRfPoint, cnct.t0(), cnct.t3(), cnct.t2(), cnct.t1()) !=
        DbOk)
        return;
    COlCommandData digRf;
    digRf.index1 = serial;
    digRf.index2 = digRfPoint;
    if (!command->execute(OlCmdDiagPointDigRf, &digRf))
        return;
    queue(cnct, "IdPDbKobraDiagValueDigRf", CDbAllType::fromString(resultText(digRf)), cnct.t0(), cnct.t1(),
          cnct.t2(), cnct.t3());
    cnct.updData(true);
}

void CKobraConvOutFunc::cnvoServiceLvdsBer(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int t0 = cnct.t0();
    const int t1 = cnct.t1();
    const int t2 = cnct.t2();
    const int t3 = cnct.t3();
    int started = 0;
    if (db->getSelect("IdPDbKobraServiceLvdsStart", started, t0, t3, t2, t1) != DbOk || started != 1)
        return;
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return;
    COlCommandData data;
    data.index1 = Kobra::getKobraSelected(cnct, true);
    if (!command->execute(OlCmdLvdsResult, &data) || !data.text)
        return;
    const SKobraLvdsResult result = *static_cast<const SKobraLvdsResult*>(data.text);
    answerNumber(cnct, result.received == 0 ? 1.0 : result.errors / result.received);

    queue(cnct, "IdPDbKobraServiceLvdsErrors", CDbAllType::fromDouble(result.errors), t0, t1, t2, t3);
    queue(cnct, "IdPDbKobraServiceLvdsReceived", CDbAllType::fromDouble(result.received), t0, t1, t2, t3);
    queue(cnct, "IdPDbKobraServiceLvdsPll", CDbAllType::fromInt(result.pll), t0, t1, t2, t3);
    queue(cnct, "IdPDbKobraServiceLvdsDcm", CDbAllType::fromInt(result.dcm), t0, t1, t2, t3);
    queue(cnct, "IdPDbKobraServiceLvdsNoData", CDbAllType::fromInt(result.noData), t0, t1, t2, t3);
    cnct.updData(true);

    // The test cannot go on without locked clocks or with a dead link; the last cause found is named.
    QString reason;
    if (result.pll == 0)
        reason = QStringLiteral("PLL unlocked! ");
    if (result.dcm == 0)
        reason = QStringLiteral("DCM unlocked! ");
    if (result.noData == 1)
        reason = QStringLiteral("Receive only zeroes! ");
    if (reason.isEmpty())
        return;
    cnct.getAnswerBuffer().errOut(DbErrWithText, t0, reason + QStringLiteral("LVDS test stopped."));
    queue(cnct, "IdPDbKobraServiceLvdsStart", CDbAllType::fromInt(0), t0, t1, t2, t3);
    cnct.updData(true);
}

// The result rows run their test on the configured box, as the exec events do; the log follows.
void CKobraConvOutFunc::cnvoServiceCpriTestError(CDbCnct& cnct) {
    if (const auto result = Kobra::runServiceTests(cnct, {OlCmdCpriTest}, "IdPDbKobraServiceCpriTestLog"))
        answerSelect(cnct, *result);
}

void CKobraConvOutFunc::cnvoServiceDigRfTestError(CDbCnct& cnct) {
    if (const auto result = Kobra::runServiceTests(cnct, {OlCmdDigRfTest1}, "IdPDbKobraServiceDigRfTestLog"))
        answerSelect(cnct, *result);
}

void CKobraConvOutFunc::cnvoServiceDigRfTestError2(CDbCnct& cnct) {
    if (const auto result = Kobra::runServiceTests(cnct, {OlCmdDigRfTest2}, "IdPDbKobraServiceDigRfTestLog"))
        answerSelect(cnct, *result);
}

void CKobraConvOutFunc::cnvoBoxReadout(CDbCnct& cnct) {
    const SReadoutRow* row = nullptr;
    for (const SReadoutRow& r : kReadoutRows)
        if (std::strcmp(r.name, cnct.getName()) == 0)
            row = &r;
    if (!row)
        return;
    int state = 0;
    if (cnct.getDataBaseIfc()->getSelect("IdPDbLynxState", state, cnct.t0(), 0, 0, cnct.t1()) != DbOk)
        return;
    QString text = QString::fromLatin1(kNoValue);
    COlCommandIfc* command = cnct.getOlCommand();
    if (state == 1 && command) {
        COlCommandData data;
        data.index1 = Kobra::getKobraSelected(cnct, false);
        data.index2 = row->code;
        if (command->execute(OlCmdReadout, &data) && data.buffer) {
            if (const char* answer = static_cast<const SKobraReadoutTable*>(data.buffer)->textOf(row->code))
                text = QString::fromLatin1(answer);
        }
    } else if (state != 1 && row->code == KobraReadoutTriggerStatus) {
        text = QStringLiteral("Idle");
    }
    switch (row->answer) {
    case ReadoutNumber:
        answerNumber(cnct, text.toDouble());
        break;
    case ReadoutSelect:
        answerSelect(cnct, text.toInt());
        break;
    case ReadoutText:
        answerText(cnct, text);
        break;
    }
}

} // namespace MvQARN
