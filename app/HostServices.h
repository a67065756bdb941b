#pragma once
// The services vgxhost starts around the runtime: the simulated boxes behind the organisation-layer
// framework, the SCPI server and the host's own SCPI commands.
#include <QString>
#include <QStringList>
#include <memory>

#include "app/CommandLine.h"

namespace MvQARN {
class COlFramework;
class CScpiServer;
} // namespace MvQARN
namespace vgxsim {
class SimBoxes;
}

namespace vgxapp {

class HostRecorder;

class HostServices {
public:
    HostServices();
    ~HostServices();

    // Before the runtime starts: host parameters, simulation (from --sim) and the framework.
    bool prepare(const HostOptions& options, QString* error);
    // After the runtime started: framework start for families that do not send the start code,
    // host SCPI commands, the network server.
    bool start(const HostOptions& options, QString* error);
    // Runs the --exec sources in order (lines, "-" for standard input, "@FILE"), one session for all;
    // prints answers and errors; false when any line raised an error or a source could not be read.
    bool exec(const QStringList& sources);
    void stop();

    MvQARN::COlFramework* framework() const { return m_framework.get(); }

private:
    void registerRecorderCommands();

    std::unique_ptr<vgxsim::SimBoxes> m_boxes;
    std::unique_ptr<MvQARN::COlFramework> m_framework;
    std::unique_ptr<MvQARN::CScpiServer> m_server;
    std::unique_ptr<HostRecorder> m_recorder;
};

} // namespace vgxapp
