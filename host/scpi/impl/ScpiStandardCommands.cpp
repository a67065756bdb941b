// The IEEE 488.2 common commands and the SYSTem commands every host answers.
#include <QStringList>

#include "host/db/CDbAnswerBuffer.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/CScpiSession.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

namespace {

void noArgs(CScpiHostCall& c, const std::function<void(CScpiHostCall&)>& then) {
    if (c.expectArgs(0, 0))
        then(c);
}

} // namespace

void scpiInstallStandardCommands(CScpiRegistry& r) {
    r.registerHostCommand(QStringLiteral("*IDN?"), [&r](CScpiHostCall& c) {
        noArgs(c, [&r](CScpiHostCall& c) { c.setAnswer(r.idnAnswer()); });
    });
    r.registerHostCommand(QStringLiteral("*RST"), [&r](CScpiHostCall& c) {
        noArgs(c, [&r](CScpiHostCall& c) {
            CDbAnswerBuffer answer;
            const int rc = r.runReset(answer);
            c.dbResult(rc, answer);
        });
    });
    r.registerHostCommand(QStringLiteral("*CLS"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.session().clearStatus(); });
    });
    r.registerHostCommand(QStringLiteral("*ESE"), [](CScpiHostCall& c) {
        int v = 0;
        if (c.expectArgs(1, 1) && c.intArg(0, 0, 255, v))
            c.session().setEse(v);
    });
    r.registerHostCommand(QStringLiteral("*ESE?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QString::number(c.session().ese())); });
    });
    r.registerHostCommand(QStringLiteral("*ESR?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QString::number(c.session().takeEsr())); });
    });
    r.registerHostCommand(QStringLiteral("*OPC"), [](CScpiHostCall& c) {
        // Every command has completed when the next one is parsed.
        noArgs(c, [](CScpiHostCall& c) { c.session().setEsrBits(ScpiEsrOpc); });
    });
    r.registerHostCommand(QStringLiteral("*OPC?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QStringLiteral("1")); });
    });
    r.registerHostCommand(QStringLiteral("*SRE"), [](CScpiHostCall& c) {
        int v = 0;
        if (c.expectArgs(1, 1) && c.intArg(0, 0, 255, v))
            c.session().setSre(v);
    });
    r.registerHostCommand(QStringLiteral("*SRE?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QString::number(c.session().sre())); });
    });
    r.registerHostCommand(QStringLiteral("*STB?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QString::number(c.session().statusByte())); });
    });
    r.registerHostCommand(QStringLiteral("*TST?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QStringLiteral("0")); });
    });
    r.registerHostCommand(QStringLiteral("*WAI"), [](CScpiHostCall& c) {
        // Commands run one after the other, so there is nothing to wait for.
        c.expectArgs(0, 0);
    });
    r.registerHostCommand(QStringLiteral("SYSTem:ERRor[:NEXT]?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) {
            c.setAnswer(CScpiErrorQueue::format(c.session().errorQueue().pop()));
        });
    });
    r.registerHostCommand(QStringLiteral("SYSTem:ERRor:ALL?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) {
            CScpiErrorQueue& q = c.session().errorQueue();
            QStringList all;
            do
                all << CScpiErrorQueue::format(q.pop());
            while (!q.isEmpty());
            c.setAnswer(all.join(QLatin1Char(',')));
        });
    });
    r.registerHostCommand(QStringLiteral("SYSTem:ERRor:COUNt?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QString::number(c.session().errorQueue().count())); });
    });
    r.registerHostCommand(QStringLiteral("SYSTem:VERSion?"), [](CScpiHostCall& c) {
        noArgs(c, [](CScpiHostCall& c) { c.setAnswer(QStringLiteral("1999.0")); });
    });
}

} // namespace MvQARN
