#include "params/CKobraConvInFunc.h"

#include <cmath>
#include <iterator>

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeNBit.h"
#include "host/db/CDbDataTypeString.h"
#include "host/db/CDbMsg.h"
#include "params/KobraSerials.h"

namespace MvQARN {

namespace {

// Reference frequencies of IdPDbLynxExtRefFreq 0, 1, 2 and how close a written value must come.
constexpr double kRefFreqs[] = {5e6, 10e6, 13e6};
constexpr double kRefFreqTolerance = 0.001;
// Length of the SPI data words.
constexpr int kSpiDataBits = 8;
// USB device list and how close a serial number must come to match.
constexpr int kUsbDevices = 20;
constexpr double kSerialTolerance = 0.01;
const QString kWaveformSuffix = QStringLiteral("wv");

const char* const kIqConnErrorNames[4] = {"IdPDbTestLynxIqConnError", "IdPDbTestLynxIqConnExec", "IdPDbNone",
                                          "IdPDbNone"};

void redirect(CDbMsg* msg, const char* name, const CDbAllType& value) {
    msg->setName(name);
    msg->setValue(value);
}

// A message like the head for another parameter of the same instance.
CDbMsg* sibling(const CDbMsg& head, const char* name, const CDbAllType& value) {
    auto* msg = new CDbMsg(head);
    redirect(msg, name, value);
    return msg;
}

// The suffix of the file name part of a path: what follows its last dot.
QString fileSuffix(const QString& path) {
    const int slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString file = path.mid(slash + 1);
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : file.mid(dot + 1);
}

} // namespace

CKobraConvInFunc::CKobraConvInFunc(Fn fn, const char* name) : CDbCnvInFunc(static_cast<Member>(fn), name) {}

CKobraConvInFunc::~CKobraConvInFunc() = default;

int CKobraConvInFunc::cnviLynxState(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head)
        return DbOk;
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int t0 = head->getTupel().t0;
    const int t1 = head->getTupel().t1;
    int on = 0;
    head->getValue().toInt(on);
    if (on != 0) {
        // Switching the user interface on runs the box as "User Defined" in the interface's direction.
        int direction = 0;
        const int rc = db->getSelect("IdPDbLynxDirection", direction, t0, 0, 0, t1);
        if (rc != DbOk)
            return rc;
        CDbMsgList& msgs = cnct.getMsgList();
        msgs.insert(1, sibling(*head, "IdPDbKobraMode", CDbAllType::fromInt(direction)));
        msgs.insert(2, sibling(*head, "IdPDbKobraState", CDbAllType::fromInt(1)));
        redirect(head, "IdPDbKobraType", CDbAllType::fromInt(0));
        return DbOk;
    }
    // Only the box running as "User Defined" is switched off from here.
    int type = 0;
    const int rc = db->getSelect("IdPDbKobraType", type, t0, 0, 0, t1);
    if (rc != DbOk)
        return rc;
    if (type != 0)
        return DbErrUiStateOff;
    redirect(head, "IdPDbKobraState", CDbAllType::fromInt(0));
    return DbOk;
}

int CKobraConvInFunc::cnviSelectedSerial(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head)
        return DbOk;
    if (head->getValue().getType() != DbTypeNumber)
        return DbErrWrongType;
    double written = 0;
    head->getValue().toDouble(written);
    if (!std::isfinite(written))
        return DbErrWrongType;
    const Kobra::CKobraSerialList serials(*cnct.getDataBaseIfc(), head->getTupel().t0, head->getTupel().t1);
    if (serials.status() != DbOk)
        return serials.status();
    const std::optional<qlonglong> serial = Kobra::serialFromNumber(written);
    const std::optional<int> index = serial ? serials.indexOf(*serial) : std::nullopt;
    if (index) {
        const bool configured = head->getName() == "IdPiDbKobraConfigSelected";
        redirect(head, configured ? "IdPDbKobraConfigSelected" : "IdPDbKobraSelected",
                 CDbAllType::fromInt(*index));
    }
    return DbOk;
}

int CKobraConvInFunc::cnviTranRecDataLength(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head)
        return DbOk;
    if (head->getValue().getType() != DbTypeSelect)
        return DbErrWrongType;
    int length = 0;
    head->getValue().toInt(length);
    redirect(head, "IdPDbKobraTranRecDataLength", CDbAllType::fromDouble(length));
    return DbOk;
}

int CKobraConvInFunc::cnviExtRefFreq(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head)
        return DbOk;
    double freq = 0;
    if (!head->getValue().toDouble(freq))
        return DbErrWrongType;
    for (int i = 0; i < int(std::size(kRefFreqs)); ++i) {
        if (std::fabs(freq - kRefFreqs[i]) <= kRefFreqTolerance) {
            redirect(head, "IdPDbLynxExtRefFreq", CDbAllType::fromInt(i));
            return DbOk;
        }
    }
    return DbErrRefFreq;
}

int CKobraConvInFunc::cnviSsiCmData(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head)
        return DbOk;
    double bitLen = 0;
    const int rc = cnct.getDataBaseIfc()->getNumber("IdPDbLynxSsiCmBitLen", bitLen, head->getTupel().t0, 0, 0,
                                                    head->getTupel().t1);
    if (rc != DbOk)
        return rc;
    const int length = int(bitLen + 0.5);
    if (length < 1)
        return DbOk;
    if (head->getValue().getType() != DbTypeNBit)
        return DbErrWrongType;
    // The box takes exactly the configured number of command bits.
    const auto* written = static_cast<const CDbDataTypeNBit*>(head->getValue().get());
    CDbDataTypeNBit bits(length, {});
    const int n = qMin(written->getLength(), length);
    for (int i = 0; i < n; ++i)
        bits.setBit(i, written->bit(i));
    head->setValue(CDbAllType(bits));
    return DbOk;
}

int CKobraConvInFunc::cnviSsiSpiDataWrite(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head || head->getValue().getType() != DbTypeNBit)
        return DbOk;
    const auto* written = static_cast<const CDbDataTypeNBit*>(head->getValue().get());
    const int length = written->getLength();
    if (length >= kSpiDataBits)
        return DbOk;
    // A short pattern means the low bits of the data word.
    const int shift = kSpiDataBits - length;
    CDbDataTypeNBit bits(kSpiDataBits, {});
    for (int i = 0; i < length; ++i)
        bits.setBit(i + shift, written->bit(i));
    head->setValue(CDbAllType(bits));
    return DbOk;
}

int CKobraConvInFunc::cnviArbFile(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    QString name;
    if (!head || !head->getValue().toString(name))
        return DbOk;
    // An empty name clears the entry; it is no file name to complete.
    if (name.isEmpty() || fileSuffix(name) == kWaveformSuffix)
        return DbOk;
    head->setValue(CDbAllType::fromString(name + QLatin1Char('.') + kWaveformSuffix));
    return DbOk;
}

int CKobraConvInFunc::cnviFirmUpdError(CDbCnct& cnct) {
    CDbMsg* head = cnct.getMsgList().head();
    if (!head || head->getMsgType() != DbMsgExec)
        return DbOk;
    bool ok = false;
    const double serial = head->getValue().toText().trimmed().toDouble(&ok);
    if (!ok)
        return DbOk;
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    const int t0 = head->getTupel().t0;
    const int t1 = head->getTupel().t1;
    for (int i = 0; i < kUsbDevices; ++i) {
        int state = 0;
        int rc = db->getSelect("IdPDbLynxUsbDevState", state, t0, i, 0, t1);
        if (rc != DbOk)
            return rc;
        if (state != 1)
            continue;
        double deviceSerial = 0;
        rc = db->getNumber("IdPDbLynxUsbDevSerialNumber", deviceSerial, t0, i, 0, t1);
        if (rc != DbOk)
            return rc;
        if (std::fabs(deviceSerial - serial) <= kSerialTolerance) {
            // The firmware update runs on the configured box, which has a single instance.
            redirect(head, "IdPDbKobraConfigFirmUpdExec", CDbAllType(new CDbDataTypeEvent));
            head->setTupel(SDbInstTupel{});
            return DbOk;
        }
    }
    return DbOk;
}

int CKobraConvInFunc::cnviTestIqConnError(CDbCnct& cnct) {
    return cnviDbCalTestErrBase(cnct, kIqConnErrorNames);
}

} // namespace MvQARN
