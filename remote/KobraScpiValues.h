#pragma once
// Value descriptors of the plug-in's SCPI tree (KobraScpiTables.cpp only): how each kind of argument
// is read and each answer written, with their keyword and unit tables.
#include "host/scpi/ScpiStandardValues.h"

namespace Kobra::scpi {

using MvQARN::ScpiStandard::dBits;
using MvQARN::ScpiStandard::dBool;
using MvQARN::ScpiStandard::dFreq;
using MvQARN::ScpiStandard::dList;
using MvQARN::ScpiStandard::dNum;
using MvQARN::ScpiStandard::dText;
using MvQARN::ScpiStandard::dTime;

extern const MvQARN::SScpiValDesc dClkPhase;
extern const MvQARN::SScpiValDesc dPolarity;
extern const MvQARN::SScpiValDesc dClkSource;
extern const MvQARN::SScpiValDesc dMsbLsb;
extern const MvQARN::SScpiValDesc dNumFormat;
extern const MvQARN::SScpiValDesc dSigType;
extern const MvQARN::SScpiValDesc dDataType;
extern const MvQARN::SScpiValDesc dDirection;
extern const MvQARN::SScpiValDesc dRateMode;
extern const MvQARN::SScpiValDesc dFormat;
extern const MvQARN::SScpiValDesc dIleave;
extern const MvQARN::SScpiValDesc dLogic;
extern const MvQARN::SScpiValDesc dScRatio;
extern const MvQARN::SScpiValDesc dSpiFreq;
extern const MvQARN::SScpiValDesc dSpiPhase;
extern const MvQARN::SScpiValDesc dTestRxSignal;
extern const MvQARN::SScpiValDesc dTestTxSignal;
extern const MvQARN::SScpiValDesc dTrigSource;
extern const MvQARN::SScpiValDesc dTrigState;
extern const MvQARN::SScpiValDesc dLedTest;
extern const MvQARN::SScpiValDesc dLvdsSource;
extern const MvQARN::SScpiValDesc dDiagPoint;
extern const MvQARN::SScpiValDesc dDigRfPoint;

} // namespace Kobra::scpi
