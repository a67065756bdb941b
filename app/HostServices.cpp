#include "app/HostServices.h"

#include <QHostAddress>
#include <QStringList>
#include <cstdio>

#include "app/ScpiTerminal.h"
#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/olfw/impl/COlFramework.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/scpi/impl/CScpiErrorQueue.h"
#include "host/scpi/impl/CScpiHostCall.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/CScpiServer.h"
#include "host/scpi/impl/CScpiSession.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "sim/SimBoxes.h"

using namespace MvQARN;

namespace vgxapp {

HostServices::HostServices() = default;

HostServices::~HostServices() {
    stop();
}

bool HostServices::prepare(const HostOptions& options, QString* error) {
    registerHostParameters();
    m_boxes = std::make_unique<vgxsim::SimBoxes>();
    if (!options.simFile.isEmpty() && !m_boxes->loadFile(options.simFile, error))
        return false;
    m_framework = std::make_unique<COlFramework>(m_boxes.get());
    if (VGXHostRuntime* rt = VGXHostRuntime::current())
        rt->setOlManager(m_framework.get());
    return true;
}

bool HostServices::start(const HostOptions& options, QString* error) {
    // Under family 0x10000 the plug-in sends the start code itself; other families still get boxes.
    if (options.family != 0x10000)
        m_framework->start();

    // The host's own dialogs (the SCPI terminal), after the modules' so their names come first.
    VGXDfDialogFactory::registerModule(HostDfModule());

    CScpiRegistry& reg = CScpiRegistry::instance();
    vgxsim::SimBoxes* boxes = m_boxes.get();
    reg.registerHostCommand(QStringLiteral("SYSTem:SIMulation:BOX:CONNect"), [boxes](CScpiHostCall& call) {
        int serial = 0;
        if (!call.expectArgs(1, 1) || !call.intArg(0, 1, 0x7fffffff, serial))
            return;
        QString why;
        if (!boxes->connect(serial, &why))
            call.error(ScpiErrExecution, scpiErrorText(ScpiErrExecution, why));
    });
    reg.registerHostCommand(QStringLiteral("SYSTem:SIMulation:BOX:DISConnect"), [boxes](CScpiHostCall& call) {
        int serial = 0;
        if (!call.expectArgs(1, 1) || !call.intArg(0, 1, 0x7fffffff, serial))
            return;
        QString why;
        if (!boxes->disconnect(serial, &why))
            call.error(ScpiErrExecution, scpiErrorText(ScpiErrExecution, why));
    });
    reg.registerHostCommand(QStringLiteral("SYSTem:SIMulation:BOX:CATalog?"), [boxes](CScpiHostCall& call) {
        QStringList parts;
        for (int s : boxes->connectedSerials())
            parts << QString::number(s);
        call.setAnswer(QLatin1Char('"') + parts.join(QLatin1Char(',')) + QLatin1Char('"'));
    });

    // Service commands of the plug-in are refused at level 1 and above; level 0 unlocks them.
    reg.registerHostCommand(QStringLiteral("SYSTem:PROTect:LEVel"), [](CScpiHostCall& call) {
        int level = 0;
        if (!call.expectArgs(1, 1) || !call.intArg(0, 0, 2, level))
            return;
        CDbAnswerBuffer answer;
        call.dbResult(CDbEngine::instance().requests().write("IdPDbProtLevState", SDbInstTupel{},
                                                             CDbAllType(CDbDataTypeSelect(level)), &answer),
                      answer);
    });
    reg.registerHostCommand(QStringLiteral("SYSTem:PROTect:LEVel?"), [](CScpiHostCall& call) {
        if (!call.expectArgs(0, 0))
            return;
        CDbAllType value;
        CDbAnswerBuffer answer;
        if (call.dbResult(
                CDbEngine::instance().requests().read("IdPDbProtLevState", SDbInstTupel{}, value, &answer),
                answer) == 0)
            call.setAnswer(value.get() ? value.get()->toText() : QStringLiteral("0"));
    });

    if (options.scpiPort > 0 && !options.hasExec) {
        m_server = std::make_unique<CScpiServer>();
        QString why;
        if (!m_server->listen(QHostAddress(options.scpiListen), quint16(options.scpiPort), &why)) {
            if (error)
                *error = QStringLiteral("SCPI server on %1:%2: %3")
                             .arg(options.scpiListen)
                             .arg(options.scpiPort)
                             .arg(why);
            return false;
        }
    }
    return true;
}

bool HostServices::exec(const QString& commands) {
    CScpiSession session;
    bool ok = true;
    const QStringList lines = commands.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString answer = session.execLine(line);
        if (!answer.isEmpty())
            std::fprintf(stdout, "%s\n", qPrintable(answer));
        while (!session.errorQueue().isEmpty()) {
            ok = false;
            std::fprintf(stderr, "error: %s\n",
                         qPrintable(CScpiErrorQueue::format(session.errorQueue().pop())));
        }
    }
    std::fflush(stdout);
    std::fflush(stderr);
    return ok;
}

void HostServices::stop() {
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_framework)
        m_framework->stop();
}

} // namespace vgxapp
