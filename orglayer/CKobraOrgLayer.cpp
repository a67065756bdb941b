#include "orglayer/CKobraOrgLayer.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "arb/KobraArbTransfer.h"
#include "frame/KobraDebugChannel.h"
#include "frame/KobraProgress.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"
#include "host/db/CDbMsgBuffer.h"
#include "host/db/DbDefs.h"
#include "host/olfw/KobraClockSettings.h"
#include "host/olfw/KobraDataSettings.h"
#include "host/olfw/KobraDrvDeviceIfc.h"
#include "host/olfw/KobraDrvInterfaceIfc.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

// Messages of the layer travel from the organisation layer to the database module.
constexpr int kMsgSender = 5;
constexpr int kMsgReceiver = 4;
constexpr int kMsgUnit = 0;
constexpr int kMsgListLen = 1;
constexpr int kMsgPriority = 127;
// Resets of a test state the box cannot run.
constexpr unsigned kMsgFlagsTestReset = 4;

// The family whose interfaces carry their own external reference selection.
constexpr int kFamilyWithDriver = 0x10000;

constexpr char kFpgaLoadTitle[] = "FPGA load";
constexpr char kFpgaBootFailed[] = "Booting FPGA configuration failed.";
constexpr char kRxTestUnsupported[] = "Rx Test is not supported by this device.";
constexpr char kTxTestUnsupported[] = "Tx Test is not supported by this device.";

// Names that change the whole interface setting.
const char* const kInterfaceNames[] = {
    "IdPDbRoscSource", "IdPDbRoscFreqExt",  "IdPDbLynxExtRefFreq", "IdPDbLynxExtRefSour", "IdPDbLynxSCRatio",
    "IdPDbLynxFormat", "IdPDbLynxRateMode", "IdPDbLynxIleavMode",  "IdPDbLynxSigType",
};

bool equals(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

bool contains(const char* text, const char* part) {
    return std::strstr(text, part) != nullptr;
}

// Reads of one interface: tuple (t0 = Path, t3 = 0, t2 = 0, t1 = Drct).
int readInt(CDbDataBaseIfc* db, const char* name, int& value, int Path, int Drct) {
    return db->getSelect(name, value, Path, 0, 0, Drct);
}

int readReal(CDbDataBaseIfc* db, const char* name, double& value, int Path, int Drct) {
    return db->getNumber(name, value, Path, 0, 0, Drct);
}

// Reads of one interface whose statuses add up; a failed read leaves the value given as default.
class SummedReads {
public:
    SummedReads(CDbDataBaseIfc* db, int Path, int Drct) : m_db(db), m_path(Path), m_drct(Drct) {}
    int select(const char* name, int value = 0) {
        m_sum += readInt(m_db, name, value, m_path, m_drct);
        return value;
    }
    double number(const char* name, double value = 0.0) {
        m_sum += readReal(m_db, name, value, m_path, m_drct);
        return value;
    }
    int sum() const { return m_sum; }

private:
    CDbDataBaseIfc* m_db;
    int m_path;
    int m_drct;
    int m_sum = 0;
};

// A two-choice parameter's value when it is one of the two, else 0.
int zeroOrOne(int value) {
    return value == 0 || value == 1 ? value : 0;
}

// The file name part of a path, with either kind of separator.
QString fileNamePart(const QString& path) {
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

} // namespace

CKobraOrgLayer::CKobraOrgLayer() : progress(KobraProgress::getInstance()) {}

CKobraOrgLayer::~CKobraOrgLayer() {
    if (progress) {
        progress->close();
        delete progress.data();
    }
}

int CKobraOrgLayer::extensionCode() const {
    return 512;
}

const char* CKobraOrgLayer::parameterPrefix() const {
    return "IdPDbLynx";
}

int CKobraOrgLayer::extensionOption() const {
    return 0;
}

void CKobraOrgLayer::debug(int level, const char* format, ...) {
    if (!Kobra::debugWanted(level))
        return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(m_textBuffer, sizeof(m_textBuffer), format, args);
    va_end(args);
    Kobra::debugPrint(level, QString::fromLatin1(m_textBuffer));
}

void CKobraOrgLayer::sendMessage(CDbMsgBuffer* msgBuffer, const char* name, int value, int Path, int Drct,
                                 unsigned flags) {
    CDbMsgList msgs;
    msgs.append(new CDbMsg(kMsgSender, kMsgReceiver, name, value, DbMsgSet, flags, kMsgUnit, Path, Drct, 0, 0,
                           0, kMsgListLen, kMsgPriority));
    if (msgBuffer)
        msgBuffer->giveAll(msgs);
}

int CKobraOrgLayer::getInternalAction(const char* name, int Path, int Drct, int, int) {
    if (!name)
        return 0;
    debug(Kobra::kDebugTrace, "CKobraOrgLayer::getInternalAction(Path=%d, Drct=%d): %s", Path, Drct, name);

    int actions = 0;
    if (equals(name, "IdPDbLynxLogicType") || equals(name, "IdPDbLynxDirection")) {
        actions = ActAll;
    } else if (contains(name, "IdPDbLynxData") || contains(name, "IdPDbLynxCloc") ||
               std::any_of(std::begin(kInterfaceNames), std::end(kInterfaceNames),
                           [name](const char* n) { return equals(name, n); })) {
        actions = ActInterfaceMask;
    } else if (contains(name, "IdPDbLynxSsi")) {
        if (equals(name, "IdPDbLynxSsiGainFile"))
            actions = ActSsiGainFile;
        else if (equals(name, "IdPDbLynxSsiGainAuto"))
            actions = ActSsiGainAuto;
        else if (contains(name, "IdPDbLynxSsiSpiCloc") || equals(name, "IdPDbLynxSsiChipSelStat"))
            actions = ActSsiSpiClock;
        else
            actions = ActSsi;
    } else if (contains(name, "IdPDbLynxTestRx")) {
        actions = ActTestRx;
    } else if (contains(name, "IdPDbLynxTestTx")) {
        actions = ActTestTx;
    } else if (contains(name, "IdPDbLynxTriggerRestart")) {
        actions = ActTriggerRestart;
    } else if (contains(name, "IdPDbLynxTriggerArm")) {
        actions = ActTriggerArm;
    } else if (contains(name, "IdPDbLynx")) {
        actions = ActAll;
    }
    if (equals(name, "IdPDbLynxArbFile") || equals(name, "IdPDbLynxArbState"))
        actions |= ActArb;
    return actions;
}

int CKobraOrgLayer::getSampleRate(CDbDataBaseIfc* db, int Path, int Drct, int, double& rate) {
    double value = 0.0;
    const int status = db ? readReal(db, "IdPDbLynxSampRate", value, Path, Drct) : 1;
    rate = value < MinSampleRate ? MinSampleRate : value;
    return status;
}

int CKobraOrgLayer::setKobra(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                             int Drct, int actions) {
    debug(Kobra::kDebugTrace, "CKobraOrgLayer::setKobra(Path=%d, Drct=%d): begin", Path, Drct);
    int sum = 0;
    KobraDrvInterfaceIfc* ifc = nullptr;
    if (!device || !db || !(ifc = device->interfaceAccess())) {
        sum = 1;
    } else {
        int direction = -1;
        int mode = -1;
        sum += readInt(db, "IdPDbLynxDirection", direction, Path, Drct);
        sum += readInt(db, "IdPDbKobraMode", mode, Path, Drct);
        // The box mode follows the side's direction.
        if (direction != mode)
            sendMessage(msgBuffer, "IdPDbKobraMode", direction, Path, Drct);

        if (actions == ActAll || (actions & ActFull)) {
            sum += loadFpga(device, db, msgBuffer, Path, Drct);
            if (sum != 0) {
                sendMessage(msgBuffer, "IdPDbKobraState", 0, Path, Drct);
                VGXErrorManager::signal(ErrorCode, QString::fromLatin1(kFpgaBootFailed));
            } else {
                int logicType = -1;
                sum += readInt(db, "IdPDbLynxLogicType", logicType, Path, Drct);
                if (sum == 0) {
                    sum += setFormat(ifc, db, Path, Drct);
                    sum += setRateMode(ifc, db, Path, Drct);
                    sum += setInterleave(ifc, db, Path, Drct);
                    sum += setData(ifc, db, Path, Drct);
                    sum += setClock(ifc, db, Path, Drct);
                    // A receiving side starts its test signal first.
                    if (direction == 0) {
                        sum += setTestTx(ifc, db, msgBuffer, Path, Drct);
                        sum += setTestRx(ifc, db, msgBuffer, Path, Drct);
                    } else {
                        sum += setTestRx(ifc, db, msgBuffer, Path, Drct);
                        sum += setTestTx(ifc, db, msgBuffer, Path, Drct);
                    }
                    sum += setTrigger(ifc, db, Path, Drct);
                    sum += setArb(device, db, msgBuffer, Path, Drct);
                }
            }
        } else {
            if (actions & ActFormat)
                sum += setFormat(ifc, db, Path, Drct);
            if (actions & ActRateMode)
                sum += setRateMode(ifc, db, Path, Drct);
            if (actions & ActInterleave)
                sum += setInterleave(ifc, db, Path, Drct);
            if (actions & ActData)
                sum += setData(ifc, db, Path, Drct);
            if (actions & ActArb)
                sum += setArb(device, db, msgBuffer, Path, Drct);
            if (actions & ActClock)
                sum += setClock(ifc, db, Path, Drct);
            if (actions & ActTrigger)
                sum += setTrigger(ifc, db, Path, Drct);
            if (actions & ActTriggerRestart)
                sum += ifc->restartTrigger();
            if (actions & ActTestTx)
                sum += setTestTx(ifc, db, msgBuffer, Path, Drct);
            if (actions & ActTriggerArm)
                sum += ifc->armTrigger();
            if (actions & ActTestRx)
                sum += setTestRx(ifc, db, msgBuffer, Path, Drct);
        }
    }

    if (sum == 0)
        debug(Kobra::kDebugTrace, "CKobraOrgLayer::setKobra(Path=%d, Drct=%d): parameters successfully sent",
              Path, Drct);
    else
        debug(Kobra::kDebugError, "CKobraOrgLayer::setKobra(Path=%d, Drct=%d): error sending parameters",
              Path, Drct);
    debug(Kobra::kDebugTrace, "CKobraOrgLayer::setKobra(Path=%d, Drct=%d): end", Path, Drct);
    return sum;
}

int CKobraOrgLayer::setFormat(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct) {
    int format = 2;
    if (const int status = readInt(db, "IdPDbLynxFormat", format, Path, Drct))
        return status;
    return ifc->setFormat(&format);
}

int CKobraOrgLayer::setRateMode(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct) {
    int rateMode = 2;
    if (const int status = readInt(db, "IdPDbLynxRateMode", rateMode, Path, Drct))
        return status;
    return ifc->setRateMode(&rateMode);
}

int CKobraOrgLayer::setInterleave(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct) {
    int interleave = 3;
    if (const int status = readInt(db, "IdPDbLynxIleavMode", interleave, Path, Drct))
        return status;
    return ifc->setInterleaveMode(&interleave);
}

int CKobraOrgLayer::setData(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct) {
    SummedReads read(db, Path, Drct);
    KobraDataSettings data{};
    const int direction = read.select("IdPDbLynxDirection");
    data.direction = direction == 0 || direction == 1 ? direction : 2;
    data.signalType = zeroOrOne(read.select("IdPDbLynxSigType"));
    data.dataType = zeroOrOne(read.select("IdPDbLynxDataType"));
    data.wordSize = int32_t(read.number("IdPDbLynxDataWordSize", 16.0));
    data.bitOrder = zeroOrOne(read.select("IdPDbLynxDataBitOrder"));
    // The box counts the alignment the other way round.
    data.wordAlignment = read.select("IdPDbLynxDataWordAlign", 1) == 0 ? 1 : 0;
    data.numberFormat = zeroOrOne(read.select("IdPDbLynxDataNumForm"));
    data.negateI = read.select("IdPDbLynxDataNegI") != 0;
    int negateQ = 0;
    readInt(db, "IdPDbLynxDataNegQ", negateQ, Path, Drct); // not counted
    data.negateQ = negateQ != 0;
    data.iqPolarity = zeroOrOne(read.select("IdPDbLynxDataIQPol"));
    data.strobePolarity = zeroOrOne(read.select("IdPDbLynxDataStrobPol"));
    data.strobePosition = int32_t(read.number("IdPDbLynxDataStrobPos"));

    if (read.sum() != 0)
        return read.sum();
    return ifc->setDataSettings(&data);
}

int CKobraOrgLayer::setClock(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct) {
    const bool driverFamily = VGXUtility::getSigGenFamily() == kFamilyWithDriver;
    SummedReads read(db, Path, Drct);
    KobraClockSettings clock{};
    clock.clockRate = read.number("IdPDbLynxClocRate");
    clock.sampleRate = read.number("IdPDbLynxSampRate");
    const int source = read.select("IdPDbLynxClocSour");
    clock.clockSource = source == 1 ? 1 : 0;
    const int phase = read.select("IdPDbLynxClocPhas");
    clock.clockPhase = phase >= 1 && phase <= 3 ? phase : 0;
    const int ratio = read.select("IdPDbLynxSCRatio");
    clock.clockRatio = ratio >= 1 && ratio <= 5 ? ratio : 0;
    clock.clockSkew = int32_t(read.number("IdPDbLynxClocSkew") * 1e12);
    const int variant = read.select("IdPDbKobraVariant");
    clock.clockInSkew = variant == 1 ? int32_t(read.number("IdPDbLynxClocInSkew") * -1e12) : 0;
    clock.clockPolarity = zeroOrOne(read.select("IdPDbLynxClocPol"));

    if (source == 0) {
        clock.referenceFlag = 0;
        clock.refFrequency = 1;
    } else {
        clock.referenceFlag = 1;
        int reference = 1;
        db->getSelect(driverFamily ? "IdPDbLynxExtRefFreq" : "IdPDbRoscFreqExt", reference, 0, 0, 0, 0);
        clock.refFrequency = reference == 0 || reference == 2 ? reference : 1;
    }

    if (read.sum() != 0)
        return read.sum();
    return ifc->setClockSettings(&clock) + ifc->setClockRatio(clock.clockRatio);
}

int CKobraOrgLayer::setTrigger(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, int Path, int Drct) {
    int source = 0;
    if (const int status = readInt(db, "IdPDbLynxTriggerSource", source, Path, Drct))
        return status;
    double delay = 0.0;
    if (const int status = readReal(db, "IdPDbLynxTriggerDelay", delay, Path, Drct))
        return status;
    return ifc->setTrigger(source, int(delay));
}

std::optional<int> CKobraOrgLayer::testState(CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer,
                                             const char* stateName, const char* unsupported, int Path,
                                             int Drct, int& state) {
    if (const int status = readInt(db, stateName, state, Path, Drct))
        return status;
    if (state == 1) {
        int variant = 0;
        const int status = readInt(db, "IdPDbKobraVariant", variant, Path, Drct);
        if (variant == 0) {
            VGXErrorManager::signal(ErrorCode, QString::fromLatin1(unsupported));
            sendMessage(msgBuffer, stateName, 0, Path, Drct, kMsgFlagsTestReset);
            return status;
        }
    }
    return std::nullopt;
}

int CKobraOrgLayer::setTestRx(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer,
                              int Path, int Drct) {
    int state = 0;
    if (const auto status =
            testState(db, msgBuffer, "IdPDbLynxTestRxPrbs", kRxTestUnsupported, Path, Drct, state))
        return *status;
    int source = 0;
    readInt(db, "IdPDbLynxTestRxSource", source, Path, Drct); // not counted
    return ifc->setTestRx(state != 0, source == 1 ? 1 : 0);
}

int CKobraOrgLayer::setTestTx(KobraDrvInterfaceIfc* ifc, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer,
                              int Path, int Drct) {
    int state = 0;
    if (const auto status =
            testState(db, msgBuffer, "IdPDbLynxTestTxPrbs", kTxTestUnsupported, Path, Drct, state))
        return *status;
    int source = 0;
    int sum = readInt(db, "IdPDbLynxTestTxSource", source, Path, Drct);
    // Source 2 is the sine; sources above 6 do not exist.
    const int code = (source >= 0 && source <= 6) ? source : 0;
    if (code == 2) {
        double gain = 0.0;
        double cwFrequency = 0.0;
        double sampleRate = 0.0;
        sum += readReal(db, "IdPDbLynxTestSinusGain", gain, Path, Drct);
        sum += readReal(db, "IdPDbLynxTestSinusCwFreq", cwFrequency, Path, Drct);
        sum += readReal(db, "IdPDbLynxSampRate", sampleRate, Path, Drct);
        sum += ifc->setTestSine(state != 0, std::pow(10.0, gain * 0.05), cwFrequency, sampleRate);
    } else {
        sum += ifc->setTestTx(state != 0, code);
    }
    return sum;
}

int CKobraOrgLayer::loadFpga(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer*, int Path,
                             int Drct) {
    if (!db)
        return 1;
    int logicType = -1;
    int direction = -1;
    int sum = readInt(db, "IdPDbLynxLogicType", logicType, Path, Drct);
    sum += readInt(db, "IdPDbLynxDirection", direction, Path, Drct);
    if (sum != 0)
        return sum;
    if (!device || device->skipProgramming())
        return 0;
    KobraDrvInterfaceIfc* ifc = device->interfaceAccess();
    if (!ifc)
        return 1;

    double reserved = 0.0;
    QString file;
    if (const int status = ifc->getFpgaFile(direction, logicType, &reserved, &file))
        return status;
    // Loading a configuration the FPGA already holds is quick: no window for it.
    if (progress && fileNamePart(file) != fileNamePart(device->loadedFpgaFile()))
        progress->showProgressDialog(device->fpgaLoadOperation(), QString::fromLatin1(kFpgaLoadTitle), true,
                                     nullptr);
    const int status = ifc->loadFpgaConfiguration(direction, logicType, 0, 0);
    if (progress)
        progress->close();
    return status;
}

int CKobraOrgLayer::setArb(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                           int Drct) {
    if (!device || device->skipProgramming())
        return 0;
    return Kobra::setArbSettings(device, db, msgBuffer, Path, Drct, "IdPDbLynxArbState", "IdPDbLynxArbFile",
                                 "IdPDbLynxArbSamples");
}

} // namespace MvQARN
