#include "host/util/VGXDebugServer.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <utility>

#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

// Activated level per (module, channel). Guarded: the progress worker thread prints too.
struct DebugChannels {
    QMutex mutex;
    QHash<std::pair<int, int>, int> levels;
};

DebugChannels& channels() {
    static DebugChannels c;
    return c;
}

} // namespace

void VGXDebugServer::activate(int module, int level, int channel) {
    DebugChannels& c = channels();
    QMutexLocker lock(&c.mutex);
    if (level <= 0)
        c.levels.remove({module, channel});
    else
        c.levels.insert({module, channel}, level);
}

void VGXDebugServer::deactivate(int module, int channel) {
    activate(module, 0, channel);
}

void VGXDebugServer::deactivateAll() {
    DebugChannels& c = channels();
    QMutexLocker lock(&c.mutex);
    c.levels.clear();
}

bool VGXDebugServer::isActive(int module, int level, int channel) {
    DebugChannels& c = channels();
    QMutexLocker lock(&c.mutex);
    const auto it = c.levels.constFind({module, channel});
    return it != c.levels.constEnd() && it.value() >= level;
}

bool VGXDebugServer::print(int module, int level, int channel, const QString& text) {
    if (!isActive(module, level, channel))
        return false;
    VGXTraceSink::write(QStringLiteral("debug %1/%2/%3: %4").arg(module).arg(channel).arg(level).arg(text));
    return true;
}

} // namespace MvQARN
