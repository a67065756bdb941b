#pragma once
// The host's own recorder front end: a recorder state machine and file saving around a box's
// transient recorder, shown in the host's recorder dialog through the general recorder panel a
// module offers ("CKobraRecSettings").
//
// Its parameters are host/listadm/HostRecorderParameters.h. The state follows the box recorder's
// status, whoever started it; Record is one single recording with the software trigger or the
// chosen trigger line, Run a continuous one (Free Run) until Abort.
#include <QString>

#include "host/db/CDbChangeObserver.h"
#include "host/gui/VGXDialog.h"

namespace vgxapp {

// Keeps IdPDbRecState and IdPDbRecTime in step with the box's recorder and carries out Record and
// Abort. GUI thread only.
class HostRecorder : private MvQARN::CDbChangeObserver {
public:
    HostRecorder();
    ~HostRecorder() override;
    HostRecorder(const HostRecorder&) = delete;
    HostRecorder& operator=(const HostRecorder&) = delete;

    // The recorder state for a box recorder status.
    static int stateForStatus(int status);
    // The box's trigger source for a host trigger source.
    static int boxTriggerSource(int hostSource);
    // Recomputes the recording time of a recorder.
    static void updateTime(const MvQARN::SDbInstTupel& t);
    // Starts continuous recording (Idle only): the box records block after block until Abort.
    static void run(const MvQARN::SDbInstTupel& t);

private:
    void dbChanged(const QVector<MvQARN::SDbChange>& changes) override;
    void record(const MvQARN::SDbInstTupel& t);
    void abort(const MvQARN::SDbInstTupel& t);
    void followStatus(const MvQARN::SDbInstTupel& t);
};

// The host's recorder dialog for one recorder; null content when no module offers the panel.
class HostRecorderDialog : public MvQARN::VGXDialog {
    Q_OBJECT
public:
    HostRecorderDialog(int path, int side, int channel, QWidget* parent = nullptr);
    ~HostRecorderDialog() override;

    bool hasPanel() const { return m_panel != nullptr; }
    QWidget* panel() const { return m_panel; }

private:
    QWidget* m_panel = nullptr;
};

} // namespace vgxapp
