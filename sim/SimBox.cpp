#include "sim/SimBox.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/KobraHwConfigRecord.h"
#include "host/olfw/KobraLvdsResult.h"
#include "host/olfw/KobraReadoutTable.h"

namespace vgxsim {

using namespace MvQARN;

namespace {

enum class Kind { Volt, Celsius };

struct Point {
    double nominal;
    Kind kind;
};

// Nominal readings of the box's diagnostic points, in their order on the service panel.
constexpr Point kDiagPoints[SimBox::DiagPoints] = {
    {3.3, Kind::Volt},     // UI
    {2.5, Kind::Volt},     // 2,5V
    {1.2, Kind::Volt},     // AVCC PLL
    {1.2, Kind::Volt},     // AVTT
    {1.0, Kind::Volt},     // AVCC MGT
    {1.8, Kind::Volt},     // +1,8V
    {24.0, Kind::Volt},    // 24,0V
    {0.0, Kind::Volt},     // GND
    {12.0, Kind::Volt},    // VIN
    {3.3, Kind::Volt},     // 3,3(COM)
    {2.5, Kind::Volt},     // 2,5(AUX)
    {3.3, Kind::Volt},     // 3,3 (DIV)
    {1.0, Kind::Volt},     // 1.0V CORE
    {1.65, Kind::Volt},    // VCO TUNE
    {0.0, Kind::Volt},     // Reserved
    {0.0, Kind::Volt},     // GND1
    {41.5, Kind::Celsius}, // PPC Temp
    {1.5, Kind::Volt},     // PPC VCC Int
    {2.5, Kind::Volt},     // PPC VCC Aux
};

// Nominal readings of the DigRF breakout board's diagnostic points.
constexpr double kDigRfPoints[SimBox::DigRfDiagPoints] = {
    -5.0,  5.0,  3.3, 2.5, 1.2, 3.5, -2.0, -2.5, // supplies
    1.8,   1.8,  1.8, 1.8, 1.8,                  // GPIO groups 0..4
    1.65,  1.65, 0.8, 1.8, 1.8,                  // PLL1 VCXO, PLL2 VCO, GTX VCM, user SPI, GPIO EX
    1.2,   1.8,  1.2, 1.8, 1.8,                  // DigRF 112, 3SE, 4SE, SYSCLK1, SYSCLK2
    0.415,                                       // temperature, 10 mV per degree
    0.9,   0.9,  0.9, 0.0, 0.6, 0.6,             // TX diagnostics
    2.5,   0.0,                                  // reference, GND
};

// "2.498 V": millivolt resolution, never "-0.000".
std::string voltText(double volts) {
    long long mv = std::llround(volts * 1000.0);
    char buf[32];
    const char* sign = mv < 0 ? "-" : "";
    if (mv < 0)
        mv = -mv;
    std::snprintf(buf, sizeof buf, "%s%lld.%03lld V", sign, mv / 1000, mv % 1000);
    return buf;
}

std::string celsiusText(double degrees) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f degC", degrees);
    return buf;
}

void setEntry(SKobraReadoutTable& t, int code, const std::string& text) {
    SKobraReadoutEntry& e = t.entries[t.count++];
    e.code = code;
    std::memset(e.text, 0, sizeof e.text);
    std::strncpy(e.text, text.c_str(), sizeof e.text - 1);
}

std::string number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}

} // namespace

SimBox::SimBox(int serialNumber)
    : serial(serialNumber), m_noiseState(quint32(serialNumber) * 2654435761u + 1u) {}

SimBox SimBox::defaultFullBox() {
    SimBox box(100123);
    box.partNumber = QStringLiteral("7730.1192K04");
    box.board.type = QStringLiteral("Breakout Board for CPRI");
    box.board.partNumber = CpriBoardPartNumber;
    box.board.revision = QStringLiteral("1.3");
    box.board.serial = 200123;
    box.board.fpgaVersion = QStringLiteral("01.05.002");
    box.instruments[0] = SimInstrument{QStringLiteral("VGX Signal Analyzer"), QStringLiteral("104711"),
                                       QStringLiteral("Digital IQ In")};
    return box;
}

SimBox SimBox::defaultBasicBox() {
    SimBox box(100456);
    box.partNumber = QStringLiteral("7730.1192.02");
    return box;
}

int SimBox::variant() const {
    return partNumber == QLatin1String("7730.1192.02") ? 0 : 1;
}

double SimBox::noise() {
    m_noiseState = m_noiseState * 1664525u + 1013904223u;
    return double(m_noiseState >> 8) / double(1u << 23) - 1.0;
}

void SimBox::fillHwConfig(char* r) const {
    namespace H = KobraHwConfig;
    auto put = [r](int offset, const QString& text) { H::setText(r, offset, text.toStdString()); };
    put(H::PartNumber, partNumber);
    put(H::SerialNumber, QString::number(serial));
    put(H::FirmwareVersion, versions.firmware);
    put(H::FpgaVersion, versions.fpga);
    put(H::BoardPartNumber, versions.boardPartNumber);
    put(H::BoardSerialNumber, versions.boardSerialNumber.isEmpty() ? QString::number(qint64(serial) + 900000)
                                                                   : versions.boardSerialNumber);
    put(H::BoardRevision, versions.boardRevision);
    put(H::CpldVersion, versions.cpld);
    put(H::PpcVersion, versions.ppc);
    put(H::DigIoFpgaVersion, versions.digIoFpga);
    put(H::BobFpgaVersion, board.fpgaVersion);
    put(H::BobType, board.type);
    put(H::BobRevision, board.revision);
    put(H::BobPartNumber, board.partNumber > 0 ? QString::number(board.partNumber) : QString());
    put(H::BobSerialNumber, board.partNumber > 0 ? QString::number(bobEepromValue()) : QString());
    put(H::Controller, versions.controller);
}

QByteArray SimBox::instrumentBlock(int link) const {
    // Written as the information-block writer does: keys without a value and sections without keys
    // are left out, so a link without instrument is the bare block header.
    QByteArray text = "[infoblock]\r\n";
    if (link < 0 || link > 1 || !instruments[size_t(link)])
        return text;
    const SimInstrument& in = *instruments[size_t(link)];
    const std::pair<const char*, QString> keys[] = {
        {"name", in.name}, {"serial number", in.serialNumber}, {"port", in.port}};
    bool header = false;
    for (const auto& [key, value] : keys) {
        if (value.isEmpty())
            continue;
        if (!header)
            text += "[device]\r\n";
        header = true;
        text += key;
        text += '=';
        text += value.toUtf8();
        text += "\r\n";
    }
    return text;
}

void SimBox::readOut(SKobraReadoutTable& t) {
    if (triggerRunning)
        iqWords += IqWordsPerRead;
    t.count = 0;
    setEntry(t, KobraReadoutBer, "0");
    setEntry(t, KobraReadoutIqWords, number(iqWords));
    setEntry(t, KobraReadoutTriggerStatus, triggerRunning ? "Running" : "Idle");
    setEntry(t, KobraReadoutTriggerState, triggerRunning ? "1" : "0");
    setEntry(t, KobraReadoutExtRefFreq, number(extRefFrequency));
}

bool SimBox::eeprom(int mode, unsigned value, std::string& text) {
    switch (mode) {
    case OlEepromRead:
        break;
    case OlEepromWrite:
        if (value == 0)
            return false;
        eepromSerial = value;
        break;
    case OlEepromCopyDeviceSerial:
        eepromSerial = unsigned(serial);
        break;
    case OlEepromBobRead:
        if (!hasBoardEeprom())
            return false;
        text = std::to_string(bobEepromValue());
        return true;
    case OlEepromBobWrite:
        if (!hasBoardEeprom() || value == 0)
            return false;
        bobEepromSerial = value;
        text = std::to_string(bobEepromValue());
        return true;
    default:
        return false;
    }
    text = std::to_string(eepromValue());
    return true;
}

bool SimBox::diagPoint(int point, std::string& text) {
    if (point < 0 || point >= DiagPoints)
        return false;
    const Point& p = kDiagPoints[point];
    if (p.kind == Kind::Celsius)
        text = celsiusText(p.nominal + 0.5 * noise());
    else
        text = voltText(p.nominal * (1.0 + 0.002 * noise()) + 0.001 * noise());
    return true;
}

bool SimBox::digRfDiagPoint(int point, std::string& text) {
    if (!hasDigRfBoard() || point < 0 || point >= DigRfDiagPoints)
        return false;
    const double v = kDigRfPoints[point];
    text = voltText(v * (1.0 + 0.002 * noise()) + 0.001 * noise());
    return true;
}

bool SimBox::loadDigRfFpga(int state) {
    // Switching on needs the DigRF board's FPGA; switching off always works.
    if (state != 0 && !hasDigRfBoard())
        return false;
    ledTest = state != 0;
    return true;
}

bool SimBox::lvdsTest(int link, bool start, int source) {
    if (link < 0 || link >= LvdsLinks || source < 0 || source > 1)
        return false;
    SimLvdsLink& l = lvds[size_t(link)];
    if (start && !l.running) {
        l.received = 0;
        l.errors = 0;
    }
    l.running = start;
    l.source = source;
    return true;
}

void SimBox::lvdsResult(SKobraLvdsResult& out) {
    out = SKobraLvdsResult{0.0, 0.0, 1, 1, 1};
    for (SimLvdsLink& l : lvds) {
        if (l.running) {
            l.received += LvdsWordsPerRead;
            l.errors += std::floor(LvdsWordsPerRead * lvdsErrorRate);
            out.noData = 0;
        }
        out.received += l.received;
        out.errors += l.errors;
    }
}

bool SimBox::serviceTest(int test, bool detailed, std::string& log, bool& passed) const {
    const char* names[] = {"CPRI service test", "DigRF interface test", "DigRF loopback test"};
    if (test < 0 || test > 2)
        return false;
    const std::string name = names[test];
    const bool cpri = test == 0;
    std::string boardText = board.type.toStdString();
    if (board.partNumber > 0)
        boardText += " (part number " + std::to_string(board.partNumber) + ", revision " +
                     board.revision.toStdString() + ")";

    log = name + " on KOBRA " + std::to_string(serial) + "\n";
    log += "Breakout board: " + boardText + "\n";
    passed = cpri ? hasCpriBoard() : hasDigRfBoard();
    if (!passed) {
        log += std::string("Breakout board check ... FAILED (a Breakout Board for ") +
               (cpri ? "CPRI" : "DigRF") + " is required)\n";
        log += name + ": FAILED\n";
        return true;
    }
    log += "Breakout board check ... OK\n";
    struct Step {
        const char* text;
        const char* detail;
    };
    static const Step cpriSteps[] = {
        {"Reference clock lock", "122.88 MHz, locked"},
        {"Link 1 loopback at 2457.6 Mbit/s", "4194304 words, 0 errors"},
        {"Link 2 loopback at 2457.6 Mbit/s", "4194304 words, 0 errors"},
    };
    static const Step digRfSteps1[] = {
        {"DigRF FPGA configuration", "configuration done"},
        {"Supply voltages", "all within 3 %"},
        {"Register access", "64 registers written and read back"},
    };
    static const Step digRfSteps2[] = {
        {"Loopback at 1248 Mbit/s", "1048576 words, 0 errors"},
        {"Loopback at 2496 Mbit/s", "1048576 words, 0 errors"},
    };
    const Step* steps = cpri ? cpriSteps : test == 1 ? digRfSteps1 : digRfSteps2;
    const size_t count = cpri        ? std::size(cpriSteps)
                         : test == 1 ? std::size(digRfSteps1)
                                     : std::size(digRfSteps2);
    for (size_t i = 0; i < count; ++i) {
        log += std::string(steps[i].text) + " ... OK\n";
        if (detailed)
            log += std::string("  ") + steps[i].detail + "\n";
    }
    log += name + ": OK\n";
    return true;
}

} // namespace vgxsim
