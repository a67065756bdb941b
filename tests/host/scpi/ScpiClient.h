#pragma once
// A remote-control client of the SCPI server, reading answer lines as a script does.
#include <QTcpSocket>
#include <QtTest/QTest>

// Waits are guards against a hang only; nothing here measures time.
constexpr int kGuardMs = 20000;

class Client {
public:
    explicit Client(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        connected =
            QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, kGuardMs);
    }
    void send(const QByteArray& data) {
        socket.write(data);
        socket.flush();
    }
    // The next answer line without its LF; empty when none came.
    QByteArray line() {
        if (!QTest::qWaitFor([&] { return socket.canReadLine(); }, kGuardMs))
            return QByteArray();
        QByteArray l = socket.readLine();
        l.chop(1);
        return l;
    }
    QByteArray ask(const QByteArray& query) {
        send(query + "\n");
        return line();
    }
    QTcpSocket socket;
    bool connected = false;
};
