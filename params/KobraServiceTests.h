#pragma once
// Result states of the service tests (command 45 CPRI, 60 and 61 DigRF). The service test runner
// sets them after each run; the error parameters of the service panel and the remote queries
// answer them.
namespace Kobra {

enum EServiceTestResult {
    ServiceTestPassed = 0, // also: not run yet
    ServiceTestFailed = 1,
};

// Result of the last run of the test with this command code; ServiceTestPassed before any run and
// for codes that are no service test.
int serviceTestResult(int command);
// Stores the result of a run; ignored for codes that are no service test.
void setServiceTestResult(int command, int result);

} // namespace Kobra
