#include "host/util/impl/VGXTraceSink.h"

#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <cstdio>

namespace MvQARN {

namespace {

std::atomic<bool> g_tracing{false};

QMutex& writerMutex() {
    static QMutex m;
    return m;
}

VGXTraceSink::Writer& writerSlot() {
    static VGXTraceSink::Writer w;
    return w;
}

} // namespace

void VGXTraceSink::setTracing(bool on) {
    g_tracing.store(on);
}

bool VGXTraceSink::tracing() {
    return g_tracing.load();
}

VGXTraceSink::Writer VGXTraceSink::setWriter(Writer writer) {
    QMutexLocker lock(&writerMutex());
    Writer previous = std::move(writerSlot());
    writerSlot() = std::move(writer);
    return previous;
}

void VGXTraceSink::write(const QString& line) {
    Writer writer;
    {
        QMutexLocker lock(&writerMutex());
        writer = writerSlot();
    }
    // Called outside the lock: a writer may itself trace.
    if (writer) {
        writer(line);
        return;
    }
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void VGXTraceSink::trace(const QString& line) {
    if (tracing())
        write(line);
}

VGXScopedTraceCapture::VGXScopedTraceCapture(VGXTraceSink::Writer writer, bool tracing)
    : m_previousWriter(VGXTraceSink::setWriter(std::move(writer))),
      m_previousTracing(VGXTraceSink::tracing()) {
    VGXTraceSink::setTracing(tracing);
}

VGXScopedTraceCapture::~VGXScopedTraceCapture() {
    VGXTraceSink::setTracing(m_previousTracing);
    VGXTraceSink::setWriter(std::move(m_previousWriter));
}

} // namespace MvQARN
