#pragma once
// The block of one numbered command of the organisation-layer framework: the caller fills the words
// it needs, passes the block by address and reads the results back after the call. Words a command
// does not use stay zero. Blocks built on the heap are destroyed by the caller.
#include <cstdint>

namespace MvQARN {

class COlCommandData {
public:
    COlCommandData() = default;
    COlCommandData(const COlCommandData&) = default;
    COlCommandData& operator=(const COlCommandData&) = default;
    virtual ~COlCommandData() = default;

    int index1 = 0;         // interface path (t0), or the serial number of the box addressed
    int index2 = 0;         // interface side (t1), or a second integer argument
    int arg3 = 0;           // third argument; in/out result flag of the service tests
    int arg4 = 0;           // fourth argument
    int arg5 = 0;           // fifth argument
    void* buffer = nullptr; // caller-owned area the framework fills or reads (the framework's own
                            // read-out table after command 46)
    int value = 0;          // not used by the plug-in
    void* text = nullptr;   // framework-owned result: a std::string or the command's result record,
                            // valid until the next command on the same thread
};

#if UINTPTR_MAX == 0xffffffffu
static_assert(sizeof(COlCommandData) == 36, "virtual table pointer and eight words");
#endif

// Command codes of the framework's command interface.
enum EOlCommand {
    OlCmdSsiRead = 31,        // SSI command data of an interface into an 8-byte area
    OlCmdSpiWrite = 32,       // SPI data of an interface from an 8-byte area
    OlCmdSpiRead = 33,        // SPI data of an interface into an 8-byte area
    OlCmdSpiFileSend = 34,    // send the SPI file of an interface (SSI logic types)
    OlCmdHwConfig = 35,       // 1500-byte hardware configuration record of a box
    OlCmdProgress = 41,       // progress status of a framework operation
    OlCmdInstrumentInfo = 42, // information blocks of the instruments joined to a box
    OlCmdCpriTest = 45,       // CPRI service test
    OlCmdReadout = 46,        // read-out table of a box
    OlCmdEeprom = 47,         // EEPROM serial numbers of a box and its breakout board
    OlCmdDiagPoint = 50,      // diagnostic point value text
    OlCmdDiagPointDigRf = 51, // DigRF diagnostic point value text
    OlCmdDigRfFpga = 52,      // DigRF FPGA load (LED test)
    OlCmdLvdsTest = 54,       // start or stop the LVDS service test of a link
    OlCmdLvdsResult = 55,     // LVDS service test counters
    OlCmdStart = 56,          // start the organisation layer and the driver (no block)
    OlCmdStop = 57,           // shut the organisation layer and the driver down (no block)
    OlCmdDigRfTest1 = 60,     // first DigRF service test
    OlCmdDigRfTest2 = 61,     // second DigRF service test
};

// Modes of OlCmdEeprom (index2).
enum EOlEepromMode {
    OlEepromRead = 0,
    OlEepromWrite = 1,
    OlEepromCopyDeviceSerial = 2,
    OlEepromBobRead = 3,
    OlEepromBobWrite = 4,
};

} // namespace MvQARN
