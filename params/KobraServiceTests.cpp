#include "params/KobraServiceTests.h"

#include <QString>
#include <QStringList>
#include <string>

#include "host/db/CDbAllType.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbMsg.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "params/KobraSelected.h"

using namespace MvQARN;

namespace Kobra {

namespace {

// Sender and receiver module of the messages the plug-in writes.
constexpr int kMsgModule = 4;

void writeLog(CDbCnct& cnct, const char* logParameter, const QString& text) {
    cnct.giveMsg(new CDbMsg(kMsgModule, kMsgModule, logParameter, CDbAllType::fromString(text), DbMsgSet, 0u,
                            0, 0, 0, 0, 0));
    cnct.updData(true);
}

} // namespace

std::optional<int> runServiceTests(CDbCnct& cnct, std::initializer_list<int> codes,
                                   const char* logParameter) {
    COlCommandIfc* command = cnct.getOlCommand();
    if (!command)
        return std::nullopt;
    writeLog(cnct, logParameter, QStringLiteral("running ..."));
    QStringList logs;
    bool refused = false;
    int result = ServiceTestPassed;
    for (int code : codes) {
        COlCommandData data;
        data.index1 = getKobraSelected(cnct, true);
        data.index2 = cnct.getMsgType() == DbMsgExec ? 1 : 0;
        data.arg3 = 1; // the framework clears it when the test passed
        if (!command->execute(code, &data))
            refused = true;
        else if (data.text)
            logs.append(QString::fromStdString(*static_cast<const std::string*>(data.text)));
        if (data.arg3 != 0)
            result = ServiceTestFailed;
    }
    logs.removeAll(QString());
    writeLog(cnct, logParameter,
             refused ? QStringLiteral("Execution failed.") : logs.join(QLatin1Char('\n')));
    return result;
}

} // namespace Kobra
