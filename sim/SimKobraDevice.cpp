#include "sim/SimKobraDevice.h"

#include <QStringList>
#include <cstring>

#include "host/olfw/impl/COlFramework.h"

namespace vgxsim {

using namespace MvQARN;

namespace {

const QStringList kFpgaPhases = {QStringLiteral("Erasing"), QStringLiteral("Configuring")};

QVariantList dataFields(const KobraDataSettings& d) {
    return {d.direction,    d.signalType,   d.dataType,     d.wordSize,   d.bitOrder,       d.wordAlignment,
            d.numberFormat, int(d.negateI), int(d.negateQ), d.iqPolarity, d.strobePolarity, d.strobePosition};
}

QVariantList clockFields(const KobraClockSettings& c) {
    return {c.clockRate, c.sampleRate,  c.clockSource,   c.refFrequency, c.clockPhase,
            c.clockSkew, c.clockInSkew, c.clockPolarity, c.clockRatio,   c.referenceFlag};
}

// A slot's text up to its terminator, never past the slot.
QString slotText(const char* slot, int size) {
    const void* end = std::memchr(slot, '\0', size_t(size));
    const int length = end ? int(static_cast<const char*>(end) - slot) : size;
    return QString::fromLatin1(slot, length);
}

} // namespace

SimKobraDevice::SimKobraDevice(int serial) : m_serial(serial) {
    for (int i = 0; i < SimKobraProgramming::ArbEntries; ++i)
        m_sources[size_t(i)] = std::make_unique<SimKobraArbSource>(*this, i);
}

SimKobraDevice::~SimKobraDevice() = default;

void SimKobraDevice::setFramework(COlFramework* framework) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (framework != m_framework)
        m_fpgaOperation = 0;
    m_framework = framework;
}

void SimKobraDevice::setConnected(bool connected) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_connected && !connected)
        m_programming = SimKobraProgramming();
    m_connected = connected;
}

bool SimKobraDevice::isConnected() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connected;
}

SimKobraProgramming SimKobraDevice::programming() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_programming;
}

QList<SimDrvCall> SimKobraDevice::calls() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

QList<QByteArray> SimKobraDevice::callNames() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    QList<QByteArray> out;
    for (const SimDrvCall& c : m_calls)
        out.append(c.name);
    return out;
}

void SimKobraDevice::clearCalls() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
}

void SimKobraDevice::setSkipProgramming(bool skip) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_skipProgramming = skip;
}

void SimKobraDevice::setFault(const QByteArray& call, int status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (status == 0)
        m_faults.remove(call);
    else
        m_faults.insert(call, status);
}

void SimKobraDevice::clearFaults() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
}

QString SimKobraDevice::fpgaFileFor(int direction, int logicType) {
    if ((direction != 0 && direction != 1) || logicType < 0 || logicType >= LogicTypes)
        return QString();
    return QStringLiteral("%1/kobra_%2_%3.bit")
        .arg(QLatin1String(FpgaFolder), direction == 0 ? QStringLiteral("in") : QStringLiteral("out"))
        .arg(logicType);
}

int SimKobraDevice::enter(const char* name, QVariantList args) {
    m_calls.append(SimDrvCall{QByteArray(name), std::move(args)});
    const auto fault = m_faults.constFind(QByteArray(name));
    if (fault != m_faults.constEnd())
        return fault.value();
    return m_connected ? int(Ok) : int(NotConnected);
}

// ---- device ----

unsigned SimKobraDevice::fpgaLoadOperation() {
    std::lock_guard<std::mutex> lock(m_mutex);
    // One identifier for every load of this box: each load restarts the operation.
    if (m_framework && m_fpgaOperation == 0)
        m_fpgaOperation = m_framework->operations().newOperationId();
    return m_fpgaOperation;
}

KobraDrvArbSourceIfc* SimKobraDevice::arbSourceAccess(int entry) {
    if (entry < 0 || entry >= SimKobraProgramming::ArbEntries)
        return nullptr;
    return m_sources[size_t(entry)].get();
}

KobraDrvArbIfc* SimKobraDevice::arbAccess() {
    return this;
}

KobraDrvInterfaceIfc* SimKobraDevice::interfaceAccess() {
    return this;
}

bool SimKobraDevice::skipProgramming() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_skipProgramming;
}

QString SimKobraDevice::loadedFpgaFile() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_programming.fpgaFile;
}

// ---- interface ----

int SimKobraDevice::loadFpgaConfiguration(int direction, int logicType, int reserved1, int reserved2) {
    const QString file = fpgaFileFor(direction, logicType);
    COlFramework* framework = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (const int status = enter("loadFpgaConfiguration", {direction, logicType, reserved1, reserved2}))
            return status;
        if (file.isEmpty())
            return BadArgument;
        framework = m_framework;
    }
    // The phases take their time outside the lock, so readers are not held up meanwhile.
    if (framework) {
        const unsigned operation = fpgaLoadOperation();
        framework->operations().runPhases(operation, kFpgaPhases, framework->operationDurationMs());
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_programming.fpgaFile = file;
    m_programming.fpgaDirection = direction;
    m_programming.fpgaLogicType = logicType;
    ++m_programming.fpgaLoads;
    return Ok;
}

int SimKobraDevice::setClockSettings(const KobraClockSettings* settings) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setClockSettings", settings ? clockFields(*settings) : QVariantList()))
        return status;
    if (!settings)
        return BadArgument;
    m_programming.clock = *settings;
    return Ok;
}

int SimKobraDevice::setTestRx(bool on, int source) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setTestRx", {on, source}))
        return status;
    SimKobraProgramming::Test test;
    test.on = on;
    test.source = source;
    m_programming.testRx = test;
    return Ok;
}

int SimKobraDevice::setTestTx(bool on, int source) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setTestTx", {on, source}))
        return status;
    SimKobraProgramming::Test test;
    test.on = on;
    test.source = source;
    m_programming.testTx = test;
    return Ok;
}

int SimKobraDevice::getFpgaFile(int direction, int logicType, double*, QString* file) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("getFpgaFile", {direction, logicType}))
        return status;
    const QString path = fpgaFileFor(direction, logicType);
    if (path.isEmpty() || !file)
        return BadArgument;
    *file = path;
    return Ok;
}

int SimKobraDevice::setFormat(const int* format) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setFormat", format ? QVariantList{*format} : QVariantList()))
        return status;
    if (!format)
        return BadArgument;
    m_programming.format = *format;
    return Ok;
}

int SimKobraDevice::setRateMode(const int* rateMode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setRateMode", rateMode ? QVariantList{*rateMode} : QVariantList()))
        return status;
    if (!rateMode)
        return BadArgument;
    m_programming.rateMode = *rateMode;
    return Ok;
}

int SimKobraDevice::setInterleaveMode(const int* interleaveMode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status =
            enter("setInterleaveMode", interleaveMode ? QVariantList{*interleaveMode} : QVariantList()))
        return status;
    if (!interleaveMode)
        return BadArgument;
    m_programming.interleaveMode = *interleaveMode;
    return Ok;
}

int SimKobraDevice::setDataSettings(const KobraDataSettings* settings) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setDataSettings", settings ? dataFields(*settings) : QVariantList()))
        return status;
    if (!settings)
        return BadArgument;
    m_programming.data = *settings;
    return Ok;
}

int SimKobraDevice::setClockRatio(int ratioCode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setClockRatio", {ratioCode}))
        return status;
    m_programming.clockRatio = ratioCode;
    return Ok;
}

int SimKobraDevice::setTestSine(bool on, double linearGain, double cwFrequency, double sampleRate) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setTestSine", {on, linearGain, cwFrequency, sampleRate}))
        return status;
    SimKobraProgramming::Test test;
    test.on = on;
    test.source = 2; // the sine
    test.linearGain = linearGain;
    test.cwFrequency = cwFrequency;
    test.sampleRate = sampleRate;
    m_programming.testTx = test;
    return Ok;
}

int SimKobraDevice::setTrigger(int source, int delay) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("setTrigger", {source, delay}))
        return status;
    m_programming.trigger = SimKobraProgramming::Trigger{source, delay};
    return Ok;
}

int SimKobraDevice::armTrigger() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("armTrigger", {}))
        return status;
    ++m_programming.triggerArms;
    return Ok;
}

int SimKobraDevice::restartTrigger() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const int status = enter("restartTrigger", {}))
        return status;
    ++m_programming.triggerRestarts;
    return Ok;
}

// ---- ARB ----

int SimKobraDevice::setWaveforms(int count, const char names[SlotCount][SlotSize],
                                 const int64_t samples[SlotCount]) {
    std::lock_guard<std::mutex> lock(m_mutex);
    QStringList files;
    QVariantList counts;
    for (int i = 0; i < SlotCount; ++i) {
        files.append(names ? slotText(names[i], SlotSize) : QString());
        counts.append(qint64(samples ? samples[i] : 0));
    }
    if (const int status = enter("setWaveforms", {count, files, counts}))
        return status;
    if (!names || !samples || count < 0 || count > SlotCount)
        return BadArgument;
    m_programming.arbCount = count;
    for (int i = 0; i < SlotCount; ++i) {
        m_programming.arb[size_t(i)].file = files.at(i);
        m_programming.arb[size_t(i)].samples = samples[i];
    }
    return Ok;
}

int SimKobraDevice::loadSourceWaveform(int entry, const char* latin1FileName) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString file = latin1FileName ? QString::fromLatin1(latin1FileName) : QString();
    if (const int status = enter("loadWaveform", {entry, file}))
        return status;
    if (file.isEmpty())
        return BadArgument;
    m_programming.arb[size_t(entry)].loaded = file;
    return Ok;
}

void SimKobraDevice::enableSource(int entry, bool on) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (enter("enable", {entry, on}) == Ok)
        m_programming.arb[size_t(entry)].enabled = on;
}

SimKobraDevice::SSignal SimKobraDevice::interfaceSignal() {
    std::lock_guard<std::mutex> lock(m_mutex);
    SSignal out;
    if (!m_connected)
        return out;
    const std::optional<SimKobraProgramming::Test>& test = m_programming.testTx;
    if (test && test->on) {
        // Transmit test sources: 0 PRBS, 1 counter, 2 sine, 3 to 6 ARB entry 1 to 4.
        if (test->source == 0) {
            out.kind = SSignal::Prbs;
        } else if (test->source == 1) {
            out.kind = SSignal::Counter;
        } else if (test->source == 2) {
            out.kind = SSignal::Sine;
            out.sampleRate = test->sampleRate;
            out.frequency = test->cwFrequency;
            out.amplitude = test->linearGain;
        } else if (test->source >= 3 && test->source < 3 + SimKobraProgramming::ArbEntries) {
            const SimKobraProgramming::ArbEntry& entry = m_programming.arb[size_t(test->source - 3)];
            out.file = entry.loaded.isEmpty() ? entry.file : entry.loaded;
            out.kind = out.file.isEmpty() ? SSignal::None : SSignal::Waveform;
        }
        return out;
    }
    for (const SimKobraProgramming::ArbEntry& entry : m_programming.arb)
        if (entry.enabled && !entry.loaded.isEmpty()) {
            out.kind = SSignal::Waveform;
            out.file = entry.loaded;
            return out;
        }
    return out;
}

} // namespace vgxsim
