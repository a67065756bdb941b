#pragma once
// The host's error manager: modules signal errors with a code and a text; the manager keeps a
// history and tells every subscriber (the GUI shows them, the remote server queues them).
// signal may be called from any thread; subscribers run on the signalling thread.
#include <QList>
#include <QString>
#include <functional>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct VGXErrorRecord {
    int code = 0;
    QString text;
    quint64 serial = 0; // increases with every signal
};

class VGX_EXPORT VGXErrorManager {
public:
    using Subscriber = std::function<void(const VGXErrorRecord&)>;

    static void signal(int code, const QString& text);

    // Answers a handle for unsubscribe.
    static int subscribe(Subscriber subscriber);
    static void unsubscribe(int handle);

    // The latest signals, oldest first; the history keeps at most historyLimit() entries.
    static QList<VGXErrorRecord> history();
    static void clearHistory();
    static int historyLimit();

    // Collects every signal raised while it lives (one request, one command line). Collectors
    // nest; each sees the signals of its own lifetime.
    class VGX_EXPORT Collector {
    public:
        Collector();
        ~Collector();
        Collector(const Collector&) = delete;
        Collector& operator=(const Collector&) = delete;
        QList<VGXErrorRecord> errors() const;
        bool isEmpty() const;

    private:
        friend class VGXErrorManager;
        void add(const VGXErrorRecord& record);
        QList<VGXErrorRecord> m_errors;
        // The collector that lived before this one: collectors form a chain, so one starting or ending,
        // once per command on the remote path, costs no allocation.
        Collector* m_outer = nullptr;
        Collector* m_inner = nullptr;
    };
};

} // namespace MvQARN
