#pragma once
// A small command tree over test parameters, built from the same record formats a plug-in uses:
// interface levels below BBIN:EXTernal, IQ:OUTPut:EXTernal (fixed side Out) and KOBR:USER (both
// sides), SOURce<n> and DIAGnostic<n> selectors, INST<n>, LVDS:RX/TX, and commands of every kind.
#include <QList>
#include <QString>

#include "host/db/DbDefs.h"
#include "host/scpi/CDefaultScpiModule.h"

namespace ScpiTest {

constexpr int ModuleNumber = 330077;
constexpr int SpiFreqCode = 0x5096C;
constexpr int ConflictError = 20025;
constexpr const char* ConflictText = "ARB settings conflict, User Defined is switched off";
constexpr int AlarmError = 50298;
constexpr const char* AlarmText = "Box \"100123\" does not answer";

// What the update functions of the test parameters saw.
struct Observed {
    int presetCalls = 0;
    MvQARN::SDbInstTupel presetTupel;
    QList<QString> savedNames;
};
Observed& observed();

// Defines the test parameters in the database (after a reset of it).
void defineParameters();

class TestModule : public MvQARN::CDefaultScpiModule {
public:
    TestModule();
    void answerHook(int commandCode, const MvQARN::SDbInstTupel& tupel, QString& answer) override;
    int hookCalls = 0;
};

} // namespace ScpiTest
