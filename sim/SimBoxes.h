#pragma once
// The set of simulated boxes, the driver behind the framework's numbered commands. Boxes stay known
// after they are disconnected, so their EEPROM contents survive a reconnect while the host runs.
// Thread-safe; the listener is told of hot-plug changes after the set's lock is released.
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "host/olfw/KobraSerialData.h"
#include "host/olfw/impl/COlBoxDriver.h"
#include "sim/SimBox.h"
#include "sim/SimKobraDevice.h"

namespace vgxsim {

class SimBoxes : public MvQARN::COlBoxDriver {
public:
    // At most this many boxes are connected at once (the host's USB device list).
    static constexpr int MaxConnected = 20;
    // SSI command data a box holds before anything was sent: 0xA5A5A5A5, left-aligned.
    static constexpr quint32 DefaultSsiWord = 0xA5A5A5A5u;

    // Starts with the two default boxes, both connected.
    SimBoxes();
    static std::vector<SimBox> defaultBoxes();

    // Replaces every box; the connected ones are given in connected (a subset of the boxes' serials,
    // in connection order). The listener hears the old boxes go and the new ones come.
    void setBoxes(const std::vector<SimBox>& boxes, const QList<int>& connected);
    // Reads a simulation file and replaces the boxes with it; on failure nothing changes.
    bool loadFile(const QString& path, QString* error);

    // Hot-plug. Connecting an unknown serial brings a new basic box. False (with a reason) for a
    // serial below 1, a box already connected or a full USB list, and for disconnecting a box
    // that is not connected.
    bool connect(int serial, QString* error = nullptr);
    bool disconnect(int serial, QString* error = nullptr);

    // A copy of a known box (connected or not).
    std::optional<SimBox> box(int serial) const;
    // Changes a known box under the set's lock (the driver side programs boxes this way).
    bool modifyBox(int serial, const std::function<void(SimBox&)>& change);
    // SSI command data an interface's box holds (the driver stores what it sent).
    bool setSsiData(int path, int side, const MvQARN::SKobraSerialData& data);
    int spiFileSends(int path, int side) const;
    // The driver device of a known box (connected or not), made on first use; null for an unknown
    // serial. It lives as long as the set, so tests may keep it.
    SimKobraDevice* simDevice(int serial);

    // COlBoxDriver
    void setListener(MvQARN::COlBoxDriverListener* listener) override;
    void setFramework(MvQARN::COlFramework* framework) override;
    MvQARN::KobraDrvDeviceIfc* device(int serial) override;
    QList<int> connectedSerials() const override;
    bool isConnected(int serial) const override;
    bool readSsiData(int path, int side, MvQARN::SKobraSerialData& out) override;
    bool writeSpiData(int path, int side, const MvQARN::SKobraSerialData& data) override;
    bool readSpiData(int path, int side, MvQARN::SKobraSerialData& out) override;
    bool sendSpiFile(int path, int side) override;
    bool readHwConfig(int serial, char* record) override;
    bool readInstrumentBlocks(int serial, MvQARN::SKobraInstrumentBlocks& out) override;
    bool readOut(int serial, MvQARN::SKobraReadoutTable& out) override;
    bool eeprom(int serial, int mode, unsigned value, std::string& text) override;
    bool readDiagPoint(int serial, int point, std::string& text) override;
    bool readDigRfDiagPoint(int serial, int point, std::string& text) override;
    bool loadDigRfFpga(int serial, int state) override;
    bool lvdsTest(int serial, int link, bool start, int source) override;
    bool lvdsResult(int serial, MvQARN::SKobraLvdsResult& out) override;
    bool runServiceTest(int serial, ServiceTest test, bool detailed, std::string& log, bool& passed) override;

private:
    struct Interface {
        MvQARN::SKobraSerialData ssi{{DefaultSsiWord, 0u}};
        MvQARN::SKobraSerialData spi{{0u, 0u}};
        int spiFileSends = 0;
    };

    SimBox* find(int serial);             // any known box; lock held
    SimBox* findConnected(int serial);    // lock held
    Interface* iface(int path, int side); // lock held
    SimKobraDevice* deviceOf(int serial); // made on first use; lock held
    // Tells the devices which boxes are connected now. Lock held.
    void syncDevices();
    // Runs f on the connected box; false when it is not connected.
    template <typename F> bool withConnected(int serial, F&& f);

    mutable std::mutex m_mutex;
    std::vector<SimBox> m_boxes;
    QList<int> m_connected;
    std::array<Interface, 4> m_interfaces;
    MvQARN::COlBoxDriverListener* m_listener = nullptr;
    MvQARN::COlFramework* m_framework = nullptr;
    std::map<int, std::unique_ptr<SimKobraDevice>> m_devices;
};

} // namespace vgxsim
