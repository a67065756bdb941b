#pragma once
// A general recorder panel for host dialogs: data source, sample rate, recording length and time,
// trigger source and position (with a slider), the recorder's state diagrams, Record/Abort,
// Save with "File ..." and the file's path, and "View" with an optional further tool button.
//
// The recorder state (0 Idle, 1 Free Run, 2 Ready, 3 Wait For Trigger, 4 Triggered, 5 Done) rules
// the panel: Record only at Idle, Abort (which reads "Discard Data" at Done) anywhere else, Save only
// at Done, and the settings locked while the recorder is not idle. "View" opens the recorded file in
// the waveform tool when it is installed; DigRF files (*.drf3, *.drf4) need the DigRF viewer.
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXPanelClasses.h"
#include "host/gui/VGXUserDbAttributes.h"

class QPushButton;

namespace MvQARN {

class CKobraRecGraph;
class VGXButtonParameter;
class VGXComboParameter;
class VGXDatabaseConnectorEntry;
class VGXLabel;
class VGXParameterControl;
class VGXTextParameter;
class VGXTriggerPosition;

class VGX_EXPORT CKobraRecSettings : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    // Roles of the parameter identifiers, in the order the constructor takes them. An empty name
    // leaves its row out (the state diagrams, the serial list) or unbound.
    enum EParam {
        DataSource,   // selection: what is recorded
        SerialList,   // text list of boxes for the data-source selector; empty: a plain combo
        SampleRate,   // number, Hz
        RecLength,    // number, samples
        LengthUnit,   // selection whose texts are the units of the recording length
        RecTime,      // text: the recording's duration with its unit
        TrigSource,   // selection
        TrigPosition, // number, samples
        TrigUnit,     // selection whose texts are the units of the trigger position
        RecState,     // selection 0 .. 5, see above
        SecondState,  // selection 0 .. 5 of a second recorder; empty: one diagram
        File,         // string: the file Save writes
        Record,       // event
        Abort,        // event
        Save,         // event
        ParamCount
    };
    enum EState { Idle = 0, FreeRun, Ready, WaitForTrigger, Triggered, Done };
    enum EUserEvent { UserFile = 0, UserView = 1 };

    // Saves the current binding indices and binds to instance, direction and channel instead (the
    // indices stay for the panel's rows). names: EParam order. showSlider: the trigger-position
    // slider row. toolText: text of a further tool button (none when empty), which starts
    // toolProgram, or the DigRF viewer when that is empty, with the current file. sourceTexts and
    // sourceValues replace the data-source entries when given. locked: further parameters whose
    // controls (made by the caller inside this panel) lock during a recording.
    CKobraRecSettings(QWidget* parent, const QString& dialogName, int& instance, int& direction, int& channel,
                      const QList<QByteArray>& names, bool showSlider, const QString& toolText,
                      const QString& toolProgram, const QStringList& sourceTexts,
                      const QList<int>& sourceValues, const QList<QByteArray>& locked);
    ~CKobraRecSettings() override;

    // Creator for VGXPanelClasses.
    static VGXPanel* create(const VGXPanelClasses::SArgs& args);

    // Hides the recording time, the sample rate and the LED before it, and fixes the data source.
    void hideSampleRate();

    // A control that locks while the recorder is not idle.
    void addLockedControl(QWidget* control);

    QPushButton* recordButton() const;
    QPushButton* abortButton() const;
    QPushButton* saveButton() const;
    QPushButton* fileButton() const { return m_fileButton; }
    QPushButton* viewButton() const { return m_viewButton; }
    QPushButton* toolButton() const { return m_toolButton; }
    VGXComboParameter* dataSourceCombo() const { return m_source; }
    VGXTriggerPosition* triggerPosition() const { return m_slider; }
    QList<CKobraRecGraph*> stateGraphs() const { return m_graphs; }
    QWidget* sampleRateRow() const;
    QWidget* recordingTimeRow() const;
    const QString& viewerPath() const { return m_pellorPath; }
    const QString& waveformToolPath() const { return m_toolboxPath; }

    void processDataEvent(VGXDataEvent* event) override;

protected:
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    VGXUserDbAttributes bind(EParam p) const;
    // The units a length is offered in: the texts of the unit parameter's selection.
    QStringList unitTexts(EParam p) const;
    void registerDescriptors(const QStringList& sourceTexts, const QList<int>& sourceValues);
    void applyState(int state);
    void applyFile(const QString& file);
    void openFileDialog();
    void startViewer(const QString& program);

    QString m_dialogName;
    int m_instance, m_direction, m_channel;
    int m_savedInstance, m_savedDirection, m_savedChannel;
    QList<QByteArray> m_names;
    QString m_filter = QStringLiteral("Recorder File (*.wv)");
    QString m_filterPattern = QStringLiteral("*.wv");
    QString m_toolboxPath; // the waveform tool
    QString m_pellorPath;  // the DigRF viewer
    QString m_toolProgram;
    QList<QPointer<QWidget>> m_locked;
    VGXComboParameter* m_source = nullptr;
    QWidget* m_led = nullptr;
    bool m_sourceFixed = false;
    VGXTextParameter* m_rate = nullptr;
    VGXTextParameter* m_time = nullptr;
    VGXTriggerPosition* m_slider = nullptr;
    QList<CKobraRecGraph*> m_graphs;
    VGXButtonParameter* m_record = nullptr;
    VGXButtonParameter* m_abort = nullptr;
    VGXButtonParameter* m_save = nullptr;
    QPushButton* m_fileButton = nullptr;
    QPushButton* m_viewButton = nullptr;
    QPushButton* m_toolButton = nullptr;
    VGXLabel* m_path = nullptr;
    VGXDatabaseConnectorEntry* m_state = nullptr;
    VGXDatabaseConnectorEntry* m_file = nullptr;
};

} // namespace MvQARN
