#pragma once
// Where the host's trace and debug lines go: stderr, or a writer the host application or a test
// installs. Trace lines (lifecycle, registrations) are written only while tracing is on; debug
// lines of the debug server are written whenever their channel is active.
#include <QString>
#include <functional>

#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT VGXTraceSink {
public:
    using Writer = std::function<void(const QString& line)>;

    static void setTracing(bool on);
    static bool tracing();
    // A null writer restores stderr. Answers the previous writer.
    static Writer setWriter(Writer writer);

    // Writes a line unconditionally.
    static void write(const QString& line);
    // Writes a line when tracing is on.
    static void trace(const QString& line);
};

// Installs a writer and a tracing state for its lifetime and restores the previous ones.
class VGX_EXPORT VGXScopedTraceCapture {
public:
    explicit VGXScopedTraceCapture(VGXTraceSink::Writer writer, bool tracing = true);
    ~VGXScopedTraceCapture();
    VGXScopedTraceCapture(const VGXScopedTraceCapture&) = delete;
    VGXScopedTraceCapture& operator=(const VGXScopedTraceCapture&) = delete;

private:
    VGXTraceSink::Writer m_previousWriter;
    bool m_previousTracing;
};

} // namespace MvQARN
