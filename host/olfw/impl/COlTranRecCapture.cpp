#include "host/olfw/impl/COlTranRecCapture.h"

#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbDataTypeNInt.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefs.h"
#include "host/db/DbHostValues.h"
#include "host/listadm/WaveformFile.h"
#include "host/olfw/KobraDrvDeviceIfc.h"
#include "host/olfw/KobraDrvSignalIfc.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXIqWord.h"

namespace MvQARN {

namespace {

constexpr char kPrefix[] = "IdPDbKobraTranRec";
constexpr char kIqData[] = "IdPDbKobraTranRecIQData";
constexpr char kSampRate[] = "IdPDbKobraTranRecSampRate";
constexpr char kStatus[] = "IdPDbKobraTranRecStatus";
constexpr char kExec[] = "IdPDbKobraTranRecTrigExec";
constexpr int kMinLength = 512, kMaxLength = 2048;
constexpr int kSoftwareTrigger = 0, kDataValidTrigger = 1;
// Waveform files kept in memory at once.
constexpr int kCachedWaveforms = 4;

// Parameters the recorder writes or that only change the picture: no reason to reconfigure.
bool isOutput(const QByteArray& name) {
    return name == kIqData || name == kSampRate || name == kStatus ||
           name == "IdPDbKobraTranRecDisplayType" || name == "IdPDbKobraTranRecSmartState";
}

qint64 wrap(qint64 n, qint64 length) {
    const qint64 r = n % length;
    return r < 0 ? r + length : r;
}

} // namespace

COlTranRecCapture::COlTranRecCapture(SServices services) : m_services(std::move(services)) {
    m_timer.setInterval(DefaultIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
}

COlTranRecCapture::~COlTranRecCapture() {
    detach();
}

void COlTranRecCapture::attach() {
    if (m_attached || !m_services.changes)
        return;
    m_services.changes->addChangeObserver(this);
    m_attached = true;
}

void COlTranRecCapture::detach() {
    if (m_attached)
        m_services.changes->removeChangeObserver(this);
    m_attached = false;
    m_recorders.fill(SRecorder{});
    m_waveforms.clear();
    // The framework may be stopped from another thread; the timer belongs to the GUI thread.
    if (QThread::currentThread() == m_timer.thread())
        m_timer.stop();
    else
        QMetaObject::invokeMethod(&m_timer, &QTimer::stop, Qt::QueuedConnection);
}

void COlTranRecCapture::setIntervalMs(int ms) {
    m_timer.setInterval(qMax(ms, 1));
}

QString COlTranRecCapture::lastError(int path, int side, int channel) const {
    if (path < 0 || path >= Paths || side < 0 || side >= Sides || channel < 0 || channel >= Channels)
        return QString();
    return m_recorders[size_t(indexOf(path, side, channel))].error;
}

void COlTranRecCapture::changed(const QVector<SDbChange>& changes) {
    // Every recorder a batch touches is configured once, then triggered as often as executes came.
    std::array<bool, Paths * Sides * Channels> touched{};
    std::array<int, Paths * Sides * Channels> executes{};
    for (const SDbChange& c : changes) {
        if (!c.name.startsWith(kPrefix) || isOutput(c.name))
            continue;
        const SDbInstTupel& t = c.tupel;
        if (t.t0 < 0 || t.t0 >= Paths || t.t1 < 0 || t.t1 >= Sides || t.t3 < 0 || t.t3 >= Channels)
            continue;
        const int k = indexOf(t.t0, t.t1, t.t3);
        if (c.name == kExec)
            ++executes[size_t(k)];
        else
            touched[size_t(k)] = true;
    }
    for (int path = 0; path < Paths; ++path)
        for (int side = 0; side < Sides; ++side)
            for (int channel = 0; channel < Channels; ++channel) {
                const size_t k = size_t(indexOf(path, side, channel));
                if (touched[k])
                    configure(path, side, channel);
                for (int n = 0; n < executes[k]; ++n)
                    trigger(path, side, channel);
            }
    updateTimer();
}

void COlTranRecCapture::configure(int path, int side, int channel) {
    SRecorder& r = m_recorders[size_t(indexOf(path, side, channel))];
    const bool on =
        readSelect("IdPDbKobraTranRecState", path, side, channel, DbHostStateOff) == DbHostStateOn;
    const bool continuous = readSelect("IdPDbKobraTranRecTrigMode", path, side, channel, 0) == 0;
    if (!on) {
        if (r.on)
            writeStatus(path, side, channel, Stopped);
        r = SRecorder{};
        return;
    }
    // A new configuration starts the source again from its trigger point.
    r.on = true;
    r.continuous = continuous;
    r.next = 0;
    r.error.clear();
    const int source = readSelect("IdPDbKobraTranRecTrigSource", path, side, channel, kSoftwareTrigger);
    if (source != kSoftwareTrigger && source != kDataValidTrigger)
        writeStatus(path, side, channel, NoTriggerSignal);
    else
        writeStatus(path, side, channel, continuous ? Recording : Configured);
}

void COlTranRecCapture::trigger(int path, int side, int channel) {
    const SRecorder& r = m_recorders[size_t(indexOf(path, side, channel))];
    if (!r.on || r.continuous)
        return;
    const int source = readSelect("IdPDbKobraTranRecTrigSource", path, side, channel, kSoftwareTrigger);
    if (source != kSoftwareTrigger && source != kDataValidTrigger) {
        writeStatus(path, side, channel, NoTriggerSignal);
        return;
    }
    if (record(path, side, channel))
        writeStatus(path, side, channel, RecordDone);
}

void COlTranRecCapture::tick() {
    for (int path = 0; path < Paths; ++path)
        for (int side = 0; side < Sides; ++side)
            for (int channel = 0; channel < Channels; ++channel) {
                const SRecorder& r = m_recorders[size_t(indexOf(path, side, channel))];
                if (!r.on || !r.continuous)
                    continue;
                const int source = readSelect("IdPDbKobraTranRecTrigSource", path, side, channel, 0);
                if (source != kSoftwareTrigger && source != kDataValidTrigger)
                    continue;
                const bool failed = !r.error.isEmpty();
                // After a fault the status says Recording again once blocks come.
                if (record(path, side, channel) && failed)
                    writeStatus(path, side, channel, Recording);
            }
}

void COlTranRecCapture::updateTimer() {
    bool running = false;
    for (const SRecorder& r : m_recorders)
        running = running || (r.on && r.continuous);
    if (running && !m_timer.isActive())
        m_timer.start();
    else if (!running)
        m_timer.stop();
}

bool COlTranRecCapture::record(int path, int side, int channel) {
    SRecorder& r = m_recorders[size_t(indexOf(path, side, channel))];
    SStream s;
    QString error;
    // A single recording reads the file again; a running one takes what it read while the file stays.
    if (const int code = stream(path, side, channel, r.continuous, s, error)) {
        fail(path, side, channel, NoDataSignal, code, error);
        return false;
    }
    const int length = qBound(
        kMinLength, int(std::lround(readNumber("IdPDbKobraTranRecDataLength", path, side, channel, 512))),
        kMaxLength);
    const qint64 step = std::clamp<qint64>(
        std::llround(readNumber("IdPDbKobraTranRecDecFactor", path, side, channel, 1)), 1, 65536);
    const qint64 position = std::llround(readNumber("IdPDbKobraTranRecTrigPosition", path, side, channel, 0));

    QVector<qint32> block(length);
    const qint64 first = r.next - position;
    if (s.words) {
        const qint64 n = s.words->size();
        for (int k = 0; k < length; ++k)
            block[k] = (*s.words)[qsizetype(wrap(first + k * step, n))];
    } else {
        // The phase is taken modulo one turn in whole samples' worth, so long runs stay exact.
        const double cycles = s.frequency / s.rate;
        const double a = s.amplitude * VGXIqWord::FullScale;
        for (int k = 0; k < length; ++k) {
            const double turn = std::fmod(cycles * double(first + k * step), 1.0);
            const double phase = 2.0 * std::numbers::pi * turn;
            block[k] = qint32(VGXIqWord::pack(qint16(std::lround(a * std::cos(phase))),
                                              qint16(std::lround(a * std::sin(phase)))));
        }
    }
    r.next += qint64(length) * step;
    if (s.words)
        r.next = wrap(r.next, s.words->size());
    r.error.clear();
    write(CDbMsg(0, 0, kSampRate, s.rate, DbMsgSet, 0, DbUnitHz, path, side, 0, channel));
    write(CDbMsg(0, 0, kIqData, CDbAllType(new CDbDataTypeNInt(block)), DbMsgSet, 0, 0, path, side, 0,
                 channel, 0, length));
    return true;
}

int COlTranRecCapture::stream(int path, int side, int channel, bool reuse, SStream& out, QString& error) {
    const int source = readSelect("IdPDbKobraTranRecDataSource", path, side, channel, InterfaceIn);
    if (source >= Arb1 && source <= Arb4) {
        const int entry = source - Arb1;
        QString name;
        CDbDataBaseIfc* db = m_services.database;
        if (!db || db->getString("IdPDbLynxArbFile", name, path, entry, 0, side) != DbOk ||
            name.trimmed().isEmpty()) {
            error = QStringLiteral("ARB %1 has no waveform file to record from").arg(entry + 1);
            return DbErrFileMissing;
        }
        return loadWaveform(name.trimmed(), reuse, out, error);
    }
    if (source == TestSine) {
        const double rate = m_services.interfaceRate ? m_services.interfaceRate(path, side) : 0.0;
        out.rate = rate > 0.0 ? rate : TestSineRate;
        out.frequency = out.rate / 16.0;
        out.amplitude = std::sqrt(0.5);
        return 0;
    }
    KobraDrvDeviceIfc* device = m_services.device ? m_services.device(path, side) : nullptr;
    auto* signal = dynamic_cast<KobraDrvSignalIfc*>(device);
    const KobraDrvSignalIfc::SSignal sig = signal ? signal->interfaceSignal() : KobraDrvSignalIfc::SSignal{};
    switch (sig.kind) {
    case KobraDrvSignalIfc::SSignal::Sine:
        if (sig.sampleRate <= 0.0)
            break;
        out.rate = sig.sampleRate;
        out.frequency = sig.frequency;
        out.amplitude = qBound(0.0, sig.amplitude, 1.0);
        return 0;
    case KobraDrvSignalIfc::SSignal::Prbs:
    case KobraDrvSignalIfc::SSignal::Counter: {
        const double rate = m_services.interfaceRate ? m_services.interfaceRate(path, side) : 0.0;
        out.rate = rate > 0.0 ? rate : TestSineRate;
        const bool prbs = sig.kind == KobraDrvSignalIfc::SSignal::Prbs;
        const int key = prbs ? sig.order : 0;
        QVector<qint32>& words = m_patterns[key];
        if (words.isEmpty()) {
            if (prbs) {
                QVector<WaveformFile::SSample> samples;
                if (!WaveformFile::prbs(sig.order, 0, PatternLevelDb, samples, &error))
                    return DbErrWithText;
                words = WaveformFile::toWords(samples);
            } else {
                words.resize(65536);
                for (int n = 0; n < words.size(); ++n)
                    words[n] = qint32(VGXIqWord::pack(qint16(n), qint16(n)));
            }
        }
        out.words = &words;
        return 0;
    }
    case KobraDrvSignalIfc::SSignal::Waveform:
        return loadWaveform(sig.file, reuse, out, error);
    case KobraDrvSignalIfc::SSignal::None:
        break;
    }
    error = QStringLiteral("No data signal on the interface to record from");
    return DbErrWithText;
}

int COlTranRecCapture::loadWaveform(const QString& name, bool reuse, SStream& out, QString& error) {
    const QString path = m_services.resolveWaveform ? m_services.resolveWaveform(name) : name;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        error = QStringLiteral("Waveform file not found: %1").arg(name);
        return DbErrFileMissing;
    }
    for (int k = 0; reuse && k < m_waveforms.size(); ++k) {
        const SWaveform& w = m_waveforms.at(k);
        if (w.path == path && w.size == info.size() && w.modified == info.lastModified()) {
            m_waveforms.move(k, 0);
            out.words = &m_waveforms.first().words;
            out.rate = m_waveforms.first().clock;
            return 0;
        }
    }
    // Four bytes a sample plus a short tag section: anything much larger holds too many samples.
    if (info.size() > MaxSourceSamples * 4 + WaveformFile::MaxTagSection) {
        error = QStringLiteral("Waveform file too long to record from: %1").arg(name);
        return DbErrBadFile;
    }
    SWaveform w;
    w.path = path;
    w.size = info.size();
    w.modified = info.lastModified();
    QVector<WaveformFile::SSample> samples;
    WaveformFile::STagScan tags;
    QString why;
    bool clockOk = false;
    if (!WaveformFile::readSamples(path, samples, &why) || !WaveformFile::scanTags(path, tags)) {
        error = QStringLiteral("Waveform file damaged: %1 (%2)").arg(name, why.isEmpty() ? tags.error : why);
        return DbErrBadFile;
    }
    // The samples must be the ones the TYPE tag's checksum was made of.
    bool sumOk = false;
    const quint32 sum =
        tags.value(QStringLiteral("TYPE")).section(QLatin1Char(','), 1, 1).trimmed().toUInt(&sumOk);
    if (!sumOk || sum != WaveformFile::checksum(samples)) {
        error = QStringLiteral("Waveform file damaged: %1 (checksum does not match the samples)").arg(name);
        return DbErrBadFile;
    }
    w.clock = tags.value(QStringLiteral("CLOCK")).toDouble(&clockOk);
    if (!clockOk || !(w.clock > 0.0) || samples.isEmpty()) {
        error = QStringLiteral("Waveform file damaged: %1 (no clock or no samples)").arg(name);
        return DbErrBadFile;
    }
    w.words = WaveformFile::toWords(samples);
    m_waveforms.removeIf([&](const SWaveform& old) { return old.path == path; });
    m_waveforms.prepend(std::move(w));
    while (m_waveforms.size() > kCachedWaveforms)
        m_waveforms.removeLast();
    out.words = &m_waveforms.first().words;
    out.rate = m_waveforms.first().clock;
    return 0;
}

void COlTranRecCapture::fail(int path, int side, int channel, int status, int code, const QString& error) {
    SRecorder& r = m_recorders[size_t(indexOf(path, side, channel))];
    if (r.error == error)
        return; // told already; the status still says so
    r.error = error;
    writeStatus(path, side, channel, status);
    VGXErrorManager::signal(code, error);
}

void COlTranRecCapture::writeStatus(int path, int side, int channel, int status) {
    write(CDbMsg(0, 0, kStatus, status, DbMsgSet, 0, 0, path, side, 0, channel));
}

int COlTranRecCapture::write(const CDbMsg& msg) {
    return m_services.write ? m_services.write(msg) : DbErrNoModule;
}

int COlTranRecCapture::readSelect(const char* name, int path, int side, int channel, int fallback) const {
    int v = fallback;
    if (!m_services.database || m_services.database->getSelect(name, v, path, channel, 0, side) != DbOk)
        return fallback;
    return v;
}

double COlTranRecCapture::readNumber(const char* name, int path, int side, int channel,
                                     double fallback) const {
    double v = fallback;
    if (!m_services.database || m_services.database->getNumber(name, v, path, channel, 0, side) != DbOk)
        return fallback;
    return v;
}

} // namespace MvQARN
