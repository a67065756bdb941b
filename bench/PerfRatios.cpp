// Every figure the host's speed is judged by, in one run, each beside a yardstick measured in the same
// run on the same machine, so the ratio holds however loaded the machine is:
//   - SCPI queries per second over loopback (1 client, 8 clients) against a minimal line-echo server
//     (one thread, epoll, one write per line) this program forks itself. Both servers run on the last
//     CPU and the clients on the others (--no-pin leaves placement to the scheduler): a remote script
//     does not share the instrument's processor, and left to itself the scheduler moves the echo
//     server beside its client and not the host, a three-fold change of the round trip. One client
//     alternates its queries between the two servers, so both meet the same state of the machine;
//     eight clients measure each server for a window, the two windows interleaved in rounds. After
//     one untimed round, the ratio printed is the median of the rounds' ratios (the rates printed
//     are the means over all rounds);
//   - the SCPI query rate of one client (SOURce1:BBIN:EXTernal:SRATe?) while the host's recorder
//     captures continuously (SYSTem:RECorder:RUN, the test sine, a block every timer tick on the GUI
//     thread) against the same query with the recorder idle, in interleaved rounds (median of the
//     rounds' ratios; a window of at least half a second, so several blocks fall in each);
//   - a database write (type test, check, store, update function, data event) and a read through the
//     request path the SCPI layer uses, against std::unordered_map insert and lookup of the same key;
//   - vgxhost --headless --quit: wall time from start to exit and peak resident memory.
//
//   build/bin/PerfRatios [--vgxhost PATH] [--rounds N] [--window-ms MS] [--no-pin]
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sched.h>
#include <signal.h>
#include <string>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbChkFunc.h"
#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbMsg.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"

#include "bench/LoopbackSocket.h"

using benchnet::connectTo;

namespace {

using Clock = std::chrono::steady_clock;

// Where the query servers and the clients run; empty sets leave a process where the scheduler puts it.
struct SPlacement {
    cpu_set_t servers, clients;
    bool pinned = false;
} g_placement;

void planPlacement(bool pin) {
    CPU_ZERO(&g_placement.servers);
    CPU_ZERO(&g_placement.clients);
    cpu_set_t allowed;
    if (!pin || ::sched_getaffinity(0, sizeof(allowed), &allowed) != 0 || CPU_COUNT(&allowed) < 2)
        return;
    int last = -1;
    for (int c = 0; c < CPU_SETSIZE; ++c)
        if (CPU_ISSET(c, &allowed))
            last = c;
    g_placement.clients = allowed;
    CPU_CLR(last, &g_placement.clients);
    CPU_SET(last, &g_placement.servers);
    g_placement.pinned = true;
}

// The calling thread (or the process about to exec) goes where the plan puts it.
void placeSelf(const cpu_set_t& set) {
    if (g_placement.pinned)
        ::sched_setaffinity(0, sizeof(set), &set);
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

int listenLoopback(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(a);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0 || ::listen(fd, 64) != 0) {
        ::close(fd);
        return -1;
    }
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    return fd;
}

// The yardstick: answers every line with itself, one write per line, from one thread.
[[noreturn]] void runEchoServer(int listenFd) {
    const int ep = ::epoll_create1(0);
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.fd = listenFd;
    ::epoll_ctl(ep, EPOLL_CTL_ADD, listenFd, &ev);
    std::vector<std::string> pending(1024);
    epoll_event events[64];
    char chunk[65536];
    for (;;) {
        const int n = ::epoll_wait(ep, events, 64, -1);
        for (int i = 0; i < n; ++i) {
            const int fd = events[i].data.fd;
            if (fd == listenFd) {
                const int c = ::accept(listenFd, nullptr, nullptr);
                if (c < 0)
                    continue;
                const int one = 1;
                ::setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
                if (std::size_t(c) >= pending.size())
                    pending.resize(std::size_t(c) + 1);
                pending[std::size_t(c)].clear();
                ev.events = EPOLLIN;
                ev.data.fd = c;
                ::epoll_ctl(ep, EPOLL_CTL_ADD, c, &ev);
                continue;
            }
            const ssize_t got = ::read(fd, chunk, sizeof(chunk));
            if (got <= 0) {
                ::epoll_ctl(ep, EPOLL_CTL_DEL, fd, nullptr);
                ::close(fd);
                continue;
            }
            std::string& buf = pending[std::size_t(fd)];
            buf.append(chunk, std::size_t(got));
            std::size_t from = 0;
            for (std::size_t lf; (lf = buf.find('\n', from)) != std::string::npos; from = lf + 1)
                if (::send(fd, buf.data() + from, lf + 1 - from, MSG_NOSIGNAL) < 0)
                    break;
            buf.erase(0, from);
        }
    }
}

pid_t spawn(const std::vector<std::string>& args, bool quiet, bool server = false) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    if (server)
        placeSelf(g_placement.servers);
    if (quiet) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
    }
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    std::_Exit(127);
}

// A client as a remote-control script is: sends a line, waits for the answer's LF.
struct Client {
    int fd = -1;
    std::string buffer;
    bool query(const std::string& line, std::string& answer) {
        if (::send(fd, line.data(), line.size(), MSG_NOSIGNAL) != ssize_t(line.size()))
            return false;
        for (;;) {
            const std::size_t lf = buffer.find('\n');
            if (lf != std::string::npos) {
                answer.assign(buffer, 0, lf);
                buffer.erase(0, lf + 1);
                return true;
            }
            char chunk[4096];
            const ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
            if (n <= 0)
                return false;
            buffer.append(chunk, std::size_t(n));
        }
    }
};

// Queries outside the window, so that the first timed one finds the server's paths touched; first
// gets the answer every later one must equal. False when an answer was missing or differed.
bool warmUp(Client& c, const std::string& line, std::string& first) {
    std::string answer;
    bool ok = c.query(line, first);
    for (int w = 1; w < 20 && ok; ++w)
        ok = c.query(line, answer) && answer == first;
    return ok;
}

// Queries per second; a window with no time in it counts as none.
double rate(double queries, double seconds) {
    return queries / std::max(seconds, 1e-9);
}

// Queries answered by all clients together within the window; -1 when an answer was missing or
// changed (every answer must equal the first one a client got).
long long measureQueries(uint16_t port, const std::string& query, int clients, double windowS) {
    const std::string line = query + "\n";
    std::vector<Client> cs(static_cast<std::size_t>(clients));
    for (Client& c : cs)
        if ((c.fd = connectTo(port)) < 0)
            return -1;
    std::atomic<bool> go{false}, stop{false}, failed{false};
    std::vector<long long> counts(std::size_t(clients), 0);
    std::vector<std::thread> threads;
    for (int i = 0; i < clients; ++i)
        threads.emplace_back([&, i] {
            placeSelf(g_placement.clients);
            Client& c = cs[std::size_t(i)];
            std::string first, answer;
            if (!warmUp(c, line, first))
                failed = true;
            while (!go.load())
                std::this_thread::yield();
            long long n = 0;
            while (!stop.load(std::memory_order_relaxed) && !failed) {
                if (!c.query(line, answer) || answer != first)
                    failed = true;
                ++n;
            }
            counts[std::size_t(i)] = n;
        });
    go = true;
    std::this_thread::sleep_for(std::chrono::duration<double>(windowS));
    stop = true;
    for (std::thread& t : threads)
        t.join();
    for (Client& c : cs)
        ::close(c.fd);
    if (failed)
        return -1;
    long long total = 0;
    for (long long n : counts)
        total += n;
    return total;
}

// The time one client spent waiting for answers from each server within a window, and how many it
// got. The client holds a connection to each and sends the query to one and then the other, turning
// the order with every pair, so that both round trips of a pair meet the same state of the machine:
// on a virtual machine the round trip changes by a fifth from one tenth of a second to the next.
struct PairedRound {
    double hostS = 0, echoS = 0;
    long long queries = 0; // per server
};
bool measurePaired(uint16_t hostPort, uint16_t echoPort, const std::string& query, double windowS,
                   PairedRound& out) {
    bool ok = true;
    std::thread client([&] {
        placeSelf(g_placement.clients);
        const std::string line = query + "\n";
        Client host, echo;
        host.fd = connectTo(hostPort);
        echo.fd = connectTo(echoPort);
        std::string hostFirst, echoFirst, answer;
        ok = host.fd >= 0 && echo.fd >= 0 && warmUp(host, line, hostFirst) && warmUp(echo, line, echoFirst);
        const auto end = Clock::now() + std::chrono::duration<double>(windowS);
        Clock::duration hostT{}, echoT{};
        long long n = 0;
        for (; ok && Clock::now() < end; ++n)
            for (int k = 0; k < 2 && ok; ++k) {
                const bool hostNow = (k == 0) == (n % 2 == 0);
                Client& c = hostNow ? host : echo;
                const auto t0 = Clock::now();
                ok = c.query(line, answer) && answer == (hostNow ? hostFirst : echoFirst);
                (hostNow ? hostT : echoT) += Clock::now() - t0;
            }
        out = PairedRound{seconds(hostT), seconds(echoT), n};
        for (const Client* c : {&host, &echo})
            if (c->fd >= 0)
                ::close(c->fd);
    });
    client.join();
    return ok;
}

// Sends a command line and waits until the host has carried it out (*OPC? answers 1).
bool command(Client& c, const std::string& line) {
    std::string answer;
    return c.query(line + ";*OPC?\n", answer) && answer == "1";
}

// Waits up to a second for the host recorder's state (SYSTem:RECorder:STATe?) to become `state`.
bool awaitRecorderState(Client& c, const std::string& state) {
    std::string answer;
    for (int i = 0; i < 100; ++i) {
        if (!c.query("SYSTem:RECorder:STATe?\n", answer))
            return false;
        if (answer == state)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// SRATe? from one client with the recorder idle and running continuously, in alternating order per
// round. Fills the per-round ratios (running / idle) and the query totals; false when the recorder did
// not start or stop, or an answer was wrong.
struct RecorderFigure {
    long long idle = 0, running = 0;
    double windowS = 0;
    std::vector<double> ratios;
};
bool measureRecorder(uint16_t port, int rounds, double windowS, RecorderFigure& f) {
    static const char* const kFreeRun = "1";
    static const char* const kIdle = "0";
    static const std::string query = "SOURce1:BBIN:EXTernal:SRATe?";
    Client control;
    if ((control.fd = connectTo(port)) < 0)
        return false;
    bool ok = command(control, "SYSTem:RECorder:SOURce 7") && command(control, "SYSTem:RECorder:DISCard") &&
              awaitRecorderState(control, kIdle);
    f.windowS = windowS;
    for (int r = 0; r < rounds && ok; ++r) {
        long long idle = 0, running = 0;
        for (int k = 0; k < 2 && ok; ++k) {
            const bool run = (k == 0) == (r % 2 == 1);
            if (run)
                ok = command(control, "SYSTem:RECorder:RUN") && awaitRecorderState(control, kFreeRun);
            const long long n = ok ? measureQueries(port, query, 1, windowS) : -1;
            // Still running at the end: the capture kept delivering blocks throughout.
            if (run)
                ok = ok && awaitRecorderState(control, kFreeRun) &&
                     command(control, "SYSTem:RECorder:DISCard") && awaitRecorderState(control, kIdle);
            ok = ok && n >= 0;
            (run ? running : idle) = n;
        }
        f.idle += idle;
        f.running += running;
        f.ratios.push_back(double(running) / double(std::max(1LL, idle)));
    }
    ::close(control.fd);
    return ok;
}

// The database figures: a number parameter with a check and an update function and a change observer,
// written and read through the request path, against a map holding the same key.
class PerfCheck : public MvQARN::CDbChkFunc {
public:
    PerfCheck() : CDbChkFunc(static_cast<Member>(&PerfCheck::accept)) {}
    int accept(MvQARN::CDbCnct&) { return 0; }
};
class PerfUpdate : public MvQARN::CDbUpdFunc {
public:
    PerfUpdate() : CDbUpdFunc(static_cast<MemberVal>(&PerfUpdate::update)) {}
    int update(MvQARN::CDbCnct&, const MvQARN::CDbAllType&) {
        ++updates;
        return 0;
    }
    long long updates = 0;
};

struct DbFigures {
    double writeNs = 0, insertNs = 0, readNs = 0, lookupNs = 0;
    std::vector<double> writeRatios, readRatios; // per round
    bool ok = true;
};

DbFigures measureDb(int rounds) {
    using namespace MvQARN;
    static const char* const kName = "PerfSampleRate";
    static PerfCheck check;
    static PerfUpdate update;
    static SDbDefNumber rec;
    std::memset(&rec, 0, sizeof rec);
    rec.c.name = kName;
    for (int i = 0; i < 4; ++i)
        rec.c.countA[i] = rec.c.countB[i] = 1;
    rec.c.type = DbTypeNumber;
    rec.c.family = 0x10121;
    rec.c.marker14 = 0xffffff;
    rec.c.marker20 = -1;
    rec.c.grp = 0x24;
    rec.c.chk = &check;
    rec.c.upd = &update;
    rec.min = 0;
    rec.max = 1e9;
    rec.def = rec.def2 = 1e6;
    rec.step = 1;
    static const int count = 1;
    static const SDbDefArray array{DbTypeNumber, &rec, &count};
    static const SDbDescriptor desc{&array, 1, 3};
    CDbEngine& db = CDbEngine::instance();
    DbFigures f;
    if (db.registerDescriptor(&desc, 4) != 0) {
        f.ok = false;
        return f;
    }
    long long events = 0;
    db.addRequestObserver([&events](const QVector<SDbChange>& changes) { events += changes.size(); });

    constexpr int batch = 20000;
    const SDbInstTupel t{0, 0, 0, 0};
    std::unordered_map<std::string, double> map;
    double wNs = 0, iNs = 0, rNs = 0, lNs = 0;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = Clock::now();
        for (int i = 0; i < batch; ++i) {
            map.insert_or_assign(std::string(kName), double(1000 + (i & 1023)));
            benchmark::ClobberMemory();
        }
        auto t1 = Clock::now();
        for (int i = 0; i < batch; ++i) {
            CDbMsg msg(4, 4, kName, CDbAllType(), DbMsgSet, 0, 0, t.t0, t.t1, t.t2, t.t3);
            msg.setValue(CDbAllType(new CDbDataTypeNumber(double(1000 + (i & 1023)))));
            CDbAnswerBuffer answer;
            if (db.write(msg, &answer) != 0)
                f.ok = false;
        }
        auto t2 = Clock::now();
        double sum = 0;
        for (int i = 0; i < batch; ++i) {
            const auto it = map.find(std::string(kName));
            sum += it->second;
            benchmark::DoNotOptimize(sum);
        }
        auto t3 = Clock::now();
        for (int i = 0; i < batch; ++i) {
            CDbAllType v;
            CDbAnswerBuffer answer;
            if (db.read(kName, t, v, &answer) != 0)
                f.ok = false;
            benchmark::DoNotOptimize(v);
        }
        auto t4 = Clock::now();
        iNs += seconds(t1 - t0);
        wNs += seconds(t2 - t1);
        lNs += seconds(t3 - t2);
        rNs += seconds(t4 - t3);
        f.writeRatios.push_back(seconds(t2 - t1) / seconds(t1 - t0));
        f.readRatios.push_back(seconds(t4 - t3) / seconds(t3 - t2));
    }
    const double n = double(batch) * rounds;
    f.insertNs = iNs / n * 1e9;
    f.writeNs = wNs / n * 1e9;
    f.lookupNs = lNs / n * 1e9;
    f.readNs = rNs / n * 1e9;
    // Each write changed the value: one update and one data event each (consecutive values differ).
    if (update.updates != batch * rounds || events < batch * rounds)
        f.ok = false;
    return f;
}

// Ratios are taken within each round, where host and yardstick ran back to back; the median of the
// rounds leaves out a round that another program's burst of load fell on.
double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void row(const char* figure, double host, const char* unit, double yard, const char* yardName, double ratio,
         const char* goal, bool met) {
    std::printf("%-44s %12.4g %-8s %12.4g %-14s %8.3f  %-10s %s\n", figure, host, unit, yard, yardName, ratio,
                goal, met ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    std::string exe;
    // Many short rounds: the median of their ratios then varies little from one run to the next.
    int rounds = 30;
    double windowS = 0.1;
    bool pin = true;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--no-pin") == 0)
            pin = false;
        else if (hasValue && std::strcmp(argv[i], "--vgxhost") == 0)
            exe = argv[++i];
        else if (hasValue && std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (hasValue && std::strcmp(argv[i], "--window-ms") == 0)
            windowS = std::max(10, std::atoi(argv[++i])) / 1000.0;
    }
    planPlacement(pin);
    if (exe.empty()) {
        char self[4096];
        const ssize_t n = ::readlink("/proc/self/exe", self, sizeof(self) - 1);
        std::string dir = n > 0 ? std::string(self, std::size_t(n)) : std::string("./x");
        exe = dir.substr(0, dir.rfind('/')) + "/vgxhost";
    }
    char settingsTemplate[] = "/tmp/perfratios-XXXXXX";
    if (!::mkdtemp(settingsTemplate)) {
        std::fprintf(stderr, "cannot make a settings folder in /tmp\n");
        return 1;
    }
    const std::string settings = settingsTemplate;
    // The hosts' private settings go when this program ends, however it ends.
    struct SRemove {
        std::string dir;
        ~SRemove() {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    } removeSettings{settings};

    // Start-up first, while nothing else of this program runs.
    std::vector<double> startS;
    long peakKb = 0;
    double cpuS = 0;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        const pid_t pid = spawn({exe, "--headless", "--quit", "--settings-dir", settings}, true);
        int status = 0;
        rusage ru{};
        ::wait4(pid, &status, 0, &ru);
        startS.push_back(seconds(Clock::now() - t0));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "%s --headless --quit failed\n", exe.c_str());
            return 1;
        }
        peakKb = std::max(peakKb, ru.ru_maxrss);
        cpuS += double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    }
    std::sort(startS.begin(), startS.end());

    uint16_t echoPort = 0;
    const int echoListen = listenLoopback(echoPort);
    const pid_t echo = ::fork();
    if (echo == 0) {
        placeSelf(g_placement.servers);
        runEchoServer(echoListen);
    }
    ::close(echoListen);

    uint16_t hostPort = 0;
    ::close(listenLoopback(hostPort)); // a free port for the host
    const pid_t host = spawn(
        {exe, "--headless", "--scpi-port", std::to_string(hostPort), "--settings-dir", settings}, true, true);
    int probe = -1;
    for (int i = 0; i < 600 && probe < 0; ++i)
        if ((probe = connectTo(hostPort)) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (probe < 0) {
        std::fprintf(stderr, "vgxhost did not open port %u\n", unsigned(hostPort));
        ::kill(host, SIGKILL);
        ::kill(echo, SIGKILL);
        return 1;
    }
    ::close(probe);

    struct Case {
        const char* name;
        std::string query;
        int clients;
        double goal;
        double hostQ = 0, hostS = 0, echoQ = 0, echoS = 0; // queries answered, seconds spent
        std::vector<double> ratios;                        // host rate / echo rate of each round
    };
    std::vector<Case> cases;
    for (int clients : {1, 8})
        for (const char* q :
             {"*IDN?", "SOURce1:BBIN:EXTernal:SRATe?", "SOURce1:BBIN:EXTernal:DATA:SIZE 12;SIZE?"})
            cases.push_back(Case{q, q, clients, clients == 1 ? 0.9 : 0.75, 0, 0, 0, 0, {}});
    bool failed = false;
    // One round first that counts for nothing: both servers have touched every path before the clock runs.
    for (const Case& c : cases)
        for (uint16_t port : {hostPort, echoPort})
            failed = failed || measureQueries(port, c.query, c.clients, windowS / 2) < 0;
    for (int r = 0; r < rounds && !failed; ++r)
        for (Case& c : cases) {
            double hostQ = 0, echoQ = 0, hostS = windowS, echoS = windowS;
            if (c.clients == 1) {
                PairedRound p;
                failed = !measurePaired(hostPort, echoPort, c.query, windowS, p);
                hostQ = echoQ = double(p.queries);
                hostS = p.hostS;
                echoS = p.echoS;
            } else {
                // Eight clients keep a server busy on their own: each server has the window to itself,
                // and which goes first alternates, so a drift in the machine's load falls on both.
                for (int k = 0; k < 2 && !failed; ++k) {
                    const bool hostNow = (k == 0) == (r % 2 == 0);
                    const long long n =
                        measureQueries(hostNow ? hostPort : echoPort, c.query, c.clients, windowS);
                    failed = n < 0;
                    (hostNow ? hostQ : echoQ) = double(n);
                }
            }
            if (failed) {
                std::fprintf(stderr, "an answer was missing or wrong for '%s'\n", c.query.c_str());
                break;
            }
            c.hostQ += hostQ;
            c.hostS += hostS;
            c.echoQ += echoQ;
            c.echoS += echoS;
            c.ratios.push_back(rate(hostQ, hostS) / std::max(rate(echoQ, echoS), 1e-9));
        }
    RecorderFigure recorder;
    // Its windows are long (several recorder blocks each), so it takes fewer of them.
    if (!failed && !measureRecorder(hostPort, std::max(3, rounds / 3), std::max(windowS, 0.5), recorder)) {
        std::fprintf(stderr, "vgxhost: the recorder did not run or stop on SYSTem:RECorder:RUN / DISCard, "
                             "or an answer was wrong while it ran\n");
        failed = true;
    }
    ::kill(host, SIGTERM);
    ::kill(echo, SIGKILL);
    ::waitpid(host, nullptr, 0);
    ::waitpid(echo, nullptr, 0);
    if (failed)
        return 1;

    const DbFigures db = measureDb(rounds);
    if (!db.ok) {
        std::fprintf(stderr, "the database refused a write or a read, or missed an update or data event\n");
        return 1;
    }

    const unsigned cpus = std::thread::hardware_concurrency();
    std::printf(
        "PerfRatios: %d rounds of %.0f ms per figure, %u CPUs (%s), load average at the end: ", rounds,
        windowS * 1000, cpus, g_placement.pinned ? "servers on the last, clients on the others" : "unpinned");
    double load[3] = {};
    if (::getloadavg(load, 3) == 3)
        std::printf("%.2f %.2f %.2f", load[0], load[1], load[2]);
    std::printf("\n\n%-44s %12s %-8s %12s %-14s %8s  %-10s\n", "figure", "host", "", "yardstick", "", "ratio",
                "goal");
    bool all = true;
    for (const Case& c : cases) {
        char name[96];
        std::snprintf(name, sizeof(name), "%s (%d client%s)", c.name, c.clients, c.clients > 1 ? "s" : "");
        const double ratio = median(c.ratios);
        char goal[16];
        std::snprintf(goal, sizeof(goal), ">= %.2f", c.goal);
        row(name, rate(c.hostQ, c.hostS), "q/s", rate(c.echoQ, c.echoS), "echo q/s", ratio, goal,
            ratio >= c.goal);
        all = all && ratio >= c.goal;
    }
    {
        const double total = double(recorder.ratios.size()) * recorder.windowS;
        const double ratio = median(recorder.ratios);
        row("SRATe? (1 client) while recording", recorder.running / total, "q/s", recorder.idle / total,
            "idle q/s", ratio, ">= 0.80", ratio >= 0.8);
        all = all && ratio >= 0.8;
    }
    const double wr = median(db.writeRatios), rr = median(db.readRatios);
    row("database write", db.writeNs, "ns", db.insertNs, "map insert ns", wr, "<= 20", wr <= 20);
    row("database read", db.readNs, "ns", db.lookupNs, "map find ns", rr, "<= 10", rr <= 10);
    const double median = startS[startS.size() / 2];
    row("vgxhost --headless --quit, median wall", median, "s", 0.15, "goal s", median / 0.15, "< 0.15 s",
        median < 0.15);
    row("vgxhost --headless --quit, peak RSS", peakKb / 1024.0, "MB", 60, "goal MB", peakKb / 1024.0 / 60,
        "< 60 MB", peakKb < 60 * 1024);
    std::printf("(start-up CPU time, user + system, mean of 5: %.3f s)\n", cpuS / 5);
    all = all && wr <= 20 && rr <= 10 && median < 0.15 && peakKb < 60 * 1024;
    std::printf("\n%s\n", all ? "every goal met" : "some goals missed");
    return 0;
}
