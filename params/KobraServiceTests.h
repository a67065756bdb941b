#pragma once
// The service test runner (command 45 CPRI, 60 and 61 DigRF) on the configured box. The exec events
// and the result rows of the service panel both run it: a result row answers the test it has just run,
// never a remembered state.
#include <initializer_list>
#include <optional>

namespace MvQARN {
class CDbCnct;
}

namespace Kobra {

enum EServiceTestResult {
    ServiceTestPassed = 0,
    ServiceTestFailed = 1,
};

// Runs one command per code, in order, on the configured box. The log parameter reads "running ..."
// while the tests run, then the logs of the tests, or "Execution failed." when a command was refused.
// Answers ServiceTestFailed when any test failed (the framework leaves the in/out word non-zero),
// else ServiceTestPassed; none without a command interface (nothing runs, nothing is written).
std::optional<int> runServiceTests(MvQARN::CDbCnct& cnct, std::initializer_list<int> codes,
                                   const char* logParameter);

} // namespace Kobra
