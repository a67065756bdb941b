// Diagnostics and service read-outs: diagnostic points, the LVDS service test counters with their
// stop rules, and the results of the service tests.
#include <QList>
#include <gtest/gtest.h>
#include <string>

#include "FunctionTestSupport.h"
#include "host/olfw/KobraLvdsResult.h"

using namespace MvQARN;
using namespace fntest;

namespace {

class ServiceFunctions : public FunctionTest {
protected:
    void SetUp() override {
        FunctionTest::SetUp();
        m_commands.handler = [this](int code, COlCommandData* d) {
            if (!accept || !d)
                return false;
            switch (code) {
            case OlCmdDiagPoint:
                m_text = "1.234";
                d->text = &m_text;
                break;
            case OlCmdDiagPointDigRf:
                m_text = "-4.98";
                d->text = &m_text;
                break;
            case OlCmdLvdsResult:
                d->text = &lvds;
                break;
            default:
                break;
            }
            return true;
        };
        setSerials({100123, 100456});
        setInt("IdPDbKobraConfigSelected", tup(0, 0), 2);
        unlockService();
    }

    QList<double> lvdsState() {
        QList<double> out;
        for (const char* n : {"Received", "Errors", "Pll", "Dcm", "NoData", "Start"})
            out << storedNumber(("IdPDbKobraServiceLvds" + std::string(n)).c_str(), tup(0, 0));
        return out;
    }

    SKobraLvdsResult lvds{1000.0, 10.0, 1, 1, 0};
    bool accept = true;

private:
    std::string m_text;
};

TEST_F(ServiceFunctions, DiagnosticValueIsReadWhileDiagnosticsAreOn) {
    useCommands();
    EXPECT_EQ(readText("IdPDbKobraDiagValue", tup(0, 0)), QStringLiteral("---"));
    EXPECT_TRUE(m_commands.callsOf(OlCmdDiagPoint).isEmpty());

    setInt("IdPDbKobraDiagState", tup(0, 0), 1);
    setInt("IdPDbKobraDiagPoint", tup(0, 0), 13);
    EXPECT_EQ(readText("IdPDbKobraDiagValue", tup(0, 0)), QStringLiteral("1.234"));
    ASSERT_EQ(m_commands.callsOf(OlCmdDiagPoint).size(), 1);
    EXPECT_EQ(m_commands.callsOf(OlCmdDiagPoint)[0].in.index1, 100456); // the configured box
    EXPECT_EQ(m_commands.callsOf(OlCmdDiagPoint)[0].in.index2, 13);
    // Without a DigRF breakout board the DigRF point stays unread.
    EXPECT_TRUE(m_commands.callsOf(OlCmdDiagPointDigRf).isEmpty());
    EXPECT_EQ(storedText("IdPDbKobraDiagValueDigRf", tup(0, 0)), QStringLiteral("---"));
}

// While the LVDS test runs, a read of the error rate asks the configured box for its counters; a lost
// PLL or DCM lock or only zeroes stop the test with the last reason found.
TEST_F(ServiceFunctions, LvdsErrorRateCountersAndTheReasonsTheTestStops) {
    useCommands();
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), 0); // not started
    EXPECT_TRUE(m_commands.callsOf(OlCmdLvdsResult).isEmpty());
    const struct {
        SKobraLvdsResult result;
        double ber;
        const char* stop;
    } cases[] = {
        {{1000.0, 10.0, 1, 1, 0}, 0.01, nullptr},
        {{0.0, 0.0, 1, 1, 0}, 1.0, nullptr},
        {{400.0, 4.0, 0, 1, 0}, 0.01, "PLL unlocked! LVDS test stopped."},
        {{400.0, 4.0, 1, 0, 0}, 0.01, "DCM unlocked! LVDS test stopped."},
        {{400.0, 4.0, 0, 0, 1}, 0.01, "Receive only zeroes! LVDS test stopped."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result.received);
        setInt("IdPDbKobraServiceLvdsStart", tup(0, 0), 1);
        lvds = c.result;
        EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), c.ber);
        EXPECT_EQ(m_commands.callsOf(OlCmdLvdsResult).last().in.index1, 100456);
        EXPECT_EQ(errorCodes(), c.stop ? QList<int>{DbErrWithText} : QList<int>());
        EXPECT_EQ(errorTexts(), c.stop ? QStringList{c.stop} : QStringList());
        // Received, errors, PLL, DCM, no data, still running.
        EXPECT_EQ(lvdsState(),
                  QList<double>({c.result.received, c.result.errors, double(c.result.pll),
                                 double(c.result.dcm), double(c.result.noData), c.stop ? 0.0 : 1.0}));
    }
}

// A result row runs its own test on the configured box each time it is read, with the in/out word
// set on entry and the message type of the read, and answers that run's result; the log follows.
TEST_F(ServiceFunctions, ServiceTestResultRowsRunTheirTestOnTheConfiguredBox) {
    struct Row {
        const char* name;
        int code;
        const char* log;
    };
    const Row rows[] = {
        {"IdPDbKobraServiceCpriTestError", OlCmdCpriTest, "IdPDbKobraServiceCpriTestLog"},
        {"IdPDbKobraServiceDigRfTestError", OlCmdDigRfTest1, "IdPDbKobraServiceDigRfTestLog"},
        {"IdPDbKobraServiceDigRfTestError2", OlCmdDigRfTest2, "IdPDbKobraServiceDigRfTestLog"},
    };
    int failing = -1;
    std::string log;
    m_commands.handler = [&](int code, COlCommandData* d) {
        if (!accept || !d)
            return false;
        log = "log of test " + std::to_string(code);
        d->text = &log;
        d->arg3 = code == failing ? 1 : 0;
        return true;
    };
    useCommands();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const int msgType : {int(DbMsgSet), int(DbMsgExec)}) {
            for (const bool fails : {false, true}) {
                m_commands.calls.clear();
                failing = fails ? row.code : -1;
                EXPECT_EQ(readInt(row.name, tup(0, 0), msgType), fails ? 1 : 0);
                ASSERT_EQ(m_commands.codes(), QList<int>{row.code});
                EXPECT_EQ(m_commands.calls[0].in.index1, 100456); // the configured box
                EXPECT_EQ(m_commands.calls[0].in.index2, msgType == DbMsgExec ? 1 : 0);
                EXPECT_EQ(m_commands.calls[0].in.arg3, 1);
                EXPECT_EQ(storedText(row.log, tup(0, 0)), QStringLiteral("log of test %1").arg(row.code));
            }
        }
        // A refused command: the test did not pass and the log says so.
        accept = false;
        EXPECT_EQ(readInt(row.name, tup(0, 0)), 1);
        EXPECT_EQ(storedText(row.log, tup(0, 0)), QStringLiteral("Execution failed."));
        accept = true;
    }
}

} // namespace
