#pragma once
// Shared pieces of the plug-in frame tests: a fake organisation-layer framework that records the
// commands it is sent, and settings stores in a temporary folder.
#include "support/FakeCommands.h"
#include "support/HermeticSettings.h"
#include "support/QtGTestPrinters.h"

namespace frametest {

using RecordingCommandIfc = testsupport::RecordingCommands;
using testsupport::FakeOlManager;

} // namespace frametest
