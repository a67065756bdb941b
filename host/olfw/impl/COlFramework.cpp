#include "host/olfw/impl/COlFramework.h"

#include <QFileInfo>
#include <cstring>
#include <string>
#include <vector>

#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/db/CDbMsg.h"
#include "host/db/impl/CDbEngine.h"
#include "host/listadm/CListAdmMainExtend.h"
#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlLoadableExtension.h"
#include "host/olfw/COlProgressStatus.h"
#include "host/olfw/KobraInstrumentBlocks.h"
#include "host/olfw/KobraLvdsResult.h"
#include "host/olfw/KobraReadoutTable.h"
#include "host/olfw/KobraSerialData.h"
#include "host/util/VGXHostContext.h"
#include "host/util/VGXPlugInDllModuleInterface.h"
#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

// Results handed out through the command block's text and buffer words: they belong to the
// framework and stay valid until the next command on the same thread.
thread_local std::string t_text;
thread_local COlProgressStatus t_status;
thread_local SKobraLvdsResult t_lvds;
thread_local SKobraReadoutTable t_readout;

constexpr char kSerials[] = "IdPDbKobraSerials";
constexpr char kUsbSerial[] = "IdPDbLynxUsbDevSerialNumber";
constexpr char kUsbState[] = "IdPDbLynxUsbDevState";
// File-list type of the ARB waveforms: where a waveform named without a folder lies.
constexpr int kArbListType = 0xc0;

// The organisation layers the modules of the running host publish, in module order.
QList<COlLoadableExtension*> runtimeExtensions() {
    QList<COlLoadableExtension*> out;
    const VGXHostContext* host = VGXHostContext::current();
    if (!host)
        return out;
    for (VGXPlugInDllModuleInterface* module : host->modules()) {
        if (!module || !module->hasDatabase())
            continue;
        const SMdlDbInfo* info = module->getMdlDbInfo();
        if (info && info->orgLayer && *info->orgLayer && !out.contains(*info->orgLayer))
            out.append(*info->orgLayer);
    }
    return out;
}

} // namespace

COlChangeDispatcher::SServices COlFramework::dispatcherServices() {
    CDbEngine& db = CDbEngine::instance();
    COlChangeDispatcher::SServices s;
    s.changes = &db.changeSource();
    s.instances = &db.registry();
    s.database = db.dataBaseIfc();
    s.corrections = db.msgBuffer();
    s.extensions = runtimeExtensions;
    s.devices = [this](int serial) { return device(serial); };
    s.trace = [](const QString& line) { VGXTraceSink::trace(line); };
    return s;
}

COlTranRecCapture::SServices COlFramework::captureServices() {
    CDbEngine& db = CDbEngine::instance();
    COlTranRecCapture::SServices s;
    s.changes = &db.changeSource();
    s.database = db.dataBaseIfc();
    s.write = [this](const CDbMsg& msg) { return write(msg); };
    s.device = [this](int path, int side) {
        return m_dispatcher.isActive(path, side) ? m_dispatcher.interfaceDevice(path, side) : nullptr;
    };
    s.interfaceRate = [this](int path, int side) {
        double rate = 0.0;
        return m_dispatcher.isActive(path, side) && m_dispatcher.getSampleRate(path, side, rate) == 0 ? rate
                                                                                                      : 0.0;
    };
    s.resolveWaveform = [](const QString& name) {
        if (QFileInfo(name).isAbsolute())
            return name;
        CListAdmMainExtend* listAdm = CDbEngine::instance().listAdm();
        return listAdm ? listAdm->pathInFolder(kArbListType, name) : name;
    };
    return s;
}

COlFramework::COlFramework(COlBoxDriver* driver) {
    setDriver(driver);
}

COlFramework::~COlFramework() {
    m_capture.detach();
    m_dispatcher.detach();
    setDriver(nullptr);
}

void COlFramework::setDriver(COlBoxDriver* driver) {
    COlBoxDriver* old = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        old = m_driver;
        m_driver = driver;
    }
    if (old && old != driver) {
        old->setListener(nullptr);
        old->setFramework(nullptr);
    }
    if (driver) {
        driver->setListener(this);
        driver->setFramework(this);
    }
}

void COlFramework::setParameterWriter(ParameterWriter writer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writer = std::move(writer);
}

bool COlFramework::isStarted() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_started;
}

void COlFramework::setOperationDurationMs(int ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_operationDurationMs = ms < 0 ? 0 : ms;
}

int COlFramework::operationDurationMs() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_operationDurationMs;
}

int COlFramework::usbDeviceIndex(int serial) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < UsbDevices; ++i)
        if (m_slots[size_t(i)].serial == serial && serial > 0)
            return i;
    return -1;
}

bool COlFramework::execute(int code, COlCommandData* data) {
    switch (code) {
    case OlCmdStart:
        start();
        return true;
    case OlCmdStop:
        stop();
        return true;
    case OlCmdProgress:
        // Served from the registry alone, so a poller never waits behind a long driver call.
        if (!data || data->index1 == 0 || !m_operations.query(unsigned(data->index1), t_status))
            return false;
        data->text = &t_status;
        return true;
    default:
        break;
    }
    if (!data)
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_started || !m_driver)
        return false;
    return executeBoxCommand(code, *data);
}

bool COlFramework::executeBoxCommand(int code, COlCommandData& d) {
    COlBoxDriver& drv = *m_driver;
    // Interface commands: index1 = path, index2 = side.
    switch (code) {
    case OlCmdSsiRead:
    case OlCmdSpiRead: {
        SKobraSerialData out{};
        if (!d.buffer)
            return false;
        const bool ok = code == OlCmdSsiRead ? drv.readSsiData(d.index1, d.index2, out)
                                             : drv.readSpiData(d.index1, d.index2, out);
        if (ok)
            std::memcpy(d.buffer, &out, sizeof out);
        return ok;
    }
    case OlCmdSpiWrite: {
        SKobraSerialData in{};
        if (!d.buffer)
            return false;
        std::memcpy(&in, d.buffer, sizeof in);
        return drv.writeSpiData(d.index1, d.index2, in);
    }
    case OlCmdSpiFileSend:
        return drv.sendSpiFile(d.index1, d.index2);
    default:
        break;
    }

    // Box commands: index1 = serial number of a connected box.
    const int serial = d.index1;
    if (serial < 1 || !drv.isConnected(serial))
        return false;
    switch (code) {
    case OlCmdHwConfig:
        return d.buffer && drv.readHwConfig(serial, static_cast<char*>(d.buffer));
    case OlCmdInstrumentInfo:
        return d.buffer && drv.readInstrumentBlocks(serial, *static_cast<SKobraInstrumentBlocks*>(d.buffer));
    case OlCmdCpriTest:
    case OlCmdDigRfTest1:
    case OlCmdDigRfTest2: {
        const auto test = code == OlCmdCpriTest     ? COlBoxDriver::CpriTest
                          : code == OlCmdDigRfTest1 ? COlBoxDriver::DigRfTest1
                                                    : COlBoxDriver::DigRfTest2;
        bool passed = false;
        if (!drv.runServiceTest(serial, test, d.index2 == 1, t_text, passed))
            return false;
        // The caller sets the flag on entry and judges the test by it.
        if (passed)
            d.arg3 = 0;
        else if (d.arg3 == 0)
            d.arg3 = 1;
        d.text = &t_text;
        return true;
    }
    case OlCmdReadout:
        if (!drv.readOut(serial, t_readout) || !t_readout.textOf(d.index2))
            return false;
        d.buffer = &t_readout;
        return true;
    case OlCmdEeprom:
        if (!drv.eeprom(serial, d.index2, unsigned(d.arg3), t_text))
            return false;
        d.text = &t_text;
        return true;
    case OlCmdDiagPoint:
    case OlCmdDiagPointDigRf: {
        const bool ok = code == OlCmdDiagPoint ? drv.readDiagPoint(serial, d.index2, t_text)
                                               : drv.readDigRfDiagPoint(serial, d.index2, t_text);
        if (ok)
            d.text = &t_text;
        return ok;
    }
    case OlCmdDigRfFpga:
        return drv.loadDigRfFpga(serial, d.arg3);
    case OlCmdLvdsTest:
        return drv.lvdsTest(serial, d.index2, d.arg3 != 0, d.arg4);
    case OlCmdLvdsResult:
        if (!drv.lvdsResult(serial, t_lvds))
            return false;
        d.text = &t_lvds;
        return true;
    default:
        return false;
    }
}

int COlFramework::start() {
    std::vector<int> goneSlots;
    std::vector<std::pair<int, int>> present; // slot, serial
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_started)
            return 0;
        m_started = true;
        m_dispatcher.attach();
        m_capture.attach();
        const QList<int> serials = m_driver ? m_driver->connectedSerials() : QList<int>();
        // Boxes that went while the framework was down.
        for (int i = 0; i < UsbDevices; ++i) {
            Slot& s = m_slots[size_t(i)];
            if (s.on && !serials.contains(s.serial)) {
                s.on = false;
                goneSlots.push_back(i);
            }
        }
        for (int serial : serials) {
            const int slot = assignSlot(serial);
            if (slot >= 0) {
                m_slots[size_t(slot)].on = true;
                present.emplace_back(slot, serial);
            }
        }
    }
    int first = write(CDbMsg(HostModule, HostModule, kSerials,
                             CDbAllType(new CDbDataTypeNString(QStringList{QStringLiteral("None")})),
                             DbMsgSet, 0, 0, 0, 0, 0, 0, 0, 1));
    for (int slot : goneSlots) {
        const int err = announce(slot, 0, false);
        first = first ? first : err;
    }
    for (const auto& [slot, serial] : present) {
        const int err = announce(slot, serial, true);
        first = first ? first : err;
    }
    return first;
}

void COlFramework::stop() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_started = false;
    m_dispatcher.detach();
    m_capture.detach();
}

KobraDrvDeviceIfc* COlFramework::device(int serial) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_driver ? m_driver->device(serial) : nullptr;
}

int COlFramework::setKobra(int path, int side, int actions) {
    return m_dispatcher.setKobra(path, side, actions);
}

int COlFramework::loadFpga(int path, int side) {
    return m_dispatcher.loadFpga(path, side);
}

int COlFramework::setArb(int path, int side) {
    return m_dispatcher.setArb(path, side);
}

int COlFramework::getSampleRate(int path, int side, double& rate) {
    return m_dispatcher.getSampleRate(path, side, rate);
}

void COlFramework::boxConnected(int serial) {
    int slot = -1;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_started)
            return; // announced at start
        slot = assignSlot(serial);
        if (slot < 0)
            return;
        m_slots[size_t(slot)].on = true;
    }
    announce(slot, serial, true);
}

void COlFramework::boxDisconnected(int serial) {
    int slot = -1;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_started)
            return; // start finds the slot stale
        for (int i = 0; i < UsbDevices && slot < 0; ++i)
            if (m_slots[size_t(i)].on && m_slots[size_t(i)].serial == serial)
                slot = i;
        if (slot < 0)
            return;
        m_slots[size_t(slot)].on = false;
    }
    announce(slot, serial, false);
}

int COlFramework::assignSlot(int serial) {
    int freeSlot = -1;
    int offSlot = -1;
    for (int i = 0; i < UsbDevices; ++i) {
        const Slot& s = m_slots[size_t(i)];
        if (s.serial == serial)
            return i;
        if (s.serial == 0 && freeSlot < 0)
            freeSlot = i;
        if (!s.on && offSlot < 0)
            offSlot = i;
    }
    const int slot = freeSlot >= 0 ? freeSlot : offSlot;
    if (slot >= 0)
        m_slots[size_t(slot)].serial = serial;
    return slot;
}

int COlFramework::announce(int slot, int serial, bool on) {
    int err = 0;
    // The state's update reads the serial number of the same device index, so the serial goes first.
    if (on)
        err =
            write(CDbMsg(HostModule, HostModule, kUsbSerial, double(serial), DbMsgSet, 0, 0, 0, 0, 0, slot));
    const int stateErr =
        write(CDbMsg(HostModule, HostModule, kUsbState, on ? 1 : 0, DbMsgSet, 0, 0, 0, 0, 0, slot));
    return err ? err : stateErr;
}

int COlFramework::write(const CDbMsg& msg) {
    ParameterWriter writer;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        writer = m_writer;
    }
    if (writer)
        return writer(msg);
    CDbAnswerBuffer answer;
    return CDbEngine::instance().requests().write(msg, &answer);
}

} // namespace MvQARN
