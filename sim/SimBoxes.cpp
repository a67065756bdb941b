#include "sim/SimBoxes.h"

#include <algorithm>

#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "sim/SimBoxFile.h"

namespace vgxsim {

using namespace MvQARN;

template <typename F> bool SimBoxes::withConnected(int serial, F&& f) {
    std::lock_guard<std::mutex> lock(m_mutex);
    SimBox* b = findConnected(serial);
    return b && f(*b);
}

SimBoxes::SimBoxes() {
    m_boxes = defaultBoxes();
    for (const SimBox& b : m_boxes)
        m_connected.append(b.serial);
}

std::vector<SimBox> SimBoxes::defaultBoxes() {
    return {SimBox::defaultFullBox(), SimBox::defaultBasicBox()};
}

void SimBoxes::setBoxes(const std::vector<SimBox>& boxes, const QList<int>& connected) {
    QList<int> gone;
    QList<int> now;
    COlBoxDriverListener* listener = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        gone = m_connected;
        m_boxes = boxes;
        m_connected.clear();
        for (int serial : connected)
            if (find(serial) && !m_connected.contains(serial) && m_connected.size() < MaxConnected)
                m_connected.append(serial);
        now = m_connected;
        listener = m_listener;
        // Every old box goes, so each is powered off, also one that comes back at once.
        for (auto& [serial, device] : m_devices)
            device->setConnected(false);
        syncDevices();
    }
    if (!listener)
        return;
    for (int serial : gone)
        listener->boxDisconnected(serial);
    for (int serial : now)
        listener->boxConnected(serial);
}

bool SimBoxes::loadFile(const QString& path, QString* error) {
    std::vector<SimBox> boxes;
    QList<int> connected;
    if (!SimBoxFile::load(path, boxes, connected, error))
        return false;
    setBoxes(boxes, connected);
    return true;
}

bool SimBoxes::connect(int serial, QString* error) {
    COlBoxDriverListener* listener = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        QString why;
        if (serial < 1)
            why = QStringLiteral("serial number %1 is not a positive integer").arg(serial);
        else if (m_connected.contains(serial))
            why = QStringLiteral("box %1 is already connected").arg(serial);
        else if (m_connected.size() >= MaxConnected)
            why = QStringLiteral("no room for box %1: %2 boxes are connected").arg(serial).arg(MaxConnected);
        if (!why.isEmpty()) {
            if (error)
                *error = why;
            return false;
        }
        if (!find(serial))
            m_boxes.emplace_back(serial);
        m_connected.append(serial);
        listener = m_listener;
        syncDevices();
    }
    if (listener)
        listener->boxConnected(serial);
    return true;
}

bool SimBoxes::disconnect(int serial, QString* error) {
    COlBoxDriverListener* listener = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_connected.removeOne(serial)) {
            if (error)
                *error = QStringLiteral("box %1 is not connected").arg(serial);
            return false;
        }
        listener = m_listener;
        syncDevices();
    }
    if (listener)
        listener->boxDisconnected(serial);
    return true;
}

std::optional<SimBox> SimBoxes::box(int serial) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const SimBox& b : m_boxes)
        if (b.serial == serial)
            return b;
    return std::nullopt;
}

bool SimBoxes::modifyBox(int serial, const std::function<void(SimBox&)>& change) {
    std::lock_guard<std::mutex> lock(m_mutex);
    SimBox* b = find(serial);
    if (!b)
        return false;
    change(*b);
    return true;
}

bool SimBoxes::setSsiData(int path, int side, const SKobraSerialData& data) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Interface* i = iface(path, side);
    if (!i)
        return false;
    i->ssi = data;
    return true;
}

int SimBoxes::spiFileSends(int path, int side) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (path < 0 || path > 1 || side < 0 || side > 1)
        return 0;
    return m_interfaces[size_t(path + 2 * side)].spiFileSends;
}

void SimBoxes::setListener(COlBoxDriverListener* listener) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_listener = listener;
}

void SimBoxes::setFramework(COlFramework* framework) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_framework = framework;
    for (auto& [serial, device] : m_devices)
        device->setFramework(framework);
}

KobraDrvDeviceIfc* SimBoxes::device(int serial) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return findConnected(serial) ? deviceOf(serial) : nullptr;
}

SimKobraDevice* SimBoxes::simDevice(int serial) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return find(serial) ? deviceOf(serial) : nullptr;
}

SimKobraDevice* SimBoxes::deviceOf(int serial) {
    std::unique_ptr<SimKobraDevice>& device = m_devices[serial];
    if (!device) {
        device = std::make_unique<SimKobraDevice>(serial);
        device->setFramework(m_framework);
        device->setConnected(m_connected.contains(serial));
    }
    return device.get();
}

void SimBoxes::syncDevices() {
    for (auto& [serial, device] : m_devices)
        device->setConnected(m_connected.contains(serial) && find(serial));
}

QList<int> SimBoxes::connectedSerials() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connected;
}

bool SimBoxes::isConnected(int serial) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connected.contains(serial);
}

bool SimBoxes::readSsiData(int path, int side, SKobraSerialData& out) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Interface* i = iface(path, side);
    if (!i)
        return false;
    out = i->ssi;
    return true;
}

bool SimBoxes::writeSpiData(int path, int side, const SKobraSerialData& data) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Interface* i = iface(path, side);
    if (!i)
        return false;
    i->spi = data;
    return true;
}

bool SimBoxes::readSpiData(int path, int side, SKobraSerialData& out) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Interface* i = iface(path, side);
    if (!i)
        return false;
    out = i->spi;
    return true;
}

bool SimBoxes::sendSpiFile(int path, int side) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Interface* i = iface(path, side);
    if (!i)
        return false;
    ++i->spiFileSends;
    return true;
}

bool SimBoxes::readHwConfig(int serial, char* record) {
    return withConnected(serial, [&](SimBox& b) {
        b.fillHwConfig(record);
        return true;
    });
}

bool SimBoxes::readInstrumentBlocks(int serial, SKobraInstrumentBlocks& out) {
    return withConnected(serial, [&](SimBox& b) {
        out.text[0] = b.instrumentBlock(0);
        out.text[1] = b.instrumentBlock(1);
        return true;
    });
}

bool SimBoxes::readOut(int serial, SKobraReadoutTable& out) {
    return withConnected(serial, [&](SimBox& b) {
        b.readOut(out);
        return true;
    });
}

bool SimBoxes::eeprom(int serial, int mode, unsigned value, std::string& text) {
    return withConnected(serial, [&](SimBox& b) { return b.eeprom(mode, value, text); });
}

bool SimBoxes::readDiagPoint(int serial, int point, std::string& text) {
    return withConnected(serial, [&](SimBox& b) { return b.diagPoint(point, text); });
}

bool SimBoxes::readDigRfDiagPoint(int serial, int point, std::string& text) {
    return withConnected(serial, [&](SimBox& b) { return b.digRfDiagPoint(point, text); });
}

bool SimBoxes::loadDigRfFpga(int serial, int state) {
    return withConnected(serial, [&](SimBox& b) { return b.loadDigRfFpga(state); });
}

bool SimBoxes::lvdsTest(int serial, int link, bool start, int source) {
    return withConnected(serial, [&](SimBox& b) { return b.lvdsTest(link, start, source); });
}

bool SimBoxes::lvdsResult(int serial, SKobraLvdsResult& out) {
    return withConnected(serial, [&](SimBox& b) {
        b.lvdsResult(out);
        return true;
    });
}

bool SimBoxes::runServiceTest(int serial, ServiceTest test, bool detailed, std::string& log, bool& passed) {
    return withConnected(serial, [&](SimBox& b) { return b.serviceTest(int(test), detailed, log, passed); });
}

SimBox* SimBoxes::find(int serial) {
    auto it = std::find_if(m_boxes.begin(), m_boxes.end(),
                           [serial](const SimBox& b) { return b.serial == serial; });
    return it == m_boxes.end() ? nullptr : &*it;
}

SimBox* SimBoxes::findConnected(int serial) {
    return m_connected.contains(serial) ? find(serial) : nullptr;
}

SimBoxes::Interface* SimBoxes::iface(int path, int side) {
    if (path < 0 || path > 1 || side < 0 || side > 1)
        return nullptr;
    return &m_interfaces[size_t(path + 2 * side)];
}

} // namespace vgxsim
