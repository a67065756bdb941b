// Update functions of the service level: diagnostics LED and LVDS tests, the CPRI and DigRF test
// runner with its logs, and the EEPROM serial numbers.
#include <QFileInfo>
#include <string>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/util/VGXSafeFile.h"
#include "params/CKobraUpdateFunc.h"
#include "params/CKobraUpdateFuncHelpers.h"
#include "params/KobraSelected.h"
#include "params/KobraServiceTests.h"

namespace MvQARN {

using namespace KobraUpdate;

namespace {

constexpr int kEepromUnit = 64;

int saveLog(CDbCnct& cnct, const char* logParameter) {
    QString name;
    cnct.getValue().toString(name);
    if (name.trimmed().isEmpty())
        return DbOk;
    if (QFileInfo(name.trimmed()).suffix().isEmpty())
        name = name.trimmed() + QStringLiteral(".txt");
    const QString path = cnct.appendUserPathFile(name, false);
    // A log is text: it replaces no file of another kind (settings, properties, waveforms).
    if (path.isEmpty() || QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) != 0) {
        cnct.getAnswerBuffer().errOut(
            DbErrWithText, cnct.t0(),
            QStringLiteral("Log file not saved: \"%1\" is not a *.txt file in the user folder").arg(name));
        return DbErrWithText;
    }
    QString text;
    const int rc = cnct.getDataBaseIfc()->getString(logParameter, text, 0, 0, 0, 0);
    if (rc != DbOk)
        return rc;
    // Written beside the target and renamed into place, through no link: a failed write leaves
    // no part of a file behind.
    QString why;
    if (VGXSafeFile::writeReplacing(path, text.toUtf8(), &why) == VGXSafeFile::Ok)
        return DbOk;
    cnct.getAnswerBuffer().errOut(DbErrWithText, cnct.t0(),
                                  QStringLiteral("Log file not saved: %1 (%2)").arg(path, why));
    return DbErrWithText;
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
} // namespace

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
    Kobra::runServiceTests(cnct, {OlCmdCpriTest}, "IdPDbKobraServiceCpriTestLog");
    return DbOk;
}

int CKobraUpdateFunc::updDigRfTestExec(CDbCnct& cnct, const CDbAllType&) {
    Kobra::runServiceTests(cnct, {OlCmdDigRfTest1, OlCmdDigRfTest2}, "IdPDbKobraServiceDigRfTestLog");
    return DbOk;
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

} // namespace MvQARN
