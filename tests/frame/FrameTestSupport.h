#pragma once
// Shared pieces of the plug-in frame tests: a fake organisation-layer framework that records the
// commands it is sent, and a capture of the host's lifecycle trace lines.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "host/olfw/COlCommandData.h"
#include "host/olfw/COlCommandIfc.h"
#include "host/olfw/COlManager.h"
#include "host/util/impl/VGXTraceSink.h"

namespace frametest {

// Records every command; a handler may fill the block and decide the answer (default: carried out).
class RecordingCommandIfc : public MvQARN::COlCommandIfc {
public:
    struct Call {
        int code;
        bool hadBlock;
        int index1;
    };
    using Handler = std::function<bool(int code, MvQARN::COlCommandData* data)>;

    bool execute(int code, MvQARN::COlCommandData* data) override {
        calls.append({code, data != nullptr, data ? data->index1 : 0});
        return handler ? handler(code, data) : true;
    }
    QList<int> codes() const {
        QList<int> out;
        for (const Call& c : calls)
            out << c.code;
        return out;
    }

    QList<Call> calls;
    Handler handler;
};

class FakeOlManager : public MvQARN::COlManager {
public:
    explicit FakeOlManager(MvQARN::COlCommandIfc* command) : m_command(command) {}
    MvQARN::COlCommandIfc* commandInterface() override { return m_command; }

private:
    MvQARN::COlCommandIfc* m_command;
};

// Collects the host's trace lines written through VGXUtility::traceMessage (without the sink's
// prefix) while it lives.
class TraceLines {
public:
    TraceLines()
        : m_capture(
              [this](const QString& line) {
                  static const QString prefix = QStringLiteral("trace: ");
                  if (line.startsWith(prefix))
                      m_lines << line.mid(prefix.size());
                  m_all << line;
              },
              true) {}
    const QStringList& lines() const { return m_lines; }
    const QStringList& all() const { return m_all; }

private:
    QStringList m_lines;
    QStringList m_all;
    MvQARN::VGXScopedTraceCapture m_capture;
};

} // namespace frametest
