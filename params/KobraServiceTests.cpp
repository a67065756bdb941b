#include "params/KobraServiceTests.h"

#include "host/olfw/COlCommandData.h"

namespace Kobra {

namespace {

// Runner and readers live on the GUI thread; no lock needed.
int s_cpri = ServiceTestPassed;
int s_digRf1 = ServiceTestPassed;
int s_digRf2 = ServiceTestPassed;

int* slotOf(int command) {
    switch (command) {
    case MvQARN::OlCmdCpriTest:
        return &s_cpri;
    case MvQARN::OlCmdDigRfTest1:
        return &s_digRf1;
    case MvQARN::OlCmdDigRfTest2:
        return &s_digRf2;
    default:
        return nullptr;
    }
}

} // namespace

int serviceTestResult(int command) {
    const int* slot = slotOf(command);
    return slot ? *slot : int(ServiceTestPassed);
}

void setServiceTestResult(int command, int result) {
    if (int* slot = slotOf(command))
        *slot = result;
}

} // namespace Kobra
