// Update functions of the interface itself: logic and signal type, clock, protocol and data word,
// direction, test signals, the device state mirrored into the host baseband, and the SSI and SPI
// actions.
#include <QVector>

#include "host/db/CDbDataTypeNBit.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraSerialData.h"
#include "params/CKobraUpdateFunc.h"
#include "params/CKobraUpdateFuncHelpers.h"
#include "params/KobraSsiReadBack.h"

namespace MvQARN {

using namespace KobraUpdate;

namespace {

// Host mode bits under which the host baseband follows the interfaces.
constexpr unsigned kHostModeBits = 0x121;
constexpr int kLogicLvds = 0;
constexpr int kSigTypeIf = 1;
constexpr int kClocSourInternal = 0;
constexpr int kClocSourUser = 1;
constexpr int kClocSourRefIn = 2;
constexpr int kFormatParallel = 1;
constexpr int kSpiDataBits = 8;
constexpr double kMinSampleRate = 400.0;
constexpr double kMaxSampleRate = 100e6;

bool hostMirrors(CDbDataBaseIfc& db) {
    return (db.getModeWord() & kHostModeBits) != 0;
}

double clockCeiling(int logic, int sigType) {
    if (logic == kLogicLvds)
        return 400e6;
    return sigType == kSigTypeIf ? 150e6 : 100e6;
}

// The values of an interface that its clock rules depend on.
struct ClockInputs {
    int logic = 0;
    int sig = 0;
    int state = 0;
    int source = 0;
    double rate = 0;
};

int readClockInputs(CDbCnct& cnct, CDbDataBaseIfc& db, ClockInputs& in) {
    return Reads(db, cnct.t0(), cnct.t1())
        .select("IdPDbLynxLogicType", in.logic)
        .select("IdPDbLynxSigType", in.sig)
        .select("IdPDbLynxDeviceState", in.state)
        .select("IdPDbLynxClocSour", in.source)
        .number("IdPDbLynxClocRate", in.rate)
        .status();
}

// The clock rate of the interface may not stay above what the logic and signal type allow.
int clampClockRate(CDbCnct& cnct, CDbDataBaseIfc& db) {
    ClockInputs in;
    if (const int rc = readClockInputs(cnct, db, in); rc != DbOk)
        return rc;
    const double ceiling = clockCeiling(in.logic, in.sig);
    if (in.rate > ceiling)
        queue(cnct, "IdPDbLynxClocRate", CDbAllType::fromDouble(ceiling), cnct.t0(), cnct.t1());
    return DbOk;
}

// Clock-source mirroring into the host baseband of the side.
int mirrorClockSource(CDbCnct& cnct, CDbDataBaseIfc& db) {
    if (!hostMirrors(db))
        return DbOk;
    ClockInputs in;
    if (const int rc = readClockInputs(cnct, db, in); rc != DbOk)
        return rc;
    if (Kobra::isSsiLogicType(in.logic) || in.state != 1)
        return DbOk;
    const int t0 = cnct.t0();
    if (cnct.t1() == kSideOut)
        queueInt(cnct, "IdPDbBboutClocSour",
                 (in.source == kClocSourInternal || in.source == kClocSourRefIn) ? 0 : 2, t0, 0);
    else
        queueInt(cnct, "IdPDbBbinSampRateMode", in.source != kClocSourInternal ? 1 : 0, t0, 0);
    return DbOk;
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

} // namespace

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

} // namespace MvQARN
