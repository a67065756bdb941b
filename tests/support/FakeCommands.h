#pragma once
// A stand-in for the organisation-layer framework's command interface that records every command
// with its data block as it came in (a handler may fill the block and decide the answer; by default
// the command is carried out), and a framework manager that hands out such an interface.
#include <QList>
#include <functional>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlManager.h"

namespace testsupport {

class RecordingCommands : public MvQARN::COlCommandIfc {
public:
    struct Call {
        int code;
        bool hadBlock;
        MvQARN::COlCommandData in;
    };
    using Handler = std::function<bool(int code, MvQARN::COlCommandData* data)>;

    bool execute(int code, MvQARN::COlCommandData* data) override {
        calls.append({code, data != nullptr, data ? *data : MvQARN::COlCommandData()});
        return handler ? handler(code, data) : true;
    }
    QList<int> codes() const {
        QList<int> out;
        for (const Call& c : calls)
            out.append(c.code);
        return out;
    }
    QList<Call> callsOf(int code) const {
        QList<Call> out;
        for (const Call& c : calls)
            if (c.code == code)
                out.append(c);
        return out;
    }

    QList<Call> calls;
    Handler handler;
};

class FakeOlManager : public MvQARN::COlManager {
public:
    explicit FakeOlManager(MvQARN::COlCommandIfc* command) : m_command(command) {}
    MvQARN::COlCommandIfc* commandInterface() override { return m_command; }
    void setCommand(MvQARN::COlCommandIfc* command) { m_command = command; }

private:
    MvQARN::COlCommandIfc* m_command;
};

} // namespace testsupport
