// The line reader wherever a stream is cut, and the server against clients that misbehave: one that
// sends queries and never reads, a line of many thousand units, a ninth client sending garbage.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QtTest/QTest>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <climits>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "ScpiClient.h"
#include "ScpiFixture.h"
#include "host/scpi/impl/CScpiConnection.h"
#include "host/scpi/impl/CScpiLineReader.h"
#include "host/scpi/impl/CScpiRegistry.h"
#include "host/scpi/impl/CScpiServer.h"

using namespace MvQARN;

namespace {

// Runs the event loop until done() holds; false when the guard against a hang ran out.
template <class F> bool spinUntil(F done, int guardMs = kGuardMs) {
    const QDeadlineTimer guard(guardMs);
    while (!done()) {
        if (guard.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

// A client that reads answer lines out of everything its socket holds, so a socket with a bounded
// read buffer goes on receiving.
class Reader : public Client {
public:
    using Client::Client;
    QByteArray next() {
        qsizetype lf = -1;
        if (!spinUntil([&] {
                pending += socket.readAll();
                return (lf = pending.indexOf('\n')) >= 0;
            }))
            return "<none>";
        const QByteArray l = pending.left(lf);
        pending.remove(0, lf + 1);
        return l;
    }
    QByteArray pending;
};

// Host commands that show what reached them: PROBe:TICK counts, PROBe:ECHO? <a>,<b> answers its
// arguments, PROBe:FILL? <n> answers n and 4 KiB of padding.
class ScpiHostile : public ScpiFixture {
protected:
    void SetUp() override {
        ScpiFixture::SetUp();
        CScpiRegistry& reg = CScpiRegistry::instance();
        ASSERT_TRUE(reg.registerHostCommand("PROBe:TICK", [this](CScpiHostCall&) { ++ticks; }));
        ASSERT_TRUE(reg.registerHostCommand(
            "PROBe:TICK?", [this](CScpiHostCall& call) { call.setAnswer(QString::number(ticks)); }));
        ASSERT_TRUE(reg.registerHostCommand("PROBe:ECHO?", [](CScpiHostCall& call) {
            int a = 0, b = 0;
            if (call.intArg(0, 0, INT_MAX, a) && call.intArg(1, 0, INT_MAX, b))
                call.setAnswer(QString::number(a) + ',' + QString::number(b));
        }));
        ASSERT_TRUE(reg.registerHostCommand("PROBe:FILL?", [](CScpiHostCall& call) {
            int n = 0;
            if (call.intArg(0, 0, INT_MAX, n))
                call.setAnswer(QString::number(n) + ',' + QString(4096, 'x'));
        }));
        QString error;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
    }
    void TearDown() override {
        for (const char* p : {"PROBe:TICK", "PROBe:TICK?", "PROBe:FILL?", "PROBe:ECHO?"})
            CScpiRegistry::instance().unregisterHostCommand(p);
        ScpiFixture::TearDown();
    }

    CScpiServer server;
    int ticks = 0;
};

QList<QByteArray> messages(const QList<CScpiLineReader::SMessage>& in) {
    QList<QByteArray> out;
    for (const CScpiLineReader::SMessage& m : in)
        out << (m.overrun ? QByteArray("<overrun>") : m.bytes);
    return out;
}

// A blocking client on its own thread, as a script in another process is; reads time out as a guard
// against a hang only.
struct ThreadClient {
    explicit ThreadClient(quint16 port) : fd(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const timeval guard{kGuardMs / 1000, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
        connected = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~ThreadClient() { ::close(fd); }
    bool send(const QByteArray& d) {
        return ::send(fd, d.constData(), size_t(d.size()), MSG_NOSIGNAL) == d.size();
    }
    QByteArray line() {
        qsizetype lf;
        while ((lf = pending.indexOf('\n')) < 0) {
            char chunk[4096];
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return "<none>";
            pending.append(chunk, n);
        }
        const QByteArray l = pending.left(lf);
        pending.remove(0, lf + 1);
        return l;
    }
    int fd;
    bool connected = false;
    QByteArray pending;
};

} // namespace

TEST(ScpiLineReader, MessagesEndAtLineFeedsOutsideBlocksWhereverTheStreamIsCut) {
    const QByteArray stream = "A #208ab\ncd\nef;B\r\n" // a LF inside a definite block
                              "C '#12'\n"              // '#' inside a string starts no block
                              "D \"x\"\"#1\"\n\n\r\n"  // nor inside a string with a doubled quote
                              "E #3003xyz\r\n"         // a CR after a block ends the line with the LF
                              "F #12\r\r\n"            // a CR inside a block is data
                              "G #0a\r\nb\n"           // an indefinite block runs to the LF
                              "H #1\nI #A1\nJ #12";    // malformed headers; a last line not ended
    const QList<QByteArray> expected = {"A #208ab\ncd\nef;B",
                                        "C '#12'",
                                        "D \"x\"\"#1\"",
                                        "",
                                        "",
                                        "E #3003xyz",
                                        "F #12\r\r",
                                        "G #0a",
                                        "b",
                                        "H #1",
                                        "I #A1"};
    auto feed = [&](const QList<qsizetype>& cuts) {
        CScpiLineReader reader(1000);
        QList<CScpiLineReader::SMessage> out;
        qsizetype from = 0;
        for (qsizetype cut : cuts) {
            reader.feed(stream.constData() + from, cut - from, out);
            from = cut;
        }
        reader.feed(stream.constData() + from, stream.size() - from, out);
        EXPECT_EQ(reader.pendingBytes(), 5) << "J #12 waits for its block";
        return messages(out);
    };
    EXPECT_EQ(feed({}), expected);
    for (qsizetype cut = 1; cut < stream.size(); ++cut)
        ASSERT_EQ(feed({cut}), expected) << "cut at " << cut;
    QList<qsizetype> everyByte;
    for (qsizetype cut = 1; cut < stream.size(); ++cut)
        everyByte << cut;
    EXPECT_EQ(feed(everyByte), expected);
}

TEST_F(ScpiHostile, AClientThatDoesNotReadIsHeldBackAndLosesNothing) {
    Reader c(server.port());
    ASSERT_TRUE(c.connected);
    c.socket.setReadBufferSize(64 * 1024); // the client reads nothing beyond this
    constexpr int queries = 8192;          // 32 MiB of answers, far more than the network holds
    QByteArray input;
    for (int i = 0; i < queries; ++i)
        input += "PROBe:FILL? " + QByteArray::number(i) + "\n";
    c.send(input);

    ASSERT_TRUE(spinUntil([&] { return server.blockedClients() == 1; }));
    qint64 most = 0;
    for (int k = 0; k < 500; ++k) {
        QCoreApplication::processEvents();
        most = std::max(most, server.heldBytes());
    }
    const qint64 bound = 2 * CScpiConnection::MaxUnsentBytes;
    EXPECT_LE(most, bound);
    EXPECT_EQ(server.blockedClients(), 1);

    // Read now: every answer comes, in order, and the host stays bounded meanwhile.
    int i = 0;
    for (; i < queries; ++i) {
        const QByteArray l = c.next();
        most = std::max(most, server.heldBytes());
        if (!l.startsWith(QByteArray::number(i) + ",x") || l.size() != QByteArray::number(i).size() + 4097)
            break;
    }
    EXPECT_EQ(i, queries);
    EXPECT_LE(most, bound);
    c.send("*OPC?\n");
    EXPECT_EQ(c.next(), "1");
    EXPECT_EQ(server.blockedClients(), 0);
}

TEST_F(ScpiHostile, ALongLineGivesWayToOtherClientsAndItsOwnLinesKeepTheirOrder) {
    server.setUnitsPerTurn(5);
    Reader a(server.port()), b(server.port());
    ASSERT_TRUE(a.connected && b.connected);
    constexpr int units = 20000;
    QByteArray longLine;
    for (int i = 1; i <= units; ++i)
        longLine += i % 5000 ? ":PROBe:TICK;" : ":PROBe:TICK;TICK?;";
    a.send(longLine + "\nPROBe:TICK?\n");

    ASSERT_TRUE(spinUntil([&] { return ticks > 0; }));
    int ticksWhenEventRan = -1;
    QMetaObject::invokeMethod(
        &server, [&] { ticksWhenEventRan = ticks; }, Qt::QueuedConnection);
    b.send("PROBe:TICK?\n");
    const int seenByB = b.next().toInt();
    // Another client and the event loop were served while the long line ran.
    EXPECT_GT(seenByB, 0);
    EXPECT_LT(seenByB, units);
    EXPECT_GE(ticksWhenEventRan, 0);
    EXPECT_LT(ticksWhenEventRan, units);
    EXPECT_EQ(a.socket.bytesAvailable() + a.pending.size(), 0);
    // The long line answers on one line, in order; the line sent after it ran after it.
    EXPECT_EQ(a.next(), "5000;10000;15000;20000");
    EXPECT_EQ(a.next(), "20000");

    // The level a command reached carries over between the turns of a line.
    QByteArray relative = "BBIN:EXT:DATA:SIZE 7", expected;
    for (int i = 0; i < 40; ++i) {
        relative += ";SIZE?";
        expected += "7;";
    }
    a.send(relative + ";:SYST:ERR?\n");
    EXPECT_EQ(a.next(), expected + "0,\"No error\"");
}

TEST_F(ScpiHostile, EightClientsGetTheirOwnAnswersInOrderWhileANinthSendsGarbage) {
    constexpr int clients = 8, perClient = 1250; // 10 000 queries in all
    std::atomic<int> finished{0};
    std::vector<int> good(clients, 0);
    std::vector<QByteArray> firstWrong(clients), errorCount(clients);
    std::vector<std::thread> threads;
    for (int id = 0; id < clients; ++id)
        threads.emplace_back([&, id] {
            ThreadClient c(server.port());
            std::mt19937 rng(id);
            // Bursts of 1 to 24 queries sent at once, so lines of several clients wait together.
            for (int seq = 0; c.connected && seq < perClient && firstWrong[id].isEmpty();) {
                const int burst = std::min(perClient - seq, int(rng() % 24) + 1);
                QByteArray out;
                for (int k = 0; k < burst; ++k)
                    out += "PROBe:ECHO? " + QByteArray::number(id) + ',' + QByteArray::number(seq + k) + '\n';
                c.send(out);
                for (int k = 0; k < burst; ++k, ++seq) {
                    const QByteArray got = c.line();
                    if (got != QByteArray::number(id) + ',' + QByteArray::number(seq)) {
                        firstWrong[id] = got;
                        break;
                    }
                    ++good[id];
                }
            }
            c.send("SYST:ERR:COUN?\n");
            errorCount[id] = c.line();
            ++finished;
        });
    std::atomic<bool> stop{false};
    std::thread garbage([&] {
        ThreadClient c(server.port());
        std::mt19937 rng(99);
        for (int round = 0; c.connected && !stop; ++round) {
            QByteArray junk;
            for (int i = int(rng() % 300); i > 0; --i)
                junk.append(rng() % 8 == 0 ? '\n' : char(rng() % 256));
            junk += round % 2 ? "PROBe:ECHO? 1,\n" : "PROBe:ECHO? ,'2' #15ab\n";
            // Never blocks: the server is served by the thread that joins this one.
            if (::send(c.fd, junk.constData(), size_t(junk.size()), MSG_NOSIGNAL | MSG_DONTWAIT) < 0 &&
                errno != EAGAIN)
                break;
            std::this_thread::yield();
            char sink[65536];
            while (::recv(c.fd, sink, sizeof sink, MSG_DONTWAIT) > 0) {
            }
        }
    });
    // The server runs on this thread's event loop.
    const bool done = spinUntil([&] { return finished == clients; }, 10 * kGuardMs);
    stop = true;
    garbage.join();
    for (std::thread& t : threads)
        t.join();
    ASSERT_TRUE(done);
    for (int id = 0; id < clients; ++id) {
        EXPECT_EQ(good[id], perClient) << "client " << id << " got " << firstWrong[id].toStdString();
        EXPECT_EQ(errorCount[id], "0") << "client " << id << ": the garbage's errors are not its own";
    }
}
