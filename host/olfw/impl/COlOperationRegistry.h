#pragma once
// Framework operations that report progress under an identifier (the FPGA load, for one): the
// operation reports phases and percentages, command 41 reads them. Thread-safe: an operation reports
// from the thread that runs it while the progress service polls from its worker.
#include <QHash>
#include <QString>
#include <QStringList>
#include <mutex>

#include "host/olfw/COlProgressStatus.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT COlOperationRegistry {
public:
    // A fresh non-zero identifier.
    unsigned newOperationId();

    // Starts (or restarts) an operation with its phase titles; its status becomes the first phase
    // at 0 %. False for identifier 0 or an empty phase list.
    bool begin(unsigned operation, const QStringList& phases);
    // A new status: phase is one of the phases given to begin, progress 0 .. 100. False for an
    // unknown operation, an unknown phase or a progress out of range.
    bool report(unsigned operation, const QString& phase, const QString& message, int progress);
    // The operation failed: every later query answers progress -1 with this message.
    bool fail(unsigned operation, const QString& message);
    // Forgets the operation; later queries are refused.
    void end(unsigned operation);
    bool isKnown(unsigned operation) const;

    // The status for command 41. The first query after a report answers it; further queries without
    // a new report answer the same phase and message with progress -100 (no news). False for an
    // unknown operation.
    bool query(unsigned operation, COlProgressStatus& out);

    // Runs an operation through its phases, each from 0 to 100 % in four steps, spending about
    // durationMs in all (0: no waiting). The operation stays known afterwards at 100 % of the last
    // phase, so a watcher sees the end.
    bool runPhases(unsigned operation, const QStringList& phases, int durationMs);

private:
    struct Operation {
        QStringList phases;
        QString phase;
        QString message;
        int progress = 0;
        bool failed = false;
        quint64 reported = 0;  // reports made
        quint64 delivered = 0; // reports answered by a query
    };

    mutable std::mutex m_mutex;
    QHash<unsigned, Operation> m_operations;
    unsigned m_nextId = 0x1000;
};

} // namespace MvQARN
