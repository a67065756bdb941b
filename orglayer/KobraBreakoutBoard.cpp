#include "orglayer/KobraBreakoutBoard.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "frame/KobraAnchorCommand.h"
#include "frame/OrvaneSettings.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbMsg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "params/KobraSelected.h"

using namespace MvQARN;

namespace Kobra {

namespace {

struct SBreakoutBoard {
    int id;
    long long partNumber; // 0: the board has no part number of its own
    const char* description;
};

// Closed by the entry of id 1100.
const SBreakoutBoard kBoards[] = {
    {1081, 77308413, "Breakout Board for DigRF"},
    {1085, 77308421, "Breakout Board for CPRI"},
    {-1, 0, "Single Ended/Differential/Customer"},
    {1100, 0, nullptr},
};
constexpr int kBoardTableEnd = 1100;

const char kDetectionError[] = "Internal breakout board detection error.";
const char kBasicVariantPartNumber[] = "7730.1192.02";

const SBreakoutBoard* findBoard(int id) {
    for (const SBreakoutBoard* b = kBoards; b->id != kBoardTableEnd; ++b)
        if (b->id == id)
            return b;
    return nullptr;
}

QString recordText(const QByteArray& record, int offset) {
    return QString::fromLatin1(KobraHwConfig::text(record.constData(), offset).c_str());
}

} // namespace

int chkKobraBreakoutBoard(CDbCnct& cnct, int boardId, int requiredMajor, int requiredMinor, char* message) {
    CDbDataBaseIfc* db = cnct.getDataBaseIfc();
    if (!db)
        return 0;

    // Without service protection the board is not checked.
    int protection = 0;
    const int readStatus = db->getSelect("IdPDbProtLevState", protection, 0, 3, 0, 0);
    if (readStatus != 0)
        return readStatus;
    if (protection == 0)
        return 0;

    const int serial = getKobraSelected(cnct, false);
    if (serial <= 0)
        return 0;

    int status = 1;
    QString text = QString::fromLatin1(kDetectionError);

    if (COlCommandIfc* command = Kobra::anchorCommandInterface()) {
        QByteArray record(KobraHwConfig::Size, '\0');
        COlCommandData data;
        data.index1 = serial;
        data.buffer = record.data();
        if (command->execute(OlCmdHwConfig, &data)) {
            const int variant =
                recordText(record, KobraHwConfig::PartNumber) == QLatin1String(kBasicVariantPartNumber) ? 0
                                                                                                        : 1;
            const int module = db->getModuleNumber();
            cnct.giveMsg(new CDbMsg(module, module, "IdPDbKobraVariant", variant, DbMsgSet, 0u, 0, cnct.t0(),
                                    cnct.t1(), 0, 0));

            if (const SBreakoutBoard* board = findBoard(boardId)) {
                if (board->partNumber != 0) {
                    status = DbErrSsiLogic;
                    const QStringList parts = recordText(record, KobraHwConfig::BobRevision)
                                                  .split(QLatin1Char('.'), Qt::KeepEmptyParts);
                    if (parts.size() == 2) {
                        const int major = parts.at(0).toInt();
                        const int minor = parts.at(1).toInt();
                        bool ok = false;
                        const long long part =
                            recordText(record, KobraHwConfig::BobPartNumber).toLongLong(&ok);
                        // Major and minor each have to reach the requirement.
                        if (ok && part == board->partNumber && requiredMajor <= major &&
                            requiredMinor <= minor) {
                            status = 0;
                        } else {
                            text = QStringLiteral(
                                       "Breakout board revision %1.%2 is required. The current breakout "
                                       "board has the revision %3.%4.")
                                       .arg(requiredMajor)
                                       .arg(requiredMinor)
                                       .arg(major)
                                       .arg(minor);
                        }
                    }
                } else if (recordText(record, KobraHwConfig::BobType)
                               .contains(QLatin1String(board->description))) {
                    status = 0;
                } else if (OrvaneSettings::value(OrvaneSettings::CB, 0).toInt() != 0 && boardId == -1) {
                    // The user accepts boxes without a recognised board.
                    status = 0;
                } else {
                    status = DbErrSsiLogic;
                    text =
                        QStringLiteral("Missing breakout board %1.").arg(QLatin1String(board->description));
                }
            }
        }
    }

    if (status != 0 && message)
        qstrncpy(message, text.toLatin1().constData(), BreakoutMessageSize);
    return status;
}

} // namespace Kobra
