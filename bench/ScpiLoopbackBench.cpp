// SCPI queries per second over loopback against a running vgxhost, with one client and with eight.
// Each client thread holds its own connection and sends one query line at a time, waiting for the
// answer, as a remote-control script does. items_per_second is the rate of all clients together.
//
//   build/bin/ScpiLoopbackBench [--vgxhost PATH] [benchmark options]
//
// Without --vgxhost the vgxhost next to this program is started (headless, on a free port, with a
// private settings folder) and stopped at the end.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "bench/LoopbackSocket.h"

using benchnet::connectTo;

namespace {

quint16 g_port = 0;

quint16 freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(a);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

// A blocking client: sends a line and reads up to the answer's LF.
class Client {
public:
    Client() : m_fd(connectTo(g_port)) {}
    ~Client() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }

    bool send(const std::string& line) {
        const std::string out = line + "\n";
        return ::send(m_fd, out.data(), out.size(), MSG_NOSIGNAL) == ssize_t(out.size());
    }
    bool query(const std::string& line, std::string& answer) {
        if (!send(line))
            return false;
        answer.clear();
        for (;;) {
            const std::size_t nl = m_buffer.find('\n');
            if (nl != std::string::npos) {
                answer = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return true;
            }
            char chunk[4096];
            const ssize_t n = ::recv(m_fd, chunk, sizeof(chunk), 0);
            if (n <= 0)
                return false;
            m_buffer.append(chunk, std::size_t(n));
        }
    }

private:
    int m_fd;
    std::string m_buffer;
};

void runQueries(benchmark::State& state, const char* line) {
    Client client;
    if (!client.ok()) {
        state.SkipWithError("cannot connect to vgxhost");
        return;
    }
    std::string answer;
    for (auto _ : state) {
        if (!client.query(line, answer) || answer.empty()) {
            state.SkipWithError("no answer");
            break;
        }
        benchmark::DoNotOptimize(answer);
    }
    state.SetItemsProcessed(state.iterations());
}

// A query the host answers itself.
void HostQuery(benchmark::State& state) {
    runQueries(state, "SYSTem:ERRor:COUNt?");
}
// A plug-in parameter: tree lookup, suffix addressing, database read with conversion-out.
void ParameterQuery(benchmark::State& state) {
    runQueries(state, "SOURce2:IQ:OUTPut:EXTernal:CLOCk:RATE?");
}
// A write and a read-back on one line: checks, update functions and the answer.
void WriteAndQuery(benchmark::State& state) {
    runQueries(state, "BBIN:EXTernal:DATA:SIZE 12;SIZE?");
}

BENCHMARK(HostQuery)->Threads(1)->Threads(8)->UseRealTime();
BENCHMARK(ParameterQuery)->Threads(1)->Threads(8)->UseRealTime();
BENCHMARK(WriteAndQuery)->Threads(1)->Threads(8)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString exe = QCoreApplication::applicationDirPath() + QStringLiteral("/vgxhost");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--vgxhost") == 0) {
            exe = QString::fromLocal8Bit(argv[i + 1]);
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }

    QTemporaryDir settings;
    g_port = freePort();
    QProcess host;
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(exe, {QStringLiteral("--headless"), QStringLiteral("--scpi-port"), QString::number(g_port),
                     QStringLiteral("--settings-dir"), settings.path()});
    if (!host.waitForStarted()) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(exe));
        return 1;
    }
    bool up = false;
    for (int i = 0; i < 600 && !up && host.state() == QProcess::Running; ++i) {
        const int fd = connectTo(g_port);
        up = fd >= 0;
        if (up)
            ::close(fd);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!up) {
        std::fprintf(stderr, "vgxhost did not open port %u\n", unsigned(g_port));
        host.kill();
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    host.terminate();
    host.waitForFinished(30000);
    return 0;
}
