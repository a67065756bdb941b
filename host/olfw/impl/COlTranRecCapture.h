#pragma once
// The host's transient recorder: it follows the recorder parameters of every interface (path t0, side
// t1) and recorder channel (t3) and writes what it records back: the block of I/Q words into
// IdPDbKobraTranRecIQData (one 32-bit word per complex sample, host/util/VGXIqWord.h), the sample
// rate of the source into IdPDbKobraTranRecSampRate and its progress into IdPDbKobraTranRecStatus
// (0 Stopped, 1 Configured, 2 Record Done, 3 Recording, 4 No Data Signal, 5 No Trigger Signal).
//
// What it records (IdPDbKobraTranRecDataSource): 0 and 1 the data of the recorder's interface, as its
// box's device tells (KobraDrvSignalIfc: a test sine, PRBS or counter, or a waveform; none when the
// interface does not run); 2 to 5 the waveform file
// of ARB entry 1 to 4 of the interface, its real samples played cyclically; 7 a test tone. A block is
// IdPDbKobraTranRecDataLength samples of the source taken every IdPDbKobraTranRecDecFactor-th sample
// (plain decimation, no filter), starting IdPDbKobraTranRecTrigPosition samples before the trigger
// point (a negative position starts after it); the sample rate written is the source's, before
// decimation. A waveform is triggered at its first sample. The trigger delay is the position seen from
// the block's end and adds nothing of its own.
//
// State ON in single mode (IdPDbKobraTranRecTrigMode 1) arms the recorder (Configured); each trigger
// execute then records one block (Record Done). In continuous mode the recorder runs (Recording) and
// a timer on the GUI thread records one block per running recorder and tick, each block following the
// previous one in the source. The simulated box drives none of the GP lines, so a GP trigger source
// gives No Trigger Signal; Software and Data Valid fire. A missing, damaged or oversized waveform
// file, and an interface without data, give No Data Signal and an error text through the error
// manager (once per fault); the recorded block is then left as it was, not written again.
// GUI thread only.
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QTimer>
#include <QVector>
#include <array>
#include <functional>

#include "host/db/CDbChangeObserver.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class CDbDataBaseIfc;
class CDbMsg;
class KobraDrvDeviceIfc;

class VGX_EXPORT COlTranRecCapture : private CDbChangeObserver {
public:
    enum Status : int {
        Stopped = 0,
        Configured = 1,
        RecordDone = 2,
        Recording = 3,
        NoDataSignal = 4,
        NoTriggerSignal = 5,
    };
    enum Source : int { InterfaceIn = 0, InterfaceOut = 1, Arb1 = 2, Arb4 = 5, TestSine = 7 };
    static constexpr int Paths = 2, Sides = 2, Channels = 2;
    // Waveform files longer than this are not recorded from (they would be read whole on the GUI
    // thread).
    static constexpr qint64 MaxSourceSamples = 4 * 1024 * 1024;
    // The test tone: a sixteenth of the sample rate, 3 dB below full scale; the rate is the
    // interface's when it has one, else this.
    static constexpr double TestSineRate = 10e6;
    static constexpr int DefaultIntervalMs = 100;
    // Level of the interface's PRBS pattern against full scale.
    static constexpr double PatternLevelDb = -3.0;

    struct SServices {
        CDbChangeSource* changes = nullptr;
        CDbDataBaseIfc* database = nullptr;
        std::function<int(const CDbMsg&)> write;
        // The device of the interface's box while the interface runs, else null.
        std::function<KobraDrvDeviceIfc*(int path, int side)> device;
        // Sample rate of the interface (Hz), 0 when it has none.
        std::function<double(int path, int side)> interfaceRate;
        // Full path of a waveform file named in a parameter or by the driver.
        std::function<QString(const QString& name)> resolveWaveform;
    };

    explicit COlTranRecCapture(SServices services);
    ~COlTranRecCapture() override;
    COlTranRecCapture(const COlTranRecCapture&) = delete;
    COlTranRecCapture& operator=(const COlTranRecCapture&) = delete;

    void attach();
    void detach();
    bool isAttached() const { return m_attached; }

    // Continuous recording: time between blocks.
    void setIntervalMs(int ms);
    bool isTicking() const { return m_timer.isActive(); }
    // One round of the timer: a block for every recorder running continuously.
    void tick();

    // The last fault of a recorder, empty when its last block was recorded.
    QString lastError(int path, int side, int channel) const;

    void changed(const QVector<SDbChange>& changes);

private:
    struct SRecorder {
        bool on = false;
        bool continuous = false;
        qint64 next = 0; // stream position of the next block's trigger point
        QString error;
    };
    // Samples of a waveform file, kept while the file stays the same.
    struct SWaveform {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        double clock = 0.0;
        QVector<qint32> words;
    };
    // What one block is taken from.
    struct SStream {
        const QVector<qint32>* words = nullptr; // cyclic samples, or null for a tone
        double rate = 0.0;
        double frequency = 0.0;
        double amplitude = 0.0;
    };

    void dbChanged(const QVector<SDbChange>& changes) override { changed(changes); }
    static int indexOf(int path, int side, int channel) { return (path * Sides + side) * Channels + channel; }
    void configure(int path, int side, int channel);
    void trigger(int path, int side, int channel);
    // Records one block; false when it could not (status and error written).
    bool record(int path, int side, int channel);
    // 0 when the stream is ready, else the error number with the error text set.
    // reuse: samples of a file read before may serve while its size and time are unchanged.
    int stream(int path, int side, int channel, bool reuse, SStream& out, QString& error);
    // 0, or the error number with the error text set.
    int loadWaveform(const QString& name, bool reuse, SStream& out, QString& error);
    void fail(int path, int side, int channel, int status, int code, const QString& error);
    void writeStatus(int path, int side, int channel, int status);
    int write(const CDbMsg& msg);
    void updateTimer();
    int readSelect(const char* name, int path, int side, int channel, int fallback) const;
    double readNumber(const char* name, int path, int side, int channel, double fallback) const;

    SServices m_services;
    bool m_attached = false;
    std::array<SRecorder, Paths * Sides * Channels> m_recorders{};
    QVector<SWaveform> m_waveforms;        // one per file recently recorded from
    QMap<int, QVector<qint32>> m_patterns; // PRBS by order, the counter at 0
    QTimer m_timer;
};

} // namespace MvQARN
