#pragma once
// What the organisation-layer framework needs of a box driver to answer its numbered commands. The
// framework checks the command block and the box's presence; the driver does the box's part. Calls
// come from any thread, one at a time (the framework serialises them).
#include <QList>
#include <string>

namespace MvQARN {

class COlFramework;
class KobraDrvDeviceIfc;
struct SKobraInstrumentBlocks;
struct SKobraLvdsResult;
struct SKobraReadoutTable;
struct SKobraSerialData;

// Told when boxes come and go (hot-plug). Called without any driver lock held.
class COlBoxDriverListener {
public:
    virtual ~COlBoxDriverListener() = default;
    virtual void boxConnected(int serial) = 0;
    virtual void boxDisconnected(int serial) = 0;
};

class COlBoxDriver {
public:
    virtual ~COlBoxDriver() = default;

    virtual void setListener(COlBoxDriverListener* listener) = 0;
    // The framework the driver works for (null when it leaves): long device operations report their
    // progress to its operation registry.
    virtual void setFramework(COlFramework* framework) { (void)framework; }
    // The device of a connected box, through which the organisation layer programs it; null when the
    // box is not connected or the driver has no devices. Owned by the driver.
    virtual KobraDrvDeviceIfc* device(int serial) {
        (void)serial;
        return nullptr;
    }
    // Serial numbers of the connected boxes, in the order they were connected.
    virtual QList<int> connectedSerials() const = 0;
    virtual bool isConnected(int serial) const = 0;

    // Interface commands, addressed by path and side (0 or 1 each).
    virtual bool readSsiData(int path, int side, SKobraSerialData& out) = 0;
    virtual bool writeSpiData(int path, int side, const SKobraSerialData& data) = 0;
    virtual bool readSpiData(int path, int side, SKobraSerialData& out) = 0;
    virtual bool sendSpiFile(int path, int side) = 0;

    // Box commands, addressed by a connected box's serial number.
    virtual bool readHwConfig(int serial, char* record) = 0; // KobraHwConfig::Size bytes, zeroed
    virtual bool readInstrumentBlocks(int serial, SKobraInstrumentBlocks& out) = 0;
    virtual bool readOut(int serial, SKobraReadoutTable& out) = 0;
    // mode: EOlEepromMode; value: the serial number to write (write modes). text: the serial now held.
    virtual bool eeprom(int serial, int mode, unsigned value, std::string& text) = 0;
    virtual bool readDiagPoint(int serial, int point, std::string& text) = 0;
    virtual bool readDigRfDiagPoint(int serial, int point, std::string& text) = 0;
    virtual bool loadDigRfFpga(int serial, int state) = 0;
    // link 0..3; source 0 PRBS, 1 counter.
    virtual bool lvdsTest(int serial, int link, bool start, int source) = 0;
    virtual bool lvdsResult(int serial, SKobraLvdsResult& out) = 0;
    // Service tests: test 0 CPRI, 1 and 2 the two DigRF tests. detailed asks for a step-by-step
    // log. False when the test could not run; passed tells the test's verdict.
    enum ServiceTest { CpriTest = 0, DigRfTest1 = 1, DigRfTest2 = 2 };
    virtual bool runServiceTest(int serial, ServiceTest test, bool detailed, std::string& log,
                                bool& passed) = 0;
};

} // namespace MvQARN
