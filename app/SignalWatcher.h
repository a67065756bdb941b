#pragma once
// Turns SIGINT and SIGTERM into a call on the GUI thread, so Ctrl+C and `kill` shut the host down in
// order instead of tearing the process down in the middle of a request.
#include <QObject>

class QSocketNotifier;

namespace vgxapp {

class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    // False when the signal handlers could not be installed; the host still runs, only without them.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace vgxapp
