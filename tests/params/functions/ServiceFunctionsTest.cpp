// Diagnostics and service read-outs: diagnostic points, the LVDS service test counters with their
// stop rules, and the results of the service tests.
#include <QPair>
#include <gtest/gtest.h>
#include <string>

#include "FunctionTestSupport.h"
#include "host/olfw/KobraLvdsResult.h"
#include "params/KobraServiceTests.h"

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

    accept = false;
    EXPECT_EQ(readText("IdPDbKobraDiagValue", tup(0, 0)), QStringLiteral("---"));
}

TEST_F(ServiceFunctions, LvdsErrorRateAndCountersWhileTheTestRuns) {
    useCommands();
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), 0); // not started
    EXPECT_TRUE(m_commands.callsOf(OlCmdLvdsResult).isEmpty());

    setInt("IdPDbKobraServiceLvdsStart", tup(0, 0), 1);
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), 0.01);
    EXPECT_TRUE(errorCodes().isEmpty());
    ASSERT_EQ(m_commands.callsOf(OlCmdLvdsResult).size(), 1);
    EXPECT_EQ(m_commands.callsOf(OlCmdLvdsResult)[0].in.index1, 100456);
    EXPECT_EQ(storedNumber("IdPDbKobraServiceLvdsReceived", tup(0, 0)), 1000);
    EXPECT_EQ(storedNumber("IdPDbKobraServiceLvdsErrors", tup(0, 0)), 10);
    EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsPll", tup(0, 0)), 1);
    EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsDcm", tup(0, 0)), 1);
    EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsNoData", tup(0, 0)), 0);
    EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsStart", tup(0, 0)), 1);

    lvds = {0.0, 0.0, 1, 1, 0};
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), 1.0);
    EXPECT_EQ(storedNumber("IdPDbKobraServiceLvdsReceived", tup(0, 0)), 0);

    // A refused read-out answers the stored rate and writes nothing.
    accept = false;
    lvds = {50.0, 5.0, 1, 1, 0};
    EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), 0);
    EXPECT_EQ(storedNumber("IdPDbKobraServiceLvdsReceived", tup(0, 0)), 0);
}

TEST_F(ServiceFunctions, LvdsTestStopsWithTheLastReasonFound) {
    struct Case {
        int pll, dcm, noData;
        const char* text;
    };
    const Case cases[] = {
        {0, 1, 0, "PLL unlocked! LVDS test stopped."},
        {1, 0, 0, "DCM unlocked! LVDS test stopped."},
        {0, 0, 0, "DCM unlocked! LVDS test stopped."},
        {1, 1, 1, "Receive only zeroes! LVDS test stopped."},
        {0, 0, 1, "Receive only zeroes! LVDS test stopped."},
    };
    useCommands();
    for (const Case& c : cases) {
        setInt("IdPDbKobraServiceLvdsStart", tup(0, 0), 1);
        lvds = {400.0, 4.0, c.pll, c.dcm, c.noData};
        EXPECT_DOUBLE_EQ(readNumber("IdPDbKobraServiceLvdsBer", tup(0, 0)), 0.01) << c.text;
        ASSERT_EQ(m_answer.getErrors().size(), 1) << c.text;
        EXPECT_EQ(m_answer.getErrors()[0].code, DbErrWithText);
        EXPECT_EQ(m_answer.getErrors()[0].text, QString::fromLatin1(c.text));
        EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsStart", tup(0, 0)), 0) << c.text;
        EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsPll", tup(0, 0)), c.pll);
        EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsDcm", tup(0, 0)), c.dcm);
        EXPECT_EQ(storedInt("IdPDbKobraServiceLvdsNoData", tup(0, 0)), c.noData);
        EXPECT_EQ(storedNumber("IdPDbKobraServiceLvdsReceived", tup(0, 0)), 400);
    }
}

TEST_F(ServiceFunctions, ServiceTestErrorsShowTheRunnerResults) {
    const QPair<const char*, int> rows[] = {
        {"IdPDbKobraServiceCpriTestError", OlCmdCpriTest},
        {"IdPDbKobraServiceDigRfTestError", OlCmdDigRfTest1},
        {"IdPDbKobraServiceDigRfTestError2", OlCmdDigRfTest2},
    };
    for (const auto& row : rows) {
        for (const auto& other : rows)
            Kobra::setServiceTestResult(other.second, Kobra::ServiceTestPassed);
        EXPECT_EQ(readInt(row.first, tup(0, 0)), 0) << row.first;
        Kobra::setServiceTestResult(row.second, Kobra::ServiceTestFailed);
        for (const auto& other : rows)
            EXPECT_EQ(readInt(other.first, tup(0, 0)), other.first == row.first ? 1 : 0)
                << row.first << " failed, reading " << other.first;
    }
    for (const auto& row : rows)
        Kobra::setServiceTestResult(row.second, Kobra::ServiceTestPassed);
}

} // namespace
