#include "app/HostServices.h"

#include "app/HostRecorder.h"

#include <QFile>
#include <QHostAddress>
#include <QStringList>
#include <cstdio>
#include <limits>

#include "app/ScpiTerminal.h"
#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/listadm/HostRecorderParameters.h"
#include "host/olfw/impl/COlFramework.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/scpi/impl/CScpiErrorQueue.h"
#include "host/scpi/impl/CScpiHostCall.h"
#include "host/scpi/impl/CScpiLineReader.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/CScpiServer.h"
#include "host/scpi/impl/CScpiSession.h"
#include "host/scpi/impl/ScpiErrors.h"
#include "host/util/VGXSafeFile.h"
#include "sim/SimBoxes.h"

using namespace MvQARN;

namespace vgxapp {

HostServices::HostServices() = default;

HostServices::~HostServices() {
    stop();
}

bool HostServices::prepare(const HostOptions& options, QString* error) {
    registerHostParameters();
    registerHostRecorderParameters();
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

    m_recorder = std::make_unique<HostRecorder>();
    registerRecorderCommands();

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

// The host recorder's commands work on the first recorder of BBIN A, the one the host's recorder
// dialog opens first. They give --exec a way to make a recording before a picture is taken.
void HostServices::registerRecorderCommands() {
    CScpiRegistry& reg = CScpiRegistry::instance();
    static const SDbInstTupel kRecorder{0, 0, 0, 0};
    const auto setSelect = [](const char* name, int max) {
        return [name, max](CScpiHostCall& call) {
            int v = 0;
            if (!call.expectArgs(1, 1) || !call.intArg(0, 0, max, v))
                return;
            CDbAnswerBuffer answer;
            call.dbResult(CDbEngine::instance().requests().write(
                              name, kRecorder, CDbAllType(new CDbDataTypeSelect(v)), &answer),
                          answer);
        };
    };
    // Any whole number goes to the database, whose limits refuse a length it cannot take.
    const auto setNumber = [](const char* name) {
        return [name](CScpiHostCall& call) {
            int v = 0;
            if (!call.expectArgs(1, 1) ||
                !call.intArg(0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v))
                return;
            CDbAnswerBuffer answer;
            call.dbResult(
                CDbEngine::instance().requests().write(name, kRecorder, CDbAllType::fromDouble(v), &answer),
                answer);
        };
    };
    const auto query = [](const char* name) {
        return [name](CScpiHostCall& call) {
            if (!call.expectArgs(0, 0))
                return;
            CDbAllType value;
            CDbAnswerBuffer answer;
            if (call.dbResult(CDbEngine::instance().requests().read(name, kRecorder, value, &answer),
                              answer) == 0)
                call.setAnswer(value.toText());
        };
    };
    const auto execute = [](const char* name) {
        return [name](CScpiHostCall& call) {
            if (!call.expectArgs(0, 0))
                return;
            CDbAnswerBuffer answer;
            call.dbResult(CDbEngine::instance().requests().write(
                              name, kRecorder, CDbAllType(new CDbDataTypeEvent), &answer, DbMsgExec),
                          answer);
        };
    };
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:SOURce"),
                            setSelect("IdPDbKobraTranRecDataSource", 7));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:SOURce?"), query("IdPDbKobraTranRecDataSource"));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:DISPlay"),
                            setSelect("IdPDbKobraTranRecDisplayType", 3));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:LENGth"),
                            setNumber("IdPDbKobraTranRecDataLength"));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:LENGth?"), query("IdPDbKobraTranRecDataLength"));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:STATe?"), query("IdPDbRecState"));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:RECord"), execute("IdPDbRecRecord"));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:RUN"), [](CScpiHostCall& call) {
        if (call.expectArgs(0, 0))
            HostRecorder::run(kRecorder);
    });
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:DISCard"), execute("IdPDbRecAbort"));
    reg.registerHostCommand(QStringLiteral("SYSTem:RECorder:SAVE"), [](CScpiHostCall& call) {
        QString file;
        if (!call.expectArgs(1, 1) || !call.textArg(0, file))
            return;
        CDbAnswerBuffer answer;
        if (call.dbResult(CDbEngine::instance().requests().write("IdPDbRecFile", kRecorder,
                                                                 CDbAllType::fromString(file), &answer),
                          answer) != 0)
            return;
        call.dbResult(CDbEngine::instance().requests().write(
                          "IdPDbRecSave", kRecorder, CDbAllType(new CDbDataTypeEvent), &answer, DbMsgExec),
                      answer);
    });
}

namespace {

// Runs the program messages of one --exec source as they are read, so a script of any length runs in
// bounded memory and its answers come in order, one line each.
class ExecRunner {
public:
    ExecRunner() : m_reader(CScpiServer::DefaultMaxLine) {}

    void feed(const QByteArray& bytes) {
        if (bytes.isEmpty())
            return;
        m_open = !bytes.endsWith('\n');
        QList<CScpiLineReader::SMessage> messages;
        m_reader.feed(bytes.constData(), bytes.size(), messages);
        for (const CScpiLineReader::SMessage& m : messages)
            run(m);
    }
    // A last line without its LF still runs (or, when too long, still raises its error), and the next
    // source starts on a line of its own.
    void finish() {
        if (m_open)
            feed(QByteArrayLiteral("\n"));
    }
    bool ok() const { return m_ok; }
    void fail() { m_ok = false; }

private:
    void run(const CScpiLineReader::SMessage& m) {
        if (m.overrun) {
            m_session.pushError(ScpiErrInputBufferOverrun);
        } else if (!m.bytes.trimmed().isEmpty()) {
            QString answer;
            if (m_session.execLine(m.bytes, answer))
                std::fprintf(stdout, "%s\n", qPrintable(answer));
        }
        while (!m_session.errorQueue().isEmpty()) {
            m_ok = false;
            std::fprintf(stderr, "error: %s\n",
                         qPrintable(CScpiErrorQueue::format(m_session.errorQueue().pop())));
        }
    }

    CScpiSession m_session;
    CScpiLineReader m_reader;
    bool m_open = false; // the last bytes fed did not end their line
    bool m_ok = true;
};

void runStream(QFile& in, ExecRunner& runner) {
    constexpr qint64 Chunk = 64 * 1024;
    for (;;) {
        const QByteArray bytes = in.read(Chunk);
        if (bytes.isEmpty())
            break;
        runner.feed(bytes);
    }
    runner.finish();
}

} // namespace

bool HostServices::exec(const QStringList& sources) {
    ExecRunner runner;
    for (const QString& source : sources) {
        if (source == QLatin1String("-")) {
            QFile in;
            if (!in.open(stdin, QIODevice::ReadOnly)) {
                std::fprintf(stderr, "error: cannot read standard input\n");
                runner.fail();
                continue;
            }
            runStream(in, runner);
        } else if (source.startsWith(QLatin1Char('@'))) {
            QFile in;
            QString why;
            if (VGXSafeFile::openRegular(in, source.mid(1), &why) != VGXSafeFile::Result::Ok) {
                std::fprintf(stderr, "error: cannot read script %s: %s\n", qPrintable(source.mid(1)),
                             qPrintable(why));
                runner.fail();
                continue;
            }
            runStream(in, runner);
        } else {
            runner.feed(source.toUtf8());
            runner.finish();
        }
        std::fflush(stdout);
    }
    std::fflush(stdout);
    std::fflush(stderr);
    return runner.ok();
}

void HostServices::stop() {
    m_recorder.reset();
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_framework)
        m_framework->stop();
}

} // namespace vgxapp
