#pragma once
// The host's organisation-layer framework: the manager the anchor offers and the command interface
// behind it. It checks each command block, answers the progress query (41) from its operation
// registry, and hands the box's part of every other command to the box driver. Commands may come
// from any thread; one mutex serialises the driver calls.
//
// Boxes are announced to modules through the USB device parameters: at start the serial list
// IdPDbKobraSerials is reset to ["None"], then each connected box gets a USB device index i with
// IdPDbLynxUsbDevSerialNumber (0,0,0,i) := serial and IdPDbLynxUsbDevState (0,0,0,i) := ON; a box
// that goes gets IdPDbLynxUsbDevState := OFF (its serial stays, so the state's update still knows
// which box went). Announcements run on the caller's thread, outside the framework's lock, because
// the writes call back into modules that send commands again.
//
// While started, the framework follows the database's requests and lets the modules' organisation
// layers program the boxes of the interfaces that run (COlChangeDispatcher), and its transient
// recorder records what the recorder parameters ask for (COlTranRecCapture).
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <mutex>

#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlManager.h"
#include "host/olfw/impl/COlBoxDriver.h"
#include "host/olfw/impl/COlChangeDispatcher.h"
#include "host/olfw/impl/COlOperationRegistry.h"
#include "host/olfw/impl/COlTranRecCapture.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class CDbMsg;
class KobraDrvDeviceIfc;

class VGX_EXPORT COlFramework : public COlManager, public COlCommandIfc, private COlBoxDriverListener {
public:
    // Writes one parameter message; returns 0 or the database's error number.
    using ParameterWriter = std::function<int(const CDbMsg&)>;

    // Length of the USB device list.
    static constexpr int UsbDevices = 20;
    // Module number the framework's parameter messages travel under.
    static constexpr int HostModule = 0;

    // driver may be null (every box command is then refused); it is not owned.
    explicit COlFramework(COlBoxDriver* driver = nullptr);
    ~COlFramework() override;
    COlFramework(const COlFramework&) = delete;
    COlFramework& operator=(const COlFramework&) = delete;

    void setDriver(COlBoxDriver* driver);
    // Replaces the database write used for announcements (the default writes to the host database).
    void setParameterWriter(ParameterWriter writer);

    // COlManager
    COlCommandIfc* commandInterface() override { return this; }
    // COlCommandIfc
    bool execute(int code, COlCommandData* data) override;

    // Starts the framework and the driver (command 56): announces the connected boxes. Returns the
    // first error of the announcement writes (0 when all were accepted); the framework runs anyway.
    int start();
    // Shuts the framework down (command 57): box commands are refused until the next start.
    void stop();
    bool isStarted() const;

    // Operations that report progress for command 41.
    COlOperationRegistry& operations() { return m_operations; }
    // How long simulated long-running operations (FPGA load) take, in milliseconds; 0 = at once.
    void setOperationDurationMs(int ms);
    int operationDurationMs() const;

    // USB device index of a box, -1 when it has none.
    int usbDeviceIndex(int serial) const;

    // The driver's device of a connected box; null when there is none.
    KobraDrvDeviceIfc* device(int serial);
    // Organisation-layer operations for interface (path, side) on its selected box: the action mask
    // carried out, the FPGA step, the ARB step and the sample rate. Corrections go into the database
    // when the layer returns. 1 when no module publishes an organisation layer.
    int setKobra(int path, int side, int actions);
    int loadFpga(int path, int side);
    int setArb(int path, int side);
    int getSampleRate(int path, int side, double& rate);
    COlChangeDispatcher& changeDispatcher() { return m_dispatcher; }
    COlTranRecCapture& recorder() { return m_capture; }

private:
    void boxConnected(int serial) override;
    void boxDisconnected(int serial) override;

    bool executeBoxCommand(int code, COlCommandData& d);
    int write(const CDbMsg& msg);
    // Gives the box a USB device slot (its old one when it had one); -1 when the list is full.
    int assignSlot(int serial);
    int announce(int slot, int serial, bool on);
    // The host database, the current runtime's organisation layers, the trace and this framework's
    // devices, for the dispatcher.
    COlChangeDispatcher::SServices dispatcherServices();
    // The host database, the boxes of running interfaces and the ARB folder, for the recorder.
    COlTranRecCapture::SServices captureServices();

    struct Slot {
        int serial = 0;
        bool on = false;
    };

    mutable std::mutex m_mutex;
    COlBoxDriver* m_driver = nullptr;
    ParameterWriter m_writer;
    bool m_started = false;
    int m_operationDurationMs = 0;
    std::array<Slot, UsbDevices> m_slots{};
    COlOperationRegistry m_operations;
    COlChangeDispatcher m_dispatcher{dispatcherServices()};
    COlTranRecCapture m_capture{captureServices()};
};

} // namespace MvQARN
