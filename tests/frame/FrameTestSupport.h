#pragma once
// Shared pieces of the plug-in frame tests: a fake organisation-layer framework that records the
// commands it is sent, a capture of the host's lifecycle trace lines, and settings stores in a
// temporary folder.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "host/util/impl/VGXTraceSink.h"
#include "support/FakeCommands.h"
#include "support/HermeticSettings.h"
#include "support/QtGTestPrinters.h"

namespace frametest {

using RecordingCommandIfc = testsupport::RecordingCommands;
using testsupport::FakeOlManager;

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
