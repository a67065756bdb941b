// A hostile remote client: the bytes of one connection through the line reader and the parser the
// SCPI server uses, against the host with the real plug-in loaded. Besides the sanitizers' findings,
// a failure is an answer that would not leave as one line, or status that contradicts the queue.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "host/runtime/impl/VGXHostRuntime.h"
#include "host/scpi/impl/CScpiErrorQueue.h"
#include "host/scpi/impl/CScpiLineReader.h"
#include "host/scpi/impl/CScpiParser.h"
#include "host/scpi/impl/CScpiSession.h"
#include "host/scpi/impl/ScpiErrors.h"

using namespace MvQARN;

namespace {

// Smaller than the server's limit, so that the fuzzer reaches overruns with short inputs too.
constexpr int kMaxLine = 4096;
// Units per turn, as the server hands them out between clients.
constexpr int kUnitsPerTurn = 8;

struct Host {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QTemporaryDir> settings;
    std::unique_ptr<VGXHostRuntime> runtime;
};

Host* g_host = nullptr;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_scpi: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_host = new Host;
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    g_host->app = std::make_unique<QApplication>(qtArgc, qtArgv);
    // Settings saved by the input stay in a folder of their own.
    g_host->settings = std::make_unique<QTemporaryDir>();
    VGXHostRuntime::Options options;
    options.settingsDir = g_host->settings->path();
    options.pluginPaths = {QStringLiteral(VGX_PLUGIN_PATH)};
    g_host->runtime = std::make_unique<VGXHostRuntime>(options);
    QString error;
    if (!g_host->runtime->start(&error)) {
        std::fprintf(stderr, "fuzz_scpi: the host does not start: %s\n", qPrintable(error));
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CScpiSession session;
    CScpiParser run(session);
    CScpiLineReader reader(kMaxLine);
    QList<CScpiLineReader::SMessage> messages;
    // The stream arrives in pieces; the cut must not matter to the reader.
    const size_t cut = size ? data[0] % (size + 1) : 0;
    reader.feed(reinterpret_cast<const char*>(data), qsizetype(cut), messages);
    reader.feed(reinterpret_cast<const char*>(data) + cut, qsizetype(size - cut), messages);
    check(reader.pendingBytes() <= kMaxLine, "the reader holds more than a line");
    for (const CScpiLineReader::SMessage& m : messages) {
        check(m.bytes.size() <= kMaxLine, "a message longer than the limit was kept");
        if (m.overrun) {
            session.pushError(ScpiErrInputBufferOverrun);
            continue;
        }
        run.start(m.bytes);
        while (!run.done())
            check(run.step(kUnitsPerTurn) >= 1 || run.done(), "a step ran nothing");
        QString answer;
        if (run.takeAnswer(answer))
            check(!answer.contains(QLatin1Char('\n')), "an answer spans several lines");
        const CScpiErrorQueue& q = session.errorQueue();
        check(q.count() <= q.capacity(), "the error queue outgrew its capacity");
        check(((session.statusByte() & 0x04) != 0) == !q.isEmpty(), "status byte and error queue disagree");
    }
    // Events the commands queued (deferred updates) run before the next input.
    QCoreApplication::processEvents();
    return 0;
}
