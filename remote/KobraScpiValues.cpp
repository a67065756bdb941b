#include "remote/KobraScpiValues.h"

using namespace MvQARN;

namespace Kobra::scpi {

namespace {

using namespace ScpiStandard;

const SScpiKeyword kwClkPhase[] = {{"0", 0, 0}, {"90", 1, 0}, {"180", 2, 0}, {"270", 3, 0}, kwEnd};
const SScpiKeyword kwPolarity[] = {{"POSitive", 0, 0}, {"NEGative", 1, 0}, kwEnd};
const SScpiKeyword kwClkSource[] = {{"INTernal", 0, 0}, {"EXTernal", 1, 0}, {"REF", 2, 0}, kwEnd};
const SScpiKeyword kwMsbLsb[] = {{"MSB", 0, 0}, {"LSB", 1, 0}, kwEnd};
const SScpiKeyword kwNumFormat[] = {{"TCOMplement", 0, 0}, {"OBINary", 1, 0}, kwEnd};
const SScpiKeyword kwSigType[] = {{"IQ", 0, 0}, {"IF", 1, 0}, kwEnd};
const SScpiKeyword kwDataType[] = {{"SAMPles", 0, 0}, {"PFSamples", 1, 0}, kwEnd};
const SScpiKeyword kwDirection[] = {{"RECeiver", 0, 0}, {"TRANsmitter", 1, 0}, kwEnd};
const SScpiKeyword kwRateMode[] = {{"SDR", 0, 0}, {"DDR", 1, 0}, kwEnd};
const SScpiKeyword kwFormat[] = {{"SERial", 0, 0}, {"PARallel", 1, 0}, kwEnd};
const SScpiKeyword kwIleave[] = {{"OFF", 0, 0}, {"IQ", 1, 0}, {"QI", 2, 0}, kwEnd};
// 6 and 7 are not used by the box; 1.2 V CMOS is 8.
const SScpiKeyword kwLogic[] = {{"LVDS", 0, 0},   {"LVTTl", 1, 0},  {"CMOS33", 2, 0}, {"CMOS25", 3, 0},
                                {"CMOS18", 4, 0}, {"CMOS15", 5, 0}, {"CMOS12", 8, 0}, kwEnd};
const SScpiKeyword kwScRatio[] = {{"SCR1", 0, 0},
                                  {"SCR4D5", 1, 0},
                                  {"SCR2D5", 2, 0},
                                  {"SCR1D5", 3, 0},
                                  {"SCR1D10", 4, 0},
                                  {"SCR1D20", 5, 0},
                                  kwEnd};
const SScpiKeyword kwSpiFreq[] = {{"1MHZ", 0, 0},    {"2.5MHZ", 1, 0}, {"5MHZ", 2, 0}, {"8.333MHZ", 3, 0},
                                  {"12.5MHZ", 4, 0}, {"25MHZ", 5, 0},  kwEnd};
// The database numbers the SPI clock phases 0 and 2 (180 degrees).
const SScpiKeyword kwSpiPhase[] = {{"0", 0, 0}, {"180", 2, 0}, kwEnd};
const SScpiKeyword kwTestRxSignal[] = {{"PRBS", 0, 0}, {"COUNter", 1, 0}, kwEnd};
const SScpiKeyword kwTestTxSignal[] = {{"PRBS", 0, 0}, {"COUNter", 1, 0}, {"SINE", 2, 0}, kwEnd};
const SScpiKeyword kwTrigSource[] = {{"AUTO", 0, 0}, {"SYNC", 1, 0}, kwEnd};
const SScpiKeyword kwTrigState[] = {{"STOP", 0, 0}, {"RUN", 1, 0}, kwEnd};
const SScpiKeyword kwLedTest[] = {{"OFF", 0, 0}, {"ON", 1, 0}, {"1", 1, 0}, {"0", 0, 0}, kwEnd};
const SScpiKeyword kwLvdsSource[] = {{"PRBS", 0, 0}, {"COUNTER", 1, 0}, kwEnd};
// Listed in the order of the front panel, values as the box numbers its measurement points.
const SScpiKeyword kwDiagPoint[] = {{"UI", 0, 0},
                                    {"U2V5", 1, 0},
                                    {"AVTT", 3, 0},
                                    {"AVCC_PLL", 2, 0},
                                    {"AVCC_MGT", 4, 0},
                                    {"U1V8", 5, 0},
                                    {"U24V", 6, 0},
                                    {"GND", 7, 0},
                                    {"VIN", 8, 0},
                                    {"COM3V3", 9, 0},
                                    {"AUX2V5", 10, 0},
                                    {"DIV3V3", 11, 0},
                                    {"CORE1V0", 12, 0},
                                    {"VCO", 13, 0},
                                    {"GND1", 15, 0},
                                    {"PPC_VCC_INT", 17, 0},
                                    {"PPC_TEMP", 16, 0},
                                    {"PPC_VCC_AUX", 18, 0},
                                    kwEnd};
const SScpiKeyword kwDigRfPoint[] = {{"U5VN", 0, 0},
                                     {"U5V", 1, 0},
                                     {"U3V3", 2, 0},
                                     {"U2V5", 3, 0},
                                     {"U1V2", 4, 0},
                                     {"LIN3V5", 5, 0},
                                     {"LIN2V0N", 6, 0},
                                     {"LIN2V5N", 7, 0},
                                     {"GPIOG0", 8, 0},
                                     {"GPIOG1", 9, 0},
                                     {"GPIOG2", 10, 0},
                                     {"GPIOG3", 11, 0},
                                     {"GPIOG4", 12, 0},
                                     {"PLL1", 13, 0},
                                     {"PLL2", 14, 0},
                                     {"DIAGV4GTX", 15, 0},
                                     {"USER_SPI", 16, 0},
                                     {"GPIO_EX", 17, 0},
                                     {"DRF112", 18, 0},
                                     {"DRF3SE", 19, 0},
                                     {"DRF4SE", 20, 0},
                                     {"SYSCLK1", 21, 0},
                                     {"SYSCLK2", 22, 0},
                                     {"TEMP", 23, 0},
                                     {"DIAGV3TX1P", 24, 0},
                                     {"DIAGV3TX1N", 25, 0},
                                     {"V3DIFF_TX_VCM", 26, 0},
                                     {"V3DIFF_TX_OFFS", 27, 0},
                                     {"DIAGV4TX1P", 28, 0},
                                     {"DIAGV4TX1N", 29, 0},
                                     {"REF2V5", 30, 0},
                                     {"GND", 31, 0},
                                     kwEnd};

constexpr SScpiValDesc keywords(const SScpiKeyword* table, unsigned type = ScpiValChar) {
    return {.type = type, .format = ScpiFormatPlain, .keywords = table};
}

} // namespace

// Keywords that look like numbers are read as character data of their own.
constinit const SScpiValDesc dClkPhase = keywords(kwClkPhase, ScpiValKeyword);
constinit const SScpiValDesc dPolarity = keywords(kwPolarity);
constinit const SScpiValDesc dClkSource = keywords(kwClkSource);
constinit const SScpiValDesc dMsbLsb = keywords(kwMsbLsb);
constinit const SScpiValDesc dNumFormat = keywords(kwNumFormat);
constinit const SScpiValDesc dSigType = keywords(kwSigType);
constinit const SScpiValDesc dDataType = keywords(kwDataType);
constinit const SScpiValDesc dDirection = keywords(kwDirection);
constinit const SScpiValDesc dRateMode = keywords(kwRateMode);
constinit const SScpiValDesc dFormat = keywords(kwFormat);
constinit const SScpiValDesc dIleave = keywords(kwIleave);
constinit const SScpiValDesc dLogic = keywords(kwLogic);
constinit const SScpiValDesc dScRatio = keywords(kwScRatio);
constinit const SScpiValDesc dSpiFreq = keywords(kwSpiFreq);
constinit const SScpiValDesc dSpiPhase = keywords(kwSpiPhase, ScpiValKeyword);
constinit const SScpiValDesc dTestRxSignal = keywords(kwTestRxSignal);
constinit const SScpiValDesc dTestTxSignal = keywords(kwTestTxSignal);
constinit const SScpiValDesc dTrigSource = keywords(kwTrigSource);
constinit const SScpiValDesc dTrigState = keywords(kwTrigState);
constinit const SScpiValDesc dLedTest = keywords(kwLedTest);
constinit const SScpiValDesc dLvdsSource = keywords(kwLvdsSource);
constinit const SScpiValDesc dDiagPoint = keywords(kwDiagPoint);
constinit const SScpiValDesc dDigRfPoint = keywords(kwDigRfPoint);

} // namespace Kobra::scpi
