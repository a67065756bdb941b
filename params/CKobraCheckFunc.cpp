#include "params/CKobraCheckFunc.h"

#include <QVector>

#include "frame/KobraModuleRequests.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNDbl.h"
#include "host/db/CDbMsg.h"
#include "host/util/CUtilXferData.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/VGXUtility.h"
#include "orglayer/KobraBreakoutBoard.h"
#include "params/KobraSelected.h"
#include "params/KobraSerials.h"

namespace MvQARN {

namespace {

constexpr double kClocRateMin = 1000.0;
constexpr double kClocRateMaxLvds = 400e6;
constexpr double kClocRateMaxOther = 100e6;
constexpr double kClocRateMaxIf = 150e6;
constexpr int kLogicLvds = 0;
constexpr int kSigTypeIf = 1;
constexpr int kFormatParallel = 1;
constexpr int kSideOut = 1;
constexpr double kCwFreqShare = 0.4;
constexpr double kTrigPositionMin = -100000000.0;
constexpr double kTrigPositionMaxUnread = 511.0;
constexpr int kStrobPosMaxUnread = 15;
// Serial list entries the selection offers: "no box" and up to 20 boxes.
constexpr int kSelectableEntries = 21;
// Clock sources in the order they are offered: "REF IN", "Internal", "User Interface".
const QVector<int> kClocSourAll{2, 0, 1};
const QVector<int> kClocSourBasic{2, 1}; // the basic variant has no internal clock
constexpr int kProtectionLocked = 1;

void publishLimits(CDbCnct& cnct, double min, double max) {
    cnct.setResult(new CDbDataTypeNDbl(min, max));
}

bool writesOn(const CDbCnct& cnct) {
    int on = 0;
    return cnct.getValue().toInt(on) && on != 0;
}

} // namespace

CKobraCheckFunc::CKobraCheckFunc(Fn fn) : CDbChkFunc(static_cast<Member>(fn)) {}

CKobraCheckFunc::~CKobraCheckFunc() = default;

int CKobraCheckFunc::chkClocRate(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int logic = 0;
    int rc = db->getSelect("IdPDbLynxLogicType", logic, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    double max = kClocRateMaxLvds;
    if (logic != kLogicLvds) {
        int sigType = 0;
        rc = db->getSelect("IdPDbLynxSigType", sigType, cnct.t0(), 0, 0, cnct.t1());
        if (rc != DbOk)
            return rc;
        max = sigType == kSigTypeIf ? kClocRateMaxIf : kClocRateMaxOther;
    }
    publishLimits(cnct, kClocRateMin, max);
    return DbOk;
}

int CKobraCheckFunc::chkClocInSkew(CDbCnct& cnct) {
    double rate = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbLynxClocRate", rate, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    // One clock period either way; a rate of 0 leaves the static limits.
    if (rate > 0)
        publishLimits(cnct, -1.0 / rate, 1.0 / rate);
    return DbOk;
}

int CKobraCheckFunc::chkDataStrobPos(CDbCnct& cnct) {
    double wordSize = 0;
    if (cnct.getDataBaseIfc()->getNumber("IdPDbLynxDataWordSize", wordSize, cnct.t0(), 0, 0, cnct.t1()) ==
        DbOk)
        publishLimits(cnct, 0, wordSize - 1);
    else
        publishLimits(cnct, 0, kStrobPosMaxUnread);
    return DbOk;
}

int CKobraCheckFunc::chkTestSinusCwFreq(CDbCnct& cnct) {
    double rate = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbLynxSampRate", rate, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    publishLimits(cnct, -kCwFreqShare * rate, kCwFreqShare * rate);
    return DbOk;
}

int CKobraCheckFunc::chkTranRecTrigPosition(CDbCnct& cnct) {
    double length = 0;
    if (cnct.getDataBaseIfc()->getNumber("IdPDbKobraTranRecDataLength", length, cnct.t0(), cnct.t3(),
                                         cnct.t2(), cnct.t1()) == DbOk)
        publishLimits(cnct, kTrigPositionMin, length - 1);
    else
        publishLimits(cnct, kTrigPositionMin, kTrigPositionMaxUnread);
    return DbOk;
}

int CKobraCheckFunc::chkDataType(CDbCnct& cnct) {
    // Pre-FIR samples are not supported by the box.
    giveValMinMaxAvail(cnct, {0});
    return DbOk;
}

int CKobraCheckFunc::chkClocSour(CDbCnct& cnct) {
    int variant = 0;
    const int rc = cnct.getDataBaseIfc()->getSelect("IdPDbKobraVariant", variant, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    giveValMinMaxAvail(cnct, variant != 0 ? kClocSourAll : kClocSourBasic);
    return DbOk;
}

int CKobraCheckFunc::chkTranRecDataSource(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int cpri = 0;
    int rc = db->getSelect("IdPDbCpriState", cpri, 0, 0, 0, 0);
    if (rc != DbOk)
        return rc;
    if (cpri == 1) {
        giveValMinMaxAvail(cnct, {0, 1, 2, 3, 4, 5});
        return DbOk;
    }
    int lynx = 0;
    rc = db->getSelect("IdPDbLynxState", lynx, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (lynx == 1) {
        giveValMinMaxAvail(cnct, {0, 1});
        return DbOk;
    }
    int digRf = 0;
    rc = db->getSelect("IdPDbDigRfState", digRf, 0, 0, 0, 0);
    if (rc != DbOk)
        return rc;
    if (digRf == 1)
        giveValMinMaxAvail(cnct, {0, 1, 2, 3, 4, 5, 7});
    return DbOk;
}

int CKobraCheckFunc::chkKobraSelected(CDbCnct& cnct) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const Kobra::CKobraSerialList serials(*db, cnct.t0(), cnct.t1());
    if (serials.status() != DbOk)
        return serials.status();
    const int count = qMin(serials.count(), kSelectableEntries);
    QVector<int> available;
    for (int i = 0; i < count; ++i)
        available.append(i);
    // A box belongs to one interface instance at a time; "no box" stays open to all.
    for (int t0 = 0; t0 < 2; ++t0) {
        for (int t1 = 0; t1 < 2; ++t1) {
            if (t0 == cnct.t0() && t1 == cnct.t1())
                continue;
            int other = 0;
            const int rc = db->getSelect("IdPDbKobraSelected", other, t0, 0, 0, t1);
            if (rc != DbOk)
                return rc;
            if (other >= 1)
                available.removeAll(other);
        }
    }
    if (available.isEmpty())
        available.append(0);
    giveValMinMaxAvail(cnct, available);
    return DbOk;
}

int CKobraCheckFunc::chkSigType(CDbCnct& cnct) {
    int format = 0;
    const int rc = cnct.getDataBaseIfc()->getSelect("IdPDbLynxFormat", format, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    // An IF signal leaves the box only on the Out side of a parallel interface.
    if (cnct.t1() == kSideOut && format == kFormatParallel)
        giveValMinMaxAvail(cnct, {0, 1});
    else
        giveValMinMaxAvail(cnct, {0});
    return DbOk;
}

int CKobraCheckFunc::chkSsiCmData(CDbCnct& cnct) {
    int direction = 0;
    const int rc =
        cnct.getDataBaseIfc()->getSelect("IdPDbLynxDirection", direction, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (direction == 0 && !(cnct.getMsgFlags() & DbFlagLiftSsiDirection))
        return DbErrSsiDirection;
    return DbOk;
}

int CKobraCheckFunc::chkLynxState(CDbCnct& cnct) {
    if (!writesOn(cnct))
        return DbOk;
    if (Kobra::getKobraSelected(cnct, false) == 0)
        return DbErrNoBox;
    char message[Kobra::BreakoutMessageSize] = {};
    const int rc = Kobra::chkKobraBreakoutBoard(cnct, -1, 0, 0, message);
    if (rc != DbOk)
        cnct.errorText() = QString::fromLatin1(message);
    return rc;
}

int CKobraCheckFunc::chkKobraState(CDbCnct& cnct) {
    if (!writesOn(cnct))
        return DbOk;
    // A state written as part of an expanded request (IdPDbLynxState ON) was checked there.
    const CDbMsg* head = cnct.getMsgList().head();
    if (!head || head->getName() != "IdPDbKobraState")
        return DbOk;
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    int type = 0;
    int rc = db->getSelect("IdPDbKobraType", type, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    int selected = 0;
    rc = db->getSelect("IdPDbKobraSelected", selected, cnct.t0(), 0, 0, cnct.t1());
    if (rc != DbOk)
        return rc;
    if (selected == 0)
        return DbErrNoBox;
    int moduleId = 0;
    for (const Kobra::SBoxModuleEntry* e = Kobra::BoxModuleTable; e->boxType != -1; ++e) {
        if (e->boxType == type) {
            moduleId = e->moduleId;
            break;
        }
    }
    if (moduleId == 0)
        return DbErrNoModule;
    VGXPlugInDllModuleInterface* module = VGXUtility::getLoadableInterface(moduleId);
    if (!module)
        return DbErrNoModule;
    // The module that runs this box type decides whether the box may be switched on.
    CUtilXferData data("IdPDbKobraState", &cnct);
    module->xferCommand(-1, data);
    return data.result;
}

int CKobraCheckFunc::chkService(CDbCnct& cnct) {
    int level = 0;
    const int rc = cnct.getDataBaseIfc()->getSelect("IdPDbProtLevState", level, 0, 0, 0, 1);
    if (rc != DbOk)
        return rc;
    return level == kProtectionLocked ? int(DbErrProtected) : int(DbOk);
}

} // namespace MvQARN
